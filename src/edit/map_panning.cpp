// The middle button drags the map: the level under the pointer follows it,
// as in the tile-map editors people know.

#include "edit/jill_level_viewer.h"
#include "screen/input.h"

bool TJillLevelViewer::PanMap(bool press3, bool down3) {
    if (press3 && !panning && MouseOverMap()) {
        panning = 1;
        panStartX = PointerX();
        panStartY = PointerY();
        panStartCamX = camX;
        panStartCamY = camY;
        return false;
    }
    if (!panning) return false;
    const int oldX = camX, oldY = camY;
    // Where the button was let go counts too.
    PanCamera(panStartCamX, panStartCamY, PointerX() - panStartX, PointerY() - panStartY);
    if (!down3) panning = 0;
    return !down3 || camX != oldX || camY != oldY;
}
