// The cost of the unbounded undo history and of the tile tools: one
// snapshot of a full level (time and bytes), one pass of painting with a
// 20 x 20 brush (time, and that it allocates nothing), the same when the
// pointer crossed the whole map view since the pass before, a fill of the
// whole empty board, the memory after 10,000 recorded strokes, and the
// recovery copy of a changed level: one write (wall time, with the flush and
// the rename) and a paint stroke of three seconds keeping it up to date.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <unistd.h>
#include <new>
#include <string>

#include "base/log.h"
#include "edit/jill_level_viewer.h"
#include "gamedata/attribute_sheet.h"
#include "level/level.h"
#include "level/level_file.h"
#include "sample_game_folder.h"
#include "screen/graphics.h"
#include "screen/input.h"
#include "screen/scripted_input.h"
#include "system/clock.h"

// Every allocation of the program is counted, so that a benchmark can say
// how many bytes one call takes. GCC cannot see that the replaced new and
// delete below are a matched pair over malloc and free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<size_t> allocatedBytes{0};
std::atomic<size_t> allocations{0};
}  // namespace

void* operator new(size_t size) {
    allocatedBytes += size;
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

constexpr int kFullLevelObjects = 258;

// The sample game's busiest level filled up to the most objects the game
// allows, each with its pictures, in a window with the pointer on the map.
struct TUndoSetup {
    TSampleGameFolder folder;
    const std::string& dir = folder.dir;
    TJillLevelViewer viewer;

    TUndoSetup() {
        UseHeadlessDisplay();
        if (!OpenGraphicsWindow(1280, 720)) std::abort();
        viewer.InitWindow();
        viewer.level = ReadLevel(dir + kSampleShowcaseLevel);
        if (!viewer.level || viewer.level->objs.empty()) std::abort();
        for (size_t i = 0; viewer.level->objs.size() < kFullLevelObjects; ++i)
            viewer.level->AddObject(viewer.level->objs[i]->Clone());
        viewer.InitGame(dir, viewer.GameInfos[0]);
        viewer.GenerateImages();
        viewer.undoList = std::make_shared<TLevelList>();
        viewer.redoList = std::make_shared<TLevelList>();
        PushPointerMoveEvent(400, 100);
        PollEvents();
    }

    void Brush(int w, int h) {
        viewer.selW = w;
        viewer.selH = h;
        viewer.selTiles.assign(size_t(w * h), 0);
        for (size_t i = 0; i < viewer.selTiles.size(); ++i) viewer.selTiles[i] = uint16_t(i % 600);
    }
};

TUndoSetup& Setup() {
    static TUndoSetup setup;
    return setup;
}

size_t snapshotBytes = 0;
size_t paintAllocations = 0;
size_t linePaintAllocations = 0;

void BM_MakeUndoState(benchmark::State& state) {
    TJillLevelViewer& viewer = Setup().viewer;
    for (auto _ : state) {
        const size_t before = allocatedBytes;
        viewer.MakeUndoState();
        snapshotBytes = allocatedBytes - before;
        state.PauseTiming();
        viewer.undoList->clear();
        state.ResumeTiming();
    }
}

void BM_PlaceTiles20x20(benchmark::State& state) {
    Setup().Brush(20, 20);
    TJillLevelViewer& viewer = Setup().viewer;
    for (auto _ : state) {
        const size_t before = allocations;
        viewer.PlaceTiles();
        paintAllocations = allocations - before;
    }
}

// A pass after the pointer swept from the view's right edge to the
// pointer's place: the brush stamped on every cell of a line 55 cells long.
void BM_PlaceTilesAcrossTheView20x20(benchmark::State& state) {
    Setup().Brush(20, 20);
    TJillLevelViewer& viewer = Setup().viewer;
    for (auto _ : state) {
        viewer.strokeLastX = viewer.mapX + viewer.mapW - 1;
        viewer.strokeLastY = PointerY();
        viewer.strokeHasLast = 1;
        const size_t before = allocations;
        viewer.PlaceTiles();
        linePaintAllocations = allocations - before;
    }
}

void BM_FloodFillEmptyBoard(benchmark::State& state) {
    Setup().Brush(2, 2);
    TJillLevelViewer& viewer = Setup().viewer;
    TLevelPtr level = viewer.level;
    auto empty = std::make_shared<TLevel>();
    viewer.level = empty;
    for (auto _ : state) {
        state.PauseTiming();
        empty->bd.fill(0);
        state.ResumeTiming();
        viewer.FloodFill();
    }
    viewer.level = level;
}

BENCHMARK(BM_MakeUndoState)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlaceTiles20x20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlaceTilesAcrossTheView20x20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FloodFillEmptyBoard)->Unit(benchmark::kMicrosecond);

using TWallClock = std::chrono::steady_clock;

