#pragma once
// The subcommands of tarn-cli. Each lives in its own file (cli_NAME.cpp) and
// is listed once in the command table of cli.cpp.

#include <ostream>
#include <string>
#include <vector>

#include "base/requesters.h"
#include "gamedata/game_binding.h"
#include "level/level.h"

struct TSaveFindings;

// One run of a subcommand.
struct TCliCall {
    std::vector<std::string> args;   // after the subcommand's name
    std::ostream& out;
    std::ostream& err;
    TConsoleRequesterHost& host;   // message boxes become lines on err
};

// Reads a level for a subcommand. On failure the user has been told why on
// the error stream: by the reader's notice, or here when the file could not
// even be opened.
TLevelPtr ReadLevelForCli(const std::string& path, TCliCall& call);

// A level with the data of the game it belongs to, its objects' pictures made.
struct TCliLevel {
    TLevelPtr level;
    TGameData game;
};

// Binds the game of bound.level, read from path, as the editor does when it
// loads a level; there is nobody here to ask when none fits. False, and
// nothing said, when the level's folder holds no game.
bool BindLevelGame(const std::string& path, TCliLevel& bound);

// Reads the level and binds its game. False when the user has been told why not.
bool ReadBoundLevelForCli(const std::string& path, TCliCall& call, TCliLevel& bound);

// The exit status of check for a level that was read: 0 nothing found, 3
// findings, 4 serious findings (1 is a level that could not be read).
int CheckStatus(const TSaveFindings& findings);

// check FOLDER: every level of every game in folder, one line each (JSON
// lines with json) and a summary; the worst level's status, 2 without a game.
int CheckFolder(TCliCall& call, const std::string& folder, bool json);

// The subcommands: each gives the exit status.
int CliInfo(TCliCall& call);
int CliCheck(TCliCall& call);
int CliRoundtrip(TCliCall& call);
int CliGames(TCliCall& call);
int CliMapshot(TCliCall& call);
int CliThumbnail(TCliCall& call);
int CliSampleGame(TCliCall& call);
int CliExportTiled(TCliCall& call);
int CliImportTiled(TCliCall& call);
