#pragma once
// The sheet of tile attribute icons, "attributes.png", built into the program.
// Six 16 x 16 cells side by side on the game palette, index 255 transparent:
// 0 solid (yellow frame; its top row alone marks a stair), 1 solid for Tiny
// (brown frame), 2 water (blue inset frame), 3 vine (stripe), 4 touch (mark
// at the centre), 5 update (upper half) and draw (lower half) marks.

#include <cstddef>
#include <cstdint>
#include <string>

inline const std::string AttributeSheetFile = "attributes.png";
inline const std::string AttributeSheetName = "incbin::" + AttributeSheetFile;

constexpr int AttributeCellSize = 16;

// The PNG bytes of the sheet as built into the program.
const uint8_t* AttributeSheetBytes();
size_t AttributeSheetSize();

// Makes AttributeSheetName readable through OpenReadStream. Start-up and
// tarn-cli call it once before any tile info is loaded; tile info loaded
// without it has no attribute images.
void RegisterAttributeSheet();
