#include "arith.h"

#include <algorithm>

namespace gravlin::engine {

const Limb* BigArith::binomial(int64_t n, int64_t k) const {
    if (n < 0 || k < 0 || k > n) return zero_.data();
    if (k > n - k) k = n - k;
    auto& row = rows_[n];
    const size_t stride = static_cast<size_t>(limbs);
    if (row.empty()) {
        // The whole half row at once, so pointers handed out earlier stay valid:
        // C(n, i) = C(n, i - 1) * (n - i + 1) / i.
        const size_t half = static_cast<size_t>(n / 2);
        row.assign((half + 1) * stride, 0);
        row[0] = 1;
        for (size_t i = 1; i <= half; ++i) {
            const Limb* prev = &row[(i - 1) * stride];
            Limb* cur = &row[i * stride];
            const Limb factor = static_cast<Limb>(n) - (i - 1);
            Limb carry = 0;
            for (size_t l = 0; l < stride; ++l) {
                const WideLimb t = static_cast<WideLimb>(prev[l]) * factor + carry;
                cur[l] = static_cast<Limb>(t);
                carry = static_cast<Limb>(t >> 64);
            }
            // The caller sizes the width to hold C(n, i) * (n - i + 1) for every n it uses.
            WideLimb rem = 0;
            for (size_t l = stride; l-- > 0;) {
                const WideLimb t = (rem << 64) | cur[l];
                cur[l] = static_cast<Limb>(t / i);
                rem = t % i;
            }
        }
    }
    return &row[static_cast<size_t>(k) * stride];
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
std::vector<Limb> shiftedLeft(const std::vector<Limb>& a, unsigned bits, size_t width) {
    std::vector<Limb> r(width, 0);
    for (size_t i = 0; i < a.size() && i < width; ++i) {
        r[i] |= a[i] << bits;
        if (bits != 0 && i + 1 < width) r[i + 1] |= a[i] >> (64 - bits);
    }
    return r;
}

void subtract(std::vector<Limb>& a, const std::vector<Limb>& b) {
    Limb borrow = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const Limb y = i < b.size() ? b[i] : 0;
        const Limb d = a[i] - y - borrow;
        borrow = (a[i] < y || (a[i] == y && borrow != 0)) ? 1 : 0;
        a[i] = d;
    }
}
}  // namespace

uint32_t scaledQuotient(const std::vector<Limb>& num, const std::vector<Limb>& den, uint32_t scale) {
    const size_t width = std::max(num.size(), den.size()) + 1;
    std::vector<Limb> rem(width, 0);
    Limb carry = 0;
    for (size_t i = 0; i < width; ++i) {
        const WideLimb t = static_cast<WideLimb>(i < num.size() ? num[i] : 0) * scale + carry;
        rem[i] = static_cast<Limb>(t);
        carry = static_cast<Limb>(t >> 64);
    }
    uint32_t q = 0;
    unsigned top = 0;
    while ((uint64_t{1} << (top + 1)) <= scale) ++top;
    for (unsigned b = top + 1; b-- > 0;) {
        const auto shifted = shiftedLeft(den, b, width);
        if (compare(shifted, rem) <= 0) {
            subtract(rem, shifted);
            q |= 1u << b;
        }
    }
    return q;
}

}  // namespace bignum
}  // namespace gravlin::engine
