#pragma once
// A small seeded generator (xorshift64*): a seed gives each thread of the
// stress program the same sequence of choices on every run.
#include <cstddef>
#include <cstdint>

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {
        if (state_ == 0) state_ = 1;
    }
    uint64_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    // 0 to n - 1 (0 when n is 0).
    uint32_t below(uint32_t n) { return n ? static_cast<uint32_t>((next() >> 32) % n) : 0; }
    int32_t between(int32_t low, int32_t high) {
        return low + static_cast<int32_t>(below(static_cast<uint32_t>(high - low) + 1));
    }
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    bool chance(double p) { return unit() < p; }
    template <typename T, std::size_t N>
    const T& pick(const T (&items)[N]) {
        return items[below(static_cast<uint32_t>(N))];
    }

private:
    uint64_t state_;
};
