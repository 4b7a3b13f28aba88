// The scratch copy of a game folder: made before DOSBox starts, emptied of
// what the game wrote when it ends, and cleared away after runs that could
// not wait for their DOSBox.

#include "play/play_copy.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>

#include "base/text_number.h"
#include "system/file_extension.h"
#include "system/paths.h"
#include "system/process.h"
#include "system/stream.h"

namespace {

const std::string kRunPrefix = "run-";

// Writes bytes as the file path and gives its identity as written.
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes, TFileIdentity& identity) {
    TStreamPtr out = OpenWriteStream(path);
    if (!out) return false;
    if (!bytes.empty()) out->WriteRaw(bytes.data(), bytes.size());
    if (!out->Close()) return false;
    identity = FileIdentity(path);
    return identity.exists;
}

// Removes folder with everything in it; links inside are removed, never followed.
bool RemoveFolderTree(const std::string& folder) {
    for (const std::string& name : FolderSubfolderNames(folder)) RemoveFolderTree(InFolder(folder, name));
    for (const std::string& name : FolderFileNames(folder)) RemoveFile(InFolder(folder, name));
    return RemoveFolder(folder);
}

int64_t FolderBytes(const std::string& folder, const std::vector<std::string>& names) {
    int64_t total = 0;
    for (const std::string& name : names) total += FileIdentity(InFolder(folder, name)).size;
    return total;
}

// A new folder run-PID-N under playRoot, N the first number not taken.
std::string MakeRunFolder(const std::string& playRoot) {
    for (int number = 1; number < 10000; ++number) {
        const std::string folder =
            InFolder(playRoot, kRunPrefix + std::to_string(ProcessId()) + "-" + std::to_string(number));
        if (EntryKind(folder) == TEntryKind::Nothing) return MakeFolder(folder) ? folder + "/" : "";
    }
    return "";
}

bool CopyFolderFiles(const std::string& gameFolder, const std::vector<std::string>& names, TScratchCopy& copy,
                     std::string& whyNot) {
    for (const std::string& name : names) {
        std::vector<uint8_t> bytes;
        TScratchCopy::TCopiedFile copied{name, {}, false};
        if (!ReadWholeFile(InFolder(gameFolder, name), bytes) ||
            !WriteFile(InFolder(copy.folder, name), bytes, copied.identity)) {
            whyNot = WithFileErrorReason("Tarn could not copy " + InFolder(gameFolder, name) +
                                             " into the scratch folder " + copy.folder,
                                         " ") +
                     ". Check that the game folder can be read and that there is room on the disk, then try again.";
            return false;
        }
        copy.files.push_back(copied);
    }
    return true;
}

// The level goes under the name a copied file has in any case, as the game
// looks for it; else under the name given.
bool WriteLevelFiles(const std::vector<uint8_t>& levelBytes, const std::vector<std::string>& levelNames,
                     TScratchCopy& copy, std::string& whyNot) {
    for (const std::string& levelName : levelNames) {
        TScratchCopy::TCopiedFile* written = nullptr;
        for (TScratchCopy::TCopiedFile& file : copy.files)
            if (SameNameIgnoringCase(file.name, levelName)) written = &file;
        if (!written) written = &copy.files.emplace_back(TScratchCopy::TCopiedFile{levelName, {}, false});
        written->level = true;
        if (!WriteFile(InFolder(copy.folder, written->name), levelBytes, written->identity)) {
            whyNot = WithFileErrorReason("Tarn could not write the level into the scratch folder " + copy.folder, " ") +
                     ". Check that there is room on the disk, then try again.";
            return false;
        }
    }
    return true;
}

bool IsTarnsOwnFile(const std::string& name) {
    return name == kPlayConfigFile || name == kPlayProcessFile || name == kPlayOutputFile;
}

bool IsLevel(const TScratchCopy& copy, const std::string& name, const std::string& levelExtension) {
    if (HasExtensionIgnoringCase(name, levelExtension)) return true;
    for (const TScratchCopy::TCopiedFile& file : copy.files)
        if (file.level && file.name == name) return true;
    return false;
}

// Whether the game made name or changed it since it was copied or written.
bool NewOrChanged(const TScratchCopy& copy, const std::string& name) {
    const TFileIdentity now = FileIdentity(InFolder(copy.folder, name));
    for (const TScratchCopy::TCopiedFile& file : copy.files)
        if (file.name == name) return now.size != file.identity.size || now.modifiedNs != file.identity.modifiedNs;
    return true;
}

