#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "gravlin/engine.h"
#include "gravlin/equations/engine.h"

namespace gravlin {

// Binds libgravlin at the first call, from where it belongs and never from the working
// folder: first the library folder beside the program's folder (../lib, or the installed
// library folder), then the program's folder itself, then the system's own search by the
// library's SONAME. A program folder that is not an absolute path is not used.
class DynamicEngine final : public Engine {
  public:
    explicit DynamicEngine(std::string programFolder);
    ~DynamicEngine() override;
    DynamicEngine(const DynamicEngine&) = delete;
    DynamicEngine& operator=(const DynamicEngine&) = delete;

    bool ensureLoaded() override;
    std::string loadError() const override { return error_; }

    void QZNewSystem() override;
    void QZInterpreter(const std::string& equation) override;
    void QZSolve() override;
    std::int32_t QZGetNextFree(std::int32_t previous) override;
    std::int32_t QZGetNextMine(std::int32_t previous) override;
    void QZtrace(const std::string& fileName, const std::string& text) override;
    std::string QZcalcStoch(const std::string& system) override;
    void QZcalcStochEnd() override;

    // The SONAME, as the build made it.
    static const char* libraryName();

  private:
    // The library's functions, typed by its own header.
    struct Functions {
        decltype(&::QZNewSystem) newSystem = nullptr;
        decltype(&::QZInterpreter) interpreter = nullptr;
        decltype(&::QZSolve) solve = nullptr;
        decltype(&::QZGetNextFree) nextFree = nullptr;
        decltype(&::QZGetNextMine) nextMine = nullptr;
        decltype(&::QZtrace) trace = nullptr;
        decltype(&::QZcalcStoch) calcStoch = nullptr;
        decltype(&::QZcalcStochEnd) calcStochEnd = nullptr;
    };

    std::string programFolder_;
    void* handle_ = nullptr;
    std::optional<Functions> fn_;
    bool tried_ = false;
    std::string error_;
};

}  // namespace gravlin
