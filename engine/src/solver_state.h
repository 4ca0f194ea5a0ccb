// The equation system the C interface builds up call by call.
#pragma once

#include <bitset>
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
    // Adds one equation in compact notation; returns false when the text was ignored. An
    // equation that would take the system beyond kMaxUnknowns or kMaxEquations, or that
    // cannot be stored (an exception, passed on), makes the system unreadable: its
    // equations go, it lists nothing, and further equations are ignored at once until
    // clear(), so the listings never stand for less than what was given.
    bool add(std::string_view text);
    // Smallest code greater than previous that every solution fixes to `value` (0 or 1),
    // or -1. The analysis runs here, once per change of the system; should it fail for
    // want of memory (std::bad_alloc, passed on), nothing is listed and the next call tries
    // again. A guard that trips is no failure: its partial answer stands.
    int32_t next(int value, int32_t previous);
    // The trace file last named by the caller: a partial analysis records itself there.
    void noteTraceFile(const char* fileName);
    const std::vector<Equation>& equations() const { return equations_; }
    bool unreadable() const { return unreadable_ != Unreadable::No; }

  private:
    enum class Unreadable { No, TooLarge, NotStored };
    void refresh();
    void makeUnreadable(Unreadable why);
    void record(const std::string& text) const;

    Limits limits_;
    std::vector<Equation> equations_;
    std::bitset<10000> named_;  // the unknowns the equations name
    size_t unknowns_ = 0;
    Unreadable unreadable_ = Unreadable::No;
    bool dirty_ = false;
    std::vector<int32_t> free_;
    std::vector<int32_t> mines_;
    std::string traceFile_;
};

}  // namespace gravlin::engine
