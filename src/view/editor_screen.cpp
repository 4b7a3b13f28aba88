// The editing screen as one frame draws it.

#include "edit/jill_level_viewer.h"

// The map, the panels and the status bar are still to come; until then the
// editing screen is the empty window.
void TJillLevelViewer::DrawEditor() {}
