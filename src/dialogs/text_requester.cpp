#include "dialogs/text_requester.h"

#include <algorithm>

#include "dialogs/file_filter.h"
#include "dialogs/message_frame.h"
#include "screen/graphics.h"
#include "screen/input.h"
#include "system/paths.h"
#include "system/utf8.h"

TLineEdit::TLineEdit(std::string text, size_t maxChars) : text(std::move(text)), maxChars(maxChars) {
    cursor = Length();
}

size_t TLineEdit::Length() const { return CharacterCount(text); }

size_t TLineEdit::ByteOffset(size_t characters) const {
    size_t offset = 0;
    for (size_t seen = 0; offset < text.size(); ++offset) {
        if (IsUtf8Continuation(text[offset])) continue;
        if (seen++ == characters) return offset;
    }
    return text.size();
}

bool TLineEdit::Type(int code) {
    bool printable = (code >= 32 && code < 127) || (code >= 160 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF));
    if (!printable || Length() >= maxChars) return false;
    text.insert(ByteOffset(cursor), Utf8(code));
    ++cursor;
    return true;
}

void TLineEdit::Backspace() {
    if (cursor == 0) return;
    --cursor;
    Delete();
}

void TLineEdit::Delete() {
    if (cursor >= Length()) return;
    size_t from = ByteOffset(cursor);
    text.erase(from, ByteOffset(cursor + 1) - from);
}

void TLineEdit::Left() {
    if (cursor > 0) --cursor;
}

void TLineEdit::Right() {
    if (cursor < Length()) ++cursor;
}

void TLineEdit::Home() { cursor = 0; }

void TLineEdit::End() { cursor = Length(); }

std::string TLineEdit::Shown() const { return DrawableText(text); }

size_t TLineEdit::FirstShownColumn(size_t columns) const {
    if (columns == 0) return cursor;
    return cursor < columns ? 0 : cursor - columns + 1;
}

TPathCheck CheckTypedPath(TRequestMode mode, const std::string& path) {
    if (path.empty()) return {TPathVerdict::Refuse, "Please type a path."};
    if (const std::string reason = UnusablePathReason(path); !reason.empty())
        return {TPathVerdict::Refuse, "The system cannot use this path (" + reason + ")."};
    int type = PathType(path);
    switch (mode) {
    case TRequestMode::Open:
        if (type == 1) return {TPathVerdict::Accept, ""};
        return {TPathVerdict::Refuse, type == 2 ? "That is a folder." : "There is no such file."};
    case TRequestMode::Folder:
        if (type == 2) return {TPathVerdict::Accept, ""};
        return {TPathVerdict::Refuse, "There is no such folder."};
    case TRequestMode::Save:
        if (type == 2 || path.back() == '/') return {TPathVerdict::Refuse, "That is a folder."};
        if (type == 1) return {TPathVerdict::AskReplace, ""};
        if (PathType(DirectoryPart(path)) != 2) return {TPathVerdict::Refuse, "There is no such folder."};
        return {TPathVerdict::Accept, ""};
    }
    return {TPathVerdict::Refuse, ""};
}

namespace {

// What the requester shows below the field until the user is told something
// else: the file types on offer, or what to do.
std::string Hint(const TTextRequest& request) {
    if (request.mode == TRequestMode::Folder) return "Type the path of a folder.";
    std::string hint;
    for (const TFilterGroup& group : ParseFileFilter(request.filter)) {
        hint += hint.empty() ? "" : "; ";
        hint += FilterLabel(group) + ":";
        for (const std::string& ext : group.extensions) hint += " " + ext;
    }
    return hint;
}

void DrawRequester(const TTextRequest& request, const TLineEdit& field, const std::string& message) {
    TBoxFrame frame = CentredBoxFrame(6 * kBoxRow);
    size_t columns = BoxColumns(frame);
    int left = frame.left, top = frame.top, width = frame.width;
    DrawBoxFrame(frame, request.title);

    int fieldTop = top + 2 * kBoxRow;
    SetColor(0, 0, 0);
    DrawRect(left + kBoxColumn - 2, fieldTop - 2, width - 2 * kBoxColumn + 4, kBoxRow + 4);
    size_t first = field.FirstShownColumn(columns);
    SetColor(255, 255, 255);
    DrawString(field.Shown().substr(first, columns), left + kBoxColumn, fieldTop);
    SetColor(255, 255, 0);
    DrawRect(left + kBoxColumn + static_cast<int>(field.Cursor() - first) * kBoxColumn, fieldTop, 2, kBoxRow);

    if (message.empty())
        SetColor(160, 160, 160);
    else
        SetColor(255, 96, 96);
    DrawString(DrawableText(message.empty() ? Hint(request) : message).substr(0, columns), left + kBoxColumn,
               top + 3 * kBoxRow + 4);
    SetColor(160, 160, 160);
    DrawString("Enter: OK    Escape: Cancel", left + kBoxColumn, top + 5 * kBoxRow - 4);
}

}  // namespace

std::string RunTextRequester(const TTextRequest& request,
                             const std::function<bool(const std::string&)>& confirmReplace) {
    if (ScreenWidth() <= 0 || ScreenHeight() <= 0) return "";
    std::string workingDir = CurrentWorkingDir();
    // Starting from a folder lets the user type just a name.
    std::string start = AbsolutePath(request.initialPath, workingDir);
    if (PathType(start) == 2 && request.mode != TRequestMode::Folder && !start.empty() && start.back() != '/')
        start += "/";
    TLineEdit field(start);
    std::string message;

    std::string answer;
    auto handleInput = [&] {
        for (int code; (code = NextChar()) != 0;) {
            if (code == 27) return false;
            if (code == 13) {
                std::string path = AbsolutePath(field.Text(), workingDir);
                // A folder is answered the way the helpers answer it, without
                // a closing slash, so callers can append names to it.
                while (request.mode == TRequestMode::Folder && path.size() > 1 && path.back() == '/') path.pop_back();
                TPathCheck check = CheckTypedPath(request.mode, path);
                message = check.reason;
                bool accepted = check.verdict == TPathVerdict::Accept;
                if (check.verdict == TPathVerdict::AskReplace && confirmReplace) {
                    accepted = confirmReplace(path);
                    // The answer to the question is not typing.
                    ClearKeyInput();
                    ClearMouseInput();
                }
                if (accepted) {
                    answer = path;
                    return false;
                }
            } else if (code == 8) {
                field.Backspace();
            } else {
                field.Type(code);
            }
        }
        if (KeyRepeat(VK_LEFT, kKeyRepeatDelayMs)) field.Left();
        if (KeyRepeat(VK_RIGHT, kKeyRepeatDelayMs)) field.Right();
        if (KeyRepeat(VK_DELETE, kKeyRepeatDelayMs)) field.Delete();
        if (KeyPresses(VK_HOME)) field.Home();
        if (KeyPresses(VK_END)) field.End();
        return true;
    };
    RunWindowBox([&] { DrawRequester(request, field, message); }, handleInput);
    return answer;
}
