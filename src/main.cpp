// The editor's entry point. The editor reads no command-line arguments.
// Until the start-up and main menu arrive, it shows its window and a line of
// text until the window is closed.

#include "app/app_title.h"
#include "platform/desktop_requesters.h"
#include "platform/graphics.h"
#include "platform/input.h"

int main() {
    SetAppTitle(kApplicationTitle);
    SetRequesterHost(std::make_shared<TDesktopRequesterHost>());
    SetDefaultImageFlags(IMAGE_MASKED);
    if (!OpenGraphicsWindow(1280, 720, 0, 60, 0)) return 1;
    while (!CloseRequested()) {
        Cls();
        DrawString(kApplicationTitle, 16, 16);
        Flip(-1);
    }
    return 0;
}