double MicrosecondsSince(TWallClock::time_point start) {
    return std::chrono::duration<double, std::micro>(TWallClock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

// The copy written once a pass for 200 passes, the board changed before
// each so that every pass writes: wall time, as the frame feels it.
void TimeRecoveryCopyWrites() {
    TJillLevelViewer& viewer = Setup().viewer;
    std::vector<double> times;
    // The program's log asked for the date at start-up, which loads the
    // time zone once (a tenth of a second and more); that is not the copy's.
    CurrentDateText();
    for (int i = 0; i < 200; ++i) {
        viewer.level->bd[0] = uint16_t(i);
        viewer.levelchanged = 1;
        viewer.document.recoveryCheckDue = 1;
        viewer.document.recoveryCheckTime = TickCount();
        const auto start = TWallClock::now();
        viewer.KeepRecoveryCopy();
        times.push_back(MicrosecondsSince(start));
    }
    std::printf("recovery copy of %d objects written: median %.0f us, slowest %.0f us (goal: median under 2000, "
                "wall time with the flush and the rename)\n",
                kFullLevelObjects, Median(times), *std::max_element(times.begin(), times.end()));
}

// A stroke of 180 passes, a frame apart, each painting and then asking for
// the copy as every loop does: the passes that write nothing pay a time
// comparison, and the few that write stay inside the frame.
void TimeStrokeWithRecoveryCopy() {
    TJillLevelViewer& viewer = Setup().viewer;
    Setup().Brush(3, 3);
    viewer.DropRecoveryCopy();
    viewer.levelchanged = 1;
    viewer.BeginStroke();
    viewer.RecordStroke();
    std::vector<double> quiet, writing;
    for (int pass = 0; pass < 180; ++pass) {
        PushPointerMoveEvent(400 + pass % 300, 100 + pass % 200);
        PollEvents();
        const size_t before = viewer.document.recoveryLevelBytes.size();
        const uint8_t checkDue = viewer.document.recoveryCheckDue;
        const int checkTime = viewer.document.recoveryCheckTime;
        const auto start = TWallClock::now();
        viewer.PlaceTiles();
        viewer.KeepRecoveryCopy();
        const double took = MicrosecondsSince(start);
        const bool checked = checkDue && (viewer.document.recoveryCheckTime != checkTime || before != viewer.document.recoveryLevelBytes.size());
        (checked ? writing : quiet).push_back(took);
        SleepMs(16);
    }
    std::printf("paint stroke of 180 passes over 3 s with the recovery copy kept: %zu passes wrote or compared it "
                "(slowest %.0f us, goal under 2000), the other %zu took %.1f us at the median, %.1f us at the "
                "slowest\n",
                writing.size(), writing.empty() ? 0.0 : *std::max_element(writing.begin(), writing.end()),
                quiet.size(), Median(quiet), quiet.empty() ? 0.0 : *std::max_element(quiet.begin(), quiet.end()));
    viewer.DropRecoveryCopy();
}

class TTimesReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> cpu;   // processor time per iteration, in seconds

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.iterations > 0) cpu[run.benchmark_name()] = run.cpu_accumulated_time / double(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
};

// Resident memory of the process in megabytes.
double ResidentMegabytes() {
    long pages = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) return -1;
    const int read = std::fscanf(statm, "%ld %ld", &pages, &resident);
    std::fclose(statm);
    return read == 2 ? double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : -1;
}

}  // namespace

int main(int argc, char** argv) {
    SetLogPath("");
    RegisterAttributeSheet();
    benchmark::Initialize(&argc, argv);
    TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    // 10,000 strokes, each recorded as the editor records a stroke.
    TJillLevelViewer& viewer = Setup().viewer;
    Setup().Brush(3, 3);
    viewer.undoList->clear();
    for (int i = 0; i < 10000; ++i) {
        viewer.BeginStroke();
        viewer.RecordStroke();
        viewer.PlaceTiles();
    }
    const auto& cpu = reporter.cpu;
    auto micro = [&](const char* name) { return cpu.count(name) ? cpu.at(name) * 1e6 : -1.0; };
    std::printf("\nundo snapshot of %d objects: %.1f us (goal under 200), %.1f KB (goal under 48)\n",
                kFullLevelObjects, micro("BM_MakeUndoState"), double(snapshotBytes) / 1024.0);
    std::printf("paint pass, 20 x 20 brush: %.2f us (goal under 20), %zu allocations (goal 0); "
                "fill of the empty board, 2 x 2 brush: %.1f us (goal under 1000)\n",
                micro("BM_PlaceTiles20x20"), paintAllocations, micro("BM_FloodFillEmptyBoard"));
    std::printf("paint pass after a sweep across the map view, 20 x 20 brush on 55 cells: %.1f us, %zu allocations "
                "(goal 0)\n",
                micro("BM_PlaceTilesAcrossTheView20x20"), linePaintAllocations);
    std::printf("resident memory after 10,000 strokes: %.0f MB (goal under 600)\n", ResidentMegabytes());
    // The copies go to "recovery" in the working folder, as beside "tarn.ini".
    const std::filesystem::path workingFolder = std::filesystem::current_path();
    std::filesystem::current_path(Setup().dir);
    viewer.undoList->clear();
    TimeRecoveryCopyWrites();
    TimeStrokeWithRecoveryCopy();
    std::filesystem::current_path(workingFolder);
    benchmark::Shutdown();
    return 0;
}
