#pragma once
// File names judged by their extension, as DOS judges them: in any case.

#include <string>

#include "system/paths.h"

// Whether name ends in "." and extension (given without the dot), in any case.
inline bool HasExtensionIgnoringCase(const std::string& name, const std::string& extension) {
    const size_t dot = name.rfind('.');
    return dot != std::string::npos && SameNameIgnoringCase(name.substr(dot + 1), extension);
}
