// Whole games as the program lets a person play them: the first click on the top left
// corner, automatic play on, and wherever automatic play stops with the game still running,
// the cell the probability window suggests is opened; until the game is won or lost.
//
// Three players on the same layouts (the same seeds): the engine's suggestion as the
// program shows it, the rule it replaced (previous_suggestion.h), and the lowest mine
// probability (among equals a cell that some cell equation names); the last two computed
// on the same equation text the program hands the engine. Each share comes with its 95 %
// interval, and the difference between the engine's rule and the previous one with the
// interval of the paired difference: on identical games much of the noise cancels.
//
// The corner is the first click because a corner has only three neighbours: on the expert
// board it opens a region about half the time, an inner cell only one time in six, and the
// games won follow (measured with the best-chance player, 5,000 expert games each: corner
// 41.9 %, (2, 2) 39.0 %, (3, 3) 35.5 %, the middle of the left edge 38.2 %).
//
// GRAVLIN_WIN_RATE_SCALE scales the games per board (0.05 for a quick look),
// GRAVLIN_WIN_RATE_FIRST_SEED moves the seeds (1 by default): try ideas on other seeds than
// the ones the final figures come from.
#include "win_rate.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis.h"
#include "equation.h"
#include "gravlin/equations/engine.h"
#include "played_program.h"
#include "prepare.h"
#include "previous_suggestion.h"
#include "report.h"

namespace gravlin::bench {
namespace {

using Clock = std::chrono::steady_clock;

enum class Player { Engine, Previous, Safest };
constexpr std::array kPlayers{Player::Engine, Player::Previous, Player::Safest};
constexpr const char* kPlayerNames[] = {"engine", "previous", "safest"};

struct Board {
    const char* name;
    void (Flow::*choose)();
    std::uint64_t games;
};

struct GameResult {
    bool won = false;
    int guesses = 0;
    double ms = 0;
    bool noSuggestion = false;
};

// "Vorschlag: a[ xx,yy ]" anywhere in the text, as (x, y).
std::optional<std::pair<int, int>> suggestedCell(const std::string& text) {
    const std::string tag = "Vorschlag: a[ ";
    const size_t at = text.find(tag);
    if (at == std::string::npos || at + tag.size() + 5 > text.size()) return std::nullopt;
    const char* p = text.c_str() + at + tag.size();
    const int x = (p[0] - '0') * 10 + (p[1] - '0');
    const int y = (p[3] - '0') * 10 + (p[4] - '0');
    return std::make_pair(x, y);
}

std::optional<std::pair<int, int>> previousRule(const std::string& text) {
    std::vector<engine::Equation> equations;
    if (engine::parseDisplaySystem(text, equations) != engine::ParseResult::Ok) return std::nullopt;
    const engine::IndexedSystem system(equations);
    const auto at = previousSuggestion(system, engine::analyseProbabilities(system));
    if (!at) return std::nullopt;
    const std::int32_t code = system.codes()[*at];
    return std::make_pair(code / 100, code % 100);
}

class GuessingPlayer {
  public:
    explicit GuessingPlayer(Player player) : player_(player) {}

    GameResult play(const Board& board, std::uint64_t seed) {
        Game& f = played_.newGame(board.choose, seed);
        GameResult r;
        const auto start = Clock::now();
        click(1, 1);
        while (f.game_running) {
            const auto cell = suggestion();
            if (!cell) {
                r.noSuggestion = true;
                break;
            }
            ++r.guesses;
            click(cell->first, cell->second);
        }
        r.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        r.won = !f.game_running && f.face == Face::Won;
        return r;
    }

  private:
    void click(int x, int y) {
        Game& f = played_.program.game;
        played_.program.flow.Command1_MouseDown(
            f.GetLinear(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)), Form1::LeftButton, 0, 0,
            0);
    }

    // The engine's rule as the menu entry computes and shows it; the others read the same
    // equation text.
    std::optional<std::pair<int, int>> suggestion() {
        EquationSystem& eq = played_.program.equations;
        if (player_ == Player::Engine) {
            eq.wahrscheinlichkeiten_Click();
            return suggestedCell(eq.probabilityWindow().Text1.text);
        }
        const std::string text = eq.BuildEquationSystem(true, true);
        if (player_ == Player::Previous) return previousRule(text);
        return suggestedCell(engine::probabilityReport(text, engine::SuggestionRule::Safest));
    }

    Player player_;
    PlayedProgram played_;
};

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(q * static_cast<double>(v.size() - 1))];
}

double environment(const char* name, double fallback) {
    const char* s = std::getenv(name);
    return s ? std::atof(s) : fallback;
}

// Games per board scaled by GRAVLIN_WIN_RATE_SCALE.
std::uint64_t scaled(std::uint64_t games) {
    const double scale = environment("GRAVLIN_WIN_RATE_SCALE", 1.0);
    return std::max<std::uint64_t>(1, static_cast<std::uint64_t>(static_cast<double>(games) * scale));
}

constexpr double kZ = 1.959964;  // 95 %

