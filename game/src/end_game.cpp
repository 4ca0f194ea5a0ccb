// End of game, the remaining mines, the working face, and the small game commands.
#include "gravlin/game/game.h"
#include "gravlin/game/int16.h"

namespace gravlin {

std::int16_t Game::PrintRestMinen() {
    remainingMines = to16(static_cast<long long>(no_mines_game) - CountMinesV());
    return remainingMines;
}

void Game::Spielende(bool gewonnen) {
    if (gewonnen) {
        face = Face::Won;
        game_running = false;
        ShowMinesGreen();
        lost = false;
        remainingMines = 0;
        covered_left = 0;
    } else {
        ShowMines(kRed);
        face = Face::Lost;
        game_running = false;
        lost = true;
    }
}

// A cell that shows the mine mark keeps its look: the marks of the solver, of a loaded game
// and of a won game's mines.
void Game::ShowMines(Color cc) {
    forEachCell([&](int x, int y) {
        CellLook& shown = look(x, y);
        if (shown.caption != CellLook::Caption::Mark && is_mine(x, y)) shown.color = cc;
    });
}

void Game::ShowMinesGreen() {
    forEachCell([&](int x, int y) {
        if (!is_mine(x, y)) return;
        look(x, y).color = kGreen;
        look(x, y).caption = CellLook::Caption::Mark;
    });
}

void Game::BeginWork() {
    face = Face::Working;
    busy = true;
}

void Game::EndWork() {
    face = Face::Normal;
    busy = false;
}

void Game::loosercont_Click() {
    ShowMines(kSystemButtonFace);
    game_running = true;
}

void Game::Solve_Click() {
    showAllMines = !showAllMines;
    ShowMines(showAllMines ? kMagenta : kSystemButtonFace);
}

void Game::clearStandardLevel() {
    if (level != Level::Custom) level = Level::None;
}

}  // namespace gravlin
