#pragma once
// The whole level as one picture, as the game would show it all at once:
// what the editor's "Export Mapshot" and tarn-cli's mapshot write.

#include <memory>

class TBitmap;
class TLevel;
class TShapeManager;
class TTileInfo;

// 2048 x 1024 on the game palette with index 0 opaque. Without shapes the
// picture is blank; without tiles it shows the objects alone. The objects'
// pictures are drawn as they are: make them first (GenerateObjectImages).
std::shared_ptr<TBitmap> LevelToBitmap(const TLevel& level, const TShapeManager* shapes, const TTileInfo* tiles);
