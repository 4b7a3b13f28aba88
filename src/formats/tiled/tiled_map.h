#pragma once
// A Tiled map as far as levels need one: the map's size, its tilesets, its
// tile and object layers and the custom properties on all of them. Both file
// forms of Tiled (TMX and JSON) are read into and written from this one
// model, so the level side never sees which form a map came in.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// A map that cannot be read or cannot be a level; the text says what is wrong
// and where, in one line.
class TTiledError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One custom property. type is Tiled's type name ("int", "string", ...), empty
// when the file gave none; value is the text form in either case.
struct TTiledProperty {
    std::string name;
    std::string type;
    std::string value;
};
using TTiledProperties = std::vector<TTiledProperty>;

struct TTiledTile {
    int id = 0;
    std::string image;   // the tile's own picture (image collections); empty otherwise
    int imageWidth = 0;
    int imageHeight = 0;
    TTiledProperties properties;
};

struct TTiledTileset {
    uint32_t firstgid = 1;
    std::string name;
    int tileWidth = 0;
    int tileHeight = 0;
    int tileCount = 0;
    int columns = 0;
    std::string image;   // one picture cut into tiles; empty for an image collection
    int imageWidth = 0;
    int imageHeight = 0;
    std::vector<TTiledTile> tiles;   // the tiles that have a picture or properties of their own

    const TTiledTile* Tile(int id) const;
};

struct TTiledObject {
    int id = 0;
    uint32_t gid = 0;   // 0 for an object that shows no tile
    double x = 0, y = 0, width = 0, height = 0;
    TTiledProperties properties;
};

struct TTiledLayer {
    bool isObjects = false;
    std::string name;
    bool visible = true;
    bool locked = false;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> cells;   // tile layers: width x height global tile ids, row by row
    std::vector<TTiledObject> objects;
};

struct TTiledMap {
    std::string orientation = "orthogonal";
    int width = 0;
    int height = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    bool infinite = false;
    int nextObjectId = 1;
    TTiledProperties properties;
    std::vector<TTiledTileset> tilesets;
    std::vector<TTiledLayer> layers;   // bottom first; layers of groups are listed in place of the group
};

// Tiled keeps the flip and rotation of a placed tile in the top bits of its id.
inline constexpr uint32_t kTiledFlipBits = 0xF0000000u;

// Tiled nests a map's elements a few levels deep (groups of layers, class
// properties); files nested deeper than this are refused as they are parsed,
// before anything walks them, so that no crafted file can exhaust the stack.
inline constexpr int kMaxTiledNesting = 64;
// The refusal of such a file; where names it.
TTiledError TooDeeplyNested(const std::string& where);

const TTiledProperty* FindProperty(const TTiledProperties& properties, const std::string& name);
// The number of cells a tile layer of that size holds; TTiledError for
// sizes no map of a level has.
size_t LayerCells(const TTiledLayer& layer, const std::string& where);
// The tileset a global tile id falls in (flip bits ignored), or null.
const TTiledTileset* TilesetOfGid(const TTiledMap& map, uint32_t gid);

// A whole number written as Tiled writes numbers ("12", "-3", "12.0"); false
// for anything else.
bool ParseTiledInteger(const std::string& text, int64_t& value);

// Level texts are bytes 0-255; a map holds Unicode. Bytes become the
// characters of the same code, except the control codes, which would not
// survive XML: they become their visible Unicode control pictures.
std::string LevelTextToUnicode(const std::string& bytes);
// The way back; false (and the offending code in badCharacter) for a
// character that no byte stands for.
bool UnicodeToLevelText(const std::string& utf8, std::string& bytes, int& badCharacter);

// Reads a tileset kept in a file of its own, as the map names it (source);
// it takes the map's firstgid. The map parsers call it where the map names
// the file, so that its errors come in the file's order.
using TTilesetFileReader = std::function<TTiledTileset(const std::string& source, uint32_t firstgid)>;

// The two file forms. The readers raise TTiledError; they see text only and
// leave tilesets in files of their own to readTileset.
std::string WriteTmx(const TTiledMap& map);
std::string WriteTmj(const TTiledMap& map);
TTiledMap ReadTmx(const std::string& text, const TTilesetFileReader& readTileset);
TTiledMap ReadTmj(const std::string& text, const TTilesetFileReader& readTileset);
TTiledTileset ReadTsx(const std::string& text, const std::string& where);
TTiledTileset ReadTsj(const std::string& text, const std::string& where);

// Which form a file name asks for: ".tmx" is TMX, ".tmj" and ".json" JSON.
enum class TTiledFormat { None, Tmx, Json };
TTiledFormat TiledFormatOf(const std::string& path);
// The reader of tileset files (.tsx, or .tsj / .json) named by a map in
// folder dir, found against that folder.
TTilesetFileReader TilesetFilesIn(const std::string& dir);
// Reads a map file of either form, its external tilesets included.
TTiledMap ReadTiledMap(const std::string& path);

// Tile layer data as the files store it: comma separated ("csv"), or
// "base64" with compression "", "zlib" or "gzip". count ids are expected;
// where names the layer in errors.
std::vector<uint32_t> DecodeLayerData(const std::string& encoding, const std::string& compression,
                                      const std::string& text, size_t count, const std::string& where);
