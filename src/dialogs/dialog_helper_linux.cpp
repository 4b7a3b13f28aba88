#include "dialogs/dialog_helper.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "dialogs/file_filter.h"
#include "system/paths.h"

extern char** environ;

namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> FindOnSearchPath(const std::string& name, const std::string& searchPath) {
    size_t start = 0;
    for (;;) {
        size_t end = searchPath.find(':', start);
        std::string folder = searchPath.substr(start, end == std::string::npos ? std::string::npos : end - start);
        // An empty entry means the current folder, as for the shell; we only
        // trust absolute entries, so that where the program is started from
        // never decides which program runs.
        if (!folder.empty() && folder[0] == '/') {
            std::string candidate = folder + (folder.back() == '/' ? "" : "/") + name;
            if (IsExecutableFile(candidate)) return candidate;
        }
        if (end == std::string::npos) return std::nullopt;
        start = end + 1;
    }
}

// A folder written so that zenity opens it instead of selecting it by name.
std::string AsFolder(const std::string& path) {
    return !path.empty() && path.back() != '/' ? path + "/" : path;
}

std::string Joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i) text += (i ? separator : "") + parts[i];
    return text;
}

// kdialog takes one filter text: "patterns|label" entries, one per line.
std::string KdialogFilter(const std::vector<TFilterGroup>& groups) {
    std::vector<std::string> lines;
    for (const TFilterGroup& group : groups) lines.push_back(Joined(FilterPatterns(group), " ") + "|" + FilterLabel(group));
    return Joined(lines, "\n");
}

// kdialog reads "\\" and "\n" in a text as escapes; doubling every backslash
// keeps the text as written.
std::string KdialogText(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        escaped += c;
        if (c == '\\') escaped += '\\';
    }
    return escaped;
}

class TFileActions {
public:
    TFileActions() { ok = posix_spawn_file_actions_init(&actions) == 0; }
    ~TFileActions() {
        if (ok) posix_spawn_file_actions_destroy(&actions);
    }
    TFileActions(const TFileActions&) = delete;
    TFileActions& operator=(const TFileActions&) = delete;

    bool ok;
    posix_spawn_file_actions_t actions;
};

class TFd {
public:
    explicit TFd(int fd = -1) : fd(fd) {}
    ~TFd() { Close(); }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    void Close() {
        if (fd >= 0) close(fd);
        fd = -1;
    }
    int fd;
};

}  // namespace

std::optional<TDialogHelper> FindDialogHelper(const std::string& searchPath) {
    if (auto program = FindOnSearchPath("zenity", searchPath)) return TDialogHelper{THelperKind::Zenity, *program};
    if (auto program = FindOnSearchPath("kdialog", searchPath)) return TDialogHelper{THelperKind::Kdialog, *program};
    return std::nullopt;
}

std::optional<TDialogHelper> FindDialogHelper() {
    const char* searchPath = std::getenv("PATH");
    return FindDialogHelper(searchPath ? searchPath : "");
}

std::vector<std::string> FileRequestArguments(const TDialogHelper& helper, const std::string& title,
                                              const std::string& filter, bool save,
                                              const std::string& initialPath, const std::string& workingDir) {
    std::vector<TFilterGroup> groups = GroupsInOfferOrder(ParseFileFilter(filter), initialPath);
    std::string start = AbsolutePath(initialPath, workingDir);
    if (helper.kind == THelperKind::Kdialog) {
        std::vector<std::string> args{helper.program, "--title", title,
                                      save ? "--getsavefilename" : "--getopenfilename", start};
        if (!groups.empty()) args.push_back(KdialogFilter(groups));
        return args;
    }
    std::vector<std::string> args{helper.program, "--file-selection", "--title=" + title};
    if (save) {
        args.push_back("--save");
        args.push_back("--confirm-overwrite");
    }
    if (!start.empty()) args.push_back("--filename=" + (initialPath.empty() || PathType(start) == 2 ? AsFolder(start) : start));
    for (const TFilterGroup& group : groups)
        args.push_back("--file-filter=" + FilterLabel(group) + " | " + Joined(FilterPatterns(group), " "));
    return args;
}

std::vector<std::string> DirRequestArguments(const TDialogHelper& helper, const std::string& title,
                                             const std::string& initialFolder, const std::string& workingDir) {
    std::string start = AbsolutePath(initialFolder, workingDir);
    if (helper.kind == THelperKind::Kdialog) return {helper.program, "--title", title, "--getexistingdirectory", start};
    std::vector<std::string> args{helper.program, "--file-selection", "--directory", "--title=" + title};
    if (!start.empty()) args.push_back("--filename=" + AsFolder(start));
    return args;
}

