#include "gravlin/storage/storage.h"

#include <algorithm>

#include "file_access.h"
#include "gravlin/game/int16.h"
#include "gravlin/text.h"

namespace gravlin {

using namespace storage;

namespace {
constexpr const char* kGameSaveTitle = "Spiel sichern";
constexpr const char* kGameLoadTitle = "Spiel laden";
constexpr const char* kMinesSaveTitle = "Minen speichern";
constexpr const char* kMinesLoadTitle = "Minen laden";
}  // namespace

std::string Storage::dialogFolder() {
    // Installed, the program's folder is the system's; in a build tree it is the user's own.
    for (const std::string& folder : {host_.programFolder(), host_.documentsFolder()}) {
        if (!folder.empty() && host_.folderWritable(folder)) return folder;
    }
    return host_.homeFolder();
}

std::optional<std::string> Storage::chooseFile(FileKind kind, bool forSaving) {
    const bool game = kind == FileKind::Game;
    CommonDialog1 = {};
    CommonDialog1.initialFolder = dialogFolder();
    CommonDialog1.fileName = game ? "*.qzd" : "*.txt";
    CommonDialog1.filter = CommonDialog1.fileName;
    CommonDialog1.defaultExtension = game ? "qzd" : "txt";
    CommonDialog1.forSaving = forSaving;
    return host_.fileDialog(CommonDialog1);
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
    return host_.messageBox(text, MsgButtons::YesNo, MsgIcon::Exclamation, title) == MsgResult::Yes;
}

void Storage::save(const std::string& path, const std::string& text, const std::string& title) {
    if (!saveWholeFile(path, text)) writeFailure(path, title);
}

void Storage::writeFailure(const std::string& path, const std::string& title) {
    host_.messageBox("File '" + path + "' kann nicht beschrieben werden", MsgButtons::Ok, MsgIcon::Critical,
                     title);
}

void Storage::readFailure(const std::string& path, FileKind kind) {
    host_.messageBox("File '" + path + "' kann nicht gelesen werden" + kCrLf + "Das Programm wird beendet!",
                     MsgButtons::Ok, MsgIcon::Critical,
                     kind == FileKind::Game ? kGameLoadTitle : kMinesLoadTitle);
    host_.endAfterFailure(mainWindow_);
}

void Storage::endProgram(const std::string& text) {
    host_.messageBox(text, MsgButtons::Ok, MsgIcon::Critical, kGameLoadTitle);
    host_.endAfterFailure(mainWindow_);
}

// ---- saved game ---------------------------------------------------------------------------

SavedGame Storage::captureGame() const {
    const Game& b = game_;
    SavedGame game;
    game.width = b.x_game;
    game.height = b.y_game;
    game.mines = b.no_mines_game;
    game.cells.reserve(static_cast<std::size_t>(std::max(0LL, b.cellCount())));
    for (long long L = 0; L < b.cellCount(); ++L) {
        const auto [x, y] = b.cellAt(L);
        game.cells.push_back({b.is_mine(x, y), b.mines_around(x, y), b.rest_around(x, y), b.marked(x, y),
                              b.visible(x, y), b.done(x, y)});
    }
    return game;
}

void Storage::SaveGame() {
    const auto path = chooseFile(FileKind::Game, true);
    if (!path) return;
    if (!mayWrite(*path, kGameSaveTitle)) return;
    save(*path, formatSavedGame(captureGame()), kGameSaveTitle);
}

std::optional<SavedGame> Storage::readGame(const std::string& path) {
    InputFile file(path);
    auto game = file.isOpen() ? readSavedGame(file) : std::nullopt;
    if (!game) readFailure(path, FileKind::Game);
    return game;
}

void Storage::applyGame(const SavedGame& game) {
    Game& f = game_;
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
        CellLook& shown = f.look(x, y);
        if (c.marked) {
            shown.caption = CellLook::Caption::Mark;
        } else {
            shown.raised = false;
            shown.color = kWhite;
            shown.caption = CellLook::Caption::Count;
        }
    }
    f.PrintRestMinen();
    f.minesPlaced = true;
    f.game_running = true;
}

// ---- mine layout --------------------------------------------------------------------------

void Storage::SaveMines() {
    // The save dialog rather than the open dialog: Qt's open dialog accepts only names that
    // exist, and a layout is usually saved under a new name.
    const auto path = chooseFile(FileKind::Layout, true);
    if (!path) return;
    if (!mayWrite(*path, kMinesSaveTitle)) return;
    const Game& b = game_;
    std::vector<bool> mines;
    mines.reserve(static_cast<std::size_t>(std::max(0LL, b.cellCount())));
    for (long long L = 0; L < b.cellCount(); ++L) {
        const auto [x, y] = b.cellAt(L);
        mines.push_back(b.is_mine(x, y));
    }
    save(*path, formatMineLayout(b.x_game, b.y_game, mines), kMinesSaveTitle);
}

std::optional<MineLayoutScan> Storage::readLayout(const std::string& path) {
    // Read once: the question shows the layout that is then built, even if the file
    // changes while the question is open.
    InputFile file(path);
    const MineLayoutScan layout = file.isOpen() ? readMineLayout(file) : MineLayoutScan{};
    if (!file.isOpen() || (file.failed() && !layout.tooLarge())) {
        readFailure(path, FileKind::Layout);
        return std::nullopt;
    }
    if (layout.tooLarge()) {
        endProgram(std::string("Sie haben die maximalen Ausdehnungen überschritten") + kCrLf +
                   "Die Breite ist maximal 30, die Höhe 24, und maximal 99 Minen sind erlaubt!" + kCrLf +
                   "Das Programm wird beendet!");
        return std::nullopt;
    }
    if (layout.tooSmall()) {
        endProgram(std::string("Sie haben die minimale Ausdehnungen unterschritten") + kCrLf +
                   "Die Breite ist minimal 3, die Höhe ebenso 3!" + kCrLf + "Das Programm wird beendet!");
        return std::nullopt;
    }
    const std::string question = std::string("Wollen Sie wirklich ein Feld ") + kCrLf +
                                 std::to_string(layout.width) + "x" + std::to_string(layout.rows) + kCrLf +
                                 "mit " + std::to_string(layout.mines) + " Minen aufbauen? " + kCrLf;
    if (host_.messageBox(question, MsgButtons::YesNo, MsgIcon::Exclamation, kGameLoadTitle) != MsgResult::Yes)
        return std::nullopt;
    return layout;
}

void Storage::applyLayout(const MineLayoutScan& layout) {
    Game& f = game_;
    for (const LayoutCell& c : layout.mineCells) f.is_mine(c.x, c.y) = true;
    f.countMinesOfEveryCell();
    f.minesPlaced = true;
}

}  // namespace gravlin
