// The command line Windows hands a new program, built here so that it can be
// checked on every system.

#include "system/process.h"

namespace {

// One argument as the Microsoft C runtime reads it back: backslashes are
// literal except in a run that ends at a quote, where each pair stands for
// one backslash and an odd one out escapes the quote.
std::string QuotedArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    // The closing quote must stay a quote, so the backslashes before it double.
    quoted.append(2 * backslashes, '\\');
    return quoted + "\"";
}

}  // namespace

// The program's own name is read by simpler rules (up to the next quote), but
// a Windows path holds no quote and rarely ends in a backslash, and for such
// a path both readings agree.
std::string WindowsCommandLine(const std::string& program, const std::vector<std::string>& args) {
    std::string line = QuotedArgument(program);
    for (const std::string& arg : args) line += " " + QuotedArgument(arg);
    return line;
}
