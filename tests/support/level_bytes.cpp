#include "support/level_bytes.h"

std::vector<uint8_t> TLevelBytes::Build() const {
    std::vector<uint8_t> bytes;
    for (uint16_t word : board) AppendU16(bytes, word);
    AppendU16(bytes, uint16_t(numobjs < 0 ? objects.size() : size_t(numobjs)));
    for (const TObjectRecordBytes& o : objects) {
        AppendU8(bytes, o.objkind);
        for (uint16_t field : {o.x, o.y, o.xd, o.yd, o.xl, o.yl, o.state, o.substate, o.statecount, o.counter,
                               o.objflags})
            AppendU16(bytes, field);
        AppendI32(bytes, o.inside);
        AppendU16(bytes, o.info1);
        AppendU16(bytes, o.zaphold);
    }
    AppendU16(bytes, pl_level);
    AppendU16(bytes, pl_health);
    AppendU16(bytes, pl_numinv);
    for (uint16_t item : pl_inv) AppendU16(bytes, item);
    AppendI32(bytes, pl_score);
    AppendU16(bytes, pl_ouched);
    AppendI32(bytes, pl_oldscore);
    bytes.insert(bytes.end(), pl_pad.begin(), pl_pad.end());
    for (const std::string& text : texts) {
        AppendU16(bytes, uint16_t(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        AppendU8(bytes, 0);
    }
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

void TLevelBytes::WriteFile(const std::string& path) const { WriteFileBytes(path, Build()); }
