// Exact analysis of a system of equations over 0/1 unknowns.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "arith.h"
#include "equation.h"

namespace gravlin::engine {

struct Analysis {
    enum class Status { Solvable, NoSolution, TooComplex };
    Status status = Status::Solvable;

    std::vector<int32_t> codes;  // every unknown, ascending
    // Per unknown: 0 = free in every solution, 1 = mine in every solution, -1 = either.
    // All -1 unless the system is solvable.
    std::vector<int8_t> value;
    // Per unknown: appears in some cell equation (not only in the total sum).
    std::vector<bool> constrained;
    // Only filled by analyseProbabilities. Interchangeable unknowns share one exact
    // probability: classOf[i] indexes probabilities. Numbers carry no leading zero words.
    struct Fraction {
        std::vector<Limb> num;
        std::vector<Limb> den;
    };
    std::vector<Fraction> probabilities;
    std::vector<int32_t> classOf;
    const Fraction& probability(size_t unknown) const {
        return probabilities[static_cast<size_t>(classOf[unknown])];
    }
};

// Upper bound on the 64-bit words the counting passes may hold at once; a system whose
// structure would need more is reported as TooComplex instead of exhausting memory.
inline constexpr size_t kDefaultWorkLimit = size_t{1} << 23;

// Which unknowns every solution fixes. Cheap: counts only "none" versus "some".
Analysis analyseDetermination(const std::vector<Equation>& equations, size_t workLimit = kDefaultWorkLimit);

// Exact mine probabilities, every solution equally likely, plus the determination.
Analysis analyseProbabilities(const std::vector<Equation>& equations, size_t workLimit = kDefaultWorkLimit);

}  // namespace gravlin::engine
