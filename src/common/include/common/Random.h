#pragma once
// The World's own pseudo-random generator: a 32-bit linear congruential
// generator, seeded from the clock in the real game and from a given seed in
// tests and replays, so a run is fully determined by its seed and its keys.

#include <cstdint>

namespace gravlin {

struct Random {
    std::uint32_t Seed = 1;

    // A uniform whole number from 0 to range - 1 (0 when range is not positive).
    int Next(int range) {
        Seed = Seed * 134775813u + 1u;
        if (range <= 0) return 0;
        return static_cast<int>((static_cast<std::uint64_t>(Seed) * static_cast<std::uint32_t>(range)) >> 32);
    }
};

} // namespace gravlin
