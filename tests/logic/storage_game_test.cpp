// Saving and loading games through the menu, on real files in a temporary folder, with
// the file dialogs and message boxes answered by the fake host.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "board_fixture.h"
#include "gravlin/storage/limits.h"
#include "storage_test_support.h"

namespace gravlin {
namespace {

using testing::readFile;
using testing::writeFile;

enum class Stage { InPlay, Lost, Won, Continued };
const char* name(Stage s) {
    switch (s) {
        case Stage::InPlay: return "in play";
        case Stage::Lost: return "lost";
        case Stage::Won: return "won";
        case Stage::Continued: return "continued";
    }
    return "?";
}

struct Snapshot {
    Grid<bool> is_mine, marked, visible, done;
    Grid<std::int16_t> mines_around, rest_around;
    std::int16_t x, y, mines;
    std::array<CommandButton, kCellButtons> buttons;

    explicit Snapshot(const Form1& f)
        : is_mine(f.is_mine), marked(f.marked), visible(f.visible), done(f.done), mines_around(f.mines_around),
          rest_around(f.rest_around), x(f.x_game), y(f.y_game), mines(f.no_mines_game), buttons(f.Command1) {}
};

class StorageGameTest : public GameTest {
protected:
    void save(const std::string& path) {
        host.fileAnswers.push_back(path);
        form.menuNode("save").click();
    }
    void load(const std::string& path) {
        host.fileAnswers.push_back(path);
        form.menuNode("load").click();
    }
    bool ended() const { return std::find(host.closed.begin(), host.closed.end(), &form) != host.closed.end(); }

    int firstCovered(bool mine) const {
        for (int L = 0; L < form.x_game * form.y_game; ++L) {
            const int x = L % form.x_game + 1;
            const int y = L / form.x_game + 1;
            if (!form.visible(x, y) && form.is_mine(x, y) == mine) return L;
        }
        return -1;
    }
    void click(int L) { form.Command1_MouseDown(static_cast<std::int16_t>(L), Form1::LeftButton, 0, 0, 0); }

    // Plays a w x h game with m mines into the stage; tries seeds until the first click
    // leaves something to play. False if no seed of the first 200 does.
    bool playTo(int w, int h, int m, Stage stage) {
        for (std::uint64_t seed = 1; seed <= 200; ++seed) {
            form.seedSource = [seed] { return seed; };
            newGame(w, h, m);
            click((h / 2) * w + w / 2);
            if (!form.game_running || firstCovered(false) < 0) continue;
            if (stage == Stage::InPlay) return true;
            if (stage == Stage::Won) {
                while (form.game_running && firstCovered(false) >= 0) click(firstCovered(false));
                if (form.game_running) continue;
                return true;
            }
            click(firstCovered(true));
            if (stage == Stage::Lost) return true;
            form.loosercont_Click();
            if (firstCovered(false) >= 0) click(firstCovered(false));
            return true;
        }
        return false;
    }

    // What a loaded game must look like, derived from its cells.
    void expectLoadedLooks() {
        int covered = 0;
        for (int L = 0; L < form.x_game * form.y_game; ++L) {
            const int x = L % form.x_game + 1;
            const int y = L / form.x_game + 1;
            const CommandButton& b = form.Command1.at(static_cast<std::size_t>(L));
            EXPECT_EQ(b.tag, "0");
            EXPECT_TRUE(b.visible);
            if (!form.visible(x, y)) {
                ++covered;
                EXPECT_EQ(b.caption, " ") << L;
                EXPECT_TRUE(b.raised);
                EXPECT_EQ(b.backColor, kSystemButtonFace);
            } else if (form.marked(x, y)) {
                EXPECT_EQ(b.caption, "M") << L;
                EXPECT_TRUE(b.raised);
                EXPECT_EQ(b.backColor, kSystemButtonFace);
            } else {
                const int n = form.mines_around(x, y);
                EXPECT_EQ(b.caption, n > 0 ? std::to_string(n) : "") << L;
                EXPECT_FALSE(b.raised);
                EXPECT_EQ(b.backColor, kWhite);
            }
        }
        EXPECT_EQ(form.covered_left, covered);
        EXPECT_EQ(form.MinesLabel.toolTip, "Noch verdeckt: " + std::to_string(covered));
        const int rest = form.no_mines_game - countCells(isMarked);
        EXPECT_EQ(form.MinesLabel.caption, (rest < 10 ? "00" : rest < 100 ? "0" : "") + std::to_string(rest));
        EXPECT_TRUE(form.game_running);
        EXPECT_TRUE(form.save.enabled && form.save_mine.enabled);
        EXPECT_FALSE(form.Anfänger.checked || form.Fortgeschrittene.checked || form.Profis.checked);
    }

