// The booleans of a saved game: their letters in any case, and nothing but the two words
// with their hash marks.
#include <gtest/gtest.h>

#include <string>

#include "gravlin/storage/saved_game_format.h"

namespace gravlin::storage {
namespace {

// A 3 x 3 game without mines whose first cell line is `first`.
std::string gameStartingWith(const std::string& first) {
    std::string text = "3\r\n3\r\n0\r\n" + first + "\r\n";
    for (int i = 1; i < 9; ++i) text += "#FALSE#,0,0,#FALSE#,#FALSE#,#FALSE#\r\n";
    return text;
}

TEST(SavedGameBooleans, LettersInAnyCaseButEveryOtherCharacterAsWritten) {
    const auto game = parseSavedGame(gameStartingWith("#tRUE#,1,1,#false#,#True#,#fALSE#"));
    ASSERT_TRUE(game);
    EXPECT_EQ(game->cells[0], (SavedCell{true, 1, 1, false, true, false}));
    // One character off, the first or the last, at the length of a boolean.
    for (const std::string bad : {"xTRUE#", "XFALSE#", "TTRUE#", "+FALSE#", "#TRUE!", "#FALSEx"})
        EXPECT_FALSE(parseSavedGame(gameStartingWith(bad + ",1,1,#FALSE#,#TRUE#,#FALSE#"))) << bad;
}

}  // namespace
}  // namespace gravlin::storage
