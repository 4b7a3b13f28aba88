// Settings files of any content load without harm, and whatever the parser
// writes reads back as the same table.

#include <cstdlib>

#include "base/ini.h"
#include "system/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream input(data, size);
    TIniParser ini;
    ini.LoadIniStream(input);

    TMemoryStream saved;
    ini.SaveIniStream(saved);
    TMemoryStream written(saved.Bytes());
    TIniParser reread;
    reread.LoadIniStream(written);
    if (reread.SectionMap != ini.SectionMap) std::abort();

    for (const auto& [section, keys] : reread.SectionMap)
        for (const auto& entry : keys) {
            reread.GetLong(section, entry.first, 0);
            reread.GetDouble(section, entry.first, 0);
        }
    return 0;
}