    testing::TempFolder folder;
};

TEST_F(StorageGameTest, RoundTripRestoresEveryCellAndLookOnEveryShapeAndStage) {
    const std::tuple<int, int, int> shapes[] = {{9, 9, 10},  {16, 16, 40}, {30, 16, 99}, {3, 3, 2},
                                                {30, 24, 99}, {3, 24, 10},  {30, 3, 12}};
    for (auto [w, h, m] : shapes) {
        for (Stage stage : {Stage::InPlay, Stage::Lost, Stage::Won, Stage::Continued}) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " " + name(stage));
            ASSERT_TRUE(playTo(w, h, m, stage));
            const Snapshot before(form);
            const std::string path = folder.file("game.qzd");
            std::filesystem::remove(path);
            save(path);
            ASSERT_TRUE(host.messages.empty());

            program.levels.Anfänger_Click();  // something else in between
            load(path);
            ASSERT_FALSE(ended());
            EXPECT_EQ(form.x_game, before.x);
            EXPECT_EQ(form.y_game, before.y);
            EXPECT_EQ(form.no_mines_game, before.mines);
            EXPECT_EQ(form.x_actual, w);
            EXPECT_EQ(form.no_mines_actual, m);
            EXPECT_TRUE(form.is_mine == before.is_mine);
            EXPECT_TRUE(form.mines_around == before.mines_around);
            EXPECT_TRUE(form.rest_around == before.rest_around);
            EXPECT_TRUE(form.marked == before.marked);
            EXPECT_TRUE(form.visible == before.visible);
            EXPECT_TRUE(form.done == before.done);
            expectLoadedLooks();
            // In play the looks are exactly those at saving; a lost or won game's colours
            // are not part of the file.
            if (stage == Stage::InPlay || stage == Stage::Continued) {
                for (std::size_t L = 0; L < kCellButtons; ++L) {
                    if (L < static_cast<std::size_t>(w * h))
                        EXPECT_TRUE(form.Command1[L] == before.buttons[L]) << L;
                    else
                        EXPECT_FALSE(form.Command1[L].visible) << L;
                }
            }
            // Saving the loaded game writes the same bytes.
            const std::string first = readFile(path);
            std::filesystem::remove(path);
            save(path);
            EXPECT_EQ(readFile(path), first);
        }
    }
}

TEST_F(StorageGameTest, ALoadedGamePlaysOnExactlyLikeTheOriginal) {
    ASSERT_TRUE(playTo(16, 16, 40, Stage::InPlay));
    const std::string path = folder.file("twin.qzd");
    save(path);

    testing::FakeHost otherHost;
    Program other(otherHost);
    other.start();
    other.form.benutzerdefiniert.checked = true;
    otherHost.fileAnswers.push_back(path);
    other.form.menuNode("load").click();
    EXPECT_TRUE(other.form.benutzerdefiniert.checked);  // left as it was

    // The same clicks on both: no new mines are placed and the solver carries on alike.
    const Grid<bool> mines = form.is_mine;
    for (int i = 0; i < 5 && form.game_running; ++i) {
        const int L = firstCovered(false);
        if (L < 0) break;
        click(L);
        other.form.Command1_MouseDown(static_cast<std::int16_t>(L), Form1::LeftButton, 0, 0, 0);
    }
    EXPECT_TRUE(other.form.is_mine == mines);
    EXPECT_TRUE(other.form.visible == form.visible);
    EXPECT_TRUE(other.form.marked == form.marked);
    EXPECT_TRUE(other.form.rest_around == form.rest_around);
    EXPECT_TRUE(other.form.done == form.done);
    EXPECT_EQ(other.form.covered_left, form.covered_left);
    EXPECT_EQ(other.form.game_running, form.game_running);
    EXPECT_EQ(other.form.MinesLabel.caption, form.MinesLabel.caption);
}

TEST_F(StorageGameTest, DialogsUseTheProgramFolderAndQzdAndCancelDoesNothing) {
    ASSERT_TRUE(playTo(9, 9, 10, Stage::InPlay));
    const Snapshot before(form);
    form.menuNode("save").click();
    form.menuNode("load").click();
    ASSERT_EQ(host.fileRequests.size(), 2u);
    for (const FileDialogRequest& r : host.fileRequests) {
        EXPECT_EQ(r.initialFolder, host.folder);
        EXPECT_EQ(r.fileName, "*.qzd");
        EXPECT_EQ(r.filter, "*.qzd");
        EXPECT_EQ(r.defaultExtension, "qzd");
    }
    EXPECT_TRUE(host.fileRequests[0].forSaving);
    EXPECT_FALSE(host.fileRequests[1].forSaving);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(ended());
    EXPECT_TRUE(form.visible == before.visible);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(StorageGameTest, AnExistingFileIsReplacedOnlyAfterYes) {
    ASSERT_TRUE(playTo(9, 9, 10, Stage::InPlay));
    const std::string path = folder.file("old.qzd");
    writeFile(path, "old content");

    save(path);  // the fake answers No
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, path + " besteht bereits.\r\nMöchten Sie sie ersetzen?");
    EXPECT_EQ(host.messages[0].title, "Spiel sichern");
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(readFile(path), "old content");

    host.messageAnswers.push_back(MsgResult::Yes);
    save(path);
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_TRUE(readFile(path).starts_with("9\r\n9\r\n10\r\n"));
}

