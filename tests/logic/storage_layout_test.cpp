// Loading mine layouts through the menu: the question and the size checks. Saving, the
// game a layout starts, dialogs and failures are in storage_game_test.cpp.
#include <gtest/gtest.h>

#include <string>

#include "storage_test_support.h"

namespace gravlin {
namespace {

const std::string kTooLarge =
    "Sie haben die maximalen Ausdehnungen überschritten\r\n"
    "Die Breite ist maximal 30, die Höhe 24, und maximal 99 Minen sind erlaubt!\r\n"
    "Das Programm wird beendet!";
const std::string kTooSmall =
    "Sie haben die minimale Ausdehnungen unterschritten\r\n"
    "Die Breite ist minimal 3, die Höhe ebenso 3!\r\n"
    "Das Programm wird beendet!";

std::string question(int w, int h, int m) {
    return "Wollen Sie wirklich ein Feld \r\n" + std::to_string(w) + "x" + std::to_string(h) + "\r\nmit " +
           std::to_string(m) + " Minen aufbauen? \r\n";
}

// `rows` rows of `width` characters, with mines in the first `mines` cells row by row.
std::string grid(int width, int rows, int mines) {
    std::string text;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < width; ++c) text += (r * width + c < mines) ? 'M' : '-';
        text += "\r\n";
    }
    return text;
}

class StorageLayoutTest : public StorageTest {
  protected:
    void loadMines(const std::string& path, MsgResult answer = MsgResult::Yes) {
        host.messageAnswers.push_back(answer);
        choose(form.load_mine, path);
    }
    std::string layoutFile(const std::string& text) {
        const std::string path = folder.file("layout" + std::to_string(++files) + ".txt");
        testing::writeFile(path, text);
        return path;
    }
    int files = 0;
};

TEST_F(StorageLayoutTest, SizeLimitsAreCheckedLargeBeforeSmall) {
    const std::pair<std::string, std::string> cases[] = {
        {grid(30, 24, 99), question(30, 24, 99)},
        {"   \n---\n-x-\n", question(3, 3, 0)},  // a row of blanks is a row of free cells
        {grid(31, 3, 0), kTooLarge},
        {grid(3, 25, 0), kTooLarge},
        {grid(30, 24, 100), kTooLarge},
        {std::string(31, '-') + "\r\n", kTooLarge},  // one row only, still "too large"
        {grid(2, 30, 0), kTooLarge},                 // narrow but too many rows
        {"", kTooSmall},
        {grid(2, 24, 0), kTooSmall},
        {grid(30, 2, 0), kTooSmall},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        host.messages.clear();
        host.closed.clear();
        loadMines(layoutFile(text));
        ASSERT_EQ(host.messages.size(), 1u);
        const bool accepted = expected.starts_with("Wollen");
        expectMessage(expected, "Spiel laden", accepted ? MsgIcon::Exclamation : MsgIcon::Critical);
        EXPECT_EQ(ended(), !accepted);
    }
    EXPECT_EQ(std::tie(form.x_game, form.y_game, form.no_mines_game), std::tuple(3, 3, 0));
}

TEST_F(StorageLayoutTest, AnsweringNoLeavesTheGameAsItWas) {
    program.levels.Profis_Click();
    leftClick(15, 8);
    const Grid<bool> visible = form.visible;
    loadMines(layoutFile(grid(9, 9, 10)), MsgResult::No);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(form.x_game, 30);
    EXPECT_TRUE(form.visible == visible && form.Profis.checked && !ended());
}

}  // namespace
}  // namespace gravlin
