#pragma once
#include <memory>

#include "gravlin/app/flow.h"
#include "gravlin/board/form1.h"
#include "gravlin/equations/engine.h"
#include "gravlin/equations/equation_system.h"
#include "gravlin/field/field_builder.h"
#include "gravlin/field/levels.h"
#include "gravlin/game/game.h"
#include "gravlin/host.h"
#include "gravlin/info/registry.h"
#include "gravlin/info/www.h"
#include "gravlin/solver/local_solver.h"
#include "gravlin/storage/storage.h"

namespace gravlin {

// The program's logic in one piece: the game, the main window's data, the parts that act on
// the game, the flow that runs them, and every handler of the main window connected by the
// wiring table (app/src/wiring.cpp). The Qt layer draws it; tests drive it with a fake host.
class Program final {
  public:
    // Without an engine given, the program binds the engine library at its first use.
    // Throws std::logic_error naming the first handler the wiring leaves unconnected.
    explicit Program(Host& host, Engine* engine = nullptr);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs the main window's start-up; then the window shows the game.
    void start();
    // Brings the main window's controls in line with the game. Every handler of the window
    // does so when it ends; a view does so before it draws.
    void showGame();

    Game game;
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
    Flow flow;
};

}  // namespace gravlin
