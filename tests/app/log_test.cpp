#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/app_title.h"
#include "app/log.h"
#include "platform/clock.h"
#include "support/temp_dir.h"

namespace {

// Stands still at one moment, so that whole log files can be compared.
class TStoppedClock : public TClock {
public:
    uint32_t Milliseconds() override { return 0; }
    void Sleep(int) override {}
    std::string DateText() override { return date; }
    std::string TimeText() override { return "09:15:30"; }
    std::string date = "06 Dec 2026";
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::string kTitle = "Test Title";
const std::string kHeader =
    "Test Title - Log File\r\n"
    "=====================\r\n"
    "Created: 06 Dec 2026 - 09:15:30\r\n"
    "\r\n";
const std::string kFooter = "Closed: 06 Dec 2026 - 09:15:30\r\n";

class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        clock = std::make_shared<TStoppedClock>();
        SetClock(clock);
        SetLogTitle(kTitle);
        SetLogPath(path);
    }
    void TearDown() override {
        SetLogPath("");
        SetLogTitle(kApplicationTitle);
        SetClock(nullptr);
    }
    // The whole file as the program leaves it at its end.
    std::string Finished() {
        CloseLog();
        return ReadAll(path);
    }

    TTempDir dir;
    std::string path = dir.File("log.txt");
    std::shared_ptr<TStoppedClock> clock;
};

}  // namespace

TEST_F(LogTest, NothingIsCreatedUntilTheFirstWrite) {
    LogBlankLine();
    CloseLog();
    EXPECT_FALSE(std::ifstream(path).good());
}

TEST_F(LogTest, HeaderRuleMatchesTheTitleAndTheBlankAfterItDoesNotCount) {
    LogBlankLine();   // the file is not open yet: nothing at all
    LogLine("first");
    EXPECT_EQ(ReadAll(path), kHeader + "first\r\n");
    EXPECT_EQ(Finished(), kHeader + "first\r\n\r\n" + kFooter);
}

TEST_F(LogTest, BlockRightAfterTheHeaderStillGetsItsOwnBlankLine) {
    LogBlock("boom");
    const std::string rule(40, '=');
    EXPECT_EQ(Finished(), kHeader + "\r\n" + rule + "\r\nboom\r\n" + rule + "\r\n\r\n" + kFooter);
}

TEST_F(LogTest, BlankLineRuleKeepsExactlyOneEmptyLine) {
    LogText("a");
    LogBlankLine();
    LogBlankLine();
    LogText("step ... ");
    LogOK();
    LogText("other ... ");
    LogError();
    LogBlankLine();
    LogLine("");   // an explicit empty line is still written
    LogText("tail");
    LogLine("");   // only ends the line: not a blank line
    LogBlankLine();
    EXPECT_EQ(Finished(), kHeader +
                              "a\r\n\r\n"
                              "step ... OK\r\n"
                              "other ... ERROR\r\n\r\n\r\n"
                              "tail\r\n\r\n" +
                              kFooter);
}

TEST_F(LogTest, UnfinishedLineIsEndedBeforeTheClosingLine) {
    LogText("loading ... ");
    EXPECT_EQ(Finished(), kHeader + "loading ... \r\n\r\n" + kFooter);
}

TEST_F(LogTest, EveryWriteReachesTheFileAtOnce) {
    LogText("partial");
    EXPECT_EQ(ReadAll(path), kHeader + "partial");
}

TEST_F(LogTest, DefaultTitleIsTheApplicationTitle) {
    SetLogTitle(kApplicationTitle);
    LogLine("x");
    std::string first = std::string(kApplicationTitle) + " - Log File";
    EXPECT_EQ(ReadAll(path).substr(0, first.size() + 2 + first.size() + 2),
              first + "\r\n" + std::string(first.size(), '=') + "\r\n");
}

TEST_F(LogTest, ClosingStampsTheTimeOfClosing) {
    LogLine("x");
    clock->date = "07 Dec 2026";
    EXPECT_EQ(Finished(), kHeader + "x\r\n\r\nClosed: 07 Dec 2026 - 09:15:30\r\n");
}

TEST_F(LogTest, NewRunReplacesTheOldFile) {
    { std::ofstream(path) << "old contents that are longer than the new log will be"; }
    LogLine("new");
    EXPECT_EQ(Finished(), kHeader + "new\r\n\r\n" + kFooter);
}

TEST_F(LogTest, LogThatCannotBeCreatedIsRetriedOnTheNextCall) {
    std::string nested = dir.File("later/log.txt");
    SetLogPath(nested);
    LogLine("lost");   // the folder does not exist yet
    std::filesystem::create_directory(dir.File("later"));
    LogLine("kept");
    CloseLog();
    EXPECT_EQ(ReadAll(nested), kHeader + "kept\r\n\r\n" + kFooter);
}

TEST_F(LogTest, EmptyPathSwitchesLoggingOff) {
    SetLogPath("");
    LogLine("nowhere");
    LogBlock("nowhere");
    CloseLog();
    EXPECT_FALSE(std::ifstream(path).good());
}

TEST_F(LogTest, ChangingThePathFinishesTheOpenLog) {
    LogLine("one");
    std::string second = dir.File("second.txt");
    SetLogPath(second);
    EXPECT_EQ(ReadAll(path), kHeader + "one\r\n\r\n" + kFooter);
    LogLine("two");
    CloseLog();
    EXPECT_EQ(ReadAll(second), kHeader + "two\r\n\r\n" + kFooter);
}

TEST_F(LogTest, WritesAfterClosingDoNotReplaceTheFinishedLog) {
    LogLine("run");
    std::string finished = Finished();
    LogLine("from a late exit handler");
    CloseLog();
    EXPECT_EQ(ReadAll(path), finished);
}

TEST_F(LogTest, ProgramEndClosesTheLogByItself) {
    EXPECT_EXIT(
        {
            LogText("busy ... ");
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadAll(path), kHeader + "busy ... \r\n\r\n" + kFooter);
}
