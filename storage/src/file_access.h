#pragma once
// The program's own file access: saved games and mine layouts are read and written here,
// with the C library, not through Host. Only regular files are read or replaced; a FIFO, a
// device, a socket or a folder is refused before anything could block on it.

#include <string>
#include <string_view>

#include "gravlin/storage/byte_source.h"

namespace gravlin::storage {

// A regular file opened for reading. A name that is missing, unreadable or anything but a
// regular file (or a link to one) leaves it closed.
class InputFile final : public ByteSource {
  public:
    explicit InputFile(const std::string& path);
    ~InputFile() override;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    std::size_t read(char* buffer, std::size_t size) override;
    bool failed() const override { return failed_; }

  private:
    int fd_ = -1;
    bool failed_ = false;
};

enum class SaveTarget { Missing, RegularFile, Other };

// What answers to the name a file is to be saved under: nothing (or nothing that can be
// told), a regular file (or a link to one), or something that is no place for a file.
SaveTarget saveTarget(const std::string& path);

// Where the new content is written before it takes the target's name.
enum class StagingFile {
    // A file without a name in the target's folder (O_TMPFILE), named only when complete, so
    // a save killed midway leaves nothing behind. Where the file system has no such files,
    // the same as Named.
    Unnamed,
    // A hidden file beside the target, ".gravlin-" and random letters.
    Named,
};

// Replaces the file's content with `text` as a whole: written to a staging file in the same
// folder, flushed to the disk and then given the target's name, in one step where possible.
// On any failure the target keeps its old content, the staging file is removed and the
// answer is false. A target that exists keeps its permission bits, and its owner and group
// where the process may give them; one the user may not write is not replaced.
bool saveWholeFile(const std::string& path, std::string_view text,
                   StagingFile staging = StagingFile::Unnamed);

}  // namespace gravlin::storage
