#pragma once
// The scripted test host: the real system, screen and dialogs on SDL's dummy display, a
// virtual clock, scripted input and scripted requesters. One host per test:
//
//     TTestHost host;                       // 1280 x 720 window, clock at 0
//     host.PressKey(VK_ESCAPE);             // delivered at the next poll
//     EXPECT_EQ(KeyPresses(VK_ESCAPE), 1);
//
// A program loop that never returns by itself runs against a script whose
// steps are taken one at a time whenever the program idles (sleeps, or paces
// a Flip):
//
//     host.Then([&] { host.Click(100, 40); });
//     host.WaitUntil([&] { return viewer.levelchanged; });
//     host.ExpectConfirm(1);                // the next requester answers OK
//     host.Then([&] { host.RequestClose(); });
//     auto result = host.Run([&] { viewer.MainMenu(); });
//     EXPECT_EQ(result.end, TRunEnd::Exited);
//
// Run stops the program by throwing out of its idle point (or ExitProgram),
// so a catch (...) around code that idles would keep it going. Time stands
// still between idles: a loop that waits on TickCount without sleeping or
// flipping never ends.
//
// The clipboard is the host's own, empty at first (ClipboardText and
// SetClipboardText of screen/clipboard.h read and change it).
//
// The host restores the real clock, requesters, clipboard, exit and default image flags
// on destruction, removes the flip hooks added while it lived, and fails the
// test if scripted requester answers were left unused.

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "image/pixmap.h"
#include "screen/graphics.h"
#include "screen/input.h"
#include "screen/scripted_input.h"

// One requester the program showed.
struct TRequesterCall {
    std::string kind;          // "Notify", "Confirm", "Proceed", "RequestFile", "RequestDir"
    std::string text;          // the message of a box
    int serious = 0;
    std::string title;         // of a file or folder requester
    std::string filter;
    int save = 0;
    std::string initialPath;
};

enum class TRunEnd {
    Returned,     // the body returned
    Exited,       // the program called ExitProgram
    ScriptDone,   // every step was taken and the program idled once more
    TimedOut,     // the idle limit passed first (the test has failed)
};

struct TRunResult {
    TRunEnd end = TRunEnd::Returned;
    int exitStatus = 0;   // the status given to ExitProgram, when it Exited
    size_t stepsLeft = 0;
};

class TScriptedRequesters;
class TVirtualClock;

class TTestHost {
public:
    explicit TTestHost(int width = 1280, int height = 720);
    ~TTestHost();
    TTestHost(const TTestHost&) = delete;
    TTestHost& operator=(const TTestHost&) = delete;

    // ---- Time: the virtual clock moves only by sleeping, pacing and Advance.
    uint32_t Now() const;
    void Advance(int ms);

    // ---- Input, queued for the window and handled at the next poll. Key
    // events type nothing but the control characters of Enter, Backspace, Tab
    // and Escape; the text a real key would type comes from TypeText, which
    // presses no key.
    //
    // Keys are named by their place on a US keyboard ('Z' is the key right
    // of the left Shift) and report the character the layout in use puts
    // there, US at first: under German, KeyDown('Z') presses the key that
    // types "y". KeyTyping names the key that types a character.
    void UseLayout(TKeyboardLayout layout);
    int KeyTyping(char c) const;   // fails the test when no key types c
    void KeyDown(int key);
    void KeyAutoRepeat(int key);   // the host's own repeat of a held key
    void KeyUp(int key);
    void PressKey(int key);        // down, then up
    // An instant chord, as an express key sends it: the keys go down in
    // order and up in reverse, all before the next poll: {VK_LCONTROL, 'Z'}.
    void PressKeys(std::initializer_list<int> keys);
    // The same with a click inside: the keys down, move, press, release, the
    // keys up, all before the next poll.
    void ClickHolding(std::initializer_list<int> keys, int x, int y, int button = 1);
    void TypeText(const std::string& utf8);
    void MoveMouse(int x, int y);
    void ButtonDown(int button = 1);
    void ButtonUp(int button = 1);
    void Click(int x, int y, int button = 1);   // move, press, release
    void Wheel(int notches);
    void RequestClose();           // the window's close box
    void ResizeWindow(int width, int height);   // as the user drags the window's border
    void Deactivate();
    void Activate();

    // ---- Requesters: each answers the next requester of its kind, in order.
    void ExpectNotify();
    void ExpectConfirm(int answer);
    void ExpectProceed(int answer);
    void ExpectRequestFile(const std::string& answer);
    void ExpectRequestDir(const std::string& answer);
    // Every requester shown so far, expected or not.
    const std::vector<TRequesterCall>& Requesters() const;

    // ---- Scripting a loop.
    void Then(std::function<void()> action);           // runs once
    void WaitUntil(std::function<bool()> condition);   // checked at every idle
    void WaitMs(int ms);                               // of virtual time, from the step before
    void WaitFrames(int frames);                       // Flips, from the step before
    // Runs body with the script; see TRunEnd. maxIdles bounds a program that
    // never finishes: reaching it fails the test.
    TRunResult Run(const std::function<void()>& body, int maxIdles = 100000);

    // ---- Frames.
    int Frames() const;            // Flips since the host was made
    TPixmapPtr Capture() const;    // the frame as drawn so far
    uint32_t PixelAt(int x, int y) const;   // 0xAARRGGBB of Capture()
    // Writes Capture() as a binary PPM, to look at when a pixel check fails.
    bool SaveCapture(const std::string& path) const;

private:
    // The keys down in order, then inside, then the keys up in reverse.
    void Holding(std::initializer_list<int> keys, const std::function<void()>& inside);
    void OnIdle();
    void StartStep();

    // A step starts when the one before it is complete (or the run begins),
    // so waits count from there.
    struct TStep {
        std::function<void()> start;
        std::function<bool()> done;
    };

    std::shared_ptr<TVirtualClock> clock;
    std::shared_ptr<TScriptedRequesters> requesters;
    std::deque<TStep> steps;
    int flipHook = 0;
    int imageFlags = 0;   // the default image flags to put back
    int frames = 0;
    bool running = false;
    bool inStep = false;
    int idlesLeft = 0;
    TKeyboardLayout layout = TKeyboardLayout::Us;
};
