#include "arith.h"

#include <algorithm>

namespace gravlin::engine {

namespace {

// dst = src * factor / divisor over `limbs` words; the division is exact and the product
// fits (the caller sizes the width). dst may be src.
void mulDiv(Limb* dst, const Limb* src, size_t limbs, Limb factor, Limb divisor) {
    // Only the words in use and one more: a number grows a word at a time.
    size_t width = limbs;
    while (width > 0 && src[width - 1] == 0) --width;
    width = std::min(width + 1, limbs);
    Limb carry = 0;
    for (size_t l = 0; l < width; ++l) {
        const WideLimb t = static_cast<WideLimb>(src[l]) * factor + carry;
        dst[l] = static_cast<Limb>(t);
        carry = static_cast<Limb>(t >> 64);
    }
    for (size_t l = width; l < limbs; ++l) dst[l] = 0;
    // Divisor below 2^32 (always, in practice): two 64-bit divisions per word instead of
    // a slow 128-bit one.
    if (divisor < (uint64_t{1} << 32)) {
        Limb rem = 0;
        for (size_t l = width; l-- > 0;) {
            const Limb high = (rem << 32) | (dst[l] >> 32);
            rem = high % divisor;
            const Limb low = (rem << 32) | (dst[l] & 0xffffffffu);
            rem = low % divisor;
            dst[l] = ((high / divisor) << 32) | (low / divisor);
        }
    } else {
        WideLimb rem = 0;
        for (size_t l = width; l-- > 0;) {
            const WideLimb t = (rem << 64) | dst[l];
            dst[l] = static_cast<Limb>(t / divisor);
            rem = t % divisor;
        }
    }
}

}  // namespace

const Limb* BigArith::binomial(int64_t n, int64_t k) const {
    if (n < 0 || k < 0 || k > n) return zero_.data();
    if (k > n - k) k = n - k;
    BinomialRow& row = rows_[n];
    if (row.size == 0) {
        slot(row, 0)[0] = 1;
        row.size = 1;
    }
    // C(n, i) = C(n, i - 1) * (n - i + 1) / i, only as far as asked. The caller sizes the
    // width to hold C(n, i) * (n - i + 1) for every n it uses.
    while (row.size <= static_cast<size_t>(k)) {
        const size_t i = row.size;
        const Limb* prev = slot(row, i - 1);
        mulDiv(slot(row, i), prev, static_cast<size_t>(limbs), static_cast<Limb>(n) - (i - 1), i);
        ++row.size;
    }
    return slot(row, static_cast<size_t>(k));
}

void BigArith::binomials(int64_t n, int64_t lo, int64_t hi, Limb* out) const {
    const auto L = static_cast<size_t>(limbs);
    std::fill_n(out, L, 0);
    out[0] = 1;
    // C(n, lo) from C(n, 0), several steps per pass: C(n, i + s) =
    // C(n, i) * n_i ... n_(i+s-1) / ((i + 1) ... (i + s)), the factors packed into one word
    // and the divisors into half a word. The product stays below C(n, i + s) * 2^32.
    const int64_t m = std::min(lo, n - lo);
    for (int64_t i = 0; i < m;) {
        Limb num = static_cast<Limb>(n - i);
        Limb den = static_cast<Limb>(i + 1);
        int64_t s = 1;
        while (i + s < m) {
            const auto f = static_cast<Limb>(n - i - s);
            const auto d = static_cast<Limb>(i + s + 1);
            Limb nextNum = 0;
            if (__builtin_mul_overflow(num, f, &nextNum) || den * d >= (uint64_t{1} << 32) ||
                d >= (uint64_t{1} << 32))
                break;
            num = nextNum;
            den *= d;
            ++s;
        }
        mulDiv(out, out, L, num, den);
        i += s;
    }
    // Then one step per entry: C(n, k) = C(n, k - 1) * (n - k + 1) / k.
    for (int64_t k = lo + 1; k <= hi; ++k) {
        Limb* cur = out + static_cast<size_t>(k - lo) * L;
        mulDiv(cur, cur - L, L, static_cast<Limb>(n - k + 1), static_cast<Limb>(k));
    }
}

namespace bignum {

int compare(const std::vector<Limb>& a, const std::vector<Limb>& b) {
    const size_t n = std::max(a.size(), b.size());
    for (size_t i = n; i-- > 0;) {
        const Limb x = i < a.size() ? a[i] : 0;
        const Limb y = i < b.size() ? b[i] : 0;
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

std::vector<Limb> multiply(const std::vector<Limb>& a, const std::vector<Limb>& b) {
    std::vector<Limb> r(a.size() + b.size(), 0);
    for (size_t i = 0; i < a.size(); ++i) {
        Limb carry = 0;
        for (size_t j = 0; j < b.size(); ++j) {
            const WideLimb t = static_cast<WideLimb>(a[i]) * b[j] + r[i + j] + carry;
            r[i + j] = static_cast<Limb>(t);
            carry = static_cast<Limb>(t >> 64);
        }
        r[i + b.size()] = carry;
    }
    return r;
}

namespace {
// a -= b, same width, a >= b.
void subtract(std::vector<Limb>& a, const std::vector<Limb>& b) {
    Limb borrow = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const Limb d = a[i] - b[i] - borrow;
        borrow = (a[i] < b[i] || (a[i] == b[i] && borrow != 0)) ? 1 : 0;
        a[i] = d;
    }
}
}  // namespace

uint32_t scaledQuotient(const std::vector<Limb>& num, const std::vector<Limb>& den, uint32_t scale) {
    // Schoolbook binary division: the quotient has at most as many bits as scale.
    const size_t width = std::max(num.size(), den.size()) + 1;
    std::vector<Limb> rem(width, 0);
    Limb carry = 0;
    for (size_t i = 0; i < width; ++i) {
        const WideLimb t = static_cast<WideLimb>(i < num.size() ? num[i] : 0) * scale + carry;
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

}  // namespace bignum
}  // namespace gravlin::engine
