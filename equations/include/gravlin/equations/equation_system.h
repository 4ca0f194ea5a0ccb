#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "gravlin/board/form1.h"
#include "gravlin/equations/engine.h"
#include "gravlin/equations/windows.h"

namespace gravlin {

// The open border of the field as linear equations: their text, the display of the
// system, the solve by the engine and its results on the field, the mine probabilities,
// and the engine's trace file.
class EquationSystem {
  public:
    EquationSystem(Form1& form, Engine& engine);

    static constexpr const char* kTraceFile = "kv.trace";

    std::string GenEquiString(std::int16_t n, std::int16_t m, bool mupad) const;
    std::string BuildEquationSystem(bool withTotal, bool forEngine);
    void Eqs_Click() { BuildEquationSystem(false, false); }
    void EqsGes_Click() { BuildEquationSystem(true, false); }

    void GlSolve_Click();
    bool ShowSolveResults();

    void wahrscheinlichkeiten_Click();
    void UnloadProbabilityWindow();
    frmWahrscheinlichkeit& probabilityWindow() { return *probability_; }

    void DeleteTraceFile();

    static const char* const kNotUniqueMessage;

  private:
    // The remaining mines as the label shows them.
    long long remainingFromLabel() const;
    bool engineReady(const std::string& title);

    Form1& form_;
    Engine& engine_;
    std::unique_ptr<frmWahrscheinlichkeit> probability_;
    bool engineMissingReported_ = false;
};

}  // namespace gravlin
