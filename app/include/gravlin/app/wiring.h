#pragma once
#include <span>

#include "gravlin/board/form1.h"

namespace gravlin {

class Program;

// One row of the wiring table: a handler slot of the main window and what fills it. Each
// handler, once connected, runs its part of the program and then brings the main window's
// controls in line with the game.
struct WiringRow {
    HandlerSlot& (*slot)(Form1& form);
    // Connects the row's handler to its slot; null for a row that names none.
    void (*connect)(Program& program, HandlerSlot& slot);
};

// The table: every menu item, tool button and the cells of the main window.
std::span<const WiringRow> wiringTable();

// Throws std::logic_error naming what is wrong: a slot of the window without a row, a slot
// with two rows, a row without a handler, a menu command without a slot.
void checkWiring(Form1& form, std::span<const WiringRow> rows);

// Checks the rows, then connects every slot of the program's main window.
void connectHandlers(Program& program, std::span<const WiringRow> rows);

}  // namespace gravlin
