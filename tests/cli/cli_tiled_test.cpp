// tarn-cli export-tiled and import-tiled without Tiled itself: levels go to
// a map and back byte for byte, in every form Tiled may write the map, and
// maps that cannot be levels are refused clearly with the output untouched.

#include <pugixml.hpp>
#include <zlib.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <functional>

#include "formats/tiled/tiled_level.h"
#include "level/level_file.h"
#include "sample_game/sample_game.h"
#include "tiled_fixture.h"

namespace {

namespace fs = std::filesystem;

std::string Base64(const std::vector<uint8_t>& bytes) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t held = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = 0;
        for (size_t k = 0; k < 3; ++k) group = group << 8 | (k < held ? bytes[i + k] : 0);
        for (size_t k = 0; k < 4; ++k) text += k <= held ? digits[group >> (18 - 6 * k) & 63] : '=';
    }
    return text;
}

// The ids of a CSV cell list packed as Tiled packs them: little-endian words,
// then zlib (windowBits 15) or gzip (31) or nothing (0).
std::string PackedCells(const std::string& csv, int windowBits) {
    std::vector<uint8_t> raw;
    std::stringstream list(csv);
    std::string cell;
    while (std::getline(list, cell, ','))
        for (uint32_t gid = uint32_t(std::stoul(cell)), k = 0; k < 4; ++k) raw.push_back(uint8_t(gid >> (8 * k)));
    if (windowBits == 0) return Base64(raw);
    std::vector<uint8_t> packed(raw.size() + 1024);
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    stream.next_in = raw.data();
    stream.avail_in = uInt(raw.size());
    stream.next_out = packed.data();
    stream.avail_out = uInt(packed.size());
    deflate(&stream, Z_FINISH);
    packed.resize(packed.size() - stream.avail_out);
    deflateEnd(&stream);
    return Base64(packed);
}

class CliTiled : public ::testing::Test {
protected:
    TTempDir temp;
    std::string game;

    void SetUp() override {
        game = temp.File("game") + "/";
        ASSERT_EQ(Tarn({"sample-game", game}).status, 0);
    }

    std::string Level(const TLevelBytes& bytes, const std::string& name) {
        bytes.WriteFile(game + name);
        return game + name;
    }

    // Exports level to map, imports it again and gives the level's bytes.
    std::string ThereAndBack(const std::string& level, const std::string& map) {
        const TTiledRun out = Tarn({"export-tiled", level, map});
        EXPECT_EQ(out.status, 0) << out.err;
        const std::string back = map + ".back";
        const TTiledRun in = Tarn({"import-tiled", map, back});
        EXPECT_EQ(in.status, 0) << in.err;
        return FileText(back);
    }

    // Edits the exported TMX of the showcase and imports it; gives the run.
    TTiledRun ImportEdited(const std::function<void(pugi::xml_document&)>& edit, const std::string& target) {
        const std::string map = temp.File("edited.tmx");
        if (!fs::exists(map)) {
            EXPECT_EQ(Tarn({"export-tiled", game + kSampleShowcaseLevel, map}).status, 0);
        }
        pugi::xml_document document;
        EXPECT_TRUE(document.load_file(map.c_str()));
        edit(document);
        const std::string changed = temp.File("changed.tmx");
        EXPECT_TRUE(document.save_file(changed.c_str()));
        return Tarn({"import-tiled", changed, target});
    }
};

pugi::xml_node Layer(pugi::xml_document& document, const char* name) {
    return document.child("map").find_child_by_attribute(name == std::string("objects") ? "objectgroup" : "layer",
                                                          "name", name);
}

// The CSV text of the board with cell (x, y) set to gid.
void SetBoardCell(pugi::xml_document& document, int x, int y, const std::string& gid) {
    pugi::xml_node data = Layer(document, "board").child("data");
    std::string csv = data.text().get();
    size_t at = csv.find_first_not_of("\n");
    for (int skip = 0; skip < y * 128 + x; ++skip) at = csv.find(',', at) + 1;
    while (csv[at] == '\n') ++at;
    csv.replace(at, csv.find_first_of(",\n", at) - at, gid);
    data.text().set(csv.c_str());
}

void SetObjectProperty(pugi::xml_document& document, const char* name, const std::string& value) {
    pugi::xml_node object = Layer(document, "objects").last_child();   // object 1, the player
    object.child("properties").find_child_by_attribute("property", "name", name).attribute("value") = value.c_str();
}

