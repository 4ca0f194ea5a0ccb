#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "gravlin/board/form1.h"
#include "gravlin/equations/equation_system.h"
#include "gravlin/field/field_builder.h"
#include "gravlin/field/levels.h"
#include "gravlin/game/game.h"
#include "gravlin/host.h"
#include "gravlin/info/registry.h"
#include "gravlin/info/www.h"
#include "gravlin/solver/local_solver.h"
#include "gravlin/storage/storage.h"

namespace gravlin {

// What the flow runs: the game, the main window's data, the outside world and the parts.
struct FlowParts {
    Game& game;
    Form1& form;
    Host& host;
    FieldBuilder& field;
    Levels& levels;
    LocalSolver& solver;
    EquationSystem& equations;
    Storage& storage;
    Registry& registry;
    WebHintsSettings& webHints;
};

// The one place that says which procedure runs after which: start-up, a new game, a press
// on a cell (mine placement, uncovering, the local solver, automatic play with its solves
// and sweeps), the levels, the loads and the information windows. It calls down into the
// game and the parts, and nothing calls back up into it.
class Flow {
  public:
    explicit Flow(FlowParts parts);

    // Where the mines of a new game take their randomness from; asked afresh at every
    // placement. Tests replace it to make placements repeatable.
    std::function<std::uint64_t()> seedSource;

    void Form_Load();
    // A new game of the chosen size; deletes the trace file and closes the probabilities.
    void InitGame();
    // A new game of this size, on a field built for it.
    void startGame(std::int16_t width, std::int16_t height, std::int16_t mines);

    void Command1_MouseDown(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void NewGame_Click();
    void StartStop_Click();
    void Ende_Click();

    void Anfänger_Click();
    void Fortgeschrittene_Click();
    void Profis_Click();
    void benutzerdefiniert_Click();

    // "&Laden": the file dialog, then LoadGame of the path chosen.
    void load_Click();
    // Loads the saved game at `path` with the messages of "&Laden" after its dialog: a file
    // that cannot be read ends the program.
    void LoadGame(const std::string& path);
    // Sets up a saved game, already read, as the game in play on a new field.
    void setUpGame(const storage::SavedGame& saved);
    // "Lade Minen": the file dialog, then LoadMines of the path chosen.
    void load_mine_Click();
    void LoadMines(const std::string& path);
    // Starts a new game on a layout within the limits, already read.
    void setUpLayout(const storage::MineLayoutScan& layout);
    // A file named when the program starts: a mine layout (.txt) loads as "Lade Minen" loads
    // it, after its question; any other file as the saved game "&Laden" loads.
    void openFile(const std::string& path);

    void About_Click();
    void webmsg_Click();

  private:
    void leftPress(std::int16_t Index);
    void rightPress(std::int16_t Index);
    void chooseLevel(Level level, LevelSize size);
    void startLoadedBoard(std::int16_t width, std::int16_t height, std::int16_t mines);

    Game& game_;
    Form1& form_;
    Host& host_;
    FieldBuilder& field_;
    Levels& levels_;
    LocalSolver& solver_;
    EquationSystem& equations_;
    Storage& storage_;
    Registry& registry_;
    WebHintsSettings& webHints_;
};

}  // namespace gravlin
