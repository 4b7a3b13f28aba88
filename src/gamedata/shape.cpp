#include "gamedata/shape.h"

TShapePtr TShape::Create(uint8_t count, uint16_t flags) {
    auto shape = std::make_shared<TShape>();
    shape->numshapes = count;
    shape->flags = flags;
    shape->bitmaps.resize(count);
    shape->frames.resize(count);
    shape->images.resize(count);
    return shape;
}
