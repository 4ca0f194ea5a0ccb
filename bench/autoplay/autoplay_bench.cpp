// Automatic play without a view: 200 games per board from one click in the middle, with the
// real engine library bound as the program binds it. Reports the share of games that
// automatic play wins on its own and the time per game, from the click until play stops.
//
// BM_StopCheck plays these and more games and, wherever automatic play stopped with the
// game still running, holds the engine's answer against an enumeration of every placement
// of the remaining mines: no covered cell may be provably free, and the engine's mines must be
// exactly the provable ones. Then no player who never guesses can get further than
// automatic play, and the won share is the best such a player can reach.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "played_program.h"
#include "stop_check.h"
#include "win_rate.h"

namespace {

using Clock = std::chrono::steady_clock;
using gravlin::Flow;
using gravlin::Form1;

constexpr std::uint64_t kGames = 200;
// The check is cheap; more games give it more positions where an opening came to a halt.
constexpr std::uint64_t kCheckGames = 1000;

struct Board {
    const char* name;
    void (Flow::*choose)();
};

const Board kBeginner{"9x9/10", &Flow::Anfänger_Click};
const Board kIntermediate{"16x16/40", &Flow::Fortgeschrittene_Click};
const Board kExpert{"30x16/99", &Flow::Profis_Click};

enum class Outcome { Won, Lost, Stopped };

struct Game {
    Outcome outcome;
    double ms;
    bool opening;  // the click hit a cell without mines around, so it opened a region
};

class AutoPlayer {
  public:
    Game play(const Board& board, std::uint64_t seed) {
        gravlin::Game& f = played.newGame(board.choose, seed);
        const auto mx = static_cast<std::int16_t>((f.x_game + 1) / 2),
                   my = static_cast<std::int16_t>((f.y_game + 1) / 2);
        const std::int16_t middle = f.GetLinear(mx, my);
        const auto start = Clock::now();
        played.program.flow.Command1_MouseDown(middle, Form1::LeftButton, 0, 0, 0);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        const Outcome outcome = f.game_running                 ? Outcome::Stopped
                                : f.face == gravlin::Face::Won ? Outcome::Won
                                                               : Outcome::Lost;
        return {outcome, ms, f.mines_around(mx, my) == 0};
    }

