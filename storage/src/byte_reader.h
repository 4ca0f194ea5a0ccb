#pragma once
// Byte by byte over a ByteSource through one fixed buffer.

#include <array>
#include <cstddef>

#include "gravlin/storage/byte_source.h"

namespace gravlin::storage {

class ByteReader {
  public:
    static constexpr int kEnd = -1;

    explicit ByteReader(ByteSource& source) : source_(source) {}

    // Drops a UTF-8 byte-order mark at the very start.
    void skipByteOrderMark() {
        while (end_ - pos_ < 3 && refill(true)) {
        }
        if (end_ - pos_ >= 3 && buffer_[pos_] == '\xEF' && buffer_[pos_ + 1] == '\xBB' &&
            buffer_[pos_ + 2] == '\xBF')
            pos_ += 3;
    }

    // The next byte (0..255), or kEnd.
    int get() {
        if (pos_ == end_ && !refill(false)) return kEnd;
        return static_cast<unsigned char>(buffer_[pos_++]);
    }

    // Passes over every byte for which skip(byte) holds; stops before the first other one.
    template <typename Pred>
    void skipWhile(Pred skip) {
        do {
            while (pos_ < end_ && skip(buffer_[pos_])) ++pos_;
        } while (pos_ == end_ && refill(false));
    }

  private:
    // Reads more; `keep` keeps the unread bytes, otherwise the buffer is empty when called.
    bool refill(bool keep) {
        if (atEnd_) return false;
        std::size_t kept = 0;
        if (keep) {
            kept = end_ - pos_;
            for (std::size_t i = 0; i < kept; ++i) buffer_[i] = buffer_[pos_ + i];
        }
        const std::size_t got = source_.read(buffer_.data() + kept, buffer_.size() - kept);
        pos_ = 0;
        end_ = kept + got;
        if (got == 0) atEnd_ = true;
        return got > 0;
    }

    ByteSource& source_;
    std::array<char, 64 * 1024> buffer_{};
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
};

}  // namespace gravlin::storage
