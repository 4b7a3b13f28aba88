// The undo history: whole snapshots of the level, newest first. A snapshot
// owns its board, records and texts; the objects' pictures are shared, as
// nothing edits a picture in place.

#include "edit/jill_level_viewer.h"
#include "level/level.h"

bool TJillLevelViewer::CanUndo() const { return undoList && !undoList->empty(); }
bool TJillLevelViewer::CanRedo() const { return redoList && !redoList->empty(); }

void TJillLevelViewer::MakeUndoState() {
    if (undoList && level) undoList->push_front(level->Clone());
    if (redoList) redoList->clear();
}

void TJillLevelViewer::FindSelectedObject(const std::shared_ptr<TLevel>& state) {
    if (!selObj || !level || !state) return;
    // A held copy that is not part of the level (from the palette, or from
    // "Copy") stays in hand.
    if (!level->ContainsObject(selObj.get())) return;
    std::shared_ptr<TLevelObject> match;
    for (const TLevelObjectPtr& obj : state->objs)
        if (obj && obj->Equals(selObj.get())) {
            match = obj;
            break;
        }
    selObj = match;
}

namespace {

// Undo and Redo mirror each other: the newest state of one list becomes the
// level, and the level goes to the front of the other list.
void StepThrough(TJillLevelViewer& viewer, TLevelList* from, TLevelList* to) {
    if (from && !from->empty()) {
        std::shared_ptr<TLevel> state = from->front();
        from->pop_front();
        if (to) to->push_front(viewer.level);
        viewer.FindSelectedObject(state);
        viewer.level = state;
        viewer.levelchanged = 1;
    }
    viewer.selLink = 0;
}

}  // namespace

void TJillLevelViewer::Undo() { StepThrough(*this, undoList.get(), redoList.get()); }
void TJillLevelViewer::Redo() { StepThrough(*this, redoList.get(), undoList.get()); }
