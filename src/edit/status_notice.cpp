// A short message on the status line, shown for a while in place of what
// lies under the pointer.

#include "edit/jill_level_viewer.h"
#include "system/clock.h"

namespace {
constexpr int kStatusNoticeMs = 2000;
}

void TJillLevelViewer::ShowStatusNotice(const std::string& text) {
    statusNotice = text;
    statusNoticeShownAt = TickCount();
}

bool TJillLevelViewer::StatusNoticeShowing() {
    if (statusNotice.empty()) return false;
    // Differences only: the tick counter wraps.
    if (static_cast<int>(static_cast<unsigned>(TickCount()) - static_cast<unsigned>(statusNoticeShownAt)) <
        kStatusNoticeMs)
        return true;
    statusNotice.clear();
    return false;
}
