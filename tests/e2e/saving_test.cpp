// Saving as it meets real file systems: levels, mapshots and the settings
// behind symbolic links, the requesters opening where the level is, and
// failures that say why, down to a full and a read-only disk.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "e2e/editor_session.h"
#include "image/png_load.h"
#include "level/level.h"
#include "level/level_file.h"
#include "support/files.h"
#include "support/small_disk.h"
#include "support/system_traits.h"
#include "system/file_identity.h"

namespace {

namespace fs = std::filesystem;

std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

unsigned Mode(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

unsigned NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

class Saving : public TEditorSession {
protected:
    size_t Shown() const { return host.Requesters().size(); }
    const TRequesterCall& Call(size_t index) const { return host.Requesters().at(index); }
    // Back in the menu from the editing screen.
    void LeaveEditor() {
        host.Then([this] { host.PressKey(VK_ESCAPE); });
    }
};

TEST_F(Saving, LinksAreWrittenThroughAndTheRequestersOpenWhereTheLevelIs) {
    if (!SymbolicLinksCanBeMade(game)) GTEST_SKIP() << "symbolic links cannot be made here";
    // The level lives in a store folder; the game folder holds a chain of
    // relative links to it, as a modder keeps one copy for several setups.
    const std::string store = work.File("store");
    fs::create_directory(store);
    fs::copy_file(game + "showcase.jn1", store + "/real.jn1");
    chmod((store + "/real.jn1").c_str(), 0640);
    fs::create_symlink("../store/real.jn1", game + "mid.jn1");
    fs::create_symlink("mid.jn1", game + "linked.jn1");
    // The settings and the picture go through links too, the picture's
    // naming a file that does not exist yet.
    fs::create_directory(work.File("config"));
    fs::create_symlink("config/settings.ini", work.File("tarn.ini"));
    fs::create_directory(work.File("pictures"));
    fs::create_symlink("pictures/level.png", work.File("shot.png"));
    const std::string linked = game + "linked.jn1";

    LoadFromMenu("linked.jn1");
    host.Then([&] {
        // Bound by the folder it was opened from, not the store's.
        EXPECT_EQ(viewer.boundGame->Name, "Jill of the Jungle");
        viewer.level->bd[0] = 0x0123;
        viewer.levelchanged = 1;
    });
    LeaveEditor();
    ClickMenuEntry(kSaveLevel);
    host.WaitUntil([&] { return viewer.levelchanged == 0; });
    host.ExpectRequestFile("");
    ClickMenuEntry(kSaveLevelAs);
    host.WaitUntil([&] { return Shown() == 2; });
    host.ExpectRequestFile(work.File("shot.png"));
    ClickMenuEntry(kExportMapshot);
    host.WaitUntil([&] { return fs::exists(work.File("pictures/level.png")); });
    host.ExpectRequestFile("");
    ClickMenuEntry(kLoadLevel);
    host.WaitUntil([&] { return Shown() == 4; });
    ClickMenuEntry(kQuit);
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);

    // The requesters: Load with nothing loaded yet opens in the working
    // folder; then Save As proposes the level's own file, the export its
    // name as a picture beside it, and Load opens the level's folder.
    ASSERT_EQ(Shown(), 4u);
    EXPECT_EQ(Call(0).initialPath, "");
    EXPECT_EQ(Call(1).title, "Save Level As ...");
    EXPECT_EQ(Call(1).initialPath, linked);
    EXPECT_EQ(Call(2).title, "Export Mapshot ...");
    EXPECT_EQ(Call(2).initialPath, game + "linked.png");
    EXPECT_EQ(Call(3).title, "Open Jill Level File...");
    EXPECT_EQ(Call(3).initialPath, work.File("game"));

    // The links stay as they were; the file at the end of the chain has the
    // edit, its permission bits, and nothing was left beside it.
    EXPECT_EQ(fs::read_symlink(linked), "mid.jn1");
    EXPECT_EQ(fs::read_symlink(game + "mid.jn1"), "../store/real.jn1");
    EXPECT_EQ(viewer.levelfile, linked);
    TLevelPtr saved = ReadLevel(store + "/real.jn1");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->bd[0], 0x0123);
    EXPECT_EQ(Mode(store + "/real.jn1"), 0640u);
    EXPECT_EQ(Entries(store), std::set<std::string>{"real.jn1"});

