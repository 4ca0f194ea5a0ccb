// Preparation: the equations over numbered unknowns, then an equivalent system in
// independent pieces.
//
// Exact, because every step keeps the set of 0/1 solutions as it is: a repeated equation
// is dropped; an equation whose sum is 0 makes all its unknowns free and one whose sum
// equals its number of open unknowns makes them all mines, and fixed unknowns leave the
// other equations with their value subtracted; unknowns that share no equation fall into
// separate components, whose layouts combine freely except through the total sum, which is
// kept apart for the combination (combine.h); and unknowns that occur in exactly the same
// equations are interchangeable, so a group of them needs only its number of mines j, in
// C(size, j) layouts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "equation.h"

namespace gravlin::engine {

// Sum of the unknowns vars (ascending indices) equals rhs.
struct IndexedEquation {
    std::vector<uint32_t> vars;
    int64_t rhs = 0;
};

// The equations as given, over unknown indices 0 .. unknowns() - 1 in ascending code order.
// Built once per system; preparation can then run on it with extra equations.
class IndexedSystem {
  public:
    // Codes must lie in [0, 10000), as the parsers guarantee (std::out_of_range otherwise),
    // and an equation must not name an unknown twice (std::invalid_argument).
    explicit IndexedSystem(const std::vector<Equation>& equations);

    size_t unknowns() const { return codes_.size(); }
    const std::vector<int32_t>& codes() const { return codes_; }
    std::optional<uint32_t> indexOf(int32_t code) const;
    const std::vector<IndexedEquation>& equations() const { return equations_; }
    // Per unknown: named by some cell equation, not only by the total sum.
    const std::vector<char>& constrained() const { return constrained_; }
    // An equation without unknowns whose sum is not 0.
    bool contradiction() const { return contradiction_; }

  private:
    std::vector<int32_t> codes_;
    std::vector<IndexedEquation> equations_;
    std::vector<char> constrained_;
    bool contradiction_ = false;
};

// Unknowns in exactly the same equations of a component.
struct Group {
    size_t size = 0;
    std::vector<uint32_t> eqs;  // component-local equations
    std::vector<uint32_t> members;
};

struct ComponentEquation {
    int64_t rhs = 0;
    std::vector<uint32_t> groups;
};

struct Component {
    std::vector<Group> groups;
    std::vector<ComponentEquation> eqs;
    size_t unknowns = 0;
};

struct Prepared {
    bool solvable = true;        // false: some equation was found impossible
    std::vector<int8_t> fixed;   // per unknown: -1, or the value every solution gives it
    bool hasTotal = false;       // an equation names every unknown: the total sum
    int64_t total = 0;           // mines the total sum leaves to the unknowns not fixed
    std::vector<uint32_t> free;  // unknowns not fixed that only the total sum names
    std::vector<Component> components;
    size_t open = 0;  // unknowns not fixed
    // Steps (guards.h) the preparation took: each unknown of an equation looked at, by
    // each pass over the equations.
    uint64_t steps = 0;
};

Prepared prepare(const IndexedSystem& system, std::span<const IndexedEquation> extra = {});

}  // namespace gravlin::engine
