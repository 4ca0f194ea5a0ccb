// Saving and loading games and mine layouts through the menu, on real files in a temporary
// folder, with the file dialogs and message boxes answered by the fake host.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "storage_test_support.h"

namespace gravlin {
namespace {

using testing::readFile;
using testing::writeFile;

// A copy of every array the file holds.
auto cells(const Game& g) {
    return std::tuple(g.is_mine, g.marked, g.visible, g.done, g.mines_around, g.rest_around);
}

class StorageGameTest : public StorageTest {
  protected:
    int firstCovered(bool mine) const {
        for (int L = 0; L < game.x_game * game.y_game; ++L) {
            const auto [x, y] = game.cellAt(L);
            if (!game.visible(x, y) && game.is_mine(x, y) == mine) return L;
        }
        return -1;
    }
    void click(int L) { form.Command1_MouseDown(static_cast<std::int16_t>(L), Form1::LeftButton); }

    // Starts a w x h game with m mines; tries seeds until the first click leaves something
    // to play.
    bool playTo(int w, int h, int m) {
        for (std::uint64_t seed = 1; seed <= 200; ++seed) {
            program.flow.seedSource = [seed] { return seed; };
            newGame(w, h, m);
            click((h / 2) * w + w / 2);
            if (game.game_running && firstCovered(false) >= 0) return true;
        }
        return false;
    }
};

TEST_F(StorageGameTest, RoundTripRestoresEveryCellAndLookOnEveryShape) {
    const std::string path = folder.file("game.qzd");
    for (auto [w, h, m] : {std::tuple{9, 9, 10}, {30, 24, 99}, {3, 24, 10}, {30, 3, 12}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        ASSERT_TRUE(playTo(w, h, m));
        const auto before = cells(game);
        const auto looks = game.look;
        const auto buttons = form.Command1;
        const auto label = std::tuple(form.MinesLabel.caption, form.MinesLabel.toolTip, game.covered_left);
        std::filesystem::remove(path);
        choose(form.save, path);
        ASSERT_TRUE(host.messages.empty());

        form.Anfänger_Click();  // something else in between
        game.level = Level::Custom;
        game.provenFree(1, 1) = true;
        choose(form.load, path);
        ASSERT_FALSE(ended());
        EXPECT_EQ(std::tie(game.x_game, game.y_game, game.no_mines_game, game.x_actual, game.no_mines_actual),
                  std::tuple(w, h, m, w, m));
        EXPECT_TRUE(cells(game) == before);
        EXPECT_TRUE(game.look == looks && game.provenFree == Grid<bool>(w, h));
        EXPECT_TRUE(game.game_running && game.minesPlaced && form.save.enabled && form.save_mine.enabled);
        EXPECT_FALSE(form.Anfänger.checked || form.Fortgeschrittene.checked || form.Profis.checked);
        EXPECT_TRUE(form.benutzerdefiniert.checked && game.level == Level::Custom);
        EXPECT_EQ(std::tie(form.MinesLabel.caption, form.MinesLabel.toolTip, game.covered_left), label);
        for (std::size_t L = 0; L < static_cast<std::size_t>(w * h); ++L)
            EXPECT_TRUE(form.Command1[L] == buttons[L]) << L;
        click(firstCovered(false));  // play goes on against the loaded mines
        EXPECT_TRUE(game.is_mine == std::get<0>(before));
    }
}

TEST_F(StorageGameTest, InconsistentButSafeValuesAreTakenAsTheyStand) {
    // Every cell a mine and marked, header says none: the label shows the negative rest and
    // play goes on without a fault.
    std::string text = "3\n3\n0\n";
    for (int i = 0; i < 9; ++i) text += "#true#,8,-8,#TRUE#,#FALSE#,#FALSE#\n";
    const std::string path = folder.file("odd.qzd");
    writeFile(path, text);
    choose(form.load, path);
    ASSERT_FALSE(ended());
    EXPECT_EQ(game.covered_left, 9);
    EXPECT_EQ(form.MinesLabel.caption, "00-9");
    for (int L = 0; L < 9; ++L) click(L);
    EXPECT_FALSE(game.game_running);
}

// What games and mine layouts share: dialogs, the overwrite question, write and read failures.
struct FileKind {
    MenuItem Form1::*save;
    MenuItem Form1::*load;
    void (Flow::*loadPath)(const std::string&);
    const char *ext, *saveTitle, *loadTitle;
};

class StorageMenuTest : public StorageGameTest, public ::testing::WithParamInterface<FileKind> {
  protected:
    void saveAs(const std::string& path) { choose(form.*GetParam().save, path); }
    std::string file(const std::string& stem) const { return folder.file(stem + "." + GetParam().ext); }

    // Saves over `path` after "Yes" with files limited to `bytes`; true when the write
    // failure was reported. Meant for a child process: the limit stays.
    bool saveBeyondSizeLimit(const std::string& path, rlim_t bytes) {
        const rlimit limit{bytes, bytes};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
        host.messages.clear();
        host.messageAnswers = {MsgResult::Yes};
        saveAs(path);
        return host.messages.size() == 2 &&
               host.messages[1].text == "File '" + path + "' kann nicht beschrieben werden";
    }
};

TEST_P(StorageMenuTest, DialogsCancelSilentlyAndAnExistingFileIsReplacedOnlyAfterYes) {
    ASSERT_TRUE(playTo(9, 9, 10));
    const auto before = cells(game);
    (*form.menuNode(form.*GetParam().save).click)();
    (*form.menuNode(form.*GetParam().load).click)();
    ASSERT_EQ(host.fileRequests.size(), 2u);
    EXPECT_TRUE(host.fileRequests[0].forSaving && !host.fileRequests[1].forSaving);
    const std::string pattern = std::string("*.") + GetParam().ext;
    for (const FileDialogRequest& r : host.fileRequests)
        EXPECT_EQ(std::tie(r.initialFolder, r.fileName, r.filter, r.defaultExtension),
                  std::tie(host.folder, pattern, pattern, GetParam().ext));
    EXPECT_TRUE(host.messages.empty() && !ended() && cells(game) == before);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path));

