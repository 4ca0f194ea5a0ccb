// Equation texts, the system as text, the solve driver, automatic play and the probability
// window, against a recording engine.
#include <functional>

#include "board_fixture.h"
#include "storage_test_support.h"

namespace gravlin {
namespace {

// The equations on the game alone, with a fake host, a recording engine and a bare main window.
class EquationTest : public GameModelTest {
  protected:
    void SetUp() override {
        host.onModal = [this](Window& w) {
            if (auto* t = dynamic_cast<frmGleichungssystem*>(&w)) shown = t->Text1.text;
        };
    }
    testing::FakeHost host;
    testing::RecordingEngine engine;
    Window mainWindow;
    EquationSystem eq{game, engine, host, mainWindow};
    std::string shown = "<none>";  // the text of the last equation window shown
};

TEST_F(EquationTest, CellEquationsInBothNotations) {
    newGame(16, 12, 10);
    eq.Eqs_Click();
    EXPECT_EQ(shown, "") << "no cell equations before the first click";
    for (int x = 10; x <= 12; ++x)  // coordinates either side of 10, one unknown
        for (int y = 9; y <= 11; ++y) game.visible(x, y) = x != 10 || y != 9;
    game.rest_around(11, 10) = 0;
    EXPECT_EQ(eq.GenEquiString(11, 10, true), "a[ 10,09 ] = 0");
    EXPECT_EQ(eq.GenEquiString(11, 10, false), "1009=0");
    game.visible(10, 9) = true;  // no unknowns: no equation
    EXPECT_EQ(eq.GenEquiString(11, 10, true) + eq.GenEquiString(11, 10, false), "");
    game.visible(1, 1) = true;  // a corner; a stale negative count is written as it is
    game.rest_around(1, 1) = -1;
    EXPECT_EQ(eq.GenEquiString(1, 1, false), "0102+0201+0202=-1");
}

// The 4 x 3 field whose first column is open, each cell with one unmarked mine around it,
// as the three callers write it. The total sum's right-hand side is the remaining mines as
// last counted (negative when more cells are marked than there are mines), not a fresh count.
TEST_F(EquationTest, FourByThreeForAllThreeCallers) {
    setPosition({"o*..", "o...", "o*.."});
    for (int y = 1; y <= 3; ++y) game.rest_around(1, y) = 1;
    game.remainingMines = 2;
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
    EXPECT_EQ(engine.calls, (std::vector<std::string>{
                                "QZcalcStoch " + cells + ",\r\n\r\n/*g*/" + total + " + a[ 04,03 ] = 2\r\n",
                                "QZcalcStochEnd"}));
    game.remainingMines = -1;
    eq.EqsGes_Click();
    EXPECT_NE(shown.find(" + a[ 04,03 ] = -1\r\n\r\n} )"), std::string::npos) << shown;
}

TEST_F(EquationTest, AnEquationRepeatedRightAfterItselfIsWrittenOnce) {
    setPosition({"o.", "o.", "o.", "o.", "oo"});
    for (int y = 1; y <= 5; ++y) game.rest_around(1, y) = 1;
    for (int y : {1, 4}) game.visible(2, y) = game.marked(2, y) = true;
    eq.Eqs_Click();
    // (1,1): 0202; (1,2): 0202+0203; (1,3): the same again, once; (1,4): 0203; (1,5): none
    EXPECT_EQ(
        shown,
        "linsolve ( {\r\n\r\na[ 02,02 ] = 1,\r\na[ 02,02 ] + a[ 02,03 ] = 1,\r\na[ 02,03 ] = 1\r\n} )\r\n");
}

// A position where the solve sends two cell equations; one open cell has no covered
// neighbour and sends nothing.
class SolveDriver : public EquationTest {
  protected:
    void SetUp() override {
        EquationTest::SetUp();
        setPosition({"ooo.", "ooo.", "oo*."});
        game.PrintRestMinen();
    }
};

TEST_F(SolveDriver, SendsTheEquationsColumnByColumnWithTheirTraceRecords) {
    engine.freeCodes = {401, 402};
    engine.mineCodes = {303};
    game.uncovered_count = 3;
    eq.GlSolve_Click();
    std::vector<std::string> expected = {"QZNewSystem"};
    for (std::string e : {"0303=1", "0303=1", "0401+0402=0", "0303+0401+0402+0403=1"})
        expected.insert(expected.end(),
                        {"QZInterpreter " + e, "QZtrace kv.trace Vor Solve: " + e, "QZSolve"});
    expected.insert(expected.end(),
                    {"QZtrace kv.trace Nach Solve - Ohne Summe", "QZInterpreter 0303+0401+0402+0403=1",
                     "QZSolve", "QZtrace kv.trace Nach Solve - Mit Summe"});
    EXPECT_EQ(engine.calls, expected);
    EXPECT_TRUE(game.look(4, 1).color == 0x00C0FFC0u && game.look(4, 2).color == 0x00C0FFC0u);
    EXPECT_TRUE(game.provenFree(4, 1) && game.provenFree(4, 2) && !game.provenFree(3, 3));
    EXPECT_EQ(game.look(3, 3), (CellLook{CellLook::Caption::Covered, 0x00C0C0FFu, true}));
    EXPECT_EQ(game.green_found, 2);
    EXPECT_FALSE(game.marked(3, 3) || game.probabilitiesOffered || game.busy || !host.modalShown.empty());
    EXPECT_EQ(host.pointerChanges, (std::vector<bool>{true, false}));
}

// A mine the solve names after a free cell it proved before loses its light green: the
// engine's later word counts. Codes that name no covered cell of the board are passed over.
// With no free cell named at all the notice shows, once per batch of opened cells.
TEST_F(SolveDriver, OnlyMinesFoundEnablesProbabilitiesAndReportsOncePerBatch) {
    game.provenFree(4, 3) = true;
    engine.freeCodes = {0, 99, 302, 501, 1203};
    engine.mineCodes = {403, 3099};
    game.uncovered_count = 2;
    std::string notice;
    host.onModal = [&notice](Window& w) {
        auto& k = dynamic_cast<KeineLoesung&>(w);
        notice = k.caption + ": " + k.Text1.text;
    };
    eq.GlSolve_Click();
    EXPECT_EQ(game.green_found, 0) << "no code named a covered cell";
    EXPECT_FALSE(game.provenFree(4, 3));
    EXPECT_EQ(game.look(4, 3).color, 0x00C0C0FFu);
    EXPECT_EQ(game.look(3, 2).color, kWhite) << "an open cell keeps its look";
    EXPECT_TRUE(game.probabilitiesOffered && notice.empty());
    engine.freeCodes.clear();
    eq.GlSolve_Click();
    EXPECT_EQ(notice, "NICHT eindeutig lösbar: " + std::string(EquationSystem::kNotUniqueMessage));
    eq.GlSolve_Click();  // nothing opened since: no second report
    EXPECT_EQ(host.modalShown.size(), 1u);
}

// An ended game only moves the focus. A missing engine is reported once; later commands end
// quietly, saying why in the status bar, and the game goes on.
TEST_F(SolveDriver, AnEndedGameOrAMissingEngineSendsNothing) {
    game.Spielende(false);
    eq.GlSolve_Click();
    EXPECT_EQ(host.focus, std::vector<std::string>{"Dummy"});
    setPosition({"ooo.", "ooo.", "oo*."});
    engine.available = false;
    eq.GlSolve_Click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("libgravlin.so.3"), std::string::npos);
    eq.wahrscheinlichkeiten_Click();
    EXPECT_EQ(game.status, "Wahrscheinlichkeiten: nicht möglich, die Rechenbibliothek fehlt.");
    eq.GlSolve_Click();
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(game.status, "Löse lin. Gleichungssystem: nicht möglich, die Rechenbibliothek fehlt.");
    EXPECT_TRUE(engine.calls.empty() && game.game_running && !game.busy);
}

// Mines in the top and bottom rows, every other column: single numbers decide nothing
// there. The engine names one more cell free after automatic play is switched off, during
// the sweep; the solve that ends that round finds it, but no further round starts.
TEST_F(GameTest, AutomaticPlayStopsWhenSwitchedOff) {
    std::vector<std::string> rows(9, ".........");
    rows.front() = rows.back() = "*.*.*.*.*";
    setPosition(rows);
    engine.freeCodes = {201};
    leftClick(5, 2);  // without automatic play a click runs no solve
    ASSERT_TRUE(engine.calls.empty());
    form.Auto_solve_Click();
    host.onDoEvents = [&] {
        if (engine.count("QZNewSystem") == 0 || !game.autoPlay) return;
        form.Auto_solve_Click();
        engine.freeCodes = {209};
    };
    leftClick(5, 5);
    EXPECT_FALSE(game.autoPlay || form.Auto_solve.checked);
    EXPECT_EQ(engine.count("QZNewSystem"), 2);
    EXPECT_FALSE(game.visible(2, 9)) << "no sweep after it was switched off";
}

// The window opens with the engine's text and takes back its menu entry; a click keeps it,
// a solve, its OK button and a new game close it. Without a single unknown there is nothing
// to compute: the engine is not asked, no window opens and the entry stays as it was.
TEST_F(GameTest, ProbabilityWindowLifecycle) {
    setPosition({"*.*.*", "o....", "o....", "o....", "*.*.*"});
    frmWahrscheinlichkeit& w = program.equations.probabilityWindow();
    const std::pair<const char*, std::function<void()>> closers[] = {
        {"solve", [&] { form.GlSolve_Click(); }},
        {"OK", [&] { w.OKButton_Click(); }},
        {"new game", [&] { form.NewGame_Click(); }},
    };
    for (const auto& [name, close] : closers) {
        SCOPED_TRACE(name);
        game.probabilitiesOffered = true;
        form.wahrscheinlichkeiten_Click();
        EXPECT_TRUE(w.loaded && !game.probabilitiesOffered && !form.wahrscheinlichkeiten.enabled);
        EXPECT_EQ(w.Text1.text, engine.stochAnswer);
        leftClick(2, 3);
        EXPECT_TRUE(w.loaded);
        close();
        EXPECT_FALSE(w.loaded);
    }
    setPosition({"ooo", "oMo", "ooo"});
    engine.calls.clear();
    game.probabilitiesOffered = true;
    form.wahrscheinlichkeiten_Click();
    EXPECT_TRUE(engine.calls.empty() && !w.loaded);
    EXPECT_TRUE(game.probabilitiesOffered && form.wahrscheinlichkeiten.enabled);
}

TEST(TraceFile, IsDeletedAtStartUpAndEveryNewGameAndMissingIsFine) {
    const testing::TempFolder dir;
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir.path);
    testing::FakeHost host;
    testing::RecordingEngine engine;
    Program program(host, &engine);
    for (const bool level : {false, true}) {
        std::ofstream("kv.trace") << "record\r\n";
        level ? program.form.Profis_Click() : program.start();  // a level starts a new game too
        EXPECT_FALSE(std::filesystem::exists("kv.trace"));
    }
    program.form.NewGame_Click();  // no file: nothing happens
    EXPECT_TRUE(host.messages.empty());
    std::filesystem::current_path(old);
}

}  // namespace
}  // namespace gravlin
