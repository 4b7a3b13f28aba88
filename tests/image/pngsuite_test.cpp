#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "image/png_load.h"
#include "png_oracle.h"
#include "system/stream.h"

namespace fs = std::filesystem;

namespace {

// Kept in the repository, so that a clean clone runs the decoder against them.
const fs::path kImages = fs::path(TARN_SOURCE_DIR) / "tests/image/data/pngsuite";

std::vector<fs::path> PngFilesUnder(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().extension() == ".png") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadWholeFile(path.string(), bytes)) << path;
    return bytes;
}

bool IsCrasher(const fs::path& path) { return path.parent_path().filename() == "crashers"; }

}  // namespace

TEST(PngSuite, DecodesLikeLibpngAndRefusesOtherColourTypes) {
    ASSERT_TRUE(fs::is_directory(kImages)) << "reference images not found in " << kImages;
    int compared = 0, refused = 0;
    for (const fs::path& path : PngFilesUnder(kImages)) {
        if (IsCrasher(path)) continue;
        SCOPED_TRACE(path.string());
        const std::vector<uint8_t> file = ReadFile(path);
        auto b = DecodePng(file.data(), file.size());
        TOracleImage expected;
        if (!OracleDecode(file, expected)) continue;   // damaged on purpose: only surviving it counts
        bool supported = (expected.colourType == 0 || expected.colourType == 3) && expected.depth <= 8;
        if (!supported) {
            EXPECT_EQ(b, nullptr);
            ++refused;
            continue;
        }
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->fWidth, expected.width);
        EXPECT_EQ(b->fHeight, expected.height);
        EXPECT_TRUE(b->fPixels == expected.samples);
        if (expected.colourType == 3) {
            EXPECT_EQ(*b->fColorTable, expected.palette);
        }
        ++compared;
    }
    // The folder holds dozens of each; far fewer means the walk went wrong.
    EXPECT_GE(compared, 60);
    EXPECT_GE(refused, 40);
}

TEST(PngSuite, DamagedFilesDoNotCrash) {
    ASSERT_TRUE(fs::is_directory(kImages)) << "reference images not found in " << kImages;
    int tried = 0;
    for (const fs::path& path : PngFilesUnder(kImages)) {
        if (!IsCrasher(path)) continue;
        const std::vector<uint8_t> file = ReadFile(path);
        auto b = LoadPng(path.string());
        if (b) {
            EXPECT_EQ(b->fPixels.size(), size_t(b->fWidth) * size_t(b->fHeight)) << path;
        }
        // Every prefix, too: files cut anywhere must be survived as well.
        for (size_t size = 0; size < file.size(); size += 1 + size / 8) DecodePng(file.data(), size);
        ++tried;
    }
    EXPECT_GE(tried, 20);
}
