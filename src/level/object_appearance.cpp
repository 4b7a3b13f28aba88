// How each kind of object looks in a given state: the same frame choices the
// game makes when it animates the object, so a level reads at a glance.

#include <algorithm>
#include <optional>

#include "level/level.h"
#include "level/level_object.h"
#include "level/object_kinds.h"

namespace {

// Shape numbers are 16-bit values; arithmetic on them wraps the way the game's does.
uint16_t Sh(int value) { return static_cast<uint16_t>(value); }

int PlayerStandingFrame(const TLevelObject& o) {
    const int sc = AsSigned16(o.statecount), xd = AsSigned16(o.xd), yd = AsSigned16(o.yd);
    const int info1 = AsSigned16(o.info1);
    if (sc < 0) {
        const int f = info1 == 0 ? 0x83C : info1 > 0 ? 0x82C : 0x824;
        return f + (sc == -4 || sc == -5 ? 1 : 0);
    }
    if (yd < 0) return 0x813;
    if (yd == 3) return 0x83D;
    if (yd >= 1) return 0x812;
    if (info1 == 0 || (xd == 0 && sc > 2)) {
        if (sc < 20 && info1 != 0) return 0x814 + (info1 > 0 ? 1 : 0);
        return o.statecount >= 151 && o.statecount <= 268 ? 0x811 : 0x810;
    }
    if (o.substate == 8) return 0x814 + (xd > 0 ? 1 : 0);
    return 0x800 + (o.substate & 7) + (xd > 0 ? 8 : 0);
}

int PlayerClimbingFrame(const TLevelObject& o) {
    const int xd = AsSigned16(o.xd), yd = AsSigned16(o.yd);
    if (xd == 0) {
        if (o.substate == 0) return 0x838;
        if (o.substate == 1) return 0x839;
        return yd >= 1 ? 0x83C : 0x83A;
    }
    int f;
    if (o.substate == 0) f = 0x820;
    else if (o.substate == 1) f = 0x821;
    else f = yd >= 1 ? 0x824 : 0x822;
    return f + (xd > 0 ? 8 : 0);
}

int PlayerSwimmingFrame(const TLevelObject& o) {
    switch (o.substate) {
    case 0: case 1: return 0x818;
    case 2: case 5: case 6: return 0x819;
    case 3: case 4: return 0x81A;
    default: return 0x800;
    }
}

void AddPlayerShapes(TLevelObject& o, int x, int y) {
    const int sc = AsSigned16(o.statecount);
    int f = 0x800;
    switch (o.state) {
    case 0: f = PlayerStandingFrame(o); break;
    case 2: f = PlayerClimbingFrame(o); break;
    case 3: f = PlayerSwimmingFrame(o); break;
    case 4:
        // Rising out of the ground: one frame, lifted as the count runs.
        f = sc < 16 ? 0x813 : sc < 24 ? 0x810 : 0x812;
        o.AddShape(x, y + 33 - sc, Sh(f), nullptr);
        return;
    case 5:
        if (o.statecount == 0) {
            o.AddShape(x, y, 0x842, nullptr);
            return;
        }
        if (o.substate == 0) {
            f = 0x830 + sc / 4;
        } else if (o.substate == 1) {
            f = 0x840 + sc / 4;
        } else if (o.substate == 2 && sc >= 0 && sc < 21) {
            static constexpr int kSinking[21] = {72, 73, 72, 73, 72, 72, 73, 72, 73, 73, 72,
                                                 72, 72, 73, 73, 73, 74, 74, 74, 74, 74};
            o.AddShape(x, y + 16, Sh(0x800 + kSinking[sc]), nullptr);
            return;
        }
        break;
    default: break;
    }
    o.AddShape(x, y, Sh(f), nullptr);
    if (AsSigned16(o.counter) > 0) o.AddShape(x, y + 26, Sh(0xE29 - (o.counter >> 1)), nullptr);
}

void AddSnakeShapes(TLevelObject& o, int x, int y) {
    struct TParts {
        int head, segment, tail;
    };
    static constexpr TParts kParts[4] = {{0, 3, 7}, {1, 5, 7}, {0, 4, 8}, {1, 6, 8}};
    const TParts p = o.counter < 4 ? kParts[o.counter] : TParts{0, 0, 0};
    const int length = o.xl;
    // No snake is longer than the board is wide; a length read from a file
    // could otherwise ask for thousands of pieces for every snake.
    constexpr int kMaxSegments = kBoardWidth * kTileSize / 8;
    const int segments = std::min((length - 24) / 8, kMaxSegments);
    if (AsSigned16(o.xd) > 0) {
        o.AddShape(x + length - 16, y, Sh(0xF00 + p.head), nullptr);
        for (int i = 1; i <= segments; ++i) o.AddShape(x + 8 * i, y + 12, Sh(0xF00 + p.segment), nullptr);
        o.AddShape(x, y + 12, Sh(0xF00 + p.tail), nullptr);
    } else {
        o.AddShape(x + length - 8, y + 12, Sh(0xF05 + p.tail), nullptr);
        for (int i = 1; i <= segments; ++i)
            o.AddShape(x + 8 * (i + 1), y + 12, Sh(0xF00 + p.segment), nullptr);
        o.AddShape(x, y, Sh(0xF09 + p.head), nullptr);
    }
}

// Four-phase walk or flap cycle: frames 0, 1, 2, 1.
int CycleStep(int phase) { return phase == 1 || phase == 3 ? 1 : phase == 2 ? 2 : 0; }

// Six-phase swing out and back: frames 0, 1, 2, 3, 2, 1.
int SwingStep(int phase) {
    switch (phase) {
    case 1: case 5: return 1;
    case 2: case 4: return 2;
    case 3: return 3;
    default: return 0;
    }
}

int HopStep(const TLevelObject& o) {
    if (o.state != 1) return 0;
    return AsSigned16(o.yd) > 0 ? 2 : 1;
}

// The sprite of every kind drawn as one placement at the object's position;
// nothing for the kinds with placements of their own or none at all.
std::optional<int> SingleFrame(const TLevelObject& o) {
    const int xd = AsSigned16(o.xd), yd = AsSigned16(o.yd);
    const int counter = o.counter, state = o.state;
    switch (o.objkind) {
    case ObjKind::APPLE: return 0x900 + (counter >> 1);
    case ObjKind::KNIFE: return 0xD00;
    case ObjKind::BIGANT:
        if (state == 0) return counter + (xd > 0 ? 0x3B0A : 0x3B00);
        return 0x3B0A - state;
    case ObjKind::FLY: return (xd > 0 ? 0x3C04 : 0x3C00) + CycleStep(counter & 3);
    case ObjKind::DEMON: return 0x2B00 + SwingStep(counter >> 1) + (xd < 0 ? 4 : 0);
    case ObjKind::BUNNY: return (xd < 0 ? 0x3A03 : 0x3A00) + HopStep(o);
    case ObjKind::INCHWORM: return o.statecount + (xd < 0 ? 0x1603 : 0x1600);
    case ObjKind::ZAPPER: return counter + 0x5C00;
    case ObjKind::BOBSLUG: return xd < 1 ? 0x3406 - state : 0x3400 + state;
    case ObjKind::PAUL: return 0x3900 + state;
    case ObjKind::KEY: return 0xE06 + (counter >> 1);
    case ObjKind::WISEMAN: return state + (xd > 0 ? 0xB05 : 0xB00);
    case ObjKind::FATSO: return (xd > 0 ? 0x2C03 : 0x2C00) + CycleStep(counter >> 2);
    case ObjKind::FIREBALL: return 0x1A00 + (counter >> 1);
    case ObjKind::CLOUD: return 0xE0A;
    case ObjKind::FROG: return (xd < 0 ? 0x3F03 : 0x3F00) + HopStep(o);
    case ObjKind::FALLDOOR: return 0xE10;
    case ObjKind::TOKEN: {
        // The same frames as the inventory icons: a token is the item it gives.
        static constexpr int kTokenFrames[11] = {38, 12, 13, 11, 14, 15, 18, 20, 35, 36, 37};
        return 0xE00 + (counter <= 10 ? kTokenFrames[counter] : 0);
    }
    case ObjKind::ANT:
        if (state == 0) return counter + (xd < 0 ? 0xA05 : 0xA00);
        return xd < 0 ? 0xA0E - 5 * state : 0x9FF + 5 * state;
    case ObjKind::PHOENIX:
        if (counter == 6 || counter == 7) return xd < 0 ? 0xB08 : 0xB09;
        return 0xB00 + SwingStep(counter) + (xd < 0 && counter < 6 ? 4 : 0);
    case ObjKind::FIRE: return (yd > 0 ? 0xC06 : 0xC00) + (counter >> 1);
    case ObjKind::SWITCH: return 0x3C00 + state;
    case ObjKind::GEM: return 0x904 + (counter >> 1);
    case ObjKind::BOULDER: return 0xE18 + counter;
    case ObjKind::EXPL1: return 0x2E0C + state - 3 * (counter >> 3);
    case ObjKind::EXPL2:
        switch (counter) {
        case 0: case 8: return 0xE20;
        case 1: case 7: return 0xE1F;
        case 2: case 6: return 0xE1E;
        case 3: case 5: return 0xE1D;
        case 4: return 0xE1C;
        default: return 0xE00;
        }
    case ObjKind::STALAG: return 0xE21;
    case ObjKind::SEAROCK: return 0xE22;
    case ObjKind::BOLL: return 0x1F00 + counter;
    case ObjKind::MEGA: return 0x2100 + o.xd;
    case ObjKind::BEENEST:
        if (counter == 1) return 0x2501;
        if (counter == 2) return xd > 0 ? 0x2503 : 0x2502;
        return 0x2500;
    case ObjKind::BEESWARM: return counter + (xd > 0 ? 0x2507 : 0x2504);
    case ObjKind::CRAB: return 0x2600 + counter;
    case ObjKind::EPIC: return 0x2800;
    case ObjKind::SPINBLAD: return 0x2D00 + counter;
    case ObjKind::BUTTON: return (xd > 0 ? 0x3103 : 0x3101) - state;
    case ObjKind::PAC:
        if (xd < 0) return 0x3201;
        if (yd > 0) return 0x3203;
        return yd < 0 ? 0x3202 : 0x3200;
    case ObjKind::JILLFISH: return 0x3300 + CycleStep(counter) + (AsSigned16(o.substate) > 0 ? 3 : 0);
    case ObjKind::JILLBIRD: return (AsSigned16(o.substate) < 0 ? 0xB04 : 0xB00) + SwingStep(counter);
    case ObjKind::JILLFROG: return (AsSigned16(o.info1) > 0 ? 0x3F00 : 0x3F03) + HopStep(o);
    case ObjKind::BUBBLE: return 0x3306 + counter;
    case ObjKind::JELLYFISH:
        switch (counter) {
        case 0: return 0x3309;
        case 1: case 9: return 0x330A;
        case 2: case 8: return 0x330B;
        case 3: case 7: return 0x330C;
        case 4: case 6: return 0x330D;
        case 5: return 0x330E;
        default: return 0x3300;
        }
    case ObjKind::BADFISH: return 0x330F + CycleStep(counter & 3) + (xd > 0 ? 3 : 0);
    case ObjKind::ELEV: return 0xE2C;
    case ObjKind::FIREBULLET: return 0x1A00 + counter;
    case ObjKind::FISHBULLET: return xd > 0 ? 0x3316 : 0x3315;
    case ObjKind::VINECLIMB: return 0x3D00 + (counter >> 1);
    case ObjKind::ROMAN: return counter + (xd > 0 ? 0x2C08 : 0x2C00);
    default: return std::nullopt;
    }
}

}  // namespace

