#include "gamedata/object_labels.h"

#include <string>

#include "gamedata/shape_manager.h"
#include "level/level.h"
#include "level/level_object.h"
#include "level/object_kinds.h"

namespace {

// The game's fonts: 1 is 8 x 8, 2 is 6 x 6, 4 the small score digits.
constexpr int kText8Font = 1;
constexpr int kText6Font = 2;
constexpr int kScoreFont = 4;
constexpr uint16_t kClearBackground = 0xFFFF;

}  // namespace

void GenerateObjectImage(TLevelObject& obj, const TShapeManager* shapes) {
    obj.InitShape();
    if (!shapes) return;
    // Labels sit at the unsigned position, as the game places them.
    switch (obj.objkind) {
    case ObjKind::TEXT6:
        obj.AddShape(obj.x, obj.y + 1, kNoShape, shapes->GetTextBitmap(obj.insideStr, kText6Font, obj.xd, obj.yd));
        break;
    case ObjKind::TEXT8:
        obj.AddShape(obj.x, obj.y, kNoShape, shapes->GetTextBitmap(obj.insideStr, kText8Font, obj.xd, obj.yd));
        break;
    case ObjKind::SCORE:
        obj.AddShape(obj.x, obj.y, kNoShape,
                     shapes->GetTextBitmap(std::to_string(obj.state), kScoreFont,
                                           static_cast<uint16_t>((obj.counter & 3) + 1), kClearBackground));
        break;
    default: break;
    }
}

void GenerateObjectImages(TLevel& level, const TShapeManager* shapes) {
    for (const TLevelObjectPtr& obj : level.objs)
        if (obj) GenerateObjectImage(*obj, shapes);
}
