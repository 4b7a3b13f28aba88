// DOSBox and the game's program found, and the configuration that has
// DOSBox play the game in its scratch folder.

#include "play/dosbox_places.h"
#include "system/file_extension.h"
#include "play/play_copy.h"
#include "system/paths.h"
#include "system/process.h"

namespace {

// DOSBox reads the mount command's path between double quotes, byte by
// byte in its own code page: only printable ASCII without quotes survives.
bool DosBoxCanMount(const std::string& path) {
    for (const char c : path)
        if (c < ' ' || c > '~' || c == '"') return false;
    return true;
}

}  // namespace

std::string FindGameProgram(const std::string& folder, const TGameInfo& game) {
    const std::string shapeName = FileNamePart(game.ShapeFile);
    const std::string stem = shapeName.substr(0, shapeName.rfind('.'));
    const std::vector<std::string> names = FolderFileNames(folder);
    // DOS itself prefers a .COM to an .EXE of the same name, and both to a .BAT.
    for (const std::string extension : {".com", ".exe", ".bat"})
        for (const std::string& name : names)
            if (SameNameIgnoringCase(name, stem + extension)) return name;
    return "";
}

std::string FindDosBox(const std::string& configured) {
    if (!configured.empty()) {
        if (PathType(configured) == 1) return configured;
        if (std::string found = FindOnSearchPath(configured); !found.empty()) return found;
    }
    if (std::string installed = InstalledDosBox(); !installed.empty()) return installed;
    return FindOnSearchPath("dosbox");
}

std::string UserDosBoxConfig() {
    // The newest version's file first: an upgraded DOSBox leaves the old one.
    for (const char* name : {"dosbox-0.74-3.conf", "dosbox-0.74-2.conf", "dosbox-0.74.conf"}) {
        const std::string path = InFolder(DosBoxSettingsFolder(), name);
        if (PathType(path) == 1) return path;
    }
    return "";
}

std::string PlayRootFor(const std::string& folder) {
    const std::string path = AbsolutePath(folder, CurrentWorkingDir());
    return DosBoxCanMount(path) ? path : TemporaryPlayRoot();
}

std::string DosBoxConfig(const std::string& scratchFolder, const std::string& programName) {
    // A batch file started from another without "call" never returns to it,
    // and then the "exit" after it would never run.
    const std::string run = HasExtensionIgnoringCase(programName, "bat") ? "call " + programName : programName;
    return "[autoexec]\nmount c \"" + scratchFolder + "\"\nc:\n" + run + "\nexit\n";
}
