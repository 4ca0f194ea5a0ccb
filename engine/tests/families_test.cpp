// Whole boards with wide components (lattices of open cells, scatters): no refusal, and
// every answer checked against something the engine did not compute.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "analysis.h"
#include "board_systems.h"
#include "component_counter.h"
#include "order.h"
#include "prepare.h"
#include "report.h"
#include "solver_state.h"
#include "state_graph.h"

namespace gravlin::engine {
namespace {

using testing::Board;

struct Family {
    const char* name;
    int width, height, mines, step;
    double density;
    uint64_t seed;
};

uint64_t seedOf(const Family& f) {
    const char* env = std::getenv("GRAVLIN_TEST_SEED");
    return f.seed + (env != nullptr ? std::strtoull(env, nullptr, 10) : 0);
}

long double toReal(const bignum::Number& n) {
    long double r = 0;
    for (size_t i = n.size(); i-- > 0;) r = r * 18446744073709551616.0L + static_cast<long double>(n[i]);
    return r;
}

// Each component of the system with at most 20 unknowns, by plain enumeration: per unknown
// the layouts with a mine there, and the layouts in all.
struct Enumerated {
    std::vector<int32_t> codes;
    std::vector<uint64_t> mines;
    uint64_t layouts = 0;
};
std::vector<Enumerated> smallComponents(const std::vector<Equation>& eqs) {
    std::vector<size_t> parent(eqs.size());
    std::iota(parent.begin(), parent.end(), 0);
    auto find = [&](size_t v) {
        while (parent[v] != v) v = parent[v] = parent[parent[v]];
        return v;
    };
    for (size_t a = 0; a < eqs.size(); ++a)
        for (size_t b = a + 1; b < eqs.size(); ++b)
            if (std::find_first_of(eqs[a].codes.begin(), eqs[a].codes.end(), eqs[b].codes.begin(),
                                   eqs[b].codes.end()) != eqs[a].codes.end())
                parent[find(a)] = find(b);
    std::vector<Enumerated> out;
    for (size_t root = 0; root < eqs.size(); ++root) {
        if (find(root) != root) continue;
        Enumerated c;
        std::vector<const Equation*> mine;
        for (size_t e = 0; e < eqs.size(); ++e)
            if (find(e) == root) {
                mine.push_back(&eqs[e]);
                c.codes.insert(c.codes.end(), eqs[e].codes.begin(), eqs[e].codes.end());
            }
        std::sort(c.codes.begin(), c.codes.end());
        c.codes.erase(std::unique(c.codes.begin(), c.codes.end()), c.codes.end());
        if (c.codes.size() > 20) continue;
        c.mines.assign(c.codes.size(), 0);
        for (uint32_t layout = 0; layout < (1u << c.codes.size()); ++layout) {
            bool fits = true;
            for (const Equation* e : mine) {
                int64_t sum = 0;
                for (int32_t code : e->codes)
                    sum +=
                        layout >> (std::lower_bound(c.codes.begin(), c.codes.end(), code) - c.codes.begin()) &
                        1;
                fits = fits && sum == e->rhs;
            }
            if (!fits) continue;
            ++c.layouts;
            for (size_t i = 0; i < c.codes.size(); ++i) c.mines[i] += layout >> i & 1;
        }
        out.push_back(std::move(c));
    }
    return out;
}

class Families : public ::testing::TestWithParam<Family> {};

TEST_P(Families, AnswersAreCompleteAndAgreeWithIndependentChecks) {
    const Family& f = GetParam();
    const uint64_t seed = seedOf(f);
    SCOPED_TRACE("seed " + std::to_string(seed) + " (GRAVLIN_TEST_SEED shifts it)");
    const Board board = testing::makeBoard(f.width, f.height, f.mines, f.step, f.density, seed);
    const auto withTotal = testing::boardEquations(board, true);
    const auto cellsOnly = testing::boardEquations(board, false);
    const Analysis all = analyseProbabilities(withTotal);
    const Analysis alone = analyseProbabilities(cellsOnly);
    const Analysis listed = analyseDetermination(withTotal);
    ASSERT_EQ(all.status, Analysis::Status::Solvable);
    ASSERT_EQ(alone.status, Analysis::Status::Solvable);
    ASSERT_EQ(listed.value, all.value);

    // The true layout is a solution; what holds without the total sum holds with it; a
    // listed cell has probability exactly 0 or 1 and no other cell does; and with the total
    // the probabilities add up to the number of mines.
    long double expected = 0;
    for (size_t i = 0; i < all.codes.size(); ++i) {
        const int32_t code = all.codes[i];
        SCOPED_TRACE("cell " + std::to_string(code));
        if (all.value[i] >= 0) {
            EXPECT_EQ(all.value[i], board.isMine(code) ? 1 : 0);
        }
        const Analysis::Fraction* p = all.probability(i);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->num.empty(), all.value[i] == 0);
        EXPECT_EQ(bignum::compare(p->num, p->den) == 0, all.value[i] == 1);
        expected += toReal(p->num) / toReal(p->den);
        const auto at = std::lower_bound(alone.codes.begin(), alone.codes.end(), code);
        if (at != alone.codes.end() && *at == code &&
            alone.value[static_cast<size_t>(at - alone.codes.begin())] >= 0) {
            EXPECT_EQ(alone.value[static_cast<size_t>(at - alone.codes.begin())], all.value[i]);
        }
    }
    EXPECT_NEAR(static_cast<double>(expected / f.mines), 1.0, 1e-12);

