// The saved-game and mine-layout texts on their own: exact bytes written, and what reading
// accepts and refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "gravlin/storage/mine_layout_format.h"
#include "gravlin/storage/saved_game_format.h"
#include "gravlin/storage/text_lines.h"

namespace gravlin::storage {
namespace {

const std::string kCell = "#FALSE#,0,0,#FALSE#,#FALSE#,#FALSE#";

std::string header(int w, int h, int m) {
    return std::to_string(w) + "\r\n" + std::to_string(h) + "\r\n" + std::to_string(m) + "\r\n";
}

std::string uniformGame(int w, int h, int m, const std::string& cellLine = kCell, int cells = -1) {
    std::string text = header(w, h, m);
    for (int i = 0; i < (cells < 0 ? w * h : cells); ++i) text += cellLine + "\r\n";
    return text;
}

std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size()))
        s.replace(p, from.size(), to);
    return s;
}

TEST(SavedGameText, NineByNineIs84CrLfLinesAndNegativeRestKeepsItsSign) {
    SavedGame g{9, 9, 10, std::vector<SavedCell>(81)};
    g.cells[0] = {false, 1, -2, false, true, false};
    g.cells[80] = {true, 0, 0, true, true, true};
    const std::string text = formatSavedGame(g);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 84);
    EXPECT_EQ(replaceAll(text, "\r\n", "").find_first_of("\r\n"), std::string::npos);  // only CR LF pairs
    EXPECT_TRUE(text.starts_with("9\r\n9\r\n10\r\n#FALSE#,1,-2,#FALSE#,#TRUE#,#FALSE#\r\n" + kCell + "\r\n"));
    EXPECT_TRUE(text.ends_with(kCell + "\r\n#TRUE#,0,0,#TRUE#,#TRUE#,#TRUE#\r\n"));
    EXPECT_EQ(parseSavedGame(text), g);
}

TEST(SavedGameText, SizeLimitsAreTheBoardLimitsAndMinesMayFillTheBoard) {
    for (auto [w, h, m] : {std::tuple{30, 24, 720}, {3, 3, 0}, {3, 24, 72}, {30, 3, 90}}) {
        std::string why;
        ASSERT_TRUE(parseSavedGame(uniformGame(w, h, m), &why)) << w << "x" << h << " " << m << ": " << why;
    }
    for (auto [w, h, m] : {std::tuple{31, 24, 10},
                           {30, 25, 10},
                           {2, 9, 1},
                           {9, 2, 1},
                           {-9, 9, 10},
                           {9, -9, 10},
                           {30000, 3, 10},
                           {9, 9, 82},
                           {9, 9, -1},
                           {0, 0, 0}}) {
        // Enough cell lines follow that only the header can be the reason.
        EXPECT_FALSE(
            parseSavedGame(uniformGame(w, h, m, kCell, std::abs(w * h) <= 1000 ? std::abs(w * h) : 9)))
            << w << "x" << h << " " << m;
    }
}

TEST(SavedGameText, LayoutVariantsThatReadAsTheSameListOfValuesAreAccepted) {
    const std::string crlf = uniformGame(3, 3, 1, "#TRUE#,2,1,#FALSE#,#TRUE#,#FALSE#");
    const SavedGame expected = *parseSavedGame(crlf);
    const std::string variants[] = {
        replaceAll(crlf, "\r\n", "\n"),
        replaceAll(crlf, "\r\n", "\r"),
        "\xEF\xBB\xBF" + crlf,
        crlf.substr(0, crlf.size() - 2),              // no final line end
        crlf + "\r\n\r\n  \r\n",                      // blank lines at the end
        crlf + kCell + "\r\nwhatever\r\n",            // what follows the last cell is not read
        "3,3,1\r\n" + crlf.substr(9),                 // list items may share a line
        crlf.substr(0, 9) + "\r\n" + crlf.substr(9),  // a blank line inside
        replaceAll(crlf, "#TRUE#", "#true#"),
        replaceAll(replaceAll(crlf, ",2,", ", 2 ,"), "3\r\n", "+3\r\n"),
        replaceAll(crlf, ",1,", ",01,"),
    };
    for (const std::string& v : variants) {
        std::string why;
        EXPECT_EQ(parseSavedGame(v, &why), expected)
            << ::testing::PrintToString(v.substr(0, 20)) << ": " << why;
    }
}

