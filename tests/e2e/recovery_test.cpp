// No work lost: the copy of a changed level kept while the user works, the
// offer of it after a run that did not end in order, and the question before
// a save overwrites a file another program changed.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "e2e/editor_session.h"
#include "document/recovery_copy.h"
#include "level/level.h"
#include "level/level_file.h"
#include "support/files.h"
#include "support/small_disk.h"
#include "support/system_traits.h"
#include "system/stream.h"

namespace {

namespace fs = std::filesystem;

// Screen positions at zoom 1 with the camera at (0, 0).
int CellX(int tx) { return 320 + 16 * tx + 8; }
int CellY(int ty) { return 16 * ty + 8; }
int EntryX(int t) { return 16 * (t % 20) + 8; }
int EntryY(int t) { return 16 + 16 * (t / 20) + 8; }

uint16_t Cell(const TLevel& level, int x, int y) { return level.bd[size_t(x) * kBoardHeight + size_t(y)]; }

TLevelPtr LevelOf(const std::vector<uint8_t>& bytes) {
    auto memory = std::make_shared<TMemoryStream>(bytes);
    return ReadLevel(*LittleEndian(memory), "bytes");
}

class Recovery : public TEditorSession {
protected:
    const std::string level = game + "showcase.jn1";
    const std::string folder = work.File("recovery");

