#pragma once
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace gravlin {

// A per-cell array indexed [x, y] with both lower bounds 1, x first. Every access is
// range-checked: a bad index throws instead of touching memory outside the board.
template <typename T>
class Grid {
  public:
    Grid() = default;
    Grid(int width, int height) { reset(width, height); }

    void reset(int width, int height) {
        if (width < 0 || height < 0) throw std::out_of_range("negative board size");
        width_ = width;
        height_ = height;
        cells_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), T{});
    }

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 1 && x <= width_ && y >= 1 && y <= height_; }

    typename std::vector<T>::reference operator()(int x, int y) { return cells_[index(x, y)]; }
    typename std::vector<T>::const_reference operator()(int x, int y) const { return cells_[index(x, y)]; }

    bool operator==(const Grid&) const = default;

  private:
    std::size_t index(int x, int y) const {
        if (!contains(x, y)) throw std::out_of_range("cell outside the board");
        return static_cast<std::size_t>(y - 1) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x - 1);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<T> cells_;
};

}  // namespace gravlin
