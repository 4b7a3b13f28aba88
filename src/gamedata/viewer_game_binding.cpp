#include "edit/jill_level_viewer.h"
#include "gamedata/shape_manager.h"
#include "gamedata/tile_info.h"

std::vector<TGameInfoPtr> TJillLevelViewer::GetGames(const std::string& folder) {
    return FindGames(folder, GameInfos);
}

void TJillLevelViewer::InitGame(const std::string& folder, const TGameInfoPtr& game) {
    if (!game) return;
    // Shape manager and tile info belong together: both are replaced at once,
    // and the tile pictures are made from the new shapes.
    shapeman = std::make_shared<TShapeManager>();
    tileinfo = std::make_shared<TTileInfo>();
    shapeman->Init(folder + game->ShapeFile);
    tileinfo->Init(folder + game->TileInfoFile, shapeman);
}
