// Saving and loading games and mine layouts through the menu, on real files in a temporary
// folder, with the file dialogs and message boxes answered by the fake host.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "board_fixture.h"
#include "storage_test_support.h"

namespace gravlin {
namespace {

using testing::readFile;
using testing::writeFile;

// A copy of every array the file holds.
auto cells(const Game& g) {
    return std::tuple(g.is_mine, g.marked, g.visible, g.done, g.mines_around, g.rest_around);
}

// A started program with a temporary folder for its files.
class StorageGameTest : public GameTest {
  protected:
    // Picks `item` from the menu and answers its file dialog with `path`.
    void choose(MenuItem& item, const std::string& path) {
        host.fileAnswers.push_back(path);
        (*form.menuNode(item).click)();
    }
    bool ended() const { return std::ranges::count(host.closed, &form) > 0; }
    // The one message shown: a question with Yes and No, or a failure with OK.
    void expectMessage(const std::string& text, const std::string& title, bool question) {
        ASSERT_EQ(host.messages.size(), 1u) << text;
        const auto& m = host.messages.back();
        EXPECT_EQ(std::tie(m.text, m.title, m.icon, m.buttons),
                  std::tuple(text, title, question ? MsgIcon::Exclamation : MsgIcon::Critical,
                             question ? MsgButtons::YesNo : MsgButtons::Ok));
    }
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
    testing::TempFolder folder;
};

TEST_F(StorageGameTest, RoundTripRestoresEveryCellAndLookOnEveryShape) {
    const std::string path = folder.file("game.qzd");
    for (auto [w, h, m] : {std::tuple{9, 9, 10}, {30, 24, 99}, {3, 24, 10}, {30, 3, 12}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        ASSERT_TRUE(playTo(w, h, m));
        const auto shown = [&] {
            return std::tuple(
                cells(game), game.look, form.MinesLabel.caption, form.MinesLabel.toolTip, game.covered_left,
                std::vector(form.Command1.begin(), form.Command1.begin() + game.x_game * game.y_game));
        };
        const auto before = shown();
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
        EXPECT_TRUE(shown() == before && game.provenFree == Grid<bool>(w, h));
        EXPECT_TRUE(game.game_running && game.minesPlaced && form.save.enabled && form.save_mine.enabled);
        EXPECT_TRUE(form.benutzerdefiniert.checked && !form.Anfänger.checked && game.level == Level::Custom);
    }
}

TEST_F(StorageGameTest, InconsistentButSafeValuesAreTakenAsTheyStand) {
    // Every cell a mine and marked, header says none: the label shows the negative rest and
    // play goes on without a fault.
    std::string text = "3\n3\n0\n";
    for (int i = 0; i < 9; ++i) text += "#true#,8,-8,#TRUE#,#FALSE#,#FALSE#\n";
    writeFile(folder.file("odd.qzd"), text);
    choose(form.load, folder.file("odd.qzd"));
    ASSERT_FALSE(ended());
    EXPECT_EQ(std::tie(game.covered_left, form.MinesLabel.caption), std::tuple(9, "00-9"));
    for (int L = 0; L < 9; ++L) click(L);
    EXPECT_FALSE(game.game_running);
}

// The dialogs open where a save can succeed: the program's folder in a build tree, the
// documents folder once the program is installed, otherwise the home folder.
TEST_F(StorageGameTest, FileDialogsOpenWhereTheUserMayWrite) {
    host.unwritableFolders = {host.folder};
    (*form.menuNode(form.load_mine).click)();
    host.unwritableFolders.push_back(host.documents);  // named by the desktop, but not there
    (*form.menuNode(form.load_mine).click)();
    EXPECT_EQ(std::pair(host.fileRequests.at(0).initialFolder, host.fileRequests.at(1).initialFolder),
              std::pair(host.documents, host.home));
}

// What games and mine layouts share: dialogs, the overwrite question, write and read failures.
struct FileKind {
    MenuItem Form1::*save;
    MenuItem Form1::*load;
    const char *ext, *saveTitle, *loadTitle;
};

class StorageMenuTest : public StorageGameTest, public ::testing::WithParamInterface<FileKind> {
  protected:
    void saveAs(const std::string& path) { choose(form.*GetParam().save, path); }
    std::string file(const std::string& stem) const { return folder.file(stem + "." + GetParam().ext); }
    bool isGame() const { return GetParam().ext == std::string("qzd"); }
};

TEST_P(StorageMenuTest, DialogsCancelSilentlyAndAnExistingFileIsReplacedOnlyAfterYesAndOnlyWhole) {
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
    expectMessage(path + " besteht bereits.\r\nMöchten Sie sie ersetzen?", GetParam().saveTitle, true);
    EXPECT_EQ(readFile(path), "old content");

    host.messageAnswers.push_back(MsgResult::Yes);
    saveAs(path);
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_NE(readFile(path), "old content");

    // The disk fills up in the middle of replacing the file (a file size limit in a child
    // process): the failure is reported, the file stays whole and no temporary file is left.
    const std::string saved = readFile(path);
    ASSERT_TRUE(playTo(30, 24, 99));
    const auto saveBeyondSizeLimit = [&] {
        const rlimit limit{500, 500};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
        host.messages.clear();
        host.messageAnswers = {MsgResult::Yes};
        saveAs(path);
        return host.messages.size() == 2 &&
               host.messages[1].text == "File '" + path + "' kann nicht beschrieben werden";
    };
    EXPECT_EXIT(std::_Exit(saveBeyondSizeLimit() ? 0 : 1), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readFile(path), saved);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), {}), 1) << "a file was left";
}

