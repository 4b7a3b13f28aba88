#include "app/startup.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "base/app_title.h"
#include "base/log.h"
#include "edit/jill_level_viewer.h"
#include "gamedata/attribute_sheet.h"
#include "image/crc32.h"
#include "screen/graphics.h"
#include "screen/input.h"
#include "system/clock.h"
#include "system/program_file.h"
#include "system/stream.h"

namespace {

constexpr size_t kCrcChunk = 32768;

std::string Hex8(uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

// Nothing typed or clicked in another window reaches the editor: while the
// window is inactive the program waits, and what piled up is dropped.
void WaitWhileSuspended() {
    if (!AppIsSuspended()) return;
    while (AppIsSuspended()) SleepMs(16);
    ClearKeyInput();
    ClearMouseInput();
    WheelDelta();
}

}  // namespace

uint32_t FileCrc32(const std::string& path) {
    TStreamPtr file = OpenReadStream(path);
    if (!file) return 0;
    std::vector<uint8_t> chunk(kCrcChunk);
    uint32_t crc = 0;
    while (size_t count = file->ReadRaw(chunk.data(), chunk.size())) crc = UpdateCrc32(crc, chunk.data(), count);
    return crc;
}

void RunTarn(const std::string& levelToOpen) {
    RegisterAttributeSheet();
    SetAppTitle(kApplicationTitle);
    SetLogTitle(kApplicationTitle);
    LogLine("This is " + std::string(kApplicationTitle) + " (CRC " + Hex8(FileCrc32(ProgramFilePath())) + ")");
    LogBlankLine();
    AddFlipHook(WaitWhileSuspended);
    // The program ends from inside the menu or the editor loop; the editor
    // object is never handed back.
    auto viewer = std::make_unique<TJillLevelViewer>();
    viewer->MainMenu(levelToOpen);
}
