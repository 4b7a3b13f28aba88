#pragma once
// Running one tarn-cli command line in the test program, its output kept.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

struct TRun {
    int status;
    std::string out, err;
};

inline TRun RunCommand(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}
