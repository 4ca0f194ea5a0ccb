#include "gravlin/equations/equation_system.h"

#include <filesystem>
#include <system_error>

#include "gravlin/game/int16.h"
#include "gravlin/game/work_scope.h"
#include "gravlin/text.h"

namespace gravlin {

namespace {
constexpr Color kLightGreen = 0x00C0FFC0;
constexpr Color kLightRed = 0x00C0C0FF;

std::string twoDigits(int v) {
    return (v < 10 && v >= 0 ? "0" : "") + std::to_string(v);
}
}  // namespace

const char* const EquationSystem::kNotUniqueMessage =
    "Leider ist das Minenfeld nicht eindeutig berechenbar.\r\n"
    "\r\n"
    "Sie können sich die Wahrscheinlichkeiten von Minen berechnen\r\n"
    "lassen unter dem Experten Menü (Exp.->Wahrscheinlichkeiten).\r\n"
    "Hier erhalten Sie auch einen Vorschlag, der aber unverbindlich ist!\r\n"
    "Entscheiden Sie selbst!\r\n"
    "\r\n"
    "Viel Glück - good luck";

EquationSystem::EquationSystem(Game& game, Engine& engine, Host& host, Window& mainWindow)
    : game_(game),
      engine_(engine),
      host_(host),
      mainWindow_(mainWindow),
      probability_(std::make_unique<frmWahrscheinlichkeit>(host, game)) {}

std::string EquationSystem::GenEquiString(std::int16_t n, std::int16_t m, bool mupad) const {
    const char* before = mupad ? "a[ " : "";
    const char* between = mupad ? "," : "";
    const char* after = mupad ? " ]" : "";
    const char* plus = mupad ? " + " : "+";
    const char* equals = mupad ? " = " : "=";
    std::string text;
    bool any = false;
    game_.forEachNeighbour(n, m, [&](int i, int j) {
        if (game_.visible(i, j)) return;
        if (any) text += plus;
        text += before + twoDigits(i) + between + twoDigits(j) + after;
        any = true;
    });
    if (any) text += equals + std::to_string(game_.rest_around(n, m));
    return text;
}

std::string EquationSystem::BuildEquationSystem(bool withTotal, bool forEngine) {
    const Game& f = game_;
    std::string T;
    std::string last;
    std::string separator;
    f.forEachCell([&](int x, int y) {
        if (!f.visible(x, y) || f.marked(x, y)) return;
        const std::string e = GenEquiString(x, y, true);
        if (!e.empty() && e != last) {
            last = e;
            T += separator + e;
            separator = std::string(",") + kCrLf;
        }
    });
    if (withTotal) {
        if (!T.empty()) T += std::string(",") + kCrLf + kCrLf;
        if (forEngine) T += "/*g*/";
        int counter = 0;
        std::string sep;
        bool any = false;
        f.forEachCell([&](int x, int y) {
            if (f.visible(x, y)) return;
            T += sep + "a[ " + twoDigits(x) + "," + twoDigits(y) + " ]";
            sep = " + ";
            any = true;
            if (++counter >= 8 && !forEngine) {
                T += kCrLf;
                counter = 0;
            }
        });
        if (any) T += " = " + std::to_string(f.remainingMines) + kCrLf;
    }
    if (!forEngine) {
        if (!T.empty()) T = std::string("linsolve ( {") + kCrLf + kCrLf + T + kCrLf + "} )" + kCrLf;
        frmGleichungssystem window(host_);
        window.Text1.text = T;
        host_.showModal(window, &mainWindow_);
    }
    return T;
}

bool EquationSystem::engineReady(const std::string& title) {
    if (engine_.ensureLoaded()) return true;
    // The library is looked for once per run, so it stays missing: the box says so once,
    // later commands (automatic play asks at every click) end with a line in the status bar.
    if (engineMissingReported_) {
        game_.status = title + ": nicht möglich, die Rechenbibliothek fehlt.";
        return false;
    }
    engineMissingReported_ = true;
    host_.messageBox(
        engine_.loadError() + "\r\nDiese Berechnung ist deshalb nicht möglich; das Spiel geht weiter.",
        MsgButtons::Ok, MsgIcon::Critical, title);
    return false;
}

void EquationSystem::GlSolve_Click() {
    Game& f = game_;
    host_.setFocus(mainWindow_, "Dummy");
    if (!f.game_running) return;
    if (!engineReady("Löse lin. Gleichungssystem")) return;
    UnloadProbabilityWindow();
    std::int32_t r = -1;
    bool found = false;
    {
        const WorkScope run(f, host_, WorkScope::Shows::WorkingFace);
        engine_.QZNewSystem();
        f.forEachCell([&](int x, int y) {
            if (!f.visible(x, y) || f.marked(x, y)) return;
            const std::string e = GenEquiString(x, y, false);
            if (e.empty()) return;
            engine_.QZInterpreter(e);
            engine_.QZtrace(kTraceFile, "Vor Solve: " + e);
            engine_.QZSolve();
        });
        engine_.QZtrace(kTraceFile, "Nach Solve - Ohne Summe");
        std::string total;
        f.forEachCell([&](int x, int y) {
            if (f.visible(x, y)) return;
            if (!total.empty()) total += "+";
            total += twoDigits(x) + twoDigits(y);
        });
        if (!total.empty()) total += "=" + std::to_string(f.remainingMines);
        engine_.QZInterpreter(total);
        engine_.QZSolve();
        engine_.QZtrace(kTraceFile, "Nach Solve - Mit Summe");
        r = engine_.QZGetNextFree(-1);
        found = ShowSolveResults();
    }
    if (!found) f.probabilitiesOffered = true;
    if (r < 0 && f.uncovered_count > 0) {
        KeineLoesung notice(host_);
        notice.Text1.text = kNotUniqueMessage;
        host_.showModal(notice, &mainWindow_);
        f.uncovered_count = 0;
    }
}

bool EquationSystem::ShowSolveResults() {
    Game& f = game_;
    f.green_found = 0;
    bool result = false;
    // The engine names covered cells of this board. A code that names none is passed over
    // and not counted: counted, it would keep automatic play going round without end.
    auto coveredCell = [&f](std::int32_t code) -> bool {
        const int x = code / 100;
        const int y = code % 100;
        return x >= 1 && x <= f.x_game && y >= 1 && y <= f.y_game && !f.visible(x, y);
    };
    // Each list ascends and ends with a negative code; a list that did not ascend would not end.
    std::int32_t code = engine_.QZGetNextFree(-1);
    for (std::int32_t previous = -1; code >= 0 && code > previous;
         previous = code, code = engine_.QZGetNextFree(code)) {
        if (!coveredCell(code)) continue;
        f.look(code / 100, code % 100).color = kLightGreen;
        f.provenFree(code / 100, code % 100) = true;
        add16(f.green_found, 1);
        result = true;
    }
    code = engine_.QZGetNextMine(-1);
    for (std::int32_t previous = -1; code >= 0 && code > previous;
         previous = code, code = engine_.QZGetNextMine(code)) {
        if (!coveredCell(code)) continue;
        f.look(code / 100, code % 100).color = kLightRed;
        f.provenFree(code / 100, code % 100) = false;
    }
    return result;
}

void EquationSystem::wahrscheinlichkeiten_Click() {
    if (!engineReady("Wahrscheinlichkeiten")) return;
    std::string result;
    {
        const WorkScope run(game_, host_, WorkScope::Shows::WorkingFace);
        const std::string text = BuildEquationSystem(true, true);
        // Without a single unknown (every cell open or marked) the text is only the marker
        // of the total sum; there is nothing to compute.
        if (text.find("a[") == std::string::npos) return;
        result = engine_.QZcalcStoch(text);
        engine_.QZcalcStochEnd();
    }
    frmWahrscheinlichkeit& w = *probability_;
    w.Text1.text = result;
    if (!w.loaded) w.Form_Load();
    host_.showModeless(w);
}

void EquationSystem::UnloadProbabilityWindow() {
    if (probability_->loaded) host_.closeWindow(*probability_);
}

void EquationSystem::DeleteTraceFile() {
    // Any failure (no such file, in use, no permission) is ignored.
    std::error_code ec;
    if (std::filesystem::is_regular_file(kTraceFile, ec)) std::filesystem::remove(kTraceFile, ec);
}

}  // namespace gravlin
