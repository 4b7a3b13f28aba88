#include "cli/cli.h"

int RunCli(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    err << "usage: tarn-cli [--log FILE] COMMAND ...\n";
    return args.empty() ? 2 : 2;
}
