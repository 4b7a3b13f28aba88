#include "cli/cli_commands.h"

#include <algorithm>
#include <cctype>

#include "gamedata/level_thumbnail.h"
#include "image/png_save.h"
#include "level/level.h"
#include "system/stream.h"

namespace {

// From a picture the size of an icon to the whole level at full size: a
// file manager asks for 128 to 1024.
constexpr int kMinThumbnailSize = 2;
constexpr int kMaxThumbnailSize = kBoardWidth * kTileSize;

// The size as plain decimal digits within the limits; 0 otherwise ("+5",
// "-1", "1e3" and numbers too long to be one are refused, never wrapped).
int ThumbnailSize(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return 0;
    const int size = std::stoi(text);
    return size >= kMinThumbnailSize && size <= kMaxThumbnailSize ? size : 0;
}

}  // namespace

int CliThumbnail(TCliCall& call) {
    const std::string& levelPath = call.args[0];
    const std::string& target = call.args[1];
    const int size = ThumbnailSize(call.args[2]);
    if (!size) {
        call.err << "tarn-cli: the thumbnail's size must be a whole number of pixels from " << kMinThumbnailSize
                 << " to " << kMaxThumbnailSize << ": " << call.args[2] << "\n";
        return 2;
    }
    TCliLevel bound;
    bound.level = ReadLevelForCli(levelPath, call);
    if (!bound.level) return 1;
    // Without the game's files the board still shows, in plain colours.
    BindLevelGame(levelPath, bound);
    const auto picture =
        LevelThumbnail(*bound.level, bound.game.shapeman.get(), bound.game.tileinfo.get(), size);
    if (!SavePng(picture, target, 0)) {
        call.err << WithFileErrorReason("tarn-cli: cannot write the thumbnail to the file " + target, " ") << "\n";
        return 1;
    }
    return 0;
}
