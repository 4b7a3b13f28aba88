#include <gtest/gtest.h>

#include <fstream>

#include "dialogs/message_window.h"
#include "dialogs/text_requester.h"
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

namespace {

class RequesterMessageWindow : public ::testing::Test {
protected:
    // Runs a three-way question against the steps scripted so far.
    int Ask(const std::string& text = "Save the level before proceeding?") {
        int answer = 99;
        TRunResult result = host.Run(
            [&] { answer = RunMessageWindow("Tarn", text, MessageBoxLayout(TMessageKind::Proceed, 0).buttons); });
        EXPECT_EQ(result.end, TRunEnd::Returned);
        return answer;
    }
    void Press(int key) {
        host.Then([this, key] { host.PressKey(key); });
    }
    bool WhiteInRow(const TPixmap& frame, int top) const {
        for (int x = 328; x < 960; ++x)
            for (int y = top; y < top + 16; ++y)
                if ((ReadPixel(frame, x, y) & 0xFFFFFF) == 0xFFFFFF) return true;
        return false;
    }

    TTestHost host;
};

// One row of text in 1280 x 720: a 640 x 84 box at (320, 318), its three
// 80 x 24 buttons at y 370, x 504, 600 and 696.
constexpr uint32_t kFocused = 0x0060D0, kUnfocused = 0x505060;

}  // namespace

TEST_F(RequesterMessageWindow, KeysPressTheFocusedButtonOrCancel) {
    struct TCase {
        std::vector<int> keys;
        int answer;
    };
    const std::vector<TCase> cases = {
        {{VK_RETURN}, 1},
        {{VK_LEFT, VK_RIGHT, VK_RETURN}, 0},                           // Left stops at the first
        {{VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_RETURN}, 0},       // Right stops at the last
        {{VK_TAB, VK_TAB, VK_TAB, VK_RETURN}, 1},                      // Tab goes round
        {{VK_RIGHT, VK_ESCAPE}, -1},                                   // always the last button
    };
    for (const TCase& c : cases) {
        for (int key : c.keys) Press(key);
        EXPECT_EQ(Ask(), c.answer) << c.keys.size() << " keys";
    }
    EXPECT_EQ(NextChar(), 0);
}

TEST_F(RequesterMessageWindow, ClicksPressTheButtonUnderThePointer) {
    host.PressKey(VK_RETURN);   // before the box opened: not an answer
    host.Then([this] { host.Click(599, 382); });   // between two buttons
    host.Then([this] { host.Click(600, 370); });
    EXPECT_EQ(Ask(), 0);
    host.Then([this] { host.Click(775, 393); });
    EXPECT_EQ(Ask(), -1);
    EXPECT_EQ(ButtonHits(1), 0);
}

TEST_F(RequesterMessageWindow, DrawsTheTextRowsAndTheFocus) {
    uint32_t title = 0, yes = 0, no = 0;
    bool firstRow = false, secondRow = false, belowText = true;
    host.Then([&] { host.PressKey(VK_RIGHT); });
    host.WaitFrames(1);
    // Two rows: a 640 x 100 box at (320, 310), rows at y 334 and 350.
    host.Then([&] {
        TPixmapPtr frame = host.Capture();
        title = ReadPixel(*frame, 322, 312);
        yes = ReadPixel(*frame, 506, 380);
        no = ReadPixel(*frame, 602, 380);
        firstRow = WhiteInRow(*frame, 334);
        secondRow = WhiteInRow(*frame, 350);
        belowText = WhiteInRow(*frame, 366);
    });
    Press(VK_ESCAPE);
    Ask("First line\nsecond line");
    EXPECT_EQ(title & 0xFFFFFF, 0x0040A0u);
    EXPECT_EQ(yes & 0xFFFFFF, kUnfocused);
    EXPECT_EQ(no & 0xFFFFFF, kFocused);
    EXPECT_TRUE(firstRow);
    EXPECT_TRUE(secondRow);
    EXPECT_FALSE(belowText);
}
