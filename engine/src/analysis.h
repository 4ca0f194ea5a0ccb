// Exact analysis of a system of equations over 0/1 unknowns: which unknowns every solution
// fixes, and each unknown's probability of being a mine, every solution equally likely.
//
// The pieces: preparation (prepare.h), per component the states of the counter
// (state_graph.h) in an order chosen by a heuristic (order.h), the combination through the
// total sum (combine.h), and the exact numbers (component_counter.h, bignum.h). Deciding
// uses only sets of possible mine counts; the probabilities count exactly with integers.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "bignum.h"
#include "equation.h"
#include "guards.h"
#include "prepare.h"

namespace gravlin::engine {

struct Analysis {
    // Partial: a guard of Limits tripped. The values then hold a correct part of the answer
    // (what propagation and the components that fitted prove), and probabilities only
    // where they are certain.
    enum class Status { Solvable, NoSolution, Partial };
    Status status = Status::Solvable;

    std::vector<int32_t> codes;  // every unknown, ascending
    // Per unknown: 0 = free in every solution, 1 = mine in every solution, -1 = either (or,
    // when partial, not proven). All -1 when there is no solution.
    std::vector<int8_t> value;
    // Per unknown: named by some cell equation, not only by the total sum.
    std::vector<char> constrained;
    // Steps of work it took (Limits::work), a tripped guard's last attempt included.
    uint64_t work = 0;
    // Only from analyseProbabilities when complete: the number of 0/1 solutions and the
    // effort a census of the system takes (Census), which the suggestion needs as well.
    bignum::Number layouts;
    uint64_t effort = 0;

    // Only from analyseProbabilities (empty otherwise). Interchangeable unknowns share one
    // exact probability: classOf[i] indexes probabilities, or is -1 where a partial analysis
    // has none.
    struct Fraction {
        bignum::Number num;
        bignum::Number den;
    };
    std::vector<Fraction> probabilities;
    std::vector<int32_t> classOf;
    // Null where there is none, and for every unknown of a determination.
    const Fraction* probability(size_t unknown) const {
        return unknown >= classOf.size() || classOf[unknown] < 0
                   ? nullptr
                   : &probabilities[static_cast<size_t>(classOf[unknown])];
    }
};

// Which unknowns every solution fixes, for the system with the extra equations (over its
// unknowns) added: the preparation of the system is reused, nothing is parsed again.
Analysis analyseDetermination(const IndexedSystem& system, std::span<const IndexedEquation> extra = {},
                              const Limits& limits = {});
Analysis analyseDetermination(const std::vector<Equation>& equations, const Limits& limits = {});

// The determination of the system with the extra equations, and its number of solutions.
struct Census {
    Analysis analysis;       // values and status only; no probabilities
    bignum::Number layouts;  // 0/1 solutions; empty (zero) unless the status is Solvable
    uint64_t effort = 0;     // states and limb operations it took: what a like call costs
};
Census census(const IndexedSystem& system, std::span<const IndexedEquation> extra = {},
              const Limits& limits = {});

// Exact mine probabilities, plus the determination.
Analysis analyseProbabilities(const IndexedSystem& system, const Limits& limits = {});
Analysis analyseProbabilities(const std::vector<Equation>& equations, const Limits& limits = {});

}  // namespace gravlin::engine
