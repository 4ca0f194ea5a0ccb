#pragma once
#include <memory>

#include "gravlin/board/form1.h"
#include "gravlin/equations/engine.h"
#include "gravlin/equations/equation_system.h"
#include "gravlin/field/field_builder.h"
#include "gravlin/field/levels.h"
#include "gravlin/host.h"
#include "gravlin/info/registry.h"
#include "gravlin/info/www.h"
#include "gravlin/solver/local_solver.h"
#include "gravlin/storage/storage.h"

namespace gravlin {

// The program's logic in one piece: the main window with every subsystem bound to it and
// every menu item and button connected to its handler. The Qt layer draws it; tests drive
// it with a fake host.
class Program final : public Form1Layers {
  public:
    // Without an engine given, the program binds the engine library at its first use.
    explicit Program(Host& host, Engine* engine = nullptr);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs the main window's start-up.
    void start() { form.Form_Load(); }

    Form1 form;
    FieldBuilder field;
    Levels levels;
    LocalSolver solver;
    Storage storage;
    std::unique_ptr<Engine> ownEngine;
    EquationSystem equations;
    // The About and web hints windows are created for each showing; these outlive them.
    std::unique_ptr<Registry> registry = systemRegistry();
    WebHintsSettings webHints = WebHintsSettings::buildDefaults();

    void About_Click();
    void webmsg_Click();

    // Form1Layers
    void DeleteTraceFile() override { equations.DeleteTraceFile(); }
    void UnloadProbabilityWindow() override { equations.UnloadProbabilityWindow(); }
    void Phase1() override { solver.Phase1(); }
    void GlSolve_Click() override { equations.GlSolve_Click(); }
    void KlickGreen_Click() override { solver.KlickGreen_Click(); }
    void Fortgeschrittene_Click() override { levels.Fortgeschrittene_Click(); }

  private:
    void connect();

    Host& host_;
};

}  // namespace gravlin
