#pragma once
// Other programs started as processes of their own: never through a shell,
// their output into a file, their end noticed without waiting for it.

#include <memory>
#include <string>
#include <vector>

class TChildProcess {
public:
    virtual ~TChildProcess() = default;
    // True once the program has ended; never waits. The process is not
    // ended when this object goes: a program started keeps running.
    virtual bool HasEnded() = 0;
    virtual int Id() const = 0;
};

// Starts program (a path) with args in the folder workingDir, its standard
// output and standard error appended to the file outputPath. Null when it
// could not be started; whyNot then says why in the system's words.
std::unique_ptr<TChildProcess> StartProcess(const std::string& program, const std::vector<std::string>& args,
                                            const std::string& workingDir, const std::string& outputPath,
                                            std::string& whyNot);
// Whether a process with this id runs now (one started by an earlier run).
bool ProcessRunning(int id);
// The first regular file named name in the folders of the search path (on
// Windows also name + ".exe"); "" when there is none.
std::string FindOnSearchPath(const std::string& name);
// The command line Windows passes to program for args, quoted so that its C
// runtime splits it back into exactly these arguments.
std::string WindowsCommandLine(const std::string& program, const std::vector<std::string>& args);
