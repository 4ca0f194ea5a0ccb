// The cell the probability text suggests: hand positions whose better guess is known, and
// small random boards where best play is found by brute force, against which the exact
// search near the end must never lose a layout.
#include "suggestion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "test_board.h"

namespace gravlin::engine {
namespace {

constexpr auto cell = [](int x, int y) { return 100 * x + y; };

struct Position {
    std::vector<Equation> equations;
    void add(std::vector<int32_t> codes, int64_t rhs) { equations.push_back({std::move(codes), rhs, true}); }
    // The total sum over every unknown named so far and `more`, which no cell equation names.
    void total(int64_t mines, const std::vector<int32_t>& more = {}) {
        std::set<int32_t> all(more.begin(), more.end());
        for (const Equation& e : equations) all.insert(e.codes.begin(), e.codes.end());
        equations.push_back({{all.begin(), all.end()}, mines, false});
    }
    std::optional<int32_t> suggestion(SuggestionRule rule = SuggestionRule::BestChance,
                                      const SuggestionLimits& limits = {}) const {
        const IndexedSystem system(equations);
        const auto at = suggestCell(system, analyseProbabilities(system), rule, limits);
        return at ? std::optional(system.codes()[*at]) : std::nullopt;
    }
};

// Thirty cells that only the total sum names, far from the rest: too many layouts to list.
std::vector<int32_t> farBlock() {
    std::vector<int32_t> block;
    for (int i = 0; i < 30; ++i) block.push_back(cell(50 + i / 5, 50 + i % 5));
    return block;
}

// X and Y hold one mine and nothing nearby can tell which, except R (a mine with 1/4), whose
// only covered neighbour is X: safe, it always proves a cell of the pair free.
TEST(Suggestion, TheLookAheadWeighsWhatACellRevealsAgainstItsRisk) {
    const int32_t X = cell(10, 10), Y = cell(10, 12), R = cell(9, 9), S = cell(30, 30);
    Position p;
    p.add({X, Y}, 1);
    p.add({R, cell(20, 5), cell(22, 5), cell(24, 5)}, 1);
    Position withS = p;
    // S is a mine with 1/5 but has no covered neighbour: R is worth more, S is safest, and
    // without work to weigh anything the safest cell stands.
    withS.add({S, cell(40, 30), cell(42, 30), cell(44, 30), cell(46, 30)}, 1);
    withS.total(18, farBlock());
    EXPECT_EQ(withS.suggestion(), R);
    EXPECT_EQ(withS.suggestion(SuggestionRule::Safest), S);
    EXPECT_EQ(withS.suggestion(SuggestionRule::BestChance, {.lookAheadWork = 0}), S);
    // The far block holds 5 mines in 30 cells; its corner cell is safer and shows 0 (freeing
    // its neighbours) more than half the time, but otherwise leaves a guess behind. Counting
    // progress, R is worth more; counting the chance to survive two steps, the corner.
    p.total(7, farBlock());
    EXPECT_EQ(p.suggestion(), R);
    EXPECT_EQ(p.suggestion(SuggestionRule::BestChance, {.twoStepLayouts = SIZE_MAX}), cell(50, 50));
}

// A ring of four cells, each pair of neighbours in the ring holding one mine: every cell is a
// mine with 1/2, and none has a covered neighbour, so each shows 0 when safe. The far block is
// as risky but its cells see each other. Whichever order the equations arrive in, the first
// cell of the far block is named; the safest rule, which prefers a constrained cell among
// equals, names the ring's first cell.
TEST(Suggestion, ADeadCellGivesWayToAnEquallySafeOneThatTellsSomething) {
    Position p;
    const int32_t ring[] = {cell(3, 3), cell(3, 5), cell(5, 5), cell(5, 3)};
    for (size_t k = 0; k < 4; ++k) p.add({ring[k], ring[(k + 1) % 4]}, 1);
    p.total(17, farBlock());
    for (int pass = 0; pass < 2; ++pass, std::reverse(p.equations.begin(), p.equations.end())) {
        EXPECT_EQ(p.suggestion(), cell(50, 50));
        EXPECT_EQ(p.suggestion(SuggestionRule::Safest), cell(3, 3));
    }
}

TEST(Suggestion, APairNoNumberCanTellApartIsGuessedFirst) {
    // X and Y hold one mine, and so do two cells further right; the far block is far safer
    // (3 mines in 30 cells). Nothing but X and Y sees them, so the pair goes first.
    Position forced;
    forced.add({cell(20, 10), cell(20, 11)}, 1);
    forced.add({cell(10, 10), cell(10, 11)}, 1);
    forced.total(5, farBlock());
    for (int pass = 0; pass < 2; ++pass, std::reverse(forced.equations.begin(), forced.equations.end()))
        EXPECT_EQ(forced.suggestion(), cell(10, 10));  // of two such pairs the lower, in any order
    EXPECT_EQ(forced.suggestion(SuggestionRule::Safest), cell(50, 50));
}

TEST(Suggestion, WideSystemsGetACellWithinTheBudget) {
    // Diagonal pairs a[x,y] + a[x+1,y+1] = 1 over a 30 x 24 field: hundreds of small
    // components, each look-ahead analysis as costly as the whole. The budget ends the
    // weighing; the cell named is the same on every call.
    Position p;
    for (int x = 1; x <= 29; ++x)
        for (int y = 1; y <= 23; ++y) p.add({cell(x, y), cell(x + 1, y + 1)}, 1);
    const SuggestionLimits small{.lookAheadWork = 2'000'000};
    const auto first = p.suggestion(SuggestionRule::BestChance, small);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(p.suggestion(SuggestionRule::BestChance, small), first);
}

// ---------------------------------------------------------------------------------------
// Small boards: the exact search against best play found by brute force.

// A random board with some safe cells open.
Board randomBoard(std::mt19937_64& rng) {
    Board b;
    b.width = std::uniform_int_distribution<int>(3, 5)(rng);
    b.height = std::uniform_int_distribution<int>(3, 4)(rng);
    for (int i = b.width * b.height; i > 0; --i) b.mine.push_back(std::bernoulli_distribution(0.25)(rng));
    for (char m : b.mine) b.open.push_back(!m && std::bernoulli_distribution(0.4)(rng));
    return b;
}

// Best play by brute force: every layout of the covered cells that fits what the open cells
// show, and for a set of them the most a player can win by opening any covered cell.
struct BestPlay {
    const Board& b;
    std::vector<int32_t> covered;
    std::vector<std::vector<char>> layouts;
    std::map<std::vector<int>, int> memo;

