// The saved-game and mine-layout texts on their own: exact bytes written, and what reading
// accepts and refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "gravlin/storage/mine_layout_format.h"
#include "gravlin/storage/saved_game_format.h"

namespace gravlin::storage {
namespace {

const std::string kCell = "#FALSE#,0,0,#FALSE#,#FALSE#,#FALSE#";

std::string header(int w, int h, int m) {
    return std::to_string(w) + "\r\n" + std::to_string(h) + "\r\n" + std::to_string(m) + "\r\n";
}

std::string uniformGame(int w, int h, int m, const std::string& cellLine = kCell) {
    std::string text = header(w, h, m);
    for (int i = 0; i < w * h; ++i) text += cellLine + "\r\n";
    return text;
}

std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size()))
        s.replace(p, from.size(), to);
    return s;
}

TEST(SavedGameText, SizeLimitsAreTheBoardLimitsAndMinesMayFillTheBoard) {
    // Enough cell lines follow that only the header can be the reason for a refusal.
    const std::tuple<int, int, int, bool> cases[] = {
        {30, 24, 720, true}, {3, 3, 0, true},  {3, 24, 72, true}, {30, 3, 90, true}, {31, 24, 10, false},
        {30, 25, 10, false}, {2, 9, 1, false}, {9, 2, 1, false},  {9, 9, 82, false}, {9, 9, -1, false}};
    for (auto [w, h, m, ok] : cases)
        EXPECT_EQ(parseSavedGame(uniformGame(w, h, m)).has_value(), ok) << w << "x" << h << " " << m;
}

// A small game is written to the byte; it and every layout of the same list of values read
// back as the game.
TEST(SavedGameText, WrittenToTheByteAndReadBackFromEveryLayoutOfTheSameValues) {
    SavedGame expected{3, 3, 2, std::vector<SavedCell>(9)};
    expected.cells[0] = {false, 1, -2, false, true, false};
    expected.cells[8] = {true, 0, 0, true, true, true};
    std::string crlf = header(3, 3, 2) + "#FALSE#,1,-2,#FALSE#,#TRUE#,#FALSE#\r\n";
    for (int i = 0; i < 7; ++i) crlf += kCell + "\r\n";
    crlf += "#TRUE#,0,0,#TRUE#,#TRUE#,#TRUE#\r\n";
    EXPECT_EQ(formatSavedGame(expected), crlf);
    const std::string variants[] = {
        crlf,
        replaceAll(crlf, "\r\n", "\n"),
        "\xEF\xBB\xBF" + crlf,
        crlf.substr(0, crlf.size() - 2),              // no final line end
        crlf + kCell + "\r\nwhatever\r\n",            // what follows the last cell is not read
        "3,3,2\r\n" + crlf.substr(9),                 // list items may share a line
        crlf.substr(0, 9) + "\r\n" + crlf.substr(9),  // a blank line inside
        replaceAll(replaceAll(crlf, "#TRUE#", "#tRuE#"), "#FALSE#", "#fAlSe#"),
        replaceAll(replaceAll(crlf, ",-2,", ", -2 ,"), "3\r\n", "+3\r\n"),
        replaceAll(crlf, ",1,", ",+000000000000000000001,"),
        replaceAll(crlf, ",#FALSE#", ",#FALSE#" + std::string(40, ' ')),
    };
    for (const std::string& v : variants) {
        std::string why;
        EXPECT_EQ(parseSavedGame(v, &why), expected)
            << ::testing::PrintToString(v.substr(0, 20)) << ": " << why;
        TextSource bytewise(v, 1);  // every piece boundary falls somewhere in an item
        EXPECT_EQ(readSavedGame(bytewise), expected) << ::testing::PrintToString(v.substr(0, 20));
    }
}

