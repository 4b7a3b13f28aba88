#include "level/level.h"

#include <algorithm>

#include "level/object_kinds.h"

std::shared_ptr<TLevel> TLevel::Clone() const {
    auto copy = std::make_shared<TLevel>();
    copy->bd = bd;
    copy->numobjs = numobjs;
    copy->objs.reserve(objs.size());
    for (const TLevelObjectPtr& obj : objs) copy->objs.push_back(obj ? obj->Clone() : nullptr);
    copy->pl_level = pl_level;
    copy->pl_health = pl_health;
    copy->pl_numinv = pl_numinv;
    copy->pl_inv = pl_inv;
    copy->pl_score = pl_score;
    copy->pl_ouched = pl_ouched;
    copy->pl_oldscore = pl_oldscore;
    copy->pl_pad = pl_pad;
    copy->tail = tail;
    copy->levelfile = levelfile;
    return copy;
}

int TLevel::GetObjectIndex(const TLevelObject* obj) const {
    if (!obj) return -1;
    for (size_t i = 0; i < objs.size(); ++i)
        if (objs[i].get() == obj) return static_cast<int>(i);
    return -1;
}

bool TLevel::ContainsObject(const TLevelObject* obj) const { return GetObjectIndex(obj) != -1; }

void TLevel::ChangeObjectIndex(const TLevelObject* obj, int newIndex) {
    int oldIndex = GetObjectIndex(obj);
    if (oldIndex < 0) return;
    newIndex = std::clamp(newIndex, 0, static_cast<int>(objs.size()) - 1);
    auto first = objs.begin();
    if (newIndex > oldIndex)
        std::rotate(first + oldIndex, first + oldIndex + 1, first + newIndex + 1);
    else if (newIndex < oldIndex)
        std::rotate(first + newIndex, first + oldIndex, first + oldIndex + 1);
}

void TLevel::AddObject(TLevelObjectPtr obj) {
    if (!obj || ContainsObject(obj.get())) return;
    objs.push_back(std::move(obj));
    numobjs = static_cast<uint16_t>(objs.size());
}

void TLevel::DeleteObject(const TLevelObject* obj) {
    std::erase_if(objs, [obj](const TLevelObjectPtr& entry) { return entry.get() == obj; });
    numobjs = static_cast<uint16_t>(objs.size());
}

void TLevel::PurgeObjects() {
    size_t kept = 0;
    for (size_t i = 0; i < objs.size(); ++i) {
        if (objs[i] && objs[i]->objkind != ObjKind::KILLME) {
            TLevelObjectPtr survivor = std::move(objs[i]);
            objs[kept++] = std::move(survivor);
        }
    }
    for (size_t i = kept; i < objs.size(); ++i) objs[i] = nullptr;
    numobjs = static_cast<uint16_t>(kept);
}

uint16_t TLevel::Board(int x, int y) const {
    if (!IsOnBoard(x, y)) return 0;
    return bd[x * kBoardHeight + y] & kTileNumberMask;
}

void TLevel::SetTile(int x, int y, uint16_t value) {
    if (!IsOnBoard(x, y)) return;
    bd[x * kBoardHeight + y] = value;
}

namespace {

bool IsEdgedTile(uint16_t tile) { return tile >= 20 && tile <= 23; }

// The shape drawn over an edged tile, chosen by which of its neighbours are
// open (not edged themselves). Bits of open: the 3 x 3 cells row by row.
uint16_t EdgeOverlay(unsigned open) {
    if ((open & 0xAA) == 0xAA) return 0x2A05;
    if ((open & 0x0A) == 0x0A) return 0x2A01;
    if ((open & 0x22) == 0x22) return 0x2A02;
    if ((open & 0x88) == 0x88) return 0x2A03;
    if ((open & 0xA0) == 0xA0) return 0x2A04;
    return kNoOverlay;
}

}  // namespace

uint16_t TLevel::GetTile(int x, int y, uint16_t& overlay) const {
    overlay = kNoOverlay;
    uint16_t tile = Board(x, y);
    if (IsEdgedTile(tile)) {
        unsigned open = 0;
        unsigned weight = 1;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx, weight <<= 1)
                if (!IsEdgedTile(Board(x + dx, y + dy))) open |= weight;
        }
        overlay = EdgeOverlay(open);
        return tile;
    }
    // These tiles are drawn over their left neighbour ...
    if (tile >= 100 && tile <= 102) {
        if (x <= 0) return tile;
        overlay = tile | 0x8000;
        return Board(x - 1, y);
    }
    // ... and these over the tile above.
    if (tile >= 103 && tile <= 105) {
        overlay = tile | 0x8000;
        return Board(x, y - 1);
    }
    return tile;
}

std::vector<TLevelObjectPtr> TLevel::GetLinks() const {
    std::vector<TLevelObjectPtr> links;
    std::vector<bool> seen(65536, false);
    for (const TLevelObjectPtr& obj : objs) {
        if (!obj || !IsLinkableKind(obj->objkind) || seen[obj->counter]) continue;
        seen[obj->counter] = true;
        links.push_back(obj);
    }
    return links;
}