TEST_F(CliTiled, SampleLevelsComeBackByteForByteInBothForms) {
    for (const char* name : {"showcase.jn1", "tiles.jn2", "castle.jn3", "desert.one"})
        for (const char* form : {".tmx", ".tmj", ".json"}) {
            const std::string map = temp.File(std::string(name) + form);
            EXPECT_EQ(ThereAndBack(game + name, map), FileText(game + name)) << name << form;
        }
    // The pictures lie beside the map, named after it.
    EXPECT_TRUE(fs::exists(temp.File("showcase.jn1.tiles.png")));
    EXPECT_TRUE(fs::exists(temp.File("showcase.jn1.overlays.png")));
}

TEST_F(CliTiled, LevelsOfEveryWordObjectAndTextComeBackByteForByte) {
    for (int count : {0, 1, 258, 259})
        for (bool tail : {false, true}) {
            const std::string level = Level(EveryKindLevel(count, tail), "every.jn1");
            for (const char* form : {".tmx", ".json"}) {
                const std::string map = temp.File("every" + std::to_string(count) + form);
                EXPECT_EQ(ThereAndBack(level, map), FileText(level)) << count << " objects" << form;
            }
        }
    // An inside value other than 1 is kept in the level (the writer stores 1).
    TLevelBytes odd = EveryKindLevel(3, false);
    odd.objects[0].inside = 7;
    odd.texts.insert(odd.texts.begin(), "seven");
    const std::string level = Level(odd, "odd.jn1");
    ASSERT_EQ(Tarn({"roundtrip", level, temp.File("odd.rt")}).status, 0);
    EXPECT_EQ(ThereAndBack(level, temp.File("odd.tmx")), FileText(temp.File("odd.rt")));
    EXPECT_NE(FileText(temp.File("odd.tmx")).find("name=\"inside\" type=\"int\" value=\"7\""), std::string::npos);
}

