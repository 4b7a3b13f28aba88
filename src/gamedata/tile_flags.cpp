#include "gamedata/tile_flags.h"

namespace {

const char* const FlagNames[15] = {
    "PLAYERTHRU", "NOTSTAIR", "NOTVINE", "TOUCH", "DRAW", "UPDATE", "INSIDE", "FRONT",
    "TRIGGER", "TINYTHRU", "ALWAYS", "KILLABLE", "FIREBALL", "WATER", "NOTWATER",
};

}  // namespace

std::string TileFlagNames(uint16_t flags) {
    std::string names;
    for (int bit = 0; bit < 15; ++bit) {
        if (!(flags & (1u << bit))) continue;
        if (!names.empty()) names += ",";
        names += FlagNames[bit];
    }
    return names;
}
