// Loading mine layouts through the menu: measures, size checks and the game they start.
// Dialogs and failures shared with saved games are in storage_game_test.cpp.
#include <gtest/gtest.h>

#include <string>

#include "storage_test_support.h"

namespace gravlin {
namespace {

using testing::readFile;

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
    void saveMines(const std::string& path) {
        host.fileAnswers.push_back(path);
        form.menuNode(form.save_mine).click();
    }
    void loadMines(const std::string& path, MsgResult answer = MsgResult::Yes) {
        host.fileAnswers.push_back(path);
        host.messageAnswers.push_back(answer);
        form.menuNode(form.load_mine).click();
    }
    std::string layoutFile(const std::string& text) {
        const std::string path = folder.file("layout" + std::to_string(++files) + ".txt");
        testing::writeFile(path, text);
        return path;
    }

    int files = 0;
};

TEST_F(StorageLayoutTest, SavedNineByNineIs99BytesAndLoadsBackAsANewGameOnTheSameMines) {
    form.seedSource = [] { return 7; };
    program.levels.Anfänger_Click();
    leftClick(5, 5);
    const Grid<bool> mines = form.is_mine;
    const std::string path = folder.file("nine.txt");
    saveMines(path);
    const std::string text = readFile(path);
    EXPECT_EQ(text.size(), 99u);
    EXPECT_EQ(std::count(text.begin(), text.end(), 'm'), 10);
    EXPECT_EQ(std::count(text.begin(), text.end(), '-'), 71);

    program.levels.Profis_Click();
    form.benutzerdefiniert.checked = true;  // kept through the load
    host.messages.clear();
    loadMines(path);
    ASSERT_EQ(host.messages.size(), 1u);
    expectMessage(question(9, 9, 10), "Spiel laden", MsgIcon::Exclamation);
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(std::tie(form.x_game, form.y_actual, form.no_mines_actual), std::tuple(9, 9, 10));
    EXPECT_TRUE(form.is_mine == mines);
    EXPECT_FALSE(form.Anfänger.checked || form.Fortgeschrittene.checked || form.Profis.checked);
    EXPECT_TRUE(form.benutzerdefiniert.checked && form.save.enabled && form.save_mine.enabled);
    EXPECT_EQ(countCells(isVisible), 0);
    EXPECT_EQ(form.MinesLabel.caption, "010");
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            const int n = mines(x, y) ? 0
                                      : form.CountMinesAround(static_cast<std::int16_t>(x),
                                                              static_cast<std::int16_t>(y));
            EXPECT_EQ(std::tie(form.mines_around(x, y), form.rest_around(x, y)), std::tuple(n, n))
                << x << "," << y;
        }
    }
    // The first click plays against the loaded mines, even onto one.
    int L = 0;
    while (!mines(L % 9 + 1, L / 9 + 1)) ++L;
    leftClick(L % 9 + 1, L / 9 + 1);
    EXPECT_FALSE(form.game_running);
    EXPECT_TRUE(form.is_mine == mines);
}

TEST_F(StorageLayoutTest, SizeLimitsAreCheckedLargeBeforeSmall) {
    const std::pair<std::string, std::string> cases[] = {
        // layout, message (empty: accepted)
        {grid(30, 24, 99), ""},
        {grid(31, 3, 0), kTooLarge},
        {grid(3, 25, 0), kTooLarge},
        {grid(30, 24, 100), kTooLarge},
        {std::string(31, '-') + "\r\n", kTooLarge},      // one row only, still "too large"
        {grid(3, 25, 0).replace(0, 3, "-"), kTooLarge},  // width 3 kept by the other rows
        {grid(2, 30, 0), kTooLarge},                     // narrow but too many rows
        {std::string(100, 'm') + "\r\n", kTooLarge},
        {std::string(5 << 20, '-'), kTooLarge},  // told without reading the whole row
        {"", kTooSmall},
        {grid(2, 24, 0), kTooSmall},
        {grid(30, 2, 0), kTooSmall},
        {"\r\n\r\n\n\r", kTooSmall},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        host.messages.clear();
        host.closed.clear();
        loadMines(layoutFile(text));
        if (expected.empty()) {
            EXPECT_EQ(host.messages.at(0).text, question(30, 24, 99));
            EXPECT_EQ(std::tie(form.x_game, form.y_game), std::tuple(30, 24));
            EXPECT_EQ(countCells(isMine), 99);
            EXPECT_FALSE(ended());
        } else {
            ASSERT_EQ(host.messages.size(), 1u);
            expectMessage(expected, "Spiel laden", MsgIcon::Critical);
            EXPECT_TRUE(ended());
        }
    }
}

TEST_F(StorageLayoutTest, ALayoutWithoutMinesStartsAGameWithNone) {
    loadMines(layoutFile("   \n---\n-x-\n"));  // a row of blanks is a row of free cells
    EXPECT_EQ(host.messages.at(0).text, question(3, 3, 0));
    EXPECT_EQ(form.MinesLabel.caption, "000");
    leftClick(2, 2);
    EXPECT_EQ(countCells(isMine), 0);  // none placed at the first click either
}

TEST_F(StorageLayoutTest, EveryCellAMineLoadsAndALaterNewGameOfThatSizeEnds) {
    loadMines(layoutFile("mmm\nmmm\nmmm"));
    EXPECT_EQ(countCells(isMine), 9);
    leftClick(2, 2);
    EXPECT_FALSE(form.game_running);
    form.NewGame_Click();
    leftClick(2, 2);  // places as many as fit around the clicked cell
    EXPECT_EQ(countCells(isMine), 8);
    EXPECT_FALSE(form.is_mine(2, 2));
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
