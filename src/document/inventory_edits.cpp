#include "document/inventory_edits.h"

#include <algorithm>

#include "level/level.h"
#include "level/object_kinds.h"

int InventoryItemsInUse(const TLevel& level) { return std::clamp(AsSigned16(level.pl_numinv), 0, kInventorySlots); }

void RemoveInventoryItem(TLevel& level, int slot) {
    const int inUse = InventoryItemsInUse(level);
    if (slot < 0 || slot >= inUse) return;
    auto& inv = level.pl_inv;
    std::copy(inv.begin() + slot + 1, inv.begin() + inUse, inv.begin() + slot);
    --level.pl_numinv;
}

bool AddInventoryItem(TLevel& level, uint16_t item) {
    if (AsSigned16(level.pl_numinv) < 0) level.pl_numinv = 0;
    if (level.pl_numinv >= kInventorySlots) return false;
    level.pl_inv[level.pl_numinv++] = item;
    return true;
}
