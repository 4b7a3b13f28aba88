#pragma once
// The file a recovery copy is kept in: the level's bytes exactly as saving
// would write them, and what is needed to put the level back as it was: its
// path, its game, when the copy was made, and how its file looked on disk
// as that run last knew it.

#include <cstdint>
#include <string>
#include <vector>

#include "system/file_identity.h"

struct TRecoveryCopy {
    std::string levelPath;    // "" for a level never saved
    std::string gameFolder;   // the folder the game's files were loaded from
    std::string gameName;     // TGameInfo::Name of the bound game
    std::string time;         // when the copy was made, as the user reads it
    TFileIdentity known;      // the level file when last loaded or saved by that run
    std::vector<uint8_t> levelBytes;
};

// The copies live in a folder beside "tarn.ini", one file per run, each with
// a lock file beside it that its run holds while it lives.
inline const std::string kRecoveryFolder = "recovery";
inline const std::string kRecoveryCopySuffix = ".recovery";
std::string RecoveryCopyPath(const std::string& name);
std::string RecoveryLockPath(const std::string& name);
// Whether a symbolic link stands where a copy or a lock should be; such a
// link is never followed, and the log is told that it was skipped.
bool IsPlantedLink(const std::string& path);

std::vector<uint8_t> EncodeRecoveryCopy(const TRecoveryCopy& copy);
// False, with what is wrong in problem, when bytes are not a whole copy
// (a file cut short, or written by something else).
bool DecodeRecoveryCopy(const std::vector<uint8_t>& bytes, TRecoveryCopy& copy, std::string& problem);
