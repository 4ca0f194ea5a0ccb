// Equation texts, the system as text, the solve driver, the light green sweep, automatic
// play and the probability window, against a recording engine.
#include <filesystem>
#include <fstream>
#include <functional>

#include "board_fixture.h"

namespace gravlin {
namespace {

class EquationTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        host.onModal = [this](Window& w) {
            if (auto* t = dynamic_cast<frmGleichungssystem*>(&w)) shown = t->Text1.text;
        };
    }
    EquationSystem& eq = program.equations;
    std::string shown = "<none>";  // the text of the last equation window shown
};

TEST_F(EquationTest, CellEquationsInBothNotations) {
    newGame(16, 12, 10);
    for (int x = 11; x <= 13; ++x)  // coordinates 10 and above, one unknown
        for (int y = 9; y <= 11; ++y) form.visible(x, y) = x != 13 || y != 11;
    form.rest_around(12, 10) = 0;
    EXPECT_EQ(eq.GenEquiString(12, 10, true), "a[ 13,11 ] = 0");
    EXPECT_EQ(eq.GenEquiString(12, 10, false), "1311=0");
    form.visible(13, 11) = true;  // no unknowns: no equation
    EXPECT_EQ(eq.GenEquiString(12, 10, true) + eq.GenEquiString(12, 10, false), "");

    form.visible(1, 1) = true;  // a corner; a stale negative count is written as it is
    form.rest_around(1, 1) = -1;
    EXPECT_EQ(eq.GenEquiString(1, 1, false), "0102+0201+0202=-1");
}

// The 4 x 3 field whose first column is open, each cell with one unmarked mine around it,
// as the three callers write it.
TEST_F(EquationTest, FourByThreeForAllThreeCallers) {
    setPosition({"o*..", "o...", "o*.."});
    for (int y = 1; y <= 3; ++y) form.rest_around(1, y) = 1;
    form.MinesLabel.caption = "002";
    const std::string cells =
        "a[ 02,01 ] + a[ 02,02 ] = 1,\r\n"
        "a[ 02,01 ] + a[ 02,02 ] + a[ 02,03 ] = 1,\r\n"
        "a[ 02,02 ] + a[ 02,03 ] = 1";
    const std::string total =
        "a[ 02,01 ] + a[ 02,02 ] + a[ 02,03 ] + a[ 03,01 ] + a[ 03,02 ] + a[ 03,03 ] + "
        "a[ 04,01 ] + a[ 04,02 ]";
    eq.Eqs_Click();
    EXPECT_EQ(shown, "linsolve ( {\r\n\r\n" + cells + "\r\n} )\r\n");
    eq.EqsGes_Click();
    EXPECT_EQ(shown,
              "linsolve ( {\r\n\r\n" + cells + ",\r\n\r\n" + total + "\r\n + a[ 04,03 ] = 2\r\n\r\n} )\r\n");

    eq.wahrscheinlichkeiten_Click();
    ASSERT_EQ(engine.count("QZcalcStoch "), 1);
    EXPECT_EQ(engine.calls.at(0),
              "QZcalcStoch " + cells + ",\r\n\r\n/*g*/" + total + " + a[ 04,03 ] = 2\r\n");
    EXPECT_EQ(engine.calls.at(1), "QZcalcStochEnd");
    EXPECT_EQ(host.modalShown.size(), 2u);
}

// The total sum's right-hand side is the remaining-mines label read from its first digit
// ("00-1" when more cells are marked than there are mines); a label that is no count gives
// way to the board's own count (here 2 mines, none marked).
TEST_F(EquationTest, TheTotalSumTakesTheRemainingMinesFromTheLabel) {
    const std::pair<const char*, const char*> cases[] = {{"120", " = 120"}, {"007", " = 7"}, {"000", " = 0"},
                                                         {"00-1", " = -1"}, {"", " = 2"},    {"0x2", " = 2"}};
    newGame(3, 3, 2);
    eq.Eqs_Click();
    EXPECT_EQ(shown, "") << "no cell equations before the first click";
    for (const auto& [label, rhs] : cases) {
        newGame(3, 3, 2);
        form.MinesLabel.caption = label;
        eq.EqsGes_Click();
        EXPECT_NE(shown.find(std::string(rhs) + "\r\n\r\n} )"), std::string::npos) << label << ": " << shown;
    }
}

