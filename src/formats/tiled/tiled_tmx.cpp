// Tiled's XML form (TMX maps, TSX tilesets), read and written with pugixml.

#include <pugixml.hpp>

#include <charconv>
#include <cmath>
#include <sstream>

#include "formats/tiled/tiled_map.h"

namespace {

// ---- reading ----

int64_t IntegerAttribute(const pugi::xml_node& node, const char* name, const std::string& where, int64_t fallback,
                         int64_t low, int64_t high) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) return fallback;
    int64_t value = 0;
    if (!ParseTiledInteger(attribute.value(), value) || value < low || value > high)
        throw TTiledError(where + ": " + name + " is \"" + attribute.value() + "\", not a number from " +
                          std::to_string(low) + " to " + std::to_string(high));
    return value;
}

int IntAttribute(const pugi::xml_node& node, const char* name, const std::string& where, int fallback = 0) {
    return int(IntegerAttribute(node, name, where, fallback, -2147483648LL, 2147483647LL));
}

double NumberAttribute(const pugi::xml_node& node, const char* name, const std::string& where) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) return 0;
    const std::string text = attribute.value();
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        throw TTiledError(where + ": " + name + " is \"" + text + "\", not a number");
    return value;
}

TTiledProperties ReadProperties(const pugi::xml_node& owner) {
    TTiledProperties properties;
    for (const pugi::xml_node& property : owner.child("properties").children("property")) {
        // Long and multi-line strings are kept as the element's text.
        const pugi::xml_attribute value = property.attribute("value");
        properties.push_back({property.attribute("name").value(), property.attribute("type").value(),
                              value ? value.value() : property.text().get()});
    }
    return properties;
}

TTiledTileset ReadTilesetNode(const pugi::xml_node& node, const std::string& where) {
    TTiledTileset tileset;
    tileset.name = node.attribute("name").value();
    tileset.tileWidth = IntAttribute(node, "tilewidth", where);
    tileset.tileHeight = IntAttribute(node, "tileheight", where);
    tileset.tileCount = IntAttribute(node, "tilecount", where);
    tileset.columns = IntAttribute(node, "columns", where);
    const pugi::xml_node image = node.child("image");
    tileset.image = image.attribute("source").value();
    tileset.imageWidth = IntAttribute(image, "width", where);
    tileset.imageHeight = IntAttribute(image, "height", where);
    for (const pugi::xml_node& tileNode : node.children("tile")) {
        TTiledTile tile;
        tile.id = IntAttribute(tileNode, "id", where);
        const pugi::xml_node tileImage = tileNode.child("image");
        tile.image = tileImage.attribute("source").value();
        tile.imageWidth = IntAttribute(tileImage, "width", where);
        tile.imageHeight = IntAttribute(tileImage, "height", where);
        tile.properties = ReadProperties(tileNode);
        tileset.tiles.push_back(std::move(tile));
    }
    return tileset;
}

// Finds an element nested deeper than a map's can be. pugixml parses, walks
// and frees a document without recursion, so the check may come after the
// parse.
class TNestingCheck : public pugi::xml_tree_walker {
public:
    bool tooDeep = false;

    bool for_each(pugi::xml_node& node) override {
        // The document's own children are at depth 0.
        tooDeep = node.type() == pugi::node_element && depth() >= kMaxTiledNesting;
        return !tooDeep;
    }
};

pugi::xml_document ParseXml(const std::string& text, const std::string& where) {
    pugi::xml_document document;
    const pugi::xml_parse_result result = document.load_buffer(text.data(), text.size());
    if (!result)
        throw TTiledError(where + ": not readable XML (" + result.description() + " at byte " +
                          std::to_string(result.offset) + ")");
    TNestingCheck nesting;
    document.traverse(nesting);
    if (nesting.tooDeep) throw TooDeeplyNested(where);
    return document;
}

std::vector<uint32_t> ReadCells(const pugi::xml_node& data, size_t count, const std::string& where) {
    if (!data) throw TTiledError(where + ": the layer has no data");
    if (data.child("chunk")) throw TTiledError(where + ": the layer is infinite; a level is 128 x 64 tiles");
    const std::string encoding = data.attribute("encoding").value();
    if (!encoding.empty())
        return DecodeLayerData(encoding, data.attribute("compression").value(), data.text().get(), count, where);
    // The oldest form: one element per cell.
    std::vector<uint32_t> cells;
    for (const pugi::xml_node& tile : data.children("tile")) {
        if (cells.size() == count) break;
        cells.push_back(uint32_t(IntegerAttribute(tile, "gid", where, 0, 0, 0xFFFFFFFFLL)));
    }
    if (cells.size() != count)
        throw TTiledError(where + ": " + std::to_string(cells.size()) + " cells where " + std::to_string(count) +
                          " are needed");
    return cells;
}

