#pragma once
// What the Tiled tests share: the sample game, levels that hold every kind of
// board word, object and text, and running tarn-cli and Tiled's own tools.

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/level_bytes.h"
#include "support/temp_dir.h"
#include "system/stream.h"

struct TTiledRun {
    int status;
    std::string err;
};

inline TTiledRun Tarn(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, err.str()};
}

inline std::string FileText(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) ADD_FAILURE() << "cannot read " << path;
    return std::string(bytes.begin(), bytes.end());
}

inline void WriteText(const std::string& path, const std::string& text) {
    TStreamPtr stream = OpenWriteStream(path);
    ASSERT_TRUE(stream && stream->WriteRaw(text.data(), text.size()) == text.size() && stream->Close()) << path;
}

// A level of pseudo-random board words (every flag, tile numbers past 599,
// words whose low 10 bits name a tile and words that name none), blocks of
// the ledge and see-through tiles that GetTile draws over, also along the
// board's edges, and objects of every kind (known or not) with random fields
// and texts of every byte.
inline TLevelBytes EveryKindLevel(int objectCount, bool withTail) {
    TLevelBytes level;
    uint32_t seed = 20240607;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return uint16_t(seed >> 12);
    };
    for (uint16_t& word : level.board) word = next();
    for (int x = 0; x < 128; x += 9)
        for (int y = 0; y < 64; y += 7)
            for (int k = 0; k < 4; ++k) {
                const int cx = (x + k) % 128, cy = (y + k / 2) % 64;
                const uint16_t special = uint16_t(k < 2 ? 20 + (x + y + k) % 4 : 100 + (x * 3 + y + k) % 6);
                level.board[size_t(cx) * 64 + size_t(cy)] = uint16_t(special | (next() & 0xC000));
            }
    for (int y = 0; y < 64; ++y) level.board[size_t(y)] = uint16_t(100 + y % 6);   // the left edge
    for (int i = 0; i < objectCount; ++i) {
        TObjectRecordBytes obj;
        obj.objkind = uint8_t(i < 71 ? i : next() % 72);
        const bool aside = i % 17 == 5;   // off the board's top or left
        obj.x = aside ? uint16_t(0xFFF0 - i) : uint16_t(next() % 2100);
        obj.y = aside ? uint16_t(0xFFE0) : uint16_t(next() % 1060);
        for (uint16_t* field : {&obj.xd, &obj.yd, &obj.state, &obj.substate, &obj.statecount, &obj.counter,
                                &obj.objflags, &obj.info1, &obj.zaphold})
            *field = i % 3 == 0 ? uint16_t(next() % 12) : next();
        obj.xl = i % 4 == 0 ? uint16_t(next() % 80) : next();
        obj.yl = uint16_t(next() % 40);
        if (obj.objkind == 20 || obj.objkind == 21 || obj.objkind == 34 || i % 5 == 0) {
            obj.inside = 1;
            std::string text;
            for (int c = 0; c < (i * 7) % 40; ++c) text += char((i * 31 + c * 13) % 256);
            level.texts.push_back(text);
        }
        level.objects.push_back(obj);
    }
    level.pl_level = 3;
    level.pl_health = 0xFFFF;
    level.pl_numinv = 4;
    for (size_t slot = 0; slot < 16; ++slot) level.pl_inv[slot] = next();
    level.pl_score = -123456;
    level.pl_ouched = 1;
    level.pl_oldscore = 0x7FFFFFFF;
    for (uint8_t& pad : level.pl_pad) pad = uint8_t(next());
    if (withTail) level.tail = {0, 1, 2, 0xFF, 'x', 0};
    return level;
}

// True when the program can be run (Tiled and its tools are optional).
inline bool HaveProgram(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs one of Tiled's programs headless; gives its exit status.
inline int RunTiledTool(const std::string& commandLine) {
    const std::string command = "QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp " + commandLine + " >/dev/null 2>&1";
    return std::system(command.c_str());
}
