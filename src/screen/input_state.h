#pragma once
// The polled input state: down flags and press counters for keys and mouse
// buttons, the typed-character queue, pointer and wheel. It knows nothing of
// SDL; the event handling feeds it.

#include <array>
#include <cstddef>
#include <deque>

class TInputState {
public:
    static constexpr int kKeys = 256;
    static constexpr int kButtons = 4;           // 1 left, 2 right, 3 middle; 0 unused
    static constexpr size_t kMaxPendingChars = 256;

    // A press counts only when the flag was not already set, so repeated
    // down events of a held key or button add nothing. Each press records
    // the modifiers (input.h's kMod masks) that the key flags show held.
    void KeyDown(int key);
    void KeyUp(int key);
    void TypeChar(int code);   // dropped when the queue is full
    void ButtonDown(int button);
    void ButtonUp(int button);
    void PointerMoved(int x, int y);
    void WheelMoved(int notches);

    bool IsKeyDown(int key) const;
    int TakeKeyPresses(int key);
    int KeyPressModifiers(int key) const;   // of the key's last press
    int TakeChar();            // 0 when none is pending
    bool IsButtonDown(int button) const;
    int TakeButtonHits(int button);
    int ButtonPressModifiers(int button) const;
    int TakeWheelDelta();
    bool AnyButtonDown() const;
    int PointerX() const { return pointerX; }
    int PointerY() const { return pointerY; }

    void ClearKeys();
    void ClearMouse();         // the pointer position stays

private:
    int HeldModifiers() const;

    std::array<bool, kKeys> keyDown{};
    std::array<int, kKeys> keyHits{};
    std::array<int, kKeys> keyPressModifiers{};
    std::deque<int> chars;
    std::array<bool, kButtons> buttonDown{};
    std::array<int, kButtons> buttonHits{};
    std::array<int, kButtons> buttonPressModifiers{};
    int pointerX = 0, pointerY = 0;
    int wheel = 0, wheelRead = 0;
};