void ReadLayers(const pugi::xml_node& parent, TTiledMap& map) {
    for (const pugi::xml_node& node : parent.children()) {
        const std::string kind = node.name();
        const std::string where = "layer \"" + std::string(node.attribute("name").value()) + "\"";
        if (kind == "group") {
            ReadLayers(node, map);
            continue;
        }
        if (kind != "layer" && kind != "objectgroup") continue;
        TTiledLayer layer;
        layer.isObjects = kind == "objectgroup";
        layer.name = node.attribute("name").value();
        layer.visible = IntAttribute(node, "visible", where, 1) != 0;
        layer.locked = IntAttribute(node, "locked", where, 0) != 0;
        if (!layer.isObjects) {
            layer.width = IntAttribute(node, "width", where);
            layer.height = IntAttribute(node, "height", where);
            layer.cells = ReadCells(node.child("data"), LayerCells(layer, where), where);
        }
        for (const pugi::xml_node& objectNode : node.children("object")) {
            TTiledObject object;
            object.id = IntAttribute(objectNode, "id", where);
            object.gid = uint32_t(IntegerAttribute(objectNode, "gid", where, 0, 0, 0xFFFFFFFFLL));
            object.x = NumberAttribute(objectNode, "x", where);
            object.y = NumberAttribute(objectNode, "y", where);
            object.width = NumberAttribute(objectNode, "width", where);
            object.height = NumberAttribute(objectNode, "height", where);
            object.properties = ReadProperties(objectNode);
            layer.objects.push_back(std::move(object));
        }
        map.layers.push_back(std::move(layer));
    }
}

// ---- writing ----

void WriteProperties(pugi::xml_node owner, const TTiledProperties& properties) {
    if (properties.empty()) return;
    pugi::xml_node list = owner.append_child("properties");
    for (const TTiledProperty& property : properties) {
        pugi::xml_node node = list.append_child("property");
        node.append_attribute("name") = property.name.c_str();
        if (!property.type.empty() && property.type != "string")
            node.append_attribute("type") = property.type.c_str();
        node.append_attribute("value") = property.value.c_str();
    }
}

void WriteImage(pugi::xml_node owner, const std::string& source, int width, int height) {
    pugi::xml_node image = owner.append_child("image");
    image.append_attribute("source") = source.c_str();
    image.append_attribute("width") = width;
    image.append_attribute("height") = height;
}

void WriteTileset(pugi::xml_node root, const TTiledTileset& tileset) {
    pugi::xml_node node = root.append_child("tileset");
    node.append_attribute("firstgid") = tileset.firstgid;
    node.append_attribute("name") = tileset.name.c_str();
    node.append_attribute("tilewidth") = tileset.tileWidth;
    node.append_attribute("tileheight") = tileset.tileHeight;
    node.append_attribute("tilecount") = tileset.tileCount;
    node.append_attribute("columns") = tileset.columns;
    if (tileset.image.empty()) {
        pugi::xml_node grid = node.append_child("grid");
        grid.append_attribute("orientation") = "orthogonal";
        grid.append_attribute("width") = 1;
        grid.append_attribute("height") = 1;
    } else {
        WriteImage(node, tileset.image, tileset.imageWidth, tileset.imageHeight);
    }
    for (const TTiledTile& tile : tileset.tiles) {
        pugi::xml_node tileNode = node.append_child("tile");
        tileNode.append_attribute("id") = tile.id;
        WriteProperties(tileNode, tile.properties);
        if (!tile.image.empty()) WriteImage(tileNode, tile.image, tile.imageWidth, tile.imageHeight);
    }
}

std::string CsvCells(const TTiledLayer& layer) {
    std::string text = "\n";
    text.reserve(layer.cells.size() * 4);
    for (size_t i = 0; i < layer.cells.size(); ++i) {
        text += std::to_string(layer.cells[i]);
        if (i + 1 < layer.cells.size()) text += ',';
        if ((i + 1) % size_t(layer.width) == 0) text += '\n';
    }
    return text;
}

