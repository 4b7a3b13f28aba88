// Tiled's JSON form (TMJ maps, TSJ tilesets), read and written with
// nlohmann-json.

#include <nlohmann/json.hpp>

#include <cmath>

#include "formats/tiled/tiled_map.h"

namespace {

using TJson = nlohmann::json;
using TOrderedJson = nlohmann::ordered_json;

// ---- reading ----

// How a value is named in messages. Lists and objects are named by their kind
// only: written out they could be as long and as deeply nested as the file.
std::string Shown(const TJson& value) {
    if (value.is_array()) return "a list";
    if (value.is_object()) return "an object";
    return value.dump();
}

// A number as the TMX form would hold it, whole numbers without a fraction.
// Unsigned first: nlohmann counts those as integers too, and one above the
// largest signed number must not come out negative.
std::string NumberText(const TJson& value) {
    if (value.is_number_unsigned()) return std::to_string(value.get<uint64_t>());
    if (value.is_number_integer()) return std::to_string(value.get<int64_t>());
    const double number = value.get<double>();
    if (std::isfinite(number) && number == std::floor(number) && std::fabs(number) < 9.0e15)
        return std::to_string(int64_t(number));
    return value.dump();
}

const TJson* Member(const TJson& object, const char* name) {
    if (!object.is_object()) return nullptr;
    auto found = object.find(name);
    return found == object.end() ? nullptr : &*found;
}

int64_t Integer(const TJson& object, const char* name, const std::string& where, int64_t fallback, int64_t low,
                int64_t high) {
    const TJson* value = Member(object, name);
    if (!value || value->is_null()) return fallback;
    int64_t number = 0;
    if (value->is_boolean()) return value->get<bool>() ? 1 : 0;
    if ((!value->is_number() && !value->is_string()) ||
        !ParseTiledInteger(value->is_string() ? value->get<std::string>() : NumberText(*value), number) ||
        number < low || number > high)
        throw TTiledError(where + ": " + name + " is " + Shown(*value) + ", not a number from " +
                          std::to_string(low) + " to " + std::to_string(high));
    return number;
}

int Int(const TJson& object, const char* name, const std::string& where, int fallback = 0) {
    return int(Integer(object, name, where, fallback, -2147483648LL, 2147483647LL));
}

double Number(const TJson& object, const char* name, const std::string& where) {
    const TJson* value = Member(object, name);
    if (!value || value->is_null()) return 0;
    if (!value->is_number() || !std::isfinite(value->get<double>()))
        throw TTiledError(where + ": " + name + " is " + Shown(*value) + ", not a number");
    return value->get<double>();
}

std::string Text(const TJson& object, const char* name, const std::string& where) {
    const TJson* value = Member(object, name);
    if (!value || value->is_null()) return "";
    if (!value->is_string()) throw TTiledError(where + ": " + name + " is " + Shown(*value) + ", not text");
    return value->get<std::string>();
}

const TJson& List(const TJson& object, const char* name, const std::string& where) {
    static const TJson empty = TJson::array();
    const TJson* value = Member(object, name);
    if (!value || value->is_null()) return empty;
    if (!value->is_array()) throw TTiledError(where + ": " + name + " is not a list");
    return *value;
}

// A property as the TMX form would hold it. The value's own JSON type decides
// whether it is text, whatever type the file declares: a number or a truth
// value is never taken as text. The members of a class property are not
// kept: no property of a level is one.
TTiledProperty Property(const std::string& name, const std::string& declaredType, const TJson& value,
                        const std::string& where) {
    if (value.is_string()) return {name, declaredType, value.get<std::string>()};
    if (value.is_boolean()) return {name, "bool", value.get<bool>() ? "true" : "false"};
    if (value.is_number()) return {name, value.is_number_float() ? "float" : "int", NumberText(value)};
    if (value.is_object()) return {name, "class", ""};
    throw TTiledError(where + ", property " + name + " is " + Shown(value) +
                      "; a property holds text, a number or true/false");
}

TTiledProperties ReadProperties(const TJson& owner, const std::string& where) {
    TTiledProperties properties;
    const TJson* list = Member(owner, "properties");
    if (!list) return properties;
    if (list->is_object()) {
        // Maps of older Tiled versions: a plain name to value table.
        for (auto it = list->begin(); it != list->end(); ++it) properties.push_back(Property(it.key(), "", *it, where));
        return properties;
    }
    for (const TJson& property : List(owner, "properties", where)) {
        const std::string name = Text(property, "name", where);
        const std::string type = Text(property, "type", where);
        const TJson* value = Member(property, "value");
        properties.push_back(value ? Property(name, type, *value, where) : TTiledProperty{name, type, ""});
    }
    return properties;
}

TTiledTileset ReadTilesetObject(const TJson& node, const std::string& where) {
    TTiledTileset tileset;
    tileset.name = Text(node, "name", where);
    tileset.tileWidth = Int(node, "tilewidth", where);
    tileset.tileHeight = Int(node, "tileheight", where);
    tileset.tileCount = Int(node, "tilecount", where);
    tileset.columns = Int(node, "columns", where);
    tileset.image = Text(node, "image", where);
    tileset.imageWidth = Int(node, "imagewidth", where);
    tileset.imageHeight = Int(node, "imageheight", where);
    for (const TJson& tileNode : List(node, "tiles", where)) {
        TTiledTile tile;
        tile.id = Int(tileNode, "id", where);
        tile.image = Text(tileNode, "image", where);
        tile.imageWidth = Int(tileNode, "imagewidth", where);
        tile.imageHeight = Int(tileNode, "imageheight", where);
        tile.properties = ReadProperties(tileNode, where);
        tileset.tiles.push_back(std::move(tile));
    }
    return tileset;
}

// nlohmann parses and frees without recursion; lists and objects nested too
// deep are refused as they open, before the rest of the file is read.
TJson ParseJson(const std::string& text, const std::string& where) {
    auto refuseDeepNesting = [&where](int depth, TJson::parse_event_t event, TJson&) {
        // The outermost list or object is at depth 0.
        const bool opens = event == TJson::parse_event_t::object_start || event == TJson::parse_event_t::array_start;
        if (opens && depth >= kMaxTiledNesting) throw TooDeeplyNested(where);
        return true;
    };
    try {
        return TJson::parse(text, refuseDeepNesting);
    } catch (const TJson::exception& error) {
        throw TTiledError(where + ": not readable JSON (" + error.what() + ")");
    }
}

void ReadLayers(const TJson& parent, TTiledMap& map) {
    for (const TJson& node : List(parent, "layers", "map")) {
        const std::string name = Text(node, "name", "map");
        const std::string where = "layer \"" + name + "\"";
        const std::string type = Text(node, "type", where);
        if (type == "group") {
            ReadLayers(node, map);
            continue;
        }
        if (type != "tilelayer" && type != "objectgroup") continue;
        TTiledLayer layer;
        layer.isObjects = type == "objectgroup";
        layer.name = name;
        layer.visible = Int(node, "visible", where, 1) != 0;
        layer.locked = Int(node, "locked", where) != 0;
        if (!layer.isObjects) {
            layer.width = Int(node, "width", where);
            layer.height = Int(node, "height", where);
            if (Member(node, "chunks")) throw TTiledError(where + ": the layer is infinite; a level is 128 x 64 tiles");
            const size_t count = LayerCells(layer, where);
            const TJson* data = Member(node, "data");
            if (!data) throw TTiledError(where + ": the layer has no data");
            if (data->is_string()) {
                layer.cells = DecodeLayerData(Text(node, "encoding", where), Text(node, "compression", where),
                                              data->get<std::string>(), count, where);
            } else {
                if (!data->is_array() || data->size() != count)
                    throw TTiledError(where + ": " + std::to_string(data->is_array() ? data->size() : 0) +
                                      " cells where " + std::to_string(count) + " are needed");
                layer.cells.reserve(count);
                for (const TJson& cell : *data) {
                    if (!cell.is_number_unsigned() && !(cell.is_number_integer() && cell.get<int64_t>() >= 0))
                        throw TTiledError(where + ": the cell list holds " + Shown(cell) + ", not a tile id");
                    const uint64_t gid = cell.get<uint64_t>();
                    if (gid > 0xFFFFFFFFu) throw TTiledError(where + ": the cell list holds a tile id too large");
                    layer.cells.push_back(uint32_t(gid));
                }
            }
        }
        for (const TJson& objectNode : List(node, "objects", where)) {
            TTiledObject object;
            object.id = Int(objectNode, "id", where);
            object.gid = uint32_t(Integer(objectNode, "gid", where, 0, 0, 0xFFFFFFFFLL));
            object.x = Number(objectNode, "x", where);
            object.y = Number(objectNode, "y", where);
            object.width = Number(objectNode, "width", where);
            object.height = Number(objectNode, "height", where);
            object.properties = ReadProperties(objectNode, "object " + std::to_string(object.id));
            layer.objects.push_back(std::move(object));
        }
        map.layers.push_back(std::move(layer));
    }
}

// ---- writing ----

TOrderedJson PropertyValue(const TTiledProperty& property) {
    int64_t number = 0;
    if (property.type == "int" && ParseTiledInteger(property.value, number)) return number;
    if (property.type == "bool") return property.value == "true";
    return property.value;
}

TOrderedJson Properties(const TTiledProperties& properties) {
    TOrderedJson list = TOrderedJson::array();
    for (const TTiledProperty& property : properties)
        list.push_back({{"name", property.name},
                        {"type", property.type.empty() ? "string" : property.type},
                        {"value", PropertyValue(property)}});
    return list;
}

TOrderedJson Tileset(const TTiledTileset& tileset) {
    TOrderedJson node = {{"firstgid", tileset.firstgid},   {"name", tileset.name},
                         {"tilewidth", tileset.tileWidth}, {"tileheight", tileset.tileHeight},
                         {"tilecount", tileset.tileCount}, {"columns", tileset.columns},
                         {"margin", 0},                    {"spacing", 0}};
    if (tileset.image.empty()) {
        node["grid"] = {{"orientation", "orthogonal"}, {"width", 1}, {"height", 1}};
    } else {
        node["image"] = tileset.image;
        node["imagewidth"] = tileset.imageWidth;
        node["imageheight"] = tileset.imageHeight;
    }
    if (tileset.tiles.empty()) return node;
    TOrderedJson tiles = TOrderedJson::array();
    for (const TTiledTile& tile : tileset.tiles) {
        TOrderedJson tileNode = {{"id", tile.id}};
        if (!tile.image.empty()) {
            tileNode["image"] = tile.image;
            tileNode["imagewidth"] = tile.imageWidth;
            tileNode["imageheight"] = tile.imageHeight;
        }
        if (!tile.properties.empty()) tileNode["properties"] = Properties(tile.properties);
        tiles.push_back(std::move(tileNode));
    }
    node["tiles"] = std::move(tiles);
    return node;
}

TOrderedJson Layer(const TTiledLayer& layer, int id) {
    TOrderedJson node = {{"id", id},  {"name", layer.name},          {"type", layer.isObjects ? "objectgroup" : "tilelayer"},
                         {"x", 0},    {"y", 0},                      {"opacity", 1},
                         {"visible", layer.visible}};
    if (layer.locked) node["locked"] = true;
    if (!layer.isObjects) {
        node["width"] = layer.width;
        node["height"] = layer.height;
        node["data"] = layer.cells;
        return node;
    }
    // Objects are drawn in list order, not sorted by height, so that the
    // stacking stays the level's.
    node["draworder"] = "index";
    TOrderedJson objects = TOrderedJson::array();
    for (const TTiledObject& object : layer.objects) {
        TOrderedJson objectNode = {{"id", object.id}};
        if (object.gid) objectNode["gid"] = object.gid;
        objectNode["name"] = "";
        objectNode["type"] = "";
        objectNode["x"] = object.x;
        objectNode["y"] = object.y;
        objectNode["width"] = object.width;
        objectNode["height"] = object.height;
        objectNode["rotation"] = 0;
        objectNode["visible"] = true;
        if (!object.properties.empty()) objectNode["properties"] = Properties(object.properties);
        objects.push_back(std::move(objectNode));
    }
    node["objects"] = std::move(objects);
    return node;
}

}  // namespace

