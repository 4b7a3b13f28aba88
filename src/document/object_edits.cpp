#include "document/object_edits.h"

#include <algorithm>
#include <set>

#include "document/level_document.h"
#include "level/level.h"
#include "level/object_kinds.h"

bool PlaceObject(TLevelDocument& document, const std::shared_ptr<TLevelObject>& obj, int x, int y) {
    if (!document.level || !obj) return false;
    const bool inLevel = document.level->ContainsObject(obj.get());
    if (inLevel && x == AsSigned16(obj->x) && y == AsSigned16(obj->y)) return false;
    document.MakeUndoState();
    document.levelchanged = 1;
    obj->ChangePosition(x, y);
    if (!inLevel) document.level->AddObject(obj);
    return true;
}

void DeleteObject(TLevelDocument& document, const TLevelObject* obj) {
    document.MakeUndoState();
    document.levelchanged = 1;
    if (document.level) document.level->DeleteObject(obj);
}

void LinkObjects(TLevelDocument& document, TLevelObject& source, TLevelObject& target, uint16_t id) {
    document.MakeUndoState();
    document.levelchanged = 1;
    source.counter = target.counter = id;
}

int OthersUsingLinkId(const TLevel& level, uint16_t id, const TLevelObject* a, const TLevelObject* b) {
    return int(std::count_if(level.objs.begin(), level.objs.end(), [&](const TLevelObjectPtr& obj) {
        return obj && obj.get() != a && obj.get() != b && IsLinkableKind(obj->objkind) && obj->counter == id;
    }));
}

uint16_t FirstUnusedLinkId(const TLevel& level) {
    std::set<uint16_t> used;
    for (const TLevelObjectPtr& obj : level.objs)
        if (obj && IsLinkableKind(obj->objkind)) used.insert(obj->counter);
    uint16_t id = 1;
    while (used.count(id) && id != 0xFFFF) ++id;
    return id;
}
