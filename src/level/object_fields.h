#pragma once
// The object record's 16-bit fields by the names a person reads them under
// (the settings file, the clipboard, the status line), in record order:
// x to objflags come before inside, info1 and zaphold after it.

#include <array>
#include <cstdint>

#include "level/level_object.h"

struct TObjectWordField {
    const char* name;
    uint16_t TLevelObject::* member;
};

inline constexpr std::array<TObjectWordField, 11> kObjectWordFieldsBeforeInside = {{
    {"x", &TLevelObject::x},
    {"y", &TLevelObject::y},
    {"xd", &TLevelObject::xd},
    {"yd", &TLevelObject::yd},
    {"xl", &TLevelObject::xl},
    {"yl", &TLevelObject::yl},
    {"state", &TLevelObject::state},
    {"substate", &TLevelObject::substate},
    {"statecount", &TLevelObject::statecount},
    {"counter", &TLevelObject::counter},
    {"objflags", &TLevelObject::objflags},
}};

inline constexpr std::array<TObjectWordField, 2> kObjectWordFieldsAfterInside = {{
    {"info1", &TLevelObject::info1},
    {"zaphold", &TLevelObject::zaphold},
}};
