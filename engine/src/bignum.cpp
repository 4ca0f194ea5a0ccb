#include "bignum.h"

#include <algorithm>

namespace gravlin::engine::bignum {
namespace {

// d[0, bn) += b * c, returning the carry out of the top limb.
Limb addMulRow(Limb* d, const Limb* b, size_t bn, Limb c) {
    Limb carry = 0;
    for (size_t i = 0; i < bn; ++i) {
        const WideLimb t = static_cast<WideLimb>(b[i]) * c + d[i] + carry;
        d[i] = static_cast<Limb>(t);
        carry = static_cast<Limb>(t >> 64);
    }
    return carry;
}

// x = x * factor / divisor over n limbs; the division is exact.
void mulDiv(Limb* x, size_t n, Limb factor, Limb divisor) {
    Limb carry = 0;
    const size_t top = std::min(used(x, n) + 1, n);
    for (size_t l = 0; l < top; ++l) {
        const WideLimb t = static_cast<WideLimb>(x[l]) * factor + carry;
        x[l] = static_cast<Limb>(t);
        carry = static_cast<Limb>(t >> 64);
    }
    if (carry != 0) throw Overflow{};
    if (divisor < (Limb{1} << 32)) {
        // Two 64-bit divisions per limb instead of a slow 128-bit one.
        Limb rem = 0;
        for (size_t l = top; l-- > 0;) {
            const Limb high = (rem << 32) | (x[l] >> 32);
            rem = high % divisor;
            const Limb low = (rem << 32) | (x[l] & 0xffffffffu);
            rem = low % divisor;
            x[l] = ((high / divisor) << 32) | (low / divisor);
        }
    } else {
        WideLimb rem = 0;
        for (size_t l = top; l-- > 0;) {
            const WideLimb t = (rem << 64) | x[l];
            x[l] = static_cast<Limb>(t / divisor);
            rem = t % divisor;
        }
    }
}

// a -= b, b no wider than a, a >= b.
void subtract(std::vector<Limb>& a, const std::vector<Limb>& b) {
    Limb borrow = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const Limb bi = i < b.size() ? b[i] : 0;
        const Limb d = a[i] - bi - borrow;
        borrow = (a[i] < bi || (a[i] == bi && borrow != 0)) ? 1 : 0;
        a[i] = d;
    }
}

size_t trailingZeros(const Number& a) {
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != 0) return i * 64 + static_cast<size_t>(__builtin_ctzll(a[i]));
    return 0;
}

void shiftRight(Number& a, size_t bits) {
    const size_t words = bits / 64;
    const unsigned rest = bits % 64;
    for (size_t i = 0; i < a.size(); ++i) {
        const Limb lo = i + words < a.size() ? a[i + words] : 0;
        const Limb hi = i + words + 1 < a.size() ? a[i + words + 1] : 0;
        a[i] = rest == 0 ? lo : (lo >> rest) | (hi << (64 - rest));
    }
    a.resize(used(a.data(), a.size()));
}

Number shiftedLeft(const Number& a, size_t bits) {
    const size_t words = bits / 64;
    const unsigned rest = bits % 64;
    Number r(a.size() + words + 1, 0);
    for (size_t i = 0; i < a.size(); ++i) {
        r[i + words] |= a[i] << rest;
        if (rest != 0) r[i + words + 1] |= a[i] >> (64 - rest);
    }
    r.resize(used(r.data(), r.size()));
    return r;
}

size_t bitLength(const Number& a) {
    const size_t n = used(a.data(), a.size());
    return n == 0 ? 0 : n * 64 - static_cast<size_t>(__builtin_clzll(a[n - 1]));
}

}  // namespace

void addProduct(Limb* d, size_t dn, const Limb* a, size_t an, const Limb* b, size_t bn) {
    an = used(a, an);
    bn = used(b, bn);
    if (an == 0 || bn == 0) return;
    if (an > bn) {
        std::swap(a, b);
        std::swap(an, bn);
    }
    if (an + bn <= dn) {
        for (size_t i = 0; i < an; ++i)
            if (a[i] != 0) carryInto(d, dn, i + bn, addMulRow(d + i, b, bn, a[i]));
        return;
    }
    // The product is at least 2^(64 (an + bn - 2)); one limb short of room, it may still fit.
    if (an + bn > dn + 1) throw Overflow{};
    std::vector<Limb> p(an + bn, 0);
    for (size_t i = 0; i < an; ++i) p[i + bn] = addMulRow(p.data() + i, b, bn, a[i]);
    if (p[dn] != 0) throw Overflow{};
    add(d, dn, p.data(), dn);
}

