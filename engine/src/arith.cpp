#include "arith.h"

#include <algorithm>

namespace gravlin::engine {

const Limb* BigArith::binomial(int64_t n, int64_t k) const {
    if (n < 0 || k < 0 || k > n) return zero_.data();
    if (k > n - k) k = n - k;
    auto& row = rows_[n];
    if (row.empty()) {
        row.emplace_back(static_cast<size_t>(limbs), 0);
        row.back()[0] = 1;
    }
    // C(n, i) = C(n, i - 1) * (n - i + 1) / i, only as far as asked.
    while (row.size() <= static_cast<size_t>(k)) {
        const size_t i = row.size();
        std::vector<Limb> cur(static_cast<size_t>(limbs), 0);
        const std::vector<Limb>& prev = row.back();
        const Limb factor = static_cast<Limb>(n) - (i - 1);
        // Only the words in use and one more: the row grows a word at a time.
        size_t width = prev.size();
        while (width > 0 && prev[width - 1] == 0) --width;
        width = std::min(width + 1, cur.size());
        Limb carry = 0;
        for (size_t l = 0; l < width; ++l) {
            const WideLimb t = static_cast<WideLimb>(prev[l]) * factor + carry;
            cur[l] = static_cast<Limb>(t);
            carry = static_cast<Limb>(t >> 64);
        }
        // The caller sizes the width to hold C(n, i) * (n - i + 1) for every n it uses.
        // Divisor below 2^32 (always, in practice): two 64-bit divisions per limb instead
        // of a slow 128-bit one.
        if (i < (uint64_t{1} << 32)) {
            Limb rem = 0;
            for (size_t l = width; l-- > 0;) {
                const Limb high = (rem << 32) | (cur[l] >> 32);
                rem = high % i;
                const Limb low = (rem << 32) | (cur[l] & 0xffffffffu);
                rem = low % i;
                cur[l] = ((high / i) << 32) | (low / i);
            }
        } else {
            WideLimb rem = 0;
            for (size_t l = width; l-- > 0;) {
                const WideLimb t = (rem << 64) | cur[l];
                cur[l] = static_cast<Limb>(t / i);
                rem = t % i;
            }
        }
        row.push_back(std::move(cur));
    }
    return row[static_cast<size_t>(k)].data();
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
        for (size_t i = 0; i < width; ++i) shifted[i] = (shifted[i] >> 1) | (i + 1 < width ? shifted[i + 1] << 63 : 0);
    }
    return q;
}

}  // namespace bignum
}  // namespace gravlin::engine
