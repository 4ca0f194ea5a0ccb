#include "report.h"

#include <gtest/gtest.h>

#include <cstdio>
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

// One equation over `cells` unknowns in a column of 99 rows at most, with `mines` mines.
std::string sum(int cells, int mines) {
    std::string t = "/*g*/";
    for (int i = 0; i < cells; ++i) {
        char buf[24];
        std::snprintf(buf, sizeof buf, "%sa[ %02d,%02d ]", i ? " + " : "", i / 99 + 1, i % 99 + 1);
        t += buf;
    }
    return t + " = " + std::to_string(mines);
}

TEST(ProbabilityReport, RoundsHalfUpButNeverToCertainty) {
    // 1 in 8: exactly 12.5; 1 in 16: 6.25 -> 6.3; 1 in 2000: 0.05 -> 0.1; 1 in 2001 stays "<0.1"
    // and 2000 in 2001 ">99.9".
    const struct {
        int cells, mines;
        const char *shows, *never;
    } rows[] = {{8, 1, "  12.5\r\n", "12.4"},
                {16, 1, "   6.3\r\n", "6.2"},
                {2000, 1, "   0.1\r\n", " 0.0 "},
                {2001, 1, "  <0.1\r\n", " 0.0 "},
                {2001, 2000, " >99.9\r\n", "100.0"}};
    for (const auto& row : rows) {
        const std::string r = probabilityReport(sum(row.cells, row.mines));
        EXPECT_NE(r.find(row.shows), std::string::npos) << row.cells << " " << row.mines;
        EXPECT_EQ(r.find(row.never), std::string::npos) << row.cells << " " << row.mines;
    }
}

TEST(ProbabilityReport, SaysSoWhenNothingFitsOrTheTextIsUnreadable) {
    const std::string heading = "Minenwahrscheinlichkeiten in Prozent\r\n";
    EXPECT_EQ(probabilityReport("a[ 01,01 ] + a[ 01,02 ] = 3"),
              heading + "Keine Minenverteilung passt zu allen Gleichungen.\r\n");
    for (const char* text : {"a[ 01,01 ] = ", "hello", ",,,a"})
        EXPECT_EQ(probabilityReport(text), heading + "Das Gleichungssystem konnte nicht gelesen werden.\r\n");
}

}  // namespace
}  // namespace gravlin::engine