// A folder, a FIFO or a path through a file can be neither written nor read: saving says
// so and play goes on, loading says so and ends the program; nothing waits on the FIFO (the
// alarm ends a run that would). /proc/self/mem is a regular file whose reading fails at its
// start; a damaged game is one case of the table in storage_format_test.cpp.
TEST_P(StorageMenuTest, UnusableTargetsGiveTheWriteOrReadMessage) {
    ASSERT_TRUE(playTo(9, 9, 10));
    const auto before = cells(game);
    const std::string plain = file("plain"), cut = file("cut");
    writeFile(plain, "x");
    writeFile(cut, isGame() ? "9\r\n9\r\n10\r\n#FALSE#,0" : "");
    std::filesystem::create_directory(file("dir"));
    ASSERT_EQ(::mkfifo(file("fifo").c_str(), 0600), 0);
    ::alarm(5);
    for (const std::string& target : {plain + "/inside." + GetParam().ext, file("dir"), file("fifo")}) {
        host.messages.clear();
        host.messageAnswers = {MsgResult::Yes};  // refused without the question, which would replace
        saveAs(target);
        expectMessage("File '" + target + "' kann nicht beschrieben werden", GetParam().saveTitle, false);
    }
    EXPECT_TRUE(!ended() && game.game_running && cells(game) == before);
    EXPECT_TRUE(std::filesystem::is_fifo(file("fifo")));
    for (const std::string& path :
         {file("missing"), file("dir"), file("fifo"), std::string("/proc/self/mem"), cut}) {
        if (path == cut && !isGame()) continue;  // an empty layout is one too small
        host.messages.clear();
        host.closed.clear();
        choose(form.*GetParam().load, path);
        expectMessage("File '" + path + "' kann nicht gelesen werden\r\nDas Programm wird beendet!",
                      GetParam().loadTitle, false);
        EXPECT_TRUE(ended() && cells(game) == before) << path;
    }
    ::alarm(0);
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
    writeFile(path, isGame() ? readFile(path) + bulk + "no game here" : bulk + readFile(path));
    form.Profis_Click();
    host.messageAnswers = {MsgResult::Yes, MsgResult::Yes};
    choose(form.*GetParam().load, path);
    EXPECT_FALSE(ended());
    EXPECT_EQ(std::tie(game.x_game, game.y_game, game.level), std::tuple(9, 9, Level::None));
    EXPECT_TRUE(game.is_mine == mines && game.mines_around == around);
    EXPECT_TRUE(form.save.enabled && form.save_mine.enabled && !form.Profis.checked);
    EXPECT_TRUE(isGame() || (game.rest_around == around && countCells(isVisible) == 0));
    click(firstCovered(true));  // no mines are placed anew at the first click
    EXPECT_FALSE(game.game_running);
    EXPECT_TRUE(game.is_mine == mines);
}

INSTANTIATE_TEST_SUITE_P(GameAndLayout, StorageMenuTest,
                         ::testing::Values(FileKind{&Form1::save, &Form1::load, "qzd", "Spiel sichern",
                                                    "Spiel laden"},
                                           FileKind{&Form1::save_mine, &Form1::load_mine, "txt",
                                                    "Minen speichern", "Minen laden"}),
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

// `rows` rows of `width` characters, with mines in the first `mines` cells row by row.
std::string grid(int width, int rows, int mines) {
    std::string text;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < width; ++c) text += (r * width + c < mines) ? 'M' : '-';
        text += "\r\n";
    }
    return text;
}

// An answer of No leaves the game in play as it was.
TEST_F(StorageGameTest, LayoutSizeLimitsAreCheckedLargeBeforeSmallAndTheQuestionComesLast) {
    const auto asked = [](const char* size, int mines) {
        return "Wollen Sie wirklich ein Feld \r\n" + std::string(size) + "\r\nmit " + std::to_string(mines) +
               " Minen aufbauen? \r\n";
    };
    const std::pair<std::string, std::string> cases[] = {
        {grid(9, 9, 10), asked("9x9", 10)},  // answered No
        {grid(30, 24, 99), asked("30x24", 99)},
        {"   \n---\n-x-\n", asked("3x3", 0)},  // a row of blanks is a row of free cells
        {grid(3, 25, 0), kTooLarge},
        {grid(30, 24, 100), kTooLarge},
        {std::string(31, '-') + "\r\n", kTooLarge},  // one row only, still "too large"
        {grid(2, 30, 0), kTooLarge},                 // narrow but too many rows
        {"", kTooSmall},
        {grid(2, 24, 0), kTooSmall},
        {grid(30, 2, 0), kTooSmall},
    };
    form.Profis_Click();
    leftClick(15, 8);
    const Game before = game;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [text, expected] = cases[i];
        SCOPED_TRACE(text.substr(0, 40));
        host.messages.clear();
        host.closed.clear();
        host.messageAnswers = {i == 0 ? MsgResult::No : MsgResult::Yes};
        writeFile(folder.file(std::to_string(i) + ".txt"), text);
        choose(form.load_mine, folder.file(std::to_string(i) + ".txt"));
        const bool accepted = expected.starts_with("Wollen");
        expectMessage(expected, "Spiel laden", accepted);
        EXPECT_EQ(ended(), !accepted);
        EXPECT_TRUE(i > 0 || (game == before && form.Profis.checked));
    }
    EXPECT_EQ(std::tie(game.x_game, game.y_game, game.no_mines_game), std::tuple(3, 3, 0));
}

}  // namespace
}  // namespace gravlin
