// Speed of the mapshot export against the bare zlib compression of the same
// picture, measured in one run because the machines are shared and noisy, with
// its two halves (composing the picture, encoding and writing the file) apart
// so that a slowdown shows where it lies; the time to load a game's shape
// file and tile info file; and tarn-cli thumbnail at a file manager's usual
// 256 pixels, whole (reading, binding the game, drawing, shrinking, writing),
// which a file manager waits for (goal: under 100 ms).

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <time.h>

#include "base/log.h"
#include "cli/cli.h"
#include "edit/jill_level_viewer.h"
#include "gamedata/attribute_sheet.h"
#include "gamedata/shape_manager.h"
#include "gamedata/tile_info.h"
#include "image/png_save.h"
#include "level/level.h"
#include "level/level_file.h"
#include "sample_game_folder.h"

namespace {

// The sample game, written once into a fresh folder for the whole run.
struct TSampleSetup {
    TSampleGameFolder folder;
    const std::string& dir = folder.dir;
    TJillLevelViewer viewer;

    TSampleSetup() {
        viewer.level = ReadLevel(dir + kSampleShowcaseLevel);
        viewer.InitGame(dir, viewer.GameInfos[0]);
        viewer.GenerateImages();
    }
};

TSampleSetup& Sample() {
    static TSampleSetup setup;
    return setup;
}

// Wall and processor time of one piece of a round, added to its totals.
class TPhaseTimer {
public:
    TPhaseTimer(double& wall, double& cpu)
        : wall(wall), cpu(cpu), wallStart(std::chrono::steady_clock::now()), cpuStart(ThreadCpuSeconds()) {}
    ~TPhaseTimer() {
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        cpu += ThreadCpuSeconds() - cpuStart;
    }

private:
    static double ThreadCpuSeconds() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
    }

    double& wall;
    double& cpu;
    std::chrono::steady_clock::time_point wallStart;
    double cpuStart;
};

// Every round is one export (composing the picture, then encoding and writing
// the file) followed by a bare zlib compress of the very pixels it wrote, each
// timed on its own: load from elsewhere then falls on both sides of the ratio
// alike. The benchmark's own time is the export alone.
void BM_MapshotExport(benchmark::State& state) {
    const std::string target = Sample().dir + "mapshot.png";
    std::vector<Bytef> packed;
    double composeWall = 0, composeCpu = 0, writeWall = 0, writeCpu = 0, compressWall = 0, compressCpu = 0;
    for (auto _ : state) {
        TBitmapPtr shot;
        {
            TPhaseTimer timer(composeWall, composeCpu);
            shot = Sample().viewer.LevelToBitmap();
        }
        {
            TPhaseTimer timer(writeWall, writeCpu);
            if (!SavePng(shot, target, 0)) state.SkipWithError("SavePng failed");
        }
        state.PauseTiming();
        const std::vector<uint8_t>& raw = shot->fPixels;
        packed.resize(compressBound(uLong(raw.size())));
        {
            TPhaseTimer timer(compressWall, compressCpu);
            uLongf size = uLongf(packed.size());
            if (compress(packed.data(), &size, raw.data(), uLong(raw.size())) != Z_OK) state.SkipWithError("compress");
            benchmark::DoNotOptimize(size);
        }
        state.ResumeTiming();
    }
    const auto perRound = [](double seconds) {
        return benchmark::Counter(seconds * 1e3, benchmark::Counter::kAvgIterations);
    };
    state.counters["compose_ms"] = perRound(composeWall);
    state.counters["compose_cpu_ms"] = perRound(composeCpu);
    state.counters["write_ms"] = perRound(writeWall);
    state.counters["write_cpu_ms"] = perRound(writeCpu);
    state.counters["compress_ms"] = perRound(compressWall);
    state.counters["compress_cpu_ms"] = perRound(compressCpu);
}

void BM_LoadShapeFile(benchmark::State& state) {
    const std::string path = Sample().dir + "jill1.sha";
    for (auto _ : state) {
        TShapeManager shapes;
        shapes.Init(path);
        benchmark::DoNotOptimize(shapes.shapes[8]);
    }
}

void BM_LoadTileInfo(benchmark::State& state) {
    const std::string path = Sample().dir + "jill.dma";
    for (auto _ : state) {
        TTileInfo tiles;
        tiles.Init(path, Sample().viewer.shapeman);
        benchmark::DoNotOptimize(tiles.tiles[1].sh);
    }
}

void BM_Thumbnail(benchmark::State& state) {
    const std::vector<std::string> args{"thumbnail", Sample().dir + kSampleShowcaseLevel, Sample().dir + "thumb.png",
                                        "256"};
    for (auto _ : state) {
        std::ostringstream out, err;
        if (RunCli(args, out, err) != 0) state.SkipWithError(err.str().c_str());
    }
}

BENCHMARK(BM_MapshotExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadShapeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTileInfo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Thumbnail)->Unit(benchmark::kMillisecond);

// Keeps every benchmark's wall time per iteration and its counters so that the
// figures can be printed after the table. For the export both times count:
// the wall time includes waiting for the disk to take the file, the processor
// time shows the work alone on a busy machine.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    struct TTimes {
        double wall = 0;
        benchmark::UserCounters counters;
    };
    std::map<std::string, TTimes> times;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.iterations > 0)
                times[run.benchmark_name()] = {run.real_accumulated_time / double(run.iterations), run.counters};
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    SetLogPath("");   // the loaders would otherwise write log.txt on every round
    RegisterAttributeSheet();
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& t = reporter.times;
    if (t.count("BM_MapshotExport")) {
        const auto& c = t.at("BM_MapshotExport").counters;
        const auto ms = [&c](const char* name) { return c.count(name) ? double(c.at(name)) : 0.0; };
        const double exportWall = ms("compose_ms") + ms("write_ms");
        const double exportCpu = ms("compose_cpu_ms") + ms("write_cpu_ms");
        std::printf("\nmapshot composition %.2f ms, encoding and writing %.2f ms (processor time %.2f and %.2f ms)\n",
                    ms("compose_ms"), ms("write_ms"), ms("compose_cpu_ms"), ms("write_cpu_ms"));
        std::printf("mapshot export %.2f ms, zlib compress of its pixels %.2f ms (processor time %.2f and %.2f ms)\n",
                    exportWall, ms("compress_ms"), exportCpu, ms("compress_cpu_ms"));
        std::printf("export / compress: wall time %.2f, processor time %.2f (goal: at most 1.15 for both)\n",
                    exportWall / ms("compress_ms"), exportCpu / ms("compress_cpu_ms"));
    }
    if (t.count("BM_LoadShapeFile") && t.count("BM_LoadTileInfo"))
        std::printf("load shape file %.2f ms, tile info file %.2f ms (with its attribute images)\n",
                    t.at("BM_LoadShapeFile").wall * 1e3, t.at("BM_LoadTileInfo").wall * 1e3);
    if (t.count("BM_Thumbnail"))
        std::printf("tarn-cli thumbnail of 256 pixels %.2f ms, the whole command (goal: under 100 ms)\n",
                    t.at("BM_Thumbnail").wall * 1e3);
    benchmark::Shutdown();
    return 0;
}
