#pragma once
// Saving and loading games (.qzd) and mine layouts (.txt) from the main window's menu. A
// load starts a new game of the file's size in between its steps: reading the file and
// setting the game up on the new board are here, the new game is the flow's (app/).

#include <optional>
#include <string>

#include "gravlin/game/game.h"
#include "gravlin/host.h"
#include "gravlin/storage/mine_layout_format.h"
#include "gravlin/storage/saved_game_format.h"
#include "gravlin/window.h"

namespace gravlin {

class Storage {
  public:
    // `mainWindow` is the window a failed load closes, which ends the program.
    Storage(Game& game, Host& host, Window& mainWindow) : game_(game), host_(host), mainWindow_(mainWindow) {}

    enum class FileKind { Game, Layout };

    // Menu handlers "&Speichern" and "Speicher Minen".
    void save_Click() { SaveGame(); }
    void save_mine_Click() { SaveMines(); }
    void SaveGame();
    void SaveMines();

    // The file dialog of a command; the full path chosen, or nothing when it was cancelled.
    std::optional<std::string> chooseFile(FileKind kind, bool forSaving);
    // The folder every file dialog opens in: the program's own when the user may write
    // there, otherwise the documents folder when the user may write there, otherwise home.
    std::string dialogFolder();

    // The saved game in the file, read and checked whole before the game in play is touched.
    // Nothing when it cannot be read, after the read-failure message, which ends the program.
    std::optional<storage::SavedGame> readGame(const std::string& path);
    // Sets up a game read from a file on the new game of its size.
    void applyGame(const storage::SavedGame& game);
    // The layout in the file, when it is to be built. Nothing after a read failure or a
    // layout beyond the limits (their messages end the program) and after any answer but
    // "Yes" to the question whether to build it.
    std::optional<storage::MineLayoutScan> readLayout(const std::string& path);
    // Lays the mines of a layout within the limits on the new game of its size.
    void applyLayout(const storage::MineLayoutScan& layout);
    // The message that a file cannot be read; then the program ends.
    void readFailure(const std::string& path, FileKind kind);

    // The game in play as the saved game holds it.
    storage::SavedGame captureGame() const;

    // The settings of the last file dialog shown.
    FileDialogRequest CommonDialog1;

  private:
    // Whether the chosen name may be written: a new name may, an existing file after "Yes",
    // anything else is refused with the write-failure message.
    bool mayWrite(const std::string& path, const std::string& title);
    void save(const std::string& path, const std::string& text, const std::string& title);
    void writeFailure(const std::string& path, const std::string& title);
    void endProgram(const std::string& text);

    Game& game_;
    Host& host_;
    Window& mainWindow_;
};

}  // namespace gravlin
