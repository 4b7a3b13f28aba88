#pragma once
// What each kind of message box offers, whoever draws it: the desktop's
// dialog helper, SDL, or the box drawn in the editor's own window.

#include <cstdint>
#include <string>
#include <vector>

enum class TMessageKind { Notify, Confirm, Proceed };

struct TMessageButton {
    int id = 0;          // the answer the button gives
    std::string text;
    uint32_t flags = 0;  // SDL_MESSAGEBOX_BUTTON_* (which key presses it)

    bool operator==(const TMessageButton&) const = default;
};

struct TMessageBoxLayout {
    uint32_t flags = 0;   // SDL_MESSAGEBOX_* (icon, button order)
    std::vector<TMessageButton> buttons;
};

// The buttons and icon of each kind of message box: OK; OK and Cancel; Yes,
// No and Cancel. Enter presses the first button, Escape the last; a serious
// message gets the warning icon, any other the information icon.
TMessageBoxLayout MessageBoxLayout(TMessageKind kind, int serious);

// The caller's answer for the button the box reported; -1 means the box was
// closed without one (or could not be shown), which counts as cancelling.
int MessageBoxAnswer(TMessageKind kind, int buttonId);
