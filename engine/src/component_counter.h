// Exact numbers of layouts on the states of a restricted StateGraph.
//
// Forward, a state's row counts its partial layouts by the number of mines placed so far;
// deciding j of a group's `size` unknowns multiplies by C(size, j), the ways to choose them.
// The last row counts the component's layouts by mines. Backward, a state's row holds for
// each number k of mines so far the completions weighted by the rest of the system: the sum
// over completions with m more mines of weight[k + m]. A transition (state, j) then carries
// forward(k) * C(size, j) * backward(k + j) summed over k weighted layouts, exactly those
// through it; summing over a layer's transitions with the same j gives the group's share.
// Rows span only the counts restrict() kept, and the widths follow the bound in bignum.h:
// after groups with n_t unknowns, forward numbers stay below 2^n_t and backward numbers
// below 2^(n - n_t + weightBits), where 2^weightBits bounds the weights.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "bignum.h"
#include "guards.h"
#include "state_graph.h"

namespace gravlin::engine {

class ComponentCounter {
  public:
    ComponentCounter(const StateGraph& graph, const Component& component, size_t weightBits, Budget& budget);

    // Steps (guards.h) of forward() and backward() together: limb operations and the
    // passes over the layers, this object's construction included.
    uint64_t work() const { return work_; }
    // Estimated limb operations of layouts(), whatever the weights: the effort counting
    // adds to a census (analysis.h).
    uint64_t layoutsWork() const { return layoutsWork_; }
    // Steps of layouts() and of this object's construction.
    uint64_t layoutsSteps() const { return layoutsSteps_; }
    // After forward(): whether every layer's row is kept, or only checkpoints (the rest is
    // recomputed in backward()).
    bool keepsAll() const { return keepAll_; }

    // The component's layouts by number of mines. Throws TooLarge when the rows kept for
    // backward() would pass the budget.
    bignum::Row forward();

    // The same row without keeping anything for backward(): for counting alone.
    bignum::Row layouts();

    // Per group g and j = 0 .. size: the sum over the component's layouts with j mines in g
    // (one choice of which members) of weight[their number of mines], in shareWidth() limbs.
    // The weights' actual size narrows the bound given at construction.
    void backward(const bignum::Row& weight, std::vector<std::vector<bignum::Limb>>& shares);
    size_t shareWidth() const { return bignum::widthFor(component_.unknowns + weightBits_); }

  private:
    using Limb = bignum::Limb;

    size_t entries(size_t t) const { return start_[t].back(); }
    size_t rowsBytes(size_t t) const { return entries(t) * forwardWidth_[t] * sizeof(Limb); }
    bool checkpoint(size_t t) const { return keepAll_ || t % segment_ == 0; }
    void planKeeping();
    bignum::Row lastRow() const;
    void forwardStep(size_t t);
    void backwardStep(size_t t, const std::vector<Limb>& after, std::vector<Limb>& before,
                      std::vector<std::vector<Limb>>& shares);
    const std::vector<Limb>& multipliers(size_t size);

    const StateGraph& graph_;
    const Component& component_;
    size_t weightBits_;
    Charge charge_;
    std::vector<std::vector<size_t>> start_;  // per layer and state, plus the end
    std::vector<size_t> decided_;             // per layer: unknowns of the groups decided before it
    // Widths from the bound, for planning; the forward rows are stored narrower where the
    // counts so far allow (rowWidth_).
    std::vector<size_t> forwardWidth_, backwardWidth_, rowWidth_;
    std::vector<size_t> rowUsed_;  // per layer: the most limbs a forward count uses
    // Forward rows per layer (state s: hi - lo + 1 entries from start_[t][s]); all of them
    // kept, or every segment_-th layer and the rest recomputed from there when needed.
    std::vector<std::vector<Limb>> forward_;
    bool keepAll_ = true;
    size_t segment_ = 1;
    uint64_t work_ = 0;
    uint64_t layoutsWork_ = 0;
    uint64_t layoutsSteps_ = 0;
    std::map<size_t, std::vector<Limb>> binomials_;  // per group size: C(size, j), j = 0 .. size
};

}  // namespace gravlin::engine