TEST_F(EquationTest, AnEquationRepeatedRightAfterItselfIsWrittenOnce) {
    setPosition({"o.", "o.", "o.", "o.", "oo"});
    for (int y = 1; y <= 5; ++y) form.rest_around(1, y) = 1;
    for (int y : {1, 4}) form.visible(2, y) = form.marked(2, y) = true;
    eq.Eqs_Click();
    // (1,1): 0202; (1,2): 0202+0203; (1,3): the same again, once; (1,4): 0203; (1,5): none
    EXPECT_EQ(shown,
              "linsolve ( {\r\n\r\n"
              "a[ 02,02 ] = 1,\r\n"
              "a[ 02,02 ] + a[ 02,03 ] = 1,\r\n"
              "a[ 02,03 ] = 1\r\n"
              "} )\r\n");
}

// A position where the solve sends two cell equations; one open cell has no covered
// neighbour and sends nothing.
class SolveDriver : public EquationTest {
  protected:
    void SetUp() override {
        EquationTest::SetUp();
        setPosition({"ooo.", "ooo.", "oo*."});
        form.MinesLabel.caption = "001";
    }
};

TEST_F(SolveDriver, SendsTheEquationsColumnByColumnWithTheirTraceRecords) {
    engine.freeCodes = {401, 402};
    engine.mineCodes = {303};
    form.uncovered_count = 3;
    form.GlSolve_Click();
    std::vector<std::string> expected = {"QZNewSystem"};
    for (std::string e : {"0303=1", "0303=1", "0401+0402=0", "0303+0401+0402+0403=1"})
        expected.insert(expected.end(),
                        {"QZInterpreter " + e, "QZtrace kv.trace Vor Solve: " + e, "QZSolve"});
    expected.insert(expected.end(),
                    {"QZtrace kv.trace Nach Solve - Ohne Summe", "QZInterpreter 0303+0401+0402+0403=1",
                     "QZSolve", "QZtrace kv.trace Nach Solve - Mit Summe"});
    EXPECT_EQ(engine.calls, expected);
    EXPECT_EQ(host.focus.front(), "Dummy");
    EXPECT_EQ(cell(4, 1).backColor, 0x00C0FFC0u);
    EXPECT_EQ(cell(4, 1).tag + cell(4, 2).tag + cell(3, 3).tag, "110");
    EXPECT_EQ(cell(3, 3).backColor, 0x00C0C0FFu);
    EXPECT_EQ(form.green_found, 2);
    EXPECT_FALSE(form.marked(3, 3) || cell(3, 3).caption != " " || form.wahrscheinlichkeiten.enabled ||
                 form.busy);
    EXPECT_TRUE(host.modalShown.empty() && form.StartStop.picture == Form1::StartPict);
}

TEST_F(SolveDriver, OnlyMinesFoundEnablesProbabilitiesAndReportsOncePerBatch) {
    engine.mineCodes = {303};
    form.uncovered_count = 2;
    std::string notice;
    host.onModal = [&notice](Window& w) {
        auto& k = dynamic_cast<KeineLoesung&>(w);
        notice = k.caption + ": " + k.Text1.text;
    };
    form.GlSolve_Click();
    EXPECT_EQ(form.green_found + form.uncovered_count, 0);
    EXPECT_TRUE(form.wahrscheinlichkeiten.enabled);
    EXPECT_EQ(notice, "NICHT eindeutig lösbar: " + std::string(EquationSystem::kNotUniqueMessage));
    ASSERT_EQ(host.modalShown.size(), 1u);
    form.GlSolve_Click();  // nothing opened since: no second report
    EXPECT_EQ(host.modalShown.size(), 1u);
}

TEST_F(SolveDriver, AnEndedGameOnlyMovesTheFocus) {
    form.Spielende(false);
    form.GlSolve_Click();
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_EQ(host.focus, std::vector<std::string>{"Dummy"});
}

TEST_F(SolveDriver, AMissingEngineIsReportedOnceAndTheGameGoesOn) {
    engine.available = false;
    form.GlSolve_Click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("libgravlin.so.3"), std::string::npos);
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
    // Later commands end quietly, saying why in the status bar.
    eq.wahrscheinlichkeiten_Click();
    form.GlSolve_Click();
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(form.StatusBar1.text, "Löse lin. Gleichungssystem: nicht möglich, die Rechenbibliothek fehlt.");
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_TRUE(form.game_running && !form.busy);
}

