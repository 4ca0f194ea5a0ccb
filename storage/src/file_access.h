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

// Replaces the file's content with `text` as a whole: written to a temporary file in the
// same folder, flushed to the disk and renamed over the target. On any failure the target
// keeps its old content, the temporary file is removed and the answer is false. A target
// that exists keeps its permission bits; one the user may not write is not replaced.
bool saveWholeFile(const std::string& path, std::string_view text);

}  // namespace gravlin::storage
