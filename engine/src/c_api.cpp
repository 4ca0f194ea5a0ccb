// The exported C functions. No exception may cross into the caller, so each body catches
// everything, and a failed call leaves nothing that passes for a complete answer: an
// equation that cannot be stored makes the system unreadable (it lists nothing until
// QZNewSystem), a listing whose analysis failed lists nothing (and, when memory ran out, is
// analysed again at the next listing), and QZcalcStoch answers that it failed.
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>

#include "gravlin/engine.h"
#include "report.h"
#include "solver_state.h"
#include "trace.h"

namespace {

std::mutex& stateMutex() {
    static std::mutex m;
    return m;
}

gravlin::engine::SolverState& state() {
    static gravlin::engine::SolverState s;
    return s;
}

// The text up to its end, or one character past `limit`: a longer text is refused by its
// length, which needs no more of it.
std::string_view view(const char* text, size_t limit) {
    return text == nullptr ? std::string_view{} : std::string_view{text, strnlen(text, limit + 1)};
}

char* copyToMalloc(const char* text, size_t size) {
    char* out = static_cast<char*>(std::malloc(size + 1));
    if (out != nullptr) {
        std::memcpy(out, text, size);
        out[size] = '\0';
    }
    return out;
}

int32_t nextDetermined(int value, int32_t previous) {
    try {
        std::lock_guard<std::mutex> lock(stateMutex());
        return state().next(value, previous);
    } catch (...) {
        return -1;
    }
}

}  // namespace

extern "C" {

void QZNewSystem(void) {
    try {
        std::lock_guard<std::mutex> lock(stateMutex());
        state().clear();
    } catch (...) {
    }
}

void QZInterpreter(const char* equation) {
    try {
        std::lock_guard<std::mutex> lock(stateMutex());
        state().add(view(equation, gravlin::engine::kMaxEquationText));
    } catch (...) {
    }
}

void QZSolve(void) {
    // The analysis waits for the first listing after a change: the caller adds the
    // equations one by one and calls this after each.
}

int32_t QZGetNextFree(int32_t previous) {
    return nextDetermined(0, previous);
}

int32_t QZGetNextMine(int32_t previous) {
    return nextDetermined(1, previous);
}

void QZtrace(const char* fileName, const char* text) {
    try {
        {
            std::lock_guard<std::mutex> lock(stateMutex());
            state().noteTraceFile(fileName);
        }
        gravlin::engine::appendTrace(fileName, text == nullptr ? std::string_view{} : std::string_view{text});
    } catch (...) {
    }
}

char* QZcalcStoch(const char* system) {
    try {
        const std::string report =
            gravlin::engine::probabilityReport(view(system, gravlin::engine::kMaxSystemText));
        return copyToMalloc(report.data(), report.size());
    } catch (...) {
        static const char kFailed[] = "Die Wahrscheinlichkeiten konnten nicht berechnet werden.\r\n";
        return copyToMalloc(kFailed, sizeof kFailed - 1);
    }
}

void QZcalcStochEnd(void) {
    // The report keeps nothing between calls.
}

}  // extern "C"