    void Step(std::function<void()> action) { host.Then(std::move(action)); }
    // Picks tileset entry 45 as the brush (the right button, pressed and
    // released on it), then paints one cell with the left.
    void PickBrush() {
        Step([this] {
            host.MoveMouse(EntryX(45), EntryY(45));
            host.ButtonDown(2);
        });
        Step([this] { host.ButtonUp(2); });
    }
    void Paint(int tx, int ty) {
        Step([=, this] {
            host.MoveMouse(CellX(tx), CellY(ty));
            host.ButtonDown(1);
        });
        Step([this] { host.ButtonUp(1); });
    }
    void CtrlS() {
        Step([this] { host.KeyDown(VK_LCONTROL); });
        Step([this] { host.PressKey('S'); });
        Step([this] { host.KeyUp(VK_LCONTROL); });
    }
    std::set<std::string> Files() const {
        std::set<std::string> names;
        if (fs::exists(folder))
            for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
        return names;
    }
    // The one copy in the folder (fails the test unless there is exactly one).
    TRecoveryCopy OnlyCopy() const {
        TRecoveryCopy copy;
        std::vector<std::string> copies;
        for (const std::string& name : Files())
            if (name.ends_with(kRecoveryCopySuffix)) copies.push_back(name);
        EXPECT_EQ(copies.size(), 1u);
        if (copies.size() != 1) return copy;
        std::string problem;
        EXPECT_TRUE(DecodeRecoveryCopy(ReadFileBytes(folder + "/" + copies[0]), copy, problem)) << problem;
        return copy;
    }
    bool HasCopy() const {
        for (const std::string& name : Files())
            if (name.ends_with(kRecoveryCopySuffix)) return true;
        return false;
    }
    void PlantCopy(const std::string& name, const TRecoveryCopy& copy) {
        MakeFolder(folder);
        WriteFileBytes(folder + "/" + name + kRecoveryCopySuffix, EncodeRecoveryCopy(copy));
    }
};

TEST_F(Recovery, TheCopyFollowsUnsavedChangesAndGoesWhenTheyAreSavedDiscardedReplacedOrTheProgramEnds) {
    uint32_t changedAt = 0, writtenAt = 0;
    LoadFromMenu("showcase.jn1");
    PickBrush();
    // The press is read at the pass after this step: the change comes no
    // sooner than this.
    Step([&] {
        changedAt = host.Now();
        host.MoveMouse(CellX(10), CellY(10));
        host.ButtonDown(1);
    });
    Step([&] { host.ButtonUp(1); });
    // Not within the first second after the change, and there by three.
    host.WaitUntil([&] {
        writtenAt = host.Now();
        return HasCopy() || writtenAt - changedAt > 3000;
    });
    Step([&] {
        EXPECT_GE(writtenAt - changedAt, 1000u);
        EXPECT_LE(writtenAt - changedAt, 3000u);
        const TRecoveryCopy copy = OnlyCopy();
        EXPECT_EQ(copy.levelPath, level);
        EXPECT_EQ(copy.gameFolder, game);
        EXPECT_EQ(copy.gameName, "Jill of the Jungle");
        EXPECT_EQ(copy.time, "01 Jan 2000 12:00:00");
        EXPECT_EQ(copy.known, FileIdentity(level));
        EXPECT_EQ(copy.levelBytes, LevelFileBytes(*viewer.level));
        TLevelPtr copied = LevelOf(copy.levelBytes);
        ASSERT_TRUE(copied);
        EXPECT_EQ(Cell(*copied, 10, 10), 45);
        // The run's lock lies beside its copy, in a folder of this user's alone.
        EXPECT_EQ(Files().size(), 2u);
        if (FilesHavePermissionBits()) {
            EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
        }
        // A long stroke: the passes after its first take no undo state, and
        // the copy still follows them while the button is held.
        host.MoveMouse(CellX(20), CellY(12));
        host.ButtonDown(1);
    });
    Step([&] { host.MoveMouse(CellX(30), CellY(12)); });
    host.WaitMs(3000);
    Step([&] {
        EXPECT_TRUE(viewer.strokeRecorded);
        TLevelPtr copied = LevelOf(OnlyCopy().levelBytes);
        ASSERT_TRUE(copied);
        EXPECT_EQ(Cell(*copied, 30, 12), 45);
        host.ButtonUp(1);
    });
    // Saved: the copy and its lock go at once. The level file was written
    // only by this run, so nothing is asked.
    CtrlS();
    host.WaitUntil([&] { return viewer.levelchanged == 0; });
    Step([&] {
        EXPECT_TRUE(Files().empty());
        EXPECT_EQ(Cell(*ReadLevel(level), 30, 12), 45);
    });
    // Changed again: a copy again; then the changes discarded on the way to
    // another level, and the requester cancelled: the copy goes with the
    // answer, and comes back as the level, still changed, stays.
    Paint(40, 10);
    host.WaitUntil([&] { return HasCopy(); });
    Step([&] { host.PressKey(VK_ESCAPE); });
    host.ExpectProceed(0);
    host.ExpectRequestFile("");
    ClickMenuEntry(kLoadLevel);
    host.WaitUntil([&] { return host.Requesters().size() == 3; });
    Step([&] {
        EXPECT_FALSE(HasCopy());
        EXPECT_EQ(viewer.levelchanged, 1);
    });
    host.WaitUntil([&] { return HasCopy(); });
    // Discarded and replaced by the level loaded: no copy, and none later.
    host.ExpectProceed(0);
    host.ExpectRequestFile(level);
    ClickMenuEntry(kLoadLevel);
    host.WaitUntil([&] { return host.Requesters().size() == 5; });
    host.WaitMs(2000);
    Step([&] {
        EXPECT_FALSE(HasCopy());
        EXPECT_EQ(viewer.levelchanged, 0);
        EXPECT_EQ(Cell(*viewer.level, 40, 10), Cell(*ReadLevel(level), 40, 10));
    });
    // Quit with changes discarded: the program ends in order, no copy left.
    PickBrush();
    Paint(50, 10);
    host.WaitUntil([&] { return HasCopy(); });
    Step([&] { host.PressKey(VK_ESCAPE); });
    host.ExpectProceed(0);
    ClickMenuEntry(kQuit);
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
    EXPECT_TRUE(Files().empty());
}

TEST_F(Recovery, ACrashedRunsChangesAreOfferedBackOneCopyAtATime) {
    const std::vector<uint8_t> original = ReadFileBytes(level);
    // A run that edits and is killed: its editor object goes without Quit,
    // which lets go of its lock as the system does for a killed process.
    {
        TJillLevelViewer crashed;
        const std::string path = level;
        host.ExpectRequestFile(path);
        ClickMenuEntry(kLoadLevel);
        host.WaitUntil([&] { return crashed.levelfile == path; });
        Step([&] {
            host.MoveMouse(EntryX(45), EntryY(45));
            host.ButtonDown(2);
        });
        Step([&] { host.ButtonUp(2); });
        Paint(10, 10);
        host.WaitUntil([&] { return HasCopy(); });
        EXPECT_EQ(host.Run([&] { crashed.MainMenu(); }, 5000).end, TRunEnd::ScriptDone);
    }
    // The copy, and the lock its run held, which a kill leaves behind.
    ASSERT_EQ(Files().size(), 2u);
    const std::string crashedCopy = *Files().rbegin();
    ASSERT_TRUE(crashedCopy.starts_with("tarn-") && crashedCopy.ends_with(kRecoveryCopySuffix)) << crashedCopy;

    // Beside it: a copy cut short (where one was set aside before), one
    // whose game is gone, one whose level is cut short, one of a new level,
    // one whose Tarn still runs (its lock held), a copy and a lock that are
    // links, and one that comes after the crashed run's in name order.
    const TRecoveryCopy good{level, game, "Jill of the Jungle", "t", {}, original};
    const std::vector<uint8_t> whole = EncodeRecoveryCopy(good);
    WriteFileBytes(folder + "/1-cut" + kRecoveryCopySuffix, {whole.begin(), whole.end() - 1});
    WriteFileText(folder + "/1-cut.recovery.damaged", "set aside before");
    fs::create_directories(work.File("gone"));
    PlantCopy("2-gone", {work.File("gone/lost.jn1"), work.File("gone") + "/", "Jill of the Jungle", "02 Jan 2000 08:00:00",
                         {}, original});
    PlantCopy("2-torn", {level, game, "Jill of the Jungle", "t", {}, {original.begin(), original.end() - 1}});
    const bool links = SymbolicLinksCanBeMade(folder);
    if (links) {
        WriteFileBytes(work.File("elsewhere"), whole);
        fs::create_symlink(work.File("elsewhere"), folder + "/5-link.recovery");
        PlantCopy("6-linked-lock", good);
        fs::create_symlink(work.File("lock"), folder + "/6-linked-lock.lock");
    }
    PlantCopy("3-new", {"", game, "Jill of the Jungle", "03 Jan 2000 09:00:00", {}, original});
    PlantCopy("4-live", {level, game, "Jill of the Jungle", "t", {}, original});
    auto liveLock = TryLockFile(folder + "/4-live.lock", true);
    ASSERT_TRUE(liveLock);
    // This copy's run knew the level file otherwise than it is now: another
    // program changed it after that run last saved.
    TFileIdentity stale = FileIdentity(level);
    stale.size += 1;
    PlantCopy("z-later", {level, game, "Jill of the Jungle", "04 Jan 2000 10:00:00", stale, original});

    host.ExpectNotify();       // the copy cut short, set aside
    host.ExpectNotify();       // the game is gone: said so, and kept
    host.ExpectNotify();       // the level cut short: set aside
    host.ExpectConfirm(0);     // the new level: not restored, deleted
    host.ExpectConfirm(1);     // the crashed run's: restored
    // The editor shows the restored level, changed, with its own path; a
    // save asks nothing, as nobody changed the file since the crash.
    host.WaitUntil([&] { return viewer.level != nullptr; });
    Step([&] {
        EXPECT_EQ(viewer.levelfile, level);
        EXPECT_EQ(viewer.levelchanged, 1);
        EXPECT_EQ(viewer.boundGame->Name, "Jill of the Jungle");
        EXPECT_EQ(Cell(*viewer.level, 10, 10), 45);
        EXPECT_EQ(Files().count(crashedCopy), 1u);
    });
    CtrlS();
    host.WaitUntil([&] { return viewer.levelchanged == 0; });
    Step([&] { host.PressKey(VK_ESCAPE); });
    ClickMenuEntry(kQuit);
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);

