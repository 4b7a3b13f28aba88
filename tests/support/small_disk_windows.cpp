// Windows offers no small file system to mount for a test, and a folder
// closed to writing by its attributes still takes new files: the tests that
// need a full or unwritable disk skip here, as they do on Linux without root.

#include "support/small_disk.h"

TSmallDisk::TSmallDisk(size_t) {}

TSmallDisk::~TSmallDisk() = default;

void TSmallDisk::Fill() const {}

bool TSmallDisk::MakeReadOnly() const { return false; }

TUnwritableFolder::TUnwritableFolder() : folder(plain.Path()) {}

TUnwritableFolder::~TUnwritableFolder() = default;

bool TUnwritableFolder::Close() { return false; }
