#pragma once
// The edits of the level's objects, each one undoable step, at level pixel
// positions: placing a new object or moving one, deleting one, and giving
// two objects one link ID.

#include <cstdint>
#include <memory>

class TLevel;
class TLevelDocument;
class TLevelObject;

// Puts obj at level pixel (x, y), adding it to the level when it is not
// part of it. False, and nothing recorded, when obj already stands there.
bool PlaceObject(TLevelDocument& document, const std::shared_ptr<TLevelObject>& obj, int x, int y);
void DeleteObject(TLevelDocument& document, const TLevelObject* obj);
// Both objects come to carry the link ID id.
void LinkObjects(TLevelDocument& document, TLevelObject& source, TLevelObject& target, uint16_t id);

// Objects of a linkable kind other than a and b that carry the link ID id.
int OthersUsingLinkId(const TLevel& level, uint16_t id, const TLevelObject* a, const TLevelObject* b);
// The smallest link ID from 1 up that no object of a linkable kind carries.
uint16_t FirstUnusedLinkId(const TLevel& level);
