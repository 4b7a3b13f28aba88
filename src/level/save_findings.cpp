#include "level/save_findings.h"

#include <algorithm>

#include "level/level.h"
#include "level/object_kinds.h"

namespace {

void AddFinding(TSaveFindings& findings, const std::string& text, bool serious = false) {
    if (findings.any) findings.message += "\n\n";
    findings.message += text;
    findings.any = true;
    findings.serious = findings.serious || serious;
    findings.list.push_back({text, serious});
}

}  // namespace

TSaveFindings FindSaveProblems(const TLevel& level) {
    TSaveFindings findings;
    const auto& objs = level.objs;

    if (objs.size() > size_t(kMaxSupportedObjs)) {
        AddFinding(findings, "There are " + std::to_string(objs.size()) +
                                 " objects in the level,\nbut the game only supports up to " +
                                 std::to_string(kMaxSupportedObjs) + " objects.",
                   true);
    }

    if (objs.empty()) {
        AddFinding(findings,
                   "There are no objects in the level.\nYou need to place at least a player object in the level.");
    } else if (!objs[0] || !IsPlayerKind(objs[0]->objkind)) {
        AddFinding(findings, "The object at index 0 is not a player object.\nThe game expects the object at index 0 "
                             "to be a player object.");
    }

    bool unsupportedKind = std::any_of(objs.begin(), objs.end(), [](const TLevelObjectPtr& obj) {
        return obj && obj->objkind > kMaxSupportedObjKind;
    });
    if (unsupportedKind) {
        AddFinding(findings, "The level countains objects with an unsupported objkind value.", true);
    }

    if (findings.serious) findings.message += "\n\nWARNING:\nLoading this level in the game could damage your system!";
    return findings;
}
