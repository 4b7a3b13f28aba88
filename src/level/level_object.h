#pragma once
// One level object: the game's 31-byte object record, its text, and the chain
// of sprite placements through which the editor draws it.

#include <cstdint>
#include <memory>
#include <string>

#include "level/my_shape.h"

class TBitmap;
class TStream;

class TLevelObject {
public:
    TLevelObject() = default;
    // Copies would share the sprite chain; Clone() makes an independent one.
    TLevelObject(const TLevelObject&) = delete;
    TLevelObject& operator=(const TLevelObject&) = delete;

    // The game's record, in file order. Stored unsigned; read signed through
    // AsSigned16 where a rule speaks of a direction or a negative value.
    uint8_t objkind = 0;
    uint16_t x = 0, y = 0;
    uint16_t xd = 0, yd = 0;
    uint16_t xl = 0, yl = 0;
    uint16_t state = 0, substate = 0, statecount = 0;
    uint16_t counter = 0;   // the link ID of the linkable kinds
    uint16_t objflags = 0;
    int32_t inside = 0;     // nonzero when the object carries a text
    std::string insideStr;  // one character per byte, codes 0-255
    uint16_t info1 = 0, zaphold = 0;

    std::shared_ptr<TMyShape> myshape;   // head of the sprite chain; empty until built

    // Sets xl and yl from the kind (defined with the object pictures).
    void UpdateHitbox();
    // 1 when other is present and every record field and the text are equal;
    // the pictures are not compared.
    int Equals(const TLevelObject* other) const;
    // Copies the record fields and the text, and shares other's sprite chain
    // until either object changes its own. Nothing when other is absent.
    int CopyFrom(const TLevelObject* other);
    std::shared_ptr<TLevelObject> Clone() const;
    // Moves the object and all its sprites by the same amount.
    void ChangePosition(int newX, int newY);
    // Appends one placement to the chain; nothing for kNoShape without a bitmap.
    int AddShape(int x, int y, uint16_t sh, std::shared_ptr<TBitmap> bitmap);
    // Rebuilds the sprite chain from the fields (defined with the object pictures).
    void InitShape();

    // True when the written record says the object has a text block.
    bool HasTextBlock() const { return inside != 0 || !insideStr.empty(); }
    // Writes the 31-byte record; 0 (and nothing written) when stream is absent.
    int Write(TStream* stream) const;

private:
    // Makes the sprite chain this object's alone before it is changed; the
    // pictures stay shared, as nothing changes a picture in place.
    void OwnChain();
};

using TLevelObjectPtr = std::shared_ptr<TLevelObject>;
