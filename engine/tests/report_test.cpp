// What the player reads: the two notations equations arrive in and the probability text
// (the cell it suggests: suggestion_test.cpp).
#include "report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "equation.h"

namespace gravlin::engine {
namespace {

TEST(CompactNotation, ReadsUnknownsAndRightHandSideAndRejectsEverythingElse) {
    Equation e;
    ASSERT_EQ(parseCompact(" 3024 + 0406+0408 = -0007 ", e), ParseResult::Ok);
    EXPECT_EQ(e.codes, (std::vector<int32_t>{406, 408, 3024}));
    EXPECT_EQ(e.rhs, -7);
    EXPECT_EQ(parseCompact("0406=2147483647", e), ParseResult::Ok);
    EXPECT_EQ(parseCompact("9999=-2147483648", e), ParseResult::Ok);
    // clang-format off
    std::vector<std::string> bad{
        "0406", "0406+=1", "+0406=1", "0406+0408", "0406=", "0406=1=2", "406=1", "04060=1", "0406=1x", "0406=1:",
        "0000=0", "0100=1", "0001=1", "0406+0406=2", "=1", "0406==1", "0406=--1", "0406 0408=1",
        "a[ 04,06 ] = 1", "0406=2147483648", "0406=-2147483649", "0406=99999999999999999999",
        std::string(1 << 20, '+')};
    // clang-format on
    bad.emplace_back();
    for (int i = 0; i < 200000; ++i) bad.back() += "0101+";  // a long sum repeating its unknown
    bad.back() += "=1";
    for (const std::string& text : bad) {
        // A heap copy without a terminator, so a read past the end shows under AddressSanitizer.
        const auto exact = std::make_unique<char[]>(text.size());
        std::copy(text.begin(), text.end(), exact.get());
        EXPECT_EQ(parseCompact({exact.get(), text.size()}, e), ParseResult::Rejected) << text.substr(0, 40);
    }
}

TEST(ProbabilityReport, NamesTheSuggestionAboveTheGrid) {
    // Field 4 x 3, column 1 open with counts 1, total 2 over the nine covered cells.
    const std::string text =
        "a[ 02,01 ] + a[ 02,02 ] = 1,\r\na[ 02,01 ] + a[ 02,02 ] + a[ 02,03 ] = 1,\r\n"
        "a[ 02,02 ] + a[ 02,03 ] = 1,\r\n\r\n/*g*/a[ 02,01 ] + a[ 02,02 ] + a[ 02,03 ] + a[ 03,01 ] + "
        "a[ 03,02 ] + a[ 03,03 ] + a[ 04,01 ] + a[ 04,02 ] + a[ 04,03 ] = 2";
    // 0202 is the only mine of column 2; the other mine is one of six cells: 1/6 = 16.7 %.
    EXPECT_EQ(probabilityReport(text),
              "Minenwahrscheinlichkeiten in Prozent\r\n"
              "Vorschlag: a[ 02,01 ] mit 0.0 %\r\n"
              "      01    02    03    04\r\n"
              "01     .   0.0  16.7  16.7\r\n"
              "02     . 100.0  16.7  16.7\r\n"
              "03     .   0.0  16.7  16.7\r\n");
}

// X + Y = 1 and Y + G1 + ... + Gk = k, u cells that only the total sum names, k + 1 mines:
// X is a mine in 1 of the 1 + k u layouts, Y in the others. X and Y end the first two rows.
std::string rare(int k, int u) {
    std::string t = "a[ 30,01 ] + a[ 30,02 ] = 1,\r\na[ 30,02 ]", total = "a[ 30,01 ] + a[ 30,02 ]";
    char buf[24];
    for (int i = 0; i < k; ++i) {
        std::snprintf(buf, sizeof buf, " + a[ 30,%02d ]", i + 3);
        t += buf;
        total += buf;
    }
    for (int i = 0; i < u; ++i) {
        std::snprintf(buf, sizeof buf, " + a[ %02d,%02d ]", i % 29 + 1, i / 29 + 1);
        total += buf;
    }
    return t + " = " + std::to_string(k) + ",\r\n/*g*/" + total + " = " + std::to_string(k + 1);
}

TEST(ProbabilityReport, RoundsHalfUpButNeverToCertainty) {
    // 1 in 8: exactly 12.5; 1 in 16: 6.25 -> 6.3; 1 in 400: 0.25 -> 0.3; 1 in 2001 stays "<0.1"
    // and 2000 in 2001 ">99.9".
    const struct {
        std::string text;
        const char *shows, *never;
    } rows[] = {// clang-format off
        {rare(1, 7), "  12.5\r\n02", "12.4"}, {rare(1, 15), "   6.3\r\n02", "6.2"},
        {rare(7, 57), "   0.3\r\n02", "0.2"}, {rare(10, 200), "  <0.1\r\n02", " 0.0 "},
        {rare(10, 200), " >99.9\r\n03", "100.0"}};
    // clang-format on
    for (const auto& row : rows) {
        const std::string r = probabilityReport(row.text);
        EXPECT_NE(r.find(row.shows), std::string::npos) << row.shows << "\n" << r;
        EXPECT_EQ(r.find(row.never), std::string::npos) << row.never;
    }
}

// Any malformed item makes the whole text unreadable; empty items are skipped.
TEST(ProbabilityReport, SaysSoWhenNothingFitsOrTheTextIsUnreadable) {
    const std::string heading = "Minenwahrscheinlichkeiten in Prozent\r\n";
    EXPECT_EQ(probabilityReport("a[ 01,01 ] + a[ 01,02 ] = 3"),
              heading + "Keine Minenverteilung passt zu allen Gleichungen.\r\n");
    for (const char* text : {"", " /*g*/ ", ",\r\n,"})
        EXPECT_EQ(probabilityReport(text), heading + "Das Gleichungssystem enthält keine Unbekannten.\r\n");
    EXPECT_NE(probabilityReport("a[ 01,01 ] = 1,\r\n\r\n/*g*/").find("01 100.0\r\n"), std::string::npos);
    // clang-format off
    const char* unreadable[] = {"a[ 01,01 ] = ", "a[ 01 ] = 1", "a[ 001,01 ] = 1", "a[ 00,01 ] = 1", "hello",
                                "a[ 01,01 ] + = 1", "b[ 01,01 ] = 1", "a[ 01,01 ] = 1 a[ 01,02 ] = 1",
                                "a[ 01,01 ] + a[ 01,01 ] = 1", "a[ 01,01 = 1", "/*g*/ /*g*/ a[ 01,01 ] = 1",
                                "a[ 01,01 ] = 1,0101=1"};
    // clang-format on
    for (const char* text : unreadable)
        EXPECT_EQ(probabilityReport(text), heading + "Das Gleichungssystem konnte nicht gelesen werden.\r\n");
}

}  // namespace
}  // namespace gravlin::engine
