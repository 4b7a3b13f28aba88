// The editor's entry point. The editor reads no command-line arguments.

#include "app/startup.h"
#include "platform/desktop_requesters.h"
#include "platform/requesters.h"

int main() {
    SetRequesterHost(std::make_shared<TDesktopRequesterHost>());
    RunTarn();
}
