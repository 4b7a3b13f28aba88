#include <algorithm>
#include <iterator>
#include <string>

#include "level/level_object.h"
#include "level/object_kinds.h"

namespace {

struct TSize {
    uint16_t w, h;
};

// Box of each kind, by kind number. The text kinds, SCORE and BOLL take
// theirs from their fields instead (their entries here are never used).
constexpr TSize kFixedSizes[] = {
    {16, 32}, {12, 12}, {10, 10}, {0, 0},   {24, 16}, {16, 14}, {0, 0},   {32, 32},  // 0-7
    {8, 8},   {16, 8},  {32, 16}, {24, 24}, {16, 16}, {24, 32}, {16, 8},  {16, 16},  // 8-15
    {16, 24}, {20, 28}, {16, 16}, {16, 16}, {0, 0},   {0, 0},   {14, 10}, {4, 10},   // 16-23
    {16, 24}, {16, 16}, {0, 0},   {0, 0},   {16, 16}, {32, 16}, {16, 16}, {16, 32},  // 24-31
    {16, 16}, {16, 16}, {16, 16}, {16, 16}, {16, 32}, {16, 32}, {16, 16}, {56, 16},  // 32-39
    {16, 16}, {0, 0},   {20, 24}, {26, 32}, {32, 32}, {16, 16}, {16, 16}, {16, 16},  // 40-47
    {64, 8},  {32, 16}, {16, 16}, {22, 26}, {16, 16}, {16, 16}, {24, 16}, {16, 16},  // 48-55
    {16, 16}, {14, 10}, {8, 8},   {16, 24}, {28, 16}, {16, 16}, {16, 16}, {12, 7},   // 56-63
    {16, 12}, {16, 8},  {36, 16}, {64, 16}, {16, 32},                                // 64-68
};

// A text box as wide as its text; a text read from a file can be longer than
// a 16-bit width can say, and then the box stops at the widest one rather
// than wrapping round to a narrow one.
uint16_t TextWidth(size_t characters, size_t cellWidth) {
    return static_cast<uint16_t>(std::min<size_t>(cellWidth * std::max<size_t>(characters, 1), 0xFFFF));
}

int DecimalDigits(uint16_t value) {
    return static_cast<int>(std::to_string(value).size());
}

}  // namespace

void TLevelObject::UpdateHitbox() {
    switch (objkind) {
    case ObjKind::TEXT6:
        xl = TextWidth(insideStr.size(), 6);
        yl = 7;
        return;
    case ObjKind::TEXT8:
        xl = TextWidth(insideStr.size(), 8);
        yl = 8;
        return;
    case ObjKind::SCORE:
        xl = static_cast<uint16_t>(4 * (DecimalDigits(state) + 2));
        yl = 5;
        return;
    case ObjKind::BOLL:
        xl = yl = counter < 6 ? static_cast<uint16_t>(2 * counter + 4) : 14;
        return;
    default:
        if (objkind < std::size(kFixedSizes)) {
            xl = kFixedSizes[objkind].w;
            yl = kFixedSizes[objkind].h;
        }
    }
}
