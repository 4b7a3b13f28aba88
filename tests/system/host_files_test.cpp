// The file operations that each system does its own way, checked alike on
// every system: names in any script, either slash, identities, locks.

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "system/file_identity.h"
#include "system/paths.h"
#include "system/program_file.h"
#include "system/stream.h"

namespace {

bool WriteText(const std::string& path, const std::string& text) {
    TStreamPtr stream = OpenReplaceStream(path);
    if (!stream) return false;
    stream->WriteString(text);
    return stream->Close();
}

std::string ReadText(const std::string& path) {
    TStreamPtr stream = OpenReadStream(path);
    return stream ? stream->ReadString(static_cast<size_t>(stream->Size())) : "<unreadable>";
}

}  // namespace

TEST(HostFiles, NamesInAnyScriptAndEitherSlashReachTheSameFile) {
    TTempDir dir;
    // Folder and file names beyond ASCII, as a modder's home folder may be.
    const std::string folder = dir.File("M\xc3\xbcller \xe6\xb8\xb8\xe6\x88\xb2");
    ASSERT_TRUE(MakeFolder(folder));
    EXPECT_EQ(PathType(folder), 2);
    const std::string level = folder + "/\xc3\x9c" "ber.jn1";
    ASSERT_TRUE(WriteText(level, "first"));
    EXPECT_EQ(PathType(level), 1);
    EXPECT_EQ(ReadText(level), "first");
    EXPECT_EQ(FolderFileNames(folder), std::vector<std::string>{"\xc3\x9c" "ber.jn1"});
    EXPECT_EQ(FindFileIgnoringCase(folder, "\xc3\x9c" "BER.JN1").name, "\xc3\x9c" "ber.jn1");

    // The requesters give paths with "\"; they name the same file.
    std::string backslashed = level;
    for (char& c : backslashed)
        if (c == '/') c = '\\';
    EXPECT_EQ(PathType(backslashed), 1);
    ASSERT_TRUE(WriteText(backslashed, "second"));
    EXPECT_EQ(ReadText(level), "second");
    EXPECT_EQ(FolderFileNames(folder).size(), 1u) << "the replace left its temporary file behind";
    EXPECT_EQ(FileNamePart(backslashed), "\xc3\x9c" "ber.jn1");
}

TEST(HostFiles, AReplacedFileIsAnotherFileAndARemovedOneIsGone) {
    TTempDir dir;
    const std::string path = dir.File("level.jn1");
    EXPECT_FALSE(FileIdentity(path).exists);
    ASSERT_TRUE(WriteText(path, "one"));
    const TFileIdentity first = FileIdentity(path);
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(first.size, 3);
    EXPECT_EQ(FileIdentity(path), first) << "nothing changed, nothing seen";
    ASSERT_TRUE(WriteText(path, "two"));
    EXPECT_NE(FileIdentity(path), first) << "same size, but a new file took the old one's place";

    ASSERT_TRUE(RenameFile(path, dir.File("moved.jn1")));
    EXPECT_FALSE(FileIdentity(path).exists);
    EXPECT_TRUE(RemoveFile(dir.File("moved.jn1")));
    EXPECT_TRUE(RemoveFile(dir.File("moved.jn1"))) << "a file that is not there is removed already";
    EXPECT_TRUE(FolderFileNames(dir.Path()).empty());
}

TEST(HostFiles, ALockKeepsEveryOtherHolderOutUntilItGoes) {
    TTempDir dir;
    const std::string path = dir.File("run.lock");
    EXPECT_FALSE(TryLockFile(path, false)) << "not there, and not to be made";
    std::unique_ptr<TFileLock> lock = TryLockFile(path, true);
    ASSERT_TRUE(lock);
    EXPECT_FALSE(TryLockFile(path, true)) << "a second holder, even in the same process";
    // Others may still open and read the locked file; only a second lock is refused.
    EXPECT_EQ(ReadText(path), "");
    lock.reset();
    EXPECT_TRUE(TryLockFile(path, false));
    EXPECT_TRUE(RemoveFile(path));
}

TEST(HostFiles, TheProgramFindsItsOwnFile) {
    const std::string self = ProgramFilePath();
    EXPECT_EQ(PathType(self), 1) << self;
    EXPECT_NE(FileNamePart(self).find("system_tests"), std::string::npos) << self;
}
