#include "screen/clipboard.h"

#include <SDL.h>

namespace {

// SDL's: the window system's clipboard once a window is open.
class TSystemClipboard : public TClipboard {
public:
    std::string Text() override {
        char* text = SDL_GetClipboardText();
        if (!text) return "";
        std::string copy = text;
        SDL_free(text);
        return copy;
    }
    void SetText(const std::string& utf8) override { SDL_SetClipboardText(utf8.c_str()); }
};

std::shared_ptr<TClipboard>& InstalledClipboard() {
    static std::shared_ptr<TClipboard> installed;
    return installed;
}

TClipboard& CurrentClipboard() {
    static TSystemClipboard system;
    const std::shared_ptr<TClipboard>& installed = InstalledClipboard();
    return installed ? *installed : system;
}

}  // namespace

void SetClipboard(std::shared_ptr<TClipboard> clipboard) { InstalledClipboard() = std::move(clipboard); }

std::string ClipboardText() { return CurrentClipboard().Text(); }

void SetClipboardText(const std::string& utf8) { CurrentClipboard().SetText(utf8); }
