#pragma once
// What the system under the tests can show. A test of a rule the system
// cannot show (links where nobody may make them, permission bits where
// files have none) skips that part and says why, instead of failing.

#include <string>

// Whether two names differing only in case are two files in folder; false
// where the file system takes them for one name (Windows).
bool NamesDifferingInCaseAreDistinct(const std::string& folder);
// Whether this process may make symbolic links in folder.
bool SymbolicLinksCanBeMade(const std::string& folder);
// Whether files carry POSIX permission bits that a replace must keep.
bool FilesHavePermissionBits();
// Whether a death test runs in a copy of the test's process and so sees the
// test's own temporary files; Windows starts the test program anew.
bool DeathTestsShareTheTestsState();
// Whether the system limits names to 255 bytes and paths to 4095, with
// "File name too long" as its words for more (Linux).
bool PathLimitsAreLinuxs();
