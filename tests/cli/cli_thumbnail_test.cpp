// tarn-cli thumbnail: the level shrunk from its mapshot, or in plain colours
// without game files, and the sizes it takes.

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "cli_run.h"
#include "image/png_load.h"
#include "sample_game/sample_game.h"
#include "support/files.h"
#include "support/level_bytes.h"
#include "support/temp_dir.h"

namespace {

class CliThumbnail : public ::testing::Test {
protected:
    TTempDir temp;
    std::string level;

    void SetUp() override {
        ASSERT_EQ(RunCommand({"sample-game", temp.Path()}).status, 0);
        level = temp.File(kSampleShowcaseLevel);
    }

    TBitmapPtr Thumbnail(const std::string& from, const std::string& size) {
        const std::string out = temp.File("thumb-" + size + ".png");
        const TRun run = RunCommand({"thumbnail", from, out, size});
        EXPECT_EQ(run.status, 0) << run.err;
        return LoadPng(out);
    }
};

TEST_F(CliThumbnail, IsTheMapshotShrunkInTheBoardsShape) {
    ASSERT_EQ(RunCommand({"mapshot", level, temp.File("shot.png")}).status, 0);
    const TBitmapPtr shot = LoadPng(temp.File("shot.png"));
    const TBitmapPtr full = Thumbnail(level, "2048");
    ASSERT_TRUE(shot && full);
    EXPECT_EQ(full->fPixels, shot->fPixels);
    EXPECT_EQ(*full->fColorTable, *shot->fColorTable);

    // An odd size gives the even width below it. Where the 8 x 8 pixels a
    // thumbnail pixel covers are of one colour, it has that colour.
    const TBitmapPtr small = Thumbnail(level, "257");
    ASSERT_TRUE(small);
    ASSERT_EQ(small->fWidth, 256);
    ASSERT_EQ(small->fHeight, 128);
    int uniform = 0;
    for (int i = 0; i < 256 * 128; ++i) {
        const int x = i % 256, y = i / 256;
        int same = 0;
        while (same < 64 && shot->Pixel(8 * x + same % 8, 8 * y + same / 8) == shot->Pixel(8 * x, 8 * y)) ++same;
        if (same < 64) continue;
        ++uniform;
        ASSERT_EQ(small->Pixel(x, y), shot->Pixel(8 * x, 8 * y)) << x << "," << y;
    }
    EXPECT_GT(uniform, 256 * 128 / 2);
}

TEST_F(CliThumbnail, WithoutGameFilesShowsTheTileNumbersInPlainColours) {
    std::filesystem::create_directory(temp.File("bare"));
    TLevelBytes bytes;
    const uint16_t words[] = {0, 1, 1 | 0xC000, 2, 300, 599, 600, 0x3FFF};
    for (size_t x = 0; x < std::size(words); ++x) bytes.board[x * 64] = words[x];
    bytes.WriteFile(temp.File("bare/plain.jn1"));
    // At 512 pixels each cell is a 4 x 4 square.
    const TBitmapPtr big = Thumbnail(temp.File("bare/plain.jn1"), "512");
    ASSERT_TRUE(big);
    const auto colour = [&](int x) { return big->Color(big->Pixel(4 * x + x % 4, 3)); };
    constexpr uint32_t black = 0xFF000000u, white = 0xFFFFFFFFu;
    EXPECT_EQ(std::vector<uint32_t>({colour(0), colour(6), colour(7), colour(8)}),
              std::vector<uint32_t>({black, white, white, black}))
        << "tile 0, no tile, then tile 0 again";
    EXPECT_EQ(colour(1), colour(2)) << "the flag bits are ignored";
    EXPECT_NE(colour(1), colour(3)) << "neighbouring tiles differ";
    EXPECT_NE(colour(4), colour(5));
    for (int x : {1, 3, 4, 5}) EXPECT_TRUE(colour(x) != black && colour(x) != white) << x;
}

TEST_F(CliThumbnail, RefusesSizesOutsideItsLimitsAndLeavesNoFileForABadLevel) {
    const std::string out = temp.File("out.png");
    for (const char* size : {"1", "2049", "0", "-5", "+5", "abc", "", "1e3", "12x", "99999999999999999999"}) {
        const TRun run = RunCommand({"thumbnail", level, out, size});
        EXPECT_EQ(run.status, 2) << size;
        EXPECT_EQ(run.err, "tarn-cli: the thumbnail's size must be a whole number of pixels from 2 to 2048: " +
                               std::string(size) + "\n");
        EXPECT_FALSE(std::filesystem::exists(out)) << size;
    }
    const TBitmapPtr tiny = Thumbnail(level, "2");
    ASSERT_TRUE(tiny);
    EXPECT_EQ(tiny->fWidth, 2);
    EXPECT_EQ(tiny->fHeight, 1);

    WriteFileBytes(temp.File("cut.jn1"), std::vector<uint8_t>(1000, 0));
    EXPECT_EQ(RunCommand({"thumbnail", temp.File("cut.jn1"), out, "256"}).status, 1);
    EXPECT_EQ(RunCommand({"thumbnail", temp.File("missing.jn1"), out, "256"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(out));
    const TRun unwritable = RunCommand({"thumbnail", level, temp.File("no/such/folder/t.png"), "256"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "tarn-cli: cannot write the thumbnail to the file " + temp.File("no/such/folder/t.png") +
                                  " (No such file or directory)\n");
}

}  // namespace
