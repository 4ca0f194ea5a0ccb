#pragma once
#include "gravlin/board/form1.h"

namespace gravlin {

// Finishes what single numbered cells decide: marks certain mines and opens certain free
// cells until a whole cycle changes nothing. Reads only what a player could see.
class LocalSolver {
  public:
    explicit LocalSolver(Form1& form) : form_(form) {}

    bool SearchMine();
    bool RecalcCounterI();
    bool PrePhase1();
    void Phase1();

    // Opens every light green cell (tag "1"), column by column, with a solver run after
    // each cell it opens.
    void KlickGreen_Click();
    void Auto_solve_Click() { form_.Auto_solve.checked = !form_.Auto_solve.checked; }

    static constexpr int kCycleLimit = 100;

  private:
    Form1& form_;
};

}  // namespace gravlin
