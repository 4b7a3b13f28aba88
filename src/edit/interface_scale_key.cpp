// F9: the interface scale's next setting, from any loop of the editor.

#include <string>

#include "edit/jill_level_viewer.h"
#include "screen/graphics.h"
#include "screen/interface_scale.h"

void TJillLevelViewer::CycleInterfaceScale() {
    SetInterfaceScaleSetting(NextInterfaceScaleSetting());
    const bool automatic = InterfaceScaleSetting() == kAutomaticScale;
    ShowStatusNotice("Interface scale " + std::to_string(InterfaceScale()) + "x" + (automatic ? " (automatic)" : ""));
}
