// "Export Mapshot": the whole level as one PNG picture.

#include "edit/jill_level_viewer.h"
#include "edit/save_name.h"
#include "gamedata/level_picture.h"
#include "image/bitmap.h"
#include "image/png_save.h"
#include "system/stream.h"

std::shared_ptr<TBitmap> TJillLevelViewer::LevelToBitmap() {
    return level ? ::LevelToBitmap(*level, shapeman.get(), tileinfo.get()) : nullptr;
}

void TJillLevelViewer::ExportMapshot() {
    DisplayMessage("Generating Mapshot...");
    const std::shared_ptr<TBitmap> shot = LevelToBitmap();
    if (!shot) return;
    // Proposed: the level's name as a picture, beside the level.
    const std::string proposal = levelfile.empty() ? dir : WithExtension(levelfile, "png");
    const std::string path = AskSaveName(*this, "Export Mapshot ...", "PNG Image:png", "png", proposal);
    if (path.empty()) return;
    DisplayMessage("Saving Mapshot...");
    if (!SavePng(shot.get(), path, 0))
        MyNotify(WithFileErrorReason("ERROR: Cannot write the mapshot to the file\n\n" + path, "\n\n"), 0);
}
