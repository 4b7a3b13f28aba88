// A Tiled map back into a level: the board from "board", the objects from
// "objects", everything else from the map's properties. Whatever Tiled or a
// person did to the map, it either makes a level or is refused with one line
// that says what is wrong and where.

#include <algorithm>
#include <charconv>
#include <cmath>

#include "formats/tiled/tiled_level.h"
#include "gamedata/tile_info.h"
#include "level/level_file.h"
#include "level/object_kinds.h"

namespace {

constexpr int64_t kMinField = -32768;   // 16-bit fields are given signed or unsigned
constexpr int64_t kMaxField = 65535;

std::string Cell(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

int64_t ParseNumber(const std::string& text, int64_t low, int64_t high, const std::string& what) {
    int64_t value = 0;
    if (!ParseTiledInteger(text, value) || value < low || value > high)
        throw TTiledError(what + " is \"" + text + "\", not a whole number from " + std::to_string(low) + " to " +
                          std::to_string(high));
    return value;
}

void CheckShape(const TTiledMap& map) {
    if (!map.orientation.empty() && map.orientation != "orthogonal")
        throw TTiledError("the map is " + map.orientation + "; a level is an orthogonal map");
    if (map.infinite) throw TTiledError("the map is infinite; a level is 128 x 64 tiles");
    if (map.width != kBoardWidth || map.height != kBoardHeight)
        throw TTiledError("the map is " + std::to_string(map.width) + " x " + std::to_string(map.height) +
                          " tiles; a level is 128 x 64");
    if (map.tileWidth != kTileSize || map.tileHeight != kTileSize)
        throw TTiledError("the map's tiles are " + std::to_string(map.tileWidth) + " x " +
                          std::to_string(map.tileHeight) + " pixels; a level's are 16 x 16");
}

const TTiledTileset& FindTileset(const TTiledMap& map) {
    for (const TTiledTileset& tileset : map.tilesets)
        if (tileset.name == kTileset) return tileset;
    throw TTiledError(std::string("the map has no tileset named \"") + kTileset + "\"");
}

const TTiledLayer& RequireLayer(const TTiledMap& map, const char* name, bool objects) {
    for (const TTiledLayer& layer : map.layers)
        if (layer.name == name && layer.isObjects == objects) return layer;
    throw TTiledError(std::string("the map has no ") + (objects ? "object" : "tile") + " layer named \"" + name +
                      "\"");
}

// The value of a property that holds text; what names it in the error when
// the map gave it another type (a number in place of text is a mistake).
const std::string& TextValue(const TTiledProperty& property, const std::string& what) {
    if (!property.type.empty() && property.type != "string")
        throw TTiledError(what + " is of type " + property.type + "; it must be a string");
    return property.value;
}

// A position for messages: as given, however far out of range.
std::string Coordinate(double value) {
    char digits[32];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// The words "board" cannot tell, from "x,y=hhhh x,y=hhhh ...", by cell.
std::vector<int32_t> KeptWords(const TTiledMap& map) {
    std::vector<int32_t> kept(size_t(kBoardWidth) * kBoardHeight, -1);
    const TTiledProperty* property = FindProperty(map.properties, kBoardWords);
    if (!property) return kept;
    const std::string& text = TextValue(*property, std::string("map property ") + kBoardWords);
    size_t at = 0;
    while ((at = text.find_first_not_of(' ', at)) != std::string::npos) {
        const size_t end = std::min(text.find(' ', at), text.size());
        const std::string entry = text.substr(at, end - at);
        unsigned x = 0, y = 0, word = 0;
        const char* p = entry.data();
        const char* last = p + entry.size();
        auto number = [&](unsigned& value, int base, char separator) {
            auto [next, error] = std::from_chars(p, last, value, base);
            p = next;
            if (error != std::errc() || (separator && (p == last || *p++ != separator))) return false;
            return true;
        };
        if (!number(x, 10, ',') || !number(y, 10, '=') || !number(word, 16, 0) || p != last ||
            x >= unsigned(kBoardWidth) || y >= unsigned(kBoardHeight) || word > 0xFFFF)
            throw TTiledError(std::string("map property ") + kBoardWords + ": \"" + entry +
                              "\" is not a cell and its word (x,y=hhhh)");
        kept[size_t(y) * kBoardWidth + x] = int32_t(word);
        at = end;
    }
    return kept;
}

// A cell keeps its exported word while it still shows what the export put
// there; a tile painted in Tiled keeps only the word's flag bits.
void ReadBoard(const TTiledMap& map, TLevel& level) {
    const TTiledTileset& tileset = FindTileset(map);
    const TTiledLayer& board = RequireLayer(map, kBoardLayer, false);
    if (board.width != kBoardWidth || board.height != kBoardHeight || board.cells.size() != size_t(kBoardWidth) * kBoardHeight)
        throw TTiledError("layer \"board\" is " + std::to_string(board.width) + " x " +
                          std::to_string(board.height) + " tiles; a level is 128 x 64");
    const std::vector<int32_t> kept = KeptWords(map);
    for (int y = 0; y < kBoardHeight; ++y)
        for (int x = 0; x < kBoardWidth; ++x) {
            const size_t cell = size_t(y) * kBoardWidth + size_t(x);
            const uint32_t gid = board.cells[cell];
            int tile = -1;
            if (gid & kTiledFlipBits)
                throw TTiledError("layer \"board\", cell " + Cell(x, y) +
                                  ": the tile is flipped or rotated, which a level cannot show");
            if (gid != 0) {
                if (TilesetOfGid(map, gid) != &tileset || gid - tileset.firstgid >= uint32_t(TileCount))
                    throw TTiledError("layer \"board\", cell " + Cell(x, y) + ": tile id " + std::to_string(gid) +
                                      " is no tile of \"tiles\"");
                tile = int(gid - tileset.firstgid);
            }
            const int32_t word = kept[cell];
            uint16_t value = uint16_t(std::max(tile, 0));
            if (word >= 0) value = ShownTile(uint16_t(word)) == tile ? uint16_t(word) : value | (word & 0xC000);
            level.bd[size_t(x) * kBoardHeight + size_t(y)] = value;
        }
}

// An object's property, or the default its picture's tile gives.
class TObjectReader {
public:
    TObjectReader(const TTiledMap& map, const TTiledObject& object) : object(object) {
        const TTiledTileset* tileset = object.gid ? TilesetOfGid(map, object.gid) : nullptr;
        if (tileset) tile = tileset->Tile(int((object.gid & ~kTiledFlipBits) - tileset->firstgid));
        if (tileset) tileHeight = tile && tile->imageHeight > 0 ? tile->imageHeight : tileset->tileHeight;
        where = "object " + std::to_string(object.id);
    }

    const TTiledProperty* Find(const char* name) const {
        const TTiledProperty* own = FindProperty(object.properties, name);
        return own || !tile ? own : FindProperty(tile->properties, name);
    }

    int64_t Number(const char* name, int64_t fallback, int64_t low = kMinField, int64_t high = kMaxField) const {
        const TTiledProperty* property = Find(name);
        return property ? ParseNumber(property->value, low, high, where + ", property " + name) : fallback;
    }

    TLevelObjectPtr Read() const {
        auto obj = std::make_shared<TLevelObject>();
        if (!Find("objkind")) throw TTiledError(where + " has no objkind property; every level object needs one");
        obj->objkind = uint8_t(Number("objkind", 0, 0, 255));
        for (auto [name, field] : {std::pair{"xd", &obj->xd}, {"yd", &obj->yd}, {"state", &obj->state},
                                   {"substate", &obj->substate}, {"statecount", &obj->statecount},
                                   {"counter", &obj->counter}, {"objflags", &obj->objflags},
                                   {"info1", &obj->info1}, {"zaphold", &obj->zaphold}})
            *field = uint16_t(Number(name, 0));
        if (const TTiledProperty* text = Find("text")) {
            int bad = 0;
            if (!UnicodeToLevelText(TextValue(*text, where + ", property text"), obj->insideStr, bad))
                throw TTiledError(where + ", property text: the character U+" + Hex(bad) +
                                  " cannot be written in a level (only codes 0-255)");
            if (obj->insideStr.size() > kMaxTextLength)
                throw TTiledError(where + ", property text: longer than 65535 characters");
        }
        obj->inside = int32_t(Number("inside", obj->insideStr.empty() ? 0 : 1, INT32_MIN, INT32_MAX));
        // A new object placed in Tiled without a size takes its kind's.
        obj->UpdateHitbox();
        obj->xl = uint16_t(Number("xl", obj->xl));
        obj->yl = uint16_t(Number("yl", obj->yl));
        Place(*obj);
        return obj;
    }

private:
    const TTiledObject& object;
    const TTiledTile* tile = nullptr;
    int tileHeight = 0;
    std::string where;

    static std::string Hex(int code) {
        char digits[16];
        auto [end, error] = std::to_chars(digits, digits + sizeof digits, code, 16);
        std::string text(digits, end);
        std::transform(text.begin(), text.end(), text.begin(), [](char c) { return char(std::toupper(c)); });
        return std::string(text.size() < 4 ? 4 - text.size() : 0, '0') + text;
    }

    // A tile object stands on its bottom-left corner; its picture's top-left
    // corner lies picture_dx, picture_dy from the level position.
    void Place(TLevelObject& obj) const {
        double left = object.x, top = object.y;
        if (object.gid) {
            top -= object.height > 0 ? object.height : tileHeight;
            left -= double(Number(kPictureDx, 0, INT32_MIN, INT32_MAX));
            top -= double(Number(kPictureDy, 0, INT32_MIN, INT32_MAX));
        }
        const double x = std::round(left), y = std::round(top);
        if (!(x >= kMinField && x <= kMaxField && y >= kMinField && y <= kMaxField))
            throw TTiledError(where + " stands at (" + Coordinate(x) + ", " + Coordinate(y) +
                              "), outside the positions a level can hold");
        obj.x = uint16_t(int64_t(x));
        obj.y = uint16_t(int64_t(y));
    }
};

void ReadObjects(const TTiledMap& map, TLevel& level) {
    const TTiledLayer& layer = RequireLayer(map, kObjectLayer, true);
    if (layer.objects.size() > 0xFFFF)
        throw TTiledError("layer \"objects\" holds " + std::to_string(layer.objects.size()) +
                          " objects; a level holds at most 65535");
    std::vector<const TTiledObject*> order;
    for (const TTiledObject& object : layer.objects) order.push_back(&object);
    std::stable_sort(order.begin(), order.end(),
                     [](const TTiledObject* a, const TTiledObject* b) { return a->id < b->id; });
    for (const TTiledObject* object : order) level.objs.push_back(TObjectReader(map, *object).Read());
    level.numobjs = uint16_t(level.objs.size());
}

void ReadPlayerBlock(const TTiledMap& map, TLevel& level) {
    auto number = [&](const char* name, int64_t fallback, int64_t low = kMinField, int64_t high = kMaxField) {
        const TTiledProperty* property = FindProperty(map.properties, name);
        return property ? ParseNumber(property->value, low, high, std::string("map property ") + name) : fallback;
    };
    level.pl_level = uint16_t(number("pl_level", level.pl_level));
    level.pl_health = uint16_t(number("pl_health", level.pl_health));
    level.pl_numinv = uint16_t(number("pl_numinv", level.pl_numinv));
    level.pl_score = int32_t(number("pl_score", level.pl_score, INT32_MIN, INT32_MAX));
    level.pl_ouched = uint16_t(number("pl_ouched", level.pl_ouched));
    level.pl_oldscore = int32_t(number("pl_oldscore", level.pl_oldscore, INT32_MIN, INT32_MAX));
    if (const TTiledProperty* inventory = FindProperty(map.properties, "pl_inv")) {
        size_t slot = 0, at = 0;
        const std::string& text = TextValue(*inventory, "map property pl_inv");
        while ((at = text.find_first_not_of(' ', at)) != std::string::npos) {
            const size_t end = std::min(text.find(' ', at), text.size());
            if (slot == level.pl_inv.size())
                throw TTiledError("map property pl_inv holds more than 16 items");
            level.pl_inv[slot] = uint16_t(ParseNumber(text.substr(at, end - at), kMinField, kMaxField,
                                                      "map property pl_inv, item " + std::to_string(slot + 1)));
            ++slot;
            at = end;
        }
    }
    std::vector<uint8_t> bytes;
    if (const TTiledProperty* pad = FindProperty(map.properties, "pl_pad")) {
        if (!ParseHexBytes(TextValue(*pad, "map property pl_pad"), bytes) || bytes.size() != level.pl_pad.size())
            throw TTiledError("map property pl_pad is not 22 bytes in hexadecimal (44 digits)");
        std::copy(bytes.begin(), bytes.end(), level.pl_pad.begin());
    }
    if (const TTiledProperty* tail = FindProperty(map.properties, "tail")) {
        const std::string& text = TextValue(*tail, "map property tail");
        if (text.size() / 2 > kMaxTailBytes)
            throw TTiledError("map property tail holds " + std::to_string(text.size() / 2) +
                              " bytes; a level file holds at most " + std::to_string(kMaxTailBytes) +
                              " bytes after its texts");
        if (!ParseHexBytes(text, bytes)) throw TTiledError("map property tail is not bytes in hexadecimal");
        if (!bytes.empty()) level.tail = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
    }
}

}  // namespace

bool ParseHexBytes(const std::string& text, std::vector<uint8_t>& bytes) {
    bytes.clear();
    if (text.size() % 2 != 0) return false;
    bytes.reserve(text.size() / 2);
    for (size_t i = 0; i < text.size(); i += 2) {
        uint8_t byte = 0;
        auto [end, error] = std::from_chars(text.data() + i, text.data() + i + 2, byte, 16);
        if (error != std::errc() || end != text.data() + i + 2) return false;
        bytes.push_back(byte);
    }
    return true;
}

TLevelPtr TiledToLevel(const TTiledMap& map) {
    CheckShape(map);
    auto level = std::make_shared<TLevel>();
    ReadBoard(map, *level);
    ReadObjects(map, *level);
    ReadPlayerBlock(map, *level);
    return level;
}
