#pragma once
// Running without a display, and input made up by a script. The events are
// real SDL events for the open window, queued as the window system would
// queue them, so the polling operations handle them like any other: the
// scripted test host builds on this.

#include <string>

// SDL's dummy video driver and software renderer, for every window opened
// after this. Closes an open window.
void UseHeadlessDisplay();

// Each call queues one event for the open window; nothing is queued without one.
void PushKeyEvent(int key, bool down, bool repeat = false);   // key: virtual-key code
void PushTextEvent(const std::string& utf8);
void PushPointerMoveEvent(int x, int y);
void PushButtonEvent(int button, bool down, int x, int y);    // button 1 left, 2 right, 3 middle
void PushWheelEvent(int notches);                              // positive away from the user

enum class TWindowSignal { Close, FocusLost, FocusGained };
void PushWindowEvent(TWindowSignal signal);
