// F5: the level as it is in the editor, saved or not, played in DOSBox on a
// scratch copy of its game's folder, so that nothing of the user's files
// changes. The editor goes on while DOSBox runs; each pass asks whether it
// has ended, and then keeps what the game wrote and removes the copy.

#include <cctype>
#include <vector>

#include "base/ini.h"
#include "base/log.h"
#include "base/requesters.h"
#include "edit/jill_level_viewer.h"
#include "gamedata/game_binding.h"
#include "level/level.h"
#include "level/level_file.h"
#include "play/play_copy.h"
#include "system/file_identity.h"
#include "system/paths.h"
#include "system/process.h"
#include "system/stream.h"

namespace {

const std::string kPlaySection = "PLAY";

// Each game folder has its own program and slot.
std::string FolderSection(const std::string& gameFolder) { return kPlaySection + " " + gameFolder; }

bool AllOf(const std::string& text, int (*test)(int)) {
    for (unsigned char c : text)
        if (std::isalpha(c) && !test(c)) return false;
    return true;
}

// name in the case of the game folder's own files, judged by its shape
// file: all upper case there (a DOS folder), all lower case, or as it is.
std::string InFolderCase(std::string name, const std::string& shapeFileName) {
    const bool upper = AllOf(shapeFileName, [](int c) { return int(std::isupper(c)); });
    const bool lower = AllOf(shapeFileName, [](int c) { return int(std::islower(c)); });
    for (char& c : name) {
        if (upper) c = char(std::toupper(static_cast<unsigned char>(c)));
        else if (lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

// What DOSBox wrote, into the log line by line.
void LogOutput(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return;
    const std::string text(bytes.begin(), bytes.end());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) LogLine("Play :: DOSBox: " + line);
        start = end + 1;
    }
}

}  // namespace

std::string TJillLevelViewer::GameProgramForPlay() {
    const std::string section = FolderSection(dir);
    const std::string remembered = ini->GetString(section, "program", "");
    if (!remembered.empty() && EntryKind(dir + remembered) == TEntryKind::File) return remembered;
    if (std::string found = FindGameProgram(dir, *boundGame); !found.empty()) return found;
    const std::string chosen = RequestFile("Choose the game's program", "Programs:exe,com,bat", 0, dir);
    if (chosen.empty()) return "";
    const std::string here = CurrentWorkingDir();
    if (AbsolutePath(LevelFolder(chosen), here) != AbsolutePath(dir, here)) {
        MyNotify("The game's program must be in the game folder\n\n" + dir + "\n\nbecause only that folder is copied for DOSBox.", 0);
        return "";
    }
    const std::string name = FileNamePart(chosen);
    ini->SetString(section, "program", name);
    SaveSettings();
    return name;
}

bool TJillLevelViewer::ChoosePlaySlot() {
    const std::string section = FolderSection(dir);
    const std::string last = ini->GetString(section, "slot", "");
    const std::string chosen = RequestFile("Play in the slot of which level?",
                                           boundGame->Name + " Levels:" + boundGame->Extension, 0, dir + last);
    if (chosen.empty()) return false;
    ini->SetString(section, "slot", FileNamePart(chosen));
    SaveSettings();
    return true;
}

void TJillLevelViewer::PlayLevel(bool chooseSlot) {
    if (playProcess) {
        MyNotify("DOSBox is still playing this level. Close it before playing again.", 0);
        return;
    }
    if (!level || !boundGame) return;
    if (chooseSlot && !ChoosePlaySlot()) return;
    const std::string dosbox = FindDosBox(ini->GetString(kPlaySection, "dosbox", ""));
    if (dosbox.empty()) {
        MyNotify("DOSBox was not found. Install it (Debian: apt install dosbox) or name it in tarn.ini, section "
                 "[PLAY], key DOSBOX.", 0);
        return;
    }
    const std::string program = GameProgramForPlay();
    if (program.empty()) return;

    // The level under its own name, and in the chosen slot.
    std::vector<std::string> names;
    const std::string shapeFile = FileNamePart(GameFilePath(dir, boundGame->ShapeFile));
    if (!levelfile.empty()) names.push_back(InFolderCase(FileNamePart(levelfile), shapeFile));
    if (const std::string slot = ini->GetString(FolderSection(dir), "slot", ""); !slot.empty()) names.push_back(slot);
    if (names.empty()) {
        MyNotify("This level has no file name yet, so the game cannot find it. Save it first, or choose the slot of "
                 "one of the game's levels for it with Shift+F5.", 0);
        return;
    }
    const std::vector<uint8_t> bytes = LevelFileBytes(*level);
    if (bytes.empty()) {
        MyNotify("This level cannot be written as a level file, so it cannot be played either.", 0);
        return;
    }
    std::string whyNot;
    TScratchCopy copy;
    if (!MakeScratchCopy(dir, PlayRootFor(kPlayFolder), bytes, names, copy, whyNot)) {
        MyNotify(whyNot, 0);
        return;
    }
    std::vector<std::string> args;
    if (const std::string own = UserDosBoxConfig(); !own.empty()) args.insert(args.end(), {"-conf", own});
    args.insert(args.end(), {"-conf", copy.folder + kPlayConfigFile});
    std::unique_ptr<TChildProcess> process;
    if (ReplaceWholeFile(copy.folder + kPlayConfigFile, DosBoxConfig(copy.folder, program)))
        process = StartProcess(dosbox, args, copy.folder, copy.folder + kPlayOutputFile, whyNot);
    else
        whyNot = WithFileErrorReason("the configuration could not be written", " ");
    if (!process) {
        MyNotify("DOSBox could not be started: " + whyNot, 0);
        FinishScratchCopy(copy, kKeptFolder, boundGame->Extension);
        return;
    }
    RecordPlayProcess(copy, process->Id());
    LogLine("Play :: " + dosbox + " plays " + program + " in " + copy.folder);
    playCopy = copy;
    playExtension = boundGame->Extension;
    playProcess = std::move(process);
}

bool TJillLevelViewer::FollowPlay() {
    if (!playProcess || !playProcess->HasEnded()) return false;
    playProcess.reset();
    LogOutput(playCopy.folder + kPlayOutputFile);
    for (const std::string& kept : FinishScratchCopy(playCopy, kKeptFolder, playExtension))
        LogLine("Play :: the game wrote " + FileNamePart(kept) + ", kept in " + kept);
    LogLine("Play :: DOSBox ended");
    return true;
}