    explicit BestPlay(const Board& board) : b(board) {
        for (int x = 1; x <= b.width; ++x)
            for (int y = 1; y <= b.height; ++y)
                if (!b.open[b.at(x, y)]) covered.push_back(cell(x, y));
        const auto mines = std::count(b.mine.begin(), b.mine.end(), 1);
        for (uint32_t bits = 0; bits < (1u << covered.size()); ++bits) {
            std::vector<char> m(b.mine.size(), 0);
            for (size_t k = 0; k < covered.size(); ++k) m[b.at(covered[k])] = bits >> k & 1;
            bool fits = std::count(m.begin(), m.end(), 1) == mines;
            for (int x = 1; x <= b.width && fits; ++x)
                for (int y = 1; y <= b.height && fits; ++y)
                    fits = !b.open[b.at(x, y)] || b.shows(x, y, m) == b.shows(x, y, b.mine);
            if (fits) layouts.push_back(m);
        }
    }
    // What opening the cell tells: -1 for a mine, else the number shown.
    int outcome(int32_t code, int layout) const {
        const auto& m = layouts[static_cast<size_t>(layout)];
        return m[b.at(code)] ? -1 : b.shows(code / 100, code % 100, m);
    }
    // Layouts won when the cell is opened first, then played best.
    int afterOpening(int32_t code, const std::vector<int>& set) {
        std::map<int, std::vector<int>> parts;
        for (int s : set) parts[outcome(code, s)].push_back(s);
        int sum = 0;
        for (const auto& [shown, part] : parts) sum += shown < 0 ? 0 : best(part);
        return sum;
    }
    int best(const std::vector<int>& set) {
        if (set.size() == 1) return 1;
        if (const auto it = memo.find(set); it != memo.end()) return it->second;
        int most = 0;
        for (int32_t c : covered) {
            // Worth opening where it is a mine in some layouts or shows different numbers.
            std::set<int> outcomes;
            for (int s : set) outcomes.insert(outcome(c, s));
            if (outcomes.size() > 1) most = std::max(most, afterOpening(c, set));
        }
        return memo[set] = most;
    }
};

TEST(Endgame, NeverLosesALayoutToBestPlay) {
    int searched = 0;
    for (uint64_t seed = 1; seed <= 800 && !::testing::Test::HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937_64 rng(seed);
        const Board board = randomBoard(rng);
        const auto eqs = board.equations(true);
        if (eqs.empty() || std::count(board.open.begin(), board.open.end(), 0) > 12) continue;
        const IndexedSystem system(eqs);
        const Analysis an = analyseProbabilities(system);
        // Only where a guess is needed: nothing certainly free, something undecided.
        if (std::count(an.value.begin(), an.value.end(), 0) > 0 ||
            std::count(an.value.begin(), an.value.end(), -1) == 0)
            continue;
        const auto at = suggestCell(system, an);
        ASSERT_TRUE(at.has_value());
        BestPlay play(board);
        std::vector<int> all(play.layouts.size());
        std::iota(all.begin(), all.end(), 0);
        EXPECT_EQ(play.afterOpening(system.codes()[*at], all), play.best(all));
        ++searched;
        // The same search with no room to number the layouts, or no work, answers nothing.
        std::vector<size_t> order;
        for (size_t i = 0; i < an.value.size(); ++i)
            if (an.value[i] < 0) order.push_back(i);
        EXPECT_FALSE(bestEndgameCell(system, an, order, {0, 64, 1'000'000}).cell.has_value());
        EXPECT_FALSE(bestEndgameCell(system, an, order, {1000, 64, 1}).cell.has_value());
        EXPECT_TRUE(bestEndgameCell(system, an, order, {SIZE_MAX, 64, UINT64_MAX}).cell.has_value());
    }
    EXPECT_GT(searched, 100);
}

}  // namespace
}  // namespace gravlin::engine
