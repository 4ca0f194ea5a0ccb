// Combining the components, through the total sum when there is one.
//
// Components share no unknown, so without a total sum every layout of one goes with every
// layout of another: each stands alone. The total sum T ties them: a layout of component c
// with k mines goes with exactly the layouts of the rest (the other components, and the U
// unknowns that only the total sum names) that hold T - k mines. For deciding, that is a
// question of sets of mine counts; for counting, the number of such layouts of the rest is
// the weight of k, the sum over m of before_c(m) * after_c(T - k - m), where before_c
// counts the components before c by mines and after_c those after c together with the
// C(U, u) ways to mine u of the U unknowns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bignum.h"
#include "count_set.h"

namespace gravlin::engine {

// What the total sum leaves possible, given the possible mine counts of each component
// (sets over 0 .. open, a superset where a component could not be analysed).
struct CountChoices {
    bool solvable = true;
    std::vector<CountSet> allowed;  // per component: its counts that go with the rest
    bool freeMayBeMine = false;     // an unknown only the total sum names can be a mine
    bool freeMayBeFree = false;     // ... and can be free
};
CountChoices chooseCounts(const std::vector<CountSet>& counts, size_t freeUnknowns, int64_t total,
                          size_t open);

struct Combination {
    std::vector<bignum::Row> weights;          // per component, by its number of mines
    std::vector<bignum::Number> denominators;  // per component: the weighted layouts in all
    // With a total sum: over all layouts, the mines on the unknowns only it names, and
    // U times the number of layouts, the probability of each being their quotient.
    bignum::Number freeMines, freeDenominator;
};
// rows: each component's layouts by mines, as far as its allowed counts reach.
Combination combineWithTotal(const std::vector<bignum::Row>& rows, size_t freeUnknowns, int64_t total,
                             size_t open);
Combination combineAlone(const std::vector<bignum::Row>& rows);

// The number of layouts of the whole system, from the same rows.
bignum::Number layoutsWithTotal(const std::vector<bignum::Row>& rows, size_t freeUnknowns, int64_t total,
                                size_t open);
bignum::Number layoutsAlone(const std::vector<bignum::Row>& rows);

}  // namespace gravlin::engine
