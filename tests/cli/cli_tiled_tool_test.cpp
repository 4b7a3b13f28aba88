// Tarn's Tiled maps against Tiled itself: Tiled's render of an export is the
// mapshot pixel for pixel, and maps that Tiled wrote back (after edits, too)
// give the level. Skipped where Tiled is not installed.

#include <png.h>

#include <pugixml.hpp>

#include <nlohmann/json.hpp>

#include "edit/jill_level_viewer.h"
#include "image/bitmap.h"
#include "image/png_load.h"
#include "level/level.h"
#include "level/level_file.h"
#include "sample_game/sample_game.h"
#include "tiled_fixture.h"

namespace {

struct TRgbaPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;   // RGBA, row by row
};

TRgbaPicture ReadRgba(const std::string& path) {
    TRgbaPicture picture;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return picture;
    image.format = PNG_FORMAT_RGBA;
    picture.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr)) return {};
    picture.width = int(image.width);
    picture.height = int(image.height);
    return picture;
}

class CliTiledTool : public ::testing::Test {
protected:
    TTempDir temp;
    std::string game;

    void SetUp() override {
        if (!HaveProgram("tiled") || !HaveProgram("tmxrasterizer")) GTEST_SKIP() << "Tiled is not installed";
        game = temp.File("game") + "/";
        ASSERT_EQ(Tarn({"sample-game", game}).status, 0);
    }

    // Tiled's render of the map laid over the mapshot's colour 0, against
    // the mapshot, pixel by pixel.
    void ExpectRenderIsMapshot(const std::string& level, const std::string& map) {
        ASSERT_EQ(Tarn({"export-tiled", level, map}).status, 0);
        const std::string render = map + ".render.png";
        ASSERT_EQ(RunTiledTool("tmxrasterizer '" + map + "' '" + render + "'"), 0);
        const TRgbaPicture picture = ReadRgba(render);
        TJillLevelViewer viewer;
        viewer.level = ReadLevel(level);
        viewer.InitGame(game, viewer.GameInfos[0]);
        viewer.GenerateImages();
        const TBitmapPtr shot = viewer.LevelToBitmap();
        ASSERT_EQ(picture.width, shot->fWidth);
        ASSERT_EQ(picture.height, shot->fHeight);
        const uint32_t background = shot->Color(0);
        int wrong = 0;
        for (int y = 0; y < shot->fHeight; ++y)
            for (int x = 0; x < shot->fWidth; ++x) {
                const uint8_t* p = &picture.pixels[(size_t(y) * size_t(picture.width) + size_t(x)) * 4];
                uint32_t laid = 0;
                for (int channel = 0; channel < 3; ++channel) {
                    const uint32_t under = background >> (16 - 8 * channel) & 0xFF;
                    laid = laid << 8 | ((p[channel] * p[3] + under * (255 - p[3]) + 127) / 255);
                }
                const uint32_t expected = shot->Color(shot->Pixel(x, y)) & 0xFFFFFF;
                if (laid != expected && wrong++ < 5)
                    ADD_FAILURE() << map << ": pixel (" << x << ", " << y << ") is " << std::hex << laid
                                  << ", the mapshot's " << expected;
            }
        EXPECT_EQ(wrong, 0) << map;
    }
};

TEST_F(CliTiledTool, TiledDrawsTheExportAsTheMapshot) {
    ExpectRenderIsMapshot(game + kSampleShowcaseLevel, temp.File("showcase.tmx"));
    EveryKindLevel(258, true).WriteFile(game + "every.jn1");
    ExpectRenderIsMapshot(game + "every.jn1", temp.File("every.tmx"));
    ExpectRenderIsMapshot(game + "every.jn1", temp.File("every.json"));
}

