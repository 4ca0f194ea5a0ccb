#pragma once
// Plays a loaded board to its end: every cell is pressed with both buttons, a lost game is
// continued, and all mines are shown. Nothing of it may throw.
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
        made->form.seedSource = [] { return 1; };
        return made;
    }();
    return *p;
}

inline void loadAndPlay(const std::function<void(Program&)>& load) {
    Program& p = program();
    Form1& f = p.form;
    try {
        load(p);
        const int cells = f.x_game * f.y_game;
        for (int L = 0; L < cells; ++L) {
            f.Command1_MouseDown(static_cast<std::int16_t>(L), Form1::RightButton, 0, 0, 0);
            f.Command1_MouseDown(static_cast<std::int16_t>(L), Form1::LeftButton, 0, 0, 0);
            if (!f.game_running && f.loosercont.enabled) f.loosercont_Click();
        }
        f.Solve_Click();
        f.PrintRestMinen();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "loaded board threw: %s\n", e.what());
        std::abort();
    }
}

}  // namespace gravlin::fuzz