// Wilson's interval for a share.
std::pair<double, double> shareInterval(double rate, double n) {
    const double centre = (rate + kZ * kZ / (2 * n)) / (1 + kZ * kZ / n);
    const double half = kZ / (1 + kZ * kZ / n) * std::sqrt(rate * (1 - rate) / n + kZ * kZ / (4 * n * n));
    return {centre - half, centre + half};
}

struct Tally {
    std::vector<char> won;  // per game
    long guesses = 0, unsuggested = 0;
    std::vector<double> ms;
};

double mean(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return sum / static_cast<double>(v.size());
}

// Also printed as a line of the table: the counters of one benchmark make a long line.
void reportPlayer(benchmark::State& state, const std::string& name, const Tally& t) {
    const double n = static_cast<double>(t.won.size());
    const double rate = static_cast<double>(std::count(t.won.begin(), t.won.end(), 1)) / n;
    const auto [lo, hi] = shareInterval(rate, n);
    std::printf("  %-9s won %6.2f %% [%6.2f, %6.2f]  guesses %.3f  ms a game: mean %.2f median %.2f max %.1f\n",
                name.c_str(), 100 * rate, 100 * lo, 100 * hi, static_cast<double>(t.guesses) / n, mean(t.ms),
                quantile(t.ms, 0.5), *std::max_element(t.ms.begin(), t.ms.end()));
    state.counters[name + "_won_pct"] = 100 * rate;
    state.counters[name + "_ci95_lo_pct"] = 100 * lo;
    state.counters[name + "_ci95_hi_pct"] = 100 * hi;
    state.counters[name + "_guesses"] = static_cast<double>(t.guesses) / n;
    state.counters[name + "_median_ms"] = quantile(t.ms, 0.5);
    state.counters[name + "_mean_ms"] = mean(t.ms);
    state.counters[name + "_max_ms"] = *std::max_element(t.ms.begin(), t.ms.end());
}

// The mean of a's wins minus b's over the same games, with the normal interval of the
// paired difference.
void reportDifference(benchmark::State& state, const std::string& name, const Tally& a, const Tally& b) {
    const double n = static_cast<double>(a.won.size());
    double sum = 0, squares = 0;
    for (size_t i = 0; i < a.won.size(); ++i) {
        const double d = a.won[i] - b.won[i];
        sum += d;
        squares += d * d;
    }
    const double average = sum / n;
    const double half = kZ * std::sqrt((squares / n - average * average) / (n - 1));
    std::printf("  %-22s %+6.2f points [%+6.2f, %+6.2f]\n", name.c_str(), 100 * average, 100 * (average - half),
                100 * (average + half));
    state.counters[name + "_pct"] = 100 * average;
    state.counters[name + "_ci95_lo_pct"] = 100 * (average - half);
    state.counters[name + "_ci95_hi_pct"] = 100 * (average + half);
}

void BM_WinRate(benchmark::State& state, const Board& board) {
    std::vector<std::unique_ptr<GuessingPlayer>> players;
    for (Player p : kPlayers) players.push_back(std::make_unique<GuessingPlayer>(p));
    const std::uint64_t games = scaled(board.games);
    const auto first = static_cast<std::uint64_t>(environment("GRAVLIN_WIN_RATE_FIRST_SEED", 1));
    std::vector<Tally> tallies(kPlayers.size());
    for (auto _ : state) {
        tallies.assign(kPlayers.size(), Tally{});
        for (std::uint64_t seed = first; seed < first + games; ++seed)
            for (size_t p = 0; p < players.size(); ++p) {
                const GameResult r = players[p]->play(board, seed);
                tallies[p].won.push_back(r.won);
                tallies[p].guesses += r.guesses;
                tallies[p].unsuggested += r.noSuggestion;
                tallies[p].ms.push_back(r.ms);
            }
    }
    state.counters["games"] = static_cast<double>(games);
    std::printf("%s, %llu games from seed %llu:\n", board.name, static_cast<unsigned long long>(games),
                static_cast<unsigned long long>(first));
    for (size_t p = 0; p < kPlayers.size(); ++p) reportPlayer(state, kPlayerNames[p], tallies[p]);
    reportDifference(state, "engine_minus_previous", tallies[0], tallies[1]);
    reportDifference(state, "engine_minus_safest", tallies[0], tallies[2]);
    std::fflush(stdout);
    for (const Tally& t : tallies)
        if (t.unsuggested > 0) state.SkipWithError("the probability text named no cell while the game ran");
}

}  // namespace

void registerWinRates() {
    static const Board boards[] = {
        {"9x9/10", &Flow::Anfänger_Click, 10'000},
        {"16x16/40", &Flow::Fortgeschrittene_Click, 10'000},
        {"30x16/99", &Flow::Profis_Click, 40'000},
    };
    for (const Board& b : boards)
        benchmark::RegisterBenchmark((std::string("BM_WinRate/") + b.name).c_str(),
                                     [&b](benchmark::State& s) { BM_WinRate(s, b); })
            ->Iterations(1)
            ->Repetitions(1)
            ->Unit(benchmark::kSecond);
}

}  // namespace gravlin::bench