    const auto& shown = host.Requesters();
    const std::string shownFolder = fs::current_path().string() + "/recovery";
    ASSERT_EQ(shown.size(), 6u);   // the crashed run's requester first
    EXPECT_EQ(shown[1].text, "Tarn did not end properly last time, but the copy it kept of the unsaved changes cannot "
                             "be read (it ends within the field \"level\").\n\nIt was moved to\n\n" + shownFolder +
                                 "/1-cut.recovery.2.damaged");
    EXPECT_EQ(shown[2].text, "The changes to " + work.File("gone/lost.jn1") +
                                 " cannot be restored now: the files of the game \"Jill of the Jungle\" are no longer "
                                 "in the folder\n\n" + work.File("gone") +
                                 "/\n\nThe copy of the changes is kept in\n\n" + shownFolder + "/2-gone.recovery\n\nPut the game's files back and start Tarn again "
                                 "to restore them, or delete the copy to give them up.");
    EXPECT_EQ(shown[3].text, "Tarn did not end properly last time, but the copy it kept of the unsaved changes cannot "
                             "be read (the level in it is damaged: the file ends after 21,299 bytes, inside the texts (the text "
                             "of object 80)).\n\nIt was moved to\n\n" + shownFolder +
                                 "/2-torn.recovery.damaged");
    EXPECT_EQ(shown[4].text, "Tarn did not end properly last time.\n\nThe level\n\na new level\n\nhad changes from "
                             "03 Jan 2000 09:00:00 that were not saved.\n\nRestore them? Cancel deletes them.");
    EXPECT_NE(shown[5].text.find("had changes from 01 Jan 2000 12:00:00"), std::string::npos);
    EXPECT_EQ(Cell(*ReadLevel(level), 10, 10), 45);
    EXPECT_EQ(ReadFileText(folder + "/1-cut.recovery.damaged"), "set aside before");
    std::set<std::string> left{"1-cut.recovery.2.damaged", "1-cut.recovery.damaged", "2-gone.recovery",
                               "2-torn.recovery.damaged", "4-live.lock", "4-live.recovery", "z-later.recovery"};
    if (links) {
        left.insert({"5-link.recovery", "6-linked-lock.lock", "6-linked-lock.recovery"});
        EXPECT_TRUE(log.HasLine("Recovery :: \"recovery/5-link.recovery\" is a symbolic link: skipped"));
        EXPECT_TRUE(log.HasLine("Recovery :: \"recovery/6-linked-lock.lock\" is a symbolic link: skipped"));
        EXPECT_FALSE(fs::exists(work.File("lock")));
    }
    EXPECT_EQ(Files(), left);

