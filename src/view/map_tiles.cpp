// The map's tile layer: one picture of the whole layer, kept in step with the
// board by the picture itself, drawn with a few scaled copies.

#include <memory>

#include "edit/jill_level_viewer.h"
#include "level/level.h"
#include "view/tile_layer.h"

void TJillLevelViewer::DrawLevelTiles() {
    if (drawtiles == 0 || !level || !shapeman || !tileinfo) return;
    if (!tileLayer) tileLayer = std::make_shared<TTileLayer>();
    if (tileLayer->Update(*level, shapeman, tileinfo, drawtiles, drawwin) && tileLayer->Draw(*this)) return;
    DrawTileCells(*level, *shapeman, *tileinfo, *this, drawtiles, drawwin);
}
