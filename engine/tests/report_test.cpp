#include "report.h"

#include <gtest/gtest.h>

#include <string>

namespace gravlin::engine {
namespace {

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

TEST(ProbabilityReport, TheSafestRulePrefersConstrainedCellsAmongEquals) {
    // All four cells 50 %: 0303 is the first constrained one, 0101 only in the total.
    const std::string r = probabilityReport(
        "a[ 03,03 ] + a[ 03,04 ] = 1,\r\n\r\n/*g*/a[ 01,01 ] + "
        "a[ 01,02 ] + a[ 03,03 ] + a[ 03,04 ] = 2",
        SuggestionRule::Safest);
    EXPECT_NE(r.find("Vorschlag: a[ 03,03 ] mit 50.0 %\r\n"), std::string::npos) << r;
}

TEST(ProbabilityReport, TinyAndNearCertainValuesAreNeverRoundedToCertainty) {
    // One mine among 2001 cells: 0.05 % rounds up to 0.1; one among 2002 stays "<0.1".
    auto total = [](int cells, int mines) {
        std::string t = "/*g*/";
        for (int i = 0; i < cells; ++i) {
            char buf[24];
            std::snprintf(buf, sizeof buf, "%sa[ %02d,%02d ]", i ? " + " : "", i / 99 + 1, i % 99 + 1);
            t += buf;
        }
        return t + " = " + std::to_string(mines);
    };
    EXPECT_NE(probabilityReport(total(2000, 1)).find("   0.1"), std::string::npos);
    const std::string tiny = probabilityReport(total(2001, 1));
    EXPECT_NE(tiny.find("  <0.1"), std::string::npos);
    EXPECT_EQ(tiny.find(" 0.0 "), std::string::npos);
    const std::string high = probabilityReport(total(2001, 2000));
    EXPECT_NE(high.find(" >99.9"), std::string::npos);
    EXPECT_EQ(high.find("100.0"), std::string::npos);
}

TEST(ProbabilityReport, RoundsHalfUpOnExactTies) {
    // 1 mine in 8 cells: exactly 12.5 %; 1 in 16: 6.25 % -> 6.3.
    auto row = [](int cells, int mines) {
        std::string t = "/*g*/";
        for (int i = 1; i <= cells; ++i)
            t += (i > 1 ? " + a[ 01," : "a[ 01,") + std::string(i < 10 ? "0" : "") + std::to_string(i) + " ]";
        return t + " = " + std::to_string(mines);
    };
    EXPECT_NE(probabilityReport(row(8, 1)).find("12.5"), std::string::npos);
    EXPECT_NE(probabilityReport(row(16, 1)).find(" 6.3\r\n"), std::string::npos);
}

TEST(ProbabilityReport, SaysSoWhenNothingFits) {
    const std::string r = probabilityReport("a[ 01,01 ] + a[ 01,02 ] = 3");
    EXPECT_EQ(
        r, "Minenwahrscheinlichkeiten in Prozent\r\nKeine Minenverteilung passt zu allen Gleichungen.\r\n");
}

TEST(ProbabilityReport, UnreadableTextIsReportedNotGuessed) {
    for (const char* text : {"a[ 01,01 ] = ", "hello", "0101+0102=1", ",,,a"}) {
        const std::string r = probabilityReport(text);
        EXPECT_NE(r.find("nicht gelesen"), std::string::npos) << text;
        EXPECT_EQ(r.find("Vorschlag"), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace gravlin::engine
