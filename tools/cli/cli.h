#pragma once
// tarn-cli: the command-line companion of the editor. It never opens a window.

#include <ostream>
#include <string>
#include <vector>

// Runs one command line (without the program name). Gives the exit status:
// 0 success, 1 input unreadable or output unwritable, 2 usage error, others
// as a subcommand defines.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
