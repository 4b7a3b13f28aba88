#include <gtest/gtest.h>

#include "play/play_copy.h"
#include "support/files.h"
#include "support/temp_dir.h"
#include "system/paths.h"

namespace {

TGameInfo GameWithShapes(const std::string& shapeFile) {
    TGameInfo game;
    game.ShapeFile = shapeFile;
    game.Extension = "jn1";
    return game;
}

TEST(PlayDosBox, TheGamesProgramIsNamedLikeItsShapeFileInAnyCase) {
    TTempDir folder;
    WriteFileText(folder.File("JILL1.EXE"), "");
    WriteFileText(folder.File("jill2.exe"), "");
    WriteFileText(folder.File("Onesimus.Bat"), "");
    WriteFileText(folder.File("JILL3.SHA"), "");
    EXPECT_EQ(FindGameProgram(folder.Path(), GameWithShapes("jill1.sha")), "JILL1.EXE");
    EXPECT_EQ(FindGameProgram(folder.Path(), GameWithShapes("JILL2.SHA")), "jill2.exe");
    EXPECT_EQ(FindGameProgram(folder.Path(), GameWithShapes("onesimus.sha")), "Onesimus.Bat");
    EXPECT_EQ(FindGameProgram(folder.Path(), GameWithShapes("jill3.sha")), "") << "no program for this game";
}

TEST(PlayDosBox, TheConfigurationMountsTheCopyRunsTheProgramAndLeavesWhenItEnds) {
    EXPECT_EQ(DosBoxConfig("/home/u/.config/tarn/play/run-7-1/", "JILL1.EXE"),
              "[autoexec]\nmount c \"/home/u/.config/tarn/play/run-7-1/\"\nc:\nJILL1.EXE\nexit\n");
    EXPECT_EQ(DosBoxConfig("C:/tarn/play/run-7-1/", "ONESIMUS.BAT"),
              "[autoexec]\nmount c \"C:/tarn/play/run-7-1/\"\nc:\ncall ONESIMUS.BAT\nexit\n");
}

TEST(PlayDosBox, ScratchCopiesGoWhereDosBoxCanMountThePath) {
    TTempDir settings;
    EXPECT_EQ(PlayRootFor(settings.File("play")), settings.File("play"));
    for (const std::string& unmountable : {settings.File("t\xC3\xA4rn/play"), settings.File("a \"b\"/play")}) {
        const std::string root = PlayRootFor(unmountable);
        EXPECT_FALSE(root.empty());
        EXPECT_TRUE(IsAbsolutePath(root)) << root;
        for (const char c : root) EXPECT_TRUE(c >= ' ' && c <= '~' && c != '"') << root;
    }
}

}  // namespace
