// Sets of mine counts as rows of bits: bit i of a row based at lo stands for lo + i mines.
// Deciding which cells are certain needs only which counts are possible, never how many
// layouts have them, so these rows replace numbers wherever possible suffices.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gravlin::engine {

using Word = uint64_t;

constexpr size_t wordsFor(size_t bits) {
    return (bits + 63) / 64;
}

// dst |= src moved up by `shift` bits (down for a negative shift); bits moved outside
// dst's words are dropped.
void orShifted(Word* dst, size_t dstWords, const Word* src, size_t srcWords, ptrdiff_t shift);

// dst &= src moved up by `shift` bits.
void andShifted(Word* dst, size_t dstWords, const Word* src, size_t srcWords, ptrdiff_t shift);

// Whether a and b moved up by `shift` bits share a bit.
bool meetsShifted(const Word* a, size_t aWords, const Word* b, size_t bWords, ptrdiff_t shift);

// Index of the lowest and highest set bit; the row must not be empty.
size_t lowestBit(const Word* a, size_t words);
size_t highestBit(const Word* a, size_t words);
bool anyBit(const Word* a, size_t words);

// A set of mine counts from 0 to size - 1.
class CountSet {
  public:
    CountSet() = default;
    explicit CountSet(size_t size) : size_(size), bits_(wordsFor(size), 0) {}
    // {lo, ..., hi}, cut to the size; empty when hi < lo.
    static CountSet range(size_t size, int64_t lo, int64_t hi);

    size_t size() const { return size_; }
    bool has(int64_t k) const {
        return k >= 0 && static_cast<size_t>(k) < size_ &&
               (bits_[static_cast<size_t>(k) / 64] >> (k % 64) & 1);
    }
    void insert(int64_t k) {
        if (k >= 0 && static_cast<size_t>(k) < size_)
            bits_[static_cast<size_t>(k) / 64] |= Word{1} << (k % 64);
    }
    bool empty() const { return !anyBit(bits_.data(), bits_.size()); }
    size_t count() const;
    // Smallest and largest member; the set must not be empty.
    int64_t least() const;
    int64_t most() const;
    const Word* words() const { return bits_.data(); }
    Word* words() { return bits_.data(); }
    size_t wordCount() const { return bits_.size(); }

    // {a + b : a in this, b in other}, cut to the size.
    CountSet plus(const CountSet& other) const;
    // {t - k : k in this}, cut to the size.
    CountSet subtractedFrom(int64_t t) const;

  private:
    size_t size_ = 0;
    std::vector<Word> bits_;
};

}  // namespace gravlin::engine
