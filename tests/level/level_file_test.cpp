#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "base/requesters.h"
#include "level/level_file.h"
#include "level/object_kinds.h"
#include "support/level_bytes.h"
#include "support/log_capture.h"
#include "support/system_traits.h"
#include "support/temp_dir.h"
#include "system/stream.h"

namespace {

class TRecordingHost : public TRequesterHost {
public:
    std::vector<std::string> notices;
    void Notify(const std::string& text, int serious) override {
        notices.push_back(text);
        EXPECT_EQ(serious, 0);
    }
    int Confirm(const std::string&, int) override { return 0; }
    int Proceed(const std::string&, int) override { return -1; }
    std::string RequestFile(const std::string&, const std::string&, int, const std::string&) override { return ""; }
    std::string RequestDir(const std::string&, const std::string&) override { return ""; }
};

const std::string kNoticeTail =
    "\n\nProbably not a (valid) level file?\n\nHint:\nThe level files should have the extension .JN? Or .ONE (for "
    "Onesimus)";

std::string Notice(const std::string& url, const std::string& reason) {
    return "Error while trying to load a Jill level from the following file:\n\n" + url + "\n\n" + reason +
           kNoticeTail;
}

class LevelFile : public ::testing::Test {
protected:
    void SetUp() override {
        host = std::make_shared<TRecordingHost>();
        SetRequesterHost(host);
    }
    void TearDown() override { SetRequesterHost(nullptr); }

    std::string Log() { return capturedLog.Text(); }

    std::string Write(const TLevelBytes& bytes, const std::string& name = "level.jn1") {
        std::string path = temp.File(name);
        bytes.WriteFile(path);
        return path;
    }

    TTempDir temp;
    TLogCapture capturedLog;
    std::shared_ptr<TRecordingHost> host;
};

TEST_F(LevelFile, EmptyLevelIsExactly16456BytesAndReadsBack) {
    TLevel level;
    std::string path = temp.File("empty.jn1");
    ASSERT_TRUE(level.WriteToFile(path));
    EXPECT_EQ(ReadFileBytes(path), TLevelBytes().Build());
    EXPECT_EQ(ReadFileBytes(path).size(), 16456u);

    auto read = ReadLevel(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->numobjs, 0);
    EXPECT_EQ(read->pl_health, 6);
    EXPECT_TRUE(host->notices.empty());
    EXPECT_NE(Log().find("ReadLevel() :: Trying to read level file ...\r\n url = " + path +
                         "\r\n opening file ... OK\r\nReadLevel() :: SUCCESS!\r\n\r\n"),
              std::string::npos)
        << Log();
}

TEST_F(LevelFile, EveryFieldLandsWhereTheFormatPutsIt) {
    TLevelBytes bytes;
    bytes.board[0] = 0xC001;
    bytes.board[1] = 2;   // cell (0, 1)
    bytes.board[64] = 3;  // cell (1, 0)
    TObjectRecordBytes o;
    o.objkind = 200;
    o.x = 1; o.y = 2; o.xd = 3; o.yd = 4; o.xl = 5; o.yl = 6; o.state = 7; o.substate = 8;
    o.statecount = 9; o.counter = 10; o.objflags = 11; o.inside = 0; o.info1 = 0xFFFF; o.zaphold = 0x1234;
    bytes.objects = {o};
    bytes.pl_level = 0xFFFE;
    bytes.pl_health = 3;
    bytes.pl_numinv = 20;
    for (int i = 0; i < 16; ++i) bytes.pl_inv[i] = uint16_t(100 + i);
    bytes.pl_score = -5;
    bytes.pl_ouched = 1;
    bytes.pl_oldscore = 123456789;
    for (int i = 0; i < 22; ++i) bytes.pl_pad[i] = uint8_t(0xA0 + i);

    auto level = ReadLevel(Write(bytes));
    ASSERT_TRUE(level);
    EXPECT_EQ(level->Board(0, 0), 1);
    EXPECT_EQ(level->bd[0], 0xC001);
    EXPECT_EQ(level->Board(0, 1), 2);
    EXPECT_EQ(level->Board(1, 0), 3);
    ASSERT_EQ(level->numobjs, 1);
    const TLevelObject& obj = *level->objs[0];
    EXPECT_EQ(obj.objkind, 200);
    std::vector<int> fields = {obj.x, obj.y, obj.xd, obj.yd, obj.xl, obj.yl, obj.state, obj.substate,
                               obj.statecount, obj.counter, obj.objflags, obj.info1, obj.zaphold};
    EXPECT_EQ(fields, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0xFFFF, 0x1234}));
    EXPECT_EQ(level->pl_level, 0xFFFE);
    EXPECT_EQ(level->pl_health, 3);
    EXPECT_EQ(level->pl_numinv, 20);
    EXPECT_EQ(level->pl_inv[15], 115);
    EXPECT_EQ(level->pl_score, -5);
    EXPECT_EQ(level->pl_ouched, 1);
    EXPECT_EQ(level->pl_oldscore, 123456789);
    EXPECT_EQ(level->pl_pad[21], 0xA0 + 21);
    EXPECT_NE(Log().find(" WARNING: unsupported objkind value: 200 for object #0\r\n"), std::string::npos);
}

