// Speed of one full editor frame of the sample game's busiest level in a
// 1280 x 720 window, then resized to 1920 x 1080 and 3840 x 2160, and at
// interface scale 2 in windows of 2560 x 1440 and 3840 x 2160, at zooms
// 1/16, 1/2, 1 and 4, against the cheapest frame that shows the same pixels:
// one copy of a finished picture of the window's size to the window. Frames and baseline copies alternate in one run, so load from the
// other builds falls on both sides of the ratio alike. Also the processor time
// the idle editor takes: passes of its loop that find nothing to redraw, with
// fullrefresh off and on, at the last size, at zoom 1.
//
// Each renderer the machine offers is measured: an accelerated one where a
// display has it, and always the software renderer of the headless display.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <time.h>
#include <unistd.h>
#include <vector>

#include "base/log.h"
#include "edit/jill_level_viewer.h"
#include "gamedata/attribute_sheet.h"
#include "level/level_file.h"
#include "sample_game/sample_game.h"
#include "screen/graphics.h"
#include "screen/input.h"
#include "screen/scripted_input.h"
#include "system/clock.h"

namespace {

constexpr int kWidth = 1280, kHeight = 720;
struct TWindowSize {
    int width, height;   // the window's own pixels
    int scale;           // the interface scale
};
constexpr TWindowSize kSizes[] = {{kWidth, kHeight, 1}, {1920, 1080, 1}, {3840, 2160, 1},
                                  {2560, 1440, 2}, {3840, 2160, 2}};
// Rounds for a 1280 x 720 window; larger windows take fewer, as many pixels in all.
constexpr int kRounds = 150;
constexpr float kZooms[] = {1.0f / 16, 1.0f / 2, 1, 4};
constexpr const char* kZoomNames[] = {"1/16", "1/2", "1", "4"};

double Seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The sample game in a folder of this run's own; "" when it cannot be written.
std::string WriteSampleFolder() {
    const auto folder = std::filesystem::temp_directory_path() / ("tarn-frame-bench-" + std::to_string(getpid()));
    const std::string dir = folder.string() + "/";
    std::string error;
    if (WriteSampleGame(dir, error)) return dir;
    std::fprintf(stderr, "%s\n", error.c_str());
    return "";
}

// The editor with the showcase level bound, laid out for the open window.
void BindShowcase(TJillLevelViewer& viewer, const std::string& dir) {
    viewer.level = ReadLevel(dir + kSampleShowcaseLevel);
    viewer.InitGame(dir, viewer.GameInfos[0]);
    viewer.GenerateImages();
    viewer.InitWindow();
    viewer.fullrefresh = 0;
}

void EditorFrame(TJillLevelViewer& viewer) {
    Cls();
    viewer.DrawEditor();
    viewer.DrawLevelObjectInfo();
    viewer.DrawStatus();
    Flip(0);
}

struct TZoomFigures {
    double frameMs = 0, baselineMs = 0;
    double tilesMs = 0;   // the map's tile layer alone, to show where a frame's time goes
};

void DrawTileLayerAlone(TJillLevelViewer& viewer) {
    viewer.MapViewport();
    SetDrawScale(viewer.mapZoom, viewer.mapZoom);
    viewer.DrawLevelTiles();
    SetDrawScale(1, 1);
    viewer.FullViewport();
}

// Frames and baseline copies in alternation; the medians.
TZoomFigures MeasureZoom(TJillLevelViewer& viewer, float zoom, int rounds) {
    viewer.SetMapZoom(zoom);
    // The middle of the level, where the map view is full of tiles.
    viewer.camX = viewer.maxCamX / 2, viewer.camY = viewer.maxCamY / 2;
    viewer.FixCam();
    EditorFrame(viewer);
    // The finished frame in the window's own pixels, copied one to one
    // straight into the window: at an interface scale the window is at 1
    // while the copy is timed.
    TPixmapPtr finished = CaptureFrame();
    TImagePtr picture = finished ? ImageFromPixmap(*finished, IMAGE_MASKED) : nullptr;
    const int scale = InterfaceScaleSetting();
    DrawImageAt(picture, 0, 0);   // its texture is made before timing
    std::vector<double> frames, baselines, tiles;
    for (int round = 0; round < rounds; ++round) {
        double start = Seconds();
        EditorFrame(viewer);
        frames.push_back(Seconds() - start);
        SetInterfaceScaleSetting(1);
        start = Seconds();
        DrawImageAt(picture, 0, 0);
        Flip(0);
        baselines.push_back(Seconds() - start);
        SetInterfaceScaleSetting(scale);
        start = Seconds();
        DrawTileLayerAlone(viewer);
        tiles.push_back(Seconds() - start);
    }
    // The canvas is back at its size: the changes the baselines made are no
    // news for the editor's next pass.
    WindowSizeChanged();
    return {Median(frames) * 1e3, Median(baselines) * 1e3, Median(tiles) * 1e3};
}

// Passes of the editor loop with nothing to redraw: the refresh test and the
// 16 ms sleep. Processor time over the wall time of the whole passes, and the
// work outside the sleep alone.
struct TIdleFigures {
    double coreShare = 0;   // processor seconds per second
    double workUs = 0;      // per pass, outside the sleep
};

TIdleFigures MeasureIdle(TJillLevelViewer& viewer, int fullrefresh) {
    constexpr int kPasses = 600;   // ten seconds: one frame drawn at the start weighs little
    viewer.fullrefresh = fullrefresh;
    viewer.flashing = 0;
    double work = 0;
    const double wallStart = Seconds(), cpuStart = ThreadCpuSeconds();
    for (int pass = 0; pass < kPasses; ++pass) {
        const double start = ThreadCpuSeconds();
        const bool changed = viewer.BetweenPasses();
        if (viewer.MustRefresh(changed)) EditorFrame(viewer);
        work += ThreadCpuSeconds() - start;
        SleepMs(16);
    }
    const double wall = Seconds() - wallStart, cpu = ThreadCpuSeconds() - cpuStart;
    return {cpu / wall, work / kPasses * 1e6};
}

// Every figure of one renderer; the summary line goes last.
std::string MeasureRenderer(const std::string& dir) {
    const std::string renderer = RendererName();
    TJillLevelViewer viewer;
    BindShowcase(viewer, dir);
    std::string ratios;
    double worst = 0;
    for (const TWindowSize size : kSizes) {
        if (size.width != WindowPixelWidth() || size.height != WindowPixelHeight() || size.scale != InterfaceScale()) {
            // As the user would: the window manager resizes, the editor lays out anew.
            SetInterfaceScaleSetting(size.scale);
            ResizeWindowAsTheUser(size.width, size.height);
            if (WindowSizeChanged()) viewer.ResizeWindow();
            if (WindowPixelWidth() != size.width || WindowPixelHeight() != size.height ||
                InterfaceScale() != size.scale) {
                std::printf("%s renderer: the window could not be made %d x %d at %dx\n", renderer.c_str(),
                            size.width, size.height, size.scale);
                continue;
            }
        }
        const int rounds = std::max(20, int(int64_t(kRounds) * kWidth * kHeight / (int64_t(size.width) * size.height)));
        char sizeName[32];
        std::snprintf(sizeName, sizeof sizeName, "%dx%d%s", size.width, size.height, size.scale == 2 ? " at 2x" : "");
        for (size_t i = 0; i < std::size(kZooms); ++i) {
            const TZoomFigures figures = MeasureZoom(viewer, kZooms[i], rounds);
            const double ratio = figures.frameMs / figures.baselineMs;
            worst = std::max(worst, ratio);
            std::printf("%s renderer, %s, zoom %-4s: frame %.3f ms (tile layer %.3f ms), baseline copy %.3f ms, "
                        "ratio %.2f\n",
                        renderer.c_str(), sizeName, kZoomNames[i], figures.frameMs, figures.tilesMs,
                        figures.baselineMs, ratio);
            char part[80];
            std::snprintf(part, sizeof part, "%s%s %s %.2f", ratios.empty() ? "" : ", ", sizeName, kZoomNames[i],
                          ratio);
            ratios += part;
        }
    }
    // At rest as after loading a level: zoom 1, the camera at the level's corner.
    viewer.SetMapZoom(1);
    viewer.camX = viewer.camY = 0;
    const TIdleFigures idle = MeasureIdle(viewer, 0), refreshing = MeasureIdle(viewer, 1);
    std::printf("%s renderer, idle editor: %.3f%% of a core, %.2f us of work per pass outside the sleep; "
                "with fullrefresh on %.3f%%, %.2f us\n",
                renderer.c_str(), idle.coreShare * 100, idle.workUs, refreshing.coreShare * 100, refreshing.workUs);
    char summary[1024];
    std::snprintf(summary, sizeof summary,
                  "%s renderer: frame / baseline %s (worst %.2f, goal at most 3); idle %.3f%% of a core (goal under "
                  "1%%), with fullrefresh on %.3f%% (goal under 3%%)",
                  renderer.c_str(), ratios.c_str(), worst, idle.coreShare * 100, refreshing.coreShare * 100);
    return summary;
}

}  // namespace

int main() {
    SetLogPath("");
    RegisterAttributeSheet();
    SetDefaultImageFlags(IMAGE_MASKED);   // as the editor sets it
    const std::string dir = WriteSampleFolder();
    if (dir.empty()) return 1;
    std::vector<std::string> summaries;
    // The display's own renderer first, when there is a display with an
    // accelerated one; then the headless software renderer.
    if (OpenGraphicsWindow(kWidth, kHeight) && RendererName() != "software")
        summaries.push_back(MeasureRenderer(dir));
    else
        summaries.push_back("no hardware renderer on this machine: only the software renderer was measured");
    UseHeadlessDisplay();
    if (!OpenGraphicsWindow(kWidth, kHeight)) {
        std::fprintf(stderr, "the headless window did not open\n");
        std::filesystem::remove_all(dir);
        return 1;
    }
    summaries.push_back(MeasureRenderer(dir));
    CloseGraphicsWindow();
    std::filesystem::remove_all(dir);
    std::printf("\n");
    for (const std::string& line : summaries) std::printf("%s\n", line.c_str());
    return 0;
}
