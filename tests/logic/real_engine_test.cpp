// The real engine library, bound at run time as the program does: from where it belongs and
// never from the working folder, and playing a game automatically.
#include <cstdlib>

#include "board_fixture.h"
#include "gravlin/equations/dynamic_engine.h"
#include "storage_test_support.h"

namespace gravlin {
namespace {

TEST(EngineBinding, ALibraryPlantedInTheWorkingFolderIsNotLoaded) {
    const testing::TempFolder work;
    std::filesystem::copy_file(GRAVLIN_PLANTED_LIBRARY, work.file(DynamicEngine::libraryName()));
    const std::string marker = work.file("loaded");
    ::setenv("GRAVLIN_PLANTED_MARKER", marker.c_str(), 1);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(work.path);
    // The program's folder as Qt gives it is absolute; one that is not must not lead here.
    for (const char* folder : {".", "", GRAVLIN_TEST_BINARY_DIR}) {
        DynamicEngine engine(folder);
        const bool loaded = engine.ensureLoaded();
        EXPECT_FALSE(std::filesystem::exists(marker)) << "planted library loaded for '" << folder << "'";
        if (folder != std::string(GRAVLIN_TEST_BINARY_DIR)) continue;
        EXPECT_TRUE(loaded) << engine.loadError();
        if (!loaded) continue;
        // The text comes from the library's heap and must go back to it: a leak here shows
        // under LeakSanitizer.
        const std::string text = engine.QZcalcStoch("a[ 01,01 ] + a[ 02,01 ] = 1");
        engine.QZcalcStochEnd();
        EXPECT_NE(text.find("50"), std::string::npos) << text;
    }
    std::filesystem::current_path(before);
}

// Single numbers stop short of the end here; the equations with the total go on, and the
// sweep opens cells the local rules could not. Never stuck, so never the notice.
TEST(RealEngineGame, OneClickWinsABeginnerGameThatLogicDecides) {
    testing::FakeHost host;
    DynamicEngine engine{GRAVLIN_TEST_BINARY_DIR};
    ASSERT_TRUE(engine.ensureLoaded()) << engine.loadError();
    Program program{host, &engine};
    program.start();
    program.form.Anfänger_Click();
    Game& game = program.game;
    testing::layPosition(game, {".........", ".....*.*.", ".*..*....", "*........", ".........", ".*....*..",
                                ".*.......", "..*.*....", "........."});
    game.autoPlay = true;
    program.form.Command1_MouseDown(game.GetLinear(5, 5), Form1::LeftButton);
    EXPECT_TRUE(game.face == Face::Won && !game.game_running && host.modalShown.empty());
    EXPECT_GT(game.cnt_phase1, 10);
}

}  // namespace
}  // namespace gravlin
