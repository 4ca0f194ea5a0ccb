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

std::string header(int w, int h, int m) {
    return std::to_string(w) + "\r\n" + std::to_string(h) + "\r\n" + std::to_string(m) + "\r\n";
}

// A well-formed saved game of w x h with m mines and every cell written as `cellLine`.
std::string uniformGame(int w, int h, int m, const std::string& cellLine = "#FALSE#,0,0,#FALSE#,#FALSE#,#FALSE#") {
    std::string text = header(w, h, m);
    for (int i = 0; i < w * h; ++i) text += cellLine + "\r\n";
    return text;
}

int countLines(const std::string& text) {
    int n = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) n += text.compare(i, 2, "\r\n") == 0 ? 1 : 0;
    return n;
}

TEST(SavedGameText, NineByNineIs84CrLfLinesWithTheDocumentedCellLine) {
    SavedGame g{9, 9, 10, std::vector<SavedCell>(81)};
    g.cells[0] = {false, 1, 1, false, true, false};
    g.cells[80] = {true, 0, 0, true, true, true};
    const std::string text = formatSavedGame(g);
    EXPECT_EQ(countLines(text), 84);
    EXPECT_EQ(text.find('\n'), text.find('\r') + 1);
    EXPECT_TRUE(text.starts_with("9\r\n9\r\n10\r\n#FALSE#,1,1,#FALSE#,#TRUE#,#FALSE#\r\n"));
    EXPECT_TRUE(text.ends_with("#FALSE#,0,0,#FALSE#,#FALSE#,#FALSE#\r\n#TRUE#,0,0,#TRUE#,#TRUE#,#TRUE#\r\n"));
    EXPECT_EQ(parseSavedGame(text), g);
}

TEST(SavedGameText, NegativeRestIsWrittenWithAMinusSignAndReadBack) {
    SavedGame g{3, 3, 1, std::vector<SavedCell>(9)};
    g.cells[4] = {false, 0, -2, false, true, true};
    const std::string text = formatSavedGame(g);
    EXPECT_NE(text.find("#FALSE#,0,-2,#FALSE#,#TRUE#,#TRUE#\r\n"), std::string::npos);
    EXPECT_EQ(parseSavedGame(text), g);
}

TEST(SavedGameText, SizeLimitsAreTheBoardLimitsAndMinesMayFillTheBoard) {
    for (auto [w, h, m] : {std::tuple{30, 24, 720}, {3, 3, 0}, {3, 24, 72}, {30, 3, 90}}) {
        std::string why;
        const auto g = parseSavedGame(uniformGame(w, h, m), &why);
        ASSERT_TRUE(g) << w << "x" << h << " " << m << ": " << why;
        EXPECT_EQ(g->cells.size(), static_cast<std::size_t>(w * h));
    }
    for (auto [w, h, m] : {std::tuple{31, 24, 10}, {30, 25, 10}, {2, 9, 1}, {9, 2, 1}, {-9, 9, 10}, {9, -9, 10},
                           {30000, 3, 10}, {9, 9, 82}, {9, 9, -1}, {0, 0, 0}}) {
        // Enough cell lines follow that only the header can be the reason.
        const int cells = std::abs(w * h) <= 1000 ? std::abs(w * h) : 9;
        std::string text = header(w, h, m);
        for (int i = 0; i < cells; ++i) text += "#FALSE#,0,0,#FALSE#,#FALSE#,#FALSE#\r\n";
        EXPECT_FALSE(parseSavedGame(text)) << w << "x" << h << " " << m;
    }
}

TEST(SavedGameText, LineEndsBomCaseAndBlanksThatAreAccepted) {
    const SavedGame expected = *parseSavedGame(uniformGame(3, 3, 1, "#TRUE#,2,1,#FALSE#,#TRUE#,#FALSE#"));
    auto replaceAll = [](std::string s, const std::string& from, const std::string& to) {
        for (std::size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size())) s.replace(p, from.size(), to);
        return s;
    };
    const std::string crlf = uniformGame(3, 3, 1, "#TRUE#,2,1,#FALSE#,#TRUE#,#FALSE#");
    const std::vector<std::string> variants = {
        replaceAll(crlf, "\r\n", "\n"),
        replaceAll(crlf, "\r\n", "\r"),
        "\xEF\xBB\xBF" + crlf,
        crlf.substr(0, crlf.size() - 2),                // no final line end
        crlf + "\r\n\r\n  \r\n",                        // blank lines at the end
        replaceAll(crlf, "#TRUE#", "#true#"),
        replaceAll(replaceAll(crlf, ",2,", ", 2 ,"), "3\r\n", "+3\r\n"),
        replaceAll(crlf, ",1,", ",01,"),
    };
    for (std::size_t i = 0; i < variants.size(); ++i) {
        std::string why;
        EXPECT_EQ(parseSavedGame(variants[i], &why), expected) << "variant " << i << ": " << why;
    }
}

