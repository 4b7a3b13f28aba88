#include <gtest/gtest.h>

#include "image/png_load.h"
#include "png_bytes.h"

namespace {

TBytes Palette(int entries) {
    TBytes data;
    for (int i = 0; i < entries; ++i) data.insert(data.end(), {uint8_t(i), uint8_t(2 * i), uint8_t(3 * i)});
    return data;
}

TBitmapPtr Decode(const TBytes& file) { return DecodePng(file.data(), file.size()); }

// A 4 x 2 8-bit palette image with pixels 0..7.
TBytes SmallImage() {
    TBytes raw = {0, 0, 1, 2, 3, 0, 4, 5, 6, 7};
    return PngFile(IhdrData(4, 2, 8, 3), {{"PLTE", Palette(8)}, {"IDAT", Deflate(raw)}});
}

}  // namespace

TEST(PngLoad, PaletteAndTransparencyFillTheColourTable) {
    TBytes raw = {0, 1};
    auto b = Decode(PngFile(IhdrData(1, 1, 8, 3),
                            {{"PLTE", Palette(16)}, {"tRNS", {0, 0x80, 0x10}}, {"IDAT", Deflate(raw)}}));
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->fColorTable->size(), 16u);
    EXPECT_EQ((*b->fColorTable)[0], 0x00000000u);
    EXPECT_EQ((*b->fColorTable)[1], 0x80010203u);
    EXPECT_EQ((*b->fColorTable)[2], 0x10020406u);
    EXPECT_EQ((*b->fColorTable)[3], 0xFF030609u);
    EXPECT_EQ((*b->fColorTable)[15], 0xFF0F1E2Du);
    EXPECT_EQ(b->fPixels, TBytes{1});

    // A tRNS longer than the table only reaches the entries there are.
    auto longTrns = Decode(PngFile(IhdrData(1, 1, 8, 3), {{"PLTE", Palette(2)}, {"tRNS", TBytes(5, 7)}}));
    ASSERT_NE(longTrns, nullptr);
    EXPECT_EQ(*longTrns->fColorTable, (TColorTable{0x07000000u, 0x07010203u}));
}

