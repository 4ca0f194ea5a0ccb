#include "equation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace gravlin::engine {
namespace {

TEST(CompactNotation, ReadsUnknownsAndRightHandSide) {
    Equation e;
    ASSERT_EQ(parseCompact("0607+0406+0408=1", e), ParseResult::Ok);
    EXPECT_EQ(e.codes, (std::vector<int32_t>{406, 408, 607}));
    EXPECT_EQ(e.rhs, 1);
    ASSERT_EQ(parseCompact("1311=-2", e), ParseResult::Ok);
    EXPECT_EQ(e.rhs, -2);
    ASSERT_EQ(parseCompact(" 3024 + 0101 = 0007 ", e), ParseResult::Ok);
    EXPECT_EQ(e.codes, (std::vector<int32_t>{101, 3024}));
    EXPECT_EQ(e.rhs, 7);
}

TEST(CompactNotation, EmptyTextAddsNothing) {
    Equation e;
    EXPECT_EQ(parseCompact("", e), ParseResult::Empty);
    EXPECT_EQ(parseCompact(" \r\n", e), ParseResult::Empty);
}

TEST(CompactNotation, RejectsEverythingElse) {
    const char* bad[] = {"0406",
                         "0406+=1",
                         "+0406=1",
                         "0406+0408",
                         "0406=",
                         "0406=1=2",
                         "406=1",
                         "04060=1",
                         "0406=1x",
                         "0000=0",
                         "0100=1",
                         "0001=1",
                         "0406+0406=2",
                         "0406=2147483648",
                         "0406=-2147483649",
                         "0406=99999999999999999999",
                         "=1",
                         "a[ 04,06 ] = 1",
                         "0406==1",
                         "0406=--1",
                         "0406 0408=1"};
    for (const char* text : bad) {
        // A heap copy without a terminator, so a read past the end shows under AddressSanitizer.
        const std::string_view source(text);
        const auto exact = std::make_unique<char[]>(source.size());
        std::copy(source.begin(), source.end(), exact.get());
        Equation e;
        EXPECT_EQ(parseCompact({exact.get(), source.size()}, e), ParseResult::Rejected) << text;
    }
    Equation e;
    EXPECT_EQ(parseCompact("0406=2147483647", e), ParseResult::Ok);
    EXPECT_EQ(parseCompact("9999=-2147483648", e), ParseResult::Ok);
}

TEST(CompactNotation, LongGarbageIsRejectedQuickly) {
    Equation e;
    EXPECT_EQ(parseCompact(std::string(1 << 20, '+'), e), ParseResult::Rejected);
    std::string longSum;
    for (int i = 0; i < 200000; ++i) longSum += "0101+";
    EXPECT_EQ(parseCompact(longSum + "=1", e), ParseResult::Rejected);  // repeated unknown
}

TEST(DisplayNotation, ReadsTheProgramsText) {
    std::vector<Equation> eqs;
    const std::string text =
        "a[ 02,01 ] + a[ 02,02 ] = 1,\r\na[ 02,01 ] + a[ 02,02 ] + a[ 02,03 ] = 1,\r\n"
        "a[ 02,02 ] + a[ 02,03 ] = 1,\r\n\r\n/*g*/a[ 02,01 ] + a[ 02,02 ] + a[ 02,03 ] + a[ 03,01 ] = 2";
    ASSERT_EQ(parseDisplaySystem(text, eqs), ParseResult::Ok);
    ASSERT_EQ(eqs.size(), 4u);
    EXPECT_TRUE(eqs[0].cellEquation);
    EXPECT_FALSE(eqs[3].cellEquation);
    EXPECT_EQ(eqs[3].codes, (std::vector<int32_t>{201, 202, 203, 301}));
    EXPECT_EQ(eqs[3].rhs, 2);
}

TEST(DisplayNotation, EmptyTotalSumPartIsAccepted) {
    std::vector<Equation> eqs;
    ASSERT_EQ(parseDisplaySystem("a[ 01,01 ] = 0,\r\n\r\n/*g*/", eqs), ParseResult::Ok);
    EXPECT_EQ(eqs.size(), 1u);
    EXPECT_EQ(parseDisplaySystem("", eqs), ParseResult::Empty);
    EXPECT_EQ(parseDisplaySystem("/*g*/", eqs), ParseResult::Empty);
}

TEST(DisplayNotation, MalformedItemRejectsTheText) {
    const char* bad[] = {"a[ 01,01 ] = ",
                         "a[ 01 ] = 1",
                         "a[ 001,01 ] = 1",
                         "a[ 00,01 ] = 1",
                         "a[ 01,01 ] + = 1",
                         "a[ 01,01 ] = 1 a[ 01,02 ] = 1",
                         "b[ 01,01 ] = 1",
                         "a[ 01,01 ] + a[ 01,01 ] = 1",
                         "/*g*/ /*g*/ a[ 01,01 ] = 1",
                         "a[ 01,01 = 1"};
    for (const char* text : bad) {
        std::vector<Equation> eqs;
        EXPECT_EQ(parseDisplaySystem(text, eqs), ParseResult::Rejected) << text;
    }
}

}  // namespace
}  // namespace gravlin::engine
