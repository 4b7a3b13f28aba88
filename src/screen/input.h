#pragma once
// Polled mouse and keyboard input and the application's life cycle. The layer
// collects the window's events itself: every polling operation first handles
// whatever events are pending, so nothing runs in the background.

#include <functional>
#include <string>

// Windows virtual-key codes (letters and digits are their upper-case ASCII
// codes, 'A' = 65, '0' = 48). Left and right modifiers are told apart.
enum : int {
    VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_PAUSE = 19, VK_CAPITAL = 20, VK_ESCAPE = 27,
    VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36,
    VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40,
    VK_SNAPSHOT = 44, VK_INSERT = 45, VK_DELETE = 46,
    VK_LWIN = 91, VK_RWIN = 92, VK_APPS = 93,
    VK_NUMPAD0 = 96, VK_NUMPAD9 = 105, VK_MULTIPLY = 106, VK_ADD = 107,
    VK_SUBTRACT = 109, VK_DECIMAL = 110, VK_DIVIDE = 111,
    VK_F1 = 112, VK_F12 = 123, VK_NUMLOCK = 144, VK_SCROLL = 145,
    VK_LSHIFT = 160, VK_RSHIFT = 161, VK_LCONTROL = 162, VK_RCONTROL = 163,
    VK_LMENU = 164, VK_RMENU = 165,   // left and right Alt
    VK_OEM_1 = 186, VK_OEM_PLUS = 187, VK_OEM_COMMA = 188, VK_OEM_MINUS = 189,
    VK_OEM_PERIOD = 190, VK_OEM_2 = 191, VK_OEM_3 = 192, VK_OEM_4 = 219,
    VK_OEM_5 = 220, VK_OEM_6 = 221, VK_OEM_7 = 222,
};

// Modifier masks. A tablet's express key or a remapped mouse button sends a
// whole shortcut (Ctrl down, Z down, Z up, Ctrl up) between two polls, so
// each press keeps the modifiers that were down when it went down, in the
// order the events came; by the time a loop looks, Ctrl may be up again.
enum : int { kModShift = 1, kModCtrl = 2, kModAlt = 4 };

// ---- Mouse (buttons 1 left, 2 right, 3 middle) ----

// Position of the last pointer move. While a button is held the pointer is
// captured, so positions outside the window (also negative) can appear.
int PointerX();
int PointerY();
int ButtonDown(int button);   // 1 while held
int ButtonHits(int button);   // presses since the last call for that button, then 0
int WheelDelta();             // notches since the last call, positive away from the user
// The modifiers held when the button last went down; 0 when it never did.
int ButtonPressModifiers(int button);
void ClearMouseInput();       // button flags, counters and the wheel
void SetMouseVisible(int visible);

// ---- Keyboard ----

int KeyIsDown(int key);   // 1 while held
// Presses since the last call for that key, then 0. The host's own
// auto-repeat adds nothing.
int KeyPresses(int key);
// The oldest typed character (8 backspace, 13 enter, 27 escape arrive too),
// removed from the queue; 0 when none. At most 256 wait; more are dropped.
int NextChar();
// The modifiers held when the key last went down; 0 when it never did. A
// held key keeps them while it repeats, whatever happens to the modifiers.
int KeyPressModifiers(int key);
void ClearKeyInput();     // key flags, counters and the typed characters
// The editor's own key repeat: true at a press, then false until delayMs
// have passed since it, then true on every call while the key stays down.
bool KeyRepeat(int key, int delayMs);
// The delay every held key of the editor waits before it repeats, the same
// on the map and in every menu and dialog.
inline constexpr int kKeyRepeatDelayMs = 400;

// ---- Application ----

// Handles the pending window events. The polling operations call it
// themselves; a loop that only waits may call it to keep the window alive.
void PollEvents();

// 1 once after the user asked to close the window, then 0 until asked again.
int CloseRequested();
// 1 while the window is deactivated. Keyboard and mouse state are cleared
// whenever the window is deactivated or activated.
int AppIsSuspended();

// The title of the window (and of the log).
void SetAppTitle(const std::string& title);
const std::string& AppTitle();

// Runs a routine when the process ends normally (return from main or
// ExitProgram); routines run in reverse order of registration.
void AtProgramExit(std::function<void()> routine);
// Ends the process at once, after the exit routines: status 0 for an orderly
// end, anything else when the program could not do its work.
[[noreturn]] void ExitProgram(int status = 0);
// Replaces what ExitProgram does (the test host throws instead of exiting);
// the handler gets the status and must not return. Null puts the real exit back.
void SetExitHandler(std::function<void(int status)> handler);