// Refused: empty, the header only, a cell missing or cut, binary bytes, a header that is no
// number, beyond 16 bits or with an item too many. Among the cells: a field too many or too
// few, an empty one, a boolean one character off (its letters may be in any case), a number
// where a boolean belongs, counts beyond what a cell can hold.
TEST(SavedGameText, DamagedFilesAreRefused) {
    const std::string good = uniformGame(3, 3, 1);
    auto withCell = [&](const std::string& line) {
        return std::string(good).replace(good.find(kCell), kCell.size(), line);
    };
    const std::string cases[] = {"",
                                 good.substr(0, good.size() - 37),
                                 good.substr(0, good.size() - 10),
                                 std::string("\x00\xff\x13\x37\r\n\x01", 7),
                                 "drei\r\n3\r\n1\r\n",
                                 std::string(good).replace(0, 1, "65539"),
                                 std::string(good).replace(0, 1, "99999999999999999999999999"),
                                 std::string(good).replace(0, 1, "0 3"),
                                 "3,3\r\n3\r\n1\r\n" + good.substr(9)};
    for (const std::string& text : cases)
        EXPECT_FALSE(parseSavedGame(text)) << ::testing::PrintToString(text);
    for (const std::string& cell :
         {kCell + ",#FALSE#", kCell.substr(0, 27), std::string("#FALSE#,") + kCell.substr(9),
          "#FALSE#,#TRUE#" + kCell.substr(9), "#FALSE#,9" + kCell.substr(9), "#FALSE#,-1" + kCell.substr(9),
          "#FALSE#,0,-9" + kCell.substr(11), "#FALSE#,0,32767" + kCell.substr(11)})
        EXPECT_FALSE(parseSavedGame(withCell(cell))) << cell;
    for (const char* bad : {"False", "xTRUE#", "XFALSE#", "TTRUE#", "+FALSE#", "#TRUE!", "#FALSEx"})
        EXPECT_FALSE(parseSavedGame(withCell(bad + kCell.substr(7)))) << bad;
    // The bounds themselves are what a cell can hold: eight mines around, none or all marked.
    EXPECT_TRUE(parseSavedGame(withCell("#FALSE#,8,8,#FALSE#,#FALSE#,#FALSE#")));
    EXPECT_TRUE(parseSavedGame(withCell("#FALSE#,8,-8,#FALSE#,#FALSE#,#FALSE#")));
}

TEST(MineLayoutText, WritesOneCharacterACellAndReadsItsMeasuresBack) {
    std::vector<bool> mines(9, false);
    mines[0] = mines[5] = true;  // (1, 1) and (3, 2)
    EXPECT_EQ(formatMineLayout(3, 3, mines), "m--\r\n--m\r\n---\r\n");

    // Empty lines are no rows, the longest row is the width, any line end counts, a blank is
    // a free cell.
    const MineLayoutScan scan = scanMineLayout("M-m\r\n\r\n-x-\r\nmm");
    EXPECT_EQ(std::tie(scan.width, scan.rows, scan.mines), std::tuple(3, 3, 4));
    EXPECT_EQ(scan.mineCells, (std::vector<LayoutCell>{{1, 1}, {3, 1}, {1, 3}, {2, 3}}));
    const MineLayoutScan blanks = scanMineLayout("   \r\n     \n\n\r\r   ");
    EXPECT_EQ(std::tie(blanks.width, blanks.rows), std::tuple(5, 3));
    TextSource bom("\xEF\xBB\xBF---\r\n-m-\r\n---\r\n", 1);
    const MineLayoutScan withBom = readMineLayout(bom);
    EXPECT_TRUE(withBom.width == 3 && withBom.mineCells == (std::vector<LayoutCell>{{2, 2}}));
    EXPECT_EQ(scanMineLayout("\xEF\xBB").width, 2);                // a mark cut short is text
    EXPECT_EQ(scanMineLayout(std::string("\0\0\0", 3)).width, 3);  // binary bytes are free cells
}

// Counts what a reader takes.
struct CountingSource final : ByteSource {
    explicit CountingSource(const std::string& text) : text(text) {}
    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t n = text.read(buffer, size);
        given += n;
        return n;
    }
    TextSource text;
    std::size_t given = 0;
};

TEST(StreamedReading, StopsAsSoonAsTheAnswerIsKnown) {
    const std::string game = uniformGame(3, 3, 1);
    struct Case {
        std::string prefix, filler;
        bool layout;
        long long width, rows, mines;  // of the layout as far as read; for a game, width 3 if it is read
    } cases[] = {
        {"---\r\n", "-", true, 31, 2, 0},           // one row without end
        {"", "x\r\n\r\n", true, 1, 25, 0},          // a 25th row
        {"", "mmmmmmmmmm\r\n", true, 10, 10, 100},  // a 100th mine
        {game, "\r\n", false, 3, 0, 0},             // the game ends with its last cell
        {game.substr(0, 9), "x", false, 0, 0, 0},   // an item longer than any value
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.filler));
        std::string text = c.prefix;  // 16 MiB
        while (text.size() < (std::size_t{16} << 20)) text += c.filler;
        CountingSource source(text);
        if (c.layout) {
            const MineLayoutScan scan = readMineLayout(source);
            EXPECT_TRUE(scan.tooLarge());
            EXPECT_EQ(std::tie(scan.width, scan.rows, scan.mines), std::tie(c.width, c.rows, c.mines));
        } else {
            const auto read = readSavedGame(source);
            EXPECT_EQ(read ? read->width : 0, c.width);
        }
        EXPECT_LE(source.given, std::size_t{1} << 20);
    }
}
}  // namespace
}  // namespace gravlin::storage
