#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "gravlin/controls.h"
#include "gravlin/game/board_state.h"
#include "gravlin/game/limits.h"
#include "gravlin/window.h"

namespace gravlin {

// The controls of the main window that the field construction places: the window (its
// outer size), the pool of cell buttons, the two frames and the three tool buttons.
struct FieldControls {
    Window& window;
    std::array<CommandButton, kCellButtons>& Command1;
    Frame& Frame1;
    Frame& Frame2;
    CommandButton& StartStop;
    CommandButton& GlSolve;
    CommandButton& KlickGreen;
};

// Lays out the field of cell buttons for the board in play and sizes the frames and the
// window to it. It changes no game state.
class FieldBuilder {
  public:
    FieldBuilder(const BoardState& board, FieldControls controls) : board_(board), c_(controls) {}

    void Feldaufbau_Click();
    void Feldabbau();
    void PlaceCellButton(std::int16_t index, std::int16_t left, std::int16_t top, std::int16_t width,
                         std::int16_t height);

  private:
    void placeToolButtons();

    const BoardState& board_;
    FieldControls c_;
    // The tool buttons' positions as designed (StartStop, GlSolve, KlickGreen), kept at the
    // first build: narrow boards put the buttons back there. Their tags show them.
    std::optional<std::array<float, 3>> designLeft_;
};

}  // namespace gravlin
