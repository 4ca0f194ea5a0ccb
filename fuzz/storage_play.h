#pragma once
// Plays a loaded board to its end: every cell is pressed with both buttons, a lost game is
// continued, all mines are shown, and the main window shows the result. Nothing of it may
// throw.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>

#include "fake_host.h"
#include "gravlin/app/program.h"

namespace gravlin::fuzz {

inline Program& program() {
    static testing::FakeHost host;
    static Program* p = [] {
        auto* made = new Program(host);
        made->start();
        made->flow.seedSource = [] { return 1; };
        return made;
    }();
    return *p;
}

inline void loadAndPlay(const std::function<void(Program&)>& load) {
    Program& p = program();
    Game& g = p.game;
    try {
        load(p);
        const int cells = g.x_game * g.y_game;
        for (int L = 0; L < cells; ++L) {
            p.flow.Command1_MouseDown(static_cast<std::int16_t>(L), Form1::RightButton, 0, 0, 0);
            p.flow.Command1_MouseDown(static_cast<std::int16_t>(L), Form1::LeftButton, 0, 0, 0);
            if (!g.game_running && g.lost) g.loosercont_Click();
        }
        g.Solve_Click();
        g.PrintRestMinen();
        p.showGame();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "loaded board threw: %s\n", e.what());
        std::abort();
    }
}

}  // namespace gravlin::fuzz
