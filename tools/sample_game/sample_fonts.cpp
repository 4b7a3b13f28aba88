// Font tables. Glyph pixels use the colour numbers the editor recolours for
// labels: 1 and 2 the text colour, 3 the background, 0 see-through.

#include "sample_game/sample_art.h"

namespace {

// One glyph drawn at (left, top), each glyph pixel scaleX wide; gives false
// when the character has no glyph.
bool DrawGlyph(TCanvas& cell, char c, int left, int top, int scaleX, uint8_t colour, uint8_t shadow) {
    bool known = false;
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column) {
            bool set = false;
            known = GlyphPixel(c, column, row, set);
            if (!known) return false;
            if (!set) continue;
            if (shadow) cell.Fill(left + column * scaleX + 1, top + row + 1, scaleX, 1, shadow);
            cell.Fill(left + column * scaleX, top + row, scaleX, 1, colour);
        }
    return known;
}

TSampleShapeTable FontTable(int first, int count, int width, int height, int left, int top, int scaleX,
                          bool background) {
    TSampleShapeTable table;
    table.depth = 2;
    table.flags = 1;   // colour numbers are used as they are
    for (int frame = 0; frame < count; ++frame) {
        const int code = first + frame;
        TCanvas cell(width, height, background ? 3 : 0);
        // Characters without a glyph still get a frame: a small box, so a
        // missing letter shows as such instead of as a gap.
        if (code < 32 || code > 126 || !DrawGlyph(cell, char(code), left, top, scaleX, 1, background ? 2 : 0))
            cell.Frame(left, top, 3 * scaleX, 5, 2);
        table.frames.push_back(cell);
    }
    return table;
}

}  // namespace

void AddSampleFonts(TSampleShapeTables& tables) {
    // Codes 0-127; the 8 x 8 font has bold glyphs with a shadow.
    tables[1] = FontTable(0, 128, 8, 8, 1, 1, 2, true);
    tables[2] = FontTable(0, 128, 6, 6, 1, 0, 1, true);
    // The score font starts at "0"; it has the digits and the letters after them.
    tables[4] = FontTable('0', 'z' - '0' + 1, 4, 5, 0, 0, 1, false);
}