    EXPECT_EQ(fs::read_symlink(work.File("shot.png")), "pictures/level.png");
    TBitmapPtr picture = LoadPng(work.File("pictures/level.png"));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->fWidth, 2048);
    EXPECT_EQ(Mode(work.File("pictures/level.png")), NewFileMode());

    EXPECT_EQ(fs::read_symlink(work.File("tarn.ini")), "config/settings.ini");
    EXPECT_EQ(ReadFileText(work.File("config/settings.ini")).rfind("[GRAPHICS]\r\n", 0), 0u);
    EXPECT_EQ(Entries(work.File("config")), std::set<std::string>{"settings.ini"});
}

TEST_F(Saving, FailedLoadsSayWhyAndTheNextLoadOpensWhereTheLastLevelCameFrom) {
    const std::string missing = game + "missing.jn1";
    const std::string elsewhere = work.File("elsewhere/level.jn1");
    host.ExpectRequestFile(missing);
    host.ExpectNotify();
    ClickMenuEntry(kLoadLevel);
    host.WaitUntil([&] { return Shown() == 2; });
    host.ExpectRequestFile(work.File("game"));
    host.ExpectNotify();
    ClickMenuEntry(kLoadLevel);
    host.WaitUntil([&] { return Shown() == 4; });
    LoadFromMenu("showcase.jn1");
    LeaveEditor();
    host.ExpectRequestFile(elsewhere);
    host.ExpectNotify();
    ClickMenuEntry(kLoadLevel);
    host.WaitUntil([&] { return Shown() == 7; });
    // No level now: the requester opens where the last level was loaded from.
    host.ExpectRequestFile("");
    ClickMenuEntry(kLoadLevel);
    host.WaitUntil([&] { return Shown() == 8; });
    host.Then([&] { host.RequestClose(); });
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);

    ASSERT_EQ(Shown(), 8u);
    EXPECT_EQ(Call(1).text, "ERROR: Cannot load level from the file\n\n" + missing + "\n\n(No such file or directory)");
    EXPECT_EQ(Call(3).text, "ERROR: Cannot load level from the file\n\n" + work.File("game") + "\n\n(Is a directory)");
    EXPECT_EQ(Call(4).initialPath, "");
    EXPECT_EQ(Call(5).initialPath, work.File("game"));
    EXPECT_EQ(Call(6).text,
              "ERROR: Cannot load level from the file\n\n" + elsewhere + "\n\n(No such file or directory)");
    EXPECT_EQ(Call(7).initialPath, work.File("game"));
    EXPECT_FALSE(viewer.level);
}

TEST_F(Saving, ClosingTheWindowFromTheEditorSaysWhenTheSettingsCannotBeWritten) {
    if (!SymbolicLinksCanBeMade(game)) GTEST_SKIP() << "symbolic links cannot be made here";
    // The settings file is a link into a folder that is not there.
    fs::create_symlink("nowhere/tarn.ini", work.File("tarn.ini"));
    LoadFromMenu("showcase.jn1");
    host.ExpectNotify();
    host.Then([&] { host.RequestClose(); });
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);

    ASSERT_EQ(Shown(), 2u);
    EXPECT_EQ(Call(1).text, "ERROR: Cannot write the settings to the file\n\ntarn.ini\n\nPalette changes and the "
                            "window settings of this session are lost; the previous settings file is unchanged."
                            "\n\n(No such file or directory)");
    EXPECT_FALSE(fs::exists(work.File("nowhere")));
}

