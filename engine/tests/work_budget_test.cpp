// The steps an analysis reports cover the passes it makes. Each pass over a layer looks at
// every slot (state, number of mines of the next group), whether or not that transition
// exists; where big groups allow few of their numbers, the empty slots are most of the work.
#include <gtest/gtest.h>

#include <vector>

#include "analysis.h"
#include "equation.h"
#include "order.h"
#include "prepare.h"
#include "state_graph.h"

namespace gravlin::engine {
namespace {

// Six groups of 40 cells in a row, each four neighbouring groups one equation with 48
// mines: every state allows only a few of the 41 numbers of mines of the next group.
std::vector<Equation> chainOfGroups() {
    std::vector<std::vector<int32_t>> groups(6);
    for (int32_t i = 0; i < 240; ++i)
        groups[static_cast<size_t>(i / 40)].push_back(100 * (i % 30 + 1) + i / 30 + 1);
    std::vector<Equation> eqs;
    for (size_t g = 0; g + 4 <= groups.size(); ++g) {
        Equation e{{}, 48, true};
        for (size_t k = g; k < g + 4; ++k) e.codes.insert(e.codes.end(), groups[k].begin(), groups[k].end());
        eqs.push_back(e);
    }
    return eqs;
}

TEST(WorkBudget, EverySlotOfTheLayersIsPaidFor) {
    const IndexedSystem system(chainOfGroups());
    const Prepared p = prepare(system);
    ASSERT_EQ(p.components.size(), 1u);
    Budget ample(Limits{});
    const Component& comp = p.components[0];
    const StateGraph graph(comp, eliminationOrder(comp, system.codes(), ample), ample);
    uint64_t empty = 0, transitions = 0;
    for (const auto& layer : graph.layers())
        for (int32_t t : layer.next) ++(t >= 0 ? transitions : empty);
    ASSERT_GT(empty, 4 * transitions);

    const Analysis decided = analyseDetermination(system);
    const Census counted = census(system);
    ASSERT_EQ(counted.analysis.status, Analysis::Status::Solvable);
    // Building and restricting the states, then counting the layouts: each at least one
    // step an empty slot per pass.
    EXPECT_GE(decided.work, 3 * empty);
    EXPECT_GE(counted.analysis.work, decided.work + 2 * empty);
}

}  // namespace
}  // namespace gravlin::engine
