#pragma once
// What a program's main function needs from the system before it starts work.

#include <string>
#include <vector>

// The program's arguments after its own name, in UTF-8 whatever the system
// passed them in.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Makes the standard output and error write their bytes unchanged (Windows
// would put a carriage return before every line feed), so that a program's
// output is the same on every system.
void UseBinaryStandardStreams();
