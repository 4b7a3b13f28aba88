// Other programs started with posix_spawn: no shell ever reads their
// arguments, and no fork copies the editor's memory.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "system/paths.h"
#include "system/process.h"

extern char** environ;

namespace {

class TPosixChildProcess : public TChildProcess {
public:
    explicit TPosixChildProcess(pid_t pid) : pid(pid) {}

    // A child is reaped once; after that its id may be another process's,
    // so the answer is remembered instead of asked again.
    bool HasEnded() override {
        if (!ended) {
            int status = 0;
            const pid_t reaped = waitpid(pid, &status, WNOHANG);
            ended = reaped == pid || (reaped < 0 && errno == ECHILD);
        }
        return ended;
    }
    int Id() const override { return pid; }

private:
    pid_t pid;
    bool ended = false;
};

// What the child sets up between its start and its program: its standard
// streams, its working folder, its process group and its signals.
class TSpawnSetup {
public:
    TSpawnSetup() {
        posix_spawn_file_actions_init(&files);
        posix_spawnattr_init(&attributes);
    }
    ~TSpawnSetup() {
        posix_spawn_file_actions_destroy(&files);
        posix_spawnattr_destroy(&attributes);
    }
    TSpawnSetup(const TSpawnSetup&) = delete;
    TSpawnSetup& operator=(const TSpawnSetup&) = delete;

    // Returns 0 or the error that stopped the setup.
    int Prepare(const std::string& workingDir, const std::string& outputPath) {
        // The output is opened before the folder changes, so that a relative
        // path means what it means to the caller. Opened in the child alone,
        // it never stays open in the editor.
        int error = posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
        const int append = O_WRONLY | O_CREAT | O_APPEND;
        if (!error) error = posix_spawn_file_actions_addopen(&files, 1, outputPath.c_str(), append, 0666);
        if (!error) error = posix_spawn_file_actions_adddup2(&files, 1, 2);
        if (!error && !workingDir.empty()) error = posix_spawn_file_actions_addchdir_np(&files, workingDir.c_str());
        // A group of its own: Ctrl+C in the terminal the editor runs in ends
        // the editor, not the program it started. Signals the editor blocks
        // or ignores are not handed on.
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        const short flags = POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
        if (!error) error = posix_spawnattr_setflags(&attributes, flags);
        if (!error) error = posix_spawnattr_setpgroup(&attributes, 0);
        if (!error) error = posix_spawnattr_setsigmask(&attributes, &none);
        if (!error) error = posix_spawnattr_setsigdefault(&attributes, &all);
        return error;
    }

    posix_spawn_file_actions_t files;
    posix_spawnattr_t attributes;
};

bool IsExecutableRegularFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::unique_ptr<TChildProcess> StartProcess(const std::string& program, const std::vector<std::string>& args,
                                            const std::string& workingDir, const std::string& outputPath,
                                            std::string& whyNot) {
    // The program is found after the folder changes: a relative path is
    // made whole first, to name the program the caller meant.
    const std::string path = AbsolutePath(program, CurrentWorkingDir());
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    TSpawnSetup setup;
    pid_t pid = 0;
    int error = setup.Prepare(workingDir, outputPath);
    if (!error) error = posix_spawn(&pid, path.c_str(), &setup.files, &setup.attributes, argv.data(), environ);
    if (error) {
        whyNot = std::strerror(error);
        return nullptr;
    }
    return std::make_unique<TPosixChildProcess>(pid);
}

bool ProcessRunning(int id) {
    // 0 and negative ids name process groups, never one process.
    if (id <= 0) return false;
    return kill(id, 0) == 0 || errno == EPERM;
}

std::string FindOnSearchPath(const std::string& name) {
    if (name.empty()) return "";
    if (name.find('/') != std::string::npos) return IsExecutableRegularFile(name) ? name : "";
    const char* variable = std::getenv("PATH");
    const std::string searchPath = variable ? variable : "";
    for (size_t start = 0; start <= searchPath.size();) {
        size_t end = searchPath.find(':', start);
        if (end == std::string::npos) end = searchPath.size();
        const std::string folder = searchPath.substr(start, end - start);
        start = end + 1;
        // Empty and relative entries would make the folder the editor was
        // started from decide which program runs; only absolute ones count.
        if (folder.empty() || folder[0] != '/') continue;
        const std::string candidate = InFolder(folder, name);
        if (IsExecutableRegularFile(candidate)) return candidate;
    }
    return "";
}