TEST_F(Saving, TheLevelsFileIsKnownByAnyNameAndAChangeWithinASecondIsSeen) {
    const std::string level = game + "showcase.jn1";
    const fs::file_time_type written = fs::last_write_time(level);
    const fs::file_time_type second = written - written.time_since_epoch() % std::chrono::seconds(1);
    fs::last_write_time(level, second + std::chrono::milliseconds(100));
    // Where the system keeps whole seconds only (Wine), the other program's
    // change comes a second later: the name part still holds.
    const bool keepsFractions = FileIdentity(level).modifiedNs % 1000000000 != 0;
    const auto changed = second + std::chrono::milliseconds(keepsFractions ? 700 : 1700);
    // Opened by a relative name, rewritten in place by another program in the same second.
    host.ExpectRequestFile("game/showcase.jn1");
    ClickMenuEntry(kLoadLevel);
    host.WaitUntil([&] { return viewer.levelfile == "game/showcase.jn1"; });
    std::vector<uint8_t> theirs = ReadFileBytes(level);
    theirs[0] ^= 1;
    host.Then([&] {
        std::fstream(level, std::ios::in | std::ios::out | std::ios::binary).put(char(theirs[0]));
        fs::last_write_time(level, changed);
        viewer.levelchanged = 1;
    });
    LeaveEditor();
    // Save As with the absolute name asks, as Save Level does.
    host.ExpectRequestFile(level);
    host.ExpectConfirm(0);
    ClickMenuEntry(kSaveLevelAs);
    host.ExpectProceed(0);
    ClickMenuEntry(kQuit);
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);

    ASSERT_EQ(Shown(), 4u);
    EXPECT_EQ(Call(2).text, "The file\n\n" + level + "\n\nwas changed by another program since Tarn opened it.\n\n"
                            "Overwrite it with the level as it is in Tarn?");
    EXPECT_EQ(ReadFileBytes(level), theirs);
}

// Saving and exporting into a folder of the given disk, both refused.
class SavingRefused : public Saving {
protected:
    // Loads the sample level, then saves it as folder/level.jn1 and exports
    // it as folder/shot.png; gives the two notices.
    std::pair<std::string, std::string> SaveAndExportInto(const std::function<std::string(const std::string&)>& file) {
        LoadFromMenu("showcase.jn1");
        LeaveEditor();
        host.ExpectRequestFile(file("level.jn1"));
        host.ExpectNotify();
        ClickMenuEntry(kSaveLevelAs);
        host.WaitUntil([&] { return Shown() == 3; });
        host.ExpectRequestFile(file("shot.png"));
        host.ExpectNotify();
        ClickMenuEntry(kExportMapshot);
        host.WaitUntil([&] { return Shown() == 5; });
        host.Then([&] { host.RequestClose(); });
        EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
        EXPECT_EQ(viewer.levelfile, game + "showcase.jn1");
        if (Shown() != 5) return {};
        return {Call(2).text, Call(4).text};
    }
};

TEST_F(SavingRefused, AFullDiskSaysSoAndKeepsTheOldFiles) {
    TSmallDisk disk;
    if (!disk.Mounted()) GTEST_SKIP() << "mounting a small disk needs root";
    WriteFileText(disk.File("level.jn1"), "the old level");
    WriteFileText(disk.File("shot.png"), "the old picture");
    disk.Fill();
    const auto [saveNotice, exportNotice] = SaveAndExportInto([&](const std::string& name) { return disk.File(name); });
    EXPECT_EQ(saveNotice,
              "ERROR: Cannot write level to the file\n\n" + disk.File("level.jn1") + "\n\n(No space left on device)");
    EXPECT_EQ(exportNotice, "ERROR: Cannot write the mapshot to the file\n\n" + disk.File("shot.png") +
                                "\n\n(No space left on device)");
    EXPECT_EQ(ReadFileText(disk.File("level.jn1")), "the old level");
    EXPECT_EQ(ReadFileText(disk.File("shot.png")), "the old picture");
    EXPECT_EQ(Entries(disk.File("")), (std::set<std::string>{"filler", "level.jn1", "shot.png"}));
}

TEST_F(SavingRefused, AnUnwritableFolderSaysSoAndKeepsTheOldFiles) {
    TUnwritableFolder folder;
    WriteFileText(folder.File("level.jn1"), "the old level");
    if (!folder.Close()) GTEST_SKIP() << "no way to close a folder to writing here";
    const auto [saveNotice, exportNotice] =
        SaveAndExportInto([&](const std::string& name) { return folder.File(name); });
    EXPECT_EQ(saveNotice,
              "ERROR: Cannot write level to the file\n\n" + folder.File("level.jn1") + "\n\n" + folder.Reason());
    EXPECT_EQ(exportNotice,
              "ERROR: Cannot write the mapshot to the file\n\n" + folder.File("shot.png") + "\n\n" + folder.Reason());
    EXPECT_EQ(ReadFileText(folder.File("level.jn1")), "the old level");
    EXPECT_FALSE(fs::exists(folder.File("shot.png")));
}

}  // namespace
