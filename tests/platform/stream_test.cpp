#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

#include "platform/paths.h"
#include "platform/stream.h"
#include "support/temp_dir.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(Stream, ByteOrderOfTypedReadsAndWrites) {
    auto memory = std::make_shared<TMemoryStream>();
    auto little = LittleEndian(memory);
    little->WriteShort(0x1234);
    little->WriteInt(-2);
    auto big = BigEndian(memory);
    big->WriteShort(0x1234);
    big->WriteInt(0x01020304);
    EXPECT_EQ(memory->Bytes(), (std::vector<uint8_t>{0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x12, 0x34, 1, 2, 3, 4}));

    memory->Seek(0);
    EXPECT_EQ(little->ReadShort(), 0x1234);
    EXPECT_EQ(little->ReadInt(), -2);
    EXPECT_EQ(big->ReadShort(), 0x1234);
    EXPECT_EQ(big->ReadInt(), 0x01020304);
    EXPECT_TRUE(memory->Eof());
}

TEST(Stream, ShortReadsFailWithoutReservingWhatTheStreamLacks) {
    TMemoryStream stream(std::vector<uint8_t>{1, 2, 3});
    EXPECT_THROW(stream.ReadInt(), TStreamEnd);
    TMemoryStream text(std::vector<uint8_t>{'a', 'b'});
    EXPECT_THROW(text.ReadString(0xFFFFFFF0u), TStreamEnd);
}

TEST(Stream, ReadLineStopsAtLineFeedZeroOrEndAndDropsCarriageReturns) {
    static const char bytes[] = "one\r\ntwo\0three\nlast";
    TMemoryStream stream(bytes, sizeof bytes - 1);
    EXPECT_EQ(stream.ReadLine(), "one");
    EXPECT_EQ(stream.ReadLine(), "two");
    EXPECT_EQ(stream.ReadLine(), "three");
    EXPECT_EQ(stream.ReadLine(), "last");
    EXPECT_TRUE(stream.Eof());
}

TEST(Stream, BuiltinFilesOpenByTheirRegisteredName) {
    static const char bytes[] = "PNG!";
    RegisterBuiltinFile("test.bin", bytes, 4);
    auto stream = OpenReadStream("incbin::test.bin");
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->ReadString(4), "PNG!");
    EXPECT_FALSE(OpenReadStream("incbin::missing.bin"));
}

TEST(Stream, ReplaceStreamSwapsTheFileOnlyWhenClosedSuccessfully) {
    TTempDir dir;
    std::string path = dir.File("level.jn1");
    std::ofstream(path) << "old";
    chmod(path.c_str(), 0640);

    {
        auto dropped = OpenReplaceStream(path);
        ASSERT_TRUE(dropped);
        dropped->WriteString("half");
    }
    EXPECT_EQ(ReadAll(path), "old");

    auto stream = OpenReplaceStream(path);
    ASSERT_TRUE(stream);
    stream->WriteString("new");
    EXPECT_TRUE(stream->Close());
    EXPECT_EQ(ReadAll(path), "new");
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    std::string fresh = dir.File("fresh.ini");
    auto create = OpenReplaceStream(fresh);
    ASSERT_TRUE(create);
    EXPECT_TRUE(create->Close());
    ASSERT_EQ(stat(fresh.c_str(), &info), 0);
    mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0666u & ~mask) << "a new file must not stay private to its owner";

    EXPECT_FALSE(OpenReplaceStream(dir.Path()));
    EXPECT_FALSE(OpenReplaceStream(dir.File("no/such/folder/x")));
}

TEST(Paths, SplittingTreatsBackslashAsSlash) {
    EXPECT_EQ(FileNamePart("C:\\games\\jill\\level1.jn1"), "level1.jn1");
    EXPECT_EQ(FileNamePart("plain"), "plain");
    EXPECT_EQ(DirectoryPart("/games/jill/level1.jn1"), "/games/jill");
    EXPECT_EQ(DirectoryPart("games\\level1.jn1"), "games");
    EXPECT_EQ(DirectoryPart("/level1.jn1"), "/");
    EXPECT_EQ(DirectoryPart("level1.jn1"), "");
    EXPECT_EQ(DirectoryPart("."), ".");
    EXPECT_EQ(DirectoryPart(".."), "..");
    EXPECT_EQ(DirectoryPart("/"), "/");
}

TEST(Paths, PathTypeTellsFilesFromFolders) {
    TTempDir dir;
    std::ofstream(dir.File("f")) << "x";
    EXPECT_EQ(PathType(dir.File("f")), 1);
    EXPECT_EQ(PathType(dir.Path()), 2);
    EXPECT_EQ(PathType(dir.File("none")), 0);
    EXPECT_EQ(PathType(""), 0);
}
