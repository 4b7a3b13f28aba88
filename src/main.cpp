// The editor's entry point. Its one optional argument is a level file to open
// at once (as a file manager's "Open With" passes it); without it the main
// menu shows first.

#include "app/startup.h"
#include "platform/desktop_requesters.h"
#include "platform/requesters.h"

int main(int argc, char** argv) {
    SetRequesterHost(std::make_shared<TDesktopRequesterHost>());
    RunTarn(argc > 1 ? argv[1] : "");
}
