// Saving and loading games through the menu, on real files in a temporary folder, with
// the file dialogs and message boxes answered by the fake host.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "storage_test_support.h"

namespace gravlin {
namespace {

using testing::makeFifo;
using testing::readFile;
using testing::Watchdog;
using testing::writeFile;

enum class Stage { InPlay, Lost, Won, Continued };
constexpr const char* kStageNames[] = {"in play", "lost", "won", "continued"};

// A copy of every array the file holds.
auto cells(const Form1& f) {
    return std::tuple(f.is_mine, f.marked, f.visible, f.done, f.mines_around, f.rest_around);
}

class StorageGameTest : public StorageTest {
  protected:
    void save(const std::string& path) {
        host.fileAnswers.push_back(path);
        form.menuNode(form.save).click();
    }
    void load(const std::string& path) {
        host.fileAnswers.push_back(path);
        form.menuNode(form.load).click();
    }

    int firstCovered(bool mine) const {
        for (int L = 0; L < form.x_game * form.y_game; ++L) {
            if (!form.visible(L % form.x_game + 1, L / form.x_game + 1) &&
                form.is_mine(L % form.x_game + 1, L / form.x_game + 1) == mine)
                return L;
        }
        return -1;
    }
    void click(int L) { form.Command1_MouseDown(static_cast<std::int16_t>(L), Form1::LeftButton, 0, 0, 0); }

    // Plays a w x h game with m mines into the stage; tries seeds until the first click
    // leaves something to play.
    bool playTo(int w, int h, int m, Stage stage) {
        for (std::uint64_t seed = 1; seed <= 200; ++seed) {
            form.seedSource = [seed] { return seed; };
            newGame(w, h, m);
            click((h / 2) * w + w / 2);
            if (!form.game_running || firstCovered(false) < 0) continue;
            if (stage == Stage::Won) {
                while (form.game_running && firstCovered(false) >= 0) click(firstCovered(false));
                if (form.game_running) continue;
            } else if (stage != Stage::InPlay) {
                click(firstCovered(true));
                if (stage == Stage::Continued) {
                    form.loosercont_Click();
                    if (firstCovered(false) >= 0) click(firstCovered(false));
                }
            }
            return true;
        }
        return false;
    }

    // What a loaded game must look like, derived from its cells.
    void expectLoadedLooks() {
        int covered = 0;
        for (int L = 0; L < form.x_game * form.y_game; ++L) {
            const int x = L % form.x_game + 1, y = L / form.x_game + 1, n = form.mines_around(x, y);
            const CommandButton& b = form.Command1.at(static_cast<std::size_t>(L));
            const bool open = form.visible(x, y) && !form.marked(x, y);
            covered += form.visible(x, y) ? 0 : 1;
            EXPECT_EQ(b.caption, !form.visible(x, y) ? " "
                                 : form.marked(x, y) ? "M"
                                 : n                 ? std::to_string(n)
                                                     : "")
                << L;
            EXPECT_EQ(b.raised, !open) << L;
            EXPECT_EQ(b.backColor, open ? kWhite : kSystemButtonFace) << L;
            EXPECT_TRUE(b.visible && b.tag == "0") << L;
        }
        EXPECT_EQ(form.covered_left, covered);
        EXPECT_EQ(form.MinesLabel.toolTip, "Noch verdeckt: " + std::to_string(covered));
        const int rest = form.no_mines_game - countCells(isMarked);
        EXPECT_EQ(form.MinesLabel.caption, (rest < 10 ? "00" : rest < 100 ? "0" : "") + std::to_string(rest));
        EXPECT_TRUE(form.game_running && form.save.enabled && form.save_mine.enabled);
        EXPECT_FALSE(form.Anfänger.checked || form.Fortgeschrittene.checked || form.Profis.checked);
    }
};

TEST_F(StorageGameTest, RoundTripRestoresEveryCellAndLookOnEveryShapeAndStage) {
    const std::string path = folder.file("game.qzd");
    for (auto [w, h, m] : {std::tuple{9, 9, 10},
                           {16, 16, 40},
                           {30, 16, 99},
                           {3, 3, 2},
                           {30, 24, 99},
                           {3, 24, 10},
                           {30, 3, 12}}) {
        for (Stage stage : {Stage::InPlay, Stage::Lost, Stage::Won, Stage::Continued}) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " " +
                         kStageNames[static_cast<int>(stage)]);
            ASSERT_TRUE(playTo(w, h, m, stage));
            const auto before = cells(form);
            const auto buttons = form.Command1;
            std::filesystem::remove(path);
            save(path);
            ASSERT_TRUE(host.messages.empty());

            program.levels.Anfänger_Click();  // something else in between
            load(path);
            ASSERT_FALSE(ended());
            EXPECT_EQ(
                std::tie(form.x_game, form.y_game, form.no_mines_game, form.x_actual, form.no_mines_actual),
                std::tuple(w, h, m, w, m));
            EXPECT_TRUE(cells(form) == before);
            expectLoadedLooks();
            // In play the looks are exactly those at saving; a lost or won game's colours
            // are not part of the file.
            if (stage == Stage::InPlay || stage == Stage::Continued) {
                for (std::size_t L = 0; L < kCellButtons; ++L) {
                    if (L < static_cast<std::size_t>(w * h))
                        EXPECT_TRUE(form.Command1[L] == buttons[L]) << L;
                    else
                        EXPECT_FALSE(form.Command1[L].visible) << L;
                }
            }
            const std::string first = readFile(path);  // saving the loaded game writes the same bytes
            std::filesystem::remove(path);
            save(path);
            EXPECT_EQ(readFile(path), first);
        }
    }
}

