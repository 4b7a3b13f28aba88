#pragma once
// What the editor puts on the system's clipboard: a brush of tiles or one
// object, as a few lines of plain text that name the game they come from, so
// another window of the editor, with another level, can paste them, a person
// can read them and a script can write them:
//
//     Tarn clipboard: tiles          Tarn clipboard: object
//     game: Jill of the Jungle       game: Jill of the Jungle
//     size: 2 x 2                    objkind: 20
//     45 46                          x: 160
//     65 66                          ...  (every field of the record, signed decimal)
//     end                            text: "Hello\x0d"
//                                    end
//
// Any text at all may be offered to the reader: a text that is not one of
// these, or is damaged or cut short (the last line "end" tells), reads as
// nothing.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "level/level_object.h"

// A longer text is not one the editor wrote (a full-size brush takes about
// 50 KB, an object with the longest text about 260 KB) and is not read.
inline constexpr size_t kMaxClipboardTextBytes = 1024 * 1024;

struct TClipboardContent {
    enum class TKind { Nothing, Tiles, Object };
    TKind kind = TKind::Nothing;
    std::string game;   // the game's name, as the game table has it
    // Tiles: w x h tile numbers, row by row, as the brush holds them.
    std::vector<uint16_t> tiles;
    int w = 0, h = 0;
    // Object: every field and the text; no pictures yet.
    TLevelObjectPtr object;
};

// The text for a brush of w x h tiles (row by row) of game.
std::string ClipboardTilesText(const std::string& game, const std::vector<uint16_t>& tiles, int w, int h);
// The text for one object of game, every field and its text.
std::string ClipboardObjectText(const std::string& game, const TLevelObject& object);
// What text holds; kind Nothing for anything but a whole, valid text of the
// editor's: a brush of 1 x 1 up to the board's size with tile numbers of 14
// bits, or an object whose fields fit the record and whose text fits the
// level file.
TClipboardContent ReadClipboardText(std::string_view text);
