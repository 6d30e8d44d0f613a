// The one uniform random generator of the editor. Deterministic for a given
// seed on every platform (the standard distributions are not), so tests and
// the command-line tool can reproduce every random tile variant.
#pragma once

#include <cstdint>

namespace d7 {

class Random {
  public:
    explicit Random(std::uint64_t seed = 1) { reseed(seed); }
    void reseed(std::uint64_t seed) { state_ = seed; }

    std::uint32_t next32() {
        // splitmix64: small, fast and well distributed.
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return std::uint32_t((z ^ (z >> 31)) >> 32);
    }
    // R(n): an integer 0..n-1, uniformly; 0 when n <= 0.
    int below(int n) {
        if (n <= 0) return 0;
        return int((std::uint64_t(next32()) * std::uint32_t(n)) >> 32);
    }
    // A real number in [0, 1).
    double real() { return next32() / 4294967296.0; }

  private:
    std::uint64_t state_;
};

}  // namespace d7
