#include "edit/jill_level_viewer.h"

TJillLevelViewer::TJillLevelViewer() = default;
TJillLevelViewer::~TJillLevelViewer() = default;