TEST(SavedGameText, DamagedFilesAreRefused) {
    const std::string good = uniformGame(3, 3, 1);
    auto withCell = [&](const std::string& line) {
        std::string t = good;
        const std::string first = "#FALSE#,0,0,#FALSE#,#FALSE#,#FALSE#";
        t.replace(t.find(first), first.size(), line);
        return t;
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"header only", header(3, 3, 1)},
        {"one cell missing", good.substr(0, good.size() - 37)},
        {"cut inside a cell", good.substr(0, good.size() - 10)},
        {"binary", std::string("\x00\xff\x13\x37\r\n\x01", 7)},
        {"width not a number", "drei\r\n3\r\n1\r\n"},
        {"16-bit overflow", uniformGame(3, 3, 1).replace(0, 1, "65539")},
        {"huge number", uniformGame(3, 3, 1).replace(0, 1, "99999999999999999999999999")},
        {"two numbers in a header line", "3,3\r\n3\r\n1\r\n"},
        {"extra field", withCell("#FALSE#,0,0,#FALSE#,#FALSE#,#FALSE#,#FALSE#")},
        {"missing field", withCell("#FALSE#,0,0,#FALSE#,#FALSE#")},
        {"empty field", withCell("#FALSE#,,0,#FALSE#,#FALSE#,#FALSE#")},
        {"boolean without hashes", withCell("False,0,0,#FALSE#,#FALSE#,#FALSE#")},
        {"boolean as number", withCell("0,0,0,#FALSE#,#FALSE#,#FALSE#")},
        {"number as boolean", withCell("#FALSE#,#TRUE#,0,#FALSE#,#FALSE#,#FALSE#")},
        {"mines_around 9", withCell("#FALSE#,9,0,#FALSE#,#FALSE#,#FALSE#")},
        {"mines_around negative", withCell("#FALSE#,-1,0,#FALSE#,#FALSE#,#FALSE#")},
        {"rest_around -9", withCell("#FALSE#,0,-9,#FALSE#,#FALSE#,#FALSE#")},
        {"rest_around 32767", withCell("#FALSE#,0,32767,#FALSE#,#FALSE#,#FALSE#")},
        {"fields on one line", "3\r\n3\r\n1\r\n" + std::string("#FALSE#,0,0,#FALSE#,#FALSE#,#FALSE#,") + "#FALSE#,0,0,#FALSE#,#FALSE#,#FALSE#\r\n"},
        {"a cell more than the header says", good + "#FALSE#,0,0,#FALSE#,#FALSE#,#FALSE#\r\n"},
        {"blank line inside", good.substr(0, 9) + "\r\n" + good.substr(9)},
    };
    for (const auto& [name, text] : cases) EXPECT_FALSE(parseSavedGame(text)) << name;
}

TEST(MineLayoutText, WritesOneCharacterACellAndCrLfAfterEveryRow) {
    std::vector<bool> mines(9, false);
    mines[0] = true;  // (1, 1)
    mines[5] = true;  // (3, 2)
    EXPECT_EQ(formatMineLayout(3, 3, mines), "m--\r\n--m\r\n---\r\n");
    std::vector<bool> nine(81, false);
    for (int i = 0; i < 10; ++i) nine[static_cast<std::size_t>(i * 8)] = true;
    const std::string text = formatMineLayout(9, 9, nine);
    EXPECT_EQ(text.size(), 99u);
    EXPECT_EQ(std::count(text.begin(), text.end(), 'm'), 10);
    const MineLayoutScan scan = scanMineLayout(text);
    EXPECT_EQ(scan.width, 9);
    EXPECT_EQ(scan.rows, 9);
    EXPECT_EQ(scan.mines, 10);
    EXPECT_EQ(scan.mineCells.front(), (LayoutCell{1, 1}));
    EXPECT_EQ(scan.mineCells.back(), (LayoutCell{1, 9}));
}

TEST(MineLayoutText, EmptyLinesAreSkippedAndTheLongestRowIsTheWidth) {
    // M - m / (empty) / - x - / m m : three rows, four mines, nothing in row 3 column 3.
    const MineLayoutScan scan = scanMineLayout("M-m\r\n\r\n-x-\r\nmm");
    EXPECT_EQ(scan.width, 3);
    EXPECT_EQ(scan.rows, 3);
    EXPECT_EQ(scan.mines, 4);
    EXPECT_EQ(scan.mineCells, (std::vector<LayoutCell>{{1, 1}, {3, 1}, {1, 3}, {2, 3}}));

    EXPECT_EQ(scanMineLayout("   \r\n     \n\n\r\r   ").width, 5);  // blanks count, lone LF and CR end lines
    EXPECT_EQ(scanMineLayout("   \r\n     \n\n\r\r   ").rows, 3);
    const MineLayoutScan bom = scanMineLayout("\xEF\xBB\xBF---\r\n-m-\r\n---\r\n");
    EXPECT_EQ(bom.width, 3);
    EXPECT_EQ(bom.mineCells, (std::vector<LayoutCell>{{2, 2}}));
    EXPECT_EQ(scanMineLayout("").rows, 0);
    EXPECT_EQ(scanMineLayout(std::string("\0\0\0", 3)).width, 3);  // binary bytes are free cells
}

TEST(MineLayoutText, MeasuresOfHugeLayoutsAreCountedButOnlyCellsOnTheLargestBoardKept) {
    std::string text;
    for (int r = 0; r < 1000; ++r) text += std::string(500, 'M') + "\n";
    const MineLayoutScan scan = scanMineLayout(text);
    EXPECT_EQ(scan.width, 500);
    EXPECT_EQ(scan.rows, 1000);
    EXPECT_EQ(scan.mines, 500000);
    EXPECT_EQ(scan.mineCells.size(), 720u);
}

TEST(TextLines, CrLfLoneCrAndLoneLfEachEndOneLine) {
    EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (std::vector<std::string_view>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\n\rb\r\n"), (std::vector<std::string_view>{"a", "", "b"}));
    EXPECT_EQ(splitLines("\xEF\xBB\xBF"), std::vector<std::string_view>{});
    EXPECT_EQ(splitLines("\r\n"), (std::vector<std::string_view>{""}));
}

}  // namespace
}  // namespace gravlin::storage
