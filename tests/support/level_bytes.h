#pragma once
// Builds level files byte by byte, independently of the reader and writer
// under test, so that tests state exactly what lies on disk.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/byte_appenders.h"
#include "support/files.h"

struct TObjectRecordBytes {
    uint8_t objkind = 0;
    uint16_t x = 0, y = 0, xd = 0, yd = 0, xl = 0, yl = 0;
    uint16_t state = 0, substate = 0, statecount = 0, counter = 0, objflags = 0;
    int32_t inside = 0;
    uint16_t info1 = 0, zaphold = 0;
};

class TLevelBytes {
public:
    std::array<uint16_t, 8192> board{};
    std::vector<TObjectRecordBytes> objects;
    // The count written in the file; objects.size() when negative.
    int numobjs = -1;
    uint16_t pl_level = 0, pl_health = 6, pl_numinv = 1;
    std::array<uint16_t, 16> pl_inv{};
    int32_t pl_score = 0;
    uint16_t pl_ouched = 0;
    int32_t pl_oldscore = 0;
    std::array<uint8_t, 22> pl_pad{};
    // Whole text blocks (length, characters, terminating 0), in order.
    std::vector<std::string> texts;
    // Raw bytes after everything else.
    std::vector<uint8_t> tail;

    std::vector<uint8_t> Build() const;
    // Writes Build() to path; fails the running test when it cannot.
    void WriteFile(const std::string& path) const;
};

// Offset of the player block in a file of n object records.
inline size_t PlayerBlockOffset(size_t n) { return 16386 + 31 * n; }
// Offset of the text section in a file of n object records.
inline size_t TextSectionOffset(size_t n) { return 16456 + 31 * n; }
