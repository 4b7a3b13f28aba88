#pragma once
// Play-testing: the game started in DOSBox on a scratch copy of its folder,
// so that the user's level file and game folder are never touched.

#include <cstdint>
#include <string>
#include <vector>

#include "gamedata/game_info.h"
#include "system/file_identity.h"

// In the settings folder: the scratch copies, and kept/ for what a game wrote.
inline const std::string kPlayFolder = "play";
inline const std::string kKeptFolder = "play/kept";
// A game folder larger than this is not copied.
inline constexpr int64_t kMaxGameFolderBytes = int64_t(64) << 20;
// Tarn's own files in a scratch folder, never kept: the configuration
// passed to DOSBox, the note of DOSBox's process id, DOSBox's output.
inline const std::string kPlayConfigFile = "tarnplay.conf";
inline const std::string kPlayProcessFile = "dosbox.pid";
inline const std::string kPlayOutputFile = "dosbox.txt";

// The game's program in folder: the file named like the game's shape file
// with ".exe", ".com" or ".bat", in any case ("JILL1.EXE", "jill2.exe");
// its name as it is in the folder, "" when there is none.
std::string FindGameProgram(const std::string& folder, const TGameInfo& game);

// DOSBox's program: configured (from "tarn.ini") when that is not empty and
// names a file or a program on the search path; otherwise on Windows the
// usual install folders (%ProgramFiles(x86)%, %ProgramFiles%:
// "DOSBox-0.74*\DOSBox.exe"), then the search path ("dosbox"). "" when none.
std::string FindDosBox(const std::string& configured);
// The user's own DOSBox configuration, loaded before ours so that their
// sound and window settings hold; "" when they have none.
std::string UserDosBoxConfig();

// A scratch copy of a game folder, made for one play.
struct TScratchCopy {
    std::string folder;          // ends in a separator
    struct TCopiedFile {
        std::string name;
        TFileIdentity identity;  // as copied or written
        bool level = false;      // written from the level: never kept
    };
    std::vector<TCopiedFile> files;
};

// Copies the regular files of gameFolder (subfolders are skipped) into a
// new folder under playRoot whose name carries this process's id, then
// writes levelBytes under each of levelNames (spelt as a copied file of
// that name in another case is: the game asks for that one). False with
// whyNot (a whole sentence for the user) when the folder is over
// kMaxGameFolderBytes or a file could not be copied; nothing is left
// behind then.
bool MakeScratchCopy(const std::string& gameFolder, const std::string& playRoot,
                     const std::vector<uint8_t>& levelBytes, const std::vector<std::string>& levelNames,
                     TScratchCopy& copy, std::string& whyNot);
// Where the scratch copies go: folder (the settings folder's play/) when
// DOSBox can mount its path (ASCII, no quotes), else the system's folder
// for temporary files.
std::string PlayRootFor(const std::string& folder);

// The configuration passed last with -conf: its [autoexec] mounts the
// scratch folder as C:, switches to it, runs the program and leaves DOSBox
// when the program ends.
std::string DosBoxConfig(const std::string& scratchFolder, const std::string& programName);

// Notes in the scratch folder the id of the DOSBox that plays in it, so that
// a later run knows when the copy is free to go.
void RecordPlayProcess(const TScratchCopy& copy, int processId);
// After DOSBox ended: the files that are new or changed and are not levels
// (extension levelExtension, any case, or written from the level) nor
// Tarn's own move to keptFolder, a number added to a name taken there
// ("SAVE-2.DAT"); then the scratch folder is removed, unless a file could
// not be moved. The kept files' new paths, for the log.
std::vector<std::string> FinishScratchCopy(const TScratchCopy& copy, const std::string& keptFolder,
                                           const std::string& levelExtension);
// At start-up: removes the scratch copies under playRoot whose DOSBox has
// ended and whose run is gone; kept/ stays.
void RemoveEndedScratchCopies(const std::string& playRoot);
