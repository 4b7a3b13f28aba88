#pragma once
// Path tests and path splitting. A "\" in a path counts as "/".

#include <string>
#include <vector>

// 0 nothing there, 1 a regular file, 2 a directory.
int PathType(const std::string& path);
// The part after the last "/" (the whole path when there is none).
std::string FileNamePart(const std::string& path);
// The part before the last "/"; a root keeps its slash; "" without any "/";
// ".", ".." and a root are returned unchanged.
std::string DirectoryPart(const std::string& path);
// The path with every "\" made "/", as the host's file functions want it.
std::string HostPath(const std::string& path);

// Whether two names are the same when the case of the letters A-Z is
// ignored, as DOS and Windows compare file names. Game folders copied from
// DOS carry their files in capitals ("JILL1.SHA", "1.JN1") while the games'
// table names them in lower case, and Linux file systems tell them apart.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

// A file name looked up in a folder without regard to case.
struct TFileLookup {
    std::string name;                   // the file to open; "" when there is none
    std::vector<std::string> matches;   // every regular file of that name in any case, in name order
};

// Looks for the regular file called name (a plain file name) in folder in
// any case. Where several names differ only in case, the one spelt exactly
// as asked wins, else the first in name order; matches lists them all so the
// caller can say which was taken.
TFileLookup FindFileIgnoringCase(const std::string& folder, const std::string& name);

// name inside folder, with one separator between them (name alone when folder is "").
std::string InFolder(const std::string& folder, const std::string& name);

// The process's current folder, "" when it cannot be read.
std::string CurrentWorkingDir();
// Whether the path starts from a root ("/" here; a drive or "\\" on Windows).
bool IsAbsolutePath(const std::string& path);
// A path made absolute against workingDir ("" gives workingDir itself).
std::string AbsolutePath(const std::string& path, const std::string& workingDir);

// The system's own description of why it cannot use path at all (the whole
// path, or one name in it, longer than the system allows); "" when it can.
// Whether the file is there or may be written is for the caller to find out.
std::string UnusablePathReason(const std::string& path);