void binomials(size_t n, size_t lo, size_t hi, Limb* out, size_t width) {
    if (width < widthFor(n)) throw Overflow{};
    if (hi < lo) return;
    std::fill_n(out, (hi - lo + 1) * width, Limb{0});
    if (lo > n) return;
    // One limb of headroom: a step forms C(n, i) * factor before dividing.
    std::vector<Limb> cur(width + 1, 0);
    cur[0] = 1;
    // C(n, lo) = C(n, m) from C(n, 0), several factors per pass: C(n, i + s) =
    // C(n, i) * (n - i) ... (n - i - s + 1) / ((i + 1) ... (i + s)), the factors packed into
    // one limb and the divisors below 2^32, so the product stays below C(n, i + s) * 2^32.
    const size_t m = std::min(lo, n - lo);
    for (size_t i = 0; i < m;) {
        Limb num = n - i;
        Limb den = i + 1;
        size_t s = 1;
        while (i + s < m) {
            const Limb f = n - i - s;
            const Limb q = i + s + 1;
            Limb nextNum = 0;
            if (__builtin_mul_overflow(num, f, &nextNum) || den * q >= (Limb{1} << 32)) break;
            num = nextNum;
            den *= q;
            ++s;
        }
        mulDiv(cur.data(), cur.size(), num, den);
        i += s;
    }
    for (size_t k = lo; k <= hi && k <= n; ++k) {
        if (k > lo) mulDiv(cur.data(), cur.size(), n - k + 1, k);
        if (cur[width] != 0) throw Overflow{};
        std::copy_n(cur.data(), width, out + (k - lo) * width);
    }
}

Number trimmed(const Limb* a, size_t n) {
    return Number(a, a + used(a, n));
}

int compare(const Number& a, const Number& b) {
    const size_t n = std::max(a.size(), b.size());
    for (size_t i = n; i-- > 0;) {
        const Limb x = i < a.size() ? a[i] : 0;
        const Limb y = i < b.size() ? b[i] : 0;
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

Number multiply(const Number& a, const Number& b) {
    Number r(a.size() + b.size(), 0);
    for (size_t i = 0; i < a.size(); ++i) r[i + b.size()] = addMulRow(r.data() + i, b.data(), b.size(), a[i]);
    return r;
}

Number gcd(Number a, Number b) {
    a.resize(used(a.data(), a.size()));
    b.resize(used(b.data(), b.size()));
    if (a.empty()) return b;
    if (b.empty()) return a;
    // Binary: strip the common twos, then subtract the smaller odd number from the larger.
    const size_t twos = std::min(trailingZeros(a), trailingZeros(b));
    shiftRight(a, trailingZeros(a));
    while (!b.empty()) {
        shiftRight(b, trailingZeros(b));
        if (compare(a, b) > 0) std::swap(a, b);
        subtract(b, a);
        b.resize(used(b.data(), b.size()));
    }
    return shiftedLeft(a, twos);
}

Number divideExact(const Number& a, const Number& d) {
    // Binary long division: one quotient bit per round, the divisor shifted one bit down.
    Number rem = trimmed(a.data(), a.size());
    const size_t db = bitLength(d);
    if (db == 0) throw Overflow{};
    const size_t ab = bitLength(rem);
    Number q(rem.size(), 0);
    if (ab >= db) {
        Number part = shiftedLeft(d, ab - db);
        part.resize(rem.size(), 0);
        for (size_t bit = ab - db + 1; bit-- > 0;) {
            if (compare(rem, part) >= 0) {
                subtract(rem, part);
                q[bit / 64] |= Limb{1} << (bit % 64);
            }
            for (size_t i = 0; i < part.size(); ++i)
                part[i] = (part[i] >> 1) | (i + 1 < part.size() ? part[i + 1] << 63 : 0);
        }
    }
    if (used(rem.data(), rem.size()) != 0) throw Overflow{};
    return trimmed(q.data(), q.size());
}

uint32_t scaledQuotient(const Number& num, const Number& den, uint32_t scale) {
    // Beyond these the quotient would need more bits than the loop below forms.
    if (used(den.data(), den.size()) == 0 || compare(num, den) > 0)
        throw std::invalid_argument("scaledQuotient needs 0 <= num <= den and den > 0");
    // Schoolbook binary division: the quotient has at most as many bits as scale.
    const size_t width = std::max(num.size(), den.size()) + 1;
    std::vector<Limb> rem(width, 0);
    std::copy(num.begin(), num.end(), rem.begin());
    Limb carry = 0;
    for (size_t i = 0; i < width; ++i) {
        const WideLimb t = static_cast<WideLimb>(rem[i]) * scale + carry;
        rem[i] = static_cast<Limb>(t);
        carry = static_cast<Limb>(t >> 64);
    }
    unsigned top = 0;
    while ((uint64_t{1} << (top + 1)) <= scale) ++top;
    // shifted = den << top, then one bit further right each round.
    std::vector<Limb> shifted(width, 0);
    for (size_t i = 0; i < den.size(); ++i) {
        shifted[i] |= den[i] << top;
        if (top != 0) shifted[i + 1] |= den[i] >> (64 - top);
    }
    uint32_t q = 0;
    for (unsigned b = top + 1; b-- > 0;) {
        if (compare(shifted, rem) <= 0) {
            subtract(rem, shifted);
            q |= 1u << b;
        }
        for (size_t i = 0; i < width; ++i)
            shifted[i] = (shifted[i] >> 1) | (i + 1 < width ? shifted[i + 1] << 63 : 0);
    }
    return q;
}

}  // namespace gravlin::engine::bignum
