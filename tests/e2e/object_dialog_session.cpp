#include "e2e/object_dialog_session.h"

#include "level/level.h"
#include "level/level_file.h"
#include "sample_game/sample_game.h"
#include "screen/graphics.h"
#include "system/clock.h"

namespace object_dialogs {

namespace {
constexpr uint32_t kDark = Rgb(85, 85, 85);
constexpr uint32_t kLight = Rgb(170, 170, 170);
}  // namespace

uint32_t Pixel(const TPixmap& frame, int x, int y) { return ReadPixel(frame, x, y) & 0xFFFFFF; }

void ExpectWindowAt(const TPixmap& frame, int x, int y, int w, int h) {
    EXPECT_GE(x - 6, 0) << "left of the window";
    EXPECT_GE(y - 22, 0) << "above the window";
    EXPECT_LE(x + w + 6, ScreenWidth()) << "right of the window";
    EXPECT_LE(y + h + 6, ScreenHeight()) << "below the window";
    const int midY = y + h / 2, midX = x + w / 2;
    const auto ring = [&](int d) { return d == 3 || d == 4 ? kLight : kDark; };
    for (int d = 1; d <= 6; ++d) {
        EXPECT_EQ(Pixel(frame, x - d, midY), ring(d)) << "left ring at " << x - d;
        EXPECT_EQ(Pixel(frame, x + w - 1 + d, midY), ring(d)) << "right ring";
        EXPECT_EQ(Pixel(frame, midX, y + h - 1 + d), ring(d)) << "bottom ring";
    }
    EXPECT_EQ(Pixel(frame, x + 1, y - 20), kLight) << "title bar";
    EXPECT_EQ(Pixel(frame, x - 3, y - 21), kDark) << "title bar";
    EXPECT_EQ(Pixel(frame, x - 6, y - 22), kDark) << "title bar's corner";
    EXPECT_EQ(Pixel(frame, x, y + h - 1), 0u);
}

int TextCells(const TPixmap& frame, int x, int y, int w) {
    int last = -1;
    for (int i = x; i < x + w; ++i)
        for (int j = y; j < y + 16; ++j)
            if (Pixel(frame, i, j) >> 16 != 0) last = i;
    return last < 0 ? 0 : (last - x) / 8 + 1;
}

}  // namespace object_dialogs

ObjectDialogs::ObjectDialogs() {
    viewer.InitWindow();
    viewer.InitGame(game, viewer.GameInfos[0]);
    viewer.level = ReadLevel(game + kSampleShowcaseLevel);
    viewer.level->objs.clear();
    viewer.undoList = std::make_shared<TLevelList>();
    viewer.redoList = std::make_shared<TLevelList>();
    viewer.GenerateImages();
}

TLevelObjectPtr ObjectDialogs::Make(uint8_t kind, int x, int y, uint16_t counter) {
    auto obj = std::make_shared<TLevelObject>();
    obj->objkind = kind;
    obj->counter = counter;
    obj->UpdateHitbox();
    viewer.GenerateImage(obj);
    obj->ChangePosition(x, y);
    return obj;
}

TLevelObjectPtr ObjectDialogs::Add(uint8_t kind, int x, int y, uint16_t counter) {
    TLevelObjectPtr obj = Make(kind, x, y, counter);
    viewer.level->objs.push_back(obj);
    return obj;
}

void ObjectDialogs::Press(int key) {
    host.Then([this, key] { host.PressKey(key); });
}

void ObjectDialogs::Settle() { host.WaitFrames(2); }

void ObjectDialogs::Check(std::function<void(const TPixmap&)> check) {
    Settle();
    host.Then([this, check] { check(*host.Capture()); });
}

void ObjectDialogs::Type(const std::string& text, int erase) {
    Press(VK_RETURN);
    host.Then([this, text, erase] {
        for (int i = 0; i < erase; ++i) host.PressKey(VK_BACK);
        host.TypeText(text);
        host.PressKey(VK_RETURN);
    });
    host.WaitFrames(erase + int(text.size()) + 4);
}

void ObjectDialogs::Down(int times) {
    for (int i = 0; i < times; ++i) Press(VK_DOWN);
}

TRunResult ObjectDialogs::Run(const std::function<void()>& body) {
    returned = false;
    host.WaitUntil([this] { return returned; });
    const TRunResult result = host.Run(
        [&] {
            body();
            returned = true;
        },
        3000);
    EXPECT_EQ(result.end, TRunEnd::Returned);
    EXPECT_EQ(result.stepsLeft, 1u) << "the dialog closed before the script ended";
    // The step that waited for the return is done at the next idle.
    host.Run([] {
        for (;;) SleepMs(16);
    });
    return result;
}
