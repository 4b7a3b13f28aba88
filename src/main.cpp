// The editor's entry point. Its one optional argument is a level file to open
// at once (as a file manager's "Open With" passes it); without it the main
// menu shows first.

#include "app/startup.h"
#include "dialogs/system_requesters.h"
#include "system/program_start.h"

int main(int argc, char** argv) {
    SetRequesterHost(SystemRequesterHost());
    const std::vector<std::string> arguments = ProgramArguments(argc, argv);
    RunTarn(arguments.empty() ? "" : arguments.front());
}
