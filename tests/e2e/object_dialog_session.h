#pragma once
// The object menus, the picker and the "Edit Object" form run as the editor
// loop runs them, on a level of the sample game emptied of its objects, and
// what a test needs to read their windows back from the frame.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "e2e/editor_session.h"
#include "e2e/screen_colours.h"
#include "image/pixmap.h"
#include "level/level_object.h"

namespace object_dialogs {

constexpr int kMapX = 320;
constexpr uint32_t kWhite = Rgb(255, 255, 255);

uint32_t Pixel(const TPixmap& frame, int x, int y);

// The titled window of a menu or form: its content (x, y, w, h) inside the
// three rings, with the title bar above it, all of it inside the window.
void ExpectWindowAt(const TPixmap& frame, int x, int y, int w, int h);

// Characters of the text on row (x, y, w) as far as its last inked cell.
// Text is white or grey; the bar under a highlighted row is dark blue.
int TextCells(const TPixmap& frame, int x, int y, int w);

}  // namespace object_dialogs

class ObjectDialogs : public TEditorSession {
protected:
    ObjectDialogs();

    // An object of kind at (x, y) with its kind's box and picture, outside
    // the level; Add puts it in.
    TLevelObjectPtr Make(uint8_t kind, int x, int y, uint16_t counter = 0);
    TLevelObjectPtr Add(uint8_t kind, int x, int y, uint16_t counter = 0);

    void Press(int key);
    void Settle();
    // Checks the frame once the dialog has drawn what the steps before did.
    void Check(std::function<void(const TPixmap&)> check);
    // Enter on the highlighted row of the form opens its field, which shows
    // the value with the cursor after it; backspaces erase what is there,
    // the text is typed and entered, one character a frame, and the form is
    // back a few frames later.
    void Type(const std::string& text, int erase = 8);
    void Down(int times);
    // Runs the dialog with the script so far. The script is kept open until
    // the dialog returns, however many passes its last input takes.
    TRunResult Run(const std::function<void()>& body);

private:
    bool returned = false;
};
