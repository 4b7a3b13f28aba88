#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "support/level_bytes.h"
#include "support/temp_dir.h"

namespace {

struct TCliResult {
    int status;
    std::string out;
    std::string err;
};

TCliResult RunTool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

class Cli : public ::testing::Test {
protected:
    std::string Write(const TLevelBytes& bytes, const std::string& name = "level.jn1") {
        std::string path = temp.File(name);
        bytes.WriteFile(path);
        return path;
    }
    TTempDir temp;
};

TEST_F(Cli, UsageErrorsExitWithTwoAndShowTheUsage) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"--log"}, {"--log", "x.txt"}, {"frobnicate", "a"}, {"info"}, {"info", "a", "b"},
             {"roundtrip", "a"}, {"info", "--log", "x.txt", "a"}}) {
        TCliResult result = RunTool(args);
        EXPECT_EQ(result.status, 2) << ::testing::PrintToString(args);
        EXPECT_NE(result.err.find("usage: tarn-cli [--log FILE] COMMAND"), std::string::npos);
        EXPECT_EQ(result.out, "");
    }
    EXPECT_NE(RunTool({"frobnicate"}).err.find("roundtrip IN OUT"), std::string::npos) << "the usage lists the commands";
}

TEST_F(Cli, HelpAndVersionAnswerOnStandardOutputWithStatusZero) {
    TCliResult help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out, RunTool({}).err) << "the same usage as after a wrong call";
    EXPECT_NE(help.out.find("sample-game DIR"), std::string::npos);

    TCliResult commandHelp = RunTool({"mapshot", "--help"});
    EXPECT_EQ(commandHelp.status, 0);
    EXPECT_EQ(commandHelp.err, "");
    EXPECT_EQ(commandHelp.out,
              "usage: tarn-cli [--log FILE] mapshot LEVEL OUT\n\nwrite the whole level as one PNG picture\n");
    EXPECT_EQ(RunTool({"--log", temp.File("log.txt"), "info", "--help"}).status, 0);

    TCliResult version = RunTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Tarn - A Level Editor For Jill (Version 1.1)\n");
    EXPECT_EQ(version.err, "");

    // Help or version beside anything else is a wrong call.
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--help", "info"}, {"--version", "x"}, {"info", "--help", "x"}, {"--help", "--version"}}) {
        TCliResult wrong = RunTool(args);
        EXPECT_EQ(wrong.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(wrong.out, "");
    }
}

TEST_F(Cli, InfoListsObjectsAndThePlayerBlock) {
    TLevelBytes bytes;
    TObjectRecordBytes player;
    player.x = 32;
    player.y = 0xFFF0;
    TObjectRecordBytes message;
    message.objkind = 34;
    message.inside = 1;
    message.counter = 3;
    bytes.objects = {player, message};
    bytes.texts = {"Hi!"};
    bytes.pl_level = 0xFFFF;
    bytes.pl_health = 5;
    bytes.pl_score = -20;
    bytes.pl_ouched = 0xFFFF;
    bytes.pl_oldscore = 100000;
    bytes.pl_numinv = 20;   // more than the 16 slots: only those are listed
    for (int i = 0; i < 16; ++i) bytes.pl_inv[i] = uint16_t(i == 0 ? 0xFFFF : i);

    TCliResult result = RunTool({"info", Write(bytes)});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "objects: 2\n"
              "#0 kind=0 (PLAYER) x=32 y=-16 xd=0 yd=0 xl=0 yl=0 state=0 substate=0 statecount=0 counter=0 "
              "objflags=0 info1=0 zaphold=0 inside=NULL\n"
              "#1 kind=34 (TXTMSG) x=0 y=0 xd=0 yd=0 xl=0 yl=0 state=0 substate=0 statecount=0 counter=3 "
              "objflags=0 info1=0 zaphold=0 inside=\"Hi!\"\n"
              "player: level=-1 health=5 score=-20 ouched=65535 oldscore=100000\n"
              "inventory: 20 item(s): 65535 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15\n");

    bytes = TLevelBytes();
    bytes.pl_numinv = 0;
    result = RunTool({"info", Write(bytes)});
    EXPECT_EQ(result.out, "objects: 0\nplayer: level=0 health=6 score=0 ouched=0 oldscore=0\ninventory: 0 item(s):\n");
}