    const std::string path = file("old");
    writeFile(path, "old content");
    saveAs(path);  // the fake answers No
    expectMessage(path + " besteht bereits.\r\nMöchten Sie sie ersetzen?", GetParam().saveTitle,
                  MsgIcon::Exclamation);
    EXPECT_EQ(host.messages.back().buttons, MsgButtons::YesNo);
    EXPECT_EQ(readFile(path), "old content");

    std::filesystem::permissions(path, std::filesystem::perms(0640));
    host.messageAnswers.push_back(MsgResult::Yes);
    saveAs(path);
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_NE(readFile(path), "old content");
}

// The dialogs open where a save can succeed: the program's folder in a build tree, the
// documents folder once the program is installed, otherwise the home folder.
TEST_F(StorageGameTest, FileDialogsOpenWhereTheUserMayWrite) {
    const auto opensIn = [&] {
        (*form.menuNode(form.load_mine).click)();
        return host.fileRequests.back().initialFolder;
    };
    EXPECT_EQ(opensIn(), host.folder);
    host.unwritableFolders = {host.folder};
    EXPECT_EQ(opensIn(), host.documents);
    host.unwritableFolders.push_back(host.documents);  // named by the desktop, but not there
    EXPECT_EQ(opensIn(), host.home);
    host.unwritableFolders = {host.folder};
    host.documents.clear();  // the desktop names none
    EXPECT_EQ(opensIn(), host.home);
}

// A folder, a FIFO or a path through a file can be neither written nor read: saving says
// so and play goes on, loading says so and ends the program; nothing waits on the FIFO.
TEST_P(StorageMenuTest, UnusableTargetsGiveTheWriteOrReadMessage) {
    ASSERT_TRUE(playTo(9, 9, 10));
    const auto before = cells(game);
    const std::string plain = file("plain");
    writeFile(plain, "x");
    std::filesystem::create_directory(file("dir"));
    ASSERT_EQ(::mkfifo(file("fifo").c_str(), 0600), 0);  // waits for a writer or reader forever
    const testing::Watchdog watchdog(5);
    for (const std::string& target : {plain + "/inside." + GetParam().ext, file("dir"), file("fifo")}) {
        SCOPED_TRACE(target);
        host.messages.clear();
        host.messageAnswers = {MsgResult::Yes};  // were it asked, it would replace
        saveAs(target);
        ASSERT_EQ(host.messages.size(), 1u) << "refused without the question";
        expectMessage("File '" + target + "' kann nicht beschrieben werden", GetParam().saveTitle,
                      MsgIcon::Critical);
        EXPECT_EQ(host.messages.back().buttons, MsgButtons::Ok);
    }
    EXPECT_TRUE(!ended() && game.game_running && cells(game) == before);
    EXPECT_EQ(readFile(plain), "x");
    EXPECT_TRUE(std::filesystem::is_fifo(file("fifo")));

    // /proc/self/mem is a regular file whose reading fails at its start.
    std::vector<std::string> paths = {file("missing"), file("dir"), file("fifo"), "/proc/self/mem"};
    if (GetParam().ext == std::string("qzd")) {  // damaged contents: the table in storage_format_test.cpp
        writeFile(file("cut"), "9\r\n9\r\n10\r\n#FALSE#,0");
        paths.push_back(file("cut"));
    }
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        host.messages.clear();
        host.closed.clear();
        choose(form.*GetParam().load, path);
        ASSERT_EQ(host.messages.size(), 1u);
        expectMessage("File '" + path + "' kann nicht gelesen werden\r\nDas Programm wird beendet!",
                      GetParam().loadTitle, MsgIcon::Critical);
        EXPECT_TRUE(ended() && cells(game) == before);
    }
}

