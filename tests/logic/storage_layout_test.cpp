// Saving and loading mine layouts through the menu, on real files, with the dialogs and
// message boxes answered by the fake host.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "board_fixture.h"
#include "gravlin/storage/limits.h"
#include "storage_test_support.h"

namespace gravlin {
namespace {

using testing::readFile;
using testing::writeFile;

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

class StorageLayoutTest : public GameTest {
protected:
    void saveMines(const std::string& path) {
        host.fileAnswers.push_back(path);
        form.menuNode("save_mine").click();
    }
    // Loads the layout, answering the question with `answer`.
    void loadMines(const std::string& path, MsgResult answer = MsgResult::Yes) {
        host.fileAnswers.push_back(path);
        host.messageAnswers.push_back(answer);
        form.menuNode("load_mine").click();
    }
    std::string layoutFile(const std::string& text) {
        const std::string path = folder.file("layout" + std::to_string(++files) + ".txt");
        writeFile(path, text);
        return path;
    }
    bool ended() const { return std::find(host.closed.begin(), host.closed.end(), &form) != host.closed.end(); }

    testing::TempFolder folder;
    int files = 0;
};

TEST_F(StorageLayoutTest, SavedNineByNineLoadsBackAsANewGameOnTheSameMines) {
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

    form.benutzerdefiniert.checked = true;  // kept through the load
    program.levels.Profis_Click();
    form.benutzerdefiniert.checked = true;
    host.messages.clear();
    loadMines(path);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, question(9, 9, 10));
    EXPECT_EQ(host.messages[0].title, "Spiel laden");
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(form.x_game, 9);
    EXPECT_EQ(form.y_actual, 9);
    EXPECT_EQ(form.no_mines_actual, 10);
    EXPECT_TRUE(form.is_mine == mines);
    EXPECT_FALSE(form.Anfänger.checked || form.Fortgeschrittene.checked || form.Profis.checked);
    EXPECT_TRUE(form.benutzerdefiniert.checked);
    EXPECT_TRUE(form.save.enabled && form.save_mine.enabled);
    EXPECT_EQ(countCells(isVisible), 0);
    EXPECT_EQ(form.MinesLabel.caption, "010");
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            const int expected = mines(x, y) ? 0 : form.CountMinesAround(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
            EXPECT_EQ(form.mines_around(x, y), expected);
            EXPECT_EQ(form.rest_around(x, y), expected);
        }
    }
    // The first click plays against the loaded mines, even onto one.
    for (int x = 1; x <= 9; ++x) {
        if (!mines(x, 1)) continue;
        leftClick(x, 1);
        EXPECT_FALSE(form.game_running);
        break;
    }
    EXPECT_TRUE(form.is_mine == mines);
}

TEST_F(StorageLayoutTest, TheFourLineExampleHasThreeRowsAndFourMines) {
    loadMines(layoutFile("M-m\r\n\r\n-x-\r\nmm"));
    EXPECT_EQ(host.messages.at(0).text, question(3, 3, 4));
    EXPECT_EQ(form.x_game, 3);
    EXPECT_EQ(form.y_game, 3);
    EXPECT_EQ(form.no_mines_game, 4);
    EXPECT_EQ(countCells(isMine), 4);
    EXPECT_TRUE(form.is_mine(1, 1) && form.is_mine(3, 1) && form.is_mine(1, 3) && form.is_mine(2, 3));
    EXPECT_FALSE(form.is_mine(3, 3));
    EXPECT_EQ(form.mines_around(2, 2), 4);
}

TEST_F(StorageLayoutTest, SizeLimitsAreCheckedLargeBeforeSmall) {
    struct Case {
        std::string text;
        std::string expected;  // empty: accepted
    };
    const std::string wide31 = std::string(31, '-') + "\r\n";
    const Case cases[] = {
        {grid(30, 24, 99), ""},
        {grid(31, 3, 0), kTooLarge},
        {grid(3, 25, 0), kTooLarge},
        {grid(30, 24, 100), kTooLarge},
        {wide31, kTooLarge},                          // one row only, still "too large"
        {grid(3, 25, 0).replace(0, 3, "-"), kTooLarge},  // width 3 kept by the other rows
        {grid(2, 30, 0), kTooLarge},                  // narrow but too many rows
        {grid(1, 1, 100).replace(0, 1, std::string(100, 'm')), kTooLarge},
        {"", kTooSmall},
        {grid(2, 24, 0), kTooSmall},
        {grid(30, 2, 0), kTooSmall},
        {"\r\n\r\n\n\r", kTooSmall},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        host.messages.clear();
        host.closed.clear();
        loadMines(layoutFile(c.text));
        ASSERT_FALSE(host.messages.empty());
        if (c.expected.empty()) {
            EXPECT_EQ(host.messages[0].text, question(30, 24, 99));
            EXPECT_EQ(form.x_game, 30);
            EXPECT_EQ(form.y_game, 24);
            EXPECT_EQ(countCells(isMine), 99);
            EXPECT_FALSE(ended());
        } else {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].text, c.expected);
            EXPECT_EQ(host.messages[0].title, "Spiel laden");
            EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
            EXPECT_TRUE(ended());
        }
    }
}

