// End of game, the remaining-mines label, the working face, and the small game commands.
#include <string>

#include "gravlin/board/form1.h"
#include "gravlin/board/int16.h"

namespace gravlin {

namespace {
constexpr Color kMagenta = 0x00FF00FF;
constexpr Color kGreen = 0x0000C000;
}  // namespace

std::int16_t Form1::PrintRestMinen() {
    const std::int16_t rest = to16(static_cast<long long>(no_mines_game) - CountMinesV());
    const char* prefix = rest < 10 ? "00" : rest < 100 ? "0" : "";
    MinesLabel.caption = prefix + std::to_string(rest);
    return rest;
}

void Form1::Spielende(bool gewonnen) {
    if (gewonnen) {
        StartStop.picture = WinnerPict;
        game_running = false;
        ShowMinesGreen();
        loosercont.enabled = false;
        MinesLabel.caption = "000";
        covered_left = 0;
        RefreshCoveredTooltip();
    } else {
        ShowMines(kRed);
        StartStop.picture = LooserPict;
        game_running = false;
        loosercont.enabled = true;
        host().beep();
    }
}

void Form1::ShowMines(Color cc) {
    forEachCell([&](int x, int y) {
        CommandButton& b = Command1.at(cellIndex(x, y));
        if (b.caption != "M" && is_mine(x, y)) b.backColor = cc;
    });
}

void Form1::ShowMinesGreen() {
    forEachCell([&](int x, int y) {
        if (!is_mine(x, y)) return;
        CommandButton& b = Command1.at(cellIndex(x, y));
        b.backColor = kGreen;
        b.caption = "M";
    });
}

void Form1::BeginWork() {
    StartStop.picture = WorkerPict;
    host().repaintNow();
    host().setBusyPointer(true);
    busy = true;
}

void Form1::EndWork() {
    StartStop.picture = StartPict;
    host().repaintNow();
    host().setBusyPointer(false);
    busy = false;
}

void Form1::NewGame_Click() {
    InitGame();
}

void Form1::StartStop_Click() {
    host().setFocus(*this, "Dummy");
    InitGame();
}

void Form1::Ende_Click() {
    host().closeWindow(*this);
}

void Form1::loosercont_Click() {
    ShowMines(kSystemButtonFace);
    game_running = true;
}

void Form1::Solve_Click() {
    if (Solve.caption == "&Zeige alle Minen") {
        ShowMines(kMagenta);
        Solve.caption = "Ende von: &Zeige";
    } else {
        ShowMines(kSystemButtonFace);
        Solve.caption = "&Zeige alle Minen";
    }
}

void Form1::spickmodus_Click() {
    spickmodus.checked = !spickmodus.checked;
}

}  // namespace gravlin
