#pragma once
// The sample game's levels, one or more per level file extension.

#include <vector>

#include "sample_game/sample_game.h"

std::vector<TSampleFile> BuildSampleLevels();
