#include "formats/tiled/tiled_map.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "system/paths.h"
#include "system/stream.h"
#include "system/utf8.h"

namespace {

// A level's map with every picture named and every byte kept is well below
// this; anything larger is not one of ours and is not worth reading.
constexpr int64_t kMaxMapFileBytes = 128 * 1024 * 1024;

// No map of a level comes near this many cells in a layer; more are refused
// before anything is allocated for them.
constexpr int64_t kMaxLayerCells = 1 << 22;

// The visible stand-ins of the control codes 0-31 and 127.
constexpr int kControlPictures = 0x2400;
constexpr int kDeletePicture = 0x2421;

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

TTiledError TooDeeplyNested(const std::string& where) {
    return TTiledError(where + ": nested more than " + std::to_string(kMaxTiledNesting) +
                       " levels deep, deeper than any map Tiled writes");
}

const TTiledTile* TTiledTileset::Tile(int id) const {
    for (const TTiledTile& tile : tiles)
        if (tile.id == id) return &tile;
    return nullptr;
}

const TTiledProperty* FindProperty(const TTiledProperties& properties, const std::string& name) {
    for (const TTiledProperty& property : properties)
        if (property.name == name) return &property;
    return nullptr;
}

size_t LayerCells(const TTiledLayer& layer, const std::string& where) {
    if (layer.width < 0 || layer.height < 0 || int64_t(layer.width) * layer.height > kMaxLayerCells)
        throw TTiledError(where + " is " + std::to_string(layer.width) + " x " + std::to_string(layer.height) +
                          " tiles; a level is 128 x 64");
    return size_t(layer.width) * size_t(layer.height);
}

const TTiledTileset* TilesetOfGid(const TTiledMap& map, uint32_t gid) {
    gid &= ~kTiledFlipBits;
    const TTiledTileset* found = nullptr;
    for (const TTiledTileset& tileset : map.tilesets)
        if (tileset.firstgid <= gid && (!found || tileset.firstgid > found->firstgid)) found = &tileset;
    return found;
}

bool ParseTiledInteger(const std::string& text, int64_t& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    while (first < last && (*first == ' ' || *first == '\t' || *first == '\n' || *first == '\r')) ++first;
    while (last > first && (last[-1] == ' ' || last[-1] == '\t' || last[-1] == '\n' || last[-1] == '\r')) --last;
    if (first < last && *first == '+') ++first;
    auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc() && end == last) return first != last;
    // Numbers that went through a float property come back as "12.0".
    double number = 0;
    auto [floatEnd, floatError] = std::from_chars(first, last, number);
    if (floatError != std::errc() || floatEnd != last || !std::isfinite(number) || number != std::floor(number) ||
        std::fabs(number) > 9.0e15)
        return false;
    value = int64_t(number);
    return true;
}

std::string LevelTextToUnicode(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (unsigned char byte : bytes) {
        const int code = byte < 0x20 ? kControlPictures + byte : byte == 0x7F ? kDeletePicture : byte;
        text += Utf8(code);
    }
    return text;
}

bool UnicodeToLevelText(const std::string& utf8, std::string& bytes, int& badCharacter) {
    bytes.clear();
    for (int code : CodePoints(utf8)) {
        if (code >= kControlPictures && code < kControlPictures + 0x20) {
            code -= kControlPictures;
        } else if (code == kDeletePicture) {
            code = 0x7F;
        } else if (code > 0xFF) {
            badCharacter = code;
            return false;
        }
        bytes += char(code);
    }
    return true;
}

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

TTiledTileset ReadExternalTileset(const std::string& dir, const std::string& source, uint32_t firstgid) {
    const std::string path = source.empty() || source[0] == '/' ? source : dir + source;
    const std::string text = ReadMapFile(path);
    const size_t first = text.find_first_not_of(" \t\r\n");
    const bool json = EndsWith(LowerCase(path), ".tsj") || EndsWith(LowerCase(path), ".json") ||
                      (first != std::string::npos && text[first] == '{');
    TTiledTileset tileset = json ? ReadTsj(text, "tileset " + path) : ReadTsx(text, "tileset " + path);
    tileset.firstgid = firstgid;
    return tileset;
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
    // Tiled's own choice of form follows the content, not the name: a map
    // saved as JSON under another name is still JSON.
    const size_t first = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (first != std::string::npos && text[first] == '{') return ReadTmj(text, dir);
    return ReadTmx(text, dir);
}
