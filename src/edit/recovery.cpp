// The editor's side of the recovery copy: the document keeps the copy, the
// editor tells the user, once a run, when it cannot be kept.

#include "edit/jill_level_viewer.h"
#include "screen/input.h"
#include "system/clock.h"

namespace {

bool AnyButtonHeld() { return ButtonDown(1) || ButtonDown(2) || ButtonDown(3); }

}  // namespace

bool TJillLevelViewer::KeepRecoveryCopy() {
    bool shown = false;
    if (recoveryNotice == 1 && !document.recoveryProblem.empty() && !AnyButtonHeld()) {
        recoveryNotice = 2;
        MyNotify(document.recoveryProblem, 0);
        shown = true;
    }
    document.KeepRecoveryCopy(TickCount());
    // A problem gone before the user heard of it is not told.
    if (!document.recoveryProblem.empty() && recoveryNotice == 0) recoveryNotice = 1;
    if (document.recoveryProblem.empty() && recoveryNotice == 1) recoveryNotice = 0;
    return shown;
}

void TJillLevelViewer::DropRecoveryCopy() { document.DropRecoveryCopy(); }
