#pragma once
// The main window: the game state (BoardState), the controls of the window as data, and the
// procedures of the game board that act on both (new game, marking, uncovering, cell
// clicks, end of game, start-up).

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gravlin/board/board_state.h"
#include "gravlin/board/limits.h"
#include "gravlin/controls.h"
#include "gravlin/host.h"
#include "gravlin/window.h"

namespace gravlin {

// What runs when a control of the main window is used, or when the board calls a procedure
// of a layer above it. Every handler is connected by the program's wiring table (app/),
// which refuses to start with one left empty.
using Handler = std::function<void()>;
using CellHandler = std::function<void(std::int16_t Index, std::int16_t Button)>;

// Procedures of the main window that live in the subsystems built on top of the board
// (field, solver, equations). The board calls them through these handlers so that it does
// not depend on those subsystems.
struct Form1Layers {
    Handler DeleteTraceFile;
    Handler UnloadProbabilityWindow;
    Handler Phase1;
    Handler GlSolve_Click;
    Handler KlickGreen_Click;
    Handler Fortgeschrittene_Click;
};

// A handler the board needs connected, by the name the check reports when it is empty.
struct HandlerSlot {
    const char* name;
    const Handler* handler;
};

struct StatusBar {
    std::string text;
    bool operator==(const StatusBar&) const = default;
};

// One entry of the menu bar, in display order: the top-level menus (depth 0) and their
// items (depth 1). `click` is the item's handler; menus and separators have none.
struct MenuNode {
    std::string name;
    MenuItem* item;
    int depth;
    Handler click;
    bool isCommand() const { return depth > 0 && item->caption != "-"; }
};

class Form1 : public Window, public BoardState {
  public:
    explicit Form1(Host& host);

    Host& host() { return host_; }

    // Where new mine layouts take their randomness from; seeded afresh at every placement.
    // Tests replace it to make placements repeatable.
    std::function<std::uint64_t()> seedSource;

    // ---- controls ---------------------------------------------------------------------
    std::array<CommandButton, kCellButtons> Command1;
    Frame Frame1;
    Frame Frame2;
    Label MinesLabel;
    CommandButton StartStop;
    CommandButton GlSolve;
    CommandButton KlickGreen;
    CommandButton Dummy;
    StatusBar StatusBar1;
    static constexpr Picture StartPict = Picture::FaceNormal;
    static constexpr Picture WorkerPict = Picture::FaceWorking;
    static constexpr Picture WinnerPict = Picture::FaceWon;
    static constexpr Picture LooserPict = Picture::FaceLost;
    // What the controls do when used.
    Handler StartStop_Clicked;
    Handler GlSolve_Clicked;
    Handler KlickGreen_Clicked;
    CellHandler Command1_Pressed;
    Form1Layers layers;
    // The handlers beside the menu items that must be connected before start-up.
    std::vector<HandlerSlot> handlerSlots() const;

    // Menus and their items.
    MenuItem Spiel, NewGame, blank02, load, save, blank03, load_mine, save_mine, blank3, Ende;
    MenuItem Setting, Anfänger, Fortgeschrittene, Profis, benutzerdefiniert, blank01, Auto_solve;
    MenuItem Experimente, GlSolve_Menu, KlickGreen_Menu, blank47, Eqs, EqsGes, blank4, wahrscheinlichkeiten,
        blank1, spickmodus, Solve, blank2, loosercont, Feldaufbau, Test1;
    MenuItem Help, About, webmsg;
    std::vector<MenuNode> menuTree;
    MenuNode& menuNode(const MenuItem& item);

    // ---- set-up ----------------------------------------------------------------------------
    void SetToDefault();
    void InitParms();
    void RefreshCoveredTooltip();

    // ---- new game and mine placement ----------------------------------------------------
    void InitGame();
    void InitMines(const std::int16_t& selButton);

    // ---- marking --------------------------------------------------------------------------
    bool SetUnvisibleAround(std::int16_t n, std::int16_t m);

    // ---- uncovering ------------------------------------------------------------------------
    bool UncoverCell(std::int16_t L);

    // ---- cell clicks -----------------------------------------------------------------------
    enum MouseButton : std::int16_t { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
    void Command1_MouseDown(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X, float Y);

    // ---- end of game and status displays ---------------------------------------------------
    void Spielende(bool gewonnen);
    void ShowMines(Color cc);
    void ShowMinesGreen();
    std::int16_t PrintRestMinen();
    void BeginWork();
    void EndWork();
    void NewGame_Click();
    void StartStop_Click();
    void Ende_Click();
    void loosercont_Click();
    void Solve_Click();
    void spickmodus_Click();

    // ---- start-up ----------------------------------------------------------------------------
    void Form_Load();

    // ---- procedures of the layers above the board ------------------------------------------
    void DeleteTraceFile() { layers.DeleteTraceFile(); }
    void UnloadProbabilityWindow() { layers.UnloadProbabilityWindow(); }
    void Phase1() { layers.Phase1(); }
    void GlSolve_Click() { layers.GlSolve_Click(); }
    void KlickGreen_Click() { layers.KlickGreen_Click(); }
    void Fortgeschrittene_Click() { layers.Fortgeschrittene_Click(); }
    // The menu entries of the button commands: the same solve and sweep as the buttons.
    void GlSolve_Menu_Click() { GlSolve_Click(); }
    void KlickGreen_Menu_Click() { KlickGreen_Click(); }

  private:
    void buildMenuTree();
    void placeMinesUniformly(int x0, int y0);

    Host& host_;
};

}  // namespace gravlin
