#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <fstream>
#include <random>

#include "image/png_load.h"
#include "image/png_save.h"
#include "png_bytes.h"
#include "png_oracle.h"
#include "support/temp_dir.h"
#include "system/stream.h"

namespace {

TOracleImage RandomImage(int width, int height, int depth, int colourType, int interlace, unsigned seed) {
    std::mt19937 random(seed);
    TOracleImage image;
    image.width = width;
    image.height = height;
    image.depth = depth;
    image.colourType = colourType;
    image.interlace = interlace;
    // Runs of equal samples besides noise, so that every filter meets both.
    for (int i = 0; i < width * height; ++i)
        image.samples.push_back(uint8_t(random() % 3 == 0 ? i / 5 : random()) & uint8_t((1 << depth) - 1));
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        for (int i = 0; i < (1 << depth); ++i) image.palette.push_back(uint32_t(random()) | (i % 3 ? 0xFF000000u : 0));
    return image;
}

TBitmapPtr Decode(const TBytes& file) { return DecodePng(file.data(), file.size()); }

TBytes ReadFile(const std::string& path) {
    TBytes bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

}  // namespace

TEST(PngRoundTrip, EveryFilterDepthAndInterlaceDecodesAsLibpngWroteIt) {
    const int filters[] = {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG, PNG_FILTER_PAETH,
                           PNG_ALL_FILTERS};
    unsigned seed = 1;
    for (int colourType : {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_PALETTE})
        for (int depth : {1, 2, 4, 8})
            for (int interlace : {PNG_INTERLACE_NONE, PNG_INTERLACE_ADAM7})
                for (int filter : filters)
                    for (auto [w, h] : {std::pair{1, 1}, {13, 7}, {37, 19}}) {
                        TOracleImage image = RandomImage(w, h, depth, colourType, interlace, seed++);
                        TBytes file = OracleEncode(image, filter, 64);   // small IDATs: many chunks
                        ASSERT_FALSE(file.empty());
                        auto b = Decode(file);
                        SCOPED_TRACE(testing::Message() << "type " << colourType << " depth " << depth
                                                        << " interlace " << interlace << " filter " << filter
                                                        << " size " << w << "x" << h);
                        ASSERT_NE(b, nullptr);
                        EXPECT_EQ(b->fWidth, w);
                        EXPECT_EQ(b->fHeight, h);
                        EXPECT_EQ(b->fPixels, image.samples);
                        if (colourType == PNG_COLOR_TYPE_PALETTE) {
                            EXPECT_EQ(*b->fColorTable, image.palette);
                        }
                    }
}

TEST(PngSave, LibpngReadsBackIndicesAndColours) {
    for (uint8_t withAlpha : {0, 1}) {
        auto palette = std::make_shared<TColorTable>();
        for (uint32_t i = 0; i < 256; ++i) palette->push_back(i * 0x010305u | (i * 7 % 256) << 24);
        auto b = CreateBitmap(45, 31, palette, 0);
        std::mt19937 random(7);
        for (auto& p : b->fPixels) p = uint8_t(random());
        TBytes file = EncodePng(*b, withAlpha);
        TOracleImage image;
        ASSERT_TRUE(OracleDecode(file, image));   // libpng checks every CRC
        EXPECT_EQ(image.colourType, PNG_COLOR_TYPE_PALETTE);
        EXPECT_EQ(image.depth, 8);
        EXPECT_EQ(image.samples, b->fPixels);
        for (size_t i = 0; i < 256; ++i)
            EXPECT_EQ(image.palette[i], withAlpha ? (*palette)[i] : (*palette)[i] | 0xFF000000u);

        // And our own reader agrees, with opaque colours when no tRNS was written.
        auto back = Decode(file);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->fPixels, b->fPixels);
        EXPECT_EQ(*back->fColorTable, image.palette);
    }
}

