// The suggestion where no cell is certain: hand positions whose better guess is known.
#include "suggestion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "analysis.h"
#include "equation.h"
#include "prepare.h"

namespace gravlin::engine {
namespace {

constexpr int32_t cell(int x, int y) {
    return 100 * x + y;
}

struct Position {
    std::vector<Equation> equations;
    void add(std::vector<int32_t> codes, int64_t rhs) {
        std::sort(codes.begin(), codes.end());
        equations.push_back({std::move(codes), rhs, true});
    }
    // The total sum over every unknown named so far and `more`, which no cell equation names.
    void total(int64_t mines, std::vector<int32_t> more = {}) {
        for (const Equation& e : equations) more.insert(more.end(), e.codes.begin(), e.codes.end());
        std::sort(more.begin(), more.end());
        more.erase(std::unique(more.begin(), more.end()), more.end());
        equations.push_back({std::move(more), mines, false});
    }
    std::optional<int32_t> suggestion(SuggestionRule rule = SuggestionRule::BestChance) const {
        const IndexedSystem system(equations);
        const auto at = suggestCell(system, analyseProbabilities(system), rule);
        return at ? std::optional(system.codes()[*at]) : std::nullopt;
    }
};

// Thirty cells that only the total sum names, half of them mines: too many layouts to list,
// and none of them safe enough to be a candidate.
std::vector<int32_t> farBlock() {
    std::vector<int32_t> block;
    for (int x = 50; x < 56; ++x)
        for (int y = 50; y < 55; ++y) block.push_back(cell(x, y));
    return block;
}

TEST(Suggestion, ARiskierCellThatDecidesTheRestBeatsASaferCellThatRevealsNothing) {
    // X and Y hold one mine and nothing nearby can tell which, except R, whose only covered
    // neighbour is X. R is a mine with 1/4, S with 1/5, but S has no covered neighbour.
    const int32_t X = cell(10, 10), Y = cell(10, 12), R = cell(9, 9), S = cell(30, 30);
    Position p;
    p.add({X, Y}, 1);
    p.add({R, cell(20, 5), cell(22, 5), cell(24, 5)}, 1);
    p.add({S, cell(40, 30), cell(42, 30), cell(44, 30), cell(46, 30)}, 1);
    p.total(18, farBlock());
    EXPECT_EQ(p.suggestion(), R);
    EXPECT_EQ(p.suggestion(SuggestionRule::Safest), S);
}

TEST(Suggestion, UnbreakableFiftyFiftiesAreNamedWithoutEndlessSearch) {
    // Three pairs, each one mine that no opening can locate: any cell of them is as good,
    // and the first pair's first cell is named on every call.
    Position p;
    p.add({cell(2, 2), cell(2, 4)}, 1);
    p.add({cell(6, 2), cell(6, 4)}, 1);
    p.add({cell(10, 2), cell(10, 4)}, 1);
    p.total(3);
    for (int run = 0; run < 3; ++run) EXPECT_EQ(p.suggestion(), cell(2, 2));
}

TEST(Suggestion, TiesDoNotDependOnTheOrderTheEquationsArrive) {
    // Every cell of a symmetric ring is as good as any other; the answer is the same cell
    // whatever order the equations come in.
    Position p;
    const std::vector<int32_t> ring{cell(3, 3), cell(3, 5), cell(5, 3), cell(5, 5)};
    p.add({ring[0], ring[1]}, 1);
    p.add({ring[1], ring[3]}, 1);
    p.add({ring[3], ring[2]}, 1);
    p.add({ring[2], ring[0]}, 1);
    p.total(7, farBlock());
    const auto first = p.suggestion();
    ASSERT_TRUE(first);
    std::reverse(p.equations.begin(), p.equations.end());
    EXPECT_EQ(p.suggestion(), first);
}

TEST(Suggestion, ACertainlyFreeCellComesFirstAndNothingIsGuessedWithoutSolution) {
    Position p;
    p.add({cell(1, 1), cell(1, 2)}, 1);
    p.add({cell(1, 2)}, 1);
    p.total(1, {cell(9, 9)});
    EXPECT_EQ(p.suggestion(), cell(1, 1));
    Position none;
    none.add({cell(1, 1)}, 2);
    EXPECT_EQ(none.suggestion(), std::nullopt);
}

TEST(Suggestion, TheSafestRulePrefersConstrainedCellsAmongEquals) {
    // All four cells 50 %: 0303 is the first that a cell equation names.
    Position p;
    p.add({cell(3, 3), cell(3, 4)}, 1);
    p.total(2, {cell(1, 1), cell(1, 2)});
    EXPECT_EQ(p.suggestion(SuggestionRule::Safest), cell(3, 3));
}

}  // namespace
}  // namespace gravlin::engine
