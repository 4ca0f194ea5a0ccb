#pragma once
// The bytes a reader takes its text from, front to back in pieces: a file on disk or text
// already in memory. Readers keep only a fixed buffer and what the board needs, so a file
// of any size costs no more memory than a small one.

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string_view>

namespace gravlin::storage {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes into `buffer`; 0 at the end, and also once reading has failed.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
    // True when the end came from a failure rather than the end of the data.
    virtual bool failed() const { return false; }
};

// Text in memory, handed out at most `piece` bytes at a time.
class TextSource final : public ByteSource {
  public:
    explicit TextSource(std::string_view text, std::size_t piece = std::numeric_limits<std::size_t>::max())
        : text_(text), piece_(std::max<std::size_t>(piece, 1)) {}

    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t n = std::min({size, piece_, text_.size()});
        text_.copy(buffer, n);
        text_.remove_prefix(n);
        return n;
    }

  private:
    std::string_view text_;
    std::size_t piece_;
};

}  // namespace gravlin::storage
