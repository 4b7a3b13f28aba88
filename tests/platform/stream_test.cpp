#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sys/stat.h>

#include "platform/paths.h"
#include "platform/stream.h"
#include "support/files.h"
#include "support/temp_dir.h"

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

TEST(Stream, FilesWrittenAndReadBackThroughEveryOperation) {
    TTempDir dir;
    std::string path = dir.File("level.jn1");
    auto out = LittleEndian(OpenWriteStream(path));
    ASSERT_TRUE(out);
    out->WriteByte(0x1FF);
    out->WriteShort(-1);
    out->WriteInt(0x1122334455LL);
    out->WriteString("ab");
    out->WriteLine("line");
    EXPECT_EQ(out->Pos(), 15);
    EXPECT_TRUE(out->Flush());
    EXPECT_TRUE(out->Close());
    EXPECT_EQ(ReadFileText(path), std::string("\xFF\xFF\xFF\x55\x44\x33\x22" "abline\r\n", 15));

    // The path as a requester in the system's own form would give it.
    std::string backslashed = path;
    std::replace(backslashed.begin(), backslashed.end(), '/', '\\');
    auto in = LittleEndian(OpenReadStream(backslashed));
    ASSERT_TRUE(in);
    EXPECT_EQ(in->Size(), 15);
    EXPECT_FALSE(in->Eof());
    EXPECT_EQ(in->ReadByte(), 0xFF);
    EXPECT_EQ(in->ReadShort(), 0xFFFF);
    EXPECT_EQ(in->ReadInt(), 0x22334455);
    EXPECT_EQ(in->Pos(), 7);
    EXPECT_EQ(in->ReadLine(), "abline");
    EXPECT_TRUE(in->Eof());
    EXPECT_EQ(in->ReadLine(), "");
    EXPECT_THROW(in->ReadByte(), TStreamEnd);
    ASSERT_TRUE(in->Seek(7));
    EXPECT_FALSE(in->Eof());
    EXPECT_EQ(in->ReadString(2), "ab");

    EXPECT_FALSE(OpenReadStream(dir.File("missing")));
    EXPECT_FALSE(OpenReadStream(dir.Path()));
    EXPECT_FALSE(OpenWriteStream(dir.Path()));
    EXPECT_FALSE(OpenWriteStream(dir.File("no/such/folder")));
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
    EXPECT_EQ(ReadFileText(path), "old");

    auto stream = OpenReplaceStream(path);
    ASSERT_TRUE(stream);
    stream->WriteString("new");
    EXPECT_TRUE(stream->Close());
    EXPECT_EQ(ReadFileText(path), "new");
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