TEST_F(LevelFile, ReadThenWriteIsByteForByte) {
    TLevelBytes bytes;
    for (int i = 0; i < 8192; ++i) bytes.board[i] = uint16_t(i * 7919);   // flag bits included
    for (int i = 0; i < 300; ++i) {
        TObjectRecordBytes o;
        o.objkind = uint8_t(i);   // kinds above 68 too
        o.x = uint16_t(i * 3);
        o.zaphold = uint16_t(~i);
        o.inside = i % 3 == 0 ? 1 : 0;
        bytes.objects.push_back(o);
    }
    for (int i = 0; i < 300; i += 3) {
        std::string text;
        for (int c = 0; c < i % 7; ++c) text.push_back(char(1 + (i * 31 + c * 97) % 255));   // codes 1..255
        bytes.texts.push_back(text);
    }
    bytes.pl_pad.fill(0x5A);
    bytes.pl_score = -1;
    // Bytes after the texts, longer than one read chunk, zeros included.
    for (int i = 0; i < 5000; ++i) bytes.tail.push_back(uint8_t(i * 13));
    std::string in = Write(bytes, "in.jn2");

    auto level = ReadLevel(in);
    ASSERT_TRUE(level);
    EXPECT_EQ(level->numobjs, 300);
    std::string out = temp.File("out.jn2");
    ASSERT_TRUE(level->WriteToFile(out));
    EXPECT_EQ(ReadFileBytes(out), ReadFileBytes(in));
    // An undo snapshot is a clone: it keeps the tail as well.
    std::string cloned = temp.File("clone.jn2");
    ASSERT_TRUE(level->Clone()->WriteToFile(cloned));
    EXPECT_EQ(ReadFileBytes(cloned), ReadFileBytes(in));
    EXPECT_NE(Log().find(" WARNING: unsupported numobjs value: 300\r\n"), std::string::npos);
    EXPECT_NE(Log().find(" WARNING: unsupported objkind value: 69 for object #69\r\n"), std::string::npos);
}

TEST_F(LevelFile, TextBlocksFollowTheWrittenInsideFlag) {
    TLevel level;
    auto ab = std::make_shared<TLevelObject>();
    ab->inside = 5;
    ab->insideStr = "ab";
    auto x = std::make_shared<TLevelObject>();
    x->insideStr = "x";   // inside 0 but a text: still written
    auto emptyText = std::make_shared<TLevelObject>();
    emptyText->inside = -1;   // inside set but no text: an empty block
    auto none = std::make_shared<TLevelObject>();
    for (auto& obj : {ab, x, emptyText, none}) level.AddObject(obj);

    std::string path = temp.File("texts.jn1");
    ASSERT_TRUE(level.WriteToFile(path));
    auto file = ReadFileBytes(path);
    auto insideAt = [&file](int index) {
        size_t at = 16386 + 31 * index + 23;
        return int32_t(file[at] | file[at + 1] << 8 | file[at + 2] << 16 | uint32_t(file[at + 3]) << 24);
    };
    EXPECT_EQ(insideAt(0), 1);
    EXPECT_EQ(insideAt(1), 1);
    EXPECT_EQ(insideAt(2), 1);
    EXPECT_EQ(insideAt(3), 0);
    std::vector<uint8_t> texts(file.begin() + TextSectionOffset(4), file.end());
    EXPECT_EQ(texts, (std::vector<uint8_t>{2, 0, 'a', 'b', 0, 1, 0, 'x', 0, 0, 0, 0}));

    auto read = ReadLevel(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->objs[0]->insideStr, "ab");
    EXPECT_EQ(read->objs[0]->inside, 1);
    EXPECT_EQ(read->objs[1]->insideStr, "x");
    EXPECT_EQ(read->objs[2]->insideStr, "");
    EXPECT_EQ(read->objs[2]->inside, 1);
}

