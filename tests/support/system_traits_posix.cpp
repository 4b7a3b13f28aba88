#include "support/system_traits.h"

bool FilesHavePermissionBits() { return true; }

bool DeathTestsShareTheTestsState() { return true; }

bool PathLimitsAreLinuxs() { return true; }
