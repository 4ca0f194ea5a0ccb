// The skeleton of the component counter: every way to decide a component's groups one at a
// time, in a fixed order, merged into states.
//
// After t groups, a state is the list of mines that each open equation (one with decided
// and undecided groups) still needs. Two partial layouts with the same list complete in
// exactly the same ways, since the undecided groups meet only open or untouched equations,
// so merging them loses nothing; an equation closes when its last group is decided and its
// need must then be 0. A transition (state, j mines in the next group) leads to the state
// with the touched needs lowered by j. Each state carries the set of mine counts of its
// partial layouts as a bit row, which is all that deciding certain cells needs. restrict()
// then keeps only what completes to an allowed number of mines (the total sum), walking
// back from the end; the counter (component_counter.h) puts exact numbers on what remains.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "count_set.h"
#include "guards.h"
#include "prepare.h"

namespace gravlin::engine {

class StateGraph {
  public:
    struct Layer {
        size_t choices = 1;         // 1 + size of the group decided from this layer
        std::vector<int32_t> next;  // per state and mines j in that group: the next state, or -1
        // Per state: least and most mines of its partial layouts; after restrict(), of those
        // that complete (hi < lo: none does).
        std::vector<int32_t> lo, hi;
        // Per state: its bit row bits[rowAt[s], rowAt[s + 1]), bit i for lo + i mines.
        std::vector<uint32_t> rowAt;
        std::vector<Word> bits;
        size_t count() const { return lo.size(); }
    };

    // Throws TooLarge when the layers would pass the budget's memory or work. The work of
    // restrict() is spent here as well, so that restrict() cannot trip.
    StateGraph(const Component& component, std::vector<uint32_t> order, Budget& budget);

    // Numbers of mines of the component's layouts, as a set of counts below `size`.
    CountSet layoutCounts(size_t size) const;

    // Keeps only partial layouts that complete to a layout whose number of mines is in
    // `allowed`, and sets possible[g][j] when such a layout has j mines in group g.
    void restrict(const CountSet& allowed, std::vector<std::vector<char>>& possible);

    const std::vector<uint32_t>& order() const { return order_; }
    // Layer t is before deciding order()[t]; the last one has no transitions.
    const std::vector<Layer>& layers() const { return layers_; }

  private:
    struct Build;
    struct Plan;
    void plan(Build& b, uint32_t group, Plan& p) const;
    void step(Build& b, uint32_t group);
    void countsOfNext(Layer& prev, Layer& next, size_t size);
    void keepCompleting(size_t t, std::vector<char>& possible, std::vector<Word>& acc);
    void finishRows(Layer& layer);

    const Component& c_;
    std::vector<uint32_t> order_;
    std::vector<Layer> layers_;
    Charge charge_;
};

}  // namespace gravlin::engine
