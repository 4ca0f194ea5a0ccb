#pragma once
#include <cstdint>
#include <memory>
#include <optional>

#include "gravlin/field/ben_definiert.h"
#include "gravlin/game/game.h"
#include "gravlin/host.h"
#include "gravlin/window.h"

namespace gravlin {

struct LevelSize {
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::int16_t mines = 0;
};

// The level menu's boards: three standard sizes, and the custom one that the dialog asks for.
class Levels {
  public:
    Levels(Host& host, Window& owner, const BoardState& board) : host_(host), owner_(owner), board_(board) {}

    // The size of a standard level (Beginner, Intermediate or Expert).
    static LevelSize size(Level level);

    // Shows the custom field dialog; the size accepted in it, or nothing when cancelled.
    std::optional<LevelSize> askCustomSize();

    // Created on first use and kept for the rest of the run, so it remembers its last entry.
    BenDefiniert& dialog();

  private:
    Host& host_;
    Window& owner_;
    const BoardState& board_;
    std::unique_ptr<BenDefiniert> dialog_;
};

}  // namespace gravlin