void WriteLayer(pugi::xml_node root, const TTiledLayer& layer, int id) {
    pugi::xml_node node = root.append_child(layer.isObjects ? "objectgroup" : "layer");
    node.append_attribute("id") = id;
    node.append_attribute("name") = layer.name.c_str();
    if (layer.isObjects) {
        // Objects are drawn in list order, not sorted by height, so that the
        // stacking stays the level's.
        node.append_attribute("draworder") = "index";
    } else {
        node.append_attribute("width") = layer.width;
        node.append_attribute("height") = layer.height;
    }
    if (!layer.visible) node.append_attribute("visible") = 0;
    if (layer.locked) node.append_attribute("locked") = 1;
    if (!layer.isObjects) {
        pugi::xml_node data = node.append_child("data");
        data.append_attribute("encoding") = "csv";
        data.append_child(pugi::node_pcdata).set_value(CsvCells(layer).c_str());
    }
    for (const TTiledObject& object : layer.objects) {
        pugi::xml_node objectNode = node.append_child("object");
        objectNode.append_attribute("id") = object.id;
        if (object.gid) objectNode.append_attribute("gid") = object.gid;
        objectNode.append_attribute("x") = object.x;
        objectNode.append_attribute("y") = object.y;
        objectNode.append_attribute("width") = object.width;
        objectNode.append_attribute("height") = object.height;
        WriteProperties(objectNode, object.properties);
    }
}

}  // namespace

TTiledTileset ReadTsx(const std::string& text, const std::string& where) {
    const pugi::xml_document document = ParseXml(text, where);
    const pugi::xml_node root = document.child("tileset");
    if (!root) throw TTiledError(where + ": not a Tiled tileset");
    return ReadTilesetNode(root, where);
}

TTiledMap ReadTmx(const std::string& text, const TTilesetFileReader& readTileset) {
    const pugi::xml_document document = ParseXml(text, "map");
    const pugi::xml_node root = document.child("map");
    if (!root) throw TTiledError("not a Tiled map (no <map> element)");
    TTiledMap map;
    const std::string where = "map";
    map.orientation = root.attribute("orientation").value();
    map.width = IntAttribute(root, "width", where);
    map.height = IntAttribute(root, "height", where);
    map.tileWidth = IntAttribute(root, "tilewidth", where);
    map.tileHeight = IntAttribute(root, "tileheight", where);
    map.infinite = IntAttribute(root, "infinite", where) != 0;
    map.nextObjectId = IntAttribute(root, "nextobjectid", where, 1);
    map.properties = ReadProperties(root);
    for (const pugi::xml_node& node : root.children("tileset")) {
        const std::string tilesetWhere = "tileset \"" + std::string(node.attribute("name").value()) + "\"";
        const uint32_t firstgid = uint32_t(IntegerAttribute(node, "firstgid", tilesetWhere, 1, 1, 0x0FFFFFFF));
        const pugi::xml_attribute source = node.attribute("source");
        TTiledTileset tileset = source ? readTileset(source.value(), firstgid) : ReadTilesetNode(node, tilesetWhere);
        tileset.firstgid = firstgid;
        map.tilesets.push_back(std::move(tileset));
    }
    ReadLayers(root, map);
    return map;
}

std::string WriteTmx(const TTiledMap& map) {
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = document.append_child("map");
    root.append_attribute("version") = "1.8";
    root.append_attribute("orientation") = map.orientation.c_str();
    root.append_attribute("renderorder") = "right-down";
    root.append_attribute("width") = map.width;
    root.append_attribute("height") = map.height;
    root.append_attribute("tilewidth") = map.tileWidth;
    root.append_attribute("tileheight") = map.tileHeight;
    root.append_attribute("infinite") = map.infinite ? 1 : 0;
    root.append_attribute("nextlayerid") = int(map.layers.size()) + 1;
    root.append_attribute("nextobjectid") = map.nextObjectId;
    WriteProperties(root, map.properties);
    for (const TTiledTileset& tileset : map.tilesets) WriteTileset(root, tileset);
    for (size_t i = 0; i < map.layers.size(); ++i) WriteLayer(root, map.layers[i], int(i) + 1);
    std::ostringstream text;
    document.save(text, " ", pugi::format_default, pugi::encoding_utf8);
    return text.str();
}
