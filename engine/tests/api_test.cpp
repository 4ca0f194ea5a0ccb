// The exported functions, called the way the game calls them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gravlin/engine.h"

namespace {

std::vector<int32_t> listing(int32_t (*next)(int32_t)) {
    std::vector<int32_t> codes;
    for (int32_t c = next(-1); c >= 0 && codes.size() < 10000; c = next(c)) codes.push_back(c);
    return codes;
}

void solve(const std::vector<const char*>& equations) {
    QZNewSystem();
    for (const char* e : equations) {
        QZInterpreter(e);
        QZSolve();
    }
}

TEST(Api, SolveSequenceListsAndRestartsAndForgets) {
    // Unreadable and empty texts add nothing; the rest is the 1 2 1 pattern with a total.
    solve({nullptr, "", "garbage", "9999+0000=1", "0101=99999999999", "0101+", "\x01\x02\xff",
           "0101+0201+0301=1", "0201+0301+0401=2", "0301+0401+0501=1", "0101+0201+0301+0401+0501+0909=2"});
    EXPECT_EQ(listing(QZGetNextFree), (std::vector<int32_t>{101, 301, 501, 909}));
    EXPECT_EQ(listing(QZGetNextMine), (std::vector<int32_t>{201, 401}));
    // -1 restarts; an arbitrary previous value continues after it.
    EXPECT_EQ(QZGetNextFree(-1), 101);
    EXPECT_EQ(QZGetNextFree(302), 501);
    EXPECT_EQ(QZGetNextFree(INT32_MIN), 101);
    EXPECT_LT(QZGetNextFree(INT32_MAX), 0);
    QZNewSystem();
    EXPECT_LT(QZGetNextMine(-1), 0);
    EXPECT_LT(QZGetNextFree(-1), 0);
    QZInterpreter(std::string(1 << 20, '+').c_str());
    solve({"0101+0102=0"});
    EXPECT_EQ(listing(QZGetNextFree), (std::vector<int32_t>{101, 102}));
}

TEST(Api, CalcStochReturnsMallocedText) {
    char* text = QZcalcStoch("a[ 01,01 ] + a[ 01,02 ] = 1,\r\n\r\n/*g*/a[ 01,01 ] + a[ 01,02 ] = 1");
    ASSERT_NE(text, nullptr);
    EXPECT_NE(std::string(text).find("50.0"), std::string::npos);
    std::free(text);
    QZcalcStochEnd();
    char* empty = QZcalcStoch(nullptr);
    ASSERT_NE(empty, nullptr);
    std::free(empty);
    QZcalcStochEnd();
}

TEST(Api, TraceAppendsTimeStampedRecords) {
    const std::string name = ::testing::TempDir() + "gravlin_engine_api_test.trace";
    std::remove(name.c_str());
    QZtrace(name.c_str(), "Vor Solve: 0101=1");
    QZtrace(name.c_str(), "Nach Solve - Ohne Summe");
    QZtrace(nullptr, "ignored");
    QZtrace(name.c_str(), nullptr);
    QZtrace("/nonexistent-dir/kv.trace", "ignored");
    std::ifstream in(name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find(" Vor Solve: 0101=1"), std::string::npos);
    EXPECT_EQ(lines[0][4], '-');  // the record starts with the date
    EXPECT_NE(lines[1].find("Nach Solve - Ohne Summe"), std::string::npos);
    std::remove(name.c_str());
}

}  // namespace
