#pragma once
// The in-window file and folder requester, for desktops without a dialog
// helper: a titled window with a one-line path field in the editor's own
// font. Enter accepts, Escape cancels.

#include <functional>
#include <string>

#include <cstddef>

enum class TRequestMode { Open, Save, Folder };

struct TTextRequest {
    std::string title;
    std::string filter;        // file requester filter; "" for folders
    TRequestMode mode = TRequestMode::Open;
    std::string initialPath;
};

// The field holds more characters than any path the system accepts (4096
// bytes on Linux), so that the system, not the field, says which path is too
// long; the limit only stops a stuck key.
inline constexpr size_t kMaxTypedPathLength = 4096;

// The path field's text and cursor. The text is UTF-8 (an initial path may
// hold any name the file system allows); the cursor moves and deletes whole
// characters, and typing adds any printable character up to the length limit.
class TLineEdit {
public:
    explicit TLineEdit(std::string text = "", size_t maxChars = kMaxTypedPathLength);

    const std::string& Text() const { return text; }
    size_t Cursor() const { return cursor; }   // in characters
    size_t Length() const;                     // in characters

    bool Type(int code);   // false when not printable or the field is full
    void Backspace();
    void Delete();
    void Left();
    void Right();
    void Home();
    void End();

    // One drawable character per character of the text: the built-in font
    // has only ASCII, so others show as "?" and the cursor stays in step.
    std::string Shown() const;
    // The first column to show so that the cursor stays inside a field of
    // the given width in characters.
    size_t FirstShownColumn(size_t columns) const;

private:
    size_t ByteOffset(size_t characters) const;

    std::string text;
    size_t cursor = 0;
    size_t maxChars;
};

enum class TPathVerdict { Accept, Refuse, AskReplace };

struct TPathCheck {
    TPathVerdict verdict = TPathVerdict::Refuse;
    std::string reason;   // shown to the user when refused
};

// Whether Enter may accept the typed path: an existing file to open, an
// existing folder to choose, a new file in an existing folder to save, or
// (after asking) an existing file to replace; never a path the system
// cannot use.
TPathCheck CheckTypedPath(TRequestMode mode, const std::string& path);

// Runs the requester over the open window until Enter accepts or Escape
// cancels; the answer is an absolute path, "" when cancelled or when no
// window is open. confirmReplace asks whether an existing file may be
// replaced in save mode.
std::string RunTextRequester(const TTextRequest& request,
                             const std::function<bool(const std::string&)>& confirmReplace);