TEST_F(StorageGameTest, AnUnwritableTargetGivesTheWriteMessageAndTheGameGoesOn) {
    ASSERT_TRUE(playTo(9, 9, 10, Stage::InPlay));
    const Snapshot before(form);
    const std::string plain = folder.file("plain.qzd");
    writeFile(plain, "x");
    std::filesystem::create_directory(folder.file("dir.qzd"));
    for (const std::string& target : {plain + "/inside.qzd", folder.file("dir.qzd")}) {
        host.messages.clear();
        host.messageAnswers.push_back(MsgResult::Yes);  // the folder exists: replace it
        save(target);
        ASSERT_FALSE(host.messages.empty()) << target;
        const auto& m = host.messages.back();
        EXPECT_EQ(m.text, "File '" + target + "' kann nicht beschrieben werden");
        EXPECT_EQ(m.title, "Spiel sichern");
        EXPECT_EQ(m.icon, MsgIcon::Critical);
        EXPECT_EQ(m.buttons, MsgButtons::Ok);
    }
    EXPECT_FALSE(ended());
    EXPECT_TRUE(form.game_running);
    EXPECT_TRUE(form.visible == before.visible);
    EXPECT_EQ(readFile(plain), "x");
}

TEST_F(StorageGameTest, UnreadableOrDamagedFilesEndTheProgramWithoutTouchingTheGame) {
    ASSERT_TRUE(playTo(9, 9, 10, Stage::InPlay));
    const Snapshot before(form);
    std::filesystem::create_directory(folder.file("dir.qzd"));
    std::string good = "3\r\n3\r\n1\r\n";
    for (int i = 0; i < 9; ++i) good += "#FALSE#,0,0,#FALSE#,#FALSE#,#FALSE#\r\n";
    const std::vector<std::pair<std::string, std::string>> files = {
        {"empty.qzd", ""},
        {"cut.qzd", good.substr(0, good.size() - 20)},
        {"binary.qzd", std::string("\x7f" "ELF\x02\x01\x01\x00\x00\x00", 10)},
        {"negative.qzd", "-9\r\n9\r\n10\r\n"},
        {"wide.qzd", "30000\r\n3\r\n10\r\n"},
        {"overflow.qzd", "9\r\n9\r\n40000\r\n"},
        {"toomanymines.qzd", "3\r\n3\r\n10\r\n" + good.substr(9)},
        {"oddbool.qzd", "3\r\n3\r\n1\r\n#JA#,0,0,#FALSE#,#FALSE#,#FALSE#\r\n" + good.substr(9 + 37)},
        {"huge.qzd", good + std::string(storage::kMaxFileBytes, '\n')},
    };
    for (const auto& [file, text] : files) writeFile(folder.file(file), text);
    std::vector<std::string> paths = {folder.file("missing.qzd"), folder.file("dir.qzd")};
    for (const auto& f : files) paths.push_back(folder.file(f.first));
    for (const std::string& path : paths) {
        host.messages.clear();
        host.closed.clear();
        load(path);
        ASSERT_EQ(host.messages.size(), 1u) << path;
        EXPECT_EQ(host.messages[0].text, "File '" + path + "' kann nicht gelesen werden\r\nDas Programm wird beendet!");
        EXPECT_EQ(host.messages[0].title, "Spiel laden");
        EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
        EXPECT_TRUE(ended()) << path;
        EXPECT_TRUE(form.visible == before.visible) << path;
        EXPECT_TRUE(form.Fortgeschrittene.checked || form.benutzerdefiniert.checked || form.Anfänger.checked);
    }
}

TEST_F(StorageGameTest, InconsistentButSafeValuesAreTakenAsTheyStand) {
    // Every cell a mine and marked, header says none: label shows the negative rest, and
    // play goes on without a fault.
    std::string text = "\xEF\xBB\xBF" "3\n3\n0\n";
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

}  // namespace
}  // namespace gravlin
