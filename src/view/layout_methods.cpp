// The layout as the editor asks it: for the open window and the pointer
// where it is now.

#include "edit/jill_level_viewer.h"
#include "platform/graphics.h"

void TJillLevelViewer::InitWindow() { TScreenLayout::InitWindow(ScreenWidth(), ScreenHeight()); }
