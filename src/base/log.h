#pragma once
// The program's diary, "log.txt": opened on first use with a header, every
// write flushed at once, groups of lines set off by exactly one blank line,
// and closed with a time stamp when the program ends.

#include <string>

// Where the log goes ("log.txt" unless changed before the first write); an
// empty path switches logging off. Closes an open log first.
void SetLogPath(const std::string& path);
// The title written in the header (the application title).
void SetLogTitle(const std::string& title);

void LogLine(const std::string& text);
void LogText(const std::string& text);
void LogBlankLine();
void LogBlock(const std::string& text);
void LogOK();
void LogError();

// Writes the "Closed: " line and closes the file; runs by itself at exit.
// Nothing more is written until SetLogPath names a log again, so a late
// write cannot replace the finished file with a fresh one.
void CloseLog();
