#pragma once
// The player's inventory in the level's player block: the items carried, in
// pl_inv's 16 slots, pl_numinv of them in use.

#include <cstdint>

class TLevel;

inline constexpr int kInventorySlots = 16;

// The items in use; a count from a file beyond the slots, or below zero,
// never reaches past them.
int InventoryItemsInUse(const TLevel& level);
// Takes out the item in slot, the ones after it moving up; nothing for a
// slot not in use.
void RemoveInventoryItem(TLevel& level, int slot);
// Adds item after the last one; false when all slots are in use.
bool AddInventoryItem(TLevel& level, uint16_t item);
