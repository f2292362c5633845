// Runs a figure and its floor in turn, iteration by iteration, so that both see the same moments
// of a shared machine; reports both times and their ratio.
#pragma once

#include <ctime>

#include <benchmark/benchmark.h>

namespace velmo::bench {

// Each iteration runs Floor() then Program(), timing each. Counters: floor_us and program_us
// (per iteration, processor time) and ratio = total program time / total floor time. The
// iteration time is the program's.
// Processor time of the calling thread in microseconds: a figure and its floor are compared on
// the work they do, not on how often another process takes the core away.
inline double ThreadCpuUs() {
    timespec Now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &Now);
    return static_cast<double>(Now.tv_sec) * 1e6 + static_cast<double>(Now.tv_nsec) * 1e-3;
}

template <class TFloor, class TProgram>
void RunPaired(benchmark::State& State, TFloor&& Floor, TProgram&& Program) {
    double FloorTotal = 0;
    double ProgramTotal = 0;
    for (auto _ : State) {
        const double Start = ThreadCpuUs();
        Floor();
        const double Middle = ThreadCpuUs();
        Program();
        const double End = ThreadCpuUs();
        FloorTotal += Middle - Start;
        ProgramTotal += End - Middle;
        State.SetIterationTime((End - Middle) * 1e-6);
    }
    State.counters["floor_us"] = benchmark::Counter(FloorTotal, benchmark::Counter::kAvgIterations);
    State.counters["program_us"] =
        benchmark::Counter(ProgramTotal, benchmark::Counter::kAvgIterations);
    State.counters["ratio"] = ProgramTotal / FloorTotal;
}

}  // namespace velmo::bench
