#pragma once
// Where DOSBox, its user's settings and a folder it can mount are on this
// system. Each system has its own implementation file.

#include <string>

// DOSBox as its installer puts it; "" where there is no such place or it is not there.
std::string InstalledDosBox();
// The folder where DOSBox keeps the user's configuration.
std::string DosBoxSettingsFolder();
// A folder of this user's among the system's temporary files, for scratch
// copies when the settings folder's path is one DOSBox cannot mount.
std::string TemporaryPlayRoot();