TEST_F(LevelFile, MissingTextBlockSaysWhereTheFileEnds) {
    TLevelBytes bytes;
    bytes.objects.resize(1);
    std::string path = Write(bytes);
    auto level = ReadLevel(path);
    ASSERT_TRUE(level);
    EXPECT_EQ(level->numobjs, 1);
    EXPECT_EQ(level->objs[0]->insideStr, "");

    bytes.objects[0].inside = 7;
    ASSERT_EQ(bytes.Build().size(), 16456u + 31);
    path = Write(bytes);
    EXPECT_FALSE(ReadLevel(path));
    ASSERT_EQ(host->notices.size(), 1u);
    const std::string reason = "the file ends after 16,487 bytes, inside the texts (the text of object 0)";
    EXPECT_EQ(host->notices[0], Notice(path, reason));
    EXPECT_NE(Log().find(" ERROR while trying to read level!\r\n\r\n" + std::string(40, '=') + "\r\n  " + reason),
              std::string::npos)
        << Log();
}

TEST_F(LevelFile, UnterminatedTextNamesTheFault) {
    TLevelBytes bytes;
    bytes.objects.resize(1);
    bytes.objects[0].inside = 1;
    bytes.tail = {2, 0, 'a', 'b', 'c'};
    std::string path = Write(bytes);
    EXPECT_FALSE(ReadLevel(path));
    ASSERT_EQ(host->notices.size(), 1u);
    EXPECT_EQ(host->notices[0], Notice(path, "inside string not null-terminated!"));
    EXPECT_NE(Log().find(" ERROR while trying to read level!\r\n\r\n========================================\r\n"
                         "  inside string not null-terminated!\r\n========================================\r\n\r\n"),
              std::string::npos)
        << Log();
}

TEST_F(LevelFile, EveryTruncationSaysWhereTheFileEnds) {
    TLevelBytes bytes;
    bytes.objects.resize(2);
    bytes.objects[1].inside = 1;
    bytes.texts = {"hello"};
    auto whole = bytes.Build();
    const std::string texts = ", inside the texts (the text of object 1)";
    // Cuts on both sides of where each part begins, and inside each.
    const std::vector<std::pair<size_t, std::string>> cuts = {
        {0, "the file is empty"},
        {1, "the file ends after 1 byte, inside the board"},
        {16383, "the file ends after 16,383 bytes, inside the board"},
        {16384, "the file ends after 16,384 bytes, inside the object count"},
        {16386, "the file ends after 16,386 bytes, inside the object list (object 0 of 2)"},
        {PlayerBlockOffset(2) - 1, "the file ends after 16,447 bytes, inside the object list (object 1 of 2)"},
        {PlayerBlockOffset(2), "the file ends after 16,448 bytes, inside the player block"},
        {TextSectionOffset(2) - 1, "the file ends after 16,517 bytes, inside the player block"},
        {TextSectionOffset(2), "the file ends after 16,518 bytes" + texts},
        {whole.size() - 1, "the file ends after 16,525 bytes" + texts}};
    for (const auto& [length, reason] : cuts) {
        std::string path = temp.File("cut.jn1");
        WriteFileBytes(path, std::vector<uint8_t>(whole.begin(), whole.begin() + length));
        EXPECT_FALSE(ReadLevel(path)) << length;
        EXPECT_EQ(host->notices.back(), Notice(path, reason));
    }
    EXPECT_EQ(host->notices.size(), cuts.size());
    EXPECT_TRUE(ReadLevel(Write(bytes)));
}

