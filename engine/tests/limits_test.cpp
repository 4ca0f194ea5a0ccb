// Input beyond what any board can produce, and calls that fail: refused at once, and
// nothing listed that could pass for a complete answer.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <sstream>
#include <string>

#include "report.h"
#include "solver_state.h"

namespace {
// While set, every allocation through operator new fails, as when memory runs out.
std::atomic<bool> failAllocations{false};

void* allocate(std::size_t size) noexcept {
    return failAllocations.load(std::memory_order_relaxed) ? nullptr : std::malloc(size == 0 ? 1 : size);
}
void* allocateOrThrow(std::size_t size) {
    if (void* p = allocate(size)) return p;
    throw std::bad_alloc();
}
}  // namespace

// All the plain forms, so that every pair of new and delete stays malloc and free.
void* operator new(std::size_t size) {
    return allocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return allocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace gravlin::engine {
namespace {

// The i-th cell of a 30 x 24 board and one more column: 720 is the first of column 31.
int32_t cellCode(size_t i) {
    return static_cast<int32_t>((i / 24 + 1) * 100 + i % 24 + 1);
}

std::string displayCell(size_t i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "a[ %02d,%02d ]", cellCode(i) / 100, cellCode(i) % 100);
    return buf;
}

bool unreadable(const std::string& system) {
    return probabilityReport(system, SuggestionRule::Safest).find("konnte nicht gelesen werden") !=
           std::string::npos;
}

// Each bound holds exactly: at the bound the text is read, one past it not.
TEST(Bounds, TextsBeyondAnyBoardAreUnreadable) {
    const std::string one = "a[ 01,01 ] + a[ 01,02 ] = 1";
    for (const size_t over : {0, 1}) {
        SCOPED_TRACE(over ? "one past each bound" : "at each bound");
        const size_t n = kMaxUnknowns + over;
        std::string sum, pairs, compact, repeated;
        for (size_t i = 0; i < n; ++i) {
            sum += (i ? " + " : "") + displayCell(i);
            if (i % 2 == 1)
                pairs += (i > 1 ? ",\r\n" : "") + displayCell(i - 1) + " + " + displayCell(i) + " = 1";
            compact += (i ? "+" : "") + std::to_string(cellCode(i) + 10000).substr(1);
        }
        if (n % 2 == 1) pairs += ",\r\n" + displayCell(n - 1) + " = 0";
        for (size_t i = 0; i < kMaxEquations + over; ++i) repeated += "a[ 01,01 ] = 1,\r\n";
        EXPECT_EQ(unreadable(sum + " = 5"), over == 1) << "unknowns in one equation";
        EXPECT_EQ(unreadable(pairs), over == 1) << "unknowns in pairs";
        EXPECT_EQ(unreadable(repeated), over == 1) << "equations";
        EXPECT_EQ(unreadable(one + std::string(kMaxSystemText - one.size() + over, ' ')), over == 1)
            << "text";
        const ParseResult want = over ? ParseResult::Rejected : ParseResult::Ok;
        Equation e;
        EXPECT_EQ(parseCompact(compact + "=5", e), want) << "unknowns in compact notation";
        EXPECT_EQ(parseCompact("0101=1" + std::string(kMaxEquationText - 6 + over, ' '), e), want);
    }
}

// The equation that passes a bound makes the whole system unreadable: nothing is listed, the
// trace says why, and further equations are ignored until a new system starts.
TEST(SolverState, ASystemBeyondAnyBoardListsNothingUntilANewOne) {
    const std::string trace = ::testing::TempDir() + "gravlin_unreadable_test.trace";
    std::remove(trace.c_str());
    SolverState state;
    state.noteTraceFile(trace.c_str());
    for (size_t i = 0; i < kMaxUnknowns; ++i)
        ASSERT_TRUE(state.add(std::to_string(cellCode(i) + 10000).substr(1) + "=1"));
    EXPECT_FALSE(state.add("3101=1"));
    EXPECT_EQ(state.next(1, -1), -1);
    EXPECT_EQ(state.next(0, -1), -1);
    EXPECT_NE((std::stringstream() << std::ifstream(trace).rdbuf())
                  .str()
                  .find("Gleichungssystem nicht gelesen: mehr als 720 Unbekannte"),
              std::string::npos);
    EXPECT_FALSE(state.add("0101=1"));
    state.clear();
    EXPECT_TRUE(state.add("0101=1"));
    EXPECT_EQ(state.next(1, -1), 101);
    std::remove(trace.c_str());
}

// Whether the call ran out of memory while every allocation failed.
template <class Call>
bool runsOutOfMemory(Call call) {
    failAllocations = true;
    bool threw = false;
    try {
        call();
    } catch (const std::bad_alloc&) {
        threw = true;
    }
    failAllocations = false;
    return threw;
}

// Memory running out: an analysis that cannot be made lists nothing and is made again at the
// next listing; an equation that cannot be stored leaves an unreadable system rather than one
// that lacks it.
TEST(SolverState, AFailedCallLeavesNothingThatPassesForAnAnswer) {
    SolverState state;
    ASSERT_TRUE(state.add("0101+0102=1"));
    ASSERT_TRUE(state.add("0102=1"));
    EXPECT_TRUE(runsOutOfMemory([&] { state.next(0, -1); }));
    EXPECT_EQ(state.next(0, -1), 101);
    EXPECT_EQ(state.next(1, -1), 102);
    EXPECT_TRUE(runsOutOfMemory([&] { state.add("0201=0"); }));
    EXPECT_TRUE(state.unreadable());
    EXPECT_EQ(state.next(0, -1), -1);
    EXPECT_EQ(state.next(1, -1), -1);
    EXPECT_FALSE(state.add("0201=0"));
}

}  // namespace
}  // namespace gravlin::engine