TEST_F(CliTiled, EveryFormTiledWritesIsRead) {
    const std::string original = FileText(game + kSampleShowcaseLevel);
    // The board's cells in base64, plain or packed.
    for (const auto& [compression, bits] : std::vector<std::pair<std::string, int>>{{"", 0}, {"zlib", 15}, {"gzip", 31}}) {
        const TTiledRun run = ImportEdited(
            [&](pugi::xml_document& document) {
                pugi::xml_node data = Layer(document, "board").child("data");
                data.attribute("encoding") = "base64";
                if (!compression.empty()) data.append_attribute("compression") = compression.c_str();
                data.text().set(PackedCells(data.text().get(), bits).c_str());
            },
            temp.File("packed.jn1"));
        EXPECT_EQ(run.status, 0) << compression << run.err;
        EXPECT_EQ(FileText(temp.File("packed.jn1")), original) << compression;
    }
    // Attributes in another order, properties without types.
    TTiledRun run = ImportEdited(
        [](pugi::xml_document& document) {
            for (pugi::xpath_node found : document.select_nodes("//*")) {
                pugi::xml_node node = found.node();
                std::vector<std::pair<std::string, std::string>> attributes;
                for (pugi::xml_attribute a : node.attributes())
                    if (std::string(a.name()) != "type" || std::string(node.name()) != "property")
                        attributes.emplace_back(a.name(), a.value());
                while (node.first_attribute()) node.remove_attribute(node.first_attribute());
                for (auto it = attributes.rbegin(); it != attributes.rend(); ++it)
                    node.append_attribute(it->first.c_str()) = it->second.c_str();
            }
        },
        temp.File("shuffled.jn1"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(FileText(temp.File("shuffled.jn1")), original);

    // Tilesets in files of their own, in either form, for maps of either form.
    const std::string tmx = temp.File("external.tmx");
    ASSERT_EQ(Tarn({"export-tiled", game + kSampleShowcaseLevel, tmx}).status, 0);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_file(tmx.c_str()));
    for (pugi::xml_node tileset = document.child("map").child("tileset"); tileset;
         tileset = tileset.next_sibling("tileset")) {
        const std::string file = std::string(tileset.attribute("name").value()) + ".tsx";
        pugi::xml_document own;
        pugi::xml_node copy = own.append_copy(tileset);
        copy.remove_attribute("firstgid");
        ASSERT_TRUE(own.save_file(temp.File(file).c_str()));
        while (tileset.first_child()) tileset.remove_child(tileset.first_child());
        const std::string firstgid = tileset.attribute("firstgid").value();
        while (tileset.first_attribute()) tileset.remove_attribute(tileset.first_attribute());
        tileset.append_attribute("firstgid") = firstgid.c_str();
        tileset.append_attribute("source") = file.c_str();
    }
    ASSERT_TRUE(document.save_file(tmx.c_str()));
    ASSERT_EQ(Tarn({"import-tiled", tmx, temp.File("external.jn1")}).status, 0);
    EXPECT_EQ(FileText(temp.File("external.jn1")), original);

    const std::string tmj = temp.File("external.tmj");
    ASSERT_EQ(Tarn({"export-tiled", game + kSampleShowcaseLevel, tmj}).status, 0);
    nlohmann::json map = nlohmann::json::parse(FileText(tmj));
    for (nlohmann::json& tileset : map["tilesets"]) {
        const std::string file = tileset["name"].get<std::string>() + ".tsj";
        nlohmann::json own = tileset;
        own.erase("firstgid");
        WriteText(temp.File(file), own.dump());
        tileset = {{"firstgid", tileset["firstgid"]}, {"source", file}};
    }
    // Properties as older versions wrote them: a plain table of names.
    nlohmann::json plain = nlohmann::json::object();
    for (const nlohmann::json& property : map["properties"]) plain[property["name"].get<std::string>()] = property["value"];
    map["properties"] = plain;
    WriteText(tmj, map.dump());
    run = Tarn({"import-tiled", tmj, temp.File("external2.jn1")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(FileText(temp.File("external2.jn1")), original);
}

TEST_F(CliTiled, MapsThatCannotBeLevelsAreRefusedAndTheOutputStays) {
    const std::string target = temp.File("kept.jn1");
    WriteText(target, "old level");
    struct TCase {
        const char* name;
        std::function<void(pugi::xml_document&)> edit;
        const char* message;   // nullptr: accepted
    };
    auto mapAttribute = [](const char* name, const char* value) {
        return [=](pugi::xml_document& d) { d.child("map").attribute(name) = value; };
    };
    auto layerSize = [](int width) {
        return [=](pugi::xml_document& d) {
            d.child("map").attribute("width") = width;
            for (pugi::xml_node layer : d.child("map").children("layer")) {
                layer.attribute("width") = width;
                std::string cells;
                for (int i = 0; i < width * 64; ++i) cells += i ? ",1" : "1";
                layer.child("data").text().set(cells.c_str());
            }
        };
    };
    auto nest = [](int levels) {   // elements within <map>, which is the first level
        return [=](pugi::xml_document& d) {
            pugi::xml_node n = d.child("map");
            for (int i = 1; i < levels; ++i) n = n.append_child("n");
        };
    };
    const std::vector<TCase> cases = {
        {"map width 129", layerSize(129), "the map is 129 x 64 tiles; a level is 128 x 64"},
        {"map width 127", layerSize(127), "the map is 127 x 64 tiles; a level is 128 x 64"},
        {"tile width 15", mapAttribute("tilewidth", "15"), "the map's tiles are 15 x 16 pixels; a level's are 16 x 16"},
        {"tile height 17", mapAttribute("tileheight", "17"), "the map's tiles are 16 x 17 pixels"},
        {"isometric", mapAttribute("orientation", "isometric"), "the map is isometric"},
        {"infinite", mapAttribute("infinite", "1"), "the map is infinite"},
        {"tile 599", [](pugi::xml_document& d) { SetBoardCell(d, 3, 2, "600"); }, nullptr},
        {"tile 600", [](pugi::xml_document& d) { SetBoardCell(d, 3, 2, "601"); },
         "layer \"board\", cell (3, 2): tile id 601 is no tile of \"tiles\""},
        {"flipped", [](pugi::xml_document& d) { SetBoardCell(d, 0, 0, "2147483649"); }, "cell (0, 0): the tile is flipped"},
        {"zstd",
         [](pugi::xml_document& d) {
             pugi::xml_node data = Layer(d, "board").child("data");
             data.attribute("encoding") = "base64";
             data.append_attribute("compression") = "zstd";
             data.text().set("KLUv/QBYAQAA");
         },
         "layer \"board\": zstd compression cannot be read"},
        {"short board", [](pugi::xml_document& d) { Layer(d, "board").child("data").text().set("1,2,3"); },
         "layer \"board\": 3 cells where 8192 are needed"},
        {"no board", [](pugi::xml_document& d) { Layer(d, "board").attribute("name") = "ground"; },
         "the map has no tile layer named \"board\""},
        {"no objects", [](pugi::xml_document& d) { Layer(d, "objects").attribute("name") = "things"; },
         "the map has no object layer named \"objects\""},
        {"no tiles", [](pugi::xml_document& d) { d.child("map").child("tileset").attribute("name") = "t"; },
         "the map has no tileset named \"tiles\""},
        {"missing tileset file",
         [](pugi::xml_document& d) {
             pugi::xml_node tileset = d.child("map").child("tileset");
             while (tileset.first_child()) tileset.remove_child(tileset.first_child());
             tileset.append_attribute("source") = "nowhere.tsx";
         },
         "cannot open the file"},
        {"field 65535", [](pugi::xml_document& d) { SetObjectProperty(d, "xd", "65535"); }, nullptr},
        {"field 65536", [](pugi::xml_document& d) { SetObjectProperty(d, "xd", "65536"); },
         "object 1, property xd is \"65536\", not a whole number from -32768 to 65535"},
        {"field -32768", [](pugi::xml_document& d) { SetObjectProperty(d, "state", "-32768"); }, nullptr},
        {"field -32769", [](pugi::xml_document& d) { SetObjectProperty(d, "state", "-32769"); },
         "object 1, property state is \"-32769\""},
        {"kind 255", [](pugi::xml_document& d) { SetObjectProperty(d, "objkind", "255"); }, nullptr},
        {"kind 256", [](pugi::xml_document& d) { SetObjectProperty(d, "objkind", "256"); },
         "property objkind is \"256\", not a whole number from 0 to 255"},
        {"no kind",
         [](pugi::xml_document& d) {
             pugi::xml_node object = Layer(d, "objects").last_child();
             object.remove_attribute("gid");
             pugi::xml_node properties = object.child("properties");
             properties.remove_child(properties.find_child_by_attribute("property", "name", "objkind"));
         },
         "object 1 has no objkind property"},
        {"letter 255", [](pugi::xml_document& d) { SetObjectProperty(d, "text", "\xC3\xBF"); }, nullptr},
        {"letter 256", [](pugi::xml_document& d) { SetObjectProperty(d, "text", "\xC4\x80"); },
         "object 1, property text: the character U+0100 cannot be written in a level"},
        {"x 65535",
         [](pugi::xml_document& d) { Layer(d, "objects").last_child().attribute("x") = 65535 + 0; }, nullptr},
        {"x 65536", [](pugi::xml_document& d) { Layer(d, "objects").last_child().attribute("x") = 65536; },
         "object 1 stands at (65536, "},
        {"x 1e308", [](pugi::xml_document& d) { Layer(d, "objects").last_child().attribute("x") = "1e308"; },
         "object 1 stands at (1e+308, "},
        {"nesting 64", nest(64), nullptr},
        {"nesting 65", nest(65), "map: nested more than 64 levels deep"},
        {"pad", [](pugi::xml_document& d) { d.child("map").child("properties").find_child_by_attribute("property", "name", "pl_pad").attribute("value") = "00"; },
         "map property pl_pad is not 22 bytes"},
    };
    for (const TCase& c : cases) {
        const TTiledRun run = ImportEdited(c.edit, c.message ? target : temp.File("accepted.jn1"));
        if (!c.message) {
            EXPECT_EQ(run.status, 0) << c.name << ": " << run.err;
            continue;
        }
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << ": " << run.err;
        EXPECT_EQ(run.err.find("tarn-cli: " + temp.File("changed.tmx") + ": "), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(FileText(target), "old level") << c.name;
    }

    // Files that are no map at all.
    WriteText(temp.File("garbage.tmx"), "<map width=\"128\"");
    WriteText(temp.File("garbage.json"), "{\"layers\": [");
    const std::string whole = FileText(temp.File("edited.tmx"));
    WriteText(temp.File("cut.tmx"), whole.substr(0, whole.size() / 2));
    auto repeat = [](const std::string& text, int count) { std::string all; while (count-- > 0) all += text; return all; };
    WriteText(temp.File("deep.tmx"), "<map>" + repeat("<group>", 20000) + repeat("</group>", 20000) + "</map>");
    WriteText(temp.File("deep.json"),
              "{\"layers\":" + repeat("[{\"type\":\"group\",\"layers\":", 20000) + "[]" + repeat("}]", 20000) + "}");
    for (const auto& [file, message] : std::vector<std::pair<std::string, std::string>>{
             {temp.File("missing.tmx"), "cannot open the file"},
             {temp.Path(), "cannot open the file"},
             {temp.File("garbage.tmx"), "not readable XML"},
             {temp.File("garbage.json"), "not readable JSON"},
             {temp.File("cut.tmx"), "not readable XML"},
             {temp.File("deep.tmx"), "nested more than 64 levels deep"},
             {temp.File("deep.json"), "nested more than 64 levels deep"}}) {
        const TTiledRun run = Tarn({"import-tiled", file, target});
        EXPECT_EQ(run.status, 1) << file;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(FileText(target), "old level");
    }
    const TTiledRun wrongName = Tarn({"export-tiled", game + kSampleShowcaseLevel, temp.File("map.txt")});
    EXPECT_EQ(wrongName.status, 2);
    EXPECT_NE(wrongName.err.find(".tmx"), std::string::npos);
}

// JSON values are taken for what they are, nothing the reader would refuse is
// written, and write failures say why in the system's words.
TEST_F(CliTiled, JsonValuesLevelLimitsAndWriteFailures) {
    const std::string target = temp.File("kept.jn1"), map = temp.File("edited.tmj"), level = game + kSampleShowcaseLevel;
    WriteText(target, "old level");
    ASSERT_EQ(Tarn({"export-tiled", level, map}).status, 0);
    auto nest = [](int levels) {   // lists within the map, which is the first level
        return [=](nlohmann::json& m) {
            for (int i = 1; i < levels; ++i) m["nest"] = nlohmann::json::array({m["nest"]});
        };
    };
    auto player = [](nlohmann::json& m) -> nlohmann::json& { return m["layers"].back()["objects"].back(); };
    const std::vector<std::pair<std::function<void(nlohmann::json&)>, const char*>> cases = {
        {nest(64), nullptr},
        {nest(65), "map: nested more than 64 levels deep, deeper than any map Tiled writes"},
        {[&](nlohmann::json& m) { player(m)["properties"][13]["value"] = nullptr; },
         "object 1, property text is null; a property holds text, a number or true/false"},
        {[](nlohmann::json& m) { m["properties"].push_back({{"name", "tail"}, {"type", "string"}, {"value", 12}}); },
         "map property tail is of type int; it must be a string"},
        {[&](nlohmann::json& m) { player(m)["properties"][1]["value"] = UINT64_MAX; },
         "object 1, property xd is \"18446744073709551615\", not a whole number from -32768 to 65535"},
        {[&](nlohmann::json& m) { player(m)["x"] = 1e308; },
         "object 1 stands at (1e+308, 16), outside the positions a level can hold"}};
    for (const auto& [edit, message] : cases) {
        nlohmann::json edited = nlohmann::json::parse(FileText(map));
        edit(edited);
        WriteText(temp.File("changed.tmj"), edited.dump());
        const TTiledRun run = Tarn({"import-tiled", temp.File("changed.tmj"), message ? target : temp.File("new.jn1")});
        EXPECT_EQ(run.err, message ? "tarn-cli: " + temp.File("changed.tmj") + ": " + message + "\n" : "");
    }
    EXPECT_EQ(FileText(target), "old level");

    // The bytes after the texts: as many as the reader takes, and one more.
    TTiledMap tiled = ReadTiledMap(map);
    tiled.properties.push_back({"tail", "", std::string(2 * kMaxTailBytes, '7')});
    ASSERT_TRUE(TiledToLevel(tiled)->WriteToFile(target));
    EXPECT_EQ(Tarn({"roundtrip", target, temp.File("read.jn1")}).status, 0);
    tiled.properties.back().value += "77";
    EXPECT_THROW(TiledToLevel(tiled), TTiledError);

    WriteText(temp.File("file"), "");
    fs::create_directory(temp.File("folder.tmx"));
    for (const auto& [args, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"export-tiled", level, temp.File("file/m.tmx")}, "the picture " + temp.File("file/m.tiles.png") + " (Not a directory)"},
             {{"export-tiled", level, temp.File("folder.tmx")}, "the map to the file " + temp.File("folder.tmx") + " (Is a directory)"},
             {{"import-tiled", map, temp.Path()}, "the level to the file " + temp.Path() + " (Is a directory)"}})
        EXPECT_EQ(Tarn(args).err, "tarn-cli: cannot write " + message + "\n");
}

}  // namespace