// Moves the file from into folder under its name, or with a number added
// before the extension when that is taken ("SAVE-2.DAT"); copies it where
// the two lie on different disks. Its new path, "" when it could not be kept.
std::string MoveIntoFolder(const std::string& from, const std::string& folder) {
    const std::string name = FileNamePart(from);
    const size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    for (int number = 1; number < 1000; ++number) {
        const std::string to = InFolder(folder, number == 1 ? name : stem + "-" + std::to_string(number) + extension);
        if (RenameFile(from, to)) return to;
        if (errno == EEXIST || EntryKind(to) != TEntryKind::Nothing) continue;
        std::vector<uint8_t> bytes;
        TFileIdentity ignored;
        return ReadWholeFile(from, bytes) && WriteFile(to, bytes, ignored) ? to : "";
    }
    return "";
}

// A process id written as text; 0 when text is none.
int ProcessIdIn(const std::string& text) {
    const std::optional<int64_t> id = TypedTextToInteger(text);
    return id && *id > 0 && *id <= INT_MAX ? static_cast<int>(*id) : 0;
}

// The id of a run from its scratch folder's name, 0 when it is not one.
int RunProcessId(const std::string& folderName) {
    const size_t dash = folderName.find('-', kRunPrefix.size());
    if (folderName.rfind(kRunPrefix, 0) != 0 || dash == std::string::npos) return 0;
    return ProcessIdIn(folderName.substr(kRunPrefix.size(), dash - kRunPrefix.size()));
}

int RecordedPlayProcess(const std::string& folder) {
    std::vector<uint8_t> bytes;
    return ReadWholeFile(InFolder(folder, kPlayProcessFile), bytes)
               ? ProcessIdIn(std::string(bytes.begin(), bytes.end()))
               : 0;
}

}  // namespace

bool MakeScratchCopy(const std::string& gameFolder, const std::string& playRoot, const std::vector<uint8_t>& levelBytes,
                     const std::vector<std::string>& levelNames, TScratchCopy& copy, std::string& whyNot) {
    copy = TScratchCopy();
    const std::vector<std::string> names = FolderFileNames(gameFolder);
    if (FolderBytes(gameFolder, names) > kMaxGameFolderBytes) {
        whyNot = "The game folder " + gameFolder +
                 " holds more than 64 MiB; play-testing copies the whole folder, so it only works for a game "
                 "folder of at most 64 MiB.";
        return false;
    }
    const std::string root = AbsolutePath(playRoot, CurrentWorkingDir());
    MakeFolder(root);
    // Another user's folder, or a link planted where ours should be, would
    // let someone else see or change what the game reads.
    if (const std::string reason = NotPrivateFolderReason(root); !reason.empty()) {
        whyNot = "Tarn cannot use the folder " + root + " for play-testing: " + reason +
                 ". Remove it or make it yours alone, then try again.";
        return false;
    }
    copy.folder = MakeRunFolder(root);
    if (copy.folder.empty()) {
        whyNot = "Tarn could not make a scratch folder in " + root + " (" + std::strerror(errno) +
                 "). Check that this folder can be written to, then try again.";
        return false;
    }
    if (CopyFolderFiles(gameFolder, names, copy, whyNot) && WriteLevelFiles(levelBytes, levelNames, copy, whyNot))
        return true;
    RemoveFolderTree(copy.folder);
    copy = TScratchCopy();
    return false;
}

void RecordPlayProcess(const TScratchCopy& copy, int processId) {
    if (copy.folder.empty()) return;
    const std::string text = std::to_string(processId) + "\n";
    TFileIdentity ignored;
    WriteFile(InFolder(copy.folder, kPlayProcessFile), std::vector<uint8_t>(text.begin(), text.end()), ignored);
}

std::vector<std::string> FinishScratchCopy(const TScratchCopy& copy, const std::string& keptFolder,
                                           const std::string& levelExtension) {
    std::vector<std::string> kept;
    // No copy was made: "" must not be taken for the current folder.
    if (copy.folder.empty()) return kept;
    bool allKept = true;
    for (const std::string& name : FolderFileNames(copy.folder)) {
        if (IsTarnsOwnFile(name) || IsLevel(copy, name, levelExtension) || !NewOrChanged(copy, name)) continue;
        MakeFolder(DirectoryPart(keptFolder));
        MakeFolder(keptFolder);
        const std::string path = MoveIntoFolder(InFolder(copy.folder, name), keptFolder);
        if (path.empty())
            allKept = false;
        else
            kept.push_back(path);
    }
    // What could not be kept stays with the folder, for the user to fetch.
    if (allKept) RemoveFolderTree(copy.folder);
    return kept;
}

void RemoveEndedScratchCopies(const std::string& playRoot) {
    for (const std::string& name : FolderSubfolderNames(playRoot)) {
        const int run = RunProcessId(name);
        if (run == 0 || run == ProcessId() || ProcessRunning(run)) continue;
        const std::string folder = InFolder(playRoot, name);
        const int dosBox = RecordedPlayProcess(folder);
        if (dosBox != 0 && ProcessRunning(dosBox)) continue;
        RemoveFolderTree(folder);
    }
}
