// Speed of tarn-cli export-tiled and import-tiled of the showcase level
// against tarn-cli mapshot of the same level, measured in one run because
// the machines are shared and noisy (goal: each at most 2 x the mapshot).
// Each command runs whole, as a user runs it: reading the level, binding the
// game, writing every file safely. Tiled's tmxrasterizer, when installed,
// is timed on the exported map beside them.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "base/log.h"
#include "cli/cli.h"
#include "sample_game_folder.h"

namespace {

TSampleGameFolder& Sample() {
    static TSampleGameFolder folder;
    return folder;
}

void RunCommand(benchmark::State& state, const std::vector<std::string>& args) {
    std::ostringstream out, err;
    if (RunCli(args, out, err) != 0) state.SkipWithError(err.str().c_str());
}

std::string Level() { return Sample().dir + kSampleShowcaseLevel; }
std::string Map() { return Sample().dir + "showcase.tmx"; }

void BM_Mapshot(benchmark::State& state) {
    for (auto _ : state) RunCommand(state, {"mapshot", Level(), Sample().dir + "showcase.png"});
}

void BM_ExportTiled(benchmark::State& state) {
    for (auto _ : state) RunCommand(state, {"export-tiled", Level(), Map()});
}

void BM_ImportTiled(benchmark::State& state) {
    std::ostringstream out, err;
    RunCli({"export-tiled", Level(), Map()}, out, err);
    for (auto _ : state) RunCommand(state, {"import-tiled", Map(), Sample().dir + "back.jn1"});
}

BENCHMARK(BM_Mapshot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportTiled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportTiled)->Unit(benchmark::kMillisecond);

// Wall and processor time per iteration of every benchmark, for the ratios.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    struct TTimes {
        double wall = 0;
        double cpu = 0;
    };
    std::map<std::string, TTimes> times;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.iterations > 0)
                times[run.benchmark_name()] = {run.real_accumulated_time / double(run.iterations),
                                               run.cpu_accumulated_time / double(run.iterations)};
        ConsoleReporter::ReportRuns(runs);
    }
};

// Milliseconds of wall time of one tmxrasterizer run of the map, the best of
// three; negative when it is not installed or fails.
double RasterizerMs() {
    if (std::system("command -v tmxrasterizer >/dev/null 2>&1") != 0) return -1;
    const std::string command = "QT_QPA_PLATFORM=offscreen tmxrasterizer '" + Map() + "' '" + Sample().dir +
                                "render.png' >/dev/null 2>&1";
    double best = -1;
    for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) return -1;
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (best < 0 || ms < best) best = ms;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    SetLogPath("");   // the loaders would otherwise write log.txt on every round
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& t = reporter.times;
    if (t.count("BM_Mapshot")) {
        const auto shot = t.at("BM_Mapshot");
        std::printf("\nmapshot %.2f ms (processor time %.2f ms)\n", shot.wall * 1e3, shot.cpu * 1e3);
        for (const char* name : {"BM_ExportTiled", "BM_ImportTiled"}) {
            if (!t.count(name)) continue;
            const auto times = t.at(name);
            std::printf("%s %.2f ms (processor time %.2f ms): %.2f x the mapshot, processor time %.2f x "
                        "(goal: at most 2)\n",
                        name[3] == 'E' ? "export-tiled" : "import-tiled", times.wall * 1e3, times.cpu * 1e3,
                        times.wall / shot.wall, times.cpu / shot.cpu);
        }
        const double rasterizer = RasterizerMs();
        if (rasterizer >= 0)
            std::printf("tmxrasterizer of the exported map %.2f ms beside the mapshot's %.2f ms\n", rasterizer,
                        shot.wall * 1e3);
        else
            std::printf("tmxrasterizer is not installed: Tiled's render is not timed\n");
    }
    benchmark::Shutdown();
    return 0;
}
