// Engine timings per position. Each benchmark iteration runs every position of a set once;
// the counters give the median and the maximum over the positions of each position's
// fastest run, in microseconds, so one slow position cannot hide in a mean.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis.h"
#include "equation.h"
#include "gravlin/engine.h"
#include "positions.h"

namespace {

using gravlin::bench::Position;
using Clock = std::chrono::steady_clock;

void solveSequence(const Position& p) {
    QZNewSystem();
    for (const auto& e : p.cellEquations) {
        QZInterpreter(e.c_str());
        QZSolve();
    }
    QZInterpreter(p.totalSum.c_str());
    QZSolve();
    int32_t sink = QZGetNextFree(-1);
    for (int32_t c = QZGetNextFree(-1); c >= 0; c = QZGetNextFree(c)) sink += c;
    for (int32_t c = QZGetNextMine(-1); c >= 0; c = QZGetNextMine(c)) sink += c;
    benchmark::DoNotOptimize(sink);
}

void calcStoch(const Position& p) {
    char* text = QZcalcStoch(p.display.c_str());
    benchmark::DoNotOptimize(text);
    std::free(text);
    QZcalcStochEnd();
}

// Per position: the parsed system, so only the counting is timed.
std::vector<std::vector<gravlin::engine::Equation>> parsed(const std::vector<Position>& set) {
    std::vector<std::vector<gravlin::engine::Equation>> out;
    for (const auto& p : set) {
        std::vector<gravlin::engine::Equation> eqs;
        gravlin::engine::parseDisplaySystem(p.display, eqs);
        out.push_back(std::move(eqs));
    }
    return out;
}

void runPerPosition(benchmark::State& state, size_t count, const std::function<void(size_t)>& run) {
    std::vector<double> best(count, 1e300);
    for (auto _ : state) {
        for (size_t i = 0; i < count; ++i) {
            const auto start = Clock::now();
            run(i);
            const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
            best[i] = std::min(best[i], us);
        }
    }
    std::vector<double> sorted = best;
    std::sort(sorted.begin(), sorted.end());
    if (sorted.empty()) return;
    state.counters["positions"] = static_cast<double>(count);
    state.counters["median_us"] = sorted[sorted.size() / 2];
    state.counters["max_us"] = sorted.back();
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(count));
}

struct Set {
    std::string name;
    std::vector<Position> positions;
};

std::vector<Set> makeSets() {
    using namespace gravlin::bench;
    std::vector<Set> sets;
    sets.push_back({"9x9_10", randomGames(9, 9, 10, 40, 1)});
    sets.push_back({"16x16_40", randomGames(16, 16, 40, 12, 2)});
    sets.push_back({"30x16_99", randomGames(30, 16, 99, 6, 3)});
    sets.push_back({"30x24_99", randomGames(30, 24, 99, 4, 4)});
    sets.push_back({"8x8_40", randomGames(8, 8, 40, 60, 5)});
    sets.push_back({"long_frontier", longFrontiers(8, 6)});
    for (int patch : {3, 5, 7})
        sets.push_back({"lattice_" + std::to_string(patch), lattices(patch, 6, 7 + patch)});
    return sets;
}

}  // namespace

int main(int argc, char** argv) {
    static const std::vector<Set> sets = makeSets();
    for (const auto& set : sets) {
        const auto* positions = &set.positions;
        benchmark::RegisterBenchmark(("SolveSequence/" + set.name).c_str(), [positions](benchmark::State& s) {
            runPerPosition(s, positions->size(), [&](size_t i) { solveSequence((*positions)[i]); });
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("CalcStoch/" + set.name).c_str(), [positions](benchmark::State& s) {
            runPerPosition(s, positions->size(), [&](size_t i) { calcStoch((*positions)[i]); });
        })->Unit(benchmark::kMillisecond);
        auto systems =
            std::make_shared<std::vector<std::vector<gravlin::engine::Equation>>>(parsed(set.positions));
        benchmark::RegisterBenchmark(("ProbabilitiesOnly/" + set.name).c_str(), [systems](
                                                                                    benchmark::State& s) {
            runPerPosition(s, systems->size(), [&](size_t i) {
                benchmark::DoNotOptimize(gravlin::engine::analyseProbabilities((*systems)[i]));
            });
        })->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
