// Where DOSBox and its settings are on POSIX systems: DOSBox comes from the
// system's packages, on the search path, and keeps its settings in ~/.dosbox.

#include <unistd.h>

#include <cstdlib>

#include "play/dosbox_places.h"
#include "system/paths.h"

std::string InstalledDosBox() { return ""; }

std::string DosBoxSettingsFolder() {
    const char* home = std::getenv("HOME");
    return home ? InFolder(home, ".dosbox") : "";
}

std::string TemporaryPlayRoot() {
    const char* temporary = std::getenv("TMPDIR");
    const std::string folder = temporary && IsAbsolutePath(temporary) ? temporary : "/tmp";
    // The folder is shared by all users: the user's number keeps each one's apart.
    return InFolder(folder, "tarn-play-" + std::to_string(getuid()));
}
