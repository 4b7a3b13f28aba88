#include "level/level_object.h"

#include "image/bitmap.h"
#include "level/object_kinds.h"
#include "system/stream.h"

int TLevelObject::Equals(const TLevelObject* other) const {
    if (!other) return 0;
    const TLevelObject& o = *other;
    return objkind == o.objkind && x == o.x && y == o.y && xd == o.xd && yd == o.yd && xl == o.xl &&
           yl == o.yl && state == o.state && substate == o.substate && statecount == o.statecount &&
           counter == o.counter && objflags == o.objflags && inside == o.inside && insideStr == o.insideStr &&
           info1 == o.info1 && zaphold == o.zaphold;
}

int TLevelObject::CopyFrom(const TLevelObject* other) {
    if (!other) return 0;
    // Copying from oneself must not lose the chain while walking it.
    std::shared_ptr<TMyShape> sourceChain = other->myshape;
    const TLevelObject& o = *other;
    objkind = o.objkind;
    x = o.x;
    y = o.y;
    xd = o.xd;
    yd = o.yd;
    xl = o.xl;
    yl = o.yl;
    state = o.state;
    substate = o.substate;
    statecount = o.statecount;
    counter = o.counter;
    objflags = o.objflags;
    inside = o.inside;
    insideStr = o.insideStr;
    info1 = o.info1;
    zaphold = o.zaphold;
    // The pictures and placements are shared until one of the two objects
    // moves or grows its chain (OwnChain): an undo snapshot of a level then
    // costs the records and little more.
    myshape = sourceChain;
    return 1;
}

std::shared_ptr<TLevelObject> TLevelObject::Clone() const {
    auto copy = std::make_shared<TLevelObject>();
    copy->CopyFrom(this);
    return copy;
}

void TLevelObject::OwnChain() {
    if (!myshape || myshape.use_count() == 1) return;
    std::shared_ptr<TMyShape> shared = myshape;
    myshape = nullptr;
    TMyShape* last = nullptr;
    for (const TMyShape* shape = shared.get(); shape; shape = shape->succ.get()) {
        auto placement = std::make_shared<TMyShape>(*shape);
        placement->succ = nullptr;
        (last ? last->succ : myshape) = placement;
        last = placement.get();
    }
}

void TLevelObject::ChangePosition(int newX, int newY) {
    OwnChain();
    int dx = newX - AsSigned16(x);
    int dy = newY - AsSigned16(y);
    x = static_cast<uint16_t>(AsSigned16(x) + dx);
    y = static_cast<uint16_t>(AsSigned16(y) + dy);
    for (TMyShape* shape = myshape.get(); shape; shape = shape->succ.get()) {
        shape->x += dx;
        shape->y += dy;
    }
}

int TLevelObject::AddShape(int shapeX, int shapeY, uint16_t sh, std::shared_ptr<TBitmap> bitmap) {
    if (sh == kNoShape && !bitmap) return 0;
    OwnChain();
    auto shape = std::make_shared<TMyShape>();
    shape->x = shapeX;
    shape->y = shapeY;
    shape->sh = sh;
    if (bitmap) shape->image = bitmap->ToImage(1);
    shape->bitmap = std::move(bitmap);
    if (!myshape) {
        myshape = shape;
    } else {
        TMyShape* last = myshape.get();
        while (last->succ) last = last->succ.get();
        last->succ = shape;
    }
    return 1;
}

int TLevelObject::Write(TStream* stream) const {
    if (!stream) return 0;
    stream->WriteByte(objkind);
    for (uint16_t field : {x, y, xd, yd, xl, yl, state, substate, statecount, counter, objflags})
        stream->WriteShort(field);
    // The game kept a pointer here; all it needs is whether a text block follows.
    stream->WriteInt(HasTextBlock() ? 1 : 0);
    stream->WriteShort(info1);
    stream->WriteShort(zaphold);
    return 1;
}