    gravlin::bench::PlayedProgram played;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void BM_AutoPlay(benchmark::State& state, const Board& board) {
    AutoPlayer player;
    std::vector<double> times, openingTimes, wonTimes;
    int won = 0, lost = 0;
    for (auto _ : state) {
        times.clear();
        openingTimes.clear();
        wonTimes.clear();
        won = lost = 0;
        double total = 0;
        for (std::uint64_t seed = 1; seed <= kGames; ++seed) {
            const Game g = player.play(board, seed);
            times.push_back(g.ms);
            if (g.opening) openingTimes.push_back(g.ms);
            if (g.outcome == Outcome::Won) wonTimes.push_back(g.ms);
            total += g.ms;
            won += g.outcome == Outcome::Won;
            lost += g.outcome == Outcome::Lost;
        }
        state.SetIterationTime(total / 1000);
    }
    const double games = static_cast<double>(times.size());
    state.counters["games"] = games;
    state.counters["won_share"] = won / games;
    // Automatic play only opens cells it has proven free: a lost game is a fault.
    state.counters["lost"] = lost;
    state.counters["median_ms"] = median(times);
    state.counters["max_ms"] = *std::max_element(times.begin(), times.end());
    // A click on a number mostly stops at once; these games are where automatic play works.
    state.counters["opening_share"] = static_cast<double>(openingTimes.size()) / games;
    state.counters["median_ms_opening"] = openingTimes.empty() ? 0 : median(openingTimes);
    state.counters["median_ms_won"] = wonTimes.empty() ? 0 : median(wonTimes);
    if (lost > 0) state.SkipWithError("automatic play opened a mine");
}

std::vector<std::int32_t> engineList(gravlin::Engine& e, bool mines) {
    std::vector<std::int32_t> codes;
    for (std::int32_t c = -1;;) {
        const std::int32_t next = mines ? e.QZGetNextMine(c) : e.QZGetNextFree(c);
        if (next < 0 || next <= c) break;
        codes.push_back(next);
        c = next;
    }
    return codes;
}

std::string listCodes(const std::vector<std::int32_t>& codes) {
    std::string s;
    for (std::int32_t c : codes) s += (s.empty() ? "" : " ") + std::to_string(c);
    return s.empty() ? "-" : s;
}

std::vector<std::int32_t> without(const std::vector<std::int32_t>& a, const std::vector<std::int32_t>& b) {
    std::vector<std::int32_t> r;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(r));
    return r;
}

void BM_StopCheck(benchmark::State& state, const Board& board) {
    AutoPlayer player;
    gravlin::Game& f = player.played.program.game;
    int stopped = 0, checked = 0, checkedSmall = 0, checkedOpening = 0, tooLarge = 0, mismatches = 0,
        faults = 0, largestChecked = 0;
    long long leaves = 0, provableMines = 0;
    for (auto _ : state) {
        stopped = checked = checkedSmall = checkedOpening = tooLarge = mismatches = faults = largestChecked =
            0;
        leaves = provableMines = 0;
        for (std::uint64_t seed = 1; seed <= kCheckGames; ++seed) {
            const Game game = player.play(board, seed);
            if (game.outcome == Outcome::Lost) {
                ++faults;
                std::fprintf(stderr, "%s seed %llu: automatic play opened a mine\n", board.name,
                             static_cast<unsigned long long>(seed));
            }
            if (game.outcome != Outcome::Stopped) continue;
            ++stopped;
            // A further solve of the stopped position, and the engine's lists as it left them.
            f.uncovered_count = 0;
            player.played.program.equations.GlSolve_Click();
            const std::int16_t greenAfter = f.green_found;
            const auto engineFree = engineList(player.played.engine, false);
            const auto engineMines = engineList(player.played.engine, true);

            const gravlin::bench::Determination d = gravlin::bench::determine(f);
            const std::string where = std::string(board.name) + " seed " + std::to_string(seed) + ": ";
            if (d.status == gravlin::bench::Determination::Status::TooLarge) {
                ++tooLarge;
                if (!engineFree.empty() || greenAfter != 0) {
                    ++mismatches;
                    std::fprintf(stderr, "%sstopped, yet the engine lists free cells %s\n", where.c_str(),
                                 listCodes(engineFree).c_str());
                }
                continue;
            }
            if (d.status == gravlin::bench::Determination::Status::Inconsistent) {
                ++faults;
                std::fprintf(stderr, "%sboard does not add up: %s\n", where.c_str(), d.problem.c_str());
                continue;
            }
            ++checked;
            checkedSmall += d.frontier <= 24;
            checkedOpening += game.opening;
            largestChecked = std::max(largestChecked, d.largestGroup);
            leaves += d.leaves;
            provableMines += static_cast<long long>(d.mines.size());
            // The enumeration against the hidden layout, so that a fault in it cannot pass
            // for agreement.
            for (std::int32_t c : d.free)
                if (f.is_mine(c / 100, c % 100)) {
                    ++faults;
                    std::fprintf(stderr, "%senumeration calls the mine %d free\n", where.c_str(), c);
                }
            for (std::int32_t c : d.mines)
                if (!f.is_mine(c / 100, c % 100)) {
                    ++faults;
                    std::fprintf(stderr, "%senumeration calls the free cell %d a mine\n", where.c_str(), c);
                }
            if (engineFree != d.free || engineMines != d.mines || greenAfter != 0) {
                ++mismatches;
                std::fprintf(stderr,
                             "%sMISMATCH (frontier %d, covered %d)\n  free:  engine %s | provable %s\n"
                             "  mines: engine missed %s | engine extra %s\n",
                             where.c_str(), d.frontier, d.covered, listCodes(engineFree).c_str(),
                             listCodes(d.free).c_str(), listCodes(without(d.mines, engineMines)).c_str(),
                             listCodes(without(engineMines, d.mines)).c_str());
            }
        }
    }
    state.counters["games"] = static_cast<double>(kCheckGames);
    state.counters["stopped"] = stopped;
    state.counters["checked"] = checked;
    state.counters["checked_frontier_le24"] = checkedSmall;
    state.counters["checked_after_opening"] = checkedOpening;
    state.counters["too_large"] = tooLarge;
    state.counters["largest_group"] = largestChecked;
    state.counters["placements"] = static_cast<double>(leaves);
    state.counters["provable_mines"] = static_cast<double>(provableMines);
    state.counters["mismatches"] = mismatches;
    state.counters["check_faults"] = faults;
    if (mismatches > 0)
        state.SkipWithError("the engine's answer differs from the enumeration");
    else if (faults > 0)
        state.SkipWithError("a game was lost or a stopped position does not add up");
}

void registerBoard(const Board& b) {
    benchmark::RegisterBenchmark((std::string("BM_AutoPlay/") + b.name).c_str(), BM_AutoPlay, b)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

void registerCheck(const Board& b) {
    // The games are the same in every run: one check is enough.
    benchmark::RegisterBenchmark((std::string("BM_StopCheck/") + b.name).c_str(), BM_StopCheck, b)
        ->Iterations(1)
        ->Repetitions(1)
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    // Every solve appends to the trace file in the working folder; keep it out of the caller's.
    namespace fs = std::filesystem;
    const fs::path work =
        fs::temp_directory_path() / ("gravlin-bench-autoplay-" + std::to_string(::getpid()));
    fs::create_directories(work);
    const fs::path caller = fs::current_path();
    // A report file named on the command line stays where the caller meant it.
    std::vector<std::string> args(argv, argv + argc);
    const std::string outFlag = "--benchmark_out=";
    for (std::string& a : args)
        if (a.rfind(outFlag, 0) == 0) a = outFlag + fs::absolute(a.substr(outFlag.size())).string();
    std::vector<char*> argvAbsolute;
    for (std::string& a : args) argvAbsolute.push_back(a.data());
    argv = argvAbsolute.data();
    fs::current_path(work);

    for (const Board* b : {&kBeginner, &kIntermediate, &kExpert}) registerBoard(*b);
    for (const Board* b : {&kBeginner, &kIntermediate, &kExpert}) registerCheck(*b);
    gravlin::bench::registerWinRates();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    fs::current_path(caller);
    std::error_code ec;
    fs::remove_all(work, ec);
    return 0;
}
