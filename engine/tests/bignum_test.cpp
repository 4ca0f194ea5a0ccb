// The exact numbers against closed forms, at sizes that need many limbs.
#include "bignum.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "analysis.h"

namespace gravlin::engine {
namespace {

// Expected values are compared modulo a large prime, which any lost, doubled or misplaced
// carry changes.
constexpr uint64_t kPrime = (uint64_t{1} << 61) - 1;

uint64_t mulMod(uint64_t a, uint64_t b) {
    return static_cast<uint64_t>(static_cast<bignum::WideLimb>(a) * b % kPrime);
}

uint64_t residue(const bignum::Number& n) {
    uint64_t r = 0;
    for (size_t i = n.size(); i-- > 0;)
        r = static_cast<uint64_t>((static_cast<bignum::WideLimb>(r) << 64 | n[i]) % kPrime);
    return r;
}

uint64_t binomial(uint64_t n, uint64_t k) {  // n below the prime
    if (k > n) return 0;
    uint64_t num = 1, den = 1, inverse = 1;
    for (uint64_t i = 1; i <= k; ++i) {
        num = mulMod(num, n - k + i);
        den = mulMod(den, i);
    }
    for (uint64_t e = kPrime - 2; e != 0; e >>= 1, den = mulMod(den, den))
        if (e & 1) inverse = mulMod(inverse, den);
    return mulMod(num, inverse);
}

TEST(Bignum, BinomialRowsMatchTheProductFormula) {
    for (const auto& [n, lo, hi] : std::vector<std::tuple<size_t, size_t, size_t>>{
             {720, 0, 3}, {720, 95, 99}, {720, 357, 363}, {720, 718, 720}, {9801, 4900, 4901}, {5, 4, 7}}) {
        const size_t width = bignum::widthFor(n);
        std::vector<bignum::Limb> row((hi - lo + 1) * width);
        bignum::binomials(n, lo, hi, row.data(), width);
        for (size_t k = lo; k <= hi; ++k)
            EXPECT_EQ(residue(bignum::trimmed(&row[(k - lo) * width], width)), binomial(n, k))
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
    uint64_t layouts = mulMod(binomial(100, 40), binomial(300, 60));
    for (int i = 0; i < 150; ++i) layouts = mulMod(layouts, 2);
    EXPECT_EQ(residue(onlyTotal->den), mulMod(layouts, 300));
    EXPECT_EQ(residue(onlyTotal->num), mulMod(layouts, 60));
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

}  // namespace
}  // namespace gravlin::engine
