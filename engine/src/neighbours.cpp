#include "neighbours.h"

namespace gravlin::engine {

std::vector<uint32_t> neighbourUnknowns(const IndexedSystem& system, size_t i) {
    const int32_t code = system.codes()[i];
    const int32_t x = code / 100;
    const int32_t y = code % 100;
    std::vector<uint32_t> out;
    for (int32_t nx = x - 1; nx <= x + 1; ++nx)
        for (int32_t ny = y - 1; ny <= y + 1; ++ny) {
            if ((nx == x && ny == y) || nx < 0 || ny < 0 || ny > 99) continue;
            if (const auto k = system.indexOf(100 * nx + ny)) out.push_back(*k);
        }
    return out;
}

}  // namespace gravlin::engine
