// Tiled maps of any content are read without harm: either a level whose
// object list matches its count, or a clean refusal with a message.
//
// Inputs whose first byte is even are read as TMX, odd ones as JSON. Tilesets
// in files of their own are looked for in a folder that does not exist.

#include <cstdlib>
#include <string>

#include "base/log.h"
#include "formats/tiled/tiled_level.h"

namespace {

const bool quiet = [] {
    SetLogPath("");
    return true;
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string folder = "/nonexistent-tarn-fuzz/";
    try {
        const TTilesetFileReader readTileset = TilesetFilesIn(folder);
        const TTiledMap map = data[0] % 2 == 0 ? ReadTmx(text, readTileset) : ReadTmj(text, readTileset);
        TLevelPtr level = TiledToLevel(map);
        if (!level || level->objs.size() != level->numobjs) std::abort();
    } catch (const TTiledError& error) {
        if (std::string(error.what()).empty()) std::abort();
    }
    return 0;
}
