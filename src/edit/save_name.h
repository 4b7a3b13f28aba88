#pragma once
// Where the file requesters about the current level start, and asking where
// to save something new: the save requester, the extension a bare name is
// given, and the question before an existing file is replaced.

#include <string>

class TJillLevelViewer;

// The file types the level requesters offer.
inline const std::string kLevelFilesFilter = "Level Files:jn1,jn2,jn3,one;All Files:*";

// A file name without any "." after its first character.
bool HasNoExtension(const std::string& path);
// path with its extension replaced by (or, without one, given) extension.
std::string WithExtension(const std::string& path, const std::string& extension);

// The current level's file; for a level never saved, the game folder it was
// made for ("" when there is neither).
std::string CurrentLevelPath(const TJillLevelViewer& viewer);
// The folder of the current level's file; for a level never saved, the game
// folder it was made for ("" when there is neither: the working folder).
std::string CurrentLevelFolder(const TJillLevelViewer& viewer);

// Asks with the save requester, opened on initialPath; a name chosen without
// an extension gets "." + extension (when extension is not empty). The
// requester itself asks before the name as typed replaces a file; the name
// with the extension added is asked about here. "" when the user cancelled
// anywhere.
std::string AskSaveName(TJillLevelViewer& viewer, const std::string& title, const std::string& filter,
                        const std::string& extension, const std::string& initialPath);
// Asks where to save the current level ("Save Level As ..."), proposing its
// own file, or for a new level its game's folder; a bare name gets the bound
// game's extension.
std::string AskLevelSaveName(TJillLevelViewer& viewer);