// The disk fills up in the middle of replacing a file: the old file stays whole and no
// temporary file is left. Measured in a child process with a file size limit.
TEST_P(StorageMenuTest, AFailedOverwriteLeavesTheOldFileWhole) {
    ASSERT_TRUE(playTo(9, 9, 10));
    const std::string path = file("old");
    saveAs(path);
    const std::string old = readFile(path);
    ASSERT_TRUE(playTo(30, 24, 99));
    EXPECT_EXIT(std::_Exit(saveBeyondSizeLimit(path, 500) ? 0 : 1), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), {}), 1) << "a file was left";
}

// Blank lines are skipped however many, and nothing after the last cell of a game is read.
// The loaded game plays on the file's mines with their counts.
TEST_P(StorageMenuTest, AValidFileLoadsWhateverItsSize) {
    ASSERT_TRUE(playTo(9, 9, 10));
    const auto mines = game.is_mine;
    const auto around = game.mines_around;
    const std::string path = file("large");
    saveAs(path);
    const std::string bulk(6 << 20, '\n');
    const bool savedGame = GetParam().ext == std::string("qzd");
    writeFile(path, savedGame ? readFile(path) + bulk + "no game here" : bulk + readFile(path));
    form.Profis_Click();
    host.messageAnswers = {MsgResult::Yes};
    choose(form.*GetParam().load, path);
    EXPECT_FALSE(ended());
    EXPECT_EQ(std::tie(game.x_game, game.y_game), std::tuple(9, 9));
    EXPECT_TRUE(game.is_mine == mines && game.mines_around == around);
    EXPECT_TRUE(form.save.enabled && form.save_mine.enabled && !form.Profis.checked);
    EXPECT_EQ(game.level, Level::None);
    EXPECT_TRUE(savedGame || (game.rest_around == around && countCells(isVisible) == 0));
    click(firstCovered(true));  // no mines are placed anew at the first click
    EXPECT_FALSE(game.game_running);
    EXPECT_TRUE(game.is_mine == mines);
}

// A path given without the dialog loads as the menu's does, with the same messages.
TEST_P(StorageMenuTest, APathLoadsWithoutTheDialogAsTheMenuLoadsIt) {
    ASSERT_TRUE(playTo(9, 9, 10));
    const auto mines = game.is_mine;
    const std::string path = file("kept");
    saveAs(path);
    form.Profis_Click();
    host.messageAnswers = {MsgResult::Yes};
    (program.flow.*GetParam().loadPath)(path);
    EXPECT_TRUE(host.fileRequests.size() == 1 && host.fileRequests[0].forSaving) << "no dialog to load";
    EXPECT_TRUE(game.x_game == 9 && game.is_mine == mines && game.minesPlaced && !ended());

    const std::string missing = file("missing");
    (program.flow.*GetParam().loadPath)(missing);
    expectMessage("File '" + missing + "' kann nicht gelesen werden\r\nDas Programm wird beendet!",
                  GetParam().loadTitle, MsgIcon::Critical);
    EXPECT_TRUE(ended() && game.is_mine == mines);
}

INSTANTIATE_TEST_SUITE_P(GameAndLayout, StorageMenuTest,
                         ::testing::Values(FileKind{&Form1::save, &Form1::load, &Flow::LoadGame, "qzd",
                                                    "Spiel sichern", "Spiel laden"},
                                           FileKind{&Form1::save_mine, &Form1::load_mine, &Flow::LoadMines,
                                                    "txt", "Minen speichern", "Minen laden"}),
                         [](const auto& info) { return std::string(info.param.ext); });

// Mine layouts have a question before loading and size checks of their own.
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
        writeFile(path, text);
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
    EXPECT_EQ(std::tie(game.x_game, game.y_game, game.no_mines_game), std::tuple(3, 3, 0));
}

TEST_F(StorageLayoutTest, AnsweringNoLeavesTheGameAsItWas) {
    form.Profis_Click();
    leftClick(15, 8);
    const Game before = game;
    loadMines(layoutFile(grid(9, 9, 10)), MsgResult::No);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(game == before && form.Profis.checked && !ended());
}

}  // namespace
}  // namespace gravlin
