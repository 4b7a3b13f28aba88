// F5: the level as it is in the editor played by a stand-in DOSBox on a
// scratch copy of the game folder, with nothing of the user's files changed.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "base/ini.h"
#include "e2e/editor_session.h"
#include "edit/editor_keys.h"
#include "level/level.h"
#include "level/level_file.h"
#include "play/play_copy.h"
#include "support/environment.h"
#include "support/files.h"
#include "system/paths.h"
#include "system/process.h"
#include "system/program_file.h"

namespace {

namespace fs = std::filesystem;

class Play : public TEditorSession {
protected:
    std::optional<TEnvironmentVariable> searchPath;
    // Built beside this test program.
    const std::string standIn = DirectoryPart(ProgramFilePath()) + "/" + TARN_STAND_IN_DOSBOX;
    void Step(std::function<void()> action) { host.Then(std::move(action)); }
    void PressF5(bool shift = false) {
        if (shift) Step([this] { host.KeyDown(VK_LSHIFT); });
        Step([this] { host.PressKey(kPlayKey); });
        if (shift) Step([this] { host.KeyUp(VK_LSHIFT); });
    }
    // The scratch copies under play/ (kept/ is not one).
    std::vector<fs::path> ScratchCopies() const {
        std::vector<fs::path> copies;
        if (fs::exists(kPlayFolder))
            for (const auto& entry : fs::directory_iterator(kPlayFolder))
                if (entry.is_directory() && entry.path().filename() != "kept") copies.push_back(entry.path());
        return copies;
    }
    std::string Kept(const std::string& name) const { return ReadFileText(std::string(kKeptFolder) + "/" + name); }
};

TEST_F(Play, F5PlaysTheUnsavedLevelOnACopyAndKeepsWhatTheGameWrote) {
    const std::string level = game + "showcase.jn1";
    const std::vector<uint8_t> original = ReadFileBytes(level);
    WriteFileText(game + "play.bat", "@echo off\r\n");
    WriteFileText(game + "HOLD", "");
    std::vector<uint8_t> played;
    size_t undoSteps = 0;
    LoadFromMenu("showcase.jn1");
    Step([&] {
        viewer.ini->SetString("PLAY", "dosbox", standIn);
        viewer.MakeUndoState();
        viewer.level->bd[0] = 45;   // an unsaved change
        viewer.levelchanged = 1;
        undoSteps = viewer.undoList->size();
        played = LevelFileBytes(*viewer.level);
    });
    // No program named like the shape file: asked for once, then remembered.
    host.ExpectRequestFile(game + "play.bat");
    PressF5();
    host.WaitUntil([&] { return viewer.playProcess != nullptr; });
    Step([&] { EXPECT_EQ(ScratchCopies().size(), 1u); });
    // A second F5 while DOSBox runs starts nothing and says so.
    host.ExpectNotify();
    PressF5();
    // The requesters so far: the level, the program, the notice.
    host.WaitUntil([&] { return host.Requesters().size() == 3; });
    Step([&] {
        EXPECT_EQ(host.Requesters()[1].filter, "Programs:exe,com,bat");
        EXPECT_NE(host.Requesters()[2].text.find("still playing"), std::string::npos);
        ASSERT_EQ(ScratchCopies().size(), 1u);
        // Let the stand-in end, and wait for it in real time: it is a process of its own.
        fs::remove(ScratchCopies()[0] / "HOLD");
        while (!viewer.playProcess->HasEnded()) std::this_thread::yield();
    });
    host.WaitUntil([&] { return viewer.playProcess == nullptr; });
    Step([&] {
        EXPECT_TRUE(ScratchCopies().empty());
        const std::string report = Kept("stand-in.txt");
        EXPECT_NE(report.find("-conf\n"), std::string::npos) << report;
        EXPECT_NE(report.find(kPlayConfigFile + "\n--\n"), std::string::npos) << report;
        EXPECT_NE(report.find("play.bat "), std::string::npos) << report;
        EXPECT_EQ(ReadFileBytes(std::string(kKeptFolder) + "/showcase.jn1.seen"), played);
        // The user's level, folder and history are as they were.
        EXPECT_EQ(ReadFileBytes(level), original);
        EXPECT_FALSE(fs::exists(game + "stand-in.txt"));
        EXPECT_EQ(viewer.undoList->size(), undoSteps);
        EXPECT_EQ(viewer.levelchanged, 1);
        EXPECT_NE(log.Text().find("Play :: DOSBox ended"), std::string::npos);
        EXPECT_EQ(viewer.ini->GetString("PLAY " + game, "program", ""), "play.bat");
        fs::remove(game + "HOLD");
    });
    // Shift+F5: the level also stands in for the chosen slot, and the program is remembered.
    host.ExpectRequestFile(game + "level9.jn1");
    PressF5(true);
    // The stand-in ends at once now; it may have ended before a step sees it.
    host.WaitUntil([&] {
        if (viewer.playProcess)
            while (!viewer.playProcess->HasEnded()) std::this_thread::yield();
        return !viewer.playProcess && log.Text().find("level9.jn1.seen") != std::string::npos;
    });
    Step([&] {
        ASSERT_EQ(host.Requesters().size(), 4u);
        EXPECT_EQ(host.Requesters()[3].filter, "Jill of the Jungle Levels:jn1");
        EXPECT_EQ(host.Requesters()[3].initialPath, game);
        EXPECT_EQ(ReadFileBytes(std::string(kKeptFolder) + "/level9.jn1.seen"), played);
        EXPECT_EQ(viewer.ini->GetString("PLAY " + game, "slot", ""), "level9.jn1");
    });
    // Cancelled: the earlier choice stays, and nothing is played.
    host.ExpectRequestFile("");
    PressF5(true);
    host.WaitUntil([&] { return host.Requesters().size() == 5; });
    Step([&] {
        EXPECT_EQ(host.Requesters()[4].initialPath, game + "level9.jn1");
        EXPECT_EQ(viewer.playProcess, nullptr);
        EXPECT_EQ(viewer.ini->GetString("PLAY " + game, "slot", ""), "level9.jn1");
        // Without DOSBox: said what to do, nothing else happens.
        viewer.ini->SetString("PLAY", "dosbox", game + "no-such-dosbox");
        searchPath.emplace("PATH", game);
    });
    host.ExpectNotify();
    PressF5();
    host.WaitUntil([&] { return host.Requesters().size() == 6; });
    Step([&] {
        EXPECT_EQ(host.Requesters()[5].text,
                  "DOSBox was not found. Install it (Debian: apt install dosbox) or name it in tarn.ini, section "
                  "[PLAY], key DOSBOX.");
        EXPECT_TRUE(ScratchCopies().empty());
    });
    Step([&] { host.PressKey(VK_ESCAPE); });
    host.ExpectProceed(0);
    ClickMenuEntry(kQuit);
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
}

}  // namespace
