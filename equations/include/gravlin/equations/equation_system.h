#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "gravlin/equations/engine.h"
#include "gravlin/equations/windows.h"
#include "gravlin/game/game.h"
#include "gravlin/host.h"
#include "gravlin/window.h"

namespace gravlin {

// The open border of the field as linear equations: their text, the display of the
// system, the solve by the engine and its results on the field, the mine probabilities,
// and the engine's trace file.
class EquationSystem {
  public:
    // `mainWindow` owns the equation windows, and its off-screen button takes the focus
    // from the solve's.
    EquationSystem(Game& game, Engine& engine, Host& host, Window& mainWindow);

    static constexpr const char* kTraceFile = "kv.trace";

    std::string GenEquiString(std::int16_t n, std::int16_t m, bool mupad) const;
    std::string BuildEquationSystem(bool withTotal, bool forEngine);
    void Eqs_Click() { BuildEquationSystem(false, false); }
    void EqsGes_Click() { BuildEquationSystem(true, false); }

    void GlSolve_Click();
    void GlSolve_Menu_Click() { GlSolve_Click(); }
    bool ShowSolveResults();

    void wahrscheinlichkeiten_Click();
    void UnloadProbabilityWindow();
    frmWahrscheinlichkeit& probabilityWindow() { return *probability_; }

    void DeleteTraceFile();

    static const char* const kNotUniqueMessage;

  private:
    bool engineReady(const std::string& title);

    Game& game_;
    Engine& engine_;
    Host& host_;
    Window& mainWindow_;
    std::unique_ptr<frmWahrscheinlichkeit> probability_;
    bool engineMissingReported_ = false;
};

}  // namespace gravlin
