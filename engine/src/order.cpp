#include "order.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>
#include <utility>

namespace gravlin::engine {
namespace {

// Groups times their memberships in equations beyond which the greedy walks are left out:
// a whole board stays below 720 * 720 * 8.
constexpr size_t kGreedyLimit = 720 * 720 * 8;

// Steps (guards.h) of the heuristic, counted as it goes: each group or equation looked at,
// and each estimate of an equation's needs (a logarithm) at kPerEstimate.
constexpr uint64_t kPerEstimate = 20;

// Estimated work of an order: the sum over its steps of the number of states the open
// equations allow, each open equation contributing the needs it can still have.
double estimatedCost(const Component& c, const std::vector<uint32_t>& order, uint64_t& steps) {
    std::vector<int64_t> decided(c.eqs.size(), 0), left(c.eqs.size(), 0);
    std::vector<size_t> groupsLeft(c.eqs.size());
    for (size_t e = 0; e < c.eqs.size(); ++e) {
        groupsLeft[e] = c.eqs[e].groups.size();
        for (uint32_t g : c.eqs[e].groups) left[e] += static_cast<int64_t>(c.groups[g].size);
    }
    auto bits = [&](size_t e) {
        if (decided[e] == 0 || groupsLeft[e] == 0) return 0.0;
        const int64_t lo = std::max<int64_t>(0, c.eqs[e].rhs - decided[e]);
        const int64_t hi = std::min(c.eqs[e].rhs, left[e]);
        return std::log2(static_cast<double>(std::max<int64_t>(hi - lo + 1, 1)));
    };
    double width = 0;
    double cost = 0;
    for (uint32_t g : order) {
        const auto size = static_cast<int64_t>(c.groups[g].size);
        for (uint32_t e : c.groups[g].eqs) {
            width -= bits(e);
            decided[e] += size;
            left[e] -= size;
            --groupsLeft[e];
            width += bits(e);
        }
        cost += std::exp2(std::min(width, 60.0)) * static_cast<double>(size + 1);
        steps += kPerEstimate * (2 * c.groups[g].eqs.size() + 1);
    }
    return cost;
}

// Groups by their mean position on the field, along x first (byColumn) or along y first.
std::vector<uint32_t> sweep(const Component& c, const std::vector<int32_t>& codes, bool byColumn,
                            uint64_t& steps) {
    std::vector<std::pair<std::pair<double, double>, uint32_t>> keyed;
    for (size_t g = 0; g < c.groups.size(); ++g) {
        double x = 0;
        double y = 0;
        for (uint32_t m : c.groups[g].members) {
            x += codes[m] / 100;
            y += codes[m] % 100;
        }
        const auto size = static_cast<double>(c.groups[g].members.size());
        keyed.push_back({byColumn ? std::pair{x / size, y / size} : std::pair{y / size, x / size},
                         static_cast<uint32_t>(g)});
    }
    std::sort(keyed.begin(), keyed.end());
    steps += keyed.size() * (4 + static_cast<uint64_t>(std::bit_width(keyed.size())));
    std::vector<uint32_t> order;
    for (const auto& k : keyed) order.push_back(k.second);
    return order;
}

// Last group a breadth-first walk from `from` reaches: a far end of the component.
uint32_t farthest(const Component& c, uint32_t from, uint64_t& steps) {
    std::vector<char> seenGroup(c.groups.size(), 0), seenEq(c.eqs.size(), 0);
    std::vector<uint32_t> queue{from};
    seenGroup[from] = 1;
    for (size_t qi = 0; qi < queue.size(); ++qi)
        for (uint32_t e : c.groups[queue[qi]].eqs) {
            ++steps;
            if (seenEq[e]) continue;
            seenEq[e] = 1;
            steps += c.eqs[e].groups.size();
            for (uint32_t h : c.eqs[e].groups)
                if (!seenGroup[h]) {
                    seenGroup[h] = 1;
                    queue.push_back(h);
                }
        }
    return queue.back();
}

// From `start`, always the neighbouring group that closes the most equations and opens
// the fewest.
std::vector<uint32_t> greedy(const Component& c, uint32_t start, uint64_t& steps) {
    std::vector<size_t> left(c.eqs.size());
    for (size_t e = 0; e < c.eqs.size(); ++e) left[e] = c.eqs[e].groups.size();
    std::vector<char> open(c.eqs.size(), 0), candidate(c.groups.size(), 0);
    std::vector<uint32_t> candidates{start}, order;
    candidate[start] = 1;
    while (!candidates.empty()) {
        size_t bestAt = 0;
        std::pair<long, long> bestScore{0, 0};
        for (size_t i = 0; i < candidates.size(); ++i) {
            long opens = 0;
            long closes = 0;
            steps += 1 + c.groups[candidates[i]].eqs.size();
            for (uint32_t e : c.groups[candidates[i]].eqs) {
                if (left[e] == 1)
                    ++closes;
                else if (!open[e])
                    ++opens;
            }
            const std::pair<long, long> score{opens - closes, opens};
            if (i == 0 || score < bestScore) {
                bestAt = i;
                bestScore = score;
            }
        }
        const uint32_t best = candidates[bestAt];
        candidates[bestAt] = candidates.back();
        candidates.pop_back();
        order.push_back(best);
        for (uint32_t e : c.groups[best].eqs) {
            open[e] = --left[e] > 0;
            steps += c.eqs[e].groups.size();
            for (uint32_t h : c.eqs[e].groups)
                if (!candidate[h]) {
                    candidate[h] = 1;
                    candidates.push_back(h);
                }
        }
    }
    return order;
}

}  // namespace

std::vector<uint32_t> eliminationOrder(const Component& component, const std::vector<int32_t>& codes,
                                       Budget& budget) {
    if (component.groups.size() < 8) {
        std::vector<uint32_t> order(component.groups.size());
        std::iota(order.begin(), order.end(), 0u);
        return order;
    }
    uint64_t steps = 0;
    std::vector<std::vector<uint32_t>> candidates{sweep(component, codes, true, steps),
                                                  sweep(component, codes, false, steps)};
    // A greedy walk looks at every group of every equation it opens, at every step: on a
    // board an unknown lies in at most eight equations, but a system whose equations each
    // name hundreds of unknowns would spend seconds here on a table far too large anyway.
    size_t incidence = 0;
    for (const Group& g : component.groups) incidence += g.eqs.size();
    if (incidence * component.groups.size() <= kGreedyLimit) {
        const uint32_t end = farthest(component, 0, steps);
        uint32_t fewest = 0;
        for (size_t g = 0; g < component.groups.size(); ++g)
            if (component.groups[g].eqs.size() < component.groups[fewest].eqs.size())
                fewest = static_cast<uint32_t>(g);
        budget.spend(std::exchange(steps, 0));
        candidates.push_back(greedy(component, end, steps));
        budget.spend(std::exchange(steps, 0));
        candidates.push_back(greedy(component, farthest(component, end, steps), steps));
        budget.spend(std::exchange(steps, 0));
        candidates.push_back(greedy(component, fewest, steps));
    }
    size_t best = 0;
    double bestCost = 0;
    for (size_t i = 0; i < candidates.size(); ++i) {
        const double cost = estimatedCost(component, candidates[i], steps);
        if (i == 0 || cost < bestCost) {
            best = i;
            bestCost = cost;
        }
    }
    budget.spend(steps);
    return std::move(candidates[best]);
}

}  // namespace gravlin::engine
