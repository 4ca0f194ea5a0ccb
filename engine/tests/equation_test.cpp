#include "equation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace gravlin::engine {
namespace {

TEST(CompactNotation, ReadsUnknownsAndRightHandSide) {
    Equation e;
    ASSERT_EQ(parseCompact("0607+0406+0408=1", e), ParseResult::Ok);
    EXPECT_EQ(e.codes, (std::vector<int32_t>{406, 408, 607}));
    EXPECT_EQ(e.rhs, 1);
    ASSERT_EQ(parseCompact(" 3024 + 0101 = -0007 ", e), ParseResult::Ok);
    EXPECT_EQ(e.codes, (std::vector<int32_t>{101, 3024}));
    EXPECT_EQ(e.rhs, -7);
    EXPECT_EQ(parseCompact("0406=2147483647", e), ParseResult::Ok);
    EXPECT_EQ(parseCompact("9999=-2147483648", e), ParseResult::Ok);
    EXPECT_EQ(parseCompact(" \r\n", e), ParseResult::Empty);
}

TEST(CompactNotation, RejectsEverythingElse) {
    // clang-format off
    std::vector<std::string> bad{
        "0406", "0406+=1", "+0406=1", "0406+0408", "0406=", "0406=1=2", "406=1", "04060=1", "0406=1x",
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
        Equation e;
        EXPECT_EQ(parseCompact({exact.get(), text.size()}, e), ParseResult::Rejected) << text.substr(0, 40);
    }
}

TEST(DisplayNotation, ReadsTheProgramsText) {
    std::vector<Equation> eqs;
    ASSERT_EQ(parseDisplaySystem("a[ 02,01 ] + a[ 02,02 ] = 1,\r\na[ 02,02 ] + a[ 02,03 ] = 1,\r\n\r\n"
                                 "/*g*/a[ 02,01 ] + a[ 02,02 ] + a[ 02,03 ] + a[ 03,01 ] = 2",
                                 eqs),
              ParseResult::Ok);
    ASSERT_EQ(eqs.size(), 3u);
    EXPECT_TRUE(eqs[0].cellEquation);
    EXPECT_FALSE(eqs[2].cellEquation);
    EXPECT_EQ(eqs[2].codes, (std::vector<int32_t>{201, 202, 203, 301}));
    EXPECT_EQ(eqs[2].rhs, 2);
    eqs.clear();
    ASSERT_EQ(parseDisplaySystem("a[ 01,01 ] = 0,\r\n\r\n/*g*/", eqs), ParseResult::Ok);
    EXPECT_EQ(eqs.size(), 1u);
    EXPECT_EQ(parseDisplaySystem("", eqs), ParseResult::Empty);
    EXPECT_EQ(parseDisplaySystem("/*g*/", eqs), ParseResult::Empty);
}

TEST(DisplayNotation, MalformedItemRejectsTheText) {
    for (const char* text :
         {"a[ 01,01 ] = ", "a[ 01 ] = 1", "a[ 001,01 ] = 1", "a[ 00,01 ] = 1", "a[ 01,01 ] + = 1",
          "a[ 01,01 ] = 1 a[ 01,02 ] = 1", "b[ 01,01 ] = 1", "a[ 01,01 ] + a[ 01,01 ] = 1",
          "/*g*/ /*g*/ a[ 01,01 ] = 1", "a[ 01,01 = 1", "a[ 01,01 ] = 1,0101+0102=1"}) {
        std::vector<Equation> eqs;
        EXPECT_EQ(parseDisplaySystem(text, eqs), ParseResult::Rejected) << text;
    }
}

}  // namespace
}  // namespace gravlin::engine
