#pragma once
// What the boxes drawn inside the editor's own window share (the message box
// and the path requester, for desktops where the system cannot show its
// own): the framed, titled window in the built-in font, and the modal loop
// that runs it over the editor without disturbing the editor's state.

#include <functional>
#include <string>

inline constexpr int kBoxRow = 16;      // a row of the built-in font
inline constexpr int kBoxColumn = 8;    // a character of the built-in font

struct TBoxFrame {
    int left = 0, top = 0, width = 0, height = 0;
};

// A frame of the given height, centred in the window, as wide as the window
// allows up to 80 columns.
TBoxFrame CentredBoxFrame(int height);
// The characters that fit on a line inside the frame, leaving a column free
// on either side.
size_t BoxColumns(const TBoxFrame& frame);
// The bordered window with the title in its title bar (cut to fit).
void DrawBoxFrame(const TBoxFrame& frame, const std::string& title);

// One drawable character per character of a UTF-8 text: the built-in font
// has only ASCII, so every other character shows as "?" and columns stay
// in step with characters.
std::string DrawableText(const std::string& utf8);

// Runs a box until handleInput returns false: each pass clears the frame,
// lets draw draw the box, shows the frame paced, then lets handleInput read
// the input. Input from before the box and from inside it never reaches the
// editor, and the drawing state is left as found.
void RunWindowBox(const std::function<void()>& draw, const std::function<bool()>& handleInput);
