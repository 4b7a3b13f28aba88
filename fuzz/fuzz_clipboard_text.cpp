// Any text on the clipboard reads without harm, and what it reads as writes
// back to a text that reads the same.

#include <cstdlib>
#include <string_view>

#include "level/clipboard_text.h"
#include "level/level.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TClipboardContent read = ReadClipboardText(std::string_view(reinterpret_cast<const char*>(data), size));
    using TKind = TClipboardContent::TKind;
    if (read.kind == TKind::Tiles) {
        if (read.w < 1 || read.w > kBoardWidth || read.h < 1 || read.h > kBoardHeight ||
            read.tiles.size() != size_t(read.w * read.h))
            std::abort();
        const TClipboardContent again = ReadClipboardText(ClipboardTilesText(read.game, read.tiles, read.w, read.h));
        if (again.kind != TKind::Tiles || again.game != read.game || again.tiles != read.tiles) std::abort();
    } else if (read.kind == TKind::Object) {
        if (!read.object) std::abort();
        const TClipboardContent again = ReadClipboardText(ClipboardObjectText(read.game, *read.object));
        if (again.kind != TKind::Object || again.game != read.game || !again.object->Equals(read.object.get()))
            std::abort();
    } else if (read.object || !read.tiles.empty()) {
        std::abort();
    }
    return 0;
}
