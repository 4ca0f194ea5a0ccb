#include "gravlin/storage/storage.h"

#include <algorithm>
#include <exception>

#include "file_access.h"
#include "gravlin/board/int16.h"
#include "gravlin/text.h"

namespace gravlin {

using namespace storage;

namespace {
constexpr const char* kGameSaveTitle = "Spiel sichern";
constexpr const char* kGameLoadTitle = "Spiel laden";
constexpr const char* kMinesSaveTitle = "Minen speichern";
constexpr const char* kMinesLoadTitle = "Minen laden";
}  // namespace

std::optional<std::string> Storage::chooseFile(const char* pattern, const char* extension, bool forSaving) {
    CommonDialog1 = {};
    CommonDialog1.initialFolder = form_.host().programFolder();
    CommonDialog1.fileName = pattern;
    CommonDialog1.filter = pattern;
    CommonDialog1.defaultExtension = extension;
    CommonDialog1.forSaving = forSaving;
    return form_.host().fileDialog(CommonDialog1);
}

bool Storage::mayWrite(const std::string& path, const std::string& title) {
    switch (saveTarget(path)) {
        case SaveTarget::Missing:
            return true;
        case SaveTarget::Other:  // a folder, a FIFO, a device: refused before anything blocks on it
            writeFailure(path, title);
            return false;
        case SaveTarget::RegularFile:
            break;
    }
    const std::string text = path + " besteht bereits." + kCrLf + "Möchten Sie sie ersetzen?";
    return form_.host().messageBox(text, MsgButtons::YesNo, MsgIcon::Exclamation, title) == MsgResult::Yes;
}

void Storage::save(const std::string& path, const std::string& text, const std::string& title) {
    if (!saveWholeFile(path, text)) writeFailure(path, title);
}

void Storage::writeFailure(const std::string& path, const std::string& title) {
    form_.host().messageBox("File '" + path + "' kann nicht beschrieben werden", MsgButtons::Ok,
                            MsgIcon::Critical, title);
}

void Storage::readFailure(const std::string& path, const std::string& title) {
    form_.host().messageBox(
        "File '" + path + "' kann nicht gelesen werden" + kCrLf + "Das Programm wird beendet!",
        MsgButtons::Ok, MsgIcon::Critical, title);
    form_.host().closeWindow(form_);
}

// Both loaders start a new game of the size the file gives, on a field built for it, and
// take the check marks off the three standard levels.
void Storage::startGameOfSize(std::int16_t width, std::int16_t height, std::int16_t mines) {
    Form1& f = form_;
    f.x_actual = width;
    f.y_actual = height;
    f.no_mines_actual = mines;
    f.InitGame();
    field_.Feldaufbau_Click();
    uncheckLevels();
}

void Storage::uncheckLevels() {
    form_.Anfänger.checked = false;
    form_.Fortgeschrittene.checked = false;
    form_.Profis.checked = false;
}

// ---- saved game ---------------------------------------------------------------------------

SavedGame Storage::captureGame() const {
    SavedGame game;
    game.width = form_.x_game;
    game.height = form_.y_game;
    game.mines = form_.no_mines_game;
    const BoardState& b = form_;
    game.cells.reserve(static_cast<std::size_t>(std::max(0LL, b.cellCount())));
    for (long long L = 0; L < b.cellCount(); ++L) {
        const auto [x, y] = b.cellAt(L);
        game.cells.push_back({b.is_mine(x, y), b.mines_around(x, y), b.rest_around(x, y), b.marked(x, y),
                              b.visible(x, y), b.done(x, y)});
    }
    return game;
}

void Storage::SaveGame() {
    const auto path = chooseFile("*.qzd", "qzd", true);
    if (!path) return;
    if (!mayWrite(*path, kGameSaveTitle)) return;
    save(*path, formatSavedGame(captureGame()), kGameSaveTitle);
}

void Storage::applyGame(const SavedGame& game) {
    Form1& f = form_;
    startGameOfSize(game.width, game.height, game.mines);
    for (long long L = 0; L < f.cellCount(); ++L) {
        const SavedCell& c = game.cells.at(static_cast<std::size_t>(L));
        const auto [x, y] = f.cellAt(L);
        f.is_mine(x, y) = c.is_mine;
        f.mines_around(x, y) = c.mines_around;
        f.rest_around(x, y) = c.rest_around;
        f.marked(x, y) = c.marked;
        f.visible(x, y) = c.visible;
        f.done(x, y) = c.done;
        if (!c.visible) continue;
        add16(f.covered_left, -1);
        CommandButton& b = f.Command1.at(f.cellIndex(x, y));
        if (c.marked) {
            b.caption = "M";
        } else {
            b.raised = false;
            b.backColor = kWhite;
            b.caption = c.mines_around > 0 ? std::to_string(c.mines_around) : std::string();
        }
    }
    f.PrintRestMinen();
    f.RefreshCoveredTooltip();
    f.save_mine.enabled = true;
    f.save.enabled = true;
    f.game_running = true;
}

void Storage::LoadGame() {
    const auto path = chooseFile("*.qzd", "qzd", false);
    if (!path) return;
    // The whole game is read and checked before the game in play is touched.
    InputFile file(*path);
    const auto game = file.isOpen() ? readSavedGame(file) : std::nullopt;
    if (!game) {
        readFailure(*path, kGameLoadTitle);
        return;
    }
    try {
        applyGame(*game);
    } catch (const std::exception&) {
        readFailure(*path, kGameLoadTitle);
    }
}

// ---- mine layout --------------------------------------------------------------------------

void Storage::SaveMines() {
    // The save dialog rather than the open dialog: Qt's open dialog accepts only names that
    // exist, and a layout is usually saved under a new name.
    const auto path = chooseFile("*.txt", "txt", true);
    if (!path) return;
    if (!mayWrite(*path, kMinesSaveTitle)) return;
    const BoardState& b = form_;
    std::vector<bool> mines;
    mines.reserve(static_cast<std::size_t>(std::max(0LL, b.cellCount())));
    for (long long L = 0; L < b.cellCount(); ++L) {
        const auto [x, y] = b.cellAt(L);
        mines.push_back(b.is_mine(x, y));
    }
    save(*path, formatMineLayout(b.x_game, b.y_game, mines), kMinesSaveTitle);
}

void Storage::applyLayout(const MineLayoutScan& layout) {
    Form1& f = form_;
    startGameOfSize(to16(layout.width), to16(layout.rows), to16(layout.mines));
    for (const LayoutCell& c : layout.mineCells) f.is_mine(c.x, c.y) = true;
    f.countMinesOfEveryCell();
    f.save_mine.enabled = true;
    f.save.enabled = true;
}

void Storage::LoadMines() {
    const auto path = chooseFile("*.txt", "txt", false);
    if (!path) return;
    // Read once: the question shows the layout that is then built, even if the file
    // changes while the question is open.
    InputFile file(*path);
    const MineLayoutScan layout = file.isOpen() ? readMineLayout(file) : MineLayoutScan{};
    if (!file.isOpen() || (file.failed() && !layout.tooLarge())) {
        readFailure(*path, kMinesLoadTitle);
        return;
    }
    Host& host = form_.host();
    if (layout.tooLarge()) {
        host.messageBox(std::string("Sie haben die maximalen Ausdehnungen überschritten") + kCrLf +
                            "Die Breite ist maximal 30, die Höhe 24, und maximal 99 Minen sind erlaubt!" +
                            kCrLf + "Das Programm wird beendet!",
                        MsgButtons::Ok, MsgIcon::Critical, kGameLoadTitle);
        host.closeWindow(form_);
        return;
    }
    if (layout.tooSmall()) {
        host.messageBox(std::string("Sie haben die minimale Ausdehnungen unterschritten") + kCrLf +
                            "Die Breite ist minimal 3, die Höhe ebenso 3!" + kCrLf +
                            "Das Programm wird beendet!",
                        MsgButtons::Ok, MsgIcon::Critical, kGameLoadTitle);
        host.closeWindow(form_);
        return;
    }
    const std::string question = std::string("Wollen Sie wirklich ein Feld ") + kCrLf +
                                 std::to_string(layout.width) + "x" + std::to_string(layout.rows) + kCrLf +
                                 "mit " + std::to_string(layout.mines) + " Minen aufbauen? " + kCrLf;
    if (host.messageBox(question, MsgButtons::YesNo, MsgIcon::Exclamation, kGameLoadTitle) != MsgResult::Yes)
        return;
    try {
        applyLayout(layout);
    } catch (const std::exception&) {
        readFailure(*path, kMinesLoadTitle);
    }
}

}  // namespace gravlin
