#pragma once
// How long a held key waits before it repeats (KeyRepeat), the same on the
// map and in every menu and dialog of the editor.

inline constexpr int kKeyRepeatDelayMs = 400;
