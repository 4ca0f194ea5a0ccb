// Number types for the counting passes. Both store a number as `limbs` 64-bit words
// (least significant first) so the passes can keep them in flat arrays.
//
// SatArith counts with saturation at 2^64 - 1: zero stays exactly zero and anything
// positive stays positive, which is all that deciding free and mine cells needs.
// BigArith counts exactly with a fixed width chosen by the caller to hold the largest
// count of the system, so wrapping modulo 2^(64 * limbs) never loses information.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <vector>

namespace gravlin::engine {

using Limb = uint64_t;
__extension__ typedef unsigned __int128 WideLimb;

struct SatArith {
    int limbs = 1;

    void addMul(Limb* d, const Limb* a, const Limb* b) const {
        Limb p = 0;
        if (__builtin_mul_overflow(a[0], b[0], &p)) p = kMax;
        d[0] = d[0] > kMax - p ? kMax : d[0] + p;
    }
    void add(Limb* d, const Limb* a) const { d[0] = d[0] > kMax - a[0] ? kMax : d[0] + a[0]; }
    bool isZero(const Limb* a) const { return a[0] == 0; }
    bool isOne(const Limb* a) const { return a[0] == 1; }
    // Only whether C(n, k) is zero matters here.
    const Limb* binomial(int64_t n, int64_t k) const { return k >= 0 && k <= n ? &kOne : &kZero; }
    // out[i] = C(n, lo + i) for i in [0, hi - lo].
    void binomials(int64_t n, int64_t lo, int64_t hi, Limb* out) const {
        for (int64_t k = lo; k <= hi; ++k) out[k - lo] = *binomial(n, k);
    }

    static constexpr Limb kMax = std::numeric_limits<Limb>::max();
    static constexpr Limb kOne = 1;
    static constexpr Limb kZero = 0;
};

class BigArith {
  public:
    explicit BigArith(int limbs) : limbs(limbs), zero_(static_cast<size_t>(limbs), 0) {}

    const int limbs;

    void addMul(Limb* d, const Limb* a, const Limb* b) const {
        const int na = used(a);
        const int nb = used(b);
        for (int i = 0; i < na; ++i) {
            if (a[i] == 0) continue;
            Limb carry = 0;
            const int top = nb < limbs - i ? nb : limbs - i;
            int j = 0;
            for (; j < top; ++j) {
                const WideLimb t = static_cast<WideLimb>(a[i]) * b[j] + d[i + j] + carry;
                d[i + j] = static_cast<Limb>(t);
                carry = static_cast<Limb>(t >> 64);
            }
            for (int k = i + j; carry != 0 && k < limbs; ++k) {
                d[k] += carry;
                carry = d[k] < carry ? 1 : 0;
            }
        }
    }
    void add(Limb* d, const Limb* a) const {
        Limb carry = 0;
        for (int i = 0; i < limbs; ++i) {
            const WideLimb t = static_cast<WideLimb>(d[i]) + a[i] + carry;
            d[i] = static_cast<Limb>(t);
            carry = static_cast<Limb>(t >> 64);
        }
    }
    bool isZero(const Limb* a) const { return used(a) == 0; }
    bool isOne(const Limb* a) const { return a[0] == 1 && used(a) == 1; }

    // C(n, k), exact; rows are built on first use and kept for the object's life.
    const Limb* binomial(int64_t n, int64_t k) const;
    // C(n, k) for k in [lo, hi] into out (hi - lo + 1 numbers of `limbs` words each),
    // without building the row below lo. Requires 0 <= lo <= hi <= n.
    void binomials(int64_t n, int64_t lo, int64_t hi, Limb* out) const;

  private:
    int used(const Limb* a) const {
        int n = limbs;
        while (n > 0 && a[n - 1] == 0) --n;
        return n;
    }

    std::vector<Limb> zero_;
    // Entries live in fixed blocks of kChunk numbers: they keep their address while a row
    // grows, so handed-out pointers stay valid, and a row costs one allocation per block.
    static constexpr size_t kChunk = 16;
    struct BinomialRow {
        std::vector<std::unique_ptr<Limb[]>> blocks;
        size_t size = 0;
    };
    Limb* slot(BinomialRow& row, size_t i) const {
        if (i / kChunk >= row.blocks.size())
            row.blocks.emplace_back(new Limb[kChunk * static_cast<size_t>(limbs)]());
        return row.blocks[i / kChunk].get() + (i % kChunk) * static_cast<size_t>(limbs);
    }
    mutable std::map<int64_t, BinomialRow> rows_;
};

// Helpers on plain little-endian limb vectors, used where a result is printed.
namespace bignum {
int compare(const std::vector<Limb>& a, const std::vector<Limb>& b);
std::vector<Limb> multiply(const std::vector<Limb>& a, const std::vector<Limb>& b);
// floor(num * scale / den) for num <= den and small scale; den must not be zero.
uint32_t scaledQuotient(const std::vector<Limb>& num, const std::vector<Limb>& den, uint32_t scale);
}  // namespace bignum

}  // namespace gravlin::engine
