#pragma once
// Saving and loading games (.qzd) and mine layouts (.txt) from the main window's menu.

#include <string>

#include "gravlin/board/form1.h"
#include "gravlin/field/field_builder.h"
#include "gravlin/host.h"
#include "gravlin/storage/mine_layout_format.h"
#include "gravlin/storage/saved_game_format.h"

namespace gravlin {

class Storage {
  public:
    Storage(Form1& form, FieldBuilder& field) : form_(form), field_(field) {}

    // Menu handlers: "&Speichern", "&Laden", "Speicher Minen", "Lade Minen".
    void save_Click() { SaveGame(); }
    void load_Click() { LoadGame(); }
    void save_mine_Click() { SaveMines(); }
    void load_mine_Click() { LoadMines(); }

    void SaveGame();
    void LoadGame();
    void SaveMines();
    void LoadMines();

    // The game in play as the saved game holds it.
    storage::SavedGame captureGame() const;
    // Sets up a loaded game as the game in play; the values are those parseSavedGame accepts.
    void applyGame(const storage::SavedGame& game);
    // Starts a new game on a layout within the limits.
    void applyLayout(const storage::MineLayoutScan& layout);

    // The settings of the last file dialog shown.
    FileDialogRequest CommonDialog1;

  private:
    std::optional<std::string> chooseFile(const char* pattern, const char* extension, bool forSaving);
    // Whether the chosen name may be written: a new name may, an existing file after "Yes",
    // anything else is refused with the write-failure message.
    bool mayWrite(const std::string& path, const std::string& title);
    void save(const std::string& path, const std::string& text, const std::string& title);
    void writeFailure(const std::string& path, const std::string& title);
    void readFailure(const std::string& path, const std::string& title);
    void startGameOfSize(std::int16_t width, std::int16_t height, std::int16_t mines);
    void uncheckLevels();

    Form1& form_;
    FieldBuilder& field_;
};

}  // namespace gravlin
