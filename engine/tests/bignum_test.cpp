// The exact numbers against closed forms, at sizes that need several limbs.
#include "bignum.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "analysis.h"
#include "count_set.h"

namespace gravlin::engine {
namespace {

// A deliberately plain big number for the expected values: decimal digits, least first.
struct Decimal {
    std::vector<unsigned> digits{1};

    void times(uint64_t f) { add(0, f); }
    // this = this * f + a
    void add(uint64_t a, uint64_t f = 1) {
        bignum::WideLimb carry = a;
        for (unsigned& d : digits) {
            const bignum::WideLimb t = static_cast<bignum::WideLimb>(d) * f + carry;
            d = static_cast<unsigned>(t % 10);
            carry = t / 10;
        }
        for (; carry != 0; carry /= 10) digits.push_back(static_cast<unsigned>(carry % 10));
        trim();
    }
    void dividedBy(uint64_t d) {  // exact
        bignum::WideLimb rest = 0;
        for (size_t i = digits.size(); i-- > 0;) {
            rest = rest * 10 + digits[i];
            digits[i] = static_cast<unsigned>(rest / d);
            rest %= d;
        }
        trim();
    }
    Decimal operator*(const Decimal& o) const {
        Decimal r;
        r.digits.assign(digits.size() + o.digits.size(), 0);
        for (size_t i = 0; i < digits.size(); ++i)
            for (size_t j = 0; j < o.digits.size(); ++j) r.digits[i + j] += digits[i] * o.digits[j];
        for (size_t i = 0; i + 1 < r.digits.size(); ++i) {
            r.digits[i + 1] += r.digits[i] / 10;
            r.digits[i] %= 10;
        }
        r.trim();
        return r;
    }
    void trim() {
        while (digits.size() > 1 && digits.back() == 0) digits.pop_back();
    }
    static Decimal binomial(uint64_t n, uint64_t k) {
        Decimal r;
        if (k > n) r.digits = {0};
        for (uint64_t i = 1; i <= k && k <= n; ++i) {
            r.times(n - k + i);
            r.dividedBy(i);
        }
        return r;
    }
    bool operator==(const Decimal&) const = default;
};

Decimal decimal(const bignum::Number& n) {
    Decimal r;
    r.digits = {0};
    for (size_t i = n.size(); i-- > 0;) {
        r.times(uint64_t{1} << 32);
        r.add(n[i], uint64_t{1} << 32);
    }
    return r;
}

TEST(Bignum, BinomialRowsMatchTheProductFormula) {
    for (const auto& [n, lo, hi] : std::vector<std::tuple<size_t, size_t, size_t>>{
             {720, 0, 3}, {720, 95, 99}, {720, 357, 363}, {720, 718, 720}, {9801, 4900, 4901}, {5, 4, 7}}) {
        const size_t width = bignum::widthFor(n);
        std::vector<bignum::Limb> row((hi - lo + 1) * width);
        bignum::binomials(n, lo, hi, row.data(), width);
        for (size_t k = lo; k <= hi; ++k)
            EXPECT_EQ(decimal(bignum::trimmed(&row[(k - lo) * width], width)), Decimal::binomial(n, k))
                << "C(" << n << ", " << k << ")";
    }
}

// The number of layouts in all, through the whole analysis: a group of 100 interchangeable
// unknowns with 40 mines, 150 separate pairs with one mine each, and 300 unknowns that only
// the total sum of 250 names. The 300 unknowns' probability has denominator 300 times the
// layouts, C(100, 40) * 2^150 * C(300, 60), and numerator 60 times the layouts.
TEST(Bignum, LayoutCountOfIndependentPartsIsTheProduct) {
    auto code = [](int i) { return (i / 99 + 1) * 100 + i % 99 + 1; };
    std::vector<Equation> eqs;
    Equation group, total;
    for (int i = 0; i < 100; ++i) group.codes.push_back(code(i));
    group.rhs = 40;
    eqs.push_back(group);
    for (int i = 0; i < 150; ++i) eqs.push_back(Equation{{code(100 + 2 * i), code(101 + 2 * i)}, 1, true});
    for (int i = 0; i < 700; ++i) total.codes.push_back(code(i));
    total.rhs = 250;
    total.cellEquation = false;
    eqs.push_back(total);
    const Analysis a = analyseProbabilities(eqs);
    ASSERT_EQ(a.status, Analysis::Status::Solvable);
    const Analysis::Fraction* onlyTotal = a.probability(699);
    ASSERT_NE(onlyTotal, nullptr);
    Decimal layouts = Decimal::binomial(100, 40) * Decimal::binomial(300, 60);
    for (int i = 0; i < 150; ++i) layouts.times(2);
    Decimal den = layouts, num = layouts;
    den.times(300);
    num.times(60);
    EXPECT_EQ(decimal(onlyTotal->den), den);
    EXPECT_EQ(decimal(onlyTotal->num), num);
    // Each member of the group: 40 / 100; each of a pair: 1 / 2.
    const Analysis::Fraction* member = a.probability(0);
    EXPECT_EQ(bignum::compare(bignum::multiply(member->num, {100}), bignum::multiply(member->den, {40})), 0);
    const Analysis::Fraction* half = a.probability(100);
    EXPECT_EQ(bignum::compare(bignum::multiply(half->num, {2}), half->den), 0);
}

TEST(Bignum, WritesThatDoNotFitFailLoudly) {
    using bignum::Limb;
    const Limb max = ~Limb{0};
    const std::vector<Limb> one{1, 0}, top{max, 0}, high{0, 1};
    std::vector<Limb> d = top;
    EXPECT_THROW(bignum::add(d.data(), 1, one.data(), 1), bignum::Overflow);
    d = top;
    bignum::add(d.data(), 2, one.data(), 1);
    EXPECT_EQ(d, high);
    d = high;
    EXPECT_THROW(bignum::addMul(d.data(), 2, high.data(), 2, max), bignum::Overflow);
    d = {0, 0};
    EXPECT_THROW(bignum::addProduct(d.data(), 2, high.data(), 2, high.data(), 2), bignum::Overflow);
    d = {0, 0};
    const std::vector<Limb> two{2}, half{0, Limb{1} << 63};
    EXPECT_THROW(bignum::addProduct(d.data(), 2, half.data(), 2, two.data(), 1), bignum::Overflow);
    d = {0, 0, 0};
    bignum::addProduct(d.data(), 3, high.data(), 2, top.data(), 2);
    EXPECT_EQ(d, (std::vector<Limb>{0, max, 0}));
    EXPECT_THROW(bignum::divideExact({7}, {2}), bignum::Overflow);
}

TEST(Bignum, GreatestCommonDivisorAndExactDivision) {
    // 2^130 * 3^5 and 2^70 * 3^9 * 5 share 2^70 * 3^5.
    auto power = [](bignum::Number x, uint64_t base, int times) {
        for (int i = 0; i < times; ++i) x = bignum::trimmed(bignum::multiply(x, {base}).data(), x.size() + 1);
        return x;
    };
    const bignum::Number a = power(power({1}, 2, 130), 3, 5);
    const bignum::Number b = power(power(power({1}, 2, 70), 3, 9), 5, 1);
    const bignum::Number g = power(power({1}, 2, 70), 3, 5);
    EXPECT_EQ(bignum::gcd(a, b), g);
    EXPECT_EQ(bignum::divideExact(a, g), power({1}, 2, 60));
    EXPECT_EQ(bignum::divideExact(b, g), power(power({1}, 3, 4), 5, 1));
    EXPECT_EQ(bignum::gcd({}, b), b);
}

// The bit rows of mine counts against one bit at a time, across word boundaries.
TEST(CountRows, ShiftedOperationsMatchBitByBit) {
    std::mt19937_64 rng(7);
    auto bit = [](const std::vector<Word>& r, ptrdiff_t i) {
        return i >= 0 && static_cast<size_t>(i) < r.size() * 64 &&
               (r[static_cast<size_t>(i) / 64] >> (i % 64) & 1);
    };
    for (int round = 0; round < 36; ++round) {
        // Sparse rows under dense ones, and the other way round, so that every lost bit shows.
        std::vector<Word> a(1 + round % 3), b(1 + round / 3 % 3);
        for (Word& w : a) w = round % 2 ? rng() & rng() : rng() | rng();
        for (Word& w : b) w = round % 2 ? rng() | rng() : rng() & rng();
        for (ptrdiff_t shift = -140; shift <= 140; ++shift) {
            std::vector<Word> ored = a, anded = a;
            orShifted(ored.data(), ored.size(), b.data(), b.size(), shift);
            andShifted(anded.data(), anded.size(), b.data(), b.size(), shift);
            bool meets = false;
            for (ptrdiff_t i = 0; i < static_cast<ptrdiff_t>(a.size() * 64); ++i) {
                ASSERT_EQ(bit(ored, i), bit(a, i) || bit(b, i - shift)) << round << " " << shift << " " << i;
                ASSERT_EQ(bit(anded, i), bit(a, i) && bit(b, i - shift)) << round << " " << shift << " " << i;
                meets = meets || (bit(a, i) && bit(b, i - shift));
            }
            ASSERT_EQ(meetsShifted(a.data(), a.size(), b.data(), b.size(), shift), meets)
                << round << " " << shift;
        }
    }
}

}  // namespace
}  // namespace gravlin::engine