TEST_F(Cli, UnreadableInputExitsWithOneAndSaysWhy) {
    TCliResult missing = RunTool({"info", temp.File("missing.jn1")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err,
              "tarn-cli: cannot open the level file " + temp.File("missing.jn1") + " (No such file or directory)\n");
    // (check takes a folder as the folder of a game: tests/cli/cli_check_folder_test.cpp.)
    EXPECT_EQ(RunTool({"info", temp.Path()}).err, "tarn-cli: cannot open the level file " + temp.Path() +
                                                      " (Is a directory)\n");

    // Each command that reads a level says where a cut one ends.
    std::string cut = temp.File("cut.jn1");
    WriteFileBytes(cut, std::vector<uint8_t>(1000, 0));
    using TArgs = std::vector<std::string>;
    const std::string copy = temp.File("copy.jn1");
    for (const TArgs& args : {TArgs{"info", cut}, TArgs{"check", cut}, TArgs{"roundtrip", cut, copy}}) {
        TCliResult result = RunTool(args);
        EXPECT_EQ(result.status, 1) << args[0];
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "Error while trying to load a Jill level from the following file:\n\n" + cut +
                                  "\n\nthe file ends after 1,000 bytes, inside the board\n\nProbably not a (valid) "
                                  "level file?\n\nHint:\nThe level files should have the extension .JN? Or .ONE (for "
                                  "Onesimus)\n");
    }
}

TEST_F(Cli, CheckExitStatusFollowsTheWorstFinding) {
    TLevelBytes bytes;
    bytes.objects.resize(1);
    EXPECT_EQ(RunTool({"check", Write(bytes)}).status, 0);
    EXPECT_EQ(RunTool({"check", Write(bytes)}).out, "");

    bytes.objects[0].objkind = 1;
    TCliResult result = RunTool({"check", Write(bytes)});
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.out,
              "The object at index 0 is not a player object.\nThe game expects the object at index 0 to be a player "
              "object.\n");

    bytes.objects[0].objkind = 23;   // TINY is a player
    bytes.objects.resize(300);
    result = RunTool({"check", Write(bytes)});
    EXPECT_EQ(result.status, 4);
    EXPECT_EQ(result.out,
              "There are 300 objects in the level,\nbut the game only supports up to 258 objects.\n\nWARNING:\n"
              "Loading this level in the game could damage your system!\n");
}

