// Other programs started with CreateProcessW: the program named by its path,
// never looked up, and a command line its C runtime splits back into the
// arguments given.

#include <windows.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "system/error_text.h"
#include "system/paths.h"
#include "system/process.h"
#include "system/wide_text.h"

namespace {

class TWindowsChildProcess : public TChildProcess {
public:
    TWindowsChildProcess(HANDLE process, DWORD id) : process(process), id(id) {}
    // Only the handle goes; the program keeps running.
    ~TWindowsChildProcess() override { CloseHandle(process); }
    TWindowsChildProcess(const TWindowsChildProcess&) = delete;
    TWindowsChildProcess& operator=(const TWindowsChildProcess&) = delete;

    bool HasEnded() override { return WaitForSingleObject(process, 0) != WAIT_TIMEOUT; }
    int Id() const override { return static_cast<int>(id); }

private:
    HANDLE process;
    DWORD id;
};

class THandle {
public:
    explicit THandle(HANDLE handle) : handle(handle) {}
    ~THandle() {
        if (Valid()) CloseHandle(handle);
    }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    bool Valid() const { return handle && handle != INVALID_HANDLE_VALUE; }

    HANDLE handle;
};

// A handle the child may inherit: the list below makes sure it inherits
// these alone, not whatever else the editor holds open.
HANDLE OpenInheritable(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The start-up attribute that limits what the child inherits to handles.
class TInheritedHandles {
public:
    explicit TInheritedHandles(std::vector<HANDLE> handles) : handles(std::move(handles)) {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        storage.resize(size);
        list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage.data());
        ok = InitializeProcThreadAttributeList(list, 1, 0, &size) &&
             UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, this->handles.data(),
                                       this->handles.size() * sizeof(HANDLE), nullptr, nullptr);
    }
    ~TInheritedHandles() {
        if (!storage.empty()) DeleteProcThreadAttributeList(list);
    }
    TInheritedHandles(const TInheritedHandles&) = delete;
    TInheritedHandles& operator=(const TInheritedHandles&) = delete;

    bool ok = false;
    LPPROC_THREAD_ATTRIBUTE_LIST list = nullptr;

private:
    std::vector<HANDLE> handles;
    std::vector<char> storage;
};

bool IsRegularFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

// name itself, or name + ".exe", in folder ("" for name as it stands).
std::string FileOrProgram(const std::string& folder, const std::string& name) {
    const std::string path = InFolder(folder, name);
    if (IsRegularFile(WidePath(path))) return path;
    if (IsRegularFile(WidePath(path + ".exe"))) return path + ".exe";
    return "";
}

// Null, with the system's reason for the last failure in whyNot.
std::unique_ptr<TChildProcess> NotStarted(std::string& whyNot) {
    const DWORD error = GetLastError();
    whyNot = WindowsErrorText(error);
    if (whyNot.empty()) whyNot = "Windows error " + std::to_string(error);
    return nullptr;
}

}  // namespace

std::unique_ptr<TChildProcess> StartProcess(const std::string& program, const std::vector<std::string>& args,
                                            const std::string& workingDir, const std::string& outputPath,
                                            std::string& whyNot) {
    THandle input(OpenInheritable(L"NUL", GENERIC_READ, OPEN_EXISTING));
    if (!input.Valid()) return NotStarted(whyNot);
    THandle output(OpenInheritable(WidePath(outputPath), FILE_APPEND_DATA, OPEN_ALWAYS));
    if (!output.Valid()) return NotStarted(whyNot);
    TInheritedHandles inherited({input.handle, output.handle});
    if (!inherited.ok) return NotStarted(whyNot);
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = input.handle;
    startup.StartupInfo.hStdOutput = output.handle;
    startup.StartupInfo.hStdError = output.handle;
    startup.lpAttributeList = inherited.list;

    // The program names itself in Windows' spelling: some read a "/" in it
    // as the start of an option. CreateProcessW may write into the command
    // line, so it gets a copy of its own. A group of its own keeps
    // Ctrl+Break in the editor's console from reaching it; its own window
    // it opens itself.
    const std::wstring path = WidePath(program);
    std::wstring commandLine = WideText(WindowsCommandLine(Utf8Text(path), args));
    const std::wstring folder = WidePath(workingDir);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_NEW_PROCESS_GROUP | EXTENDED_STARTUPINFO_PRESENT, nullptr,
                        workingDir.empty() ? nullptr : folder.c_str(), &startup.StartupInfo, &started))
        return NotStarted(whyNot);
    CloseHandle(started.hThread);
    return std::make_unique<TWindowsChildProcess>(started.hProcess, started.dwProcessId);
}

bool ProcessRunning(int id) {
    if (id <= 0) return false;
    THandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id)));
    // A process of another user is there even when it may not be looked at.
    if (!process.Valid()) return GetLastError() == ERROR_ACCESS_DENIED;
    return WaitForSingleObject(process.handle, 0) == WAIT_TIMEOUT;
}

std::string FindOnSearchPath(const std::string& name) {
    if (name.empty()) return "";
    if (name.find_first_of("/\\") != std::string::npos) return FileOrProgram("", name);
    const wchar_t* variable = _wgetenv(L"PATH");
    const std::string searchPath = variable ? Utf8Text(variable) : "";
    for (size_t start = 0; start <= searchPath.size();) {
        size_t end = searchPath.find(';', start);
        if (end == std::string::npos) end = searchPath.size();
        std::string folder = searchPath.substr(start, end - start);
        start = end + 1;
        // Entries with spaces are often written in quotes.
        if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"') folder = folder.substr(1, folder.size() - 2);
        // Relative entries would make the folder the editor was started from
        // decide which program runs; only absolute ones count.
        if (!IsAbsolutePath(folder)) continue;
        const std::string found = FileOrProgram(folder, name);
        if (!found.empty()) return found;
    }
    return "";
}
