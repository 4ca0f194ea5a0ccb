#include "analysis.h"

#include <optional>
#include <utility>

#include "combine.h"
#include "component_counter.h"
#include "count_set.h"
#include "order.h"
#include "state_graph.h"

namespace gravlin::engine {
namespace {

using bignum::Limb;

// What deciding leaves for counting.
struct Decision {
    Prepared prepared;
    std::vector<std::optional<StateGraph>> graphs;  // empty where the budget did not suffice
    bool complete = true;
};

Analysis start(const IndexedSystem& system) {
    Analysis out;
    out.codes = system.codes();
    out.value.assign(out.codes.size(), -1);
    out.constrained = system.constrained();
    return out;
}

// 0 or 1 when every kept layout puts that value on each member of the group, else -1.
int8_t groupValue(const std::vector<char>& possible) {
    bool between = false;
    for (size_t j = 1; j + 1 < possible.size(); ++j) between = between || possible[j] != 0;
    const bool none = possible.front() != 0;
    const bool all = possible.back() != 0;
    if (between || none == all) return -1;
    return none ? 0 : 1;
}

// The mine counts of each component: exact from its states, or every count it could have
// where the states did not fit (a superset, so what follows stays correct, if weaker).
std::vector<CountSet> componentCounts(const IndexedSystem& system, Budget& budget, Decision& d) {
    const Prepared& p = d.prepared;
    std::vector<CountSet> counts;
    d.graphs.resize(p.components.size());
    for (size_t c = 0; c < p.components.size(); ++c) {
        const Component& comp = p.components[c];
        try {
            d.graphs[c].emplace(comp, eliminationOrder(comp, system.codes(), budget), budget);
            counts.push_back(d.graphs[c]->layoutCounts(p.open + 1));
        } catch (const TooLarge&) {
            d.graphs[c].reset();
            d.complete = false;
            counts.push_back(CountSet::range(p.open + 1, 0, static_cast<int64_t>(comp.unknowns)));
        }
    }
    return counts;
}

// Fills out.value; false when the system has no solution.
bool decide(const IndexedSystem& system, std::span<const IndexedEquation> extra, Budget& budget,
            Analysis& out, Decision& d) {
    d.prepared = prepare(system, extra);
    const Prepared& p = d.prepared;
    budget.deduct(p.steps);
    if (!p.solvable) return false;
    const std::vector<CountSet> counts = componentCounts(system, budget, d);
    for (const CountSet& k : counts)
        if (k.empty()) return false;
    CountChoices choices;
    if (p.hasTotal) {
        choices = chooseCounts(counts, p.free.size(), p.total, p.open);
        if (!choices.solvable) return false;
    } else {
        choices.allowed.assign(counts.size(), CountSet::range(p.open + 1, 0, static_cast<int64_t>(p.open)));
        choices.freeMayBeMine = choices.freeMayBeFree = true;
    }
    std::vector<std::vector<char>> possible;
    for (size_t c = 0; c < p.components.size(); ++c) {
        if (!d.graphs[c]) continue;
        d.graphs[c]->restrict(choices.allowed[c], possible);
        const auto& groups = p.components[c].groups;
        for (size_t g = 0; g < groups.size(); ++g)
            for (uint32_t m : groups[g].members) out.value[m] = groupValue(possible[g]);
    }
    const int8_t free = !choices.freeMayBeMine ? 0 : !choices.freeMayBeFree ? 1 : -1;
    for (uint32_t m : p.free) out.value[m] = free;
    for (size_t v = 0; v < p.fixed.size(); ++v)
        if (p.fixed[v] >= 0) out.value[v] = p.fixed[v];
    out.status = d.complete ? Analysis::Status::Solvable : Analysis::Status::Partial;
    return true;
}

// A member of the group is a mine in C(size - 1, j - 1) of the C(size, j) ways to place j
// mines in it.
bignum::Number groupMines(const Group& g, const std::vector<Limb>& share, size_t width) {
    const size_t cw = bignum::widthFor(g.size - 1);
    std::vector<Limb> ways(g.size * cw), num(width, 0);
    bignum::binomials(g.size - 1, 0, g.size - 1, ways.data(), cw);
    for (size_t j = 1; j <= g.size; ++j)
        bignum::addProduct(num.data(), width, &share[j * width], width, &ways[(j - 1) * cw], cw);
    return bignum::trimmed(num.data(), width);
}

int32_t addClass(Analysis& out, bignum::Number num, bignum::Number den) {
    out.probabilities.push_back({std::move(num), std::move(den)});
    return static_cast<int32_t>(out.probabilities.size() - 1);
}

// Exact probabilities for every unknown of the components and of the total sum alone.
void countAll(Decision& d, Budget& budget, Analysis& out) {
    const Prepared& p = d.prepared;
    std::vector<ComponentCounter> counters;
    counters.reserve(p.components.size());
    for (size_t c = 0; c < p.components.size(); ++c) {
        const size_t weightBits = p.hasTotal ? p.open - p.components[c].unknowns : 0;
        counters.emplace_back(*d.graphs[c], p.components[c], weightBits, budget);
        budget.spend(counters.back().work());
    }
    std::vector<bignum::Row> rows;
    for (auto& counter : counters) {
        rows.push_back(counter.forward());
        out.effort += counter.layoutsWork();
    }
    out.layouts = p.hasTotal ? layoutsWithTotal(rows, p.free.size(), p.total, p.open) : layoutsAlone(rows);
    if (p.hasTotal) {
        // Each component's row meets the products of the others, up to the total, three times.
        const uint64_t width = bignum::widthFor(p.open);
        for (const bignum::Row& r : rows)
            budget.spend(3 * r.len * static_cast<uint64_t>(p.total + 1) * width * width);
    }
    const Combination combination =
        p.hasTotal ? combineWithTotal(rows, p.free.size(), p.total, p.open) : combineAlone(rows);
    std::vector<std::vector<Limb>> shares;
    for (size_t c = 0; c < counters.size(); ++c) {
        counters[c].backward(combination.weights[c], shares);
        const auto& groups = p.components[c].groups;
        for (size_t g = 0; g < groups.size(); ++g) {
            const int32_t id = addClass(out, groupMines(groups[g], shares[g], counters[c].shareWidth()),
                                        combination.denominators[c]);
            for (uint32_t m : groups[g].members) out.classOf[m] = id;
        }
    }
    if (p.hasTotal && !p.free.empty()) {
        const int32_t id = addClass(out, combination.freeMines, combination.freeDenominator);
        for (uint32_t m : p.free) out.classOf[m] = id;
    }
}

// States and transitions of the graphs: the work deciding took.
uint64_t decidingEffort(const Decision& d) {
    uint64_t effort = 0;
    for (const auto& g : d.graphs)
        if (g)
            for (const auto& layer : g->layers()) effort += layer.count() * layer.choices;
    return effort;
}

}  // namespace

Census census(const IndexedSystem& system, std::span<const IndexedEquation> extra, const Limits& limits) {
    Census out{start(system), {}, 0};
    Budget budget(limits);
    Decision d;
    const bool solvable = decide(system, extra, budget, out.analysis, d);
    out.analysis.work = budget.spent();
    if (!solvable) {
        out.analysis.status = Analysis::Status::NoSolution;
        out.analysis.value.assign(out.analysis.codes.size(), -1);
        return out;
    }
    out.effort = decidingEffort(d);
    if (!d.complete) return out;
    const Prepared& p = d.prepared;
    try {
        std::vector<bignum::Row> rows;
        for (size_t c = 0; c < p.components.size(); ++c) {
            ComponentCounter counter(*d.graphs[c], p.components[c], 0, budget);
            out.effort += counter.layoutsWork();
            budget.spend(counter.layoutsSteps());
            rows.push_back(counter.layouts());
        }
        out.layouts =
            p.hasTotal ? layoutsWithTotal(rows, p.free.size(), p.total, p.open) : layoutsAlone(rows);
    } catch (const TooLarge&) {
        out.analysis.status = Analysis::Status::Partial;
        out.layouts.clear();
    }
    out.analysis.work = budget.spent();
    return out;
}

Analysis analyseDetermination(const IndexedSystem& system, std::span<const IndexedEquation> extra,
                              const Limits& limits) {
    Analysis out = start(system);
    Budget budget(limits);
    Decision d;
    if (!decide(system, extra, budget, out, d)) {
        out.status = Analysis::Status::NoSolution;
        out.value.assign(out.codes.size(), -1);
    }
    out.work = budget.spent();
    return out;
}

Analysis analyseDetermination(const std::vector<Equation>& equations, const Limits& limits) {
    return analyseDetermination(IndexedSystem(equations), {}, limits);
}

Analysis analyseProbabilities(const std::vector<Equation>& equations, const Limits& limits) {
    return analyseProbabilities(IndexedSystem(equations), limits);
}

Analysis analyseProbabilities(const IndexedSystem& system, const Limits& limits) {
    Analysis out = start(system);
    Budget budget(limits);
    Decision d;
    const bool solvable = decide(system, {}, budget, out, d);
    out.work = budget.spent();
    if (!solvable) {
        out.status = Analysis::Status::NoSolution;
        out.value.assign(out.codes.size(), -1);
        return out;
    }
    // Classes 0 and 1: certainly free, certainly a mine.
    out.probabilities = {{{}, {1}}, {{1}, {1}}};
    out.classOf.assign(out.codes.size(), -1);
    if (d.complete) {
        try {
            out.effort = decidingEffort(d);
            countAll(d, budget, out);
        } catch (const TooLarge&) {
            out.status = Analysis::Status::Partial;
            out.probabilities.resize(2);
            out.classOf.assign(out.codes.size(), -1);
            out.layouts.clear();
            out.effort = 0;
        }
    }
    // Unknowns fixed before counting, and every certain unknown of a partial analysis.
    for (size_t v = 0; v < out.codes.size(); ++v)
        if (out.classOf[v] < 0 && out.value[v] >= 0) out.classOf[v] = out.value[v];
    out.work = budget.spent();
    return out;
}

}  // namespace gravlin::engine
