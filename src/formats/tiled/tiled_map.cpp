#include "formats/tiled/tiled_map.h"

#include <charconv>
#include <cmath>

#include "system/utf8.h"

namespace {

// No map of a level comes near this many cells in a layer; more are refused
// before anything is allocated for them.
constexpr int64_t kMaxLayerCells = 1 << 22;

// The visible stand-ins of the control codes 0-31 and 127.
constexpr int kControlPictures = 0x2400;
constexpr int kDeletePicture = 0x2421;

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
