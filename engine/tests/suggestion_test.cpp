// The cell the probability text suggests: hand positions whose better guess is known, and
// small random boards where best play is found by brute force, against which the exact
// search near the end must never lose a layout.
#include "suggestion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "analysis.h"
#include "endgame.h"
#include "equation.h"
#include "prepare.h"

namespace gravlin::engine {
namespace {

constexpr auto cell = [](int x, int y) { return 100 * x + y; };

struct Position {
    std::vector<Equation> equations;
    void add(std::vector<int32_t> codes, int64_t rhs) { equations.push_back({std::move(codes), rhs, true}); }
    // The total sum over every unknown named so far and `more`, which no cell equation names.
    void total(int64_t mines, std::vector<int32_t> more = {}) {
        for (const Equation& e : equations) more.insert(more.end(), e.codes.begin(), e.codes.end());
        std::sort(more.begin(), more.end());
        more.erase(std::unique(more.begin(), more.end()), more.end());
        equations.push_back({std::move(more), mines, false});
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

TEST(Suggestion, ACertainlyFreeCellComesFirstAndNothingIsGuessedWithoutSolution) {
    Position p;
    p.add({cell(1, 1), cell(1, 2)}, 1);
    p.add({cell(1, 2)}, 1);
    // A forced pair elsewhere and few layouts: neither outranks the free cell.
    p.add({cell(9, 2), cell(9, 3)}, 1);
    p.total(2, {cell(20, 20)});
    EXPECT_EQ(p.suggestion(), cell(1, 1));
    Position none;
    none.add({cell(1, 1)}, 2);
    EXPECT_EQ(none.suggestion(), std::nullopt);
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
    // Without work to weigh anything, the safest cell stands.
    SuggestionLimits none;
    none.lookAheadWork = 0;
    EXPECT_EQ(p.suggestion(SuggestionRule::BestChance, none), S);
}

TEST(Suggestion, TwoStepsWeighTheNextGuessWhereProgressWeighsItsChance) {
    // R (a mine with 1/4) sees X of a pair that only it can tell apart: safe, it always
    // proves a cell of the pair free. The far block holds 5 mines in 30 cells; its corner
    // cell is safer and shows 0 (freeing its neighbours) more than half the time, but
    // otherwise leaves a guess behind. Counting progress, R is worth more; counting the
    // chance to survive two steps, the corner.
    const int32_t X = cell(10, 10), Y = cell(10, 12), R = cell(9, 9);
    Position p;
    p.add({X, Y}, 1);
    p.add({R, cell(20, 5), cell(22, 5), cell(24, 5)}, 1);
    p.total(7, farBlock());
    SuggestionLimits twoSteps;
    twoSteps.twoStepLayouts = SIZE_MAX;
    EXPECT_EQ(p.suggestion(), R);
    EXPECT_EQ(p.suggestion(SuggestionRule::BestChance, twoSteps), cell(50, 50));
}

TEST(Suggestion, ADeadCellGivesWayToAnEquallySafeOneThatTellsSomething) {
    // A ring of four cells, each pair of neighbours in the ring holding one mine: every
    // cell is a mine with 1/2, and none has a covered neighbour, so each shows 0 when safe.
    // The far block is as risky but its cells see each other. Whichever order the
    // equations arrive in, the first cell of the far block is named; the safest rule,
    // which prefers a constrained cell among equals, names the ring's first cell.
    Position p;
    const int32_t ring[] = {cell(3, 3), cell(3, 5), cell(5, 5), cell(5, 3)};
    for (size_t k = 0; k < 4; ++k) p.add({ring[k], ring[(k + 1) % 4]}, 1);
    p.total(17, farBlock());
    EXPECT_EQ(p.suggestion(), cell(50, 50));
    EXPECT_EQ(p.suggestion(SuggestionRule::Safest), cell(3, 3));
    std::reverse(p.equations.begin(), p.equations.end());
    EXPECT_EQ(p.suggestion(), cell(50, 50));
    EXPECT_EQ(p.suggestion(SuggestionRule::Safest), cell(3, 3));
}

TEST(Suggestion, APairNoNumberCanTellApartIsGuessedFirstAndOnlyThen) {
    // X and Y hold one mine, and so do two cells further right; the far block is far safer
    // (3 mines in 30 cells). Nothing but X and Y sees them, so the pair goes first. A covered cell beside X
    // alone could tell them apart: then the far block's safety counts.
    const int32_t X = cell(10, 10), Y = cell(10, 11);
    Position forced;
    forced.add({cell(20, 10), cell(20, 11)}, 1);
    forced.add({X, Y}, 1);
    forced.total(5, farBlock());
    EXPECT_EQ(forced.suggestion(), X);  // of two such pairs the lower, in any order
    std::reverse(forced.equations.begin(), forced.equations.end());
    EXPECT_EQ(forced.suggestion(), X);
    EXPECT_EQ(forced.suggestion(SuggestionRule::Safest), cell(50, 50));
    Position told;
    told.add({X, Y}, 1);
    std::vector<int32_t> more = farBlock();
    more.push_back(cell(9, 9));
    told.total(4, more);
    ASSERT_TRUE(told.suggestion().has_value());
    EXPECT_NE(told.suggestion(), X);
    EXPECT_NE(told.suggestion(), Y);
    // A pair whose cells are named by different equations may be a mine unevenly often.
    Position uneven;
    uneven.add({X, Y}, 1);
    uneven.add({Y, cell(12, 11)}, 1);
    uneven.total(4, farBlock());
    EXPECT_NE(uneven.suggestion(), X);
}

TEST(Suggestion, AmongEqualRisksAConstrainedCellGoesFirst) {
    // Every cell is a mine with 1/2; the cells no equation names come first by code.
    Position p;
    p.add({cell(5, 5), cell(7, 7)}, 1);
    p.total(2, {cell(1, 1), cell(6, 1)});
    EXPECT_EQ(p.suggestion(SuggestionRule::Safest), cell(5, 5));
}

TEST(Suggestion, WideSystemsGetACellWithinTheBudget) {
    // Diagonal pairs a[x,y] + a[x+1,y+1] = 1 over a 30 x 24 field: hundreds of small
    // components, each look-ahead analysis as costly as the whole. The budget ends the
    // weighing; the cell named is the same on every call.
    Position p;
    for (int x = 1; x <= 29; ++x)
        for (int y = 1; y <= 23; ++y) p.add({cell(x, y), cell(x + 1, y + 1)}, 1);
    SuggestionLimits small;
    small.lookAheadWork = 2'000'000;
    const auto first = p.suggestion(SuggestionRule::BestChance, small);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(p.suggestion(SuggestionRule::BestChance, small), first);
}

// ---------------------------------------------------------------------------------------
// Small boards: the exact search against best play found by brute force.

struct Board {
    int width = 0, height = 0;
    std::vector<char> mine, open;
    bool inside(int x, int y) const { return x >= 1 && y >= 1 && x <= width && y <= height; }
    size_t at(int x, int y) const { return static_cast<size_t>((y - 1) * width + (x - 1)); }
    int shows(int x, int y, const std::vector<char>& mines) const {
        int n = 0;
        for (int i = x - 1; i <= x + 1; ++i)
            for (int j = y - 1; j <= y + 1; ++j) n += (i != x || j != y) && inside(i, j) && mines[at(i, j)];
        return n;
    }
};

// A random board with some safe cells open, and its equations as the game writes them.
Board randomBoard(std::mt19937_64& rng, std::vector<Equation>& eqs) {
    Board b;
    b.width = std::uniform_int_distribution<int>(3, 5)(rng);
    b.height = std::uniform_int_distribution<int>(3, 4)(rng);
    const size_t cells = static_cast<size_t>(b.width * b.height);
    b.mine.assign(cells, 0);
    b.open.assign(cells, 0);
    for (auto& m : b.mine) m = std::bernoulli_distribution(0.25)(rng);
    for (size_t i = 0; i < cells; ++i) b.open[i] = !b.mine[i] && std::bernoulli_distribution(0.4)(rng);
    Equation total{{}, 0, false};
    for (int x = 1; x <= b.width; ++x)
        for (int y = 1; y <= b.height; ++y) {
            if (!b.open[b.at(x, y)]) {
                total.codes.push_back(cell(x, y));
                total.rhs += b.mine[b.at(x, y)];
                continue;
            }
            Equation e{{}, b.shows(x, y, b.mine), true};
            for (int i = x - 1; i <= x + 1; ++i)
                for (int j = y - 1; j <= y + 1; ++j)
                    if (b.inside(i, j) && !b.open[b.at(i, j)]) e.codes.push_back(cell(i, j));
            if (!e.codes.empty()) eqs.push_back(e);
        }
    if (!total.codes.empty()) eqs.push_back(total);
    return b;
}

// Best play by brute force: every layout of the covered cells that fits what the open cells
// show, and for a set of them the most a player can win by opening any covered cell.
class BestPlay {
  public:
    explicit BestPlay(const Board& b) : board_(b) {
        for (int x = 1; x <= b.width; ++x)
            for (int y = 1; y <= b.height; ++y)
                if (!b.open[b.at(x, y)]) covered_.push_back({x, y});
        const int mines = static_cast<int>(std::count(b.mine.begin(), b.mine.end(), 1));
        for (uint32_t bits = 0; bits < (1u << covered_.size()); ++bits) {
            std::vector<char> m(b.mine.size(), 0);
            for (size_t k = 0; k < covered_.size(); ++k)
                m[b.at(covered_[k].first, covered_[k].second)] = bits >> k & 1;
            bool fits = static_cast<int>(std::count(m.begin(), m.end(), 1)) == mines;
            for (int x = 1; x <= b.width && fits; ++x)
                for (int y = 1; y <= b.height && fits; ++y)
                    fits = !b.open[b.at(x, y)] || b.shows(x, y, m) == b.shows(x, y, b.mine);
            if (fits) layouts_.push_back(m);
        }
    }
    size_t layouts() const { return layouts_.size(); }
    // Layouts won when the cell is opened first, then played best.
    int afterOpening(int32_t code, const std::vector<int>& set) {
        const int x = code / 100, y = code % 100;
        std::map<int, std::vector<int>> parts;
        for (int s : set)
            if (!layouts_[static_cast<size_t>(s)][board_.at(x, y)])
                parts[board_.shows(x, y, layouts_[static_cast<size_t>(s)])].push_back(s);
        int sum = 0;
        for (const auto& [shown, part] : parts) sum += best(part);
        return sum;
    }
    int best(const std::vector<int>& set) {
        if (set.size() == 1) return 1;
        if (const auto it = memo_.find(set); it != memo_.end()) return it->second;
        int most = 0;
        for (const auto& [x, y] : covered_) {
            // Worth opening where it is a mine in some layouts or shows different numbers.
            std::map<int, int> outcomes;  // mine (-1) or the number shown: layouts
            for (int s : set) {
                const auto& m = layouts_[static_cast<size_t>(s)];
                ++outcomes[m[board_.at(x, y)] ? -1 : board_.shows(x, y, m)];
            }
            if (outcomes.size() > 1) most = std::max(most, afterOpening(cell(x, y), set));
        }
        return memo_[set] = most;
    }
    std::vector<int> all() const {
        std::vector<int> s(layouts_.size());
        for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<int>(i);
        return s;
    }

  private:
    const Board& board_;
    std::vector<std::pair<int, int>> covered_;
    std::vector<std::vector<char>> layouts_;
    std::map<std::vector<int>, int> memo_;
};

TEST(Endgame, NeverLosesALayoutToBestPlay) {
    int searched = 0;
    for (uint64_t seed = 1; seed <= 800 && !::testing::Test::HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937_64 rng(seed);
        std::vector<Equation> eqs;
        const Board board = randomBoard(rng, eqs);
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
        ASSERT_GT(play.layouts(), 1u);
        EXPECT_EQ(play.afterOpening(system.codes()[*at], play.all()), play.best(play.all()));
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
