#pragma once
// The main window as data: its controls, its menu tree and its event handlers. It shows the
// game and decides nothing: the program's flow (app/) runs the handlers and then brings the
// controls in line with the game.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gravlin/controls.h"
#include "gravlin/game/limits.h"
#include "gravlin/handler_slot.h"
#include "gravlin/window.h"

namespace gravlin {

using ClickSlot = Slot<>;
// A mouse button going down on a cell: the cell's index and the button (1 left, 2 right, 4
// middle).
using PressSlot = Slot<std::int16_t, std::int16_t>;

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
    ClickSlot* click;
    bool isCommand() const { return depth > 0 && item->caption != "-"; }
};

class Form1 : public Window {
    // Declared before the slots, which enter themselves in it.
    std::vector<HandlerSlot*> handlerSlots_;

  public:
    Form1();

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

    // Menus and their items.
    MenuItem Spiel, NewGame, blank02, load, save, blank03, load_mine, save_mine, blank3, Ende;
    MenuItem Setting, Anfänger, Fortgeschrittene, Profis, benutzerdefiniert, blank01, Auto_solve;
    MenuItem Experimente, GlSolve_Menu, KlickGreen_Menu, blank47, Eqs, EqsGes, blank4, wahrscheinlichkeiten,
        blank1, spickmodus, Solve, blank2, loosercont, Feldaufbau, Test1;
    MenuItem Help, About, webmsg;
    std::vector<MenuNode> menuTree;
    MenuNode& menuNode(const MenuItem& item);

    // ---- event handlers, filled by the program's wiring table ----------------------------
    enum MouseButton : std::int16_t { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
    PressSlot Command1_MouseDown{handlerSlots_, "Command1_MouseDown"};
    ClickSlot StartStop_Click{handlerSlots_, "StartStop_Click"};
    ClickSlot GlSolve_Click{handlerSlots_, "GlSolve_Click"};
    ClickSlot KlickGreen_Click{handlerSlots_, "KlickGreen_Click"};

    ClickSlot NewGame_Click{handlerSlots_, "NewGame_Click"};
    ClickSlot load_Click{handlerSlots_, "load_Click"};
    ClickSlot save_Click{handlerSlots_, "save_Click"};
    ClickSlot load_mine_Click{handlerSlots_, "load_mine_Click"};
    ClickSlot save_mine_Click{handlerSlots_, "save_mine_Click"};
    ClickSlot Ende_Click{handlerSlots_, "Ende_Click"};
    ClickSlot Anfänger_Click{handlerSlots_, "Anfänger_Click"};
    ClickSlot Fortgeschrittene_Click{handlerSlots_, "Fortgeschrittene_Click"};
    ClickSlot Profis_Click{handlerSlots_, "Profis_Click"};
    ClickSlot benutzerdefiniert_Click{handlerSlots_, "benutzerdefiniert_Click"};
    ClickSlot Auto_solve_Click{handlerSlots_, "Auto_solve_Click"};
    ClickSlot GlSolve_Menu_Click{handlerSlots_, "GlSolve_Menu_Click"};
    ClickSlot KlickGreen_Menu_Click{handlerSlots_, "KlickGreen_Menu_Click"};
    ClickSlot Eqs_Click{handlerSlots_, "Eqs_Click"};
    ClickSlot EqsGes_Click{handlerSlots_, "EqsGes_Click"};
    ClickSlot wahrscheinlichkeiten_Click{handlerSlots_, "wahrscheinlichkeiten_Click"};
    ClickSlot spickmodus_Click{handlerSlots_, "spickmodus_Click"};
    ClickSlot Solve_Click{handlerSlots_, "Solve_Click"};
    ClickSlot loosercont_Click{handlerSlots_, "loosercont_Click"};
    ClickSlot Feldaufbau_Click{handlerSlots_, "Feldaufbau_Click"};
    ClickSlot Test1_Click{handlerSlots_, "Test1_Click"};
    ClickSlot About_Click{handlerSlots_, "About_Click"};
    ClickSlot webmsg_Click{handlerSlots_, "webmsg_Click"};

    // Every handler slot of the window, in the order declared.
    const std::vector<HandlerSlot*>& handlerSlots() const { return handlerSlots_; }

  private:
    void buildMenuTree();
};

}  // namespace gravlin
