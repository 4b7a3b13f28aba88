#pragma once
// Windows' own words for its error codes. Windows only.

#include <string>

// The system's message for error (a GetLastError code), without the line end;
// "" when it has none.
std::string WindowsErrorText(unsigned long error);
