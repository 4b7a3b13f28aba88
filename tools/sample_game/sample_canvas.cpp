#include "sample_game/sample_canvas.h"

#include <array>
#include <cctype>

TCanvas::TCanvas(int w, int h, uint8_t fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}

void TCanvas::Set(int x, int y, uint8_t colour) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[static_cast<size_t>(y) * width + x] = colour;
}

void TCanvas::Fill(int x, int y, int w, int h, uint8_t colour) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) Set(x + i, y + j, colour);
}

void TCanvas::Frame(int x, int y, int w, int h, uint8_t colour) {
    for (int i = 0; i < w; ++i) {
        Set(x + i, y, colour);
        Set(x + i, y + h - 1, colour);
    }
    for (int j = 0; j < h; ++j) {
        Set(x, y + j, colour);
        Set(x + w - 1, y + j, colour);
    }
}

void TCanvas::Ellipse(int x, int y, int w, int h, uint8_t colour) {
    // Integer test on doubled coordinates keeps even sizes symmetric.
    const long a = w, b = h;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const long dx = 2 * i + 1 - a, dy = 2 * j + 1 - b;
            if (dx * dx * b * b + dy * dy * a * a <= a * a * b * b) Set(x + i, y + j, colour);
        }
}

void TCanvas::Text(int x, int y, const std::string& text, uint8_t colour) {
    for (size_t k = 0; k < text.size(); ++k)
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 3; ++column) {
                bool set = false;
                if (GlyphPixel(text[k], column, row, set) && set)
                    Set(x + static_cast<int>(k) * 4 + column, y + row, colour);
            }
}

void TCanvas::CentredText(const std::string& text, uint8_t colour) {
    const int textWidth = static_cast<int>(text.size()) * 4 - 1;
    Text((width - textWidth) / 2, (height - 5) / 2, text, colour);
}

namespace {

struct TGlyph {
    char c;
    const char* rows;   // 5 rows of 3 pixels, '#' set
};

// Drawn for this program; one glyph per line keeps them easy to review.
constexpr std::array<TGlyph, 62> kGlyphs = {{
    {'0', "####.##.##.####"}, {'1', ".#.##..#..#.###"}, {'2', "###..#####..###"},
    {'3', "###..####..####"}, {'4', "#.##.####..#..#"}, {'5', "####..###..####"},
    {'6', "####..####.####"}, {'7', "###..#..#..#..#"}, {'8', "####.#####.####"},
    {'9', "####.####..####"}, {'A', ".#.#.#####.##.#"}, {'B', "##.#.###.#.###."},
    {'C', ".###..#..#...##"}, {'D', "##.#.##.##.###."}, {'E', "####..###..####"},
    {'F', "####..###..#..."}, {'G', ".###..#.##.#.##"}, {'H', "#.##.####.##.##"},
    {'I', "###.#..#..#.###"}, {'J', "..#..#..##.#.#."}, {'K', "#.##.###.#.##.#"},
    {'L', "#..#..#..#..###"}, {'M', "#.####.##.##.##"}, {'N', "##.#.##.##.##.#"},
    {'O', ".#.#.##.##.#.#."}, {'P', "##.#.###.#..#.."}, {'Q', ".#.#.##.##.#.##"},
    {'R', "##.#.###.#.##.#"}, {'S', ".###...#...###."}, {'T', "###.#..#..#..#."},
    {'U', "#.##.##.##.####"}, {'V', "#.##.##.##.#.#."}, {'W', "#.##.##.#####.#"},
    {'X', "#.##.#.#.#.##.#"}, {'Y', "#.##.#.#..#..#."}, {'Z', "###..#.#.#..###"},
    {'.', "............#.."}, {',', ".........#.#..."}, {'!', ".#..#..#.....#."},
    {'?', "###..#.#.....#."}, {':', "....#.....#...."}, {';', "....#.....#.#.."},
    {'-', "......###......"}, {'+', "....#.###.#...."}, {'=', "...###...###..."},
    {'/', "..#..#.#.#..#.."}, {'(', ".#.#..#..#...#."}, {')', ".#...#..#..#.#."},
    {'\'', ".#..#.........."}, {'"', "#.##.#........."}, {'*', "#.#.#.#.#.#...."},
    {'#', "#.####.####.#.#"}, {'%', "#.#..#.#.#..#.#"}, {'&', ".#.#.#.#.#.#.##"},
    {'<', "..#.#.#...#...#"}, {'>', "#...#...#.#.#.."}, {'[', "##.#..#..#..##."},
    {']', ".##..#..#..#.##"}, {'_', "............###"}, {'$', ".###.#.#.#.###."},
    {'@', "####.####..####"}, {' ', "..............."},
}};

}  // namespace

bool GlyphPixel(char c, int column, int row, bool& set) {
    const bool lower = std::islower(static_cast<unsigned char>(c));
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const TGlyph& glyph : kGlyphs)
        if (glyph.c == upper) {
            // Lower case is small capitals: the top, middle and bottom rows
            // of the capital in the lower three rows.
            if (lower) {
                if (row < 2) {
                    set = false;
                    return true;
                }
                row = (row - 2) * 2;
            }
            set = glyph.rows[row * 3 + column] == '#';
            return true;
        }
    return false;
}

std::string HexByte(int value) {
    static const char digits[] = "0123456789ABCDEF";
    return {digits[(value >> 4) & 15], digits[value & 15]};
}