TEST_F(StorageGameTest, ALoadedGamePlaysOnExactlyLikeTheOriginalAndKeepsTheCustomCheck) {
    ASSERT_TRUE(playTo(16, 16, 40, Stage::InPlay));
    const std::string path = folder.file("twin.qzd");
    save(path);

    testing::FakeHost otherHost;
    Program other(otherHost);
    other.start();
    other.form.benutzerdefiniert.checked = true;
    otherHost.fileAnswers.push_back(path);
    other.form.menuNode(other.form.load).click();
    EXPECT_TRUE(other.form.benutzerdefiniert.checked);

    // The same clicks on both: no new mines are placed and the solver carries on alike.
    for (int i = 0; i < 5 && form.game_running && firstCovered(false) >= 0; ++i) {
        const int L = firstCovered(false);
        click(L);
        other.form.Command1_MouseDown(static_cast<std::int16_t>(L), Form1::LeftButton, 0, 0, 0);
    }
    EXPECT_TRUE(cells(other.form) == cells(form));
    EXPECT_EQ(std::tie(other.form.covered_left, other.form.game_running, other.form.MinesLabel.caption),
              std::tie(form.covered_left, form.game_running, form.MinesLabel.caption));
}

TEST_F(StorageGameTest, InconsistentButSafeValuesAreTakenAsTheyStand) {
    // Every cell a mine and marked, header says none: the label shows the negative rest and
    // play goes on without a fault.
    std::string text =
        "\xEF\xBB\xBF"
        "3\n3\n0\n";
    for (int i = 0; i < 9; ++i) text += "#true#,8,-8,#TRUE#,#FALSE#,#FALSE#\n";
    const std::string path = folder.file("odd.qzd");
    writeFile(path, text);
    load(path);
    ASSERT_FALSE(ended());
    EXPECT_EQ(form.covered_left, 9);
    EXPECT_EQ(form.MinesLabel.caption, "00-9");
    for (int L = 0; L < 9; ++L) click(L);
    EXPECT_FALSE(form.game_running);
}

// What games and mine layouts share: dialogs, the overwrite question, write and read failures.
struct FileKind {
    MenuItem Form1::*save;
    MenuItem Form1::*load;
    const char *ext, *saveTitle, *loadTitle;
};

class StorageMenuTest : public StorageGameTest, public ::testing::WithParamInterface<FileKind> {
  protected:
    void saveAs(const std::string& path) {
        host.fileAnswers.push_back(path);
        form.menuNode(form.*GetParam().save).click();
    }
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
    ASSERT_TRUE(playTo(9, 9, 10, Stage::InPlay));
    const auto before = cells(form);
    form.menuNode(form.*GetParam().save).click();
    form.menuNode(form.*GetParam().load).click();
    ASSERT_EQ(host.fileRequests.size(), 2u);
    const std::string pattern = std::string("*.") + GetParam().ext;
    for (const FileDialogRequest& r : host.fileRequests) {
        EXPECT_EQ(std::tie(r.initialFolder, r.fileName, r.filter, r.defaultExtension),
                  std::tie(host.folder, pattern, pattern, GetParam().ext));
    }
    EXPECT_TRUE(host.fileRequests[0].forSaving && !host.fileRequests[1].forSaving);
    EXPECT_TRUE(host.messages.empty() && !ended() && cells(form) == before);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));

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
    saveAs(file("fresh"));  // a new name is written without asking
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(readFile(path), readFile(file("fresh")));
    const std::string written = readFile(path);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'),
              GetParam().ext == std::string("qzd") ? 84 : 9);
}

