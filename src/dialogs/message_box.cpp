#include "dialogs/message_box.h"

#include <SDL.h>

TMessageBoxLayout MessageBoxLayout(TMessageKind kind, int serious) {
    const uint32_t enter = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    const uint32_t escape = SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    TMessageBoxLayout layout;
    layout.flags = (serious ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    switch (kind) {
    case TMessageKind::Notify:
        layout.buttons = {{0, "OK", enter | escape}};
        break;
    case TMessageKind::Confirm:
        layout.buttons = {{1, "OK", enter}, {0, "Cancel", escape}};
        break;
    case TMessageKind::Proceed:
        layout.buttons = {{1, "Yes", enter}, {0, "No", 0}, {-1, "Cancel", escape}};
        break;
    }
    return layout;
}

int MessageBoxAnswer(TMessageKind kind, int buttonId) {
    switch (kind) {
    case TMessageKind::Notify:
        return 0;
    case TMessageKind::Confirm:
        return buttonId == 1 ? 1 : 0;
    case TMessageKind::Proceed:
        return buttonId == 1 || buttonId == 0 ? buttonId : -1;
    }
    return -1;
}
