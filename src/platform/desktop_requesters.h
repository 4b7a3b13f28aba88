#pragma once
// The requesters of the desktop: message boxes as SDL message boxes, file and
// folder requesters through the desktop's dialog helper (zenity, else
// kdialog), and the in-window requester where neither helper can be used.
// The editor installs it at start-up with SetRequesterHost.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/requesters.h"
#include "platform/text_requester.h"

enum class TMessageKind { Notify, Confirm, Proceed };

struct TMessageButton {
    int id = 0;          // the answer the button gives
    std::string text;
    uint32_t flags = 0;  // SDL_MESSAGEBOX_BUTTON_* (which key presses it)

    bool operator==(const TMessageButton&) const = default;
};

struct TMessageBoxLayout {
    uint32_t flags = 0;   // SDL_MESSAGEBOX_* (icon, button order)
    std::vector<TMessageButton> buttons;
};

// The buttons and icon of each kind of message box: OK; OK and Cancel; Yes,
// No and Cancel. Enter presses the first button, Escape the last; a serious
// message gets the warning icon, any other the information icon.
TMessageBoxLayout MessageBoxLayout(TMessageKind kind, int serious);

// The caller's answer for the button the box reported; -1 means the box was
// closed without one (or could not be shown), which counts as cancelling.
int MessageBoxAnswer(TMessageKind kind, int buttonId);

class TDesktopRequesterHost : public TRequesterHost {
public:
    using TFallback = std::function<std::string(const TTextRequest&)>;

    // The fallback runs when no helper can be used; by default the in-window
    // requester, asking with this host's Confirm before replacing a file.
    TDesktopRequesterHost();
    explicit TDesktopRequesterHost(TFallback fallback);
    // The default fallback refers back to this host.
    TDesktopRequesterHost(const TDesktopRequesterHost&) = delete;
    TDesktopRequesterHost& operator=(const TDesktopRequesterHost&) = delete;

    void Notify(const std::string& text, int serious) override;
    int Confirm(const std::string& text, int serious) override;
    int Proceed(const std::string& text, int serious) override;
    std::string RequestFile(const std::string& title, const std::string& filter, int save,
                            const std::string& initialPath) override;
    std::string RequestDir(const std::string& title, const std::string& initialFolder) override;

private:
    int ShowMessage(TMessageKind kind, const std::string& text, int serious);
    std::string Request(const TTextRequest& request);

    TFallback fallback;
};