    // The next start, with another level named on the command line, offers
    // what is left but the live run's copy. Leaving the restored level for
    // the other asks first; Cancel keeps the restored level and its copy.
    // Its save asks too, as its file changed after its run knew it.
    TJillLevelViewer next;
    host.ExpectNotify();     // the game still gone: kept
    host.ExpectConfirm(1);   // z-later restored
    host.WaitUntil([&] { return next.level != nullptr; });
    Step([&] { host.PressKey(VK_ESCAPE); });
    host.ExpectProceed(-1);
    host.WaitUntil([&] { return shown.size() == 9; });
    Step([&] {
        EXPECT_EQ(next.levelfile, level);
        EXPECT_EQ(next.levelchanged, 1);
        EXPECT_EQ(Files().count("z-later.recovery"), 1u);
        host.PressKey(VK_ESCAPE);
    });
    CtrlS();
    host.ExpectConfirm(1);
    host.WaitUntil([&] { return next.levelchanged == 0; });
    Step([&] { host.PressKey(VK_ESCAPE); });
    ClickMenuEntry(kQuit);
    EXPECT_EQ(host.Run([&] { next.MainMenu(game + "tiles.jn2"); }, 5000).end, TRunEnd::Exited);
    ASSERT_EQ(shown.size(), 10u);
    EXPECT_EQ(shown[8].text, "The current level has not been saved.\n\nSave the level before proceeding?");
    EXPECT_EQ(shown[9].text, "The file\n\n" + level +
                                 "\n\nwas changed by another program since Tarn opened it.\n\nOverwrite it with the "
                                 "level as it is in Tarn?");
    EXPECT_EQ(ReadFileBytes(level), original);
    left.erase("z-later.recovery");
    EXPECT_EQ(Files(), left);
}

