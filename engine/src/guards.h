// Guards for systems beyond what the engine can analyse within its memory and time. When
// one trips, the analysis reports a partial result (analysis.h), never a guessed one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

namespace gravlin::engine {

struct Limits {
    // Bytes that the state tables, their keys and the counts of one analysis may hold at
    // once.
    size_t memoryBytes = size_t{176} << 20;
    // Steps that one analysis may take, deciding and counting together: transitions built
    // and walked back, words of their keys and rows, and limb operations of the exact
    // counts, each priced at about a nanosecond of the machine measured, so that a guard
    // trips within about half a second of CPU time there. Of 400 whole 30 x 24 boards with
    // every second cell open and 99 mines, the median took 20 million, the 99th percentile
    // 270 million, and one needed more than this.
    uint64_t work = 400'000'000;
};

struct TooLarge {};

// What one analysis may still use. Memory taken is given back when its holder lets it go;
// work spent stays spent, so many parts together cannot take longer than one.
class Budget {
  public:
    explicit Budget(const Limits& limits)
        : left_(limits.memoryBytes), work_(limits.work), workLeft_(limits.work) {}
    void take(size_t bytes) {
        if (bytes > left_) throw TooLarge{};
        left_ -= bytes;
    }
    void give(size_t bytes) { left_ += bytes; }
    void spend(uint64_t steps) {
        if (steps > workLeft_) throw TooLarge{};
        workLeft_ -= steps;
    }
    // Steps already taken: never trips itself, but leaves that much less, or nothing, to
    // what follows.
    void deduct(uint64_t steps) { workLeft_ -= steps < workLeft_ ? steps : workLeft_; }
    uint64_t spent() const { return work_ - workLeft_; }

  private:
    size_t left_;
    uint64_t work_;
    uint64_t workLeft_;
};

// Bytes taken from a budget, given back when the holder goes.
class Charge {
  public:
    explicit Charge(Budget& budget) : budget_(&budget) {}
    Charge(Charge&& other) noexcept : budget_(other.budget_), bytes_(std::exchange(other.bytes_, 0)) {}
    Charge& operator=(Charge&& other) noexcept {
        if (this != &other) {
            release();
            budget_ = other.budget_;
            bytes_ = std::exchange(other.bytes_, 0);
        }
        return *this;
    }
    Charge(const Charge&) = delete;
    Charge& operator=(const Charge&) = delete;
    ~Charge() { release(); }

    void take(size_t bytes) {
        budget_->take(bytes);
        bytes_ += bytes;
    }
    void give(size_t bytes) {
        bytes = bytes < bytes_ ? bytes : bytes_;
        budget_->give(bytes);
        bytes_ -= bytes;
    }
    void release() { give(bytes_); }
    Budget& budget() const { return *budget_; }

  private:
    Budget* budget_;
    size_t bytes_ = 0;
};

}  // namespace gravlin::engine
