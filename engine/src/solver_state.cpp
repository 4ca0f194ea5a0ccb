#include "solver_state.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "trace.h"

namespace gravlin::engine {

void SolverState::clear() {
    std::vector<Equation>().swap(equations_);
    named_.reset();
    unknowns_ = 0;
    unreadable_ = Unreadable::No;
    free_.clear();
    mines_.clear();
    dirty_ = false;
}

bool SolverState::add(std::string_view text) {
    if (unreadable_ != Unreadable::No) return false;
    try {
        Equation eq;
        if (parseCompact(text, eq) != ParseResult::Ok) return false;
        size_t unknowns = unknowns_;
        for (int32_t c : eq.codes) unknowns += named_.test(static_cast<size_t>(c)) ? 0 : 1;
        if (equations_.size() == kMaxEquations || unknowns > kMaxUnknowns) {
            makeUnreadable(Unreadable::TooLarge);
            return false;
        }
        equations_.push_back(std::move(eq));
        for (int32_t c : equations_.back().codes) named_.set(static_cast<size_t>(c));
        unknowns_ = unknowns;
        dirty_ = true;
        return true;
    } catch (...) {
        makeUnreadable(Unreadable::NotStored);
        throw;
    }
}

void SolverState::makeUnreadable(Unreadable why) {
    std::vector<Equation>().swap(equations_);
    unreadable_ = why;
    dirty_ = true;
}

void SolverState::noteTraceFile(const char* fileName) {
    // A longer name is no file name (PATH_MAX): it is not kept.
    const size_t size = fileName == nullptr ? 0 : strnlen(fileName, 4096);
    if (size > 0 && size < 4096) traceFile_.assign(fileName, size);
}

void SolverState::record(const std::string& text) const {
    if (!traceFile_.empty()) appendTrace(traceFile_.c_str(), text);
}

void SolverState::refresh() {
    if (!dirty_) return;
    // Emptied first: should the analysis fail, nothing is listed rather than stale lists.
    free_.clear();
    mines_.clear();
    if (unreadable_ != Unreadable::No) {
        dirty_ = false;
        try {
            record(unreadable_ == Unreadable::TooLarge
                       ? "Gleichungssystem nicht gelesen: mehr als " + std::to_string(kMaxUnknowns) +
                             " Unbekannte oder " + std::to_string(kMaxEquations) +
                             " Gleichungen, größer als jedes Spielfeld; gelistet wird nichts"
                       : "Gleichungssystem nicht gelesen: eine Gleichung konnte nicht gespeichert werden; "
                         "gelistet wird nichts");
        } catch (...) {
        }
        return;
    }
    Analysis an;
    try {
        an = analyseDetermination(equations_, limits_);
    } catch (const std::bad_alloc&) {
        throw;  // still dirty: the next listing tries again
    } catch (...) {
        dirty_ = false;  // anything else would fail the same way again
        throw;
    }
    std::vector<int32_t> free, mines;
    if (an.status != Analysis::Status::NoSolution)
        for (size_t i = 0; i < an.codes.size(); ++i) {
            if (an.value[i] == 0) free.push_back(an.codes[i]);
            if (an.value[i] == 1) mines.push_back(an.codes[i]);
        }
    free_.swap(free);
    mines_.swap(mines);
    dirty_ = false;
    if (an.status != Analysis::Status::Partial) return;
    try {
        record(
            "Ergebnis unvollständig: das Gleichungssystem ist zu umfangreich; gelistet sind nur sicher "
            "bewiesene Felder (" +
            std::to_string(free_.size()) + " frei, " + std::to_string(mines_.size()) +
            (mines_.size() == 1 ? " Mine)" : " Minen)"));
    } catch (...) {
    }
}

int32_t SolverState::next(int value, int32_t previous) {
    refresh();
    const auto& list = value == 0 ? free_ : mines_;
    const auto it = std::upper_bound(list.begin(), list.end(), previous < 0 ? -1 : previous);
    return it == list.end() ? -1 : *it;
}

}  // namespace gravlin::engine
