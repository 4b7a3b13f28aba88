#include "support/environment.h"

#include <cstdlib>

TEnvironmentVariable::TEnvironmentVariable(const std::string& name, const std::string& value) : name(name) {
    if (const char* old = std::getenv(name.c_str())) before = old;
    PutEnvironmentVariable(name, value);
}

TEnvironmentVariable::~TEnvironmentVariable() { PutEnvironmentVariable(name, before); }
