#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "image/bitmap_loaders.h"
#include "image/png_load.h"
#include "image/png_save.h"
#include "support/temp_dir.h"

namespace {

// Claims files starting with "BMP!" as a 1 x 1 bitmap; throws on "BOOM".
class TToyLoader : public TBitmapLoader {
public:
    int calls = 0;
    TBitmapPtr LoadBitmap(const TStreamPtr& stream) override {
        ++calls;
        std::string head = stream->ReadString(4);
        if (head == "BOOM") throw std::runtime_error("toy loader failed");
        if (head != "BMP!") return nullptr;
        return CreateBitmap(1, 1, nullptr, 42);
    }
};

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

TEST(BitmapLoaders, TriesEachLoaderFromTheStartAndCountsThrowsAsRefusals) {
    static auto toy = std::make_shared<TToyLoader>();
    if (BitmapLoaders().back() != toy) RegisterBitmapLoader(toy);
    ASSERT_NE(std::dynamic_pointer_cast<TPngLoader>(BitmapLoaders().front()), nullptr);

    TTempDir dir;
    auto b = CreateBitmap(3, 2, nullptr, 5);
    ASSERT_TRUE(SavePng(b, dir.File("a.png"), 0));
    toy->calls = 0;
    auto png = LoadBitmapFile(dir.File("a.png"));
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(png->fPixels, b->fPixels);
    EXPECT_EQ(toy->calls, 0);   // the PNG loader came first and took it

    WriteFile(dir.File("toy.bin"), "BMP!");   // the PNG loader reads it all before the toy gets it
    auto other = LoadBitmapFile(dir.File("toy.bin"));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->fPixels, std::vector<uint8_t>{42});

    WriteFile(dir.File("boom.bin"), "BOOM");
    EXPECT_EQ(LoadBitmapFile(dir.File("boom.bin")), nullptr);
    EXPECT_EQ(LoadBitmapFile(dir.File("absent.png")), nullptr);
    EXPECT_FALSE(IsPngFile(dir.File("boom.bin")));
    EXPECT_FALSE(IsPngFile(dir.File("absent.png")));
}

TEST(BitmapLoaders, PixmapConverterGivesTheRgbaPixmap) {
    TTempDir dir;
    auto b = CreateBitmap(2, 1, std::make_shared<TColorTable>(TColorTable{0x00000000u, 0xFF00FF00u}), 0);
    b->fPixels = {1, 0};
    ASSERT_TRUE(SavePng(b, dir.File("c.png"), 1));
    auto pixmap = TPixmapConverter().LoadPixmap(dir.File("c.png"));
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(pixmap->format, PF_RGBA8888);
    EXPECT_EQ(ReadPixel(*pixmap, 0, 0), 0xFF00FF00u);
    EXPECT_EQ(ReadPixel(*pixmap, 1, 0), 0x00000000u);
    EXPECT_EQ(TPixmapConverter().LoadPixmap(dir.File("none.png")), nullptr);
}
