#pragma once
// The message box drawn in the editor's own window, for desktops where
// neither a dialog helper nor SDL can show one: the text over several rows
// and the buttons of its kind. Enter or Space presses the focused button
// (the first when the box opens), Escape the last; Left and Right move the
// focus, Tab moves it on and round; a click on a button presses it.

#include <string>
#include <vector>

#include "dialogs/message_box.h"

// The rows a text shows in, each at most columns characters: a row per line
// of the text, long lines broken at blanks (a word longer than a row is cut),
// the first maxRows of them.
std::vector<std::string> MessageRows(const std::string& text, size_t columns, size_t maxRows);

struct TButtonPlace {
    int x = 0, y = 0, w = 0, h = 0;
    bool Contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
    bool operator==(const TButtonPlace&) const = default;
};

// The buttons in one row centred on centreX, their tops at top.
std::vector<TButtonPlace> MessageButtonPlaces(const std::vector<TMessageButton>& buttons, int centreX, int top);

// Shows the box over the open window until a button is pressed and gives
// that button's id. Needs an open window.
int RunMessageWindow(const std::string& title, const std::string& text, const std::vector<TMessageButton>& buttons);
