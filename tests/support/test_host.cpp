#include "support/test_host.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "base/requesters.h"
#include "screen/clipboard.h"
#include "screen/scripted_input.h"
#include "system/clock.h"

class TVirtualClock : public TClock {
public:
    uint32_t now = 0;
    std::function<void()> onSleep;

    uint32_t Milliseconds() override { return now; }
    void Sleep(int ms) override {
        now += static_cast<uint32_t>(ms);
        if (onSleep) onSleep();
    }
    std::string DateText() override { return "01 Jan 2000"; }
    std::string TimeText() override { return "12:00:00"; }
};

class TScriptedRequesters : public TRequesterHost {
public:
    struct TAnswer {
        std::string kind;
        int number = 0;
        std::string path;
    };
    std::deque<TAnswer> answers;
    std::vector<TRequesterCall> calls;

    void Notify(const std::string& text, int serious) override {
        calls.push_back({"Notify", text, serious, "", "", 0, ""});
        Take("Notify");
    }
    int Confirm(const std::string& text, int serious) override {
        calls.push_back({"Confirm", text, serious, "", "", 0, ""});
        auto answer = Take("Confirm");
        return answer ? answer->number : 0;
    }
    int Proceed(const std::string& text, int serious) override {
        calls.push_back({"Proceed", text, serious, "", "", 0, ""});
        auto answer = Take("Proceed");
        return answer ? answer->number : -1;
    }
    std::string RequestFile(const std::string& title, const std::string& filter, int save,
                            const std::string& initialPath) override {
        calls.push_back({"RequestFile", "", 0, title, filter, save, initialPath});
        auto answer = Take("RequestFile");
        return answer ? answer->path : "";
    }
    std::string RequestDir(const std::string& title, const std::string& initialFolder) override {
        calls.push_back({"RequestDir", "", 0, title, "", 0, initialFolder});
        auto answer = Take("RequestDir");
        return answer ? answer->path : "";
    }

private:
    // An unexpected requester fails the test and is cancelled.
    std::optional<TAnswer> Take(const std::string& kind) {
        const auto& call = calls.back();
        if (answers.empty() || answers.front().kind != kind) {
            ADD_FAILURE() << "unexpected " << kind << ": \"" << call.text << call.title << "\""
                          << (answers.empty() ? std::string(" (no answer scripted)")
                                              : " (the next answer is for " + answers.front().kind + ")");
            return std::nullopt;
        }
        TAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

namespace {

// A clipboard of the test's own: the desktop's is neither read nor changed.
class TMemoryClipboard : public TClipboard {
public:
    std::string Text() override { return text; }
    void SetText(const std::string& utf8) override { text = utf8; }

private:
    std::string text;
};

// Thrown out of the program's idle point or ExitProgram to end a Run.
struct TStopRun {
    TRunEnd end;
    int exitStatus = 0;
};

}  // namespace

TTestHost::TTestHost(int width, int height)
    : clock(std::make_shared<TVirtualClock>()), requesters(std::make_shared<TScriptedRequesters>()) {
    clock->onSleep = [this] { OnIdle(); };
    SetClock(clock);
    SetRequesterHost(requesters);
    SetClipboard(std::make_shared<TMemoryClipboard>());
    SetExitHandler([](int status) { throw TStopRun{TRunEnd::Exited, status}; });
    imageFlags = DefaultImageFlags();
    UseHeadlessDisplay();
    if (!OpenGraphicsWindow(width, height, 0, 60, 0)) ADD_FAILURE() << "the headless window did not open";
    flipHook = AddFlipHook([this] { ++frames; });
}

TTestHost::~TTestHost() {
    for (const auto& answer : requesters->answers) ADD_FAILURE() << "scripted " << answer.kind << " never shown";
    // Hooks the program added (the editor's at start-up) may refer to objects
    // of this test. Numbers grow, so they all lie between the host's own hook
    // and a fresh one.
    int last = AddFlipHook([] {});
    for (int id = flipHook; id <= last; ++id) RemoveFlipHook(id);
    SetDefaultImageFlags(imageFlags);
    CloseGraphicsWindow();
    SetExitHandler(nullptr);
    SetRequesterHost(nullptr);
    SetClipboard(nullptr);
    SetClock(nullptr);
}

uint32_t TTestHost::Now() const { return clock->now; }
void TTestHost::Advance(int ms) { clock->now += static_cast<uint32_t>(ms); }

void TTestHost::UseLayout(TKeyboardLayout newLayout) { layout = newLayout; }

int TTestHost::KeyTyping(char c) const {
    const int key = KeyTypingIn(layout, c);
    if (key == 0) ADD_FAILURE() << "no key types '" << c << "' in this layout";
    return key;
}

void TTestHost::KeyDown(int key) { PushKeyEvent(key, true, false, layout); }
void TTestHost::KeyAutoRepeat(int key) { PushKeyEvent(key, true, true, layout); }
void TTestHost::KeyUp(int key) { PushKeyEvent(key, false, false, layout); }

void TTestHost::PressKey(int key) {
    KeyDown(key);
    KeyUp(key);
}

void TTestHost::PressKeys(std::initializer_list<int> keys) {
    Holding(keys, [] {});
}

void TTestHost::ClickHolding(std::initializer_list<int> keys, int x, int y, int button) {
    Holding(keys, [=, this] { Click(x, y, button); });
}

void TTestHost::Holding(std::initializer_list<int> keys, const std::function<void()>& inside) {
    for (int key : keys) KeyDown(key);
    inside();
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) KeyUp(*key);
}

void TTestHost::TypeText(const std::string& utf8) { PushTextEvent(utf8); }
void TTestHost::MoveMouse(int x, int y) { PushPointerMoveEvent(x, y); }
void TTestHost::ButtonDown(int button) { PushButtonEvent(button, true, PointerX(), PointerY()); }
void TTestHost::ButtonUp(int button) { PushButtonEvent(button, false, PointerX(), PointerY()); }

void TTestHost::Click(int x, int y, int button) {
    PushPointerMoveEvent(x, y);
    PushButtonEvent(button, true, x, y);
    PushButtonEvent(button, false, x, y);
}

void TTestHost::Wheel(int notches) { PushWheelEvent(notches); }
void TTestHost::RequestClose() { PushWindowEvent(TWindowSignal::Close); }
void TTestHost::ResizeWindow(int width, int height) { ResizeWindowAsTheUser(width, height); }
void TTestHost::Deactivate() { PushWindowEvent(TWindowSignal::FocusLost); }
void TTestHost::Activate() { PushWindowEvent(TWindowSignal::FocusGained); }

void TTestHost::ExpectNotify() { requesters->answers.push_back({"Notify", 0, ""}); }
void TTestHost::ExpectConfirm(int answer) { requesters->answers.push_back({"Confirm", answer, ""}); }
void TTestHost::ExpectProceed(int answer) { requesters->answers.push_back({"Proceed", answer, ""}); }
void TTestHost::ExpectRequestFile(const std::string& answer) { requesters->answers.push_back({"RequestFile", 0, answer}); }
void TTestHost::ExpectRequestDir(const std::string& answer) { requesters->answers.push_back({"RequestDir", 0, answer}); }
const std::vector<TRequesterCall>& TTestHost::Requesters() const { return requesters->calls; }

void TTestHost::Then(std::function<void()> action) {
    steps.push_back({nullptr, [action = std::move(action)] {
        action();
        return true;
    }});
}

void TTestHost::WaitUntil(std::function<bool()> condition) { steps.push_back({nullptr, std::move(condition)}); }

void TTestHost::WaitMs(int ms) {
    auto until = std::make_shared<uint32_t>();
    steps.push_back({[this, until, ms] { *until = Now() + static_cast<uint32_t>(ms); },
                     [this, until] { return static_cast<int32_t>(Now() - *until) >= 0; }});
}

void TTestHost::WaitFrames(int count) {
    auto target = std::make_shared<int>();
    steps.push_back({[this, target, count] { *target = frames + count; }, [this, target] { return frames >= *target; }});
}

TRunResult TTestHost::Run(const std::function<void()>& body, int maxIdles) {
    running = true;
    inStep = false;
    idlesLeft = maxIdles;
    StartStep();
    TRunResult result;
    try {
        body();
        result.end = TRunEnd::Returned;
    } catch (const TStopRun& stop) {
        result.end = stop.end;
        result.exitStatus = stop.exitStatus;
    }
    running = false;
    result.stepsLeft = steps.size();
    if (result.end == TRunEnd::TimedOut)
        ADD_FAILURE() << "the program was still running after " << maxIdles << " idles, " << steps.size()
                      << " script steps left";
    return result;
}

void TTestHost::OnIdle() {
    // A step that itself sleeps must not take the next step from inside.
    if (!running || inStep) return;
    if (--idlesLeft < 0) throw TStopRun{TRunEnd::TimedOut};
    if (steps.empty()) throw TStopRun{TRunEnd::ScriptDone};
    inStep = true;
    bool done = steps.front().done();
    inStep = false;
    if (!done) return;
    steps.pop_front();
    StartStep();
}

void TTestHost::StartStep() {
    if (!steps.empty() && steps.front().start) steps.front().start();
}

int TTestHost::Frames() const { return frames; }
TPixmapPtr TTestHost::Capture() const { return CaptureFrame(); }

uint32_t TTestHost::PixelAt(int x, int y) const {
    auto frame = Capture();
    return frame ? ReadPixel(*frame, x, y) : 0;
}

bool TTestHost::SaveCapture(const std::string& path) const {
    auto frame = Capture();
    if (!frame) return false;
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << frame->width << " " << frame->height << "\n255\n";
    for (int y = 0; y < frame->height; ++y)
        for (int x = 0; x < frame->width; ++x) {
            uint32_t p = ReadPixel(*frame, x, y);
            const char rgb[3] = {char(p >> 16), char(p >> 8), char(p)};
            out.write(rgb, 3);
        }
    return bool(out.flush());
}
