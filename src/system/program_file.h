#pragma once
// The program's own executable file.

#include <string>

// The path of the running program's executable; "" when the system does
// not tell.
std::string ProgramFilePath();
