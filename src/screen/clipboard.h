#pragma once
// The system's clipboard, as text, shared with every other program and with
// the editor's other windows. The scripted test host puts a clipboard of its
// own in place, so tests neither read nor change the desktop's.

#include <memory>
#include <string>

class TClipboard {
public:
    virtual ~TClipboard() = default;
    virtual std::string Text() = 0;   // UTF-8; "" when it holds no text
    virtual void SetText(const std::string& utf8) = 0;
};

// Installs a clipboard (null puts the system's back).
void SetClipboard(std::shared_ptr<TClipboard> clipboard);

std::string ClipboardText();
void SetClipboardText(const std::string& utf8);
