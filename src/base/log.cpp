#include "base/log.h"

#include <cstdlib>

#include "base/app_title.h"
#include "system/clock.h"
#include "system/stream.h"

namespace {

const std::string kRule(40, '=');

struct TLogState {
    std::string path = "log.txt";
    std::string title = kApplicationTitle;
    TStreamPtr stream;   // null until the first write opens the file
    bool lastLineBlank = false;
    bool atLineStart = false;
    // Set once the log has been closed: a log call from a later exit handler
    // must not replace the finished file with a fresh, nearly empty one.
    bool finished = false;
};

TLogState& State() {
    static TLogState state;
    return state;
}

// Closing at exit is armed as soon as the program starts. The state and the
// clock that stamps the closing line are made before the handler is registered
// so that they are still alive when it runs (exit undoes construction and
// registration in reverse order).
const bool closeAtExitRegistered = [] {
    State();
    CurrentClock();
    return std::atexit(CloseLog) == 0;
}();

void Write(const std::string& bytes) {
    TLogState& log = State();
    log.stream->WriteString(bytes);
    log.stream->Flush();
}

// Opens the file on first use and writes its header. False when there is no
// log to write to; a file that cannot be created is tried again next call.
bool EnsureOpen() {
    TLogState& log = State();
    if (log.stream) return true;
    if (log.path.empty() || log.finished) return false;
    log.stream = OpenWriteStream(log.path);
    if (!log.stream) return false;
    std::string heading = log.title + " - Log File";
    Write(heading + "\r\n" + std::string(heading.size(), '=') + "\r\n" + "Created: " + CurrentDateText() + " - " +
          CurrentTimeText() + "\r\n\r\n");
    log.atLineStart = true;
    log.lastLineBlank = false;
    return true;
}

}  // namespace

void SetLogPath(const std::string& path) {
    CloseLog();
    TLogState& log = State();
    log.path = path;
    log.finished = false;
    log.lastLineBlank = false;
    log.atLineStart = false;
}

void SetLogTitle(const std::string& title) { State().title = title; }

void LogLine(const std::string& text) {
    if (!EnsureOpen()) return;
    TLogState& log = State();
    Write(text + "\r\n");
    log.lastLineBlank = text.empty() && log.atLineStart;
    log.atLineStart = true;
}

void LogText(const std::string& text) {
    if (!EnsureOpen()) return;
    TLogState& log = State();
    Write(text);
    log.atLineStart = false;
    log.lastLineBlank = false;
}

void LogBlankLine() {
    if (!State().stream) return;
    while (!State().lastLineBlank) LogLine("");
}

void LogBlock(const std::string& text) {
    if (!EnsureOpen()) return;
    LogBlankLine();
    LogLine(kRule);
    LogLine(text);
    LogLine(kRule);
    LogBlankLine();
}

void LogOK() { LogLine("OK"); }

void LogError() { LogLine("ERROR"); }

void CloseLog() {
    TLogState& log = State();
    if (!log.stream) return;
    LogBlankLine();
    LogLine("Closed: " + CurrentDateText() + " - " + CurrentTimeText());
    log.stream->Close();
    log.stream = nullptr;
    log.finished = true;
}
