#include "gravlin/solver/local_solver.h"

#include <string>

#include "gravlin/game/int16.h"
#include "gravlin/game/work_scope.h"
#include "gravlin/text.h"

namespace gravlin {

namespace {
bool isOpenNumber(const BoardState& f, int x, int y) {
    return f.visible(x, y) && !f.marked(x, y) && !f.done(x, y);
}
}  // namespace

bool LocalSolver::SearchMine() {
    Game& f = game_;
    bool result = false;
    // After a recount nothing changes the counts until a cell is marked or a count is
    // set here, so a recount in between would change nothing and is left out. Before the
    // first recount of the pass the counts may be stale (set from outside).
    bool countsCurrent = false;
    f.forEachCell([&](int x, int y) {
        if (!isOpenNumber(f, x, y)) return;
        const std::int16_t u = f.CountUnvisibleAround(x, y);
        if (u == f.rest_around(x, y)) {
            const bool markedHere = f.SetUnvisibleAround(x, y);
            result = markedHere || result;
            if (markedHere || f.rest_around(x, y) != 0) countsCurrent = false;
            f.rest_around(x, y) = 0;
            // Cells later in this pass must already count the new marks.
            if (!countsCurrent) {
                RecalcCounterI();
                countsCurrent = true;
            }
        }
        if (u == 0) f.done(x, y) = true;
    });
    return result;
}

bool LocalSolver::RecalcCounterI() {
    Game& f = game_;
    bool result = false;
    f.forEachCell([&](int x, int y) {
        if (f.done(x, y)) return;
        const std::int16_t v = to16(static_cast<long long>(f.mines_around(x, y)) - f.CountMinesVAround(x, y));
        if (v != f.rest_around(x, y)) {
            f.rest_around(x, y) = v;
            result = true;
        }
    });
    return result;
}

bool LocalSolver::PrePhase1() {
    Game& f = game_;
    bool result = false;
    countUp(f.cnt_prephase1);
    f.forEachCell([&](int x, int y) {
        if (!isOpenNumber(f, x, y) || f.rest_around(x, y) != 0 || !f.AroundAreUnvisibles(x, y)) return;
        f.forEachNeighbour(x, y, [&](int i, int j) {
            if (f.UncoverCell(f.GetLinear(i, j))) result = true;
        });
    });
    return result;
}

void LocalSolver::Phase1() {
    Game& f = game_;
    f.status.clear();
    bool mineRule = true;
    bool recount = false;
    bool freeRule = true;
    int cycle = 1;
    {
        const WorkScope run(f, host_, WorkScope::Shows::WorkingFace);
        while ((mineRule || recount || freeRule) && cycle < kCycleLimit) {
            host_.doEvents();
            mineRule = SearchMine();
            recount = RecalcCounterI();
            freeRule = PrePhase1();
            ++cycle;
            countUp(f.cnt_phase1);
        }
    }
    if (cycle >= kCycleLimit) host_.messageBox("Limit!", MsgButtons::Ok, MsgIcon::None, kProgramTitle);
    f.status = std::to_string(f.cnt_phase1) + ":" + std::to_string(f.cnt_uncover) + " - " +
               std::to_string(f.cnt_prephase1);
    const std::int16_t rest = f.PrintRestMinen();
    if (rest == 0 || f.covered_left == rest) f.Spielende(true);
}

void LocalSolver::KlickGreen_Click() {
    Game& f = game_;
    host_.setFocus(mainWindow_, "Dummy");
    f.forEachCell([&](int x, int y) {
        if (!f.provenFree(x, y)) return;
        f.provenFree(x, y) = false;
        if (f.UncoverCell(f.GetLinear(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)))) {
            const WorkScope run(f, host_, WorkScope::Shows::Nothing);
            Phase1();
        }
    });
    f.green_found = 0;
}

}  // namespace gravlin
