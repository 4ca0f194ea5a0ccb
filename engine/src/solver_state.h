// The equation system the C interface builds up call by call.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "analysis.h"
#include "equation.h"

namespace gravlin::engine {

class SolverState {
  public:
    void clear();
    // Adds one equation in compact notation; returns false when the text was ignored.
    bool add(std::string_view text);
    // Smallest code greater than previous that every solution fixes to `value` (0 or 1),
    // or -1. The analysis runs here, once per change of the system.
    int32_t next(int value, int32_t previous);
    const std::vector<Equation>& equations() const { return equations_; }

  private:
    void refresh();

    std::vector<Equation> equations_;
    bool dirty_ = false;
    std::vector<int32_t> free_;
    std::vector<int32_t> mines_;
};

}  // namespace gravlin::engine
