// Random small systems, checked against enumerating every 0/1 assignment.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "analysis.h"
#include "equation.h"
#include "prepare.h"

namespace gravlin::engine {
namespace {

uint64_t baseSeed() {
    const char* env = std::getenv("GRAVLIN_TEST_SEED");
    return env != nullptr ? std::strtoull(env, nullptr, 10) : 20240611u;
}

struct Enumeration {
    uint64_t solutions = 0;
    std::vector<uint64_t> mines;  // per unknown index, solutions with a mine there
};

Enumeration enumerate(const std::vector<Equation>& eqs, const std::vector<int32_t>& codes) {
    std::vector<std::pair<uint32_t, int64_t>> masks;
    for (const auto& e : eqs) {
        uint32_t m = 0;
        for (int32_t c : e.codes)
            for (size_t i = 0; i < codes.size(); ++i)
                if (codes[i] == c) m |= 1u << i;
        masks.emplace_back(m, e.rhs);
    }
    Enumeration r;
    r.mines.assign(codes.size(), 0);
    for (uint32_t a = 0; a < (1u << codes.size()); ++a) {
        bool ok = true;
        for (const auto& [m, rhs] : masks) ok = ok && std::popcount(a & m) == rhs;
        if (!ok) continue;
        ++r.solutions;
        for (size_t i = 0; i < codes.size(); ++i)
            if (a >> i & 1u) ++r.mines[i];
    }
    return r;
}

std::string describe(const std::vector<Equation>& eqs) {
    std::string s;
    for (const auto& e : eqs) {
        for (size_t i = 0; i < e.codes.size(); ++i) s += (i ? "+" : "") + std::to_string(e.codes[i]);
        s += "=" + std::to_string(e.rhs) + (e.cellEquation ? "\n" : " (total)\n");
    }
    return s;
}

// Arbitrary subsets, including long equations that overlap the others; `extra` gets one
// more equation, true for the hidden layout.
std::vector<Equation> subsetSystem(std::mt19937_64& rng, bool withTotal, Equation& extra) {
    const int n = std::uniform_int_distribution<int>(1, 22)(rng);
    std::vector<int32_t> codes;
    for (int i = 0; i < n; ++i) codes.push_back((i % 5 + 1) * 100 + i / 5 + 1);
    std::vector<int> hidden(static_cast<size_t>(n));
    for (auto& v : hidden) v = std::bernoulli_distribution(0.35)(rng);
    const int count = std::uniform_int_distribution<int>(0, 8)(rng);
    std::vector<Equation> eqs;
    for (int k = 0; k < count; ++k) {
        Equation e;
        const double density = std::uniform_real_distribution<double>(0.05, 0.7)(rng);
        for (int i = 0; i < n; ++i)
            if (std::bernoulli_distribution(density)(rng)) {
                e.codes.push_back(codes[static_cast<size_t>(i)]);
                e.rhs += hidden[static_cast<size_t>(i)];
            }
        if (e.codes.empty()) continue;
        if (std::bernoulli_distribution(0.08)(rng)) e.rhs += std::uniform_int_distribution<int>(-2, 2)(rng);
        eqs.push_back(e);
    }
    for (int i = 0; i < n; ++i)
        if (std::bernoulli_distribution(0.3)(rng)) {
            extra.codes.push_back(codes[static_cast<size_t>(i)]);
            extra.rhs += hidden[static_cast<size_t>(i)];
        }
    if (withTotal) {
        Equation t;
        t.cellEquation = false;
        t.codes = codes;
        for (int v : hidden) t.rhs += v;
        if (std::bernoulli_distribution(0.1)(rng)) t.rhs = std::uniform_int_distribution<int>(-1, n + 1)(rng);
        eqs.push_back(t);
    }
    return eqs;
}

void crossCheck(const std::vector<Equation>& eqs, uint64_t seed) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " (GRAVLIN_TEST_SEED replays the run)\n" + describe(eqs));
    const Analysis det = analyseDetermination(eqs);
    const Analysis prob = analyseProbabilities(eqs);
    ASSERT_EQ(det.codes, prob.codes);
    ASSERT_LE(det.codes.size(), 22u);
    const Enumeration brute = enumerate(eqs, det.codes);

    const auto expected = brute.solutions == 0 ? Analysis::Status::NoSolution : Analysis::Status::Solvable;
    ASSERT_EQ(det.status, expected);
    ASSERT_EQ(prob.status, expected);
    const Census counted = census(IndexedSystem(eqs));
    EXPECT_EQ(counted.analysis.value, det.value);
    EXPECT_EQ(counted.layouts, bignum::trimmed(&brute.solutions, 1));
    if (brute.solutions == 0) return;
    for (size_t i = 0; i < det.codes.size(); ++i) {
        SCOPED_TRACE("unknown " + std::to_string(det.codes[i]));
        const int8_t want = brute.mines[i] == 0 ? 0 : brute.mines[i] == brute.solutions ? 1 : -1;
        EXPECT_EQ(det.value[i], want);
        EXPECT_EQ(prob.value[i], want);
        // num / den == mines / solutions
        const auto lhs = bignum::multiply(prob.probability(i)->num, {brute.solutions});
        const auto rhs = bignum::multiply(prob.probability(i)->den, {brute.mines[i]});
        EXPECT_EQ(bignum::compare(lhs, rhs), 0);
    }
}

TEST(CrossCheck, RandomSystemsMatchEnumeration) {
    const uint64_t base = baseSeed();
    for (uint64_t i = 0; i < 1500; ++i) {
        std::mt19937_64 rng(base + i);
        Equation extra;
        std::vector<Equation> eqs = subsetSystem(rng, i % 2 == 0, extra);
        crossCheck(eqs, base + i);
        // One equation more, given apart to a system indexed once, decides as if given with it.
        if (extra.codes.empty()) continue;
        const IndexedSystem system(eqs);
        IndexedEquation indexed{{}, extra.rhs};
        for (int32_t c : extra.codes)
            if (auto at = system.indexOf(c)) indexed.vars.push_back(*at);
        if (indexed.vars.size() != extra.codes.size()) continue;
        std::sort(indexed.vars.begin(), indexed.vars.end());
        eqs.push_back(extra);
        EXPECT_EQ(analyseDetermination(system, {&indexed, 1}).value, analyseDetermination(eqs).value)
            << "seed " << base + i;
        const uint64_t solutions = enumerate(eqs, system.codes()).solutions;
        EXPECT_EQ(census(system, {&indexed, 1}).layouts, bignum::trimmed(&solutions, 1))
            << "seed " << base + i;
        if (::testing::Test::HasFailure()) return;
    }
}

}  // namespace
}  // namespace gravlin::engine
