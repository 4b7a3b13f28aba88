// Level files of any content are read without harm: either a level whose
// object list matches its count, or a clean failure. The objects of a level
// that was read also get their boxes and pictures, whose rules read every
// field of the record.
//
// Inputs whose first byte is even stand for everything after an all-zero
// board, so that the fuzzer spends its time on the counts, records and texts
// instead of first having to grow 16 KB of board; odd ones are whole files.

#include <cstdlib>
#include <vector>

#include "base/log.h"
#include "base/requesters.h"
#include "level/level_file.h"
#include "level/level_object.h"
#include "system/stream.h"

namespace {

class TSilentHost : public TRequesterHost {
public:
    void Notify(const std::string&, int) override {}
    int Confirm(const std::string&, int) override { return 0; }
    int Proceed(const std::string&, int) override { return -1; }
    std::string RequestFile(const std::string&, const std::string&, int, const std::string&) override { return ""; }
    std::string RequestDir(const std::string&, const std::string&) override { return ""; }
};

const bool quiet = [] {
    SetLogPath("");
    SetRequesterHost(std::make_shared<TSilentHost>());
    return true;
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::vector<uint8_t> file;
    if (data[0] % 2 == 0) file.assign(16384, 0);
    file.insert(file.end(), data + 1, data + size);
    RegisterBuiltinFile("fuzz_level", file.data(), file.size());

    TLevelPtr level = ReadLevel("incbin::fuzz_level");
    if (level) {
        if (level->objs.size() != level->numobjs) std::abort();
        for (const TLevelObjectPtr& obj : level->objs) {
            if (!obj) std::abort();
            obj->InitShape();
            obj->UpdateHitbox();
        }
    }
    return 0;
}