    // Without the total sum the components stand alone: small ones by enumeration.
    for (const Enumerated& c : smallComponents(cellsOnly))
        for (size_t i = 0; i < c.codes.size(); ++i) {
            const auto at = static_cast<size_t>(
                std::lower_bound(alone.codes.begin(), alone.codes.end(), c.codes[i]) - alone.codes.begin());
            const Analysis::Fraction* p = alone.probability(at);
            ASSERT_NE(p, nullptr);
            EXPECT_EQ(bignum::compare(bignum::multiply(p->num, {c.layouts}),
                                      bignum::multiply(p->den, {c.mines[i]})),
                      0)
                << "cell " << c.codes[i];
        }
}

INSTANTIATE_TEST_SUITE_P(WholeBoards, Families,
                         ::testing::Values(Family{"EverySecond30x16", 30, 16, 99, 2, 0, 11},
                                           Family{"EverySecond30x24", 30, 24, 99, 2, 0, 12},
                                           Family{"EveryThird30x16", 30, 16, 99, 3, 0, 13},
                                           Family{"EveryThird30x24", 30, 24, 99, 3, 0, 14},
                                           Family{"Scatter10", 30, 16, 60, 1, 0.1, 15},
                                           Family{"Scatter30", 30, 24, 99, 1, 0.3, 16},
                                           Family{"Scatter50", 30, 24, 80, 1, 0.5, 17}),
                         [](const ::testing::TestParamInfo<Family>& info) {
                             return std::string(info.param.name);
                         });

// The elimination order is a heuristic: any other order must give the very same counts.
TEST(EliminationOrder, ReversedOrderCountsTheSame) {
    const Board board = testing::makeBoard(30, 16, 99, 2, 0, 21);
    const IndexedSystem system(testing::boardEquations(board, false));
    const Prepared p = prepare(system);
    ASSERT_FALSE(p.components.empty());
    const Component& widest =
        *std::max_element(p.components.begin(), p.components.end(),
                          [](auto& a, auto& b) { return a.groups.size() < b.groups.size(); });
    std::vector<bignum::Row> rows;
    for (bool reversed : {false, true}) {
        std::vector<uint32_t> order = eliminationOrder(widest, system.codes());
        if (reversed) std::reverse(order.begin(), order.end());
        Budget budget(size_t{1} << 30);
        StateGraph graph(widest, order, budget);
        std::vector<std::vector<char>> possible;
        graph.restrict(CountSet::range(widest.unknowns + 1, 0, static_cast<int64_t>(widest.unknowns)),
                       possible);
        ComponentCounter counter(graph, widest, 0, budget);
        rows.push_back(counter.forward());
    }
    ASSERT_EQ(rows[0].lo, rows[1].lo);
    ASSERT_EQ(rows[0].len, rows[1].len);
    for (int64_t k = rows[0].lo; k < rows[0].end(); ++k)
        EXPECT_EQ(bignum::trimmed(rows[0].at(k), rows[0].width),
                  bignum::trimmed(rows[1].at(k), rows[1].width))
            << k << " mines";
}

std::string text(const Equation& e, bool display) {
    std::string t = display && !e.cellEquation ? "/*g*/" : "";
    for (size_t i = 0; i < e.codes.size(); ++i) {
        char buf[32];
        std::snprintf(buf, sizeof buf, display ? "a[ %02d,%02d ]" : "%02d%02d", e.codes[i] / 100,
                      e.codes[i] % 100);
        t += (i == 0 ? "" : display ? " + " : "+") + std::string(buf);
    }
    return t + (display ? " = " : "=") + std::to_string(e.rhs);
}

// Limits far too small for the board: what is listed must still be true, and every text
// must say that the answer is partial.
TEST(Guards, TrippedLimitsGiveAProvenSubsetAndSaySo) {
    const Board board = testing::makeBoard(30, 16, 99, 2, 0, 31);
    const auto eqs = testing::boardEquations(board, true);
    const Analysis full = analyseDetermination(eqs);
    ASSERT_EQ(full.status, Analysis::Status::Solvable);
    const Limits noMemory{4096, Limits{}.countingWork};
    const Limits noWork{Limits{}.memoryBytes, 1};
    const Analysis small = analyseDetermination(eqs, noMemory);
    ASSERT_EQ(small.status, Analysis::Status::Partial);
    size_t listed = 0;
    for (size_t i = 0; i < small.codes.size(); ++i)
        if (small.value[i] >= 0) {
            EXPECT_EQ(small.value[i], full.value[i]) << small.codes[i];
            ++listed;
        }
    EXPECT_GT(listed, 0u);  // the neighbours of zeros, at least

    // Deciding fits but counting does not: the certain cells keep 0.0 and 100.0.
    const Analysis uncounted = analyseProbabilities(eqs, noWork);
    ASSERT_EQ(uncounted.status, Analysis::Status::Partial);
    EXPECT_EQ(uncounted.value, full.value);
    for (size_t i = 0; i < uncounted.codes.size(); ++i)
        EXPECT_EQ(uncounted.classOf[i], full.value[i]) << uncounted.codes[i];

    std::string system;
    for (const auto& e : eqs) system += (system.empty() ? "" : ",\r\n") + text(e, true);
    for (const Limits& limits : {noMemory, noWork}) {
        const std::string report = probabilityReport(system, SuggestionRule::BestChance, limits);
        EXPECT_NE(report.find("     ?"), std::string::npos) << report;
        EXPECT_NE(report.find("konnten nicht berechnet werden"), std::string::npos) << report;
    }

    const std::string trace = ::testing::TempDir() + "gravlin_guard_test.trace";
    std::remove(trace.c_str());
    SolverState state(noMemory);
    for (const auto& e : eqs) state.add(text(e, false));
    state.noteTraceFile(trace.c_str());
    size_t free = 0;
    for (int32_t c = state.next(0, -1); c >= 0; c = state.next(0, c)) {
        EXPECT_EQ(full.value[static_cast<size_t>(std::lower_bound(full.codes.begin(), full.codes.end(), c) -
                                                 full.codes.begin())],
                  0);
        ++free;
    }
    EXPECT_GT(free, 0u);
    std::stringstream records;
    records << std::ifstream(trace).rdbuf();
    EXPECT_NE(records.str().find("Ergebnis unvollständig"), std::string::npos);
    std::remove(trace.c_str());
}

}  // namespace
}  // namespace gravlin::engine
