#include "platform/stream.h"
#include "sample_game/sample_levels.h"

std::vector<uint8_t> EncodeSampleLevel(const TLevel& level) {
    auto memory = std::make_shared<TMemoryStream>();
    TStreamPtr out = LittleEndian(memory);
    for (uint16_t word : level.bd) out->WriteShort(word);
    out->WriteShort(static_cast<int>(level.objs.size()));
    for (const TLevelObjectPtr& o : level.objs) {
        out->WriteByte(o->objkind);
        for (uint16_t field : {o->x, o->y, o->xd, o->yd, o->xl, o->yl, o->state, o->substate,
                               o->statecount, o->counter, o->objflags})
            out->WriteShort(field);
        out->WriteInt(o->HasTextBlock() ? 1 : 0);
        out->WriteShort(o->info1);
        out->WriteShort(o->zaphold);
    }
    out->WriteShort(level.pl_level);
    out->WriteShort(level.pl_health);
    out->WriteShort(level.pl_numinv);
    for (uint16_t item : level.pl_inv) out->WriteShort(item);
    out->WriteInt(level.pl_score);
    out->WriteShort(level.pl_ouched);
    out->WriteInt(level.pl_oldscore);
    out->WriteRaw(level.pl_pad.data(), level.pl_pad.size());
    for (const TLevelObjectPtr& o : level.objs) {
        if (!o->HasTextBlock()) continue;
        out->WriteShort(static_cast<int>(o->insideStr.size()));
        out->WriteString(o->insideStr);
        out->WriteByte(0);
    }
    return memory->Bytes();
}
