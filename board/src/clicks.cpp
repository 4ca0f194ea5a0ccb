// Mouse-down on a cell: the left button plays, the right button informs.
#include <string>

#include "gravlin/board/form1.h"
#include "gravlin/board/int16.h"
#include "gravlin/board/work_scope.h"

namespace gravlin {

void Form1::Command1_MouseDown(std::int16_t Index, std::int16_t Button, std::int16_t /*Shift*/, float /*X*/,
                               float /*Y*/) {
    if (Index < 0 || Index >= kCellButtons) return;
    CommandButton& clicked = Command1[static_cast<std::size_t>(Index)];
    clicked.enabled = false;
    clicked.enabled = true;

    if (Button == LeftButton) {
        if (busy) return;
        if (!game_running) return;
        wahrscheinlichkeiten.enabled = false;
        if (!save_mine.enabled) InitMines(Index);
        if (BtnIsMine(Index)) {
            Spielende(false);
            return;
        }
        if (!UncoverCell(Index)) return;
        {
            const WorkScope run(*this, WorkScope::Shows::Nothing);
            Phase1();
            add16(uncovered_count, -1);
        }
        if (Auto_solve.checked) GlSolve_Click();
        while (Auto_solve.checked && green_found >= 1) {
            uncovered_count = 0;
            KlickGreen_Click();
            GlSolve_Click();
        }
    } else if (Button == RightButton) {
        const auto [x, y] = cellAt(Index);
        StatusBar1.text =
            "Index " + std::to_string(Index) + ": x = " + std::to_string(x) + ", y = " + std::to_string(y);
        if (spickmodus.checked && x != 0 && is_mine(x, y)) {
            StatusBar1.text += " - Achtung! Mine";
            host().beep();
        }
    }
}

}  // namespace gravlin
