#include "count_set.h"

#include <algorithm>

namespace gravlin::engine {
namespace {

// Word w of src moved up by shift bits: bits from src words (w*64 - shift) / 64 and the one
// below it.
Word shiftedWord(const Word* src, size_t srcWords, ptrdiff_t shift, size_t w) {
    const ptrdiff_t firstBit = static_cast<ptrdiff_t>(w) * 64 - shift;
    const ptrdiff_t word = firstBit >= 0 ? firstBit / 64 : -((63 - firstBit) / 64);
    const unsigned offset = static_cast<unsigned>(firstBit - word * 64);
    auto at = [&](ptrdiff_t i) {
        return i >= 0 && static_cast<size_t>(i) < srcWords ? src[static_cast<size_t>(i)] : Word{0};
    };
    if (offset == 0) return at(word);
    return (at(word) >> offset) | (at(word + 1) << (64 - offset));
}

// The dst words that src moved by shift can reach.
void reach(size_t dstWords, size_t srcWords, ptrdiff_t shift, size_t& from, size_t& to) {
    const ptrdiff_t lo = shift >= 0 ? shift / 64 : -((-shift + 63) / 64);
    const ptrdiff_t hi = lo + static_cast<ptrdiff_t>(srcWords) + 1;
    from = static_cast<size_t>(std::max<ptrdiff_t>(lo, 0));
    to = static_cast<size_t>(std::clamp<ptrdiff_t>(hi, 0, static_cast<ptrdiff_t>(dstWords)));
}

}  // namespace

void orShifted(Word* dst, size_t dstWords, const Word* src, size_t srcWords, ptrdiff_t shift) {
    if (dstWords == 1 && srcWords == 1) {
        if (shift >= 0 && shift < 64)
            dst[0] |= src[0] << shift;
        else if (shift < 0 && shift > -64)
            dst[0] |= src[0] >> -shift;
        return;
    }
    size_t from = 0;
    size_t to = 0;
    reach(dstWords, srcWords, shift, from, to);
    for (size_t w = from; w < to; ++w) dst[w] |= shiftedWord(src, srcWords, shift, w);
}

void andShifted(Word* dst, size_t dstWords, const Word* src, size_t srcWords, ptrdiff_t shift) {
    for (size_t w = 0; w < dstWords; ++w) dst[w] &= shiftedWord(src, srcWords, shift, w);
}

bool meetsShifted(const Word* a, size_t aWords, const Word* b, size_t bWords, ptrdiff_t shift) {
    if (aWords == 1 && bWords == 1) {
        if (shift >= 0 && shift < 64) return (a[0] & (b[0] << shift)) != 0;
        if (shift < 0 && shift > -64) return (a[0] & (b[0] >> -shift)) != 0;
        return false;
    }
    size_t from = 0;
    size_t to = 0;
    reach(aWords, bWords, shift, from, to);
    for (size_t w = from; w < to; ++w)
        if ((a[w] & shiftedWord(b, bWords, shift, w)) != 0) return true;
    return false;
}

size_t lowestBit(const Word* a, size_t words) {
    for (size_t w = 0; w < words; ++w)
        if (a[w] != 0) return w * 64 + static_cast<size_t>(__builtin_ctzll(a[w]));
    return 0;
}

size_t highestBit(const Word* a, size_t words) {
    for (size_t w = words; w-- > 0;)
        if (a[w] != 0) return w * 64 + 63 - static_cast<size_t>(__builtin_clzll(a[w]));
    return 0;
}

bool anyBit(const Word* a, size_t words) {
    for (size_t w = 0; w < words; ++w)
        if (a[w] != 0) return true;
    return false;
}

CountSet CountSet::range(size_t size, int64_t lo, int64_t hi) {
    CountSet s(size);
    if (hi < lo || hi < 0) return s;
    const auto from = static_cast<size_t>(std::max<int64_t>(lo, 0));
    const auto to = static_cast<size_t>(std::min<int64_t>(hi + 1, static_cast<int64_t>(size)));
    for (size_t k = from; k < to;) {
        const size_t bit = k % 64;
        const size_t n = std::min<size_t>(64 - bit, to - k);
        s.bits_[k / 64] |= (n == 64 ? ~Word{0} : ((Word{1} << n) - 1)) << bit;
        k += n;
    }
    return s;
}

size_t CountSet::count() const {
    size_t n = 0;
    for (Word w : bits_) n += static_cast<size_t>(__builtin_popcountll(w));
    return n;
}

CountSet CountSet::plus(const CountSet& other) const {
    // Shifted copies of the denser set, one per member of the sparser.
    const bool fewer = other.count() <= count();
    const CountSet& sparse = fewer ? other : *this;
    const CountSet& dense = fewer ? *this : other;
    CountSet r(size_);
    for (size_t w = 0; w < sparse.bits_.size(); ++w)
        for (Word bits = sparse.bits_[w]; bits != 0; bits &= bits - 1) {
            const auto b = static_cast<ptrdiff_t>(w * 64 + static_cast<size_t>(__builtin_ctzll(bits)));
            orShifted(r.bits_.data(), r.bits_.size(), dense.bits_.data(), dense.bits_.size(), b);
        }
    // Bits past the size in the last word stand for counts that were cut.
    if (size_ % 64 != 0 && !r.bits_.empty()) r.bits_.back() &= (Word{1} << (size_ % 64)) - 1;
    return r;
}

CountSet CountSet::subtractedFrom(int64_t t) const {
    CountSet r(size_);
    for (size_t w = 0; w < bits_.size(); ++w)
        for (Word bits = bits_[w]; bits != 0; bits &= bits - 1)
            r.insert(t - static_cast<int64_t>(w * 64 + static_cast<size_t>(__builtin_ctzll(bits))));
    return r;
}

int64_t CountSet::least() const {
    return static_cast<int64_t>(lowestBit(bits_.data(), bits_.size()));
}

int64_t CountSet::most() const {
    return static_cast<int64_t>(highestBit(bits_.data(), bits_.size()));
}

}  // namespace gravlin::engine