TEST_F(StorageLayoutTest, ALayoutWithoutMinesStartsAGameWithNone) {
    loadMines(layoutFile("   \n---\n-x-\n"));  // a row of blanks is a row of free cells
    EXPECT_EQ(host.messages.at(0).text, question(3, 3, 0));
    EXPECT_EQ(form.no_mines_game, 0);
    EXPECT_EQ(form.MinesLabel.caption, "000");
    EXPECT_EQ(countCells(isMine), 0);
    leftClick(2, 2);
    EXPECT_EQ(countCells(isMine), 0);  // no mines placed at the first click
}

TEST_F(StorageLayoutTest, EveryCellAMineLoadsAndALaterNewGameOfThatSizeEnds) {
    loadMines(layoutFile("mmm\nmmm\nmmm"));
    EXPECT_EQ(form.no_mines_actual, 9);
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
    EXPECT_TRUE(form.visible == visible);
    EXPECT_TRUE(form.Profis.checked);
    EXPECT_FALSE(ended());
}

TEST_F(StorageLayoutTest, DialogsCancelAndOverwrite) {
    form.menuNode("load_mine").click();  // cancelled
    form.menuNode("save_mine").click();
    ASSERT_EQ(host.fileRequests.size(), 2u);
    for (const FileDialogRequest& r : host.fileRequests) {
        EXPECT_EQ(r.initialFolder, host.folder);
        EXPECT_EQ(r.fileName, "*.txt");
        EXPECT_EQ(r.filter, "*.txt");
        EXPECT_EQ(r.defaultExtension, "txt");
    }
    EXPECT_TRUE(host.messages.empty());

    program.levels.Anfänger_Click();
    leftClick(1, 1);
    const std::string path = layoutFile("old");
    saveMines(path);  // the fake answers No
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, path + " besteht bereits.\r\nMöchten Sie sie ersetzen?");
    EXPECT_EQ(host.messages[0].title, "Minen speichern");
    EXPECT_EQ(readFile(path), "old");
    host.messageAnswers.push_back(MsgResult::Yes);
    saveMines(path);
    EXPECT_EQ(readFile(path).size(), 99u);

    const std::string fresh = folder.file("fresh.txt");
    saveMines(fresh);  // a new name is written without asking
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(readFile(fresh), readFile(path));
}

TEST_F(StorageLayoutTest, UnwritableTargetsGiveTheWriteMessage) {
    program.levels.Anfänger_Click();
    leftClick(1, 1);
    const Grid<bool> visible = form.visible;
    const bool running = form.game_running;
    const std::string plain = layoutFile("x");
    std::filesystem::create_directory(folder.file("dir.txt"));
    for (const std::string& target : {plain + "/inside.txt", folder.file("dir.txt")}) {
        host.messages.clear();
        host.messageAnswers.push_back(MsgResult::Yes);
        saveMines(target);
        ASSERT_FALSE(host.messages.empty());
        EXPECT_EQ(host.messages.back().text, "File '" + target + "' kann nicht beschrieben werden");
        EXPECT_EQ(host.messages.back().title, "Minen speichern");
        EXPECT_EQ(host.messages.back().icon, MsgIcon::Critical);
    }
    EXPECT_EQ(form.game_running, running);
    EXPECT_TRUE(form.visible == visible);
    EXPECT_FALSE(ended());
}

TEST_F(StorageLayoutTest, UnreadableFilesEndTheProgramWithTheReadMessage) {
    std::filesystem::create_directory(folder.file("dir.txt"));
    const std::string huge = layoutFile(std::string(storage::kMaxFileBytes + 1, '\n'));
    for (const std::string& path : {folder.file("missing.txt"), folder.file("dir.txt"), huge}) {
        host.messages.clear();
        host.closed.clear();
        host.fileAnswers.push_back(path);
        form.menuNode("load_mine").click();
        ASSERT_EQ(host.messages.size(), 1u) << path;
        EXPECT_EQ(host.messages[0].text, "File '" + path + "' kann nicht gelesen werden\r\nDas Programm wird beendet!");
        EXPECT_EQ(host.messages[0].title, "Minen laden");
        EXPECT_TRUE(ended());
        EXPECT_EQ(form.x_game, 16);
    }
}

TEST_F(StorageLayoutTest, BinaryBomAndOddLineEndsLoadAsDocumented) {
    // BOM dropped, lone CR and LF end rows, NUL and other bytes are free cells.
    using namespace std::string_literals;
    loadMines(layoutFile("\xEF\xBB\xBF" "m\0-\rx\xff" "M\n--m--\0"s));
    EXPECT_EQ(host.messages.at(0).text, question(6, 3, 3));
    EXPECT_TRUE(form.is_mine(1, 1) && form.is_mine(3, 2) && form.is_mine(3, 3));
    EXPECT_EQ(countCells(isMine), 3);
}

}  // namespace
}  // namespace gravlin
