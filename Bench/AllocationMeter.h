#ifndef UBERCAM_BENCH_ALLOCATION_METER_H
#define UBERCAM_BENCH_ALLOCATION_METER_H

// Heap allocations per iteration of a benchmark loop, counted by replacing the
// global allocator (AllocationMeter.cpp, linked into the benchmark program).

#include <benchmark/benchmark.h>

#include <cstdint>

/// Global allocations made in the process so far.
std::uint64_t allocationsSoFar();

/// Counts the allocations made while the benchmark loop runs and reports them per iteration.
class AllocationMeter {
public:
    explicit AllocationMeter(benchmark::State& state)
        : _state(state), _start(allocationsSoFar()) {}
    ~AllocationMeter() {
        _state.counters["allocs/iter"] = benchmark::Counter(
            double(allocationsSoFar() - _start), benchmark::Counter::kAvgIterations);
    }
    AllocationMeter(const AllocationMeter&) = delete;
    AllocationMeter& operator=(const AllocationMeter&) = delete;

private:
    benchmark::State& _state;
    std::uint64_t _start;
};

#endif
