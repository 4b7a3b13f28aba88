#include "edit/save_name.h"

#include "base/requesters.h"
#include "edit/jill_level_viewer.h"
#include "system/paths.h"

bool HasNoExtension(const std::string& path) {
    const std::string name = FileNamePart(path);
    return name.size() < 2 || name.find('.', 1) == std::string::npos;
}

std::string WithExtension(const std::string& path, const std::string& extension) {
    if (HasNoExtension(path)) return path + "." + extension;
    const std::string name = FileNamePart(path);
    return path.substr(0, path.size() - (name.size() - name.rfind('.'))) + "." + extension;
}

std::string CurrentLevelPath(const TJillLevelViewer& viewer) {
    return viewer.levelfile.empty() ? viewer.dir : viewer.levelfile;
}

std::string CurrentLevelFolder(const TJillLevelViewer& viewer) {
    return viewer.levelfile.empty() ? viewer.dir : DirectoryPart(viewer.levelfile);
}

std::string AskSaveName(TJillLevelViewer& viewer, const std::string& title, const std::string& filter,
                        const std::string& extension, const std::string& initialPath) {
    std::string path = RequestFile(title, filter, 1, initialPath);
    // The click that closed the requester must not reach the editor.
    viewer.FlushInput();
    if (path.empty() || extension.empty() || !HasNoExtension(path)) return path;
    path = WithExtension(path, extension);
    if (PathType(path) != 0 &&
        !viewer.MyConfirm("The file\n\n" + path + "\n\nalready exists. Replace it?", 0))
        return "";
    return path;
}

std::string AskLevelSaveName(TJillLevelViewer& viewer) {
    return AskSaveName(viewer, "Save Level As ...", kLevelFilesFilter,
                       viewer.boundGame ? viewer.boundGame->Extension : "", CurrentLevelPath(viewer));
}
