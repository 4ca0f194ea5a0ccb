// The solver leaves out recounts that cannot change anything. This checks it against the
// plain procedure, which recounts after every cell that meets the mine rule, on random
// positions, stale counts included (as a loaded game may bring).
#include <gtest/gtest.h>

#include <random>

#include "fake_host.h"
#include "gravlin/app/program.h"

namespace gravlin {
namespace {

bool plainSearchMine(Form1& f, LocalSolver& solver) {
    bool result = false;
    for (std::int16_t x = 1; x <= f.x_game; ++x) {
        for (std::int16_t y = 1; y <= f.y_game; ++y) {
            if (!f.visible(x, y) || f.marked(x, y) || f.done(x, y)) continue;
            const std::int16_t u = f.CountUnvisibleAround(x, y);
            if (u == f.rest_around(x, y)) {
                result = f.SetUnvisibleAround(x, y) || result;
                f.rest_around(x, y) = 0;
                solver.RecalcCounterI();
            }
            if (u == 0) f.done(x, y) = true;
        }
    }
    return result;
}

// The cycle loop of Phase1 without its displays, with the given mine rule.
template <typename MineRule>
void cycles(LocalSolver& solver, MineRule mineRule) {
    bool marked = true, recount = false, opened = true;
    for (int cycle = 1; (marked || recount || opened) && cycle < LocalSolver::kCycleLimit; ++cycle) {
        marked = mineRule();
        recount = solver.RecalcCounterI();
        opened = solver.PrePhase1();
    }
}

// The same random position on both programs: mines, some cells opened, some counts stale.
void setUp(Program& p, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    Form1& f = p.form;
    f.x_actual = static_cast<std::int16_t>(3 + random() % 28);
    f.y_actual = static_cast<std::int16_t>(3 + random() % 22);
    const int cells = f.x_actual * f.y_actual;
    f.no_mines_actual = static_cast<std::int16_t>(1 + random() % std::min(99, cells / 3));
    f.InitGame();
    p.field.Feldaufbau_Click();
    f.seedSource = [seed] { return seed; };
    f.InitMines(0);
    const int opens = 1 + static_cast<int>(random() % 4);
    for (int k = 0; k < opens; ++k) {
        const int L = static_cast<int>(random() % static_cast<unsigned>(cells));
        if (!f.BtnIsMine(static_cast<std::int16_t>(L))) f.UncoverCell(static_cast<std::int16_t>(L));
    }
    if (random() % 3 == 0) {
        const int x = 1 + static_cast<int>(random() % static_cast<unsigned>(f.x_game));
        const int y = 1 + static_cast<int>(random() % static_cast<unsigned>(f.y_game));
        f.rest_around(x, y) = static_cast<std::int16_t>(random() % 9);
    }
}

TEST(LocalSolverShortcut, EndsInTheSameStateAsRecountingAfterEveryMatch) {
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        testing::FakeHost h1, h2;
        Program plain(h1), fast(h2);
        setUp(plain, seed);
        setUp(fast, seed);
        cycles(plain.solver, [&] { return plainSearchMine(plain.form, plain.solver); });
        cycles(fast.solver, [&] { return fast.solver.SearchMine(); });
        const Form1& a = plain.form;
        const Form1& b = fast.form;
        ASSERT_EQ(a.rest_around, b.rest_around);
        ASSERT_EQ(a.marked, b.marked);
        ASSERT_EQ(a.visible, b.visible);
        ASSERT_EQ(a.done, b.done);
        ASSERT_EQ(a.covered_left, b.covered_left);
        ASSERT_EQ(a.cnt_uncover, b.cnt_uncover);
        for (std::size_t L = 0; L < a.Command1.size(); ++L) ASSERT_EQ(a.Command1[L], b.Command1[L]) << L;
    }
}

}  // namespace
}  // namespace gravlin
