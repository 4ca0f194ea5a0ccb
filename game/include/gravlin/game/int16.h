#pragma once
#include <cstdint>
#include <stdexcept>

namespace gravlin {

// The game's whole numbers are 16-bit; arithmetic on them is checked instead of wrapping.
class Overflow16 : public std::overflow_error {
  public:
    Overflow16() : std::overflow_error("16-bit overflow") {}
};

inline std::int16_t to16(long long value) {
    if (value < INT16_MIN || value > INT16_MAX) throw Overflow16();
    return static_cast<std::int16_t>(value);
}

inline void add16(std::int16_t& target, long long delta) {
    target = to16(static_cast<long long>(target) + delta);
}

// The statistics counters only inform; at the largest value they stop instead of failing
// every further click of a long game.
inline void countUp(std::int16_t& counter) {
    if (counter < INT16_MAX) ++counter;
}

}  // namespace gravlin
