#pragma once
// The requesters of the desktop. Message boxes and file and folder
// requesters go through the desktop's dialog helper (zenity, else kdialog),
// so they look like the desktop's own; without one, message boxes are SDL's,
// and where those cannot be shown either, and for file requesters without a
// helper, a box or requester is drawn in the editor's own window. No
// question is answered for the user because no box could be shown. The
// editor installs it at start-up with SetRequesterHost.

#include <functional>
#include <optional>
#include <string>

#include "base/requesters.h"
#include "dialogs/message_box.h"
#include "dialogs/text_requester.h"

// SDL's message box: the id of the button pressed (-1 when the box was
// closed without one), none when SDL could not show it.
std::optional<int> ShowSdlMessageBox(const TMessageBoxLayout& layout, const std::string& text);

class TDesktopRequesterHost : public TRequesterHost {
public:
    using TFallback = std::function<std::string(const TTextRequest&)>;
    using TSystemMessageBox = std::function<std::optional<int>(const TMessageBoxLayout&, const std::string& text)>;

    // The fallback runs when no helper can be used; by default the in-window
    // requester, asking with this host's Confirm before replacing a file.
    // systemBox shows message boxes without a helper; SDL's by default.
    TDesktopRequesterHost();
    explicit TDesktopRequesterHost(TFallback fallback, TSystemMessageBox systemBox = ShowSdlMessageBox);
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
    // The helper's answer, or "" after telling the user when the system
    // cannot use the path at all (too long for it).
    std::string UsableAnswer(const std::string& path);

    TFallback fallback;
    TSystemMessageBox systemBox;
};
