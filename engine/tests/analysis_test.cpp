// Hand-made positions whose answers a player can check on paper.
#include "analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "equation.h"

namespace gravlin::engine {
namespace {

std::vector<Equation> system(std::initializer_list<const char*> lines, const char* total = nullptr) {
    std::vector<Equation> eqs;
    for (const char* line : lines) {
        Equation e;
        EXPECT_EQ(parseCompact(line, e), ParseResult::Ok) << line;
        eqs.push_back(e);
    }
    if (total != nullptr) {
        Equation e;
        EXPECT_EQ(parseCompact(total, e), ParseResult::Ok) << total;
        e.cellEquation = false;
        eqs.push_back(e);
    }
    return eqs;
}

// "0" free, "1" mine, "?" undecided, per unknown in code order.
std::string verdicts(const Analysis& a) {
    std::string s;
    for (int8_t v : a.value) s += v == 0 ? '0' : v == 1 ? '1' : '?';
    return s;
}

TEST(Determination, OneTwoOneMarksTheOuterCellsAsMines) {
    // Numbers 1 2 1 along a wall over five covered cells.
    const auto b = analyseDetermination(system({"0101+0201+0301=1", "0201+0301+0401=2", "0301+0401+0501=1"}));
    EXPECT_EQ(verdicts(b), "01010");
}

TEST(Determination, OneTwoTwoOneMarksTheMiddlePair) {
    const auto a = analyseDetermination(
        system({"0101+0201+0301=1", "0201+0301+0401=2", "0301+0401+0501=2", "0401+0501+0601=1"}));
    EXPECT_EQ(verdicts(a), "001100");
}

TEST(Determination, RestZeroFreesEveryNeighbour) {
    const auto a = analyseDetermination(system({"0101+0102+0202=0", "0202+0303=1"}));
    EXPECT_EQ(verdicts(a), "0001");
}

TEST(Determination, TotalSumAloneDecidesOnlyAtTheExtremes) {
    EXPECT_EQ(verdicts(analyseDetermination(system({}, "0101+0102+0103=0"))), "000");
    EXPECT_EQ(verdicts(analyseDetermination(system({}, "0101+0102+0103=3"))), "111");
    EXPECT_EQ(verdicts(analyseDetermination(system({}, "0101+0102+0103=1"))), "???");
    EXPECT_EQ(analyseDetermination(system({}, "0101+0102+0103=4")).status, Analysis::Status::NoSolution);
}

TEST(Determination, TotalSumDecidesCellsNoCellEquationTouches) {
    // One mine between 0101 and 0102, and only one mine in all: 0505 and 0606 are free.
    const auto a = analyseDetermination(system({"0101+0102=1"}, "0101+0102+0505+0606=1"));
    EXPECT_EQ(verdicts(a), "??00");
    // Two unknowns, one equation over both, and a total that leaves room for both.
    const auto b = analyseDetermination(system({"0101+0102=1"}, "0101+0102+0203=2"));
    EXPECT_EQ(verdicts(b), "??1");
}

TEST(Determination, TotalSumDecidesBetweenComponents) {
    // Two separate pairs with one mine each use up the total of 2: the rest is free.
    const auto a =
        analyseDetermination(system({"0101+0102=1", "0505+0506=1"}, "0101+0102+0505+0506+0909+0910+0911=2"));
    EXPECT_EQ(verdicts(a), "????000");
}

TEST(Determination, TotalSumPicksBetweenLayoutsWithDifferentMineCounts) {
    // Either 0102 alone or 0101 and 0103 together: the total decides which, and a total
    // that leaves room for either (two more cells outside) decides nothing.
    const auto eqs = {"0101+0102=1", "0102+0103=1"};
    EXPECT_EQ(verdicts(analyseDetermination(system(eqs, "0101+0102+0103=2"))), "101");
    EXPECT_EQ(verdicts(analyseDetermination(system(eqs, "0101+0102+0103=1"))), "010");
    EXPECT_EQ(verdicts(analyseDetermination(system(eqs, "0101+0102+0103+0909+0910=2"))), "?????");
    EXPECT_EQ(verdicts(analyseDetermination(system(eqs, "0101+0102+0103+0909+0910=4"))), "10111");
    EXPECT_EQ(analyseDetermination(system(eqs, "0101+0102+0103=3")).status, Analysis::Status::NoSolution);
}

TEST(Determination, NegativeRightSideHasNoSolution) {
    const auto a = analyseDetermination(system({"0101+0102=-1"}));
    EXPECT_EQ(a.status, Analysis::Status::NoSolution);
    EXPECT_EQ(verdicts(a), "??");
}

TEST(Determination, ContradictingDuplicatesHaveNoSolution) {
    EXPECT_EQ(analyseDetermination(system({"0101+0102=1", "0102+0101=2"})).status,
              Analysis::Status::NoSolution);
    EXPECT_EQ(verdicts(analyseDetermination(system({"0101+0102=1", "0102+0101=1", "0101=1"}))), "10");
}

TEST(Determination, NeedsMoreThanLocalRules) {
    // Subset reasoning: {a,b}=1 inside {a,b,c}=2 makes c a mine, then {c,d}=1 frees d.
    const auto a = analyseDetermination(system({"0101+0102=1", "0101+0102+0103=2", "0103+0104=1"}));
    EXPECT_EQ(verdicts(a), "??10");
}

TEST(Probabilities, HugeUnconstrainedAreaStaysExact) {
    // 720 unknowns, 99 mines, one cell equation: the weights reach C(719, 98).
    std::string total;
    for (int x = 1; x <= 30; ++x)
        for (int y = 1; y <= 24; ++y) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "%02d%02d", x, y);
            total += (total.empty() ? "" : "+") + std::string(buf);
        }
    const auto a = analyseProbabilities(system({"0101+0102=1"}, (total + "=99").c_str()));
    ASSERT_EQ(a.status, Analysis::Status::Solvable);
    // P(0101) = 1/2 exactly; P(0103) = 98 / 718.
    EXPECT_EQ(bignum::compare(bignum::multiply(a.probability(0)->num, {2}), a.probability(0)->den), 0);
    EXPECT_EQ(bignum::compare(bignum::multiply(a.probability(2)->num, {718}),
                              bignum::multiply(a.probability(2)->den, {98})),
              0);
    for (int8_t v : a.value) EXPECT_EQ(v, -1);
}

}  // namespace
}  // namespace gravlin::engine