TEST(SavedGameText, DamagedFilesAreRefused) {
    const std::string good = uniformGame(3, 3, 1);
    auto withCell = [&](const std::string& line) {
        return std::string(good).replace(good.find(kCell), kCell.size(), line);
    };
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"header only", header(3, 3, 1)},
        {"one cell missing", good.substr(0, good.size() - 37)},
        {"cut inside a cell", good.substr(0, good.size() - 10)},
        {"binary", std::string("\x00\xff\x13\x37\r\n\x01", 7)},
        {"width not a number", "drei\r\n3\r\n1\r\n"},
        {"16-bit overflow", std::string(good).replace(0, 1, "65539")},
        {"huge number", std::string(good).replace(0, 1, "99999999999999999999999999")},
        {"a header item too many", "3,3\r\n3\r\n1\r\n" + good.substr(9)},
        {"extra field", withCell(kCell + ",#FALSE#")},
        {"missing field", withCell("#FALSE#,0,0,#FALSE#,#FALSE#")},
        {"empty field", withCell("#FALSE#,,0,#FALSE#,#FALSE#,#FALSE#")},
        {"boolean without hashes", withCell("False,0,0,#FALSE#,#FALSE#,#FALSE#")},
        {"boolean as number", withCell("0,0,0,#FALSE#,#FALSE#,#FALSE#")},
        {"number as boolean", withCell("#FALSE#,#TRUE#,0,#FALSE#,#FALSE#,#FALSE#")},
        {"mines_around 9", withCell("#FALSE#,9,0,#FALSE#,#FALSE#,#FALSE#")},
        {"mines_around negative", withCell("#FALSE#,-1,0,#FALSE#,#FALSE#,#FALSE#")},
        {"rest_around -9", withCell("#FALSE#,0,-9,#FALSE#,#FALSE#,#FALSE#")},
        {"rest_around 32767", withCell("#FALSE#,0,32767,#FALSE#,#FALSE#,#FALSE#")},
    };
    for (const auto& [name, text] : cases) EXPECT_FALSE(parseSavedGame(text)) << name;
}

TEST(MineLayoutText, WritesOneCharacterACellAndCrLfAfterEveryRow) {
    std::vector<bool> mines(9, false);
    mines[0] = mines[5] = true;  // (1, 1) and (3, 2)
    EXPECT_EQ(formatMineLayout(3, 3, mines), "m--\r\n--m\r\n---\r\n");
    std::vector<bool> nine(81, false);
    for (int i = 0; i < 10; ++i) nine[static_cast<std::size_t>(i * 8)] = true;
    const std::string text = formatMineLayout(9, 9, nine);
    EXPECT_EQ(text.size(), 99u);
    const MineLayoutScan scan = scanMineLayout(text);
    EXPECT_EQ(std::tie(scan.width, scan.rows, scan.mines), std::tuple(9, 9, 10));
    EXPECT_EQ(scan.mineCells.front(), (LayoutCell{1, 1}));
    EXPECT_EQ(scan.mineCells.back(), (LayoutCell{1, 9}));
}

TEST(MineLayoutText, EmptyLinesAreSkippedLongestRowIsTheWidthAndAnyLineEndCounts) {
    const MineLayoutScan scan = scanMineLayout("M-m\r\n\r\n-x-\r\nmm");
    EXPECT_EQ(std::tie(scan.width, scan.rows, scan.mines), std::tuple(3, 3, 4));
    EXPECT_EQ(scan.mineCells, (std::vector<LayoutCell>{{1, 1}, {3, 1}, {1, 3}, {2, 3}}));

    const MineLayoutScan blanks = scanMineLayout("   \r\n     \n\n\r\r   ");
    EXPECT_EQ(std::tie(blanks.width, blanks.rows), std::tuple(5, 3));
    const MineLayoutScan bom = scanMineLayout("\xEF\xBB\xBF---\r\n-m-\r\n---\r\n");
    EXPECT_EQ(bom.width, 3);
    EXPECT_EQ(bom.mineCells, (std::vector<LayoutCell>{{2, 2}}));
    EXPECT_EQ(scanMineLayout("").rows, 0);
    EXPECT_EQ(scanMineLayout(std::string("\0\0\0", 3)).width, 3);  // binary bytes are free cells

    EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (std::vector<std::string_view>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\n\rb\r\n"), (std::vector<std::string_view>{"a", "", "b"}));
    EXPECT_EQ(splitLines("\xEF\xBB\xBF"), std::vector<std::string_view>{});
}

TEST(MineLayoutText, HugeLayoutsAreMeasuredButOnlyCellsOnTheLargestBoardKept) {
    std::string text;
    for (int r = 0; r < 1000; ++r) text += std::string(500, 'M') + "\n";
    const MineLayoutScan scan = scanMineLayout(text);
    EXPECT_EQ(std::tie(scan.width, scan.rows, scan.mines), std::tuple(500, 1000, 500000));
    EXPECT_EQ(scan.mineCells.size(), 720u);
}

}  // namespace
}  // namespace gravlin::storage
