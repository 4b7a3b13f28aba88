#include "level/object_text.h"

#include "level/level.h"
#include "level/object_kinds.h"

std::string ObjectToString(const TLevel* level, const TLevelObject* object) {
    if (!object) return "";
    const TLevelObject& o = *object;
    std::string text;
    int index = level ? level->GetObjectIndex(object) : -1;
    if (index >= 0) text = "#" + std::to_string(index) + " ";
    auto field = [&text](const char* name, uint16_t value) {
        text += std::string(" ") + name + "=" + std::to_string(AsSigned16(value));
    };
    text += "kind=" + std::to_string(o.objkind) + " (" + ObjKindName(o.objkind) + ")";
    field("x", o.x);
    field("y", o.y);
    field("xd", o.xd);
    field("yd", o.yd);
    field("xl", o.xl);
    field("yl", o.yl);
    field("state", o.state);
    field("substate", o.substate);
    field("statecount", o.statecount);
    field("counter", o.counter);
    field("objflags", o.objflags);
    field("info1", o.info1);
    field("zaphold", o.zaphold);
    text += " inside=";
    text += o.inside != 0 ? "\"" + o.insideStr + "\"" : "NULL";
    return text;
}
