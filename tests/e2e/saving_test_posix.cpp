// Saving as only POSIX systems show it: what reaches the disk when, other
// names of the level's file, and a pipe where a level should go.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "e2e/editor_session.h"
#include "level/level.h"
#include "system/host_file.h"

namespace fs = std::filesystem;

TEST_F(TEditorSession, ALevelReachesTheDiskItsOtherNamesAreToldOfOnceAndPipesAreRefused) {
    using enum TReplaceStep;
    const std::string level = game + "showcase.jn1", pipe = game + "pipe.jn1";
    fs::create_hard_link(level, game + "other.jn1");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    std::vector<TReplaceStep> steps, copySteps;
    WatchReplaceSteps([&](TReplaceStep step) { steps.push_back(step); });
    auto change = [&] { host.Then([&] { viewer.level->bd[0] ^= 1; viewer.levelchanged = 1; }); };
    LoadFromMenu("showcase.jn1");
    host.Then([&] { steps.clear(); });
    change();
    // The recovery copy is handed to the system and not waited for; the
    // level is synced before its rename and its folder after.
    host.WaitUntil([&] { return !steps.empty(); });
    host.Then([&] {
        copySteps = steps;
        steps.clear();
        host.PressKey(VK_ESCAPE);
    });
    host.ExpectNotify();
    ClickMenuEntry(kSaveLevel);
    host.WaitUntil([&] { return viewer.levelchanged == 0; });
    host.Then([&] { EXPECT_EQ(steps, (std::vector{SyncFile, Rename, SyncFolder})); });
    // A name given to the saved file meanwhile is not told of again.
    host.Then([&] { fs::create_hard_link(level, game + "again.jn1"); });
    change();
    ClickMenuEntry(kSaveLevel);
    host.WaitUntil([&] { return viewer.levelchanged == 0; });
    host.ExpectRequestFile(pipe);
    host.ExpectNotify();
    ClickMenuEntry(kSaveLevelAs);
    host.WaitUntil([&] { return host.Requesters().size() == 4; });
    ClickMenuEntry(kQuit);
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
    WatchReplaceSteps({});

    EXPECT_EQ(copySteps, std::vector{Rename});
    ASSERT_EQ(host.Requesters().size(), 4u);
    EXPECT_EQ(host.Requesters()[1].text, "The level was saved to\n\n" + level +
                                             "\n\nThat file had other names (hard links). They still hold the level "
                                             "as it was before; copy the level to them if they should have the "
                                             "changes too.");
    EXPECT_EQ(host.Requesters()[3].text, "ERROR: Cannot write level to the file\n\n" + pipe + "\n\n(is not a regular file)");
    EXPECT_TRUE(fs::is_fifo(pipe));
}