TEST_P(StorageMenuTest, AnUnwritableTargetGivesTheWriteMessageAndTheGameGoesOn) {
    ASSERT_TRUE(playTo(9, 9, 10, Stage::InPlay));
    const auto before = cells(form);
    const std::string plain = file("plain");
    writeFile(plain, "x");
    std::filesystem::create_directory(file("dir"));
    makeFifo(file("fifo"));
    const Watchdog watchdog(5);
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
    EXPECT_TRUE(!ended() && form.game_running && cells(form) == before);
    EXPECT_EQ(readFile(plain), "x");
    EXPECT_TRUE(std::filesystem::is_fifo(file("fifo")));
}

// The disk fills up in the middle of replacing a file: the old file stays whole and no
// temporary file is left. Measured in a child process with a file size limit.
TEST_P(StorageMenuTest, AFailedOverwriteLeavesTheOldFileWhole) {
    ASSERT_TRUE(playTo(9, 9, 10, Stage::InPlay));
    const std::string path = file("old");
    saveAs(path);
    const std::string old = readFile(path);
    ASSERT_TRUE(playTo(30, 24, 99, Stage::InPlay));
    EXPECT_EXIT(std::_Exit(saveBeyondSizeLimit(path, 500) ? 0 : 1), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "a file was left";
}

TEST_P(StorageMenuTest, AnUnreadableFileEndsTheProgramUnchanged) {
    ASSERT_TRUE(playTo(9, 9, 10, Stage::InPlay));
    const auto before = cells(form);
    std::filesystem::create_directory(file("dir"));
    makeFifo(file("fifo"));
    // /proc/self/mem is a regular file whose reading fails at its start.
    std::vector<std::string> paths = {file("missing"), file("dir"), file("fifo"), "/proc/self/mem"};
    if (GetParam().ext == std::string("qzd")) {  // damaged contents: the table in storage_format_test.cpp
        writeFile(file("cut"), "9\r\n9\r\n10\r\n#FALSE#,0");
        paths.push_back(file("cut"));
    }
    const Watchdog watchdog(5);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        host.messages.clear();
        host.closed.clear();
        host.fileAnswers.push_back(path);
        form.menuNode(form.*GetParam().load).click();
        ASSERT_EQ(host.messages.size(), 1u);
        expectMessage("File '" + path + "' kann nicht gelesen werden\r\nDas Programm wird beendet!",
                      GetParam().loadTitle, MsgIcon::Critical);
        EXPECT_TRUE(ended() && cells(form) == before);
    }
}

// Blank lines are skipped however many, and nothing after the last cell of a game is read.
TEST_P(StorageMenuTest, AValidFileLoadsWhateverItsSize) {
    ASSERT_TRUE(playTo(9, 9, 10, Stage::InPlay));
    const auto mines = form.is_mine;
    const std::string path = file("large");
    saveAs(path);
    const std::string bulk(6 << 20, '\n');
    const bool game = GetParam().ext == std::string("qzd");
    writeFile(path, game ? readFile(path) + bulk + "no game here" : bulk + readFile(path));
    program.levels.Profis_Click();
    host.messageAnswers = {MsgResult::Yes};
    host.fileAnswers.push_back(path);
    form.menuNode(form.*GetParam().load).click();
    EXPECT_FALSE(ended());
    EXPECT_EQ(std::tie(form.x_game, form.y_game), std::tuple(9, 9));
    EXPECT_TRUE(form.is_mine == mines);
}

INSTANTIATE_TEST_SUITE_P(GameAndLayout, StorageMenuTest,
                         ::testing::Values(FileKind{&Form1::save, &Form1::load, "qzd", "Spiel sichern",
                                                    "Spiel laden"},
                                           FileKind{&Form1::save_mine, &Form1::load_mine, "txt",
                                                    "Minen speichern", "Minen laden"}),
                         [](const auto& info) { return std::string(info.param.ext); });

}  // namespace
}  // namespace gravlin
