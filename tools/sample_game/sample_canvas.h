#pragma once
// A small indexed drawing surface for the sample game's art. Pixels are colour
// numbers as the shape file stores them (0 is the see-through colour of a
// sprite), so the same drawing serves 8-bit tables and mapped 4-bit ones.

#include <cstdint>
#include <string>
#include <vector>

class TCanvas {
public:
    TCanvas(int width, int height, uint8_t fill = 0);

    int Width() const { return width; }
    int Height() const { return height; }
    const std::vector<uint8_t>& Pixels() const { return pixels; }

    // Every drawing call clips to the canvas.
    void Set(int x, int y, uint8_t colour);
    void Fill(int x, int y, int w, int h, uint8_t colour);
    void Frame(int x, int y, int w, int h, uint8_t colour);
    void Ellipse(int x, int y, int w, int h, uint8_t colour);
    // Text in the 3 x 5 glyphs below, 4 pixels per character.
    void Text(int x, int y, const std::string& text, uint8_t colour);
    // Centred text, clipped like everything else when it does not fit.
    void CentredText(const std::string& text, uint8_t colour);

private:
    int width;
    int height;
    std::vector<uint8_t> pixels;
};

// The sample game's own 3 x 5 pixel glyphs: digits, letters (lower case as
// small capitals) and common punctuation. Gives false for characters it lacks.
bool GlyphPixel(char c, int column, int row, bool& set);

// Two upper-case hexadecimal digits, the way frame numbers are printed on art.
std::string HexByte(int value);
