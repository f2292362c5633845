// Runs a figure and its floor in turn, iteration by iteration, so that both see the same moments
// of a shared machine; reports both times and their ratio.
#pragma once

#include <chrono>

#include <benchmark/benchmark.h>

namespace velmo::bench {

// Each iteration runs Floor() then Program(), timing each. Counters: floor_us and program_us
// (per iteration) and ratio = total program time / total floor time. The iteration time is the
// program's.
template <class TFloor, class TProgram>
void RunPaired(benchmark::State& State, TFloor&& Floor, TProgram&& Program) {
    using TClock = std::chrono::steady_clock;
    std::chrono::duration<double, std::micro> FloorTotal{0};
    std::chrono::duration<double, std::micro> ProgramTotal{0};
    for (auto _ : State) {
        const auto Start = TClock::now();
        Floor();
        const auto Middle = TClock::now();
        Program();
        const auto End = TClock::now();
        FloorTotal += Middle - Start;
        ProgramTotal += End - Middle;
        State.SetIterationTime(std::chrono::duration<double>(End - Middle).count());
    }
    State.counters["floor_us"] =
        benchmark::Counter(FloorTotal.count(), benchmark::Counter::kAvgIterations);
    State.counters["program_us"] =
        benchmark::Counter(ProgramTotal.count(), benchmark::Counter::kAvgIterations);
    State.counters["ratio"] = ProgramTotal.count() / FloorTotal.count();
}

}  // namespace velmo::bench
