// Guards for systems beyond what the engine can analyse within its memory and time. When
// one trips, the analysis reports a partial result (analysis.h), never a guessed one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

namespace gravlin::engine {

struct Limits {
    // Bytes that the state tables and counts of one analysis may hold at once.
    size_t memoryBytes = size_t{176} << 20;
    // Limb operations that the exact counting of one analysis may take, as estimated from
    // the bounds before it starts (about 1 ns each, so a call stays within two seconds); the
    // widest whole boards with 99 mines estimate below a seventh of it.
    uint64_t countingWork = uint64_t{3} << 29;
};

struct TooLarge {};

class Budget {
  public:
    explicit Budget(size_t bytes) : left_(bytes) {}
    void take(size_t bytes) {
        if (bytes > left_) throw TooLarge{};
        left_ -= bytes;
    }
    void give(size_t bytes) { left_ += bytes; }

  private:
    size_t left_;
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
