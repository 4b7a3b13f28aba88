#pragma once
// The requester host made of this system's own dialogs, which the editor
// installs at start-up: the desktop's dialog helper on Linux and the like,
// the common dialogs on Windows.

#include <memory>

#include "base/requesters.h"

std::shared_ptr<TRequesterHost> SystemRequesterHost();
