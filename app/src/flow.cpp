#include "gravlin/app/flow.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <exception>
#include <string_view>

#include "gravlin/game/int16.h"
#include "gravlin/game/work_scope.h"
#include "gravlin/info/frm_about.h"

namespace gravlin {

namespace {
std::uint64_t clockSeed() {
    return static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}
}  // namespace

Flow::Flow(FlowParts parts)
    : seedSource(clockSeed),
      game_(parts.game),
      form_(parts.form),
      host_(parts.host),
      field_(parts.field),
      levels_(parts.levels),
      solver_(parts.solver),
      equations_(parts.equations),
      storage_(parts.storage),
      registry_(parts.registry),
      webHints_(parts.webHints) {}

// ---- start-up and new games ---------------------------------------------------------------

void Flow::Form_Load() {
    form_.loaded = true;
    form_.Dummy.geometry.left = -1000;
    form_.Dummy.geometry.top = -1000;
    equations_.DeleteTraceFile();
    game_.SetToDefault();
    InitGame();
    Fortgeschrittene_Click();
}

void Flow::InitGame() {
    equations_.DeleteTraceFile();
    equations_.UnloadProbabilityWindow();
    game_.InitGame();
}

void Flow::startGame(std::int16_t width, std::int16_t height, std::int16_t mines) {
    game_.chooseSize(width, height, mines);
    InitGame();
    field_.Feldaufbau_Click();
}

void Flow::NewGame_Click() {
    InitGame();
}

void Flow::StartStop_Click() {
    host_.setFocus(form_, "Dummy");
    InitGame();
}

void Flow::Ende_Click() {
    host_.closeWindow(form_);
}

// ---- a press on a cell: the left button plays, the right button informs --------------------

void Flow::Command1_MouseDown(std::int16_t Index, std::int16_t Button, std::int16_t /*Shift*/, float /*X*/,
                              float /*Y*/) {
    if (Index < 0 || Index >= kCellButtons) return;
    // Every press disables the cell and enables it again at once. On a native button that
    // drops the focus and the pushed-in look; our cells take no focus and are drawn from the
    // data after the command, so here it leaves no trace. The data ends as it started.
    CommandButton& pressed = form_.Command1[static_cast<std::size_t>(Index)];
    pressed.enabled = false;
    pressed.enabled = true;

    if (Button == Form1::LeftButton) {
        leftPress(Index);
    } else if (Button == Form1::RightButton) {
        rightPress(Index);
    }
}

void Flow::leftPress(std::int16_t Index) {
    Game& g = game_;
    if (g.busy || !g.game_running) return;
    g.probabilitiesOffered = false;
    if (!g.minesPlaced) g.InitMines(Index, seedSource ? seedSource() : 0);
    if (g.BtnIsMine(Index)) {
        g.Spielende(false);
        host_.beep();
        return;
    }
    if (!g.UncoverCell(Index)) return;
    {
        const WorkScope run(g, host_, WorkScope::Shows::Nothing);
        solver_.Phase1();
        add16(g.uncovered_count, -1);
    }
    if (g.autoPlay) equations_.GlSolve_Click();
    while (g.autoPlay && g.green_found >= 1) {
        g.uncovered_count = 0;
        solver_.KlickGreen_Click();
        equations_.GlSolve_Click();
    }
}

void Flow::rightPress(std::int16_t Index) {
    const auto [x, y] = game_.cellAt(Index);
    game_.status =
        "Index " + std::to_string(Index) + ": x = " + std::to_string(x) + ", y = " + std::to_string(y);
    if (game_.peekMode && x != 0 && game_.is_mine(x, y)) {
        game_.status += " - Achtung! Mine";
        host_.beep();
    }
}

// ---- levels -------------------------------------------------------------------------------

void Flow::Anfänger_Click() {
    chooseLevel(Level::Beginner, Levels::size(Level::Beginner));
}
void Flow::Fortgeschrittene_Click() {
    chooseLevel(Level::Intermediate, Levels::size(Level::Intermediate));
}
void Flow::Profis_Click() {
    chooseLevel(Level::Expert, Levels::size(Level::Expert));
}

void Flow::benutzerdefiniert_Click() {
    if (const auto size = levels_.askCustomSize()) chooseLevel(Level::Custom, *size);
}

void Flow::chooseLevel(Level level, LevelSize size) {
    startGame(size.width, size.height, size.mines);
    game_.level = level;
}

// ---- loading ------------------------------------------------------------------------------

void Flow::startLoadedBoard(std::int16_t width, std::int16_t height, std::int16_t mines) {
    startGame(width, height, mines);
    game_.clearStandardLevel();
}

void Flow::load_Click() {
    if (const auto path = storage_.chooseFile(Storage::FileKind::Game, false)) LoadGame(*path);
}

void Flow::LoadGame(const std::string& path) {
    const auto saved = storage_.readGame(path);
    if (!saved) return;
    try {
        setUpGame(*saved);
    } catch (const std::exception&) {
        storage_.readFailure(path, Storage::FileKind::Game);
    }
}

void Flow::setUpGame(const storage::SavedGame& saved) {
    startLoadedBoard(saved.width, saved.height, saved.mines);
    storage_.applyGame(saved);
}

void Flow::load_mine_Click() {
    if (const auto path = storage_.chooseFile(Storage::FileKind::Layout, false)) LoadMines(*path);
}

void Flow::LoadMines(const std::string& path) {
    const auto layout = storage_.readLayout(path);
    if (!layout) return;
    try {
        setUpLayout(*layout);
    } catch (const std::exception&) {
        storage_.readFailure(path, Storage::FileKind::Layout);
    }
}

void Flow::setUpLayout(const storage::MineLayoutScan& layout) {
    startLoadedBoard(to16(layout.width), to16(layout.rows), to16(layout.mines));
    storage_.applyLayout(layout);
}

void Flow::openFile(const std::string& path) {
    const std::string_view ext = ".txt";
    const bool layout =
        path.size() > ext.size() && std::equal(ext.rbegin(), ext.rend(), path.rbegin(), [](char a, char b) {
            return a == std::tolower(static_cast<unsigned char>(b));
        });
    if (layout) {
        LoadMines(path);
    } else {
        LoadGame(path);
    }
}

// ---- information windows ------------------------------------------------------------------

void Flow::About_Click() {
    frmAbout about(host_, form_, registry_);
    about.show();
}

void Flow::webmsg_Click() {
    WWW hints(host_, form_, webHints_);
    hints.show();
}

}  // namespace gravlin
