#include <gtest/gtest.h>

#include <regex>

#include "level/clipboard_text.h"

namespace {

using TKind = TClipboardContent::TKind;

TLevelObjectPtr TextObject() {
    auto obj = std::make_shared<TLevelObject>();
    obj->objkind = 20;
    obj->x = 160;
    obj->y = 0xFFFF;
    obj->xd = 0x8000;
    obj->yd = 0x7FFF;
    obj->xl = 16;
    obj->yl = 17;
    obj->state = 1;
    obj->substate = 2;
    obj->statecount = 3;
    obj->counter = 4;
    obj->objflags = 5;
    obj->inside = -7;
    obj->info1 = 8;
    obj->zaphold = 9;
    obj->insideStr = "Hi \"you\" \\\r";
    return obj;
}

const std::string kObjectText =
    "Tarn clipboard: object\ngame: Jill of the Jungle\nobjkind: 20\nx: 160\ny: -1\nxd: -32768\nyd: 32767\nxl: 16\n"
    "yl: 17\nstate: 1\nsubstate: 2\nstatecount: 3\ncounter: 4\nobjflags: 5\ninside: -7\ninfo1: 8\nzaphold: 9\n"
    "text: \"Hi \\\"you\\\" \\\\\\x0D\"\nend\n";

// kObjectText with the line of field name given value.
std::string ObjectTextWith(const std::string& name, const std::string& value) {
    return std::regex_replace(kObjectText, std::regex("\n" + name + ": [^\n]*\n"), "\n" + name + ": " + value + "\n");
}

std::string TilesText(const std::string& size, const std::string& rows) {
    return "Tarn clipboard: tiles\ngame: Jill of the Jungle\nsize: " + size + "\n" + rows + "end\n";
}

bool Reads(const std::string& text) { return ReadClipboardText(text).kind != TKind::Nothing; }

TEST(ClipboardText, TilesAndAnObjectWithItsTextReadBackAsWritten) {
    const std::vector<uint16_t> brush = {45, 46, 0, 65, 66, 16383};
    const std::string tiles = ClipboardTilesText("Jill Goes Underground", brush, 3, 2);
    EXPECT_EQ(tiles, "Tarn clipboard: tiles\ngame: Jill Goes Underground\nsize: 3 x 2\n45 46 0\n65 66 16383\nend\n");
    const TClipboardContent readTiles = ReadClipboardText(tiles);
    EXPECT_EQ(readTiles.kind, TKind::Tiles);
    EXPECT_EQ(readTiles.game, "Jill Goes Underground");
    EXPECT_EQ(readTiles.tiles, brush);
    EXPECT_EQ(readTiles.w, 3);
    EXPECT_EQ(readTiles.h, 2);

    const TLevelObjectPtr obj = TextObject();
    EXPECT_EQ(ClipboardObjectText("Jill of the Jungle", *obj), kObjectText);
    // Every byte a text may hold, and the line ends of another system.
    for (int c = 0; c < 256; ++c) obj->insideStr += char(c);
    std::string written = std::regex_replace(ClipboardObjectText("Jill of the Jungle", *obj), std::regex("\n"), "\r\n");
    const TClipboardContent readObject = ReadClipboardText(written);
    ASSERT_EQ(readObject.kind, TKind::Object);
    EXPECT_EQ(readObject.game, "Jill of the Jungle");
    EXPECT_TRUE(readObject.object->Equals(obj.get()));

    // A script may write the fields in any order, unsigned, without a text.
    const TClipboardContent scripted = ReadClipboardText(
        "Tarn clipboard: object\ngame: Onesimus - A Quest For Freedom\nzaphold: 0\ninfo1: 0\ninside: 0\nobjflags: 0\n"
        "counter: 0\nstatecount: 0\nsubstate: 0\nstate: 0\nyl: 0\nxl: 0\nyd: 0\nxd: 0\ny: 65535\nx: 3\nobjkind: 1\nend");
    ASSERT_EQ(scripted.kind, TKind::Object);
    EXPECT_EQ(scripted.object->y, 65535);
    EXPECT_EQ(scripted.object->insideStr, "");
}

TEST(ClipboardText, EachLimitHoldsOnBothSides) {
    const auto row = [](int w, const std::string& cell) {
        std::string line;
        for (int i = 0; i < w; ++i) line += (i ? " " : "") + cell;
        return line + "\n";
    };
    const auto rows = [&](int w, int h) {
        std::string all;
        for (int j = 0; j < h; ++j) all += row(w, "1");
        return all;
    };
    EXPECT_TRUE(Reads(TilesText("128 x 64", rows(128, 64))));
    EXPECT_FALSE(Reads(TilesText("129 x 1", rows(129, 1))));
    EXPECT_FALSE(Reads(TilesText("1 x 65", rows(1, 65))));
    EXPECT_FALSE(Reads(TilesText("0 x 0", "")));
    EXPECT_TRUE(Reads(TilesText("1 x 1", "16383\n")));
    EXPECT_FALSE(Reads(TilesText("1 x 1", "16384\n")));
    EXPECT_FALSE(Reads(TilesText("1 x 1", "-1\n")));

    EXPECT_TRUE(Reads(ObjectTextWith("objkind", "255")));
    EXPECT_FALSE(Reads(ObjectTextWith("objkind", "256")));
    EXPECT_FALSE(Reads(ObjectTextWith("objkind", "-1")));
    EXPECT_TRUE(Reads(ObjectTextWith("xd", "-32768")));
    EXPECT_FALSE(Reads(ObjectTextWith("xd", "-32769")));
    EXPECT_TRUE(Reads(ObjectTextWith("zaphold", "65535")));
    EXPECT_FALSE(Reads(ObjectTextWith("zaphold", "65536")));
    EXPECT_TRUE(Reads(ObjectTextWith("inside", "-2147483648")));
    EXPECT_FALSE(Reads(ObjectTextWith("inside", "-2147483649")));
    EXPECT_TRUE(Reads(ObjectTextWith("inside", "2147483647")));
    EXPECT_FALSE(Reads(ObjectTextWith("inside", "2147483648")));
    EXPECT_EQ(ReadClipboardText(ObjectTextWith("text", "\"" + std::string(65535, 'a') + "\"")).object->insideStr.size(),
              65535u);
    EXPECT_FALSE(Reads(ObjectTextWith("text", "\"" + std::string(65536, 'a') + "\"")));

    // Blanks between the numbers count towards the whole text's size.
    const std::string small = TilesText("1 x 1", "1\n");
    const std::string padding(kMaxClipboardTextBytes - small.size(), ' ');
    EXPECT_TRUE(Reads(TilesText("1 x 1", padding + "1\n")));
    EXPECT_FALSE(Reads(TilesText("1 x 1", padding + " 1\n")));
}

TEST(ClipboardText, AnythingElseReadsAsNothing) {
    // Cut short anywhere before its last line is whole.
    for (size_t length = 0; length + 1 < kObjectText.size(); ++length)
        EXPECT_FALSE(Reads(kObjectText.substr(0, length))) << length;
    const std::string tiles = TilesText("2 x 2", "45 46\n65 66\n");
    for (size_t length = 0; length + 1 < tiles.size(); ++length)
        EXPECT_FALSE(Reads(tiles.substr(0, length))) << length;

    for (const std::string& foreign :
         {std::string("hello"), std::string("Tarn clipboard: tiles\nend\n"), kObjectText + "more\n",
          std::regex_replace(kObjectText, std::regex("game: [^\n]*"), "game: "),
          std::regex_replace(kObjectText, std::regex("\nx: 160\n"), "\n"),            // a field missing
          std::regex_replace(kObjectText, std::regex("\nx: 160\n"), "\nx: 1\nx: 2\n"),   // twice
          std::regex_replace(kObjectText, std::regex("\nend\n"), "\ncolour: 1\nend\n"), ObjectTextWith("x", "+1"), ObjectTextWith("x", "0x10"),
          ObjectTextWith("x", "1 "), ObjectTextWith("x", ""), ObjectTextWith("text", "\"\\x4\""),
          ObjectTextWith("text", "\"\\q\""), ObjectTextWith("text", "\"a\"b\""), ObjectTextWith("text", "\"\xC3\xA9\""),
          ObjectTextWith("text", "unquoted"), TilesText("2 x 2", "45 46\n65\n"), TilesText("2x2", "45 46\n65 66\n"),
          TilesText("2 x 2", "45 46\n65 66\n67 68\n"), TilesText("1 x 1", "4a\n")})
        EXPECT_FALSE(Reads(foreign)) << foreign;
}

}  // namespace