TEST_F(EquationTest, TheSweepPassesByGreenCellsThatAnEarlierSolverRunOpened) {
    // (1,1) and (1,3) are light green; opening (1,1) (a zero) lets the solver open (1,3).
    setPosition({"...", "...", "...", "..*"});
    cell(1, 1).tag = "1";
    cell(1, 1).backColor = 0x00C0FFC0;
    cell(1, 3).tag = "1";
    form.green_found = 2;
    form.KlickGreen_Click();
    EXPECT_TRUE(form.visible(1, 3));
    EXPECT_EQ(cell(1, 3).tag, "0");
    EXPECT_EQ(cell(1, 1).backColor, kWhite);
    EXPECT_EQ(form.green_found, 0);
    // One solver run for (1,1): (1,3) was already open when the sweep reached it.
    EXPECT_EQ(form.cnt_prephase1, form.cnt_phase1);
    EXPECT_EQ(host.focus.front(), "Dummy");
}

// Mines in the top and bottom rows, every other column: single numbers decide nothing
// there. The engine names one more cell free after the check mark goes, during the sweep;
// the solve that ends that round finds it, but no further round starts.
TEST_F(EquationTest, AutomaticPlayStopsWhenItsCheckMarkIsRemoved) {
    std::vector<std::string> rows(9, ".........");
    rows.front() = rows.back() = "*.*.*.*.*";
    setPosition(rows);
    engine.freeCodes = {201};
    leftClick(5, 2);  // without automatic play a click runs no solve
    ASSERT_TRUE(engine.calls.empty());
    program.solver.Auto_solve_Click();
    host.onDoEvents = [&] {
        if (engine.count("QZNewSystem") == 0 || !form.Auto_solve.checked) return;
        program.solver.Auto_solve_Click();
        engine.freeCodes = {209};
    };
    leftClick(5, 5);
    EXPECT_FALSE(form.Auto_solve.checked);
    EXPECT_EQ(engine.count("QZNewSystem"), 2);
    EXPECT_FALSE(form.visible(2, 9)) << "no sweep after the check went";
}

// The window opens with the engine's text and disables its menu entry; a click keeps it,
// a solve, its OK button and a new game close it.
TEST_F(EquationTest, ProbabilityWindowLifecycle) {
    setPosition({"*.*.*", "o....", "o....", "o....", "*.*.*"});
    frmWahrscheinlichkeit& w = eq.probabilityWindow();
    const std::pair<const char*, std::function<void()>> closers[] = {
        {"solve", [&] { form.GlSolve_Click(); }},
        {"OK", [&] { w.OKButton_Click(); }},
        {"new game", [&] { form.NewGame_Click(); }},
    };
    for (const auto& [name, close] : closers) {
        SCOPED_TRACE(name);
        form.wahrscheinlichkeiten.enabled = true;
        eq.wahrscheinlichkeiten_Click();
        EXPECT_TRUE(w.loaded && !form.wahrscheinlichkeiten.enabled);
        EXPECT_EQ(w.Text1.text, engine.stochAnswer);
        leftClick(2, 3);
        EXPECT_TRUE(w.loaded);
        close();
        EXPECT_FALSE(w.loaded);
    }
    EXPECT_EQ(host.modelessShown.size(), 3u);
    EXPECT_EQ(w.Text1.font.name, "Courier New");
}

TEST(TraceFile, IsDeletedAtStartUpAndEveryNewGameAndMissingIsFine) {
    const auto dir = std::filesystem::temp_directory_path() / "gravlin-trace-test";
    std::filesystem::create_directories(dir);
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    std::ofstream("kv.trace") << "old record\r\n";
    testing::FakeHost host;
    testing::RecordingEngine engine;
    Program program(host, &engine);
    program.start();
    EXPECT_FALSE(std::filesystem::exists("kv.trace"));
    std::ofstream("kv.trace") << "record of this game\r\n";
    program.form.NewGame_Click();
    EXPECT_FALSE(std::filesystem::exists("kv.trace"));
    program.form.NewGame_Click();  // no file: nothing happens
    EXPECT_TRUE(host.messages.empty());
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace gravlin
