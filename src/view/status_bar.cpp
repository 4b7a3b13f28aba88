// The status bar's line: what lies under the pointer.

#include <cstdio>

#include "edit/jill_level_viewer.h"
#include "gamedata/shape_manager.h"
#include "gamedata/tile_flags.h"
#include "gamedata/tile_info.h"
#include "level/level.h"
#include "screen/graphics.h"
#include "screen/input.h"

namespace {

// The tile info knows tiles 0-599 by the low 10 bits of a board value.
bool IsKnownTile(uint16_t value) { return (value & 0x3FF) < TileCount; }

std::string Hex4(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

}  // namespace

void TJillLevelViewer::DrawStatusText(const std::string& text) { DrawString(text, float(mapX), float(statusY)); }

void TJillLevelViewer::DrawStatus() {
    // At the right end, left of the tile picture, while DOSBox plays.
    if (playProcess) {
        const std::string playing = "Playing in DOSBox";
        DrawString(playing, float(ScreenWidth() - kTileSize - 8 * int(playing.size()) - 8), float(statusY));
    }
    if (StatusNoticeShowing()) {
        DrawStatusText(statusNotice);
        // Redrawn until it is gone, however quiet the editor is.
        flashing = 1;
        return;
    }
    if (!tileinfo || !shapeman) return;
    // The tile's description and its picture at the right end of the bar;
    // a value that names no tile is shown without either.
    auto describeTile = [&](const std::string& prefix, uint16_t value) {
        if (!IsKnownTile(value)) {
            DrawStatusText(prefix + " shape=$???? name=? flags=");
            return;
        }
        const uint16_t shape = tileinfo->GetShape(value);
        DrawStatusText(prefix + " shape=$" + Hex4(shape) + " name=" + tileinfo->GetName(value) +
                       " flags=" + TileFlagNames(tileinfo->GetFlags(value)));
        shapeman->DrawSh(shape, ScreenWidth() - kTileSize, statusY);
    };
    if (MouseOverObjectList()) {
        if (auto obj = ObjListGetObjAt(PointerX(), PointerY())) DrawStatusText(ObjectToString(obj.get()));
    } else if (MouseOverTileset()) {
        int tx = 0, ty = 0;
        TilesetGetMousePos(tx, ty);
        if (IsValidTilesetPos(tx, ty)) {
            const int tile = TilesetGetTileAt(tx, ty);
            describeTile("tile=" + std::to_string(tile), uint16_t(tile));
        }
    } else if (MouseOverMap() && level) {
        int tx = 0, ty = 0;
        MapGetMouseTilePos(tx, ty);
        if (IsValidTilePos(tx, ty)) {
            const uint16_t word = level->bd[size_t(tx) * kBoardHeight + size_t(ty)];
            describeTile("X=" + std::to_string(tx) + " Y=" + std::to_string(ty) + " tile=" + std::to_string(word), word);
        }
    }
}
