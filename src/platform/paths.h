#pragma once
// Path tests and path splitting. A "\" in a path counts as "/".

#include <string>

// 0 nothing there, 1 a regular file, 2 a directory.
int PathType(const std::string& path);
// The part after the last "/" (the whole path when there is none).
std::string FileNamePart(const std::string& path);
// The part before the last "/"; a root keeps its slash; "" without any "/";
// ".", ".." and a root are returned unchanged.
std::string DirectoryPart(const std::string& path);
// The path with every "\" made "/", as the host's file functions want it.
std::string HostPath(const std::string& path);
