#pragma once
// The keys of the editing screen as one ordered table. EditLoop reads every
// row on every pass, top to bottom, so several keys can act in one pass and
// they act in the table's order.

#include <array>
#include <span>

#include "screen/input.h"

class TJillLevelViewer;

// What the loop read before its keys, shared by the rows that ask.
struct TEditorPass {
    int wheel = 0;       // notches since the last pass; a zoom takes them all
    bool ctrl = false;   // Ctrl held now: only the wheel asks this
};

// How a row reads its keys: once per press, also while held after the
// repeat delay, or on every pass while the key is down.
enum class TKeyTest { Press, Repeat, Held };

struct TEditorKey {
    // The keys that do the same; a 0 is no key. Each is read on every pass,
    // so each keeps its own presses and repeat timing.
    std::array<int, 2> keys;
    TKeyTest test;
    // Required as held when the key went down (kModCtrl), never as held
    // now: a shortcut sent at once has let Ctrl go before the pass looks.
    int modifiers;
    // The row acts also when this holds (the wheel); may be null.
    bool (*orWhen)(const TEditorPass&);
    // Each answers whether the screen changed. otherwise runs on the passes
    // the row does not act; may be null.
    bool (*action)(TJillLevelViewer&, TEditorPass&);
    bool (*otherwise)(TJillLevelViewer&, TEditorPass&);

    // Reads the row's keys, and the row acts when one of them answers.
    bool Acts(const TEditorPass& pass) const;
};

std::span<const TEditorKey> EditorKeys();

// Leaves the editing screen. Read after the buttons, last in the pass, so
// that whatever else the pass read acts first.
inline constexpr int kLeaveEditorKey = VK_ESCAPE;
// Plays the level in DOSBox (F5).
inline constexpr int kPlayKey = VK_F1 + 4;
// Cycles the interface scale (F9). Read by every loop between its passes,
// not by the table, so that it works in the menus and dialogs too.
inline constexpr int kInterfaceScaleKey = VK_F1 + 8;
