#include "cli/cli.h"

#include <memory>

#include "base/app_title.h"
#include "base/log.h"
#include "cli/cli_commands.h"
#include "gamedata/attribute_sheet.h"
#include "system/stream.h"

namespace {

struct TCliCommand {
    const char* name;
    const char* arguments;
    const char* summary;
    size_t minArgs;
    size_t maxArgs;
    int (*run)(TCliCall& call);
};

const TCliCommand commands[] = {
    {"info", "LEVEL", "print the objects and the player block of a level", 1, 1, CliInfo},
    {"check", "[--format=json] LEVEL|FOLDER",
     "report what the game would not accept in a level, or in each level of a folder (exit 3: findings, 4: "
     "serious ones)",
     1, 2, CliCheck},
    {"roundtrip", "IN OUT", "read a level and write it again", 2, 2, CliRoundtrip},
    {"games", "DIR", "list the games whose data files are in DIR", 1, 1, CliGames},
    {"mapshot", "LEVEL OUT", "write the whole level as one PNG picture", 2, 2, CliMapshot},
    {"thumbnail", "LEVEL OUT SIZE", "write the whole level as a PNG picture at most SIZE pixels wide (2 to 2048)", 3,
     3, CliThumbnail},
    {"export-tiled", "LEVEL OUT", "write the level as a Tiled map (OUT.tmx or OUT.tmj) with its pictures", 2, 2,
     CliExportTiled},
    {"import-tiled", "IN LEVEL", "read a Tiled map written by export-tiled (and edited) as a level", 2, 2,
     CliImportTiled},
    {"sample-game", "DIR", "write the sample game (data files and levels) into DIR", 1, 1, CliSampleGame},
};

// Asked for, the usage goes to standard output with status 0; after a wrong
// call it goes to the error stream with status 2.
int Usage(std::ostream& stream, int status = 2) {
    stream << "usage: tarn-cli [--log FILE] COMMAND ARGUMENTS...\n"
              "       tarn-cli --help | --version | COMMAND --help\n\ncommands:\n";
    for (const TCliCommand& command : commands) {
        std::string head = std::string(command.name) + " " + command.arguments;
        stream << "  " << head << std::string(head.size() < 22 ? 22 - head.size() : 1, ' ') << command.summary
               << "\n";
    }
    stream << "\n--log FILE writes the program's log to FILE; without it nothing is logged.\n";
    return status;
}

int CommandUsage(const TCliCommand& command, std::ostream& out) {
    out << "usage: tarn-cli [--log FILE] " << command.name << " " << command.arguments << "\n\n"
        << command.summary << "\n";
    return 0;
}

bool AsksForHelp(const std::vector<std::string>& args) { return args.size() == 1 && args[0] == "--help"; }

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (AsksForHelp(args)) return Usage(out, 0);
    if (args.size() == 1 && args[0] == "--version") {
        out << kApplicationTitle << "\n";
        return 0;
    }
    size_t next = 0;
    std::string logPath;
    if (next < args.size() && args[next] == "--log") {
        if (next + 1 >= args.size()) return Usage(err);
        logPath = args[next + 1];
        next += 2;
    }
    if (next >= args.size()) return Usage(err);

    const TCliCommand* command = nullptr;
    for (const TCliCommand& candidate : commands)
        if (args[next] == candidate.name) command = &candidate;
    if (!command) {
        err << "tarn-cli: unknown command: " << args[next] << "\n";
        return Usage(err);
    }
    std::vector<std::string> commandArgs(args.begin() + long(next) + 1, args.end());
    if (AsksForHelp(commandArgs)) return CommandUsage(*command, out);
    if (commandArgs.size() < command->minArgs || commandArgs.size() > command->maxArgs) return Usage(err);

    // The log opens only when something is first logged, and cannot say when
    // it fails: find out before the command runs that the file can be made.
    if (!logPath.empty() && !OpenWriteStream(logPath)) {
        err << WithFileErrorReason("tarn-cli: cannot write the log file " + logPath, " ") << "\n";
        return 1;
    }
    // Loading a game's tile info cuts the attribute icons from the built-in
    // sheet, as in the editor.
    RegisterAttributeSheet();
    SetLogTitle(kApplicationTitle);
    SetLogPath(logPath);
    auto host = std::make_shared<TConsoleRequesterHost>(err);
    SetRequesterHost(host);
    TCliCall call{commandArgs, out, err, *host};
    int status = command->run(call);
    // A listing that never arrived (a full disk, a closed pipe) is a failure,
    // not the command's own verdict.
    if (!out.flush()) {
        err << "tarn-cli: cannot write the output\n";
        status = 1;
    }
    // Finish the log now, with its closing line, rather than at exit.
    SetLogPath("");
    SetRequesterHost(nullptr);
    return status;
}
