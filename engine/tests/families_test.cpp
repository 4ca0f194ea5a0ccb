// Whole boards with wide components (lattices of open cells, scatters): no refusal, and
// every answer checked against something the engine did not compute.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "analysis.h"
#include "report.h"
#include "solver_state.h"

namespace gravlin::engine {
namespace {

// Mines at random; open cells at every step-th column and row when step > 1, else each safe
// cell with probability `density`, each showing its true number (no cascade of zeros).
struct Board {
    int width, height, mines;
    std::vector<char> mine, open;
    Board(int w, int h, int m, int step, double density, uint64_t seed)
        : width(w), height(h), mines(m), mine(static_cast<size_t>(w * h)), open(mine.size()) {
        std::mt19937_64 rng(seed);
        auto lattice = [&](size_t at) {
            return step > 1 && (at % w + 1) % step == 0 && (at / w + 1) % step == 0;
        };
        std::vector<size_t> candidates;
        for (size_t at = 0; at < mine.size(); ++at)
            if (!lattice(at)) candidates.push_back(at);
        std::shuffle(candidates.begin(), candidates.end(), rng);
        for (int i = 0; i < m; ++i) mine[candidates[static_cast<size_t>(i)]] = 1;
        std::bernoulli_distribution opened(density);
        for (size_t at = 0; at < mine.size(); ++at)
            open[at] = !mine[at] && (step > 1 ? lattice(at) : opened(rng));
    }
    size_t at(int x, int y) const { return static_cast<size_t>((y - 1) * width + (x - 1)); }
    bool isMine(int32_t code) const { return mine[at(code / 100, code % 100)] != 0; }
    // One equation per open cell with covered neighbours, then the total sum if asked for.
    std::vector<Equation> equations(bool withTotal) const {
        std::vector<Equation> eqs;
        Equation total{{}, mines, false};
        for (int x = 1; x <= width; ++x)
            for (int y = 1; y <= height; ++y) {
                if (!open[at(x, y)]) {
                    total.codes.push_back(x * 100 + y);
                    continue;
                }
                Equation e;
                for (int i = std::max(x - 1, 1); i <= std::min(x + 1, width); ++i)
                    for (int j = std::max(y - 1, 1); j <= std::min(y + 1, height); ++j) {
                        e.rhs += mine[at(i, j)];
                        if (!open[at(i, j)]) e.codes.push_back(i * 100 + j);
                    }
                if (!e.codes.empty()) eqs.push_back(e);
            }
        if (withTotal) eqs.push_back(total);
        return eqs;
    }
};

struct Family {
    const char* name;
    int width, height, mines, step;
    double density;
    uint64_t seed;
};

long double toReal(const bignum::Number& n) {
    long double r = 0;
    for (size_t i = n.size(); i-- > 0;) r = r * 18446744073709551616.0L + static_cast<long double>(n[i]);
    return r;
}

class Families : public ::testing::TestWithParam<Family> {};

TEST_P(Families, AnswersAreCompleteAndAgreeWithIndependentChecks) {
    const Family& f = GetParam();
    const char* env = std::getenv("GRAVLIN_TEST_SEED");
    const uint64_t seed = f.seed + (env != nullptr ? std::strtoull(env, nullptr, 10) : 0);
    SCOPED_TRACE("seed " + std::to_string(seed) + " (GRAVLIN_TEST_SEED shifts it)");
    const Board board(f.width, f.height, f.mines, f.step, f.density, seed);
    // Without the total sum and with it: the true layout is a solution; deciding lists exactly
    // the cells whose exact probability is 0 or 1; what holds without the total holds with
    // it; and with it the probabilities add up to the number of mines.
    std::map<int32_t, int8_t> alone;
    for (const bool withTotal : {false, true}) {
        const auto eqs = board.equations(withTotal);
        const Analysis an = analyseProbabilities(eqs);
        ASSERT_EQ(an.status, Analysis::Status::Solvable);
        ASSERT_EQ(analyseDetermination(eqs).value, an.value);
        long double sum = 0;
        for (size_t i = 0; i < an.codes.size(); ++i) {
            SCOPED_TRACE("cell " + std::to_string(an.codes[i]));
            const Analysis::Fraction* p = an.probability(i);
            ASSERT_NE(p, nullptr);
            EXPECT_TRUE(an.value[i] < 0 || an.value[i] == (board.isMine(an.codes[i]) ? 1 : 0));
            EXPECT_EQ(p->num.empty(), an.value[i] == 0);
            EXPECT_EQ(bignum::compare(p->num, p->den) == 0, an.value[i] == 1);
            sum += toReal(p->num) / toReal(p->den);
            if (!withTotal) alone[an.codes[i]] = an.value[i];
            const auto without = alone.find(an.codes[i]);
            EXPECT_TRUE(!withTotal || without == alone.end() || without->second < 0 ||
                        without->second == an.value[i]);
        }
        EXPECT_TRUE(!withTotal || std::fabs(static_cast<double>(sum / f.mines) - 1.0) < 1e-12) << sum;
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
    const auto eqs = Board(30, 16, 99, 2, 0, 31).equations(true);
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