void TLevelObject::InitShape() {
    myshape.reset();
    const int px = AsSigned16(x), py = AsSigned16(y);
    const int xdir = AsSigned16(xd);
    switch (objkind) {
    case ObjKind::PLAYER: AddPlayerShapes(*this, px, py); return;
    case ObjKind::SNAKE: AddSnakeShapes(*this, px, py); return;
    case ObjKind::TINY:
        if (xd == 0) AddShape(px, py + 2, Sh((statecount & 1) + (AsSigned16(yd) < 0 ? 0x1006 : 0x1004)), nullptr);
        else AddShape(px, py + 2, Sh((statecount & 3) + (xdir < 0 ? 0x1008 : 0x1000)), nullptr);
        return;
    case ObjKind::BAT: {
        if (state == 0) {
            AddShape(px + 6, py + 2, 0x2300, nullptr);
            return;
        }
        const int phase = counter >> 1;
        const int f = (xdir < 0 ? 0x2303 : 0x2300) + (phase == 0 ? 1 : phase == 1 || phase == 3 ? 2 : 0);
        AddShape(px, (counter & 2) ? py + 8 : py, Sh(f), nullptr);
        return;
    }
    case ObjKind::KNIGHT:
        switch (statecount) {
        case 2: case 9: AddShape(px, py, 0x2401, nullptr); return;
        case 3: case 8: AddShape(px, py, 0x2402, nullptr); return;
        case 4: case 7: AddShape(px, py, 0x2403, nullptr); return;
        case 5: case 6: AddShape(px, py, 0x2404, nullptr); return;
        default: AddShape(px + 8, py, 0x2400, nullptr); return;
        }
    case ObjKind::CROC:
        if (xdir > 0) {
            AddShape(px + 32, py, Sh(0x2704 + counter), nullptr);
            AddShape(px, py, Sh(0x2700 + counter), nullptr);
        } else {
            AddShape(px, py, Sh(0x270C + counter), nullptr);
            AddShape(px + 32, py, Sh(0x2708 + counter), nullptr);
        }
        return;
    case ObjKind::SKULL: {
        AddShape(px, py, Sh(0x2F00 + CycleStep((statecount >> 1) & 3)), nullptr);
        if (state != 0) {
            // The eyes roll round, the second half a turn behind the first.
            static constexpr int kEyes[8] = {3, 4, 5, 6, 7, 6, 5, 4};
            AddShape(px, py + 5, Sh(0x2F00 + kEyes[statecount & 7]), nullptr);
            AddShape(px + 10, py + 5, Sh(0x2F00 + kEyes[(statecount + 4) & 7]), nullptr);
        }
        return;
    }
    case ObjKind::EYE:
        AddShape(px, py, 0x3E00, nullptr);
        AddShape(px + xdir + 5, py + AsSigned16(yd) + 4, 0x3E01, nullptr);
        return;
    case ObjKind::FLAG: AddShape(px + 2, py, Sh(0x501 + (counter >> 1)), nullptr); return;
    case ObjKind::MAPDEMO:
        if (xd == 0)
            for (int i = 0; i < 4; ++i) AddShape(px + 16 * i, py, Sh(0x310 + i), nullptr);
        else if (xd == 1)
            for (int i = 0; i < 3; ++i) AddShape(px + 16 * i, py, Sh(0x314 + i), nullptr);
        return;
    default: {
        if (const std::optional<int> f = SingleFrame(*this)) AddShape(px, py, Sh(*f), nullptr);
    }
    }
}