TEST_F(Recovery, AFileChangedByAnotherProgramIsNotOverwrittenUnasked) {
    // Through a link where links can be made: the file behind it is the one watched.
    const bool viaLink = SymbolicLinksCanBeMade(game);
    const std::string linked = viaLink ? game + "linked.jn1" : level;
    if (viaLink) fs::create_symlink("showcase.jn1", linked);
    host.ExpectRequestFile(linked);
    ClickMenuEntry(kLoadLevel);
    host.WaitUntil([&] { return viewer.levelfile == linked; });
    PickBrush();
    Paint(10, 10);
    // Another program appends to the file behind the link: No saves nothing,
    // and the level stays changed.
    std::vector<uint8_t> theirs;
    Step([&] {
        theirs = ReadFileBytes(level);
        theirs.push_back(7);
        WriteFileBytes(level, theirs);
    });
    host.ExpectConfirm(0);
    CtrlS();
    host.WaitUntil([&] { return host.Requesters().size() == 2; });
    Step([&] {
        EXPECT_EQ(ReadFileBytes(level), theirs);
        EXPECT_EQ(viewer.levelchanged, 1);
    });
    // Asked again at the next save; Yes writes it.
    host.ExpectConfirm(1);
    CtrlS();
    host.WaitUntil([&] { return viewer.levelchanged == 0; });
    // Saved by this run alone since, or removed by another program: written
    // without a question.
    Paint(11, 10);
    CtrlS();
    host.WaitUntil([&] { return viewer.levelchanged == 0; });
    Step([&] { fs::remove(level); });
    Paint(12, 10);
    CtrlS();
    host.WaitUntil([&] { return viewer.levelchanged == 0; });
    Step([&] { host.PressKey(VK_ESCAPE); });
    ClickMenuEntry(kQuit);
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);

    ASSERT_EQ(host.Requesters().size(), 3u);
    EXPECT_EQ(host.Requesters()[1].text, "The file\n\n" + linked +
                                             "\n\nwas changed by another program since Tarn opened it.\n\n"
                                             "Overwrite it with the level as it is in Tarn?");
    EXPECT_EQ(fs::is_symlink(linked), viaLink);
    TLevelPtr saved = ReadLevel(level);
    ASSERT_TRUE(saved);
    EXPECT_EQ(Cell(*saved, 10, 10), 45);
    EXPECT_EQ(Cell(*saved, 12, 10), 45);
}

