#include "solver_state.h"

#include <algorithm>

#include "trace.h"

namespace gravlin::engine {

void SolverState::clear() {
    equations_.clear();
    free_.clear();
    mines_.clear();
    dirty_ = false;
}

bool SolverState::add(std::string_view text) {
    Equation eq;
    if (parseCompact(text, eq) != ParseResult::Ok) return false;
    equations_.push_back(std::move(eq));
    dirty_ = true;
    return true;
}

void SolverState::noteTraceFile(const char* fileName) {
    if (fileName != nullptr && *fileName != '\0') traceFile_ = fileName;
}

void SolverState::refresh() {
    if (!dirty_) return;
    // Cleared first: should the analysis fail, nothing is reported rather than stale lists.
    free_.clear();
    mines_.clear();
    dirty_ = false;
    const Analysis an = analyseDetermination(equations_, limits_);
    if (an.status == Analysis::Status::NoSolution) return;
    for (size_t i = 0; i < an.codes.size(); ++i) {
        if (an.value[i] == 0) free_.push_back(an.codes[i]);
        if (an.value[i] == 1) mines_.push_back(an.codes[i]);
    }
    if (an.status == Analysis::Status::Partial && !traceFile_.empty())
        appendTrace(traceFile_.c_str(),
                    "Ergebnis unvollständig: das Gleichungssystem ist zu umfangreich; gelistet "
                    "sind nur sicher bewiesene Felder (" +
                        std::to_string(free_.size()) + " frei, " + std::to_string(mines_.size()) + " Minen)");
}

int32_t SolverState::next(int value, int32_t previous) {
    refresh();
    const auto& list = value == 0 ? free_ : mines_;
    const auto it = std::upper_bound(list.begin(), list.end(), previous < 0 ? -1 : previous);
    return it == list.end() ? -1 : *it;
}

}  // namespace gravlin::engine
