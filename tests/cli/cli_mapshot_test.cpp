// tarn-cli sample-game, games and mapshot, end to end on the sample game.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <sstream>

#include "cli_run.h"
#include "edit/jill_level_viewer.h"
#include "image/png_load.h"
#include "level/level.h"
#include "level/level_file.h"
#include "sample_game/sample_game.h"
#include "support/files.h"
#include "support/small_disk.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class CliMapshot : public ::testing::Test {
protected:
    TTempDir temp;
    std::string game;

    void SetUp() override {
        game = temp.File("game");
        ASSERT_EQ(RunCommand({"sample-game", game}).status, 0);
    }

    // A folder holding some of the sample game's files.
    std::string FolderWith(const std::string& name, const std::vector<std::string>& files) {
        const std::string dir = temp.File(name);
        fs::create_directories(dir);
        for (const std::string& f : files) fs::copy_file(game + "/" + f, dir + "/" + f);
        return dir;
    }

    // The mapshot as the editor makes it for a level bound to one game.
    TBitmapPtr Expected(const std::string& levelPath, const std::string& dir, int gameIndex) {
        TJillLevelViewer viewer;
        viewer.level = ReadLevel(levelPath);
        viewer.InitGame(dir + "/", viewer.GameInfos[size_t(gameIndex)]);
        viewer.GenerateImages();
        return viewer.LevelToBitmap();
    }
};

void ExpectSamePixels(const TBitmapPtr& a, const TBitmapPtr& b) {
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(a->fWidth, b->fWidth);
    ASSERT_EQ(a->fHeight, b->fHeight);
    EXPECT_TRUE(a->fPixels == b->fPixels);
}

TEST_F(CliMapshot, SampleGameIsFoundAsFourGames) {
    const TRun games = RunCommand({"games", game});
    EXPECT_EQ(games.status, 0);
    EXPECT_EQ(games.out,
              "Jill of the Jungle\nJill Goes Underground\nJill Saves the Prince\n"
              "Onesimus - A Quest For Freedom\n");
}

TEST_F(CliMapshot, GamesListsOnlyCompleteGames) {
    const std::string dir = FolderWith("some", {"jill2.sha", "jill.dma", "onesimus.sha"});
    const TRun games = RunCommand({"games", dir});
    EXPECT_EQ(games.status, 0);
    EXPECT_EQ(games.out, "Jill Goes Underground\n");
    const TRun none = RunCommand({"games", temp.File("missing")});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "");
}

TEST_F(CliMapshot, WritesThePictureWithoutTransparency) {
    const std::string out = temp.File("shot.png");
    const TRun run = RunCommand({"mapshot", game + "/" + kSampleShowcaseLevel, out});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(out, bytes));
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.find("tRNS"), std::string::npos);
    ExpectSamePixels(LoadPng(out), Expected(game + "/" + kSampleShowcaseLevel, game, 0));
}

TEST_F(CliMapshot, BindsTheGameNamedInTheFileName) {
    // Upper case names are lower-cased before the test; the Jill episodes
    // share one tile info file but differ in their shapes.
    const std::string dir = FolderWith("all", {"jill1.sha", "jill2.sha", "jill3.sha", "onesimus.sha", "jill.dma",
                                              "onesimus.dma"});
    fs::copy_file(game + "/" + kSampleShowcaseLevel, dir + "/LEVEL.JN3");
    ASSERT_EQ(RunCommand({"--log", temp.File("a.log"), "mapshot", dir + "/LEVEL.JN3", temp.File("a.png")}).status, 0);
    ExpectSamePixels(LoadPng(temp.File("a.png")), Expected(dir + "/LEVEL.JN3", dir, 2));
    std::vector<uint8_t> log;
    ASSERT_TRUE(ReadWholeFile(temp.File("a.log"), log));
    EXPECT_NE(std::string(log.begin(), log.end()).find("Using \"Jill Saves the Prince\""), std::string::npos);

    // No extension matches: the first game found.
    const std::string only = FolderWith("one", {"onesimus.sha", "onesimus.dma"});
    fs::copy_file(game + "/" + kSampleShowcaseLevel, only + "/level.lvl");
    ASSERT_EQ(RunCommand({"--log", temp.File("b.log"), "mapshot", only + "/level.lvl", temp.File("b.png")}).status, 0);
    ASSERT_TRUE(ReadWholeFile(temp.File("b.log"), log));
    const std::string text(log.begin(), log.end());
    EXPECT_NE(text.find("No matching game detected!"), std::string::npos);
    EXPECT_NE(text.find("Using first detected game (Onesimus - A Quest For Freedom)"), std::string::npos);
    ExpectSamePixels(LoadPng(temp.File("b.png")), Expected(only + "/level.lvl", only, 3));
}

std::string Upper(std::string name) {
    for (char& c : name) c = char(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

// "Jill1.Sha": a capital at the start of the name and of the extension.
std::string Mixed(std::string name) {
    name[0] = char(std::toupper(static_cast<unsigned char>(name[0])));
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot + 1 < name.size())
        name[dot + 1] = char(std::toupper(static_cast<unsigned char>(name[dot + 1])));
    return name;
}

std::string LogText(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadWholeFile(path, bytes)) << path;
    return std::string(bytes.begin(), bytes.end());
}

