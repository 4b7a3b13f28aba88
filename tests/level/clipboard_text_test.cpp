#include <gtest/gtest.h>

#include <regex>

#include "level/clipboard_text.h"

namespace {

using TKind = TClipboardContent::TKind;

const std::string kObjectText =
    "Tarn clipboard: object\ngame: Jill of the Jungle\nobjkind: 20\nx: 160\ny: -1\nxd: -32768\nyd: 32767\nxl: 16\n"
    "yl: 17\nstate: 1\nsubstate: 2\nstatecount: 3\ncounter: 4\nobjflags: 5\ninside: -7\ninfo1: 8\nzaphold: 9\n"
    "text: \"Hi \\\"you\\\" \\\\\\x0D\"\nend\n";

// kObjectText with the value of field name replaced.
std::string With(const std::string& name, const std::string& value) {
    return std::regex_replace(kObjectText, std::regex("\n" + name + ": [^\n]*\n"), "\n" + name + ": " + value + "\n");
}

std::string Tiles(const std::string& size, const std::string& rows) {
    return "Tarn clipboard: tiles\ngame: Jill of the Jungle\nsize: " + size + "\n" + rows + "end\n";
}

bool Reads(const std::string& text) { return ReadClipboardText(text).kind != TKind::Nothing; }

TEST(ClipboardText, ReadsBackWhatItWrites) {
    const std::vector<uint16_t> brush = {45, 46, 0, 65, 66, 16383};
    const std::string tiles = ClipboardTilesText("Jill Goes Underground", brush, 3, 2);
    EXPECT_EQ(tiles, "Tarn clipboard: tiles\ngame: Jill Goes Underground\nsize: 3 x 2\n45 46 0\n65 66 16383\nend\n");
    const TClipboardContent readTiles = ReadClipboardText(tiles);
    EXPECT_EQ(readTiles.kind, TKind::Tiles);
    EXPECT_EQ(readTiles.game, "Jill Goes Underground");
    EXPECT_EQ(readTiles.tiles, brush);
    EXPECT_EQ(std::pair(readTiles.w, readTiles.h), std::pair(3, 2));

    const TClipboardContent read = ReadClipboardText(kObjectText);
    ASSERT_EQ(read.kind, TKind::Object);
    EXPECT_EQ(read.object->y, 0xFFFF);
    EXPECT_EQ(read.object->inside, -7);
    EXPECT_EQ(read.object->insideStr, "Hi \"you\" \\\r");
    EXPECT_EQ(ClipboardObjectText(read.game, *read.object), kObjectText);
    // Every byte a text may hold, through the line ends of another system.
    for (int c = 0; c < 256; ++c) read.object->insideStr += char(c);
    const std::string crlf = std::regex_replace(ClipboardObjectText("Jill", *read.object), std::regex("\n"), "\r\n");
    EXPECT_TRUE(ReadClipboardText(crlf).object->Equals(read.object.get()));
    // A script may write the fields in any order, unsigned, and leave out the text.
    std::string reordered = std::regex_replace(kObjectText, std::regex("\ntext: [^\n]*"), "");
    reordered = std::regex_replace(reordered, std::regex("(\nx: 160)(\ny: -1)"), "$2$1");
    EXPECT_EQ(ReadClipboardText(std::regex_replace(reordered, std::regex("y: -1"), "y: 65535")).object->y, 0xFFFF);
}

TEST(ClipboardText, ReadsOnlyAWholeTextWithinEveryLimit) {
    const auto rows = [](int w, int h) {
        std::string row;
        for (int i = 0; i < w; ++i) row += "1 ";
        std::string all;
        for (int j = 0; j < h; ++j) all += row + "\n";
        return all;
    };
    const std::string padding(kMaxClipboardTextBytes - Tiles("1 x 1", "1\n").size(), ' ');
    const std::pair<std::string, bool> cases[] = {
        {Tiles("128 x 64", rows(128, 64)), true}, {Tiles("129 x 1", rows(129, 1)), false},
        {Tiles("1 x 65", rows(1, 65)), false}, {Tiles("0 x 0", ""), false},
        {Tiles("1 x 1", "16383\n"), true}, {Tiles("1 x 1", "16384\n"), false}, {Tiles("1 x 1", "-1\n"), false},
        {Tiles("1 x 1", padding + "1\n"), true}, {Tiles("1 x 1", padding + " 1\n"), false},
        {With("objkind", "255"), true}, {With("objkind", "256"), false}, {With("objkind", "-1"), false},
        {With("xd", "-32768"), true}, {With("xd", "-32769"), false},
        {With("zaphold", "65535"), true}, {With("zaphold", "65536"), false},
        {With("inside", "-2147483648"), true}, {With("inside", "-2147483649"), false},
        {With("inside", "2147483647"), true}, {With("inside", "2147483648"), false},
        {With("text", "\"" + std::string(65535, 'a') + "\""), true},
        {With("text", "\"" + std::string(65536, 'a') + "\""), false},
        // Damaged, or not Tarn's at all.
        {"hello", false}, {"Tarn clipboard: tiles\nend\n", false}, {kObjectText + "more\n", false},
        {With("game", ""), false}, {std::regex_replace(kObjectText, std::regex("\nx: 160"), ""), false},
        {std::regex_replace(kObjectText, std::regex("\nx: 160"), "\nx: 1\nx: 2"), false},
        {std::regex_replace(kObjectText, std::regex("\nend"), "\ncolour: 1\nend"), false},
        {With("x", "+1"), false}, {With("x", "0x10"), false}, {With("x", "1 "), false}, {With("x", ""), false},
        {With("text", "\"\\x4\""), false}, {With("text", "\"\\q\""), false}, {With("text", "\"a\"b\""), false},
        {With("text", "\"\xC3\xA9\""), false}, {With("text", "unquoted"), false},
        {Tiles("2 x 2", "45 46\n65\n"), false}, {Tiles("2x2", "45 46\n65 66\n"), false},
        {Tiles("1 x 1", "1\n2\n"), false}, {Tiles("1 x 1", "4a\n"), false}};
    for (const auto& [text, reads] : cases) EXPECT_EQ(Reads(text), reads) << text.substr(0, 300);
    // Cut short anywhere before its last line is whole.
    for (size_t length = 0; length + 1 < kObjectText.size(); ++length) EXPECT_FALSE(Reads(kObjectText.substr(0, length)));
}

}  // namespace
