// The question about unsaved changes, and the orderly end of the program.

#include "edit/jill_level_viewer.h"
#include "screen/input.h"
#include "system/stream.h"

int TJillLevelViewer::AskSave() {
    if (!level || !levelchanged) return 1;
    switch (MyProceed("The current level has not been saved.\n\nSave the level before proceeding?", 0)) {
    case 1: return SaveLevel("");
    case 0: DropRecoveryCopy(); return 1;
    default: return 0;
    }
}

int TJillLevelViewer::Quit() {
    if (!AskSave()) return 0;
    DropRecoveryCopy();
    // The palette and the redraw switch live only in the settings file.
    if (!SaveSettings())
        MyNotify(WithFileErrorReason("ERROR: Cannot write the settings to the file\n\ntarn.ini\n\nPalette changes "
                                     "and the window settings of this session are lost; the previous settings "
                                     "file is unchanged.",
                                     "\n\n"),
                 0);
    ExitProgram();
}
