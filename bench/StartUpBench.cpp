// Start-up to the first painted frame, offscreen, and peak resident memory: the game's window
// with 3 and with 1,000 sets against a minimal Qt window, each a fresh child process.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/BenchPaths.h"
#include "bench/FirstFrame.h"

extern char** environ;

namespace velmo::bench {
namespace {

constexpr int kRuns = 15;  // the report takes the median of these
constexpr std::size_t kFewSets = 3;
constexpr std::size_t kManySets = 1000;

struct TChildRun {
    double Seconds = 0;  // launch to first frame
    long PeakRssKb = 0;
};

// Runs Program with the launch time and Extra as arguments; its stdout names the first frame.
bool RunChild(const std::string& Program, const std::vector<std::string>& Extra, TChildRun& Run) {
    int Pipe[2];
    if (pipe(Pipe) != 0) {
        return false;
    }
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_adddup2(&Actions, Pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&Actions, Pipe[0]);
    posix_spawn_file_actions_addclose(&Actions, Pipe[1]);

    const int64_t LaunchNs = MonotonicNs();
    std::vector<std::string> Arguments = {Program, std::to_string(LaunchNs)};
    Arguments.insert(Arguments.end(), Extra.begin(), Extra.end());
    std::vector<char*> Argv;
    for (std::string& Argument : Arguments) {
        Argv.push_back(Argument.data());
    }
    Argv.push_back(nullptr);

    pid_t Child = 0;
    const int Spawned =
        posix_spawn(&Child, Program.c_str(), &Actions, nullptr, Argv.data(), environ);
    posix_spawn_file_actions_destroy(&Actions);
    close(Pipe[1]);
    if (Spawned != 0) {
        close(Pipe[0]);
        return false;
    }
    std::string Output;
    char Buffer[256];
    for (ssize_t Got; (Got = read(Pipe[0], Buffer, sizeof Buffer)) > 0;) {
        Output.append(Buffer, static_cast<std::size_t>(Got));
    }
    close(Pipe[0]);
    int Status = 0;
    rusage Usage{};
    wait4(Child, &Status, 0, &Usage);
    long long FrameNs = 0;
    if (!WIFEXITED(Status) || WEXITSTATUS(Status) != 0 ||
        std::sscanf(Output.c_str(), "first_frame_ns %lld", &FrameNs) != 1) {
        return false;
    }
    Run.Seconds = static_cast<double>(FrameNs) * 1e-9;
    Run.PeakRssKb = Usage.ru_maxrss;
    return true;
}

// One run of each child per iteration, in turn, so that a slower spell of a shared machine
// weighs on the program and its floor alike; the per-run ratios are counters too.
void BM_StartUp(benchmark::State& State) {
    const std::string Minimal = (BinFolder() / "velmo-startup-minimal").string();
    const std::string Window = (BinFolder() / "velmo-startup-window").string();
    const std::string ThreeSets = SetFolder(kFewSets);
    const std::string ManySets = SetFolder(kManySets);
    for (auto _ : State) {
        TChildRun Floor, Few, Many;
        if (!RunChild(Minimal, {}, Floor) || !RunChild(Window, {ThreeSets}, Few) ||
            !RunChild(Window, {ManySets}, Many)) {
            State.SkipWithError("a start-up child failed");
            break;
        }
        State.SetIterationTime(Few.Seconds);
        State.counters["minimal_ms"] = Floor.Seconds * 1e3;
        State.counters["window_ms"] = Few.Seconds * 1e3;
        State.counters["window_1000_ms"] = Many.Seconds * 1e3;
        State.counters["minimal_rss_kb"] = static_cast<double>(Floor.PeakRssKb);
        State.counters["window_rss_kb"] = static_cast<double>(Few.PeakRssKb);
        State.counters["window_vs_minimal"] = Few.Seconds / Floor.Seconds;
        State.counters["sets_1000_vs_3"] = Many.Seconds / Few.Seconds;
        State.counters["rss_vs_minimal"] =
            static_cast<double>(Few.PeakRssKb) / static_cast<double>(Floor.PeakRssKb);
    }
}
BENCHMARK(BM_StartUp)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(kRuns)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmo::bench

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    // The children draw offscreen, whatever display the caller has.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
