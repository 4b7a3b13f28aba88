#pragma once
// Running without a display, and input made up by a script. The events are
// real SDL events for the open window, queued as the window system would
// queue them, so the polling operations handle them like any other: the
// scripted test host builds on this.

#include <string>

// SDL's dummy video driver and software renderer, for every window opened
// after this. Closes an open window.
void UseHeadlessDisplay();

// Keyboard layouts a script can type on. Each gives every key position the
// character (SDL's key code) that the window system reports for it there.
enum class TKeyboardLayout {
    Us,
    German,   // QWERTZ: Y and Z swapped, "+" right of "ü", "-" on the US "/"
    French,   // AZERTY: A and Q, Z and W swapped, M on the US ";", symbols on the digit row
};

// The key that types c (unshifted) in the layout, named by its place on a US
// keyboard as PushKeyEvent takes it; 0 when no key does.
int KeyTypingIn(TKeyboardLayout layout, char c);

// Each call queues one event for the open window; nothing is queued without one.
// key: the key at the place of this virtual-key code on a US keyboard,
// reporting the character the layout puts there.
void PushKeyEvent(int key, bool down, bool repeat = false, TKeyboardLayout layout = TKeyboardLayout::Us);
void PushTextEvent(const std::string& utf8);
void PushPointerMoveEvent(int x, int y);
void PushButtonEvent(int button, bool down, int x, int y);    // button 1 left, 2 right, 3 middle
void PushWheelEvent(int notches);                              // positive away from the user

enum class TWindowSignal { Close, FocusLost, FocusGained };
void PushWindowEvent(TWindowSignal signal);
// Gives the window a new size, as the window manager does when the user
// drags its border; the size-change event reaches the next poll.
void ResizeWindowAsTheUser(int width, int height);
