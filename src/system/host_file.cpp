// What the systems' file operations share: the names of temporary files and
// the watcher of a replace's steps.

#include "system/host_file.h"

#include "system/paths.h"

// A name a user recognises as this program's when a killed run leaves one,
// and that no other program's file is taken for.
const std::string kTemporaryNameEnd = ".tarn-tmp";

std::string TemporaryNameStart(const std::string& target) { return "." + FileNamePart(target) + "."; }

bool IsTemporaryName(const std::string& name) {
    return name.size() > kTemporaryNameEnd.size() + 2 && name[0] == '.' &&
           name.compare(name.size() - kTemporaryNameEnd.size(), kTemporaryNameEnd.size(), kTemporaryNameEnd) == 0;
}

namespace {

TReplaceStepWatcher& Watcher() {
    static TReplaceStepWatcher watcher;
    return watcher;
}

}  // namespace

void WatchReplaceSteps(TReplaceStepWatcher watcher) { Watcher() = std::move(watcher); }

void TellReplaceStep(TReplaceStep step) {
    if (Watcher()) Watcher()(step);
}
