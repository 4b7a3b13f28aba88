#include "view/mini_game.h"

TMiniGame::TMiniGame(const TSampleShapeTables& tables, const std::vector<std::pair<int, int>>& tileShapes) {
    shapes->Init(std::make_shared<TMemoryStream>(EncodeShapeFile(tables)));
    auto info = std::make_shared<TMemoryStream>();
    for (auto [tile, shape] : tileShapes) {
        info->WriteShort(tile);
        info->WriteShort(shape);
        info->WriteShort(0);
        info->WriteByte(0);
    }
    info->Seek(0);
    tiles->Init(info, shapes);
}

TCanvas Plain(int w, int h, uint8_t colour) { return TCanvas(w, h, colour); }
