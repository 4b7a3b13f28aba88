#include "edit/save_name.h"

#include "edit/jill_level_viewer.h"
#include "platform/paths.h"
#include "platform/requesters.h"

bool HasNoExtension(const std::string& path) {
    const std::string name = FileNamePart(path);
    return name.size() < 2 || name.find('.', 1) == std::string::npos;
}

std::string AskSaveName(TJillLevelViewer& viewer, const std::string& title, const std::string& filter,
                        const std::string& extension) {
    std::string path = RequestFile(title, filter, 1, "");
    // The click that closed the requester must not reach the editor.
    viewer.FlushInput();
    if (path.empty() || extension.empty() || !HasNoExtension(path)) return path;
    path += "." + extension;
    if (PathType(path) != 0 &&
        !viewer.MyConfirm("The file\n\n" + path + "\n\nalready exists. Replace it?", 0))
        return "";
    return path;
}
