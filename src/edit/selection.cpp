// The brush and the held object.

#include "edit/jill_level_viewer.h"
#include "level/level_object.h"

void TJillLevelViewer::ClearSelection() {
    selTiles.assign(1, 0);
    selW = 1;
    selH = 1;
    selObj = nullptr;
    selLink = 0;
}

void TJillLevelViewer::CancelSelection() {
    selStartX = -1;
    selStartY = -1;
    selArea = 0;
    // A left press waiting to pick a tileset entry on its release is a pick
    // in progress too: whatever cancels the rectangle cancels that as well.
    pickStartX = -1;
    pickStartY = -1;
}
