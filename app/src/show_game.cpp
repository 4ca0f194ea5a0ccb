#include "gravlin/app/show_game.h"

#include <string>

namespace gravlin {

namespace {

// The label's three digits: 40 reads 040, 7 reads 007; a negative rest keeps the two zeros.
std::string remainingText(std::int16_t rest) {
    const char* prefix = rest < 10 ? "00" : rest < 100 ? "0" : "";
    return prefix + std::to_string(rest);
}

// Assigning only what differs, compared in place, keeps a pass over 720 cells cheap: the
// views ask for one whenever they draw, also in the middle of a solver run.
void set(std::string& target, const char* value) {
    if (target != value) target = value;
}

void set(std::string& target, const std::string& value) {
    if (target != value) target = value;
}

void setCaption(std::string& caption, CellLook::Caption shows, std::int16_t minesAround) {
    switch (shows) {
        case CellLook::Caption::Covered:
            return set(caption, " ");
        case CellLook::Caption::Mark:
            return set(caption, "M");
        case CellLook::Caption::Count:
            break;
    }
    set(caption, minesAround < 1 ? std::string() : std::to_string(minesAround));
}

Picture pictureOf(Face face) {
    switch (face) {
        case Face::Working:
            return Form1::WorkerPict;
        case Face::Won:
            return Form1::WinnerPict;
        case Face::Lost:
            return Form1::LooserPict;
        case Face::Normal:
            break;
    }
    return Form1::StartPict;
}

void showCells(const Game& game, Form1& form) {
    std::size_t L = 0;
    for (int y = 1; y <= game.y_game; ++y) {
        for (int x = 1; x <= game.x_game; ++x, ++L) {
            if (L >= kCellButtons) return;  // the board limits keep every board within the pool
            const CellLook& look = game.look(x, y);
            CommandButton& b = form.Command1[L];
            b.enabled = true;
            b.tabStop = false;
            b.tabIndex = 0;
            b.backColor = look.color;
            b.raised = look.raised;
            setCaption(b.caption, look.caption, game.mines_around(x, y));
            set(b.tag, game.provenFree(x, y) ? "1" : "0");
        }
    }
}

}  // namespace

void showGame(const Game& game, Form1& form) {
    showCells(game, form);
    set(form.MinesLabel.caption, remainingText(game.remainingMines));
    set(form.MinesLabel.toolTip, "Noch verdeckt: " + std::to_string(game.covered_left));
    form.StartStop.picture = pictureOf(game.face);
    set(form.StatusBar1.text, game.status);

    form.save.enabled = game.minesPlaced;
    form.save_mine.enabled = game.minesPlaced;
    form.wahrscheinlichkeiten.enabled = game.probabilitiesOffered;
    form.loosercont.enabled = game.lost;
    set(form.Solve.caption, game.showAllMines ? "Ende von: &Zeige" : "&Zeige alle Minen");
    form.Auto_solve.checked = game.autoPlay;
    form.spickmodus.checked = game.peekMode;
    form.Anfänger.checked = game.level == Level::Beginner;
    form.Fortgeschrittene.checked = game.level == Level::Intermediate;
    form.Profis.checked = game.level == Level::Expert;
    form.benutzerdefiniert.checked = game.level == Level::Custom;
}

}  // namespace gravlin
