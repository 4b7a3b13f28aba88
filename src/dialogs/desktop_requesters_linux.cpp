#include "dialogs/desktop_requesters.h"
#include "dialogs/system_requesters.h"

#include <SDL.h>

#include <cstdlib>
#include <iostream>

#include "dialogs/dialog_helper.h"
#include "dialogs/message_window.h"
#include "screen/graphics.h"
#include "screen/input.h"
#include "screen/sdl_window.h"
#include "system/paths.h"

namespace {

// The helpers draw their own windows, so they need a display to draw on; an
// SDL program may well run without one (dummy driver, a console login).
bool HaveDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

std::optional<int> ShowSdlMessageBox(const TMessageBoxLayout& layout, const std::string& text) {
    std::vector<SDL_MessageBoxButtonData> buttons;
    for (const TMessageButton& button : layout.buttons) buttons.push_back({button.flags, button.id, button.text.c_str()});
    SDL_MessageBoxData box{};
    box.flags = layout.flags;
    // As a child of the editor's window the box stays above it.
    box.window = GraphicsWindow();
    box.title = AppTitle().c_str();
    box.message = text.c_str();
    box.numbuttons = static_cast<int>(buttons.size());
    box.buttons = buttons.data();
    int pressed = -1;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) return std::nullopt;
    return pressed;
}

TDesktopRequesterHost::TDesktopRequesterHost()
    : fallback([this](const TTextRequest& request) {
          return RunTextRequester(request, [this](const std::string& path) {
              return Confirm(path + " already exists.\nDo you want to replace it?", 1) == 1;
          });
      }),
      systemBox(ShowSdlMessageBox) {}

TDesktopRequesterHost::TDesktopRequesterHost(TFallback fallback, TSystemMessageBox systemBox)
    : fallback(std::move(fallback)), systemBox(std::move(systemBox)) {}

int TDesktopRequesterHost::ShowMessage(TMessageKind kind, const std::string& text, int serious) {
    if (auto helper = HaveDisplay() ? FindDialogHelper() : std::nullopt) {
        THelperRun run = RunDialogHelper(MessageBoxArguments(*helper, kind, AppTitle(), text, serious));
        if (auto answer = HelperMessageAnswer(helper->kind, kind, run)) return *answer;
    }
    TMessageBoxLayout layout = MessageBoxLayout(kind, serious);
    std::optional<int> pressed = systemBox ? systemBox(layout, text) : std::nullopt;
    if (!pressed) {
        if (ScreenWidth() <= 0) {
            // Without a window nobody can answer; the message still reaches
            // whoever started the program, and the question changes nothing.
            std::cerr << text << "\n";
            return MessageBoxAnswer(kind, -1);
        }
        pressed = RunMessageWindow(AppTitle(), text, layout.buttons);
    }
    return MessageBoxAnswer(kind, *pressed);
}

void TDesktopRequesterHost::Notify(const std::string& text, int serious) {
    ShowMessage(TMessageKind::Notify, text, serious);
}

int TDesktopRequesterHost::Confirm(const std::string& text, int serious) {
    return ShowMessage(TMessageKind::Confirm, text, serious);
}

int TDesktopRequesterHost::Proceed(const std::string& text, int serious) {
    return ShowMessage(TMessageKind::Proceed, text, serious);
}

std::string TDesktopRequesterHost::Request(const TTextRequest& request) {
    auto helper = HaveDisplay() ? FindDialogHelper() : std::nullopt;
    if (helper) {
        std::string workingDir = CurrentWorkingDir();
        THelperRun run = RunDialogHelper(
            request.mode == TRequestMode::Folder
                ? DirRequestArguments(*helper, request.title, request.initialPath, workingDir)
                : FileRequestArguments(*helper, request.title, request.filter, request.mode == TRequestMode::Save,
                                       request.initialPath, workingDir));
        // 0 is a choice and 1 a cancel for both helpers; anything else means
        // the helper broke down, and the user still needs a way to answer.
        if (run.started && (run.exitStatus == 0 || run.exitStatus == 1)) return UsableAnswer(HelperAnswer(run));
    }
    return fallback ? fallback(request) : "";
}

std::string TDesktopRequesterHost::UsableAnswer(const std::string& path) {
    if (path.empty()) return path;
    const std::string reason = UnusablePathReason(path);
    if (reason.empty()) return path;
    // Taken as a cancel, but never silently: the user chose something.
    Notify("The system cannot use the chosen path:\n\n" + path + "\n\n(" + reason + ")", 1);
    return "";
}

std::string TDesktopRequesterHost::RequestFile(const std::string& title, const std::string& filter, int save,
                                               const std::string& initialPath) {
    return Request({title, filter, save ? TRequestMode::Save : TRequestMode::Open, initialPath});
}

std::string TDesktopRequesterHost::RequestDir(const std::string& title, const std::string& initialFolder) {
    return Request({title, "", TRequestMode::Folder, initialFolder});
}

std::shared_ptr<TRequesterHost> SystemRequesterHost() { return std::make_shared<TDesktopRequesterHost>(); }