TEST(PngSave, WritesTheExpectedChunks) {
    auto b = CreateBitmap(1, 1, std::make_shared<TColorTable>(256, 0x80FFFFFFu), 0);
    auto withoutAlpha = ListChunks(EncodePng(*b, 0));
    ASSERT_EQ(withoutAlpha.size(), 4u);
    EXPECT_EQ(withoutAlpha[0].type, "IHDR");
    EXPECT_EQ(withoutAlpha[0].data, IhdrData(1, 1, 8, 3));
    EXPECT_EQ(withoutAlpha[1].type, "PLTE");
    EXPECT_EQ(withoutAlpha[1].data.size(), 768u);
    EXPECT_EQ(withoutAlpha[2].type, "IDAT");
    EXPECT_EQ(withoutAlpha[3].type, "IEND");

    auto withAlpha = ListChunks(EncodePng(*b, 1));
    ASSERT_EQ(withAlpha.size(), 5u);
    EXPECT_EQ(withAlpha[2].type, "tRNS");
    EXPECT_EQ(withAlpha[2].data, TBytes(256, 0x80));

    // A palette PNG holds at most 256 colours: a longer table is cut so that
    // the file stays readable.
    b->fColorTable->resize(300, 0xFF000000u);
    TOracleImage image;
    ASSERT_TRUE(OracleDecode(EncodePng(*b, 1), image));
    EXPECT_EQ(image.palette.size(), 256u);
}

TEST(PngSave, IncompressibleAndLargeImagesFit) {
    // Noise does not compress: the old "width x height + 256" buffer was too small for it.
    auto noise = CreateBitmap(300, 200, nullptr, 0);
    std::mt19937 random(3);
    for (auto& p : noise->fPixels) p = uint8_t(random());
    auto back = Decode(EncodePng(*noise, 0));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->fPixels, noise->fPixels);

    auto mapshot = CreateBitmap(2048, 1024, nullptr, 9);
    auto big = Decode(EncodePng(*mapshot, 0));
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->fPixels, mapshot->fPixels);
}

TEST(PngSave, ImageDataLongerThanOneChunkIsSplitAcrossSeveral) {
    // Noise of 400 x 400 deflates to about 160 KB: more than one chunk holds.
    auto noise = CreateBitmap(400, 400, nullptr, 0);
    std::mt19937 random(11);
    for (auto& p : noise->fPixels) p = uint8_t(random());
    const TBytes file = EncodePng(*noise, 1);
    std::vector<std::string> types;
    for (const TChunk& chunk : ListChunks(file)) {
        types.push_back(chunk.type);
        if (chunk.type == "IDAT") {
            EXPECT_FALSE(chunk.data.empty());
        }
    }
    const auto firstIdat = std::find(types.begin(), types.end(), "IDAT");
    const auto idats = std::count(types.begin(), types.end(), "IDAT");
    EXPECT_GT(idats, 1);
    // One unbroken run, right before the end.
    EXPECT_EQ(types.end() - firstIdat, idats + 1);
    EXPECT_EQ(types.back(), "IEND");

    TOracleImage image;
    ASSERT_TRUE(OracleDecode(file, image));
    EXPECT_EQ(image.samples, noise->fPixels);
    auto back = Decode(file);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->fPixels, noise->fPixels);

    // The file SavePng writes is the very same stream.
    TTempDir dir;
    ASSERT_TRUE(SavePng(noise, dir.File("noise.png"), 1));
    EXPECT_EQ(ReadFile(dir.File("noise.png")), file);
}

TEST(PngSave, FailureLeavesTheTargetAsItWas) {
    TTempDir dir;
    const std::string path = dir.File("shot.png");
    {
        std::ofstream(path, std::ios::binary) << "old";
    }
    EXPECT_FALSE(SavePng(TBitmapPtr(), path, 0));
    EXPECT_EQ(ReadFile(path), (TBytes{'o', 'l', 'd'}));

    auto inconsistent = CreateBitmap(4, 4, nullptr, 0);
    inconsistent->fPixels.resize(3);
    EXPECT_FALSE(SavePng(inconsistent, path, 0));
    EXPECT_EQ(ReadFile(path), (TBytes{'o', 'l', 'd'}));

    auto b = CreateBitmap(2, 2, nullptr, 1);
    EXPECT_FALSE(SavePng(b, dir.File("missing/shot.png"), 0));
    EXPECT_FALSE(SavePng(b, dir.Path(), 0));

    ASSERT_TRUE(SavePng(b, path, 0));
    auto saved = LoadPng(path);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->fPixels, b->fPixels);
    EXPECT_TRUE(IsPngFile(path));
}
