#pragma once
#include <cstdint>
#include <string>

namespace gravlin {

// The solver engine's calls as the program makes them. The program binds the engine
// library at the first call (DynamicEngine); tests put a recording engine in its place.
class Engine {
  public:
    virtual ~Engine() = default;

    // Binds the library if that has not happened yet; false (with loadError()) if it
    // cannot be bound, in which case no other call may be made.
    virtual bool ensureLoaded() = 0;
    virtual std::string loadError() const = 0;

    virtual void QZNewSystem() = 0;
    virtual void QZInterpreter(const std::string& equation) = 0;
    virtual void QZSolve() = 0;
    virtual std::int32_t QZGetNextFree(std::int32_t previous) = 0;
    virtual std::int32_t QZGetNextMine(std::int32_t previous) = 0;
    virtual void QZtrace(const std::string& fileName, const std::string& text) = 0;
    // The engine's text; its memory is released here.
    virtual std::string QZcalcStoch(const std::string& system) = 0;
    virtual void QZcalcStochEnd() = 0;
};

}  // namespace gravlin
