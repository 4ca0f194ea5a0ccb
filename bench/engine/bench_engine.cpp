// Engine timings per position. Each benchmark iteration runs every position of a set once;
// the counters give the median and the maximum over the positions of each position's
// fastest run, in microseconds, so one slow position cannot hide in a mean.
//
// Before them (with --peak-memory alone, or when no filter is given) the peak memory of
// single calls: each call runs in a fresh child process (this program with --one-call),
// whose ru_maxrss the parent reads, so nothing the benchmarks hold counts. With
// --guard-report alone: the positions beyond the families one by one, in both orders of
// the equations, with CPU time and peak memory (reportGuards).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "analysis.h"
#include "equation.h"
#include "gravlin/engine.h"
#include "positions.h"

namespace {

using gravlin::bench::Position;
using Clock = std::chrono::steady_clock;

struct Listing {
    size_t free = 0, mines = 0;
};

// The game's sequence; with totalFirst the total sum comes before the cell equations.
Listing solveSequence(const Position& p, bool totalFirst = false) {
    QZNewSystem();
    if (totalFirst) QZInterpreter(p.totalSum.c_str());
    for (const auto& e : p.cellEquations)
        for (size_t n = 0; n < p.repeat; ++n) {
            QZInterpreter(e.c_str());
            QZSolve();
        }
    if (!totalFirst) QZInterpreter(p.totalSum.c_str());
    QZSolve();
    Listing out;
    int32_t sink = QZGetNextFree(-1);
    for (int32_t c = QZGetNextFree(-1); c >= 0; c = QZGetNextFree(c), ++out.free) sink += c;
    for (int32_t c = QZGetNextMine(-1); c >= 0; c = QZGetNextMine(c), ++out.mines) sink += c;
    benchmark::DoNotOptimize(sink);
    return out;
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

// Every set by name; only the one asked for is generated.
std::vector<std::string> setNames() {
    return {"9x9_10", "16x16_40", "30x16_99", "30x24_99", "8x8_40", "long_frontier", "lattice_3", "lattice_5",
            "lattice_7", "every2_30x16", "every2_30x24", "every3_30x16", "every3_30x24", "region_30x16",
            "region_30x24", "scatter_30x16", "scatter_30x24", "every2_30x24_150", "every2_30x24_165",
            "every2_30x24_175", "diagonal_64", "diagonal_225", "diagonal_667", "diagonal_1521", "text_20mb",
            "all_but_one_30x24", "interleaved_30x24", "prefix_sums", "big_groups",
            // Where automatic play stops: the suggestion has to look ahead.
            "9x9_10_stuck", "16x16_40_stuck", "30x16_99_stuck", "30x24_99_stuck", "8x8_40_stuck"};
}

std::vector<Position> makeSet(const std::string& name) {
    using namespace gravlin::bench;
    const std::string stuck = "_stuck";
    if (name.size() > stuck.size() && name.ends_with(stuck)) {
        std::vector<Position> all = makeSet(name.substr(0, name.size() - stuck.size())), out;
        for (Position& p : all)
            if (p.stuck) out.push_back(std::move(p));
        return out;
    }
    if (name == "9x9_10") return randomGames(9, 9, 10, 40, 1);
    if (name == "16x16_40") return randomGames(16, 16, 40, 12, 2);
    if (name == "30x16_99") return randomGames(30, 16, 99, 6, 3);
    if (name == "30x24_99") return randomGames(30, 24, 99, 4, 4);
    if (name == "8x8_40") return randomGames(8, 8, 40, 60, 5);
    if (name == "long_frontier") return longFrontiers(8, 6);
    for (int patch : {3, 5, 7})
        if (name == "lattice_" + std::to_string(patch))
            return lattices(patch, 6, static_cast<uint64_t>(7 + patch));
    // The wide families: every second and every third cell of whole boards, lattices over
    // regions, and scatters of 20 % to 50 % of the safe cells.
    if (name == "every2_30x16") return everyNthCell(30, 16, 99, 2, 10, 11);
    if (name == "every2_30x24") return everyNthCell(30, 24, 99, 2, 10, 12);
    if (name == "every3_30x16") return everyNthCell(30, 16, 99, 3, 20, 13);
    if (name == "every3_30x24") return everyNthCell(30, 24, 99, 3, 20, 14);
    if (name == "region_30x16") return latticeRegions(30, 16, 110, 15, 11, 20, 15);
    if (name == "region_30x24") return latticeRegions(30, 24, 150, 20, 15, 20, 16);
    if (name == "scatter_30x16") return scatters(30, 16, 20, 17);
    if (name == "scatter_30x24") return scatters(30, 24, 20, 18);
    // Beyond the families: most of these trip a guard of the engine.
    if (name == "every2_30x24_150") return everyNthCell(30, 24, 150, 2, 6, 19);
    if (name == "every2_30x24_165") return everyNthCell(30, 24, 165, 2, 6, 20);
    if (name == "every2_30x24_175") return everyNthCell(30, 24, 175, 2, 6, 21);
    // Plain chains of pairs: 8 x 8, 15 x 15, 29 x 23 (a 30 x 24 board) and 39 x 39 equations,
    // the last beyond every board.
    for (const auto& [size, w, h] : {std::tuple{64, 9, 9}, {225, 16, 16}, {667, 30, 24}, {1521, 40, 40}})
        if (name == "diagonal_" + std::to_string(size)) return {diagonalPairs(w, h)};
    // Text beyond every board: 20 MB for the probabilities, a million equations for the solve.
    if (name == "text_20mb") return {oversized(20'000'000, 1'000'000)};
    // Within the bounds but no board: states with keys of hundreds of needs.
    if (name == "all_but_one_30x24") return {allButOne(30, 24, 22)};
    // Within the bounds: cheap to count, but the look-ahead's censuses run into a guard.
    if (name == "interleaved_30x24")
        return {interleavedWindows(12, 5, false, 23), interleavedWindows(12, 6, true, 24)};
    // Within the bounds: each census of the look-ahead orders a big component again.
    if (name == "prefix_sums") return {prefixSums(false), prefixSums(true)};
    // Within the bounds: groups of dozens of cells, most of whose numbers of mines no state
    // allows; and states that multiply from one layer to the next.
    if (name == "big_groups")
        return {groupChain(45, 4, 25), groupChain(60, 6, 26), groupSums(60, 20, 4, 27),
                groupSums(40, 12, 3, 28)};
    return {};
}

// In the child: one call, then exit. A "list" call is the solve, printing what it listed and
// whether the trace file called the listing partial or the system unreadable.
int oneCall(const std::string& set, size_t index, const std::string& kind) {
    const std::vector<Position> positions = makeSet(set);
    if (index >= positions.size()) return 2;
    if (kind == "stoch") {
        calcStoch(positions[index]);
        return 0;
    }
    if (kind == "solve") {
        solveSequence(positions[index]);
        return 0;
    }
    char trace[] = "/tmp/gravlin_bench_trace_XXXXXX";
    const int fd = mkstemp(trace);
    if (fd < 0) return 3;
    close(fd);
    QZtrace(trace, "Beginn");
    const Listing listed = solveSequence(positions[index], kind == "list_total_first");
    std::string records;
    if (std::FILE* f = std::fopen(trace, "r")) {
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) records.append(buf, n);
        std::fclose(f);
    }
    std::remove(trace);
    std::printf("%5zu free %3zu mines%s", listed.free, listed.mines,
                records.find("unvollständig") != std::string::npos   ? ", partial"
                : records.find("nicht gelesen") != std::string::npos ? ", unreadable"
                                                                     : "");
    return 0;
}

struct ChildUse {
    double peakMiB = -1;  // ru_maxrss; negative when the child failed
    double cpuSeconds = 0, wallSeconds = 0;
};

// A child running one call.
ChildUse runChild(const char* self, const std::string& set, size_t index, const char* kind) {
    const std::string at = std::to_string(index);
    std::fflush(stdout);
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(self, self, "--one-call", set.c_str(), at.c_str(), kind, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    ChildUse out;
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return out;
    out.wallSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    out.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    out.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return out;
}

// ru_maxrss in MiB of a child running one call, or a negative value when it failed.
double childPeak(const char* self, const std::string& set, size_t index, const char* kind) {
    return runChild(self, set, index, kind).peakMiB;
}

// The sets beyond the families, each position in a child process, the equations in the
// game's order and with the total sum first: what the solve listed, and the child's CPU
// time, wall time and peak memory (position set-up included: a few milliseconds and, for
// the oversized text, its 20 MB).
void reportGuards(const char* self) {
    std::printf("\nSolve sequence, one child process per call: listing; CPU s, wall s, peak MiB\n");
    for (const char* set : {"every2_30x24_150", "every2_30x24_165", "every2_30x24_175", "diagonal_667",
                            "diagonal_1521", "text_20mb", "all_but_one_30x24"}) {
        const size_t count = makeSet(set).size();
        for (size_t i = 0; i < count; ++i)
            for (const char* kind : {"list", "list_total_first"}) {
                std::printf("%-16s %zu %-16s ", set, i, kind);
                const ChildUse use = runChild(self, set, i, kind);
                std::printf("  %5.2f %5.2f %6.1f\n", use.cpuSeconds, use.wallSeconds, use.peakMiB);
            }
    }
}

// Median and maximum per set, over its positions (at most 20 of a set, spread evenly).
void reportPeakMemory(const char* self) {
    std::printf("\nPeak memory of one call (ru_maxrss of a child process, MiB): median / max\n");
    for (const std::string& set : setNames()) {
        const size_t count = makeSet(set).size();
        const size_t stride = std::max<size_t>(1, count / 20);
        for (const char* kind : {"solve", "stoch"}) {
            std::vector<double> peaks;
            for (size_t i = 0; i < count; i += stride) peaks.push_back(childPeak(self, set, i, kind));
            std::sort(peaks.begin(), peaks.end());
            std::printf("%-14s %-5s %6.1f / %6.1f  (%zu calls%s)\n", set.c_str(), kind,
                        peaks[peaks.size() / 2], peaks.back(), peaks.size(),
                        peaks.front() < 0 ? ", SOME FAILED" : "");
            std::fflush(stdout);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--one-call") == 0)
        return oneCall(argv[2], std::strtoul(argv[3], nullptr, 10), argv[4]);
    bool memory = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--benchmark_filter", 18) == 0) memory = false;
        if (std::strcmp(argv[i], "--peak-memory") == 0) {
            reportPeakMemory("/proc/self/exe");
            return 0;
        }
        if (std::strcmp(argv[i], "--guard-report") == 0) {
            reportGuards("/proc/self/exe");
            return 0;
        }
    }
    // First, while this process is still small: a child's ru_maxrss counts the memory it
    // shared with its parent before exec.
    if (memory) reportPeakMemory("/proc/self/exe");
    static std::vector<Set> sets;
    for (const std::string& name : setNames()) sets.push_back({name, makeSet(name)});
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