TEST_F(Recovery, NoCopyGoesThroughALinkOrIntoAFolderOthersCanChange) {
    if (!SymbolicLinksCanBeMade(game) || !FilesHavePermissionBits())
        GTEST_SKIP() << "needs symbolic links and permission bits";
    // Another user's links where this run's first copy and second lock
    // would go, in a folder anyone may write to.
    ASSERT_TRUE(MakeFolder(folder));
    const std::string mine = "tarn-" + std::to_string(ProcessId()) + "-";
    fs::create_symlink(work.File("target1"), folder + "/" + mine + "1.recovery");
    fs::create_symlink(work.File("target2"), folder + "/" + mine + "2.lock");
    fs::permissions(folder, fs::perms::all);
    LoadFromMenu("showcase.jn1");
    PickBrush();
    // No copy then, and the user is told once the button is up.
    host.ExpectNotify();
    Paint(10, 10);
    host.WaitUntil([&] { return host.Requesters().size() == 2; });
    Step([&] {
        EXPECT_EQ(host.Requesters()[1].text, "Unsaved changes cannot be protected: the folder " +
                                                 fs::current_path().string() +
                                                 "/recovery is not safe (other users can write to it)");
        EXPECT_EQ(Files().size(), 2u);
        fs::permissions(folder, fs::perms::owner_all);
    });
    // The folder closed again: the copy takes the first name without links.
    Paint(11, 10);
    host.WaitUntil([&] { return fs::exists(folder + "/" + mine + "3.recovery"); });
    // A link put in the copy's place is not written through either.
    Step([&] {
        fs::remove(folder + "/" + mine + "3.recovery");
        fs::create_symlink(work.File("target3"), folder + "/" + mine + "3.recovery");
    });
    Paint(12, 10);
    host.WaitUntil([&] { return fs::exists(folder + "/" + mine + "4.recovery"); });
    Step([&] { host.PressKey(VK_ESCAPE); });
    host.ExpectProceed(0);
    ClickMenuEntry(kQuit);
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);

    for (const char* target : {"target1", "target2", "target3"}) EXPECT_FALSE(fs::exists(work.File(target)));
    EXPECT_EQ(host.Requesters().size(), 3u);
    EXPECT_EQ(Files(), (std::set<std::string>{mine + "1.recovery", mine + "2.lock", mine + "3.recovery"}));
    EXPECT_TRUE(log.HasLine("Recovery :: \"recovery/" + mine + "1.recovery\" is a symbolic link: skipped"));
    EXPECT_TRUE(log.HasLine("Recovery :: \"recovery/" + mine + "2.lock\" is a symbolic link: skipped"));
    EXPECT_TRUE(
        log.HasLine("Recovery :: \"recovery/" + mine + "3.recovery\" is not written: a symbolic link is in its place"));
}

TEST_F(Recovery, ASettingsFolderThatCannotBeWrittenIsToldOnceAndNotInTheMiddleOfAStroke) {
    TUnwritableFolder settings;
    if (!settings.Close()) GTEST_SKIP() << "no folder can be closed to writing here";
    const fs::path before = fs::current_path();
    fs::current_path(settings.File("."));
    const std::string notice = "Unsaved changes cannot be protected: the folder " + fs::current_path().string() +
                               " is not writable " + settings.Reason();
    LoadFromMenu("showcase.jn1");
    PickBrush();
    // The first copy fails a second into a stroke; the notice waits for the
    // button, and the stroke goes on.
    Step([&] {
        host.MoveMouse(CellX(10), CellY(10));
        host.ButtonDown(1);
    });
    host.WaitMs(3000);
    Step([&] {
        EXPECT_EQ(host.Requesters().size(), 1u);
        EXPECT_TRUE(log.HasLine("Recovery :: " + notice));
        host.MoveMouse(CellX(20), CellY(10));
    });
    host.ExpectNotify();
    Step([&] { host.ButtonUp(1); });
    // Once a run: later changes tell nothing more, in the log either.
    Paint(30, 10);
    host.WaitMs(3000);
    EXPECT_EQ(RunMenu().end, TRunEnd::ScriptDone);
    fs::current_path(before);

    ASSERT_EQ(host.Requesters().size(), 2u);
    EXPECT_EQ(host.Requesters()[1].text, notice);
    EXPECT_EQ(Cell(*viewer.level, 20, 10), 45);
    EXPECT_EQ(Cell(*viewer.level, 30, 10), 45);
    const std::vector<std::string> lines = log.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Recovery :: " + notice), 1);
}

}  // namespace