std::vector<std::string> MessageBoxArguments(const TDialogHelper& helper, TMessageKind kind, const std::string& title,
                                             const std::string& text, int serious) {
    std::vector<TMessageButton> buttons = MessageBoxLayout(kind, serious).buttons;
    if (helper.kind == THelperKind::Kdialog) {
        std::vector<std::string> args{helper.program, "--title", title};
        switch (kind) {
        case TMessageKind::Notify:
            args.insert(args.end(), {serious ? "--sorry" : "--msgbox", KdialogText(text)});
            break;
        case TMessageKind::Confirm:
            args.insert(args.end(), {serious ? "--warningyesno" : "--yesno", KdialogText(text), "--yes-label",
                                     buttons[0].text, "--no-label", buttons[1].text});
            break;
        case TMessageKind::Proceed:
            args.insert(args.end(), {serious ? "--warningyesnocancel" : "--yesnocancel", KdialogText(text), "--yes-label",
                                     buttons[0].text, "--no-label", buttons[1].text, "--cancel-label", buttons[2].text});
            break;
        }
        return args;
    }
    std::string box = kind != TMessageKind::Notify ? "--question" : serious ? "--warning" : "--info";
    std::vector<std::string> args{helper.program, box, "--title=" + title, "--text=" + text, "--no-markup",
                                  "--ok-label=" + buttons[0].text};
    if (kind == TMessageKind::Notify) return args;
    args.push_back("--cancel-label=" + buttons.back().text);
    // The three-way question's middle button; zenity prints its label.
    if (kind == TMessageKind::Proceed) args.push_back("--extra-button=" + buttons[1].text);
    // zenity's question box has no warning look of its own.
    if (serious) args.push_back("--icon-name=dialog-warning");
    return args;
}

THelperRun RunDialogHelper(const std::vector<std::string>& argv) {
    THelperRun run;
    if (argv.empty()) return run;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return run;
    TFd readEnd(ends[0]), writeEnd(ends[1]);

    TFileActions files;
    if (!files.ok || posix_spawn_file_actions_addopen(&files.actions, 0, "/dev/null", O_RDONLY, 0) != 0 ||
        posix_spawn_file_actions_adddup2(&files.actions, writeEnd.fd, 1) != 0 ||
        posix_spawn_file_actions_addopen(&files.actions, 2, "/dev/null", O_WRONLY, 0) != 0)
        return run;

    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, args[0], &files.actions, nullptr, args.data(), environ) != 0) return run;
    run.started = true;
    writeEnd.Close();

    char buffer[1024];
    for (;;) {
        ssize_t got = read(readEnd.fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        // Keep draining past the limit, so that a chatty helper never blocks
        // on a full pipe while we wait for it.
        size_t room = kMaxHelperOutput - run.output.size();
        if (static_cast<size_t>(got) > room) run.truncated = true;
        run.output.append(buffer, std::min(static_cast<size_t>(got), room));
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR) return run;
    if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
    return run;
}

std::string HelperAnswer(const THelperRun& run) {
    if (!run.started || run.exitStatus != 0 || run.truncated) return "";
    std::string path = run.output;
    if (!path.empty() && path.back() == '\n') path.pop_back();
    // A second line would mean several files or a name we cannot tell apart
    // from noise; guessing could open or overwrite the wrong file.
    if (path.find('\n') != std::string::npos || path.find('\0') != std::string::npos) return "";
    return path;
}

std::optional<int> HelperMessageAnswer(THelperKind helper, TMessageKind kind, const THelperRun& run) {
    if (!run.started || run.exitStatus < 0) return std::nullopt;
    std::vector<TMessageButton> buttons = MessageBoxLayout(kind, 0).buttons;
    size_t status = static_cast<size_t>(run.exitStatus);
    // kdialog's exit status counts the buttons from the left: 0 yes (or OK),
    // 1 no, 2 cancel.
    if (helper == THelperKind::Kdialog)
        return status < buttons.size() ? std::optional(MessageBoxAnswer(kind, buttons[status].id)) : std::nullopt;
    // zenity: 0 for its OK button; 1 for its Cancel button, for closing the
    // box, and for the extra button, whose label it prints. Closing must
    // never read as the middle answer, so only that label does.
    if (status == 0) return MessageBoxAnswer(kind, buttons[0].id);
    if (status != 1) return std::nullopt;
    std::string printed = run.output;
    if (!printed.empty() && printed.back() == '\n') printed.pop_back();
    if (buttons.size() == 3 && printed == buttons[1].text) return MessageBoxAnswer(kind, buttons[1].id);
    return MessageBoxAnswer(kind, buttons.back().id);
}
