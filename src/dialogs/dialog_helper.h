#pragma once
// The desktop's dialog helper programs (zenity, else kdialog) for the file
// and folder requesters and the message boxes. A helper is started directly with an argument
// vector, never through a shell, so titles and paths with blanks, quotes,
// "$", ";" or non-ASCII characters reach it and come back exactly as they are.

#include <optional>
#include <string>
#include <vector>

#include "dialogs/message_box.h"

enum class THelperKind { Zenity, Kdialog };

struct TDialogHelper {
    THelperKind kind = THelperKind::Zenity;
    std::string program;   // the executable's path as found on the search path
};

// Looks for zenity, then kdialog, in the folders of a PATH-style list.
std::optional<TDialogHelper> FindDialogHelper(const std::string& searchPath);
// The same on the PATH of the process's environment.
std::optional<TDialogHelper> FindDialogHelper();

// The complete argument vector (program first) for a file requester.
// workingDir makes relative initial paths absolute, so that no path can be
// mistaken for an option and both helpers open in the folder the program
// itself would use.
std::vector<std::string> FileRequestArguments(const TDialogHelper& helper, const std::string& title,
                                              const std::string& filter, bool save,
                                              const std::string& initialPath, const std::string& workingDir);
// The complete argument vector for a folder requester.
std::vector<std::string> DirRequestArguments(const TDialogHelper& helper, const std::string& title,
                                             const std::string& initialFolder, const std::string& workingDir);

// The complete argument vector for a message box with the buttons of its
// kind, titled title. The text shows exactly as written: no markup, no escapes.
std::vector<std::string> MessageBoxArguments(const TDialogHelper& helper, TMessageKind kind, const std::string& title,
                                             const std::string& text, int serious);

struct THelperRun {
    bool started = false;    // false when the program could not be run at all
    int exitStatus = -1;     // -1 when it did not exit normally
    std::string output;      // its standard output, up to kMaxHelperOutput bytes
    bool truncated = false;  // it printed more than that
};

// Far more than any path the system accepts (4096 bytes on Linux), so that
// the system, not this limit, decides which paths can be used; output beyond
// it is no path but a helper gone wrong.
inline constexpr size_t kMaxHelperOutput = 65536;

// Runs the program of argv[0] with the given arguments, its standard input
// empty, its errors discarded, and waits for it, collecting its standard output.
THelperRun RunDialogHelper(const std::vector<std::string>& argv);

// The path a finished helper chose: its output without the final line break;
// "" when the user cancelled, the helper failed, or the answer is not one
// path. Whether the system can use the path is for the caller to ask.
std::string HelperAnswer(const THelperRun& run);

// The answer of a finished message box helper, as MessageBoxAnswer gives it;
// none when the box cannot have been shown (the helper did not run, timed
// out, failed, or answered in a way its box never does), so that the user
// can still be asked another way.
std::optional<int> HelperMessageAnswer(THelperKind helper, TMessageKind kind, const THelperRun& run);
