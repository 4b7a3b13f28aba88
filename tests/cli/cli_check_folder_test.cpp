// tarn-cli check FOLDER on the sample game with damaged and over-limit levels added.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli_run.h"
#include "level/level.h"
#include "support/files.h"
#include "support/level_bytes.h"
#include "support/temp_dir.h"

namespace {

TEST(CliCheckFolder, JudgesEveryLevelOfTheGamesAndExitsAsTheWorst) {
    TTempDir temp;
    EXPECT_EQ(RunCommand({"check", temp.Path()}).status, 2) << "no game in the folder";
    EXPECT_EQ(RunCommand({"check", temp.Path()}).err,
              "tarn-cli: no game data (shape file and tile info file) found in " + temp.Path() + "\n");
    ASSERT_EQ(RunCommand({"sample-game", temp.Path()}).status, 0);
    TRun run = RunCommand({"check", temp.Path()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "castle.jn3 (Jill Saves the Prince): ok\n"
                       "desert.one (Onesimus - A Quest For Freedom): ok\n"
                       "showcase.jn1 (Jill of the Jungle): ok\n"
                       "tiles.jn2 (Jill Goes Underground): ok\n"
                       "4 level(s): 4 ok, 0 with findings, 0 with serious findings, 0 unreadable\n");

    // A cut level, one without a player (in capitals, as DOS names them), one
    // over the object limit, and a file of no game's.
    WriteFileBytes(temp.File("damaged.jn1"), std::vector<uint8_t>(1000, 0));
    TLevelBytes noPlayer;
    noPlayer.objects.resize(1);
    noPlayer.objects[0].objkind = 5;
    noPlayer.WriteFile(temp.File("NOPLAYER.JN2"));
    run = RunCommand({"check", temp.Path()});
    EXPECT_EQ(run.status, 3) << "findings outrank an unreadable level";
    TLevelBytes crowded;
    crowded.objects.resize(kMaxSupportedObjs + 1);
    crowded.WriteFile(temp.File("crowded.one"));
    WriteFileText(temp.File("notes.txt"), "not a level");
    run = RunCommand({"check", temp.Path()});
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "NOPLAYER.JN2 (Jill Goes Underground): The object at index 0 is not a player object. The game expects "
              "the object at index 0 to be a player object.\n"
              "castle.jn3 (Jill Saves the Prince): ok\n"
              "crowded.one (Onesimus - A Quest For Freedom): serious: There are 259 objects in the level, but "
              "the game only supports up to 258 objects.\n"
              "damaged.jn1 (Jill of the Jungle): unreadable: the file ends after 1,000 bytes, inside the board\n"
              "desert.one (Onesimus - A Quest For Freedom): ok\n"
              "showcase.jn1 (Jill of the Jungle): ok\n"
              "tiles.jn2 (Jill Goes Underground): ok\n"
              "7 level(s): 4 ok, 1 with findings, 1 with serious findings, 1 unreadable\n");

    // The same as JSON lines, the option before or after the folder.
    run = RunCommand({"check", temp.Path(), "--format=json"});
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.out, RunCommand({"check", "--format=json", temp.Path()}).out);
    std::istringstream stream(run.out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[2], R"({"file":"crowded.one","game":"Onesimus - A Quest For Freedom","status":4,"findings":)"
                        R"([{"text":"There are 259 objects in the level, but the game only supports up to 258 )"
                        R"(objects.","serious":true}]})");
    EXPECT_EQ(nlohmann::json::parse(lines[3])["problem"], "the file ends after 1,000 bytes, inside the board");
    EXPECT_EQ(lines[7], R"({"levels":7,"ok":4,"findings":1,"serious":1,"unreadable":1,"status":4})");

    // A level alone is checked as before; JSON and a second target are wrong calls.
    EXPECT_EQ(RunCommand({"check", temp.File("crowded.one")}).status, 4);
    EXPECT_EQ(RunCommand({"check", "--format=json", temp.File("crowded.one")}).status, 2);
    EXPECT_EQ(RunCommand({"check", "--format=xml", temp.Path()}).status, 2);
    EXPECT_EQ(RunCommand({"check", temp.Path(), temp.Path()}).status, 2);
}

}  // namespace
