#include "support/small_disk.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

TSmallDisk::TSmallDisk(size_t bytes) {
    const std::string options = "size=" + std::to_string(bytes);
    mounted = mount("tmpfs", dir.Path().c_str(), "tmpfs", 0, options.c_str()) == 0;
}

TSmallDisk::~TSmallDisk() {
    if (mounted) umount2(dir.Path().c_str(), MNT_DETACH);
}

void TSmallDisk::Fill() const {
    FILE* filler = std::fopen(File("filler").c_str(), "wb");
    if (!filler) return;
    // Unbuffered, so that every byte that fits is really placed.
    std::setvbuf(filler, nullptr, _IONBF, 0);
    const std::vector<char> block(512, 'x');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size()) {
    }
    while (std::fputc('x', filler) != EOF) {
    }
    std::fclose(filler);
}

bool TSmallDisk::MakeReadOnly() const {
    return mounted && mount(nullptr, dir.Path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

TUnwritableFolder::TUnwritableFolder() : folder(disk.Mounted() ? disk.File("") : plain.Path()) {
    if (!folder.empty() && folder.back() == '/') folder.pop_back();
}

TUnwritableFolder::~TUnwritableFolder() {
    // Open again so that the folder can be cleared away.
    if (!disk.Mounted()) chmod(plain.Path().c_str(), 0700);
}

bool TUnwritableFolder::Close() {
    if (disk.Mounted()) {
        reason = "(Read-only file system)";
        return disk.MakeReadOnly();
    }
    reason = "(Permission denied)";
    // Permission bits do not stop root.
    return geteuid() != 0 && chmod(plain.Path().c_str(), 0555) == 0;
}
