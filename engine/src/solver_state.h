// The equation system the C interface builds up call by call.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis.h"
#include "equation.h"
#include "guards.h"

namespace gravlin::engine {

class SolverState {
  public:
    explicit SolverState(const Limits& limits = {}) : limits_(limits) {}

    void clear();
    // Adds one equation in compact notation; returns false when the text was ignored.
    bool add(std::string_view text);
    // Smallest code greater than previous that every solution fixes to `value` (0 or 1),
    // or -1. The analysis runs here, once per change of the system.
    int32_t next(int value, int32_t previous);
    // The trace file last named by the caller: a partial analysis records itself there.
    void noteTraceFile(const char* fileName);
    const std::vector<Equation>& equations() const { return equations_; }

  private:
    void refresh();

    Limits limits_;
    std::vector<Equation> equations_;
    bool dirty_ = false;
    std::vector<int32_t> free_;
    std::vector<int32_t> mines_;
    std::string traceFile_;
};

}  // namespace gravlin::engine
