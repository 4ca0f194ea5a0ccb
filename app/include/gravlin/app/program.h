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
// every menu item, button and procedure of a layer above the board connected to its
// handler (app/src/wiring.cpp). The Qt layer draws it; tests drive it with a fake host.
class Program final {
  public:
    // Without an engine given, the program binds the engine library at its first use.
    // Throws std::logic_error naming the first handler the wiring left unconnected.
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

  private:
    Host& host_;
};

// Connects every handler of the main window to the program's subsystems.
void connectHandlers(Program& program);
// Throws std::logic_error naming the first menu item, button or procedure of the form that
// has no handler.
void requireConnected(const Form1& form);

}  // namespace gravlin
