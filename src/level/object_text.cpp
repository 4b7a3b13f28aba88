#include "level/object_text.h"

#include "level/level.h"
#include "level/object_fields.h"
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
    for (const TObjectWordField& word : kObjectWordFieldsBeforeInside) field(word.name, o.*word.member);
    for (const TObjectWordField& word : kObjectWordFieldsAfterInside) field(word.name, o.*word.member);
    text += " inside=";
    text += o.inside != 0 ? "\"" + o.insideStr + "\"" : "NULL";
    return text;
}
