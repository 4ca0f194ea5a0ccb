// The engine library is bound from where it belongs and never from the working folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

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
        if (folder == std::string(GRAVLIN_TEST_BINARY_DIR)) {
            EXPECT_TRUE(loaded) << engine.loadError();
            if (!loaded) continue;
            // The text comes from the library's heap and must go back to it: a leak here
            // shows under LeakSanitizer.
            const std::string text = engine.QZcalcStoch("a[ 01,01 ] + a[ 02,01 ] = 1");
            engine.QZcalcStochEnd();
            EXPECT_NE(text.find("50"), std::string::npos) << text;
        }
    }
    std::filesystem::current_path(before);
}

}  // namespace
}  // namespace gravlin
