#pragma once
// The subcommands of tarn-cli. Each lives in its own file (cli_NAME.cpp) and
// is listed once in the command table of cli.cpp.

#include <ostream>
#include <string>
#include <vector>

#include "level/level.h"
#include "platform/requesters.h"

// Message boxes of the program become lines on the command's error stream;
// questions are answered "no" and requesters give nothing, since nobody is
// there to answer them.
class TCliRequesterHost : public TRequesterHost {
public:
    explicit TCliRequesterHost(std::ostream& err) : err(err) {}
    void Notify(const std::string& text, int serious) override;
    int Confirm(const std::string& text, int serious) override;
    int Proceed(const std::string& text, int serious) override;
    std::string RequestFile(const std::string& title, const std::string& filter, int save,
                            const std::string& initialPath) override;
    std::string RequestDir(const std::string& title, const std::string& initialFolder) override;

    int notices = 0;   // message boxes shown so far

private:
    std::ostream& err;
};

// One run of a subcommand.
struct TCliCall {
    std::vector<std::string> args;   // after the subcommand's name
    std::ostream& out;
    std::ostream& err;
    TCliRequesterHost& host;
};

// Reads a level for a subcommand. On failure the user has been told why on
// the error stream: by the reader's notice, or here when the file could not
// even be opened.
TLevelPtr ReadLevelForCli(const std::string& path, TCliCall& call);

// The subcommands: each gives the exit status.
int CliInfo(TCliCall& call);
int CliCheck(TCliCall& call);
int CliRoundtrip(TCliCall& call);
int CliGames(TCliCall& call);
int CliMapshot(TCliCall& call);
int CliSampleGame(TCliCall& call);
