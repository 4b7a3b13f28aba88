#pragma once
// The editor's start: the built-in files, the title, the log banner, the
// frame hook, and the main menu, which only returns by ending the program.

#include <cstdint>
#include <string>

// The CRC-32 of a file's bytes (as zlib and PNG compute it); 0 when the file
// cannot be read.
uint32_t FileCrc32(const std::string& path);

// levelToOpen: a level file to open straight away, or empty for the menu.
[[noreturn]] void RunTarn(const std::string& levelToOpen = "");