TEST_F(LevelFile, CountsLargerThanTheFileFailWithoutHugeAllocations) {
    TLevelBytes bytes;
    bytes.numobjs = 65535;
    std::string path = Write(bytes);
    EXPECT_FALSE(ReadLevel(path));
    ASSERT_EQ(host->notices.size(), 1u);
    // The player block read as the first two records.
    EXPECT_EQ(host->notices[0],
              Notice(path, "the file ends after 16,456 bytes, inside the object list (object 2 of 65535)"));

    bytes.numobjs = -1;
    bytes.objects.resize(1);
    bytes.objects[0].inside = 1;
    bytes.tail = {0xFF, 0xFF, 'a'};   // a text of 65535 characters in a file of three bytes
    EXPECT_FALSE(ReadLevel(Write(bytes)));
    EXPECT_EQ(host->notices.size(), 2u);
}

TEST_F(LevelFile, TailsUpTo16MiBAreKeptAndLargerOnesRefused) {
    TLevelBytes bytes;
    bytes.tail.assign(16 * 1024 * 1024, 0x42);
    auto level = ReadLevel(Write(bytes));
    ASSERT_TRUE(level);
    ASSERT_TRUE(level->tail);
    EXPECT_EQ(level->tail->size(), bytes.tail.size());

    bytes.tail.push_back(0x42);
    std::string path = Write(bytes);
    EXPECT_FALSE(ReadLevel(path));
    ASSERT_EQ(host->notices.size(), 1u);
    EXPECT_EQ(host->notices[0], Notice(path, "more than 16777216 bytes after the texts"));

    // Without a tail nothing is kept, and nothing is written after the texts.
    EXPECT_FALSE(ReadLevel(Write(TLevelBytes{}))->tail);
}

TEST_F(LevelFile, UnopenableFileLogsAnErrorWithoutANotice) {
    EXPECT_FALSE(ReadLevel(temp.File("missing.jn1")));
    EXPECT_FALSE(ReadLevel(temp.Path()));   // a folder
    EXPECT_TRUE(host->notices.empty());
    EXPECT_NE(Log().find(" opening file ... ERROR\r\n"), std::string::npos);
}

TEST_F(LevelFile, ReadLevelObjectNeedsAStream) {
    EXPECT_EQ(ReadLevelObject(nullptr), nullptr);
    TMemoryStream shortRecord(std::vector<uint8_t>(30, 0));
    EXPECT_THROW(ReadLevelObject(&shortRecord), TStreamEnd);
    TLevelObject obj;
    EXPECT_EQ(obj.Write(nullptr), 0);
}

TEST_F(LevelFile, FailedWriteLeavesTheOldFileUntouched) {
    TLevelBytes original;
    original.pl_pad.fill(7);
    std::string path = Write(original);
    ::chmod(path.c_str(), 0640);

    TLevel level;
    level.AddObject(std::make_shared<TLevelObject>());
    level.objs.push_back(std::make_shared<TLevelObject>());   // numobjs no longer counts every object
    EXPECT_FALSE(level.WriteToFile(path));
    level.objs.back() = nullptr;   // as PurgeObjects leaves the array: fine
    level.numobjs = 2;
    EXPECT_FALSE(level.WriteToFile(path)) << "a counted slot is empty";
    level.numobjs = 1;
    level.objs[0]->insideStr.assign(70000, 'z');   // longer than a text block can hold
    EXPECT_FALSE(level.WriteToFile(path));
    EXPECT_EQ(ReadFileBytes(path), original.Build());

    level.objs[0]->insideStr = "ok";
    ASSERT_TRUE(level.WriteToFile(path));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    if (FilesHavePermissionBits()) {
        EXPECT_EQ(info.st_mode & 0777, 0640u) << "the replaced file keeps its permission bits";
    }

    std::filesystem::create_directory(temp.File("folder.jn1"));
    EXPECT_FALSE(level.WriteToFile(temp.File("folder.jn1")));
    EXPECT_FALSE(level.WriteToFile(temp.File("no/such/dir/level.jn1")));
    EXPECT_TRUE(std::filesystem::is_directory(temp.File("folder.jn1")));
}

}  // namespace
