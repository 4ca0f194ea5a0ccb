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

// The logic alone: a host that shows nothing and answers every question at once.
using NullHost = gravlin::testing::FakeHost;

void newGame(Form1& f, gravlin::FieldBuilder& field, int w, int h, int mines) {
    f.x_actual = static_cast<std::int16_t>(w);
    f.y_actual = static_cast<std::int16_t>(h);
    f.no_mines_actual = static_cast<std::int16_t>(mines);
    f.InitGame();
    field.Feldaufbau_Click();
}

// Lays `mines` mines at random, none in the 3 x 3 block around (cx, cy), so that a press
// there opens a region; counts as at the first click.
void layMinesAwayFrom(Form1& f, int mines, int cx, int cy, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<int> px(1, f.x_game), py(1, f.y_game);
    for (int placed = 0; placed < mines;) {
        const int x = px(random), y = py(random);
        if (f.is_mine(x, y) || (std::abs(x - cx) <= 1 && std::abs(y - cy) <= 1)) continue;
        f.is_mine(x, y) = true;
        ++placed;
    }
    f.countMinesOfEveryCell();
    f.save_mine.enabled = true;
    f.save.enabled = true;
}

void flushView(gravlin::ui::GravlinGui& gui) {
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
        newGame(gui.program.form, gui.program.field, ++round % 2 ? 30 : 29, 24, 99);
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
        newGame(p.form, p.field, 30, 24, 1);
        p.form.is_mine(1, 1) = true;
        p.form.countMinesOfEveryCell();
        if (WithView) flushView(gui);
        const auto start = Clock::now();
        p.form.UncoverCell(719);
        if (WithView) flushView(gui);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        opened = p.form.uncovered_count;
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
    std::uint64_t seed = 1;
    for (auto _ : state) {
        newGame(f, gui.program.field, 30, 16, 99);
        layMinesAwayFrom(f, 99, 15, 8, seed++);
        flushView(gui);
        const auto start = Clock::now();
        gui.host.invoke([&] { f.Command1_MouseDown(f.GetLinear(15, 8), Form1::LeftButton, 0, 0, 0); });
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
        newGame(p.form, p.field, 30, 24, 99);
        layMinesAwayFrom(p.form, 99, 15, 12, seed++);
        p.form.UncoverCell(p.form.GetLinear(15, 12));
        uncovered += p.form.uncovered_count;
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
