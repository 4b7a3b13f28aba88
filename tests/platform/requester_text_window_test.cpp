#include <gtest/gtest.h>

#include <fstream>

#include "platform/text_requester.h"
#include "support/temp_dir.h"
#include "support/test_host.h"

namespace {

class RequesterTextWindow : public ::testing::Test {
protected:
    RequesterTextWindow() { std::ofstream(dir.File("old.jn1")) << "x"; }

    // Runs the requester against the steps scripted so far.
    std::string Ask(TRequestMode mode, const std::string& initial = "") {
        std::string answer = "(not returned)";
        TRunResult result = host.Run([&] {
            answer = RunTextRequester({"Open Jill Level File...", "Level Files:jn1,jn2,jn3,one;All Files:*", mode,
                                       initial.empty() ? dir.Path() : initial},
                                      [&](const std::string& path) {
                                          replaceQuestions.push_back(path);
                                          return allowReplace;
                                      });
        });
        EXPECT_EQ(result.end, TRunEnd::Returned);
        return answer;
    }

    void Type(const std::string& text) {
        host.Then([this, text] { host.TypeText(text); });
    }
    void Press(int key) {
        host.Then([this, key] { host.PressKey(key); });
    }

    TTestHost host;
    TTempDir dir;
    std::vector<std::string> replaceQuestions;
    bool allowReplace = false;
};

}  // namespace

TEST_F(RequesterTextWindow, EnterAcceptsTheTypedNameInTheInitialFolder) {
    Type("old.jn1");
    Press(VK_RETURN);
    EXPECT_EQ(Ask(TRequestMode::Open), dir.File("old.jn1"));
}

TEST_F(RequesterTextWindow, InputFromBeforeTheRequesterIsIgnored) {
    host.TypeText("zz");   // typed before the requester opened
    host.PressKey(VK_BACK);
    Type("old.jn1");
    Press(VK_RETURN);
    EXPECT_EQ(Ask(TRequestMode::Open), dir.File("old.jn1"));
}

TEST_F(RequesterTextWindow, EscapeCancelsAndLeavesNoKeysBehind) {
    Type("old.jn1");
    Press(VK_ESCAPE);
    EXPECT_EQ(Ask(TRequestMode::Open), "");
    EXPECT_EQ(NextChar(), 0);
    EXPECT_EQ(KeyPresses(VK_ESCAPE), 0);
}

TEST_F(RequesterTextWindow, AMissingFileIsNotAcceptedForOpening) {
    Type("new.jn1");
    Press(VK_RETURN);   // refused: stays open
    host.WaitFrames(2);
    for (int i = 0; i < 7; ++i) Press(VK_BACK);
    Type("old.jn1");
    Press(VK_RETURN);
    EXPECT_EQ(Ask(TRequestMode::Open), dir.File("old.jn1"));
}

TEST_F(RequesterTextWindow, CursorKeysEditInsideTheField) {
    Type("od.jn1");
    for (int i = 0; i < 5; ++i) Press(VK_LEFT);
    Type("l");
    Press(VK_END);
    Type("x");
    Press(VK_BACK);
    Press(VK_RETURN);
    EXPECT_EQ(Ask(TRequestMode::Open), dir.File("old.jn1"));
}

TEST_F(RequesterTextWindow, SavingOverAFileAsksFirst) {
    Type("old.jn1");
    Press(VK_RETURN);   // the answer is no: the requester stays
    host.Then([this] { allowReplace = true; });
    Press(VK_RETURN);
    EXPECT_EQ(Ask(TRequestMode::Save), dir.File("old.jn1"));
    EXPECT_EQ(replaceQuestions, (std::vector<std::string>{dir.File("old.jn1"), dir.File("old.jn1")}));

    Type("new.jn1");
    Press(VK_RETURN);
    EXPECT_EQ(Ask(TRequestMode::Save), dir.File("new.jn1"));
    EXPECT_EQ(replaceQuestions.size(), 2u);
}

TEST_F(RequesterTextWindow, FoldersAreAnsweredWithoutAClosingSlash) {
    Press(VK_RETURN);
    EXPECT_EQ(Ask(TRequestMode::Folder, dir.Path()), dir.Path());
    Type("//");
    Press(VK_RETURN);
    EXPECT_EQ(Ask(TRequestMode::Folder, dir.Path()), dir.Path());
}

TEST_F(RequesterTextWindow, DrawsATitledWindowAndLeavesTheDrawingStateAlone) {
    SetColor(1, 2, 3);
    SetBlend(BLEND_SHADE);
    SetViewport(10, 10, 100, 100);
    SetDrawScale(2, 2);
    uint32_t titleBar = 0;
    host.Then([&] { titleBar = host.PixelAt(324, 314); });
    Press(VK_ESCAPE);
    Ask(TRequestMode::Open);
    // A 640 x 96 window in the middle of 1280 x 720, its title bar on top.
    EXPECT_EQ(titleBar & 0xFFFFFF, 0x0040A0u);
    EXPECT_EQ(CurrentColor(), (TColor{1, 2, 3}));
    EXPECT_EQ(CurrentBlend(), BLEND_SHADE);
    EXPECT_EQ(CurrentViewport(), (TViewport{10, 10, 100, 100}));
    EXPECT_EQ(DrawScaleX(), 2.0f);
}
