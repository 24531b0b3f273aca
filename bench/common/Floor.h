#pragma once
// Timing a piece of drawing against its memory floor in the same run: each
// iteration times the work and then the same bytes moved with memset or
// memcpy, so that both see the same machine at the same moment. The
// benchmark's time is the work's; the counter "x_floor" is work / floor.

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <vector>

namespace gravlin::bench {

class FloorTimer {
  public:
    template <typename Work, typename Floor> void Iterate(benchmark::State& state, Work&& work, Floor&& floor) {
        using Clock = std::chrono::steady_clock;
        const auto t0 = Clock::now();
        work();
        const auto t1 = Clock::now();
        floor();
        const auto t2 = Clock::now();
        const double workSeconds = std::chrono::duration<double>(t1 - t0).count();
        work_ += workSeconds;
        floor_ += std::chrono::duration<double>(t2 - t1).count();
        state.SetIterationTime(workSeconds);
    }
    // Call after the loop.
    void Report(benchmark::State& state) const {
        state.counters["x_floor"] = floor_ > 0 ? work_ / floor_ : 0;
        state.counters["floor_us"] = state.iterations() ? floor_ / static_cast<double>(state.iterations()) * 1e6 : 0;
    }

  private:
    double work_ = 0;
    double floor_ = 0;
};

// Buffers for the floor: `bytes` copied from one to the other.
struct FloorBuffers {
    explicit FloorBuffers(std::size_t bytes) : From(bytes, 1), To(bytes, 0) {}
    void Copy() {
        std::memcpy(To.data(), From.data(), From.size());
        benchmark::DoNotOptimize(To.data());
        benchmark::ClobberMemory();
    }
    void Set(std::size_t bytes, unsigned char value) {
        std::memset(To.data(), value, bytes);
        benchmark::DoNotOptimize(To.data());
        benchmark::ClobberMemory();
    }
    std::vector<unsigned char> From, To;
};

} // namespace gravlin::bench
