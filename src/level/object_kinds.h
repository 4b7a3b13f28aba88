#pragma once
// The game's vocabulary of object kinds: names, the two kind classes the
// editor tests, and the signed reading of the 16-bit object fields.

#include <cstdint>
#include <string>

// Kind numbers as the game uses them. Scoped so that short names such as KEY
// or PAD cannot collide with anything else.
namespace ObjKind {
enum : uint8_t {
    PLAYER = 0, APPLE, KNIFE, KILLME, BIGANT, FLY, MACROTRIG, DEMON, BUNNY, INCHWORM,
    ZAPPER, BOBSLUG, CHECKPT, PAUL, KEY, PAD, WISEMAN, FATSO, FIREBALL, CLOUD,
    TEXT6, TEXT8, FROG, TINY, DOOR, FALLDOOR, BRIDGER, SCORE, TOKEN, ANT,
    PHOENIX, FIRE, SWITCH, GEM, TXTMSG, BOULDER, EXPL1, EXPL2, STALAG, SNAKE,
    SEAROCK, BOLL, MEGA, BAT, KNIGHT, BEENEST, BEESWARM, CRAB, CROC, EPIC,
    SPINBLAD, SKULL, BUTTON, PAC, JILLFISH, JILLSPIDER, JILLBIRD, JILLFROG, BUBBLE, JELLYFISH,
    BADFISH, ELEV, FIREBULLET, FISHBULLET, EYE, VINECLIMB, FLAG, MAPDEMO, ROMAN
};
}  // namespace ObjKind

// The highest kind the game knows; larger kinds are kept but reported.
inline constexpr int kMaxSupportedObjKind = ObjKind::ROMAN;

std::string ObjKindName(uint8_t kind);
bool IsLinkableKind(uint8_t kind);
bool IsPlayerKind(uint8_t kind);

// A stored 16-bit field read as a two's-complement number.
inline int AsSigned16(uint16_t value) { return static_cast<int16_t>(value); }
