// The requesters of Windows: its own message boxes (MessageBoxW), common
// file dialogs (GetOpenFileNameW, GetSaveFileNameW) and folder browser
// (SHBrowseForFolderW), owned by the editor's window so they stay above it.

// input.h names the virtual-key codes itself, with windows.h's values:
// it comes first, before windows.h makes those names macros.
#include "screen/input.h"

#include <windows.h>
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <SDL.h>
#include <SDL_syswm.h>

#include "dialogs/file_filter.h"
#include "dialogs/message_box.h"
#include "dialogs/system_requesters.h"
#include "screen/sdl_window.h"
#include "system/paths.h"
#include "system/wide_text.h"

namespace {

HWND OwnerWindow() {
    SDL_Window* window = GraphicsWindow();
    if (!window) return nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    return SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_WINDOWS ? info.info.win.window : nullptr;
}

UINT MessageBoxStyle(TMessageKind kind, int serious) {
    const UINT buttons = kind == TMessageKind::Notify    ? MB_OK
                         : kind == TMessageKind::Confirm ? MB_OKCANCEL
                                                         : MB_YESNOCANCEL;
    return buttons | (serious ? MB_ICONWARNING : MB_ICONINFORMATION) | MB_TOPMOST | MB_SETFOREGROUND;
}

// The button MessageBoxW reports as the id MessageBoxAnswer knows.
int ButtonId(int pressed) {
    switch (pressed) {
        case IDOK:
        case IDYES:
            return 1;
        case IDNO:
            return 0;
        default:
            return -1;
    }
}

// The folder a requester opens on and the name it proposes, as on Linux: a
// folder opens as itself, a file in its own folder with its name proposed,
// and a name without a folder in the program's current folder.
struct TRequesterStart {
    std::string folder;
    std::string name;
};

TRequesterStart StartOf(const std::string& initialPath) {
    if (initialPath.empty() || PathType(initialPath) == 2) return {initialPath.empty() ? CurrentWorkingDir() : initialPath, ""};
    const std::string folder = DirectoryPart(initialPath);
    return {folder.empty() ? CurrentWorkingDir() : folder, FileNamePart(initialPath)};
}

int CALLBACK OpenOnFolder(HWND dialog, UINT message, LPARAM, LPARAM folder) {
    if (message == BFFM_INITIALIZED) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, folder);
    return 0;
}

class TWindowsRequesterHost : public TRequesterHost {
public:
    void Notify(const std::string& text, int serious) override { Show(TMessageKind::Notify, text, serious); }
    int Confirm(const std::string& text, int serious) override { return Show(TMessageKind::Confirm, text, serious); }
    int Proceed(const std::string& text, int serious) override { return Show(TMessageKind::Proceed, text, serious); }

    std::string RequestFile(const std::string& title, const std::string& filter, int save,
                            const std::string& initialPath) override {
        const std::vector<TFilterGroup> groups = ParseFileFilter(filter);
        const std::wstring filterList = WideText(DialogFilterList(groups));
        const TRequesterStart start = StartOf(initialPath);
        const std::wstring folder = WidePath(start.folder);
        const std::wstring wideTitle = WideText(title);
        std::wstring chosen = WideText(start.name);
        chosen.resize(MAX_PATH, L'\0');

        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = OwnerWindow();
        dialog.lpstrFilter = groups.empty() ? nullptr : filterList.c_str();
        dialog.nFilterIndex = static_cast<DWORD>(PreselectedFilterGroup(groups, initialPath)) + 1;
        dialog.lpstrFile = chosen.data();
        dialog.nMaxFile = MAX_PATH;
        dialog.lpstrInitialDir = folder.c_str();
        dialog.lpstrTitle = wideTitle.c_str();
        // The program's current folder stays where it is: tarn.ini and the
        // log live there.
        dialog.Flags = OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER |
                       (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
        const BOOL ok = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
        if (!ok) return "";
        return Utf8Text(chosen.substr(0, chosen.find(L'\0')));
    }

    std::string RequestDir(const std::string& title, const std::string& initialFolder) override {
        // The browser's newer look needs COM on this thread; a second
        // initialisation only counts up.
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const std::wstring wideTitle = WideText(title);
        const std::wstring folder = WidePath(initialFolder.empty() ? CurrentWorkingDir() : initialFolder);
        BROWSEINFOW browse{};
        browse.hwndOwner = OwnerWindow();
        browse.lpszTitle = wideTitle.c_str();
        browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
        browse.lpfn = OpenOnFolder;
        browse.lParam = reinterpret_cast<LPARAM>(folder.c_str());
        std::string chosen;
        if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&browse)) {
            wchar_t path[MAX_PATH];
            if (SHGetPathFromIDListW(item, path)) chosen = Utf8Text(path);
            CoTaskMemFree(item);
        }
        if (SUCCEEDED(com)) CoUninitialize();
        return chosen;
    }

private:
    static int Show(TMessageKind kind, const std::string& text, int serious) {
        const int pressed = MessageBoxW(OwnerWindow(), WideText(text).c_str(), WideText(AppTitle()).c_str(),
                                        MessageBoxStyle(kind, serious));
        return MessageBoxAnswer(kind, ButtonId(pressed));
    }
};

}  // namespace

std::shared_ptr<TRequesterHost> SystemRequesterHost() { return std::make_shared<TWindowsRequesterHost>(); }
