#include "suggestion.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "bignum.h"
#include "look_ahead.h"
#include "neighbours.h"

namespace gravlin::engine {
namespace {

using Fraction = Analysis::Fraction;

long double toReal(const bignum::Number& n) {
    long double r = 0;
    for (size_t i = n.size(); i-- > 0;) r = r * 18446744073709551616.0L + static_cast<long double>(n[i]);
    return r;
}

// a < b for positive denominators; with the total sum they are mostly equal.
bool less(const Fraction& a, const Fraction& b) {
    if (bignum::compare(a.den, b.den) == 0) return bignum::compare(a.num, b.num) < 0;
    return bignum::compare(bignum::multiply(a.num, b.den), bignum::multiply(b.num, a.den)) < 0;
}

// Per unknown: the rank of its probability among the distinct values (equal values share
// one), or SIZE_MAX where the analysis has none.
std::vector<size_t> probabilityRanks(const Analysis& an) {
    const auto& fractions = an.probabilities;
    std::vector<size_t> byValue(fractions.size());
    for (size_t c = 0; c < byValue.size(); ++c) byValue[c] = c;
    std::sort(byValue.begin(), byValue.end(),
              [&](size_t x, size_t y) { return less(fractions[x], fractions[y]); });
    std::vector<size_t> classRank(fractions.size(), 0);
    for (size_t i = 1; i < byValue.size(); ++i)
        classRank[byValue[i]] =
            classRank[byValue[i - 1]] + (less(fractions[byValue[i - 1]], fractions[byValue[i]]));
    std::vector<size_t> rank(an.codes.size(), SIZE_MAX);
    for (size_t i = 0; i < rank.size() && i < an.classOf.size(); ++i)
        if (an.classOf[i] >= 0) rank[i] = classRank[static_cast<size_t>(an.classOf[i])];
    return rank;
}

// Unknowns that may still be opened, safest first; among equals those a cell equation
// names, then by code.
std::vector<size_t> byRisk(const Analysis& an, const std::vector<size_t>& rank) {
    std::vector<size_t> order;
    for (size_t i = 0; i < an.codes.size(); ++i)
        if (an.value[i] < 0 && rank[i] != SIZE_MAX) order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (rank[a] != rank[b]) return rank[a] < rank[b];
        return an.constrained[a] > an.constrained[b];
    });
    return order;
}

// Whether some cell that could still be opened (not a certain mine, neither x nor y) sees
// exactly one of the two, so that its number would tell them apart.
bool told(const IndexedSystem& system, const Analysis& an, uint32_t x, uint32_t y) {
    const std::vector<uint32_t> nx = neighbourUnknowns(system, x), ny = neighbourUnknowns(system, y);
    std::vector<uint32_t> one;
    std::set_symmetric_difference(nx.begin(), nx.end(), ny.begin(), ny.end(), std::back_inserter(one));
    return std::any_of(one.begin(), one.end(),
                       [&](uint32_t z) { return z != x && z != y && an.value[z] != 1; });
}

// The first cell of a pair that holds one mine, is named by the same equations (so each is
// a mine in half the layouts, whatever else happens) and that no other number can tell apart;
// of several such pairs the one with the lowest code, whatever order the equations came in.
std::optional<size_t> forcedPair(const IndexedSystem& system, const Analysis& an) {
    const auto& eqs = system.equations();
    std::vector<std::vector<uint32_t>> eqsOf(an.codes.size());
    for (size_t e = 0; e < eqs.size(); ++e)
        for (uint32_t v : eqs[e].vars) eqsOf[v].push_back(static_cast<uint32_t>(e));
    std::optional<size_t> first;
    for (const IndexedEquation& e : eqs) {
        std::vector<uint32_t> open;
        int64_t rest = e.rhs;
        for (uint32_t v : e.vars) {
            if (an.value[v] < 0)
                open.push_back(v);
            else
                rest -= an.value[v];
        }
        if (open.size() == 2 && rest == 1 && (!first || open[0] < *first) &&
            eqsOf[open[0]] == eqsOf[open[1]] && !told(system, an, open[0], open[1]))
            first = open[0];
    }
    return first;
}

std::optional<size_t> bestChance(const IndexedSystem& system, const Analysis& an,
                                 const std::vector<size_t>& order, const SuggestionLimits& limits,
                                 const Limits& analysisLimits) {
    if (const auto pair = forcedPair(system, an)) return pair;
    if (an.layouts.empty()) return order.front();
    const long double layouts = toReal(an.layouts);
    if (layouts <= static_cast<long double>(limits.endgame.layouts))
        if (const auto cell = bestEndgameCell(system, an, order, limits.endgame).cell) return cell;
    std::vector<long double> p(an.codes.size(), 1);
    for (size_t i : order) {
        const Fraction* f = an.probability(i);
        p[i] = toReal(f->num) / toReal(f->den);
    }
    const Weighing weighing =
        layouts <= static_cast<long double>(limits.twoStepLayouts) ? Weighing::TwoSteps : Weighing::Progress;
    // The steps the analysis of the position left are the look-ahead's.
    const uint64_t steps = limits.steps > an.work ? limits.steps - an.work : 0;
    const LookAheadResult chosen = lookAhead({system, an, order, p, layouts, an.effort}, weighing,
                                             {limits.lookAheadWork, steps}, analysisLimits);
    return chosen.cell ? chosen.cell : order.front();
}

}  // namespace

std::optional<size_t> suggestCell(const IndexedSystem& system, const Analysis& probabilities,
                                  SuggestionRule rule, const SuggestionLimits& limits,
                                  const Limits& analysisLimits) {
    const Analysis& an = probabilities;
    if (an.status == Analysis::Status::NoSolution) return std::nullopt;
    for (size_t i = 0; i < an.value.size(); ++i)
        if (an.value[i] == 0) return i;
    // A partial analysis knows only certain cells: no guess is worth naming.
    if (an.status == Analysis::Status::Partial) return std::nullopt;
    const std::vector<size_t> order = byRisk(an, probabilityRanks(an));
    if (order.empty()) return std::nullopt;
    if (rule == SuggestionRule::Safest) return order.front();
    return bestChance(system, an, order, limits, analysisLimits);
}

}  // namespace gravlin::engine
