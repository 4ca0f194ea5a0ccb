// A new game, and the placement of the mines at the first click.
#include <algorithm>
#include <random>
#include <vector>

#include "gravlin/board/form1.h"
#include "gravlin/board/int16.h"

namespace gravlin {

void Form1::InitGame() {
    DeleteTraceFile();
    UnloadProbabilityWindow();
    wahrscheinlichkeiten.enabled = false;
    InitParms();
    InitStat();
    StartStop.picture = StartPict;
    save_mine.enabled = false;
    save.enabled = false;
    // InitParms has created the arrays afresh: every cell holds no mine, is covered,
    // unmarked and not done, with counts of 0.

    // A size taken from a file may exceed the pool; only existing buttons are touched.
    const long long cells = std::min<long long>(cellCount(), kCellButtons);
    for (long long L = 0; L < cells; ++L) {
        CommandButton& b = Command1[static_cast<std::size_t>(L)];
        b.enabled = true;
        b.tabStop = false;
        b.tabIndex = 0;
        b.backColor = kSystemButtonFace;
        b.raised = true;
        b.caption = " ";
        b.tag = "0";
    }
    StatusBar1.text.clear();
    PrintRestMinen();
    game_running = true;
    Solve.caption = "&Zeige alle Minen";
    loosercont.enabled = false;
}

void Form1::InitMines(const std::int16_t& selButton) {
    const Cell spared = cellAt(selButton);
    placeMinesUniformly(spared.x, spared.y);
    save_mine.enabled = true;
    save.enabled = true;
    countMinesOfEveryCell();
}

void BoardState::countMinesOfEveryCell() {
    forEachCell([this](int x, int y) {
        mines_around(x, y) = is_mine(x, y) ? 0 : CountMinesAround(x, y);
        rest_around(x, y) = mines_around(x, y);
    });
}

// Every layout of no_mines_game mines that leaves (x0, y0) free is equally likely. The
// mines are drawn one by one from the cells still free (a partial Fisher-Yates shuffle),
// which gives the same distribution as drawing any cell and drawing again on a taken one,
// but always ends: asked for more mines than free cells, it places as many as fit.
// (x0, y0) may be (0, 0) for an index off the board; then no cell is spared.
void Form1::placeMinesUniformly(int x0, int y0) {
    std::mt19937_64 random(seedSource ? seedSource() : 0);
    const int count = no_mines_game;  // read once
    std::vector<int> candidates;
    candidates.reserve(static_cast<std::size_t>(std::max(0LL, cellCount())));
    for (int k = 0; k < cellCount(); ++k) {
        const Cell c = cellAt(k);
        if (c == Cell{x0, y0} || is_mine(c.x, c.y)) continue;
        candidates.push_back(k);
    }
    const int toPlace = std::min<int>(std::max(count, 0), static_cast<int>(candidates.size()));
    for (int placed = 0; placed < toPlace; ++placed) {
        std::uniform_int_distribution<int> pick(placed, static_cast<int>(candidates.size()) - 1);
        std::swap(candidates[static_cast<std::size_t>(placed)],
                  candidates[static_cast<std::size_t>(pick(random))]);
        const Cell c = cellAt(candidates[static_cast<std::size_t>(placed)]);
        is_mine(c.x, c.y) = true;
    }
}

}  // namespace gravlin