TEST_F(CliTiledTool, MapsTiledWroteBackGiveTheLevelAndItsEdits) {
    EveryKindLevel(258, true).WriteFile(game + "every.jn1");
    for (const char* level : {kSampleShowcaseLevel, "every.jn1"})
        for (const char* form : {"tmx", "json"}) {
            const std::string map = temp.File(std::string(level) + ".tmx");
            const std::string saved = temp.File(std::string(level) + ".saved." + form);
            ASSERT_EQ(Tarn({"export-tiled", game + level, map}).status, 0);
            ASSERT_EQ(RunTiledTool(std::string("tiled --export-map ") + form + " '" + map + "' '" + saved + "'"), 0);
            const TTiledRun run = Tarn({"import-tiled", saved, temp.File("back.jn1")});
            ASSERT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(FileText(temp.File("back.jn1")), FileText(game + level)) << level << " " << form;
        }

    // In Tiled's own TMX: tile 7 painted at (5, 3) over a word with flag
    // bits, and the player moved 20 pixels right and 8 down.
    TLevelPtr original = ReadLevel(game + kSampleShowcaseLevel);
    original->SetTile(5, 3, 0xC000 | 42);
    ASSERT_TRUE(original->WriteToFile(temp.File("flagged.jn1")));
    std::filesystem::copy_file(temp.File("flagged.jn1"), game + "flagged.jn1");
    ASSERT_EQ(Tarn({"export-tiled", game + "flagged.jn1", temp.File("flagged.tmx")}).status, 0);
    ASSERT_EQ(RunTiledTool("tiled --export-map tmx '" + temp.File("flagged.tmx") + "' '" + temp.File("t.tmx") + "'"), 0);
    ASSERT_EQ(RunTiledTool("tiled --export-map json '" + temp.File("flagged.tmx") + "' '" + temp.File("t.json") + "'"), 0);

    pugi::xml_document document;
    ASSERT_TRUE(document.load_file(temp.File("t.tmx").c_str()));
    pugi::xml_node map = document.child("map");
    pugi::xml_node data = map.find_child_by_attribute("layer", "name", "board").child("data");
    std::string csv = data.text().get();
    size_t at = 0;
    for (int skip = 0; skip < 3 * 128 + 5; ++skip) at = csv.find(',', at) + 1;
    while (csv[at] == '\n') ++at;
    ASSERT_EQ(csv.substr(at, csv.find(',', at) - at), "43");
    csv.replace(at, 2, "8");
    data.text().set(csv.c_str());
    pugi::xml_node player = map.find_child_by_attribute("objectgroup", "name", "objects")
                                .find_child_by_attribute("object", "id", "1");
    player.attribute("x") = player.attribute("x").as_double() + 20;
    player.attribute("y") = player.attribute("y").as_double() + 8;
    ASSERT_TRUE(document.save_file(temp.File("t.tmx").c_str()));

    nlohmann::json json = nlohmann::json::parse(FileText(temp.File("t.json")));
    for (nlohmann::json& layer : json["layers"]) {
        if (layer["name"] == "board") layer["data"][3 * 128 + 5] = 8;
        if (layer["name"] == "objects")
            for (nlohmann::json& object : layer["objects"])
                if (object["id"] == 1) {
                    object["x"] = object["x"].get<double>() + 20;
                    object["y"] = object["y"].get<double>() + 8;
                }
    }
    WriteText(temp.File("t.json"), json.dump());

    for (const char* edited : {"t.tmx", "t.json"}) {
        const TTiledRun run = Tarn({"import-tiled", temp.File(edited), temp.File("edited.jn1")});
        ASSERT_EQ(run.status, 0) << run.err;
        TLevelPtr level = ReadLevel(temp.File("edited.jn1"));
        ASSERT_TRUE(level);
        EXPECT_EQ(level->bd[5 * 64 + 3], 0xC000 | 7) << edited << ": the flags stay, the tile changes";
        EXPECT_EQ(level->objs[0]->x, uint16_t(original->objs[0]->x + 20)) << edited;
        EXPECT_EQ(level->objs[0]->y, uint16_t(original->objs[0]->y + 8)) << edited;
        level->SetTile(5, 3, original->bd[5 * 64 + 3]);
        level->objs[0]->x = original->objs[0]->x;
        level->objs[0]->y = original->objs[0]->y;
        ASSERT_TRUE(level->WriteToFile(temp.File("undone.jn1")));
        EXPECT_EQ(FileText(temp.File("undone.jn1")), FileText(temp.File("flagged.jn1"))) << "nothing else changed";
    }
}

}  // namespace
