// Speed of the mapshot export against the bare zlib compression of the same
// picture, measured in one run because the machines are shared and noisy;
// and the time to load a game's shape file and tile info file.

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "app/log.h"
#include "edit/jill_level_viewer.h"
#include "gamedata/attribute_sheet.h"
#include "gamedata/shape_manager.h"
#include "gamedata/tile_info.h"
#include "image/png_save.h"
#include "level/level.h"
#include "level/level_file.h"
#include "sample_game/sample_game.h"

namespace {

// The sample game, written once into a fresh folder for the whole run.
struct TSampleSetup {
    std::string dir;
    TJillLevelViewer viewer;

    TSampleSetup() {
        char pattern[] = "/tmp/tarn-bench-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        dir = std::string(pattern) + "/";
        std::string error;
        if (!WriteSampleGame(dir, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::abort();
        }
        viewer.level = ReadLevel(dir + kSampleShowcaseLevel);
        viewer.InitGame(dir, viewer.GameInfos[0]);
        viewer.GenerateImages();
    }
    ~TSampleSetup() { std::filesystem::remove_all(dir); }
};

TSampleSetup& Sample() {
    static TSampleSetup setup;
    return setup;
}

void BM_MapshotExport(benchmark::State& state) {
    const std::string target = Sample().dir + "mapshot.png";
    for (auto _ : state) {
        TBitmapPtr shot = Sample().viewer.LevelToBitmap();
        if (!SavePng(shot, target, 0)) state.SkipWithError("SavePng failed");
    }
}

void BM_CompressAlone(benchmark::State& state) {
    const TBitmapPtr shot = Sample().viewer.LevelToBitmap();
    const std::vector<uint8_t>& raw = shot->fPixels;
    std::vector<Bytef> packed(compressBound(uLong(raw.size())));
    for (auto _ : state) {
        uLongf size = uLongf(packed.size());
        if (compress(packed.data(), &size, raw.data(), uLong(raw.size())) != Z_OK) state.SkipWithError("compress");
        benchmark::DoNotOptimize(size);
    }
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

BENCHMARK(BM_MapshotExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadShapeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTileInfo)->Unit(benchmark::kMillisecond);

// Keeps the wall and processor time per iteration of every benchmark so the
// ratio can be printed after the table. Both count: the wall time includes
// waiting for the disk to take the file, the processor time shows the work
// alone on a busy machine.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    struct TTimes {
        double wall = 0, cpu = 0;
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

}  // namespace

int main(int argc, char** argv) {
    SetLogPath("");   // the loaders would otherwise write log.txt on every round
    RegisterAttributeSheet();
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& t = reporter.times;
    if (t.count("BM_MapshotExport") && t.count("BM_CompressAlone")) {
        const auto& exported = t.at("BM_MapshotExport");
        const auto& compressed = t.at("BM_CompressAlone");
        std::printf("\nmapshot export %.2f ms, zlib compress alone %.2f ms: ratio %.2f (goal: at most 1.25)\n",
                    exported.wall * 1e3, compressed.wall * 1e3, exported.wall / compressed.wall);
        std::printf("processor time: export %.2f ms, compress alone %.2f ms: ratio %.2f\n", exported.cpu * 1e3,
                    compressed.cpu * 1e3, exported.cpu / compressed.cpu);
    }
    if (t.count("BM_LoadShapeFile") && t.count("BM_LoadTileInfo"))
        std::printf("load shape file %.2f ms, tile info file %.2f ms (with its attribute images)\n",
                    t.at("BM_LoadShapeFile").wall * 1e3, t.at("BM_LoadTileInfo").wall * 1e3);
    benchmark::Shutdown();
    return 0;
}
