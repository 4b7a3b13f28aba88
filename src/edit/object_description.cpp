// The one-line description of an object and its wrapping to a width.

#include "edit/jill_level_viewer.h"
#include "level/object_text.h"
#include "screen/graphics.h"

std::string TJillLevelViewer::ObjectToString(const TLevelObject* obj) const {
    return ::ObjectToString(level.get(), obj);
}

namespace {
// What one character adds to StringWidth.
int CharWidth(char c) { return StringWidth(std::string(1, c)); }
}  // namespace

std::vector<std::string> TJillLevelViewer::SplitLine(const std::string& text, int width) const {
    std::vector<std::string> pieces;
    size_t start = 0, lastBlank = 0;
    // The width of text[start..i], kept as i moves: an object's text may be
    // tens of thousands of characters long, and this runs on every redraw.
    int pieceWidth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        pieceWidth += CharWidth(text[i]);
        if (text[i] == ' ') {
            lastBlank = i;
        } else if (pieceWidth > width && lastBlank > start) {
            // A single word wider than the width stays whole as its own
            // piece; there is nowhere better to cut it.
            pieces.push_back(text.substr(start, lastBlank - start));
            start = lastBlank + 1;
            pieceWidth = StringWidth(text.substr(start, i + 1 - start));
        }
    }
    pieces.push_back(text.substr(start));
    return pieces;
}
