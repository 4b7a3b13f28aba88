#include "support/system_traits.h"

bool FilesHavePermissionBits() { return false; }

bool DeathTestsShareTheTestsState() { return false; }

bool PathLimitsAreLinuxs() { return false; }
