#include "dialogs/message_window.h"

#include <algorithm>

#include "dialogs/message_frame.h"
#include "screen/graphics.h"
#include "screen/input.h"

namespace {

constexpr int kButtonHeight = 24;
constexpr int kButtonGap = 16;
constexpr int kMinButtonWidth = 80;

// Above and below the text, and the button row with the space under it.
constexpr int kMarginsHeight = kBoxRow + 8 + 12 + kButtonHeight + 8;

}  // namespace

std::vector<std::string> MessageRows(const std::string& text, size_t columns, size_t maxRows) {
    columns = std::max<size_t>(columns, 1);
    std::vector<std::string> rows;
    // DrawableText shows a line break as "?", so lines are split first.
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\n', start);
        std::string line = DrawableText(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        while (line.size() > columns) {
            size_t blank = line.rfind(' ', columns);
            size_t cut = blank == std::string::npos || blank == 0 ? columns : blank;
            rows.push_back(line.substr(0, line.find_last_not_of(' ', cut - 1) + 1));
            size_t next = line.find_first_not_of(' ', cut);
            line = next == std::string::npos ? "" : line.substr(next);
        }
        rows.push_back(line);
        if (rows.size() > maxRows) rows.resize(maxRows);
        if (end == std::string::npos || rows.size() == maxRows) return rows;
        start = end + 1;
    }
}

std::vector<TButtonPlace> MessageButtonPlaces(const std::vector<TMessageButton>& buttons, int centreX, int top) {
    std::vector<TButtonPlace> places;
    int total = 0;
    for (const TMessageButton& button : buttons) {
        int width = std::max(StringWidth(button.text) + 4 * kBoxColumn, kMinButtonWidth);
        places.push_back({0, top, width, kButtonHeight});
        total += width + (places.size() > 1 ? kButtonGap : 0);
    }
    int x = centreX - total / 2;
    for (TButtonPlace& place : places) {
        place.x = x;
        x += place.w + kButtonGap;
    }
    return places;
}

int RunMessageWindow(const std::string& title, const std::string& text, const std::vector<TMessageButton>& buttons) {
    if (buttons.empty()) return -1;
    TBoxFrame frame = CentredBoxFrame(0);
    // What does not fit the window is left out rather than pushing the
    // buttons out of reach.
    size_t fitting = static_cast<size_t>(std::max((ScreenHeight() - 2 * kBoxRow - kMarginsHeight) / kBoxRow, 1));
    std::vector<std::string> rows = MessageRows(text, BoxColumns(frame), fitting);
    frame = CentredBoxFrame(static_cast<int>(rows.size()) * kBoxRow + kMarginsHeight);
    int textTop = frame.top + kBoxRow + 8;
    std::vector<TButtonPlace> places =
        MessageButtonPlaces(buttons, frame.left + frame.width / 2, textTop + static_cast<int>(rows.size()) * kBoxRow + 12);

    size_t focus = 0;
    int pressed = buttons.back().id;
    auto draw = [&] {
        DrawBoxFrame(frame, title);
        SetColor(255, 255, 255);
        for (size_t i = 0; i < rows.size(); ++i)
            DrawString(rows[i], frame.left + kBoxColumn, textTop + static_cast<int>(i) * kBoxRow);
        for (size_t i = 0; i < buttons.size(); ++i) {
            const TButtonPlace& place = places[i];
            if (i == focus)
                SetColor(0, 96, 208);
            else
                SetColor(80, 80, 96);
            DrawRect(place.x, place.y, place.w, place.h);
            SetColor(255, 255, 255);
            DrawString(buttons[i].text, place.x + (place.w - StringWidth(buttons[i].text)) / 2,
                       place.y + (place.h - kBoxRow) / 2);
        }
    };
    auto handleInput = [&] {
        for (int code; (code = NextChar()) != 0;) {
            if (code == 27) {
                pressed = buttons.back().id;
                return false;
            }
            if (code == 13 || code == ' ') {
                pressed = buttons[focus].id;
                return false;
            }
            if (code == 9) focus = (focus + 1) % buttons.size();
        }
        if (KeyRepeat(VK_LEFT, kKeyRepeatDelayMs) && focus > 0) --focus;
        if (KeyRepeat(VK_RIGHT, kKeyRepeatDelayMs) && focus + 1 < buttons.size()) ++focus;
        if (ButtonHits(1) > 0)
            for (size_t i = 0; i < places.size(); ++i)
                if (places[i].Contains(PointerX(), PointerY())) {
                    pressed = buttons[i].id;
                    return false;
                }
        return true;
    };
    RunWindowBox(draw, handleInput);
    return pressed;
}
