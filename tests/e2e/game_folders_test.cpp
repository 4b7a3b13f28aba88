// Game folders as modders have them: copied from DOS with every name in
// capitals, and buried deep in folders, chosen through the requesters.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "e2e/editor_session.h"
#include "e2e/screen_colours.h"
#include "sample_game/sample_game.h"
#include "screen/input.h"
#include "support/files.h"

namespace {

namespace fs = std::filesystem;

constexpr int kStatusY = 704;   // the map and the panels lie above the status bar

std::string Upper(std::string name) {
    for (char& c : name) c = char(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

// Whether two frames show the same above the status bar.
bool SameScreen(const TPixmap& a, const TPixmap& b) {
    for (int y = 0; y < kStatusY; ++y)
        for (int x = 0; x < a.width; ++x)
            if (ReadPixel(a, x, y) != ReadPixel(b, x, y)) return false;
    return true;
}

class GameFolders : public TEditorSession {
protected:
    void Press(int key) {
        host.Then([this, key] { host.PressKey(key); });
        host.WaitFrames(1);
    }
    // Loads a level through the requester and waits for the editing screen,
    // with the pointer off the map so no brush preview covers it.
    void Load(const std::string& path) {
        host.ExpectRequestFile(path);
        ClickMenuEntry(kLoadLevel);
        host.WaitUntil([this, path] { return viewer.levelfile == path; });
        host.Then([this] { host.MoveMouse(100, 600); });
        host.WaitFrames(2);
    }
};

TEST_F(GameFolders, ALevelFromAFolderInCapitalsBindsItsGameAndShowsItsTiles) {
    // The sample game as DOS hands it over: JILL1.SHA, JILL.DMA, ..., and a
    // level called 1.JN1.
    const std::string dos = work.File("JILL") + "/";
    fs::create_directory(dos);
    for (const auto& entry : fs::directory_iterator(game))
        fs::copy_file(entry.path(), dos + Upper(entry.path().filename().string()));
    fs::copy_file(game + kSampleShowcaseLevel, dos + "1.JN1");

    TPixmapPtr fromDos;
    Load(dos + "1.JN1");
    host.Then([&] {
        ASSERT_TRUE(viewer.boundGame);
        EXPECT_EQ(viewer.boundGame->Name, "Jill of the Jungle");
        EXPECT_EQ(viewer.dir, dos);
        fromDos = host.Capture();
    });
    // The chooser of a new level offers every game of that folder.
    Press(VK_ESCAPE);
    ClickMenuEntry(kNewLevel);
    host.WaitFrames(2);
    Press(VK_DOWN);
    Press(VK_DOWN);
    Press(VK_RETURN);
    host.WaitUntil([&] { return viewer.boundGame && viewer.boundGame->Name == "Jill Saves the Prince"; });
    host.WaitFrames(2);
    Press(VK_ESCAPE);
    // The same level from the sample game's own folder, in lower case.
    TPixmapPtr fromSample;
    Load(game + kSampleShowcaseLevel);
    host.Then([&] { fromSample = host.Capture(); });
    Press(VK_ESCAPE);
    ClickMenuEntry(kQuit);
    ASSERT_EQ(RunMenu().end, TRunEnd::Exited);

    ASSERT_TRUE(fromDos && fromSample);
    EXPECT_TRUE(SameScreen(*fromDos, *fromSample)) << "the folder in capitals shows the level otherwise";
    EXPECT_GT(InkIn(*fromDos, 320, 0, 960, kStatusY).size(), 20u) << "the map shows the game's tiles";
    EXPECT_GT(InkIn(*fromDos, 0, 0, 320, kStatusY).size(), 10u) << "the tileset shows the game's tiles";
    const std::vector<std::string> search = log.Section("Searching for supported games in \"" + dos + "\" ...", 5);
    ASSERT_EQ(search.size(), 6u);
    EXPECT_EQ(search[2], " Testing \"Jill of the Jungle\" ... SUCCESS!");
    EXPECT_EQ(search[5], " Testing \"Onesimus - A Quest For Freedom\" ... SUCCESS!");
    EXPECT_TRUE(log.HasLine("Using \"Jill of the Jungle\""));
    EXPECT_TRUE(log.HasLine(" url = " + dos + "JILL1.SHA"));
}

TEST_F(GameFolders, PathsOfThreeHundredCharactersLoadSaveAndExport) {
    // The sample game in folders nested until its levels' paths pass 300 characters.
    std::string deep = work.File("levels");
    for (int i = 0; deep.size() < 290; ++i) deep += "/folder " + std::to_string(i) + " of the modding setup";
    std::string error;
    ASSERT_TRUE(WriteSampleGame(deep, error)) << error;
    const std::string level = deep + "/" + kSampleShowcaseLevel;
    const std::string copy = deep + "/copy of the showcase.jn1";
    const std::string shot = deep + "/mapshot of the showcase.png";
    ASSERT_GE(level.size(), 300u);

    Load(level);
    host.Then([&] { EXPECT_EQ(viewer.boundGame->Name, "Jill of the Jungle"); });
    Press(VK_ESCAPE);
    host.ExpectRequestFile(deep + "/copy of the showcase");
    ClickMenuEntry(kSaveLevelAs);
    host.WaitUntil([&] { return viewer.levelfile == copy; });
    host.Then([&] {
        EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(level));
        fs::remove(copy);
        viewer.levelchanged = 1;
    });
    ClickMenuEntry(kSaveLevel);
    host.WaitUntil([&] { return fs::exists(copy); });
    host.ExpectRequestFile(shot);
    ClickMenuEntry(kExportMapshot);
    host.WaitUntil([&] { return fs::exists(shot); });
    // A name longer than the system allows cannot be written, and the user
    // is told so about that very path.
    const std::string tooLong = deep + "/" + std::string(256, 'n') + ".jn1";
    host.ExpectRequestFile(tooLong);
    host.ExpectNotify();
    ClickMenuEntry(kSaveLevelAs);
    host.WaitUntil([&] { return host.Requesters().size() == 5; });
    ClickMenuEntry(kQuit);
    ASSERT_EQ(RunMenu().end, TRunEnd::Exited);

    EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(level));
    EXPECT_EQ(viewer.levelfile, copy);
    EXPECT_GT(ReadFileBytes(shot).size(), 8u);
    const auto& shown = host.Requesters();
    ASSERT_EQ(shown.size(), 5u);   // Save Level itself asks for no file
    EXPECT_EQ(shown[4].kind, "Notify");
    EXPECT_NE(shown[4].text.find(tooLong), std::string::npos) << shown[4].text;
}

}  // namespace
