// What only POSIX systems do to a replace: chains of links as long as the
// system's, owners, and the temporary files that killed runs leave behind.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>

#include "support/files.h"
#include "support/temp_dir.h"
#include "system/file_identity.h"
#include "system/host_file.h"
#include "system/stream.h"

namespace fs = std::filesystem;

static bool Replace(const std::string& path) {
    TStreamPtr stream = OpenReplaceStream(path);
    return stream && stream->Close();
}

TEST(PosixReplace, LinksAreFollowedAsFarAsTheSystemFollowsThem) {
    TTempDir dir;
    WriteFileText(dir.File("level.jn1"), "old");
    for (int n = 1; n <= 41; ++n)
        fs::create_symlink(n == 1 ? "level.jn1" : "link" + std::to_string(n - 1), dir.File("link" + std::to_string(n)));
    EXPECT_TRUE(Replace(dir.File("link40")));
    EXPECT_EQ(ReadFileText(dir.File("level.jn1")), "");
    EXPECT_FALSE(OpenReplaceStream(dir.File("link41")));
    EXPECT_EQ(WithFileErrorReason("cannot", " "), "cannot (Too many levels of symbolic links)");
}

TEST(PosixReplace, TheOwnerAndGroupOfAnotherUsersFileAreKept) {
    if (geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
    TTempDir dir;
    const std::string level = dir.File("level.jn1");
    WriteFileText(level, "old");
    ASSERT_TRUE(chown(level.c_str(), 65534, 65534) == 0 && chmod(level.c_str(), 0660) == 0 && Replace(level));
    struct stat info;
    ASSERT_EQ(stat(level.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
    EXPECT_EQ(info.st_mode & 07777, 0660u);
}

TEST(PosixReplace, TemporaryFilesLeftByKilledRunsGoAtTheNextReplaceInTheirFolder) {
    TTempDir dir;
    // Each last written the given number of seconds ago.
    for (const auto& [name, age] : {std::pair{".level.jn1.a1b2c3.tarn-tmp", 61},  // a killed run's: goes
                                    {".level.jn1.d4e5f6.tarn-tmp", 59},  // maybe a live run's, about to rename
                                    {".other.one.g7h8i9.tarn-tmp", 3600},   // held by a slow live run
                                    {".level.jn1.j1k2l3", 3600}}) {         // not named as ours
        WriteFileText(dir.File(name), "half");
        const timespec times[2] = {{std::time(nullptr) - age, 0}, {std::time(nullptr) - age, 0}};
        EXPECT_EQ(utimensat(AT_FDCWD, dir.File(name).c_str(), times, 0), 0);
    }
    const int held = open(dir.File(".other.one.g7h8i9.tarn-tmp").c_str(), O_RDONLY);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);

    TStreamPtr stream = OpenReplaceStream(dir.File("level.jn1"));
    ASSERT_TRUE(stream);
    // The replace's own temporary file is named as ours, and held.
    std::string live;
    for (const std::string& name : FolderFileNames(dir.Path()))
        if (IsTemporaryName(name) && name.starts_with(".level.jn1.") && name.find("d4e5f6") == name.npos) live = name;
    const int writer = open(dir.File(live).c_str(), O_RDONLY);
    EXPECT_NE(flock(writer, LOCK_EX | LOCK_NB), 0) << "a live write is not taken for a left one: " << live;
    close(writer);
    EXPECT_TRUE(stream->Close());
    close(held);
    EXPECT_EQ(FolderFileNames(dir.Path()), (std::vector<std::string>{".level.jn1.d4e5f6.tarn-tmp", ".level.jn1.j1k2l3",
                                                                      ".other.one.g7h8i9.tarn-tmp", "level.jn1"}));
}