TTiledTileset ReadTsj(const std::string& text, const std::string& where) {
    const TJson document = ParseJson(text, where);
    if (!document.is_object()) throw TTiledError(where + ": not a Tiled tileset");
    return ReadTilesetObject(document, where);
}

TTiledMap ReadTmj(const std::string& text, const TTilesetFileReader& readTileset) {
    const std::string where = "map";
    const TJson document = ParseJson(text, where);
    if (!document.is_object() || !Member(document, "layers")) throw TTiledError("not a Tiled map (no layers)");
    TTiledMap map;
    map.orientation = Text(document, "orientation", where);
    map.width = Int(document, "width", where);
    map.height = Int(document, "height", where);
    map.tileWidth = Int(document, "tilewidth", where);
    map.tileHeight = Int(document, "tileheight", where);
    map.infinite = Int(document, "infinite", where) != 0;
    map.nextObjectId = Int(document, "nextobjectid", where, 1);
    map.properties = ReadProperties(document, where);
    for (const TJson& node : List(document, "tilesets", where)) {
        const std::string tilesetWhere = "tileset \"" + Text(node, "name", where) + "\"";
        const uint32_t firstgid = uint32_t(Integer(node, "firstgid", tilesetWhere, 1, 1, 0x0FFFFFFF));
        const std::string source = Text(node, "source", tilesetWhere);
        TTiledTileset tileset = !source.empty() ? readTileset(source, firstgid) : ReadTilesetObject(node, tilesetWhere);
        tileset.firstgid = firstgid;
        map.tilesets.push_back(std::move(tileset));
    }
    ReadLayers(document, map);
    return map;
}

std::string WriteTmj(const TTiledMap& map) {
    TOrderedJson document = {{"type", "map"},
                             {"version", "1.8"},
                             {"orientation", map.orientation},
                             {"renderorder", "right-down"},
                             {"width", map.width},
                             {"height", map.height},
                             {"tilewidth", map.tileWidth},
                             {"tileheight", map.tileHeight},
                             {"infinite", map.infinite},
                             {"nextlayerid", int(map.layers.size()) + 1},
                             {"nextobjectid", map.nextObjectId}};
    if (!map.properties.empty()) document["properties"] = Properties(map.properties);
    TOrderedJson tilesets = TOrderedJson::array();
    for (const TTiledTileset& tileset : map.tilesets) tilesets.push_back(Tileset(tileset));
    document["tilesets"] = std::move(tilesets);
    TOrderedJson layers = TOrderedJson::array();
    for (size_t i = 0; i < map.layers.size(); ++i) layers.push_back(Layer(map.layers[i], int(i) + 1));
    document["layers"] = std::move(layers);
    return document.dump(1) + "\n";
}
