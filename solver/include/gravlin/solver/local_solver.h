#pragma once
#include "gravlin/game/game.h"
#include "gravlin/host.h"
#include "gravlin/window.h"

namespace gravlin {

// Finishes what single numbered cells decide: marks certain mines and opens certain free
// cells until a whole cycle changes nothing. Reads only what a player could see.
class LocalSolver {
  public:
    // `mainWindow` is the window whose off-screen button takes the focus from the sweep's.
    LocalSolver(Game& game, Host& host, Window& mainWindow)
        : game_(game), host_(host), mainWindow_(mainWindow) {}

    bool SearchMine();
    bool RecalcCounterI();
    bool PrePhase1();
    void Phase1();

    // Opens every light green cell, column by column, with a solver run after each cell it
    // opens.
    void KlickGreen_Click();
    void KlickGreen_Menu_Click() { KlickGreen_Click(); }

    static constexpr int kCycleLimit = 100;

  private:
    Game& game_;
    Host& host_;
    Window& mainWindow_;
};

}  // namespace gravlin
