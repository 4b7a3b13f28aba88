#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "support/files.h"
#include "support/system_traits.h"
#include "support/temp_dir.h"
#include "system/paths.h"
#include "system/stream.h"

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
    if (FilesHavePermissionBits()) {
        EXPECT_EQ(info.st_mode & 0777, 0640u);
    }

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

TEST(Stream, ReplaceWritesTheFileAtTheEndOfAChainOfLinks) {
    namespace fs = std::filesystem;
    TTempDir dir;
    if (!SymbolicLinksCanBeMade(dir.Path())) GTEST_SKIP() << "symbolic links cannot be made here";
    fs::create_directories(dir.File("store/deep"));
    fs::create_directory(dir.File("game"));
    std::ofstream(dir.File("store/deep/level.jn1")) << "old";
    chmod(dir.File("store/deep/level.jn1").c_str(), 0604);
    // Relative links are read from their own folder, whatever the current one.
    fs::create_symlink("../store/deep/level.jn1", dir.File("game/first.jn1"));
    fs::create_symlink("first.jn1", dir.File("game/level.jn1"));
    fs::create_symlink(dir.File("game/level.jn1"), dir.File("absolute.jn1"));
    auto replace = [](const std::string& path, const std::string& text) {
        auto stream = OpenReplaceStream(path);
        if (!stream) return false;
        stream->WriteString(text);
        return stream->Close();
    };
    EXPECT_TRUE(replace(dir.File("game/level.jn1"), "new"));
    EXPECT_TRUE(replace(dir.File("absolute.jn1"), "newer"));
    EXPECT_EQ(ReadFileText(dir.File("store/deep/level.jn1")), "newer");
    EXPECT_EQ(fs::read_symlink(dir.File("game/level.jn1")), "first.jn1");
    EXPECT_EQ(fs::read_symlink(dir.File("game/first.jn1")), "../store/deep/level.jn1");
    EXPECT_TRUE(fs::is_symlink(dir.File("absolute.jn1")));
    struct stat info;
    ASSERT_EQ(stat(dir.File("store/deep/level.jn1").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0604u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("store/deep")), fs::directory_iterator()), 1);

    // A link naming a file not yet made gets that file where its folder is...
    fs::create_symlink("deep/picture.png", dir.File("store/picture.png"));
    EXPECT_TRUE(replace(dir.File("store/picture.png"), "png"));
    EXPECT_EQ(ReadFileText(dir.File("store/deep/picture.png")), "png");
    EXPECT_TRUE(fs::is_symlink(dir.File("store/picture.png")));
    // ...and fails, saying why, where it is not; so do loops and folders.
    fs::create_symlink("nowhere/picture.png", dir.File("lost.png"));
    fs::create_symlink("loop.b", dir.File("loop.a"));
    fs::create_symlink("loop.a", dir.File("loop.b"));
    fs::create_symlink("store", dir.File("folder.jn1"));
    const std::pair<const char*, int> refused[] = {
        {"lost.png", ENOENT}, {"loop.a", ELOOP}, {"folder.jn1", EISDIR}};
    for (const auto& [name, error] : refused) {
        EXPECT_FALSE(OpenReplaceStream(dir.File(name))) << name;
        EXPECT_EQ(LastFileError(), error) << name;
    }
    EXPECT_EQ(WithFileErrorReason("cannot", " "), "cannot (Is a directory)");
    EXPECT_FALSE(fs::exists(dir.File("nowhere")));
}

TEST(Stream, FailuresKeepTheSystemsReasonUntilTheNextOpen) {
    TTempDir dir;
    EXPECT_FALSE(OpenReadStream(dir.File("missing")));
    EXPECT_EQ(LastFileError(), ENOENT);
    EXPECT_EQ(WithFileErrorReason("ERROR", "\n\n"), "ERROR\n\n(No such file or directory)");
    EXPECT_FALSE(OpenReadStream(dir.Path()));
    EXPECT_EQ(WithFileErrorReason("ERROR", " "), "ERROR (Is a directory)");
    EXPECT_FALSE(OpenWriteStream(dir.Path()));
    EXPECT_EQ(LastFileError(), EISDIR);
    EXPECT_FALSE(OpenReadStream(""));
    EXPECT_EQ(LastFileError(), ENOENT);

    // A device that is always full: the write is taken, the flush is not.
    auto full = LittleEndian(OpenWriteStream("/dev/full"));
    ASSERT_TRUE(full);
    EXPECT_EQ(LastFileError(), 0) << "an open that worked clears the last failure";
    EXPECT_EQ(WithFileErrorReason("fine", " "), "fine");
    full->WriteInt(1);
    EXPECT_EQ(full->ErrorNumber(), 0);
    EXPECT_FALSE(full->Flush());
    EXPECT_EQ(full->ErrorNumber(), ENOSPC);
    EXPECT_FALSE(full->Close());
    EXPECT_EQ(full->ErrorNumber(), ENOSPC) << "the first failure is the one kept";
    EXPECT_EQ(WithFileErrorReason("full", " "), "full (No space left on device)");
    EXPECT_EQ(TMemoryStream().ErrorNumber(), 0);
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
