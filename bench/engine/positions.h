// Positions for the engine benchmarks, as the game would hand them to the engine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gravlin::bench {

struct Position {
    std::vector<std::string> cellEquations;  // compact notation, column by column
    std::string totalSum;                    // compact notation, may be empty
    std::string display;                     // text for the probability computation
    bool stuck = false;                      // no certainly free cell: the game offers probabilities
    size_t repeat = 1;                       // each cell equation goes to the engine this often
};

// Random games played with perfect deduction until stuck, then a random safe cell is
// opened; a snapshot is taken at every stage.
std::vector<Position> randomGames(int width, int height, int mines, int games, uint64_t seed);

// Uncovered rows joined at alternate ends into one snake, so the covered cells beside
// them form a single component of several hundred unknowns.
std::vector<Position> longFrontiers(int count, uint64_t seed);

// Scattered numbered cells on every second row and column of a patch of the field: the
// unknowns between them form a grid-shaped component.
std::vector<Position> lattices(int patch, int count, uint64_t seed);

// Whole boards whose cells at every step-th column and row (x and y divisible by step) are
// open and show their true number; the mines lie anywhere else.
std::vector<Position> everyNthCell(int width, int height, int mines, int step, int count, uint64_t seed);

// Open cells on every second column and row of a region at a random place of the board.
std::vector<Position> latticeRegions(int width, int height, int mines, int regionWidth, int regionHeight,
                                     int count, uint64_t seed);

// 60 to 99 mines, and 20 % to 50 % of the safe cells open, scattered at random.
std::vector<Position> scatters(int width, int height, int count, uint64_t seed);

// a[ x,y ] + a[ x+1,y+1 ] = 1 for x 1 .. width - 1, y 1 .. height - 1: diagonal chains of
// pairs, no total sum. 30 x 24 gives 667 equations over 718 unknowns.
Position diagonalPairs(int width, int height);

// Not from a board but within its bounds: each of the width x height cells is the only one
// missing from an equation over all the others, a fifth of them mines, and the total sum:
// every key of the counter's states holds hundreds of needs.
Position allButOne(int width, int height, uint64_t seed);

// Not from a board but within its bounds: the 30 x 24 cells in nine classes by x and y
// modulo 3, so that the neighbours of a cell lie in the eight other classes; each class is a
// sequence in random order, and each run of `window` cells of it holds `mines` mines (the
// class of (3, 3) one fewer, so that its cells are the safest). Cheap to count, and no cell
// is certain; but with the neighbours of a cell as one more equation the classes join into
// a component that no sweep of the field can follow, so that the look-ahead's censuses run
// into a guard.
Position interleavedWindows(int window, int mines, bool withTotal, uint64_t seed);

// Not from a board but within its bounds: 200 runs of three cells of a 30 x 20 field, each
// first k runs one equation with k mines, and apart from them 20 rows of five cells with one
// mine each (the safest cells). Cheap to count, but choosing the order of the big
// component's groups takes milliseconds, and every census of the look-ahead does it again.
Position prefixSums(bool withTotal);

// Not from a board but within its bounds: the cells of a 30 x 24 field at random in groups
// of `size`, each equation the sum over `span` groups in a row (groupChain) or over `per`
// groups at random (groupSums, `count` equations). Every state of the counter allows only
// a few of the numbers of mines of a group of dozens of cells; with groupSums, one layer
// of the states makes the next many times as large.
Position groupChain(int size, int span, uint64_t seed);
Position groupSums(int size, int count, int per, uint64_t seed);

// Beyond every board: `bytes` of "a[1,1]=1," for the probabilities, and one equation given
// `calls` times without a new system for the solve.
Position oversized(size_t bytes, size_t calls);

}  // namespace gravlin::bench
