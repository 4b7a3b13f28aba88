#include <algorithm>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "gamedata/game_info.h"
#include "support/log_capture.h"
#include "support/system_traits.h"

namespace {

void Touch(const std::string& path) { std::ofstream(path, std::ios::binary) << "x"; }

std::vector<std::string> Names(const std::vector<TGameInfoPtr>& games) {
    std::vector<std::string> names;
    for (const TGameInfoPtr& game : games) names.push_back(game->Name);
    return names;
}

TEST(FindGames, FindsTheGamesWhoseTwoFilesArePresent) {
    TLogCapture log;
    TTempDir dir;
    for (const char* name : {"jill1.sha", "jill3.sha", "jill.dma", "onesimus.sha"}) Touch(dir.File(name));
    std::vector<TGameInfoPtr> table = MakeGameInfos();
    std::vector<TGameInfoPtr> games = FindGames(dir.Path(), table);

    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0], table[0]);
    EXPECT_EQ(games[1], table[2]);
    EXPECT_TRUE(log.HasLine("Searching for supported games in \"" + dir.Path() + "/\" ..."));
    EXPECT_TRUE(log.HasLine(" Testing \"Jill of the Jungle\" ... SUCCESS!"));
    EXPECT_TRUE(log.HasLine(" Testing \"Jill Goes Underground\" ... not found."));
    EXPECT_TRUE(log.HasLine(" Testing \"Jill Saves the Prince\" ... SUCCESS!"));
    EXPECT_TRUE(log.HasLine(" Testing \"Onesimus - A Quest For Freedom\" ... not found."));
}

TEST(FindGames, ListsEveryGameInTableOrder) {
    TLogCapture log;
    TTempDir dir;
    for (const char* name : {"onesimus.sha", "onesimus.dma", "jill3.sha", "jill2.sha", "jill1.sha", "jill.dma"})
        Touch(dir.File(name));
    EXPECT_EQ(Names(FindGames(dir.Path(), MakeGameInfos())),
              (std::vector<std::string>{"Jill of the Jungle", "Jill Goes Underground", "Jill Saves the Prince",
                                        "Onesimus - A Quest For Freedom"}));
}

TEST(FindGames, DoesNotDoubleATrailingSeparator) {
    TLogCapture log;
    TTempDir dir;
    for (const char* name : {"onesimus.sha", "onesimus.dma"}) Touch(dir.File(name));
    EXPECT_EQ(Names(FindGames(dir.Path() + "/", MakeGameInfos())),
              (std::vector<std::string>{"Onesimus - A Quest For Freedom"}));
    EXPECT_TRUE(log.HasLine("Searching for supported games in \"" + dir.Path() + "/\" ..."));
    // A backslash ends a folder as well.
    EXPECT_EQ(FindGames(dir.Path() + "\\", MakeGameInfos()).size(), 1u);
    EXPECT_TRUE(log.HasLine("Searching for supported games in \"" + dir.Path() + "\\\" ..."));
}

TEST(FindGames, ADataFileAloneOrADirectoryDoesNotCount) {
    TLogCapture log;
    TTempDir dir;
    Touch(dir.File("jill1.sha"));
    Touch(dir.File("jill2.sha"));
    std::filesystem::create_directory(dir.File("jill.dma"));
    Touch(dir.File("onesimus.dma"));
    EXPECT_TRUE(FindGames(dir.Path(), MakeGameInfos()).empty());
    EXPECT_TRUE(FindGames(dir.File("nowhere"), MakeGameInfos()).empty());
}

TEST(FindGames, DataFilesCopiedFromDosAreFoundInAnyCase) {
    TLogCapture log;
    TTempDir dir;
    for (const char* name : {"JILL1.SHA", "Jill3.Sha", "JILL.DMA", "onesimus.SHA", "OneSimus.dma"}) Touch(dir.File(name));
    EXPECT_EQ(Names(FindGames(dir.Path(), MakeGameInfos())),
              (std::vector<std::string>{"Jill of the Jungle", "Jill Saves the Prince", "Onesimus - A Quest For Freedom"}));
    EXPECT_EQ(GameFilePath(dir.Path(), "jill3.sha"), dir.File("Jill3.Sha"));
    EXPECT_EQ(GameFilePath(dir.Path() + "/", "onesimus.dma"), dir.File("OneSimus.dma"));
    // A missing file keeps the table's name, for the loader to report.
    EXPECT_EQ(GameFilePath(dir.Path(), "jill2.sha"), dir.File("jill2.sha"));
    EXPECT_EQ(log.Text().find("differ only in case"), std::string::npos);
}

TEST(FindGames, NamesDifferingOnlyInCaseAreChosenAndLoggedOnce) {
    TLogCapture log;
    TTempDir dir;
    if (!NamesDifferingInCaseAreDistinct(dir.Path()))
        GTEST_SKIP() << "this file system holds no two names that differ only in case";
    // The exact name wins; without it, the first in name order.
    for (const char* name : {"JILL1.SHA", "jill1.sha", "JILL.DMA", "Jill.dma", "jill.DMA"}) Touch(dir.File(name));
    EXPECT_EQ(Names(FindGames(dir.Path(), MakeGameInfos())), (std::vector<std::string>{"Jill of the Jungle"}));
    EXPECT_EQ(GameFilePath(dir.Path(), "jill1.sha"), dir.File("jill1.sha"));
    EXPECT_EQ(GameFilePath(dir.Path(), "jill.dma"), dir.File("JILL.DMA"));
    EXPECT_TRUE(log.HasLine(" Testing \"Jill of the Jungle\" ... SUCCESS!"));
    EXPECT_TRUE(log.HasLine("  \"JILL1.SHA\" and \"jill1.sha\" differ only in case: using \"jill1.sha\""));
    // The three Jill episodes share the tile info file: one line for it.
    const std::vector<std::string> lines = log.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         "  \"JILL.DMA\", \"Jill.dma\" and \"jill.DMA\" differ only in case: using \"JILL.DMA\""),
              1);
}

}  // namespace
