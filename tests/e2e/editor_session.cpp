#include "e2e/editor_session.h"

#include "sample_game/sample_game.h"
#include "screen/graphics.h"

namespace {
constexpr int kMenuWidth = 112;   // "Back To Editor", the widest entry
constexpr int kMenuEntries = 7;
}  // namespace

TEditorSession::TEditorSession() {
    std::string error;
    if (!WriteSampleGame(game, error)) ADD_FAILURE() << error;
}

void TEditorSession::ClickMenuEntry(int entry) {
    host.Then([this, entry] {
        // Laid out on the canvas, clicked in the window's pixels.
        const int x = (ScreenWidth() - kMenuWidth) / 2, y = (ScreenHeight() - 16 * kMenuEntries) / 2;
        host.Click((x + 4) * InterfaceScale(), (y + 16 * entry + 8) * InterfaceScale());
    });
}

void TEditorSession::LoadFromMenu(const std::string& levelName) {
    const std::string path = game + levelName;
    host.ExpectRequestFile(path);
    ClickMenuEntry(kLoadLevel);
    // The path is set once the level is bound, right before the editor
    // loop starts; its first frame is the first idle after that.
    host.WaitUntil([this, path] { return viewer.levelfile == path; });
}

TRunResult TEditorSession::RunMenu() { return host.Run([this] { viewer.MainMenu(); }, 5000); }