TEST_F(Cli, RoundtripCopiesByteForByteAndReportsWriteFailures) {
    TLevelBytes bytes;
    bytes.objects.resize(3);
    bytes.objects[1].inside = 1;   // any other nonzero value is written back as 1
    bytes.objects[2].objkind = 99;
    bytes.texts = {"\xff\x01 text"};
    bytes.pl_pad.fill(0x11);
    bytes.board[5] = 0xC123;
    bytes.tail = {0, 'p', 'e', 'e', 'r', 0xFF};
    std::string in = Write(bytes, "in.one");
    std::string out = temp.File("out.one");
    TCliResult result = RunTool({"roundtrip", in, out});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(ReadFileBytes(in), ReadFileBytes(out));
    EXPECT_NE(RunTool({"info", in}).out.find("\ntail: 6 byte(s) follow the texts\n"), std::string::npos);

    result = RunTool({"roundtrip", in, temp.File("no/such/folder/out.one")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "tarn-cli: cannot write the level to the file " + temp.File("no/such/folder/out.one") +
                              " (No such file or directory)\n");
    EXPECT_EQ(RunTool({"roundtrip", temp.File("nothing.one"), out}).status, 1);

    // An output behind a link is written where the link points; the link stays.
    std::filesystem::create_directory(temp.File("store"));
    WriteFileText(temp.File("store/kept.one"), "old");
    std::filesystem::create_symlink("store/kept.one", temp.File("linked.one"));
    EXPECT_EQ(RunTool({"roundtrip", in, temp.File("linked.one")}).status, 0);
    EXPECT_EQ(ReadFileBytes(temp.File("store/kept.one")), ReadFileBytes(in));
    EXPECT_EQ(std::filesystem::read_symlink(temp.File("linked.one")), "store/kept.one");
}

TEST_F(Cli, RoundtripRefusesPipesAndSaysWhenOtherNamesKeepTheOldLevel) {
    const std::string in = Write(TLevelBytes(), "in.jn1"), pipe = temp.File("pipe.jn1"), out = temp.File("out.jn1");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    EXPECT_EQ(RunTool({"roundtrip", in, pipe}).err,
              "tarn-cli: cannot write the level to the file " + pipe + " (is not a regular file)\n");
    WriteFileText(out, "old");
    std::filesystem::create_hard_link(out, temp.File("other.jn1"));
    EXPECT_EQ(RunTool({"roundtrip", in, out}).err,
              "tarn-cli: " + out + " had other names (hard links); they still hold the old level\n");
    EXPECT_EQ(ReadFileText(temp.File("other.jn1")), "old");
}

TEST_F(Cli, LogGoesToTheGivenFileOnly) {
    TLevelBytes bytes;
    bytes.objects.resize(1);
    bytes.objects[0].objkind = 70;
    std::string level = Write(bytes);
    std::string logPath = temp.File("cli.log");
    ASSERT_EQ(RunTool({"--log", logPath, "check", level}).status, 4);
    auto logBytes = ReadFileBytes(logPath);
    std::string log(logBytes.begin(), logBytes.end());
    EXPECT_EQ(log.rfind("Tarn - A Level Editor For Jill (Version 1.1) - Log File\r\n", 0), 0u) << log;
    EXPECT_NE(log.find(" WARNING: unsupported objkind value: 70 for object #0\r\n"), std::string::npos);
    EXPECT_NE(log.find("\r\nClosed: "), std::string::npos) << "the log is finished when the command is";
}

TEST_F(Cli, OutputThatCannotBeWrittenExitsWithOne) {
    // Every character is refused, as by a full disk.
    struct TFullBuffer : std::streambuf {
        int overflow(int) override { return traits_type::eof(); }
    } full;
    std::ostream out(&full);
    std::ostringstream err;
    TLevelBytes bytes;
    bytes.objects.resize(1);
    bytes.objects[0].objkind = 1;
    const std::string level = Write(bytes);
    for (const char* command : {"info", "check"}) {
        out.clear();
        err.str("");
        EXPECT_EQ(RunCli({command, level}, out, err), 1) << command;
        EXPECT_NE(err.str().find("cannot write the output"), std::string::npos) << err.str();
    }
}

TEST_F(Cli, ALogThatCannotBeWrittenStopsTheCommand) {
    TLevelBytes bytes;
    const std::string in = Write(bytes);
    const std::string out = temp.File("out.jn1");
    TCliResult result = RunTool({"--log", temp.File("no/such/folder/log.txt"), "roundtrip", in, out});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "tarn-cli: cannot write the log file " + temp.File("no/such/folder/log.txt") +
                              " (No such file or directory)\n");
    EXPECT_TRUE(ReadFileBytes(out).empty()) << "the command did not run";
}

int RunBinary(const std::string& arguments, const std::string& redirections = ">/dev/null 2>&1") {
    int status = std::system((std::string(TARN_BINARY_DIR "/tarn-cli ") + arguments + " " + redirections).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(Cli, TheProgramExitsWithTheCommandsStatus) {
    TLevelBytes bytes;
    bytes.objects.resize(1);
    bytes.objects[0].objkind = 200;
    std::string level = Write(bytes);
    EXPECT_EQ(RunBinary("info '" + level + "'"), 0);
    EXPECT_EQ(RunBinary("check '" + level + "'"), 4);
    EXPECT_EQ(RunBinary("info '" + temp.File("missing") + "'"), 1);
    EXPECT_EQ(RunBinary(""), 2);
    // Help and version reach a pipe on standard output and leave the error stream empty.
    EXPECT_EQ(RunBinary("--help", ">/dev/null 2>'" + temp.File("err") + "'"), 0);
    EXPECT_TRUE(ReadFileBytes(temp.File("err")).empty());
    EXPECT_EQ(RunBinary("--version", "| grep -qx 'Tarn - A Level Editor For Jill (Version 1.1)'"), 0);
    EXPECT_EQ(RunBinary("info --help", "| grep -q '^usage: tarn-cli'"), 0);
    EXPECT_EQ(RunBinary("--help --help"), 2);
}

}  // namespace
