#pragma once
// Asking where to save something new: the save requester, the extension a
// bare name is given, and the question before an existing file is replaced.

#include <string>

class TJillLevelViewer;

// A file name without any "." after its first character.
bool HasNoExtension(const std::string& path);

// Asks with the save requester; a name chosen without an extension gets
// "." + extension (when extension is not empty). The requester itself asks
// before the name as typed replaces a file; the name with the extension
// added is asked about here. "" when the user cancelled anywhere.
std::string AskSaveName(TJillLevelViewer& viewer, const std::string& title, const std::string& filter,
                        const std::string& extension);
