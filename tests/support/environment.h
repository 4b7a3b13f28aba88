#pragma once
// An environment variable set for the length of a test, and put back as it
// was afterwards (unset when it was not set).

#include <optional>
#include <string>

class TEnvironmentVariable {
public:
    TEnvironmentVariable(const std::string& name, const std::string& value);
    ~TEnvironmentVariable();
    TEnvironmentVariable(const TEnvironmentVariable&) = delete;
    TEnvironmentVariable& operator=(const TEnvironmentVariable&) = delete;

private:
    std::string name;
    std::optional<std::string> before;
};

// Sets name to value, or removes it when there is none.
void PutEnvironmentVariable(const std::string& name, const std::optional<std::string>& value);