TEST_F(CliMapshot, GameFoldersCopiedFromDosWorkInUpperAndMixedCase) {
    const std::string allFour =
        "Jill of the Jungle\nJill Goes Underground\nJill Saves the Prince\nOnesimus - A Quest For Freedom\n";
    for (auto rename : {Upper, Mixed}) {
        // The whole sample game, every file renamed: "JILL1.SHA", "SHOWCASE.JN1"...
        const std::string dir = temp.File(rename("dos"));
        fs::create_directories(dir);
        for (const auto& entry : fs::directory_iterator(game))
            fs::copy_file(entry.path(), dir + "/" + rename(entry.path().filename().string()));
        const TRun games = RunCommand({"games", dir});
        EXPECT_EQ(games.status, 0);
        EXPECT_EQ(games.out, allFour) << dir;

        // Each level binds its own game, read from the files as they are named.
        const std::vector<std::pair<std::string, int>> levels{
            {kSampleShowcaseLevel, 0}, {"tiles.jn2", 1}, {"castle.jn3", 2}, {"desert.one", 3}};
        for (const auto& [name, gameIndex] : levels) {
            const std::string level = dir + "/" + rename(name);
            const std::string png = temp.File(rename(name) + ".png");
            const TRun run = RunCommand({"mapshot", level, png});
            ASSERT_EQ(run.status, 0) << level << ": " << run.err;
            ExpectSamePixels(LoadPng(png), Expected(game + "/" + name, game, gameIndex));
        }
    }
}

TEST_F(CliMapshot, OfNamesDifferingOnlyInCaseTheExactOneElseTheFirstInNameOrderIsUsed) {
    const std::string level = game + "/" + kSampleShowcaseLevel;
    const TBitmapPtr jill1 = Expected(level, game, 0), jill3 = Expected(level, game, 2);
    ASSERT_NE(jill1->fPixels, jill3->fPixels) << "the test needs episodes that look different";

    // Jill 1's folder with a second shape file, named like the first in
    // another case, that holds Jill 3's shapes.
    const std::string dir = FolderWith("twice", {"jill.dma"});
    fs::copy_file(game + "/jill1.sha", dir + "/JILL1.SHA");
    fs::copy_file(game + "/jill3.sha", dir + "/jill1.sha");
    fs::copy_file(level, dir + "/LEVEL.JN1");
    ASSERT_EQ(RunCommand({"--log", temp.File("exact.log"), "mapshot", dir + "/LEVEL.JN1", temp.File("exact.png")}).status, 0);
    ExpectSamePixels(LoadPng(temp.File("exact.png")), jill3);
    EXPECT_NE(LogText(temp.File("exact.log")).find("  \"JILL1.SHA\" and \"jill1.sha\" differ only in case: using \"jill1.sha\"\r\n"),
              std::string::npos);

    // Without the exact name: "JILL1.SHA" sorts before "Jill1.sha".
    fs::rename(dir + "/jill1.sha", dir + "/Jill1.sha");
    ASSERT_EQ(RunCommand({"--log", temp.File("first.log"), "mapshot", dir + "/LEVEL.JN1", temp.File("first.png")}).status, 0);
    ExpectSamePixels(LoadPng(temp.File("first.png")), jill1);
    EXPECT_NE(LogText(temp.File("first.log")).find("  \"JILL1.SHA\" and \"Jill1.sha\" differ only in case: using \"JILL1.SHA\"\r\n"),
              std::string::npos);
}

TEST_F(CliMapshot, FailsClearlyWithoutLevelOrGameData) {
    const std::string bare = FolderWith("bare", {kSampleShowcaseLevel});
    TRun run = RunCommand({"mapshot", bare + "/" + kSampleShowcaseLevel, temp.File("c.png")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no game data"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(temp.File("c.png")));

    run = RunCommand({"mapshot", temp.File("nothing.jn1"), temp.File("c.png")});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(run.err.empty());

    run = RunCommand({"mapshot", game + "/" + kSampleShowcaseLevel, temp.File("no/such/folder/c.png")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
}

TEST_F(CliMapshot, APictureBehindALinkIsWrittenWhereTheLinkPoints) {
    fs::create_directory(temp.File("pictures"));
    fs::create_symlink("pictures/level.png", temp.File("shot.png"));
    const std::string level = game + "/" + kSampleShowcaseLevel;
    ASSERT_EQ(RunCommand({"mapshot", level, temp.File("shot.png")}).status, 0);
    EXPECT_EQ(fs::read_symlink(temp.File("shot.png")), "pictures/level.png");
    ExpectSamePixels(LoadPng(temp.File("pictures/level.png")), Expected(level, game, 0));
}

TEST_F(CliMapshot, AFullDiskIsNamedAndTheOldFilesStay) {
    TSmallDisk disk;
    if (!disk.Mounted()) GTEST_SKIP() << "mounting a small disk needs root";
    WriteFileText(disk.File("level.jn1"), "the old level");
    WriteFileText(disk.File("shot.png"), "the old picture");
    disk.Fill();
    const std::string level = game + "/" + kSampleShowcaseLevel;
    TRun run = RunCommand({"roundtrip", level, disk.File("level.jn1")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tarn-cli: cannot write the level to the file " + disk.File("level.jn1") +
                           " (No space left on device)\n");
    run = RunCommand({"mapshot", level, disk.File("shot.png")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tarn-cli: cannot write the mapshot to the file " + disk.File("shot.png") +
                           " (No space left on device)\n");
    EXPECT_EQ(ReadFileText(disk.File("level.jn1")), "the old level");
    EXPECT_EQ(ReadFileText(disk.File("shot.png")), "the old picture");
}

TEST_F(CliMapshot, SampleGameReportsAnUnwritableFolder) {
    std::vector<uint8_t> one = {1};
    auto file = OpenWriteStream(temp.File("file"));
    file->WriteRaw(one.data(), 1);
    file->Close();
    const TRun run = RunCommand({"sample-game", temp.File("file/sub")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot"), std::string::npos);
    EXPECT_EQ(RunCommand({"sample-game"}).status, 2);
    EXPECT_EQ(RunCommand({"mapshot", "x"}).status, 2);
    EXPECT_EQ(RunCommand({"games"}).status, 2);
}

}  // namespace
