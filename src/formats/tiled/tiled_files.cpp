// Tiled's files on the disk: which form a map is in, and a map read whole,
// the tilesets it keeps in files of their own included. The parsers of the
// two forms (tiled_tmx.cpp, tiled_tmj.cpp) see text only: they get the
// tileset files through the reader made here.

#include <algorithm>

#include "formats/tiled/tiled_map.h"
#include "system/paths.h"
#include "system/stream.h"

namespace {

// A level's map with every picture named and every byte kept is well below
// this; anything larger is not one of ours and is not worth reading.
constexpr int64_t kMaxMapFileBytes = 128 * 1024 * 1024;

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The whole file as text; the error names the file. Maps bigger than any
// level's map are refused before they are read.
std::string ReadMapFile(const std::string& path) {
    TStreamPtr stream = OpenReadStream(path);
    if (!stream || PathType(path) != 1) throw TTiledError("cannot open the file " + path);
    const int64_t size = stream->Size();
    if (size > kMaxMapFileBytes) throw TTiledError(path + " is larger than any level's map can be");
    std::string text(size_t(std::max<int64_t>(size, 0)), '\0');
    if (stream->ReadRaw(text.data(), text.size()) != text.size())
        throw TTiledError("cannot read the file " + path);
    return text;
}

// Text whose first character after the blanks in skipped is '{': Tiled's
// own choice of form follows the content, not the name.
bool StartsLikeJson(const std::string& text, const char* skipped) {
    const size_t first = text.find_first_not_of(skipped);
    return first != std::string::npos && text[first] == '{';
}

}  // namespace

TTilesetFileReader TilesetFilesIn(const std::string& dir) {
    return [dir](const std::string& source, uint32_t firstgid) {
        const std::string path = source.empty() || source[0] == '/' ? source : dir + source;
        const std::string text = ReadMapFile(path);
        const bool json = EndsWith(LowerCase(path), ".tsj") || EndsWith(LowerCase(path), ".json") ||
                          StartsLikeJson(text, " \t\r\n");
        TTiledTileset tileset = json ? ReadTsj(text, "tileset " + path) : ReadTsx(text, "tileset " + path);
        tileset.firstgid = firstgid;
        return tileset;
    };
}

TTiledFormat TiledFormatOf(const std::string& path) {
    const std::string lower = LowerCase(path);
    if (EndsWith(lower, ".tmx")) return TTiledFormat::Tmx;
    if (EndsWith(lower, ".tmj") || EndsWith(lower, ".json")) return TTiledFormat::Json;
    return TTiledFormat::None;
}

TTiledMap ReadTiledMap(const std::string& path) {
    const std::string text = ReadMapFile(path);
    std::string dir = DirectoryPart(path);
    if (!dir.empty() && dir.back() != '/') dir += '/';
    const TTilesetFileReader readTileset = TilesetFilesIn(dir);
    return StartsLikeJson(text, " \t\r\n\xEF\xBB\xBF") ? ReadTmj(text, readTileset) : ReadTmx(text, readTileset);
}
