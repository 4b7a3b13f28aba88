#include <iostream>

#include "cli/cli.h"
#include "system/program_start.h"

int main(int argc, char** argv) {
    UseBinaryStandardStreams();
    return RunCli(ProgramArguments(argc, argv), std::cout, std::cerr);
}
