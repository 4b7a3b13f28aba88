#include "edit/jill_level_viewer.h"
#include "gamedata/object_labels.h"
#include "gamedata/shape_manager.h"
#include "level/level.h"

void TJillLevelViewer::GenerateImage(const std::shared_ptr<TLevelObject>& obj) {
    if (obj) GenerateObjectImage(*obj, shapeman.get());
}

void TJillLevelViewer::GenerateImages() {
    if (level) GenerateObjectImages(*level, shapeman.get());
    for (const TLevelObjectPtr& obj : objects) GenerateImage(obj);
}
