// The game's hot paths with and without the Qt view: a new 30 x 24 field, opening a whole
// board, a first click on an expert board, and the local-rule solver after a large opening.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <random>

#include "fake_host.h"
#include "gravlin/app/program.h"
#include "gravlin_gui.h"

namespace {

using Clock = std::chrono::steady_clock;
using gravlin::Form1;
using gravlin::Game;

// The logic alone: a host that shows nothing and answers every question at once.
using NullHost = gravlin::testing::FakeHost;

void newGame(gravlin::Program& p, int w, int h, int mines) {
    p.flow.startGame(static_cast<std::int16_t>(w), static_cast<std::int16_t>(h),
                     static_cast<std::int16_t>(mines));
    p.showGame();
}

// Lays `mines` mines at random, none in the 3 x 3 block around (cx, cy), so that a press
// there opens a region; counts as at the first click.
void layMinesAwayFrom(Game& f, int mines, int cx, int cy, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<int> px(1, f.x_game), py(1, f.y_game);
    for (int placed = 0; placed < mines;) {
        const int x = px(random), y = py(random);
        if (f.is_mine(x, y) || (std::abs(x - cx) <= 1 && std::abs(y - cy) <= 1)) continue;
        f.is_mine(x, y) = true;
        ++placed;
    }
    f.countMinesOfEveryCell();
    f.minesPlaced = true;
}

void flushView(gravlin::ui::GravlinGui& gui) {
    gui.program.showGame();
    gui.host.refreshViews();
    QCoreApplication::processEvents();  // lets the changed cells paint
}

void BM_NewField30x24WithView(benchmark::State& state) {
    gravlin::ui::GravlinGui gui;
    gui.start();
    flushView(gui);
    int round = 0;
    for (auto _ : state) {
        // Alternating widths make every build move all the buttons.
        newGame(gui.program, ++round % 2 ? 30 : 29, 24, 99);
        flushView(gui);
    }
}
BENCHMARK(BM_NewField30x24WithView)->Unit(benchmark::kMillisecond);

// One UncoverCell that opens the whole 30 x 24 board but for a single corner mine.
template <bool WithView>
void BM_UncoverWholeBoard(benchmark::State& state) {
    NullHost nullHost;
    gravlin::ui::GravlinGui gui;
    gravlin::Program logicOnly(nullHost);
    if (WithView) gui.start();
    gravlin::Program& p = WithView ? gui.program : logicOnly;
    int opened = 0;
    for (auto _ : state) {
        newGame(p, 30, 24, 1);
        p.game.is_mine(1, 1) = true;
        p.game.countMinesOfEveryCell();
        if (WithView) flushView(gui);
        const auto start = Clock::now();
        p.game.UncoverCell(719);
        if (WithView) flushView(gui);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        opened = p.game.uncovered_count;
    }
    state.counters["opened"] = opened;
}
BENCHMARK_TEMPLATE(BM_UncoverWholeBoard, false)
    ->Name("BM_UncoverWholeBoard/logic")
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_UncoverWholeBoard, true)
    ->Name("BM_UncoverWholeBoard/view")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A left press on a fresh 30 x 16 board with 99 mines that opens a region: the solver run
// and bringing the view up to date included.
void BM_FirstClickExpertWithView(benchmark::State& state) {
    gravlin::ui::GravlinGui gui;
    gui.start();
    Form1& f = gui.program.form;
    Game& g = gui.program.game;
    std::uint64_t seed = 1;
    for (auto _ : state) {
        newGame(gui.program, 30, 16, 99);
        layMinesAwayFrom(g, 99, 15, 8, seed++);
        flushView(gui);
        const auto start = Clock::now();
        gui.host.invoke([&] { f.Command1_MouseDown(g.GetLinear(15, 8), Form1::LeftButton); });
        QCoreApplication::processEvents();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}
BENCHMARK(BM_FirstClickExpertWithView)->UseManualTime()->Unit(benchmark::kMillisecond);

// The local-rule solver alone after a large opening on 30 x 24 with 99 mines.
void BM_Phase1After30x24Opening(benchmark::State& state) {
    NullHost host;
    gravlin::Program p(host);
    std::uint64_t seed = 1;
    long uncovered = 0;
    for (auto _ : state) {
        newGame(p, 30, 24, 99);
        layMinesAwayFrom(p.game, 99, 15, 12, seed++);
        p.game.UncoverCell(p.game.GetLinear(15, 12));
        uncovered += p.game.uncovered_count;
        const auto start = Clock::now();
        p.solver.Phase1();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.counters["opened_before"] =
        benchmark::Counter(static_cast<double>(uncovered), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Phase1After30x24Opening)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gravlin::ui::setUpApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
