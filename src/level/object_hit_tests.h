#pragma once
// Which object the pointer is on, and which objects belong together.

#include "level/level.h"
#include "level/level_object.h"
#include "level/object_kinds.h"

// Level pixel (px, py) inside obj's box. An object without a size still gets a
// tile-sized box at its position, or it could never be pointed at.
inline bool InHitbox(int px, int py, const TLevelObject& obj) {
    const int x = AsSigned16(obj.x), y = AsSigned16(obj.y);
    const auto inBox = [&](int w, int h) { return px >= x && px < x + w && py >= y && py < y + h; };
    if (inBox(obj.xl, obj.yl)) return true;
    return (obj.xl == 0 || obj.yl == 0) && inBox(kTileSize, kTileSize);
}

// Objects of the linkable kinds that share a link ID; an object is linked
// with itself.
inline bool ObjectsLinked(const TLevelObject* a, const TLevelObject* b) {
    return a && b && a->counter == b->counter && IsLinkableKind(a->objkind) && IsLinkableKind(b->objkind);
}