TEST(PngLoad, PackedPixelsDropTheBitsPastTheRow) {
    // Width 5 at 4 bits: three bytes a scanline, the last nibble unused.
    TBytes raw = {0, 0x12, 0x34, 0x5F, 0, 0xAB, 0xCD, 0xEF};
    auto b = Decode(PngFile(IhdrData(5, 2, 4, 3), {{"IDAT", Deflate(raw)}}));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->fPixels, (TBytes{1, 2, 3, 4, 5, 10, 11, 12, 13, 14}));

    TBytes bits = {0, 0b10110000, 0, 0b01000000};
    auto one = Decode(PngFile(IhdrData(3, 2, 1, 0), {{"IDAT", Deflate(bits)}}));
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->fPixels, (TBytes{1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(*one->fColorTable, TColorTable(256, 0u));   // greyscale: the zero table of Init
}

TEST(PngLoad, ImageDataSplitOverChunksDecodesAsOne) {
    TBytes raw = {0, 0, 1, 2, 3, 0, 4, 5, 6, 7};
    TBytes packed = Deflate(raw);
    std::vector<TChunk> chunks = {{"PLTE", Palette(8)}};
    for (size_t i = 0; i < packed.size(); i += 3)
        chunks.push_back({"IDAT", TBytes(packed.begin() + long(i), packed.begin() + long(std::min(i + 3, packed.size())))});
    chunks.insert(chunks.begin() + 2, TChunk{"IDAT", {}});   // an empty one in the run changes nothing
    auto b = Decode(PngFile(IhdrData(4, 2, 8, 3), chunks));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->fPixels, (TBytes{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(PngLoad, UnknownFilterTypesPredictNothing) {
    TBytes raw = {9, 5, 6, 1, 1, 1};   // row 0 filter 9, row 1 Sub
    auto b = Decode(PngFile(IhdrData(2, 2, 8, 0), {{"IDAT", Deflate(raw)}}));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->fPixels, (TBytes{5, 6, 1, 2}));
}

TEST(PngLoad, RefusesOtherColourTypesDepthsAndSignatures) {
    TBytes raw(1 + 3, 0);
    EXPECT_EQ(Decode(PngFile(IhdrData(1, 1, 8, 2), {{"IDAT", Deflate(raw)}})), nullptr);
    EXPECT_EQ(Decode(PngFile(IhdrData(1, 1, 8, 6), {{"IDAT", Deflate(raw)}})), nullptr);
    EXPECT_EQ(Decode(PngFile(IhdrData(1, 1, 8, 6), {})), nullptr);
    for (int depth : {0, 3, 16, 255})
        EXPECT_EQ(Decode(PngFile(IhdrData(1, 1, depth, 0), {{"IDAT", Deflate(raw)}})), nullptr) << depth;

    TBytes file = SmallImage();
    file[1] = 'p';
    EXPECT_EQ(Decode(file), nullptr);
    EXPECT_EQ(Decode({}), nullptr);
}

TEST(PngLoad, ChunksThatNeedAHeaderComeFirstGiveNull) {
    TBytes raw = {0, 0};
    for (const char* type : {"PLTE", "tRNS", "IDAT"}) {
        TBytes file = PngSignature();
        AddChunk(file, type, type == std::string("IDAT") ? Deflate(raw) : TBytes{1, 2, 3});
        AddChunk(file, "IHDR", IhdrData(1, 1, 8, 3));
        AddChunk(file, "IEND", {});
        EXPECT_EQ(Decode(file), nullptr) << type;
    }
}

TEST(PngLoad, RefusesSizesThatCannotBeOrThatTheFileCannotHold) {
    for (auto [w, h] : {std::pair{0, 1}, {1, 0}, {-1, 1}, {1, -5}, {INT32_MAX, INT32_MAX}, {65536, 65536},
                        {20000, 20000}}) {
        TBytes raw = {0, 0};
        EXPECT_EQ(Decode(PngFile(IhdrData(w, h, 8, 3), {{"IDAT", Deflate(raw)}})), nullptr) << w << " x " << h;
    }
}

TEST(PngLoad, ShortOrDamagedDataKeepWhatDecoded) {
    // Header only: the image is all zeros.
    auto empty = Decode(PngFile(IhdrData(3, 2, 8, 3), {}));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->fPixels, TBytes(6, 0));

    // Compressed data cut in half: the first row decodes, the rest stays 0.
    TBytes raw = {0, 1, 2, 3};
    raw.resize(4 * 64, 0);
    for (size_t i = 4; i < raw.size(); ++i) raw[i] = uint8_t(i * 7919 % 251);
    for (size_t row = 1; row < 64; ++row) raw[row * 4] = 0;
    TBytes packed = Deflate(raw);
    packed.resize(packed.size() / 2);
    auto cut = Decode(PngFile(IhdrData(3, 64, 8, 3), {{"IDAT", packed}}));
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(TBytes(cut->fPixels.begin(), cut->fPixels.begin() + 3), (TBytes{1, 2, 3}));
    EXPECT_EQ(cut->fPixels.back(), 0);

    // Garbage instead of zlib data.
    auto garbage = Decode(PngFile(IhdrData(3, 2, 8, 3), {{"IDAT", TBytes(40, 0xA5)}}));
    ASSERT_NE(garbage, nullptr);
    EXPECT_EQ(garbage->fPixels.size(), 6u);
}

TEST(PngLoad, EveryTruncationAndLengthFieldIsSurvived) {
    const TBytes file = SmallImage();
    for (size_t size = 0; size <= file.size(); ++size) {
        auto b = DecodePng(file.data(), size);
        if (size < 8 + 8 + 13) {
            EXPECT_EQ(b, nullptr) << size;
        }
        if (b) {
            EXPECT_EQ(b->fWidth, 4);
            EXPECT_EQ(b->fPixels.size(), 8u);
        }
    }
    // Each byte of each length field set to 0xFF in turn.
    for (size_t at = 8; at + 4 <= file.size(); at += 1) {
        TBytes broken = file;
        broken[at] = 0xFF;
        auto b = Decode(broken);
        if (b) {
            EXPECT_EQ(b->fPixels.size(), size_t(b->fWidth) * size_t(b->fHeight));
        }
    }
}

TEST(PngLoad, OnlyTheFirstHeaderAndTheFirstRunOfImageDataCount) {
    // Repeats cost a whole allocation or decode each; the first ones stand.
    TBytes raw = {0, 1, 2};
    auto twoRuns = Decode(PngFile(IhdrData(2, 1, 8, 0),
                                  {{"IDAT", Deflate(raw)}, {"tEXt", {'a', 0, 'b'}}, {"IDAT", Deflate({0, 7, 7})}}));
    ASSERT_NE(twoRuns, nullptr);
    EXPECT_EQ(twoRuns->fPixels, (TBytes{1, 2}));

    auto twoHeaders = Decode(PngFile(IhdrData(2, 1, 8, 0),
                                     {{"IDAT", Deflate(raw)}, {"IHDR", IhdrData(3, 3, 8, 0)}, {"PLTE", Palette(2)}}));
    ASSERT_NE(twoHeaders, nullptr);
    EXPECT_EQ(twoHeaders->fWidth, 2);
    EXPECT_EQ(twoHeaders->fPixels, (TBytes{1, 2}));
    EXPECT_EQ(*twoHeaders->fColorTable, TColorTable(256, 0u));
}

TEST(PngLoad, InterlacedImagesDecodePassByPass) {
    // Missing data inflate to zeros, which every pass then writes.
    auto b = Decode(PngFile(IhdrData(2, 2, 8, 0, 1), {{"IDAT", Deflate({})}}));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->fPixels, TBytes(4, 0));

    // Pass 1 covers (0,0), pass 6 (1,0), pass 7 row 1: six filtered bytes in all.
    TBytes raw = {0, 10, 0, 11, 0, 12, 13};
    auto full = Decode(PngFile(IhdrData(2, 2, 8, 0, 1), {{"IDAT", Deflate(raw)}}));
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(full->fPixels, (TBytes{10, 11, 12, 13}));

    // An interlace method we do not know leaves the initial zeros.
    auto unknown = Decode(PngFile(IhdrData(2, 2, 8, 0, 2), {{"IDAT", Deflate(raw)}}));
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(unknown->fPixels, TBytes(4, 0));
}

TEST(PngLoad, ReadsFromFilesAndStreams) {
    const TBytes file = SmallImage();
    auto stream = std::make_shared<TMemoryStream>(file);
    auto b = LoadPng(TStreamPtr(stream));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->fPixels, (TBytes{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(LoadPng(TStreamPtr()), nullptr);
    EXPECT_EQ(LoadPng(std::string("/nonexistent/folder/x.png")), nullptr);
}
