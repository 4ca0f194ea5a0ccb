// Exact unsigned integers for the counting passes: little-endian 64-bit limbs in a width
// that the caller fixes, so rows of them sit in flat arrays.
//
// The bound that sizes every width: the number of 0/1 layouts of n unknowns is at most
// 2^n, and so is any sum of such counts over disjoint cases, and any product of counts over
// disjoint sets of unknowns (2^a * 2^b = 2^(a + b)). Every number the engine forms is one
// of these, so widthFor(n) limbs hold it. Each operation that writes into a fixed width
// checks that its result fits and throws Overflow otherwise: unreachable while the bound
// holds, and loud if it ever does not, never a silently truncated count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace gravlin::engine::bignum {

using Limb = uint64_t;
__extension__ typedef unsigned __int128 WideLimb;

struct Overflow : std::logic_error {
    Overflow() : std::logic_error("exact count exceeds the width its bound allows") {}
};

// Limbs for every number below 2^bits (and 2^bits itself).
constexpr size_t widthFor(size_t bits) {
    return bits / 64 + 1;
}

inline size_t used(const Limb* a, size_t n) {
    while (n > 0 && a[n - 1] == 0) --n;
    return n;
}

// d[from, dn) += carry.
inline void carryInto(Limb* d, size_t dn, size_t from, Limb carry) {
    for (size_t i = from; carry != 0; ++i) {
        if (i >= dn) throw Overflow{};
        d[i] += carry;
        carry = d[i] < carry ? 1 : 0;
    }
}

// d[0, dn) += a[0, an).
inline void add(Limb* d, size_t dn, const Limb* a, size_t an) {
    if (an > dn) {
        an = used(a, an);
        if (an > dn) throw Overflow{};
    }
    Limb carry = 0;
    for (size_t i = 0; i < an; ++i) {
        const WideLimb t = static_cast<WideLimb>(d[i]) + a[i] + carry;
        d[i] = static_cast<Limb>(t);
        carry = static_cast<Limb>(t >> 64);
    }
    carryInto(d, dn, an, carry);
}

// d[0, dn) += a[0, an) * c.
inline void addMul(Limb* d, size_t dn, const Limb* a, size_t an, Limb c) {
    if (an > dn) {
        an = used(a, an);
        if (an > dn) throw Overflow{};
    }
    Limb carry = 0;
    for (size_t i = 0; i < an; ++i) {
        const WideLimb t = static_cast<WideLimb>(a[i]) * c + d[i] + carry;
        d[i] = static_cast<Limb>(t);
        carry = static_cast<Limb>(t >> 64);
    }
    carryInto(d, dn, an, carry);
}

// d[0, dn) += a[0, an) * b[0, bn).
void addProduct(Limb* d, size_t dn, const Limb* a, size_t an, const Limb* b, size_t bn);

// out[k - lo] = C(n, k) for k in [lo, hi], each in `width` limbs (at least widthFor(n));
// nothing when hi < lo.
void binomials(size_t n, size_t lo, size_t hi, Limb* out, size_t width);

// Counts indexed by a number of mines k in [lo, lo + len), `width` limbs each.
struct Row {
    int64_t lo = 0;
    size_t len = 0;
    size_t width = 1;
    std::vector<Limb> v;

    Row() = default;
    Row(int64_t lo, size_t len, size_t width) : lo(lo), len(len), width(width), v(len * width, 0) {}
    int64_t end() const { return lo + static_cast<int64_t>(len); }
    bool has(int64_t k) const { return k >= lo && k < end(); }
    Limb* at(int64_t k) { return v.data() + static_cast<size_t>(k - lo) * width; }
    const Limb* at(int64_t k) const { return v.data() + static_cast<size_t>(k - lo) * width; }
};

// Plain numbers without leading zero limbs, for results.
using Number = std::vector<Limb>;
Number trimmed(const Limb* a, size_t n);
int compare(const Number& a, const Number& b);
Number multiply(const Number& a, const Number& b);
Number gcd(Number a, Number b);
// a / d for a divisor d of a (not zero); throws Overflow when d does not divide a.
Number divideExact(const Number& a, const Number& d);
// floor(num * scale / den) for num <= den and a small scale; throws std::invalid_argument
// when num > den or den is zero.
uint32_t scaledQuotient(const Number& num, const Number& den, uint32_t scale);

}  // namespace gravlin::engine::bignum
