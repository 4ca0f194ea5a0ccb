// The exact answers against what the engine did not compute: every 0/1 assignment of
// random small systems, closed forms for big counts, and the true layouts of whole boards.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis.h"
#include "combine.h"
#include "component_counter.h"
#include "order.h"
#include "report.h"
#include "solver_state.h"
#include "test_board.h"

namespace gravlin::engine {
namespace {

// GRAVLIN_TEST_SEED replays or varies the random systems.
const char* const kSeedText = std::getenv("GRAVLIN_TEST_SEED");
const uint64_t kSeedShift = kSeedText != nullptr ? std::strtoull(kSeedText, nullptr, 10) : 0;

struct Enumeration {  // solutions, and per unknown index the solutions with a mine there
    uint64_t solutions = 0;
    std::vector<uint64_t> mines;
};

Enumeration enumerate(const std::vector<Equation>& eqs, const std::vector<int32_t>& codes) {
    std::vector<std::pair<uint32_t, int64_t>> masks;
    for (const auto& e : eqs) {
        uint32_t m = 0;
        for (int32_t c : e.codes) m |= 1u << (std::find(codes.begin(), codes.end(), c) - codes.begin());
        masks.emplace_back(m, e.rhs);
    }
    Enumeration r{0, std::vector<uint64_t>(codes.size())};
    for (uint32_t a = 0; a < (1u << codes.size()); ++a) {
        bool ok = true;
        for (const auto& [m, rhs] : masks) ok = ok && std::popcount(a & m) == rhs;
        if (!ok) continue;
        ++r.solutions;
        for (size_t i = 0; i < codes.size(); ++i) r.mines[i] += a >> i & 1;
    }
    return r;
}

// Arbitrary subsets of up to 22 unknowns, including long equations that overlap the others,
// now and then a wrong right-hand side; `extra` gets one more equation, true for the hidden
// layout.
std::vector<Equation> subsetSystem(std::mt19937_64& rng, bool withTotal, Equation& extra) {
    const int n = std::uniform_int_distribution<int>(1, 22)(rng);
    std::vector<int32_t> codes;
    std::vector<int> hidden;
    for (int i = 0; i < n; ++i) {
        codes.push_back((i % 5 + 1) * 100 + i / 5 + 1);
        hidden.push_back(std::bernoulli_distribution(0.35)(rng));
    }
    auto draw = [&](double density, Equation& e) {
        for (int i = 0; i < n; ++i)
            if (std::bernoulli_distribution(density)(rng)) {
                e.codes.push_back(codes[static_cast<size_t>(i)]);
                e.rhs += hidden[static_cast<size_t>(i)];
            }
    };
    std::vector<Equation> eqs;
    for (int k = std::uniform_int_distribution<int>(0, 8)(rng); k > 0; --k) {
        Equation e;
        draw(std::uniform_real_distribution<double>(0.05, 0.7)(rng), e);
        if (e.codes.empty()) continue;
        if (std::bernoulli_distribution(0.08)(rng)) e.rhs += std::uniform_int_distribution<int>(-2, 2)(rng);
        eqs.push_back(e);
    }
    draw(0.3, extra);
    if (withTotal) {
        Equation t{codes, 0, false};
        for (int v : hidden) t.rhs += v;
        if (std::bernoulli_distribution(0.1)(rng)) t.rhs = std::uniform_int_distribution<int>(-1, n + 1)(rng);
        eqs.push_back(t);
    }
    return eqs;
}

// Determination, census and exact probabilities all agree with the enumeration (the
// probabilities' count of layouts and effort with the census's); so do they with one
// equation more, given apart to a system indexed once.
TEST(CrossCheck, RandomSystemsMatchEnumeration) {
    const uint64_t base = 20240611u + kSeedShift;
    for (uint64_t seed = base; seed < base + 300 && !::testing::Test::HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937_64 rng(seed);
        Equation extra;
        std::vector<Equation> eqs = subsetSystem(rng, seed % 2 == 0, extra);
        const Analysis det = analyseDetermination(eqs), prob = analyseProbabilities(eqs);
        ASSERT_EQ(det.codes, prob.codes);
        const Enumeration brute = enumerate(eqs, det.codes);
        const auto status = brute.solutions == 0 ? Analysis::Status::NoSolution : Analysis::Status::Solvable;
        ASSERT_EQ(det.status, status);
        ASSERT_EQ(prob.status, status);
        const IndexedSystem system(eqs);
        const Census counted = census(system);
        EXPECT_EQ(counted.analysis.value, det.value);
        EXPECT_EQ(counted.layouts, bignum::trimmed(&brute.solutions, 1));
        // The suggestion takes both from the probabilities instead of a census of its own.
        EXPECT_EQ(prob.layouts, counted.layouts);
        EXPECT_EQ(prob.effort, counted.effort);
        for (size_t i = 0; i < det.codes.size() && brute.solutions != 0; ++i) {
            const int8_t want = brute.mines[i] == 0 ? 0 : brute.mines[i] == brute.solutions ? 1 : -1;
            EXPECT_EQ(det.value[i], want) << det.codes[i];
            EXPECT_EQ(prob.value[i], want) << det.codes[i];
            // num / den == mines / solutions
            EXPECT_EQ(bignum::compare(bignum::multiply(prob.probability(i)->num, {brute.solutions}),
                                      bignum::multiply(prob.probability(i)->den, {brute.mines[i]})),
                      0)
                << det.codes[i];
        }
        IndexedEquation indexed{{}, extra.rhs};
        for (int32_t c : extra.codes)
            if (auto at = system.indexOf(c)) indexed.vars.push_back(*at);
        if (extra.codes.empty() || indexed.vars.size() != extra.codes.size()) continue;
        std::sort(indexed.vars.begin(), indexed.vars.end());
        eqs.push_back(extra);
        EXPECT_EQ(analyseDetermination(system, {&indexed, 1}).value, analyseDetermination(eqs).value);
        const uint64_t solutions = enumerate(eqs, system.codes()).solutions;
        EXPECT_EQ(census(system, {&indexed, 1}).layouts, bignum::trimmed(&solutions, 1));
    }
}

// Big counts are compared modulo a large prime, which any lost, doubled or misplaced carry
// changes.
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

uint64_t binomial(size_t n, size_t k) {  // by Pascal's triangle
    std::vector<uint64_t> row(n + 1, 0);
    row[0] = 1;
    for (size_t i = 1; i <= n; ++i)
        for (size_t j = i; j > 0; --j) row[j] = (row[j] + row[j - 1]) % kPrime;
    return row[k];
}

// A group of 100 interchangeable unknowns with 40 mines, 150 separate pairs with one mine
// each, and 300 unknowns that only the total sum of 250 names: the layouts number
// C(100, 40) * 2^150 * C(300, 60), and one of the 300 has probability 60 / 300 of them.
TEST(Bignum, LayoutCountOfIndependentPartsIsTheProduct) {
    auto code = [](int i) { return (i / 99 + 1) * 100 + i % 99 + 1; };
    std::vector<Equation> eqs(1, Equation{{}, 40, true});
    Equation total{{}, 250, false};
    for (int i = 0; i < 700; ++i) {
        if (i < 100) eqs[0].codes.push_back(code(i));
        total.codes.push_back(code(i));
    }
    for (int i = 0; i < 150; ++i) eqs.push_back(Equation{{code(100 + 2 * i), code(101 + 2 * i)}, 1, true});
    eqs.push_back(total);
    const Analysis a = analyseProbabilities(eqs);
    ASSERT_EQ(a.status, Analysis::Status::Solvable);
    uint64_t layouts = mulMod(binomial(100, 40), binomial(300, 60));
    for (int i = 0; i < 150; ++i) layouts = mulMod(layouts, 2);
    EXPECT_EQ(residue(a.probability(699)->den), mulMod(layouts, 300));
    EXPECT_EQ(residue(a.probability(699)->num), mulMod(layouts, 60));
}

// Carries cross limbs and writes that do not fit fail loudly. Degenerate arguments stay
// harmless: an empty range of binomials or of counts writes nothing, a quotient above 1 or
// over zero is refused, and a determination has no probabilities to hand out.
TEST(Bignum, CarriesOverflowsAndDegenerateArguments) {
    using bignum::Limb;
    const Limb max = ~Limb{0};
    const std::vector<Limb> one{1, 0}, top{max, 0}, high{0, 1}, two{2}, half{0, Limb{1} << 63};
    std::vector<Limb> d = top, wide{0, 0, 0}, narrow{0, 0};
    bignum::add(d.data(), 2, one.data(), 1);
    EXPECT_EQ(d, high);
    bignum::addProduct(wide.data(), 3, high.data(), 2, top.data(), 2);
    EXPECT_EQ(wide, (std::vector<Limb>{0, max, 0}));
    d = top;
    EXPECT_THROW(bignum::add(d.data(), 1, one.data(), 1), bignum::Overflow);
    d = high;
    EXPECT_THROW(bignum::addMul(d.data(), 2, high.data(), 2, max), bignum::Overflow);
    EXPECT_THROW(bignum::addProduct(narrow.data(), 2, high.data(), 2, high.data(), 2), bignum::Overflow);
    EXPECT_THROW(bignum::addProduct(narrow.data(), 2, half.data(), 2, two.data(), 1), bignum::Overflow);
    EXPECT_THROW(bignum::divideExact({7}, {2}), bignum::Overflow);
    std::vector<Limb> out(4, 7);
    bignum::binomials(10, 5, 2, out.data(), 1);
    EXPECT_EQ(out, std::vector<Limb>(4, 7));
    bignum::binomials(10, 3, 4, out.data(), 1);
    EXPECT_EQ(out, (std::vector<Limb>{120, 210, 7, 7}));
    EXPECT_EQ(bignum::scaledQuotient({1}, {3}, 2000), 666u);
    EXPECT_EQ(bignum::scaledQuotient({3}, {3}, 2000), 2000u);
    EXPECT_THROW(bignum::scaledQuotient({4}, {3}, 2000), std::invalid_argument);
    EXPECT_THROW(bignum::scaledQuotient({}, {0}, 2000), std::invalid_argument);
    for (const auto& [lo, hi] : {std::pair{0, -5}, {3, 2}, {-9, -2}, {80, 70}})
        EXPECT_TRUE(CountSet::range(130, lo, hi).empty()) << lo << " " << hi;
    EXPECT_EQ(analyseDetermination({{{101, 102}, 1, true}}).probability(0), nullptr);
}

// The rows of possible mine counts, moved across word edges, against one bit at a time:
// sparse rows under dense ones and the other way round, so that every lost bit shows.
TEST(CountRows, ShiftedOperationsMatchBitByBit) {
    std::mt19937_64 rng(7);
    auto bit = [](const std::vector<Word>& r, ptrdiff_t i) {
        return i >= 0 && i < static_cast<ptrdiff_t>(r.size() * 64) &&
               (r[static_cast<size_t>(i) / 64] >> (i % 64) & 1);
    };
    for (int round = 0; round < 36; ++round) {
        std::vector<Word> a(1 + round % 3), b(1 + round / 3 % 3);
        for (Word& w : a) w = round % 2 ? rng() & rng() : rng() | rng();
        for (Word& w : b) w = round % 2 ? rng() | rng() : rng() & rng();
        for (ptrdiff_t shift = -140; shift <= 140; ++shift) {
            std::vector<Word> ored = a, anded = a;
            orShifted(ored.data(), ored.size(), b.data(), b.size(), shift);
            andShifted(anded.data(), anded.size(), b.data(), b.size(), shift);
            for (ptrdiff_t i = 0; i < static_cast<ptrdiff_t>(a.size() * 64); ++i) {
                const bool x = bit(a, i), y = bit(b, i - shift);
                ASSERT_TRUE(bit(ored, i) == (x || y) && bit(anded, i) == (x && y))
                    << round << " " << shift << " " << i;
            }
            ASSERT_EQ(meetsShifted(a.data(), a.size(), b.data(), b.size(), shift),
                      std::any_of(anded.begin(), anded.end(), [](Word w) { return w != 0; }))
                << round << " " << shift;
        }
    }
}

// The counter keeps every layer's counts when they fit, else every segment-th layer, and
// recomputes the rest on the way back. Under every memory limit from too small to ample, what
// it completes matches the enumeration: the layouts, and per unknown those with a mine.
TEST(Counting, CheckpointsAndRecomputedLayersCountLikeKeptOnes) {
    // Two rows of eleven unknowns, a sum over each square of four, mines at every third of the
    // first row and every second of the second: one component of eleven pairs.
    std::vector<Equation> eqs;
    for (int i = 1; i <= 10; ++i)
        eqs.push_back({{100 + i, 100 + i + 1, 200 + i, 200 + i + 1},
                       (i % 3 == 0) + ((i + 1) % 3 == 0) + (i % 2 == 0) + ((i + 1) % 2 == 0),
                       true});
    const IndexedSystem system(eqs);
    const Enumeration brute = enumerate(eqs, system.codes());
    const Prepared p = prepare(system);
    ASSERT_EQ(p.components.size(), 1u);
    const Component& comp = p.components[0];
    Budget ample(Limits{});
    StateGraph graph(comp, eliminationOrder(comp, system.codes(), ample), ample);
    std::vector<std::vector<char>> possible;
    graph.restrict(CountSet::range(p.open + 1, 0, static_cast<int64_t>(p.open)), possible);

    int recomputed = 0, refused = 0;
    for (size_t bytes = 0; bytes < 4000; bytes += 4) {
        Budget budget(Limits{bytes, Limits{}.work});
        try {
            ComponentCounter counter(graph, comp, 0, budget);
            const bignum::Row row = counter.forward();
            std::vector<std::vector<bignum::Limb>> shares;
            counter.backward(combineAlone({row}).weights[0], shares);
            recomputed += !counter.keepsAll();
            uint64_t layouts = 0;
            for (int64_t k = row.lo; k < row.end(); ++k) layouts += row.at(k)[0];
            ASSERT_EQ(layouts, brute.solutions) << bytes;
            for (size_t g = 0; g < comp.groups.size(); ++g) {
                const size_t size = comp.groups[g].size;
                uint64_t mines = 0;  // one member: a mine in C(size - 1, j - 1) of the choices
                for (uint64_t j = 1, ways = 1; j <= size; ways = ways * (size - j) / j, ++j)
                    mines += shares[g][j * counter.shareWidth()] * ways;
                for (uint32_t m : comp.groups[g].members)
                    ASSERT_EQ(mines, brute.mines[m]) << bytes << " " << m;
            }
        } catch (const TooLarge&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(recomputed, 0);
}

// Mines at random; open cells at every step-th column and row when step > 1, else each safe
// cell with probability `density`, each showing its true number (no cascade of zeros).
Board board(int w, int h, int mines, int step, double density, uint64_t seed) {
    Board b{w, h, std::vector<char>(static_cast<size_t>(w * h)),
            std::vector<char>(static_cast<size_t>(w * h))};
    std::mt19937_64 rng(seed);
    auto lattice = [&](size_t at) {
        return step > 1 && (at % w + 1) % step == 0 && (at / w + 1) % step == 0;
    };
    std::vector<size_t> candidates;
    for (size_t at = 0; at < b.mine.size(); ++at)
        if (!lattice(at)) candidates.push_back(at);
    std::shuffle(candidates.begin(), candidates.end(), rng);
    for (int i = 0; i < mines; ++i) b.mine[candidates[static_cast<size_t>(i)]] = 1;
    for (size_t at = 0; at < b.mine.size(); ++at)
        b.open[at] = !b.mine[at] && (step > 1 ? lattice(at) : std::bernoulli_distribution(density)(rng));
    return b;
}

long double toReal(const bignum::Number& n) {
    long double r = 0;
    for (size_t i = n.size(); i-- > 0;) r = r * 18446744073709551616.0L + static_cast<long double>(n[i]);
    return r;
}

// Lattices of open cells and scatters, with wide components: no refusal; without the total
// sum and with it, the true layout is a solution, deciding lists exactly the cells whose
// exact probability is 0 or 1, and with it the probabilities add up to the number of mines.
TEST(WholeBoards, AnswersAreCompleteAndAgreeWithIndependentChecks) {
    const struct {
        const char* name;
        int width, height, mines, step;
        double density;
        uint64_t seed;
    } families[] = {{"every second 30x24", 30, 24, 99, 2, 0, 12},
                    {"every third 30x24", 30, 24, 99, 3, 0, 14},
                    {"scatter 10 %", 30, 16, 60, 1, 0.1, 15},
                    {"scatter 30 %", 30, 24, 99, 1, 0.3, 16},
                    {"scatter 50 %", 30, 24, 80, 1, 0.5, 17}};
    for (const auto& f : families)
        for (const bool withTotal : {false, true}) {
            SCOPED_TRACE(std::string(f.name) + (withTotal ? " with" : " without") + " the total sum, seed " +
                         std::to_string(f.seed + kSeedShift));
            const Board b = board(f.width, f.height, f.mines, f.step, f.density, f.seed + kSeedShift);
            const auto eqs = b.equations(withTotal);
            const Analysis an = analyseProbabilities(eqs);
            ASSERT_EQ(an.status, Analysis::Status::Solvable);
            ASSERT_EQ(analyseDetermination(eqs).value, an.value);
            long double sum = 0;
            for (size_t i = 0; i < an.codes.size(); ++i) {
                const Analysis::Fraction* p = an.probability(i);
                ASSERT_NE(p, nullptr);
                EXPECT_TRUE(an.value[i] < 0 || an.value[i] == b.mine[b.at(an.codes[i])]) << an.codes[i];
                EXPECT_EQ(p->num.empty(), an.value[i] == 0) << an.codes[i];
                EXPECT_EQ(bignum::compare(p->num, p->den) == 0, an.value[i] == 1) << an.codes[i];
                sum += toReal(p->num) / toReal(p->den);
            }
            EXPECT_TRUE(!withTotal || std::fabs(static_cast<double>(sum / f.mines) - 1.0) < 1e-12) << sum;
        }
}

// Limits far too small for the board: what is listed must still be true, and every text
// must say that the answer is partial.
TEST(Guards, TrippedLimitsGiveAProvenSubsetAndSaySo) {
    const auto eqs = board(30, 16, 99, 2, 0, 31).equations(true);
    const Analysis full = analyseDetermination(eqs);  // solvable: the true layout fits
    const Limits noMemory{4096, Limits{}.work};
    const Limits noWork{Limits{}.memoryBytes, full.work};  // enough to decide, not to count
    const Analysis small = analyseDetermination(eqs, noMemory);
    ASSERT_EQ(small.status, Analysis::Status::Partial);
    int provenFree = 0;
    for (size_t i = 0; i < small.codes.size(); ++i) {
        EXPECT_TRUE(small.value[i] < 0 || small.value[i] == full.value[i]) << small.codes[i];
        provenFree += small.value[i] == 0;
    }
    EXPECT_GT(provenFree, 0);  // the neighbours of zeros, at least

    // Deciding fits but counting does not: the certain cells keep 0.0 and 100.0.
    const Analysis uncounted = analyseProbabilities(eqs, noWork);
    ASSERT_EQ(uncounted.status, Analysis::Status::Partial);
    EXPECT_EQ(uncounted.value, full.value);
    for (size_t i = 0; i < uncounted.codes.size(); ++i)
        EXPECT_EQ(uncounted.classOf[i], full.value[i]) << uncounted.codes[i];

    std::string system;
    for (const auto& e : eqs) {
        system += system.empty() ? e.cellEquation ? "" : "/*g*/" : e.cellEquation ? ",\r\n" : ",\r\n/*g*/";
        for (size_t i = 0; i < e.codes.size(); ++i) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%sa[ %02d,%02d ]", i ? " + " : "", e.codes[i] / 100,
                          e.codes[i] % 100);
            system += buf;
        }
        system += " = " + std::to_string(e.rhs);
    }
    for (const Limits& limits : {noMemory, noWork}) {
        const std::string report = probabilityReport(system, SuggestionRule::BestChance, limits);
        EXPECT_NE(report.find("     ?"), std::string::npos) << report;
        EXPECT_NE(report.find("konnten nicht berechnet werden"), std::string::npos) << report;
    }
}

// The same equations in another order, the total sum first among them: the same answer and
// the same work, whether or not a guard trips. With exactly the work the game's order needs,
// and one step less, any order that took more or less would answer otherwise.
TEST(Guards, TheOrderOfTheEquationsChangesNothing) {
    for (const uint64_t seed : {60, 66, 67}) {
        const auto eqs = board(30, 16, 99, 2, 0, seed + kSeedShift).equations(true);
        const uint64_t needs = analyseDetermination(eqs).work, ample = Limits{}.memoryBytes;
        std::vector<Equation> moved(eqs.rbegin(), eqs.rend());
        std::mt19937_64 rng(seed);
        std::shuffle(moved.begin() + 1, moved.end(), rng);
        for (const Limits& guard :
             {Limits{ample, needs}, Limits{ample, needs - 1}, Limits{2 << 20, Limits{}.work}}) {
            const Analysis was = analyseDetermination(eqs, guard), now = analyseDetermination(moved, guard);
            EXPECT_TRUE(now.status == was.status && now.value == was.value && now.work == was.work)
                << "seed " << seed + kSeedShift << ", " << guard.memoryBytes << " bytes, " << guard.work
                << " steps";
        }
    }
}

// Only propagation fits no work at all: the listing gives what it proved, and the trace says
// that it is incomplete and names what it proved, one mine as one.
TEST(Guards, ThePartialRecordCountsInWords) {
    const std::string trace = ::testing::TempDir() + "gravlin_record_test.trace";
    for (const auto& [more, says] : {std::pair{"", "(1 frei, 1 Mine)"}, {"0401=1", "(1 frei, 2 Minen)"}}) {
        std::remove(trace.c_str());
        SolverState state(Limits{Limits{}.memoryBytes, 0});
        state.noteTraceFile(trace.c_str());
        for (const char* e : {"0101=0", "0201+0202=1", "0202+0203=1", "0301=1", more}) state.add(e);
        EXPECT_EQ(state.next(1, -1), 301);
        EXPECT_EQ(state.next(0, -1), 101);
        const std::string text = (std::stringstream() << std::ifstream(trace).rdbuf()).str();
        EXPECT_NE(text.find("Ergebnis unvollständig: "), std::string::npos) << text;
        EXPECT_NE(text.find(says), std::string::npos) << text;
    }
    std::remove(trace.c_str());
}

}  // namespace
}  // namespace gravlin::engine
