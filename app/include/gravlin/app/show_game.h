#pragma once
#include "gravlin/board/form1.h"
#include "gravlin/game/game.h"

namespace gravlin {

// Brings the main window's controls in line with the game: every cell of the board in play,
// the remaining-mines label and its tooltip, the face, the status bar and the menu items
// whose state is a fact of the game. Cells beyond the board, the layout and everything else
// the game does not own are left as they are.
void showGame(const Game& game, Form1& form);

}  // namespace gravlin
