#include "gamedata/shape.h"
#include "gamedata/shape_manager.h"
#include "screen/graphics.h"

void TShape::Draw(int x, int y, int frame) const {
    if (frame < 0 || frame >= numshapes || !images[frame]) return;
    DrawImageAt(images[frame], float(x), float(y), 0);
}

void TShapeManager::DrawShape(int table, int x, int y, int frame) const {
    if (table <= 0 || table >= ShapeTableCount || !shapes[table]) return;
    shapes[table]->Draw(x, y, frame);
}

void TShapeManager::DrawSh(uint16_t shape, int x, int y) const {
    DrawShape((shape & 0x3FFF) >> 8, x, y, shape & 0xFF);
}
