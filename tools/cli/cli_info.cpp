#include "cli/cli_commands.h"

#include <algorithm>

#include "level/object_kinds.h"
#include "level/object_text.h"

int CliInfo(TCliCall& call) {
    TLevelPtr level = ReadLevelForCli(call.args[0], call);
    if (!level) return 1;
    std::ostream& out = call.out;
    out << "objects: " << level->numobjs << "\n";
    for (int index = 0; index < level->numobjs; ++index)
        out << ObjectToString(level.get(), level->objs[index].get()) << "\n";
    out << "player: level=" << AsSigned16(level->pl_level) << " health=" << AsSigned16(level->pl_health)
        << " score=" << level->pl_score << " ouched=" << level->pl_ouched << " oldscore=" << level->pl_oldscore
        << "\n";
    out << "inventory: " << level->pl_numinv << " item(s):";
    size_t shown = std::min<size_t>(level->pl_numinv, level->pl_inv.size());
    for (size_t slot = 0; slot < shown; ++slot) out << " " << level->pl_inv[slot];
    out << "\n";
    if (level->tail) out << "tail: " << level->tail->size() << " byte(s) follow the texts\n";
    return 0;
}
