#pragma once
// The whole program without a view, with automatic play on and the real engine library bound
// as the program binds it, for playing many games in a row.

#include <cstdint>
#include <stdexcept>

#include "fake_host.h"
#include "gravlin/app/program.h"
#include "gravlin/equations/dynamic_engine.h"

namespace gravlin::bench {

struct PlayedProgram {
    PlayedProgram() {
        if (!engine.ensureLoaded()) throw std::runtime_error(engine.loadError());
        program.start();
        program.game.autoPlay = true;
    }

    // A new game of the level `choose`, its mines placed from `seed` at the first click.
    Game& newGame(void (Flow::*choose)(), std::uint64_t seed) {
        program.flow.seedSource = [seed] { return seed; };
        (program.flow.*choose)();
        // The fake keeps everything it was asked; over thousands of games that only grows.
        host.messages.clear();
        host.modalShown.clear();
        host.closed.clear();
        host.focus.clear();
        host.pointerChanges.clear();
        return program.game;
    }

    testing::FakeHost host;
    DynamicEngine engine{GRAVLIN_BENCH_DIR};
    Program program{host, &engine};
};

}  // namespace gravlin::bench
