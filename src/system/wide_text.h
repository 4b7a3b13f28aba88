#pragma once
// Windows speaks UTF-16 at its boundary and the program UTF-8 inside: the
// conversions every Windows call of the system, the screen and the dialogs
// goes through, so that paths and texts with any characters survive the
// trip. Windows only.

#include <string>

// A UTF-8 text as UTF-16.
std::wstring WideText(const std::string& text);
// A UTF-8 path as Windows wants it: UTF-16 with "\" between the folders.
std::wstring WidePath(const std::string& path);
// A UTF-16 text from Windows as UTF-8.
std::string Utf8Text(const std::wstring& text);
