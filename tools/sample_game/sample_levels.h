#pragma once
// The sample game's levels, one or more per level file extension.

#include <cstdint>
#include <vector>

#include "level/level.h"
#include "sample_game/sample_game.h"

// The level file bytes of a level: board, object records, player block and
// the text blocks of the objects that carry a text.
std::vector<uint8_t> EncodeSampleLevel(const TLevel& level);

std::vector<TSampleFile> BuildSampleLevels();
