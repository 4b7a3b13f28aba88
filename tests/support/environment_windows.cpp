#include "support/environment.h"

#include <cstdlib>

void PutEnvironmentVariable(const std::string& name, const std::optional<std::string>& value) {
    // An empty value removes the variable, as Windows knows no empty ones.
    _putenv_s(name.c_str(), value ? value->c_str() : "");
}
