#include "level/object_kinds.h"

#include <array>

namespace {

const std::array<const char*, kMaxSupportedObjKind + 1> kindNames = {
    "PLAYER",   "APPLE",     "KNIFE",      "KILLME",    "BIGANT",     "FLY",        "MACROTRIG",
    "DEMON",    "BUNNY",     "INCHWORM",   "ZAPPER",    "BOBSLUG",    "CHECKPT",    "PAUL",
    "KEY",      "PAD",       "WISEMAN",    "FATSO",     "FIREBALL",   "CLOUD",      "TEXT6",
    "TEXT8",    "FROG",      "TINY",       "DOOR",      "FALLDOOR",   "BRIDGER",    "SCORE",
    "TOKEN",    "ANT",       "PHOENIX",    "FIRE",      "SWITCH",     "GEM",        "TXTMSG",
    "BOULDER",  "EXPL1",     "EXPL2",      "STALAG",    "SNAKE",      "SEAROCK",    "BOLL",
    "MEGA",     "BAT",       "KNIGHT",     "BEENEST",   "BEESWARM",   "CRAB",       "CROC",
    "EPIC",     "SPINBLAD",  "SKULL",      "BUTTON",    "PAC",        "JILLFISH",   "JILLSPIDER",
    "JILLBIRD", "JILLFROG",  "BUBBLE",     "JELLYFISH", "BADFISH",    "ELEV",       "FIREBULLET",
    "FISHBULLET", "EYE",     "VINECLIMB",  "FLAG",      "MAPDEMO",    "ROMAN",
};

}  // namespace

std::string ObjKindName(uint8_t kind) {
    if (kind < kindNames.size()) return kindNames[kind];
    return "unhandled kind: " + std::to_string(kind);
}

bool IsLinkableKind(uint8_t kind) {
    using namespace ObjKind;
    switch (kind) {
    case PAD: case DOOR: case FALLDOOR: case BRIDGER: case SWITCH:
    case STALAG: case MEGA: case KNIGHT: case SKULL: case BUTTON:
        return true;
    default:
        return false;
    }
}

bool IsPlayerKind(uint8_t kind) {
    using namespace ObjKind;
    switch (kind) {
    case PLAYER: case TINY: case JILLFISH: case JILLBIRD: case JILLFROG:
        return true;
    default:
        return false;
    }
}
