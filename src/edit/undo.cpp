// Undo and redo as the editor does them: the document steps through its
// history, and the object in hand follows to the level that becomes current.

#include "edit/jill_level_viewer.h"
#include "level/level.h"

bool TJillLevelViewer::CanUndo() const { return document.CanUndo(); }
bool TJillLevelViewer::CanRedo() const { return document.CanRedo(); }
void TJillLevelViewer::MakeUndoState() { document.MakeUndoState(); }

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

void TJillLevelViewer::Undo() {
    if (CanUndo()) FindSelectedObject(undoList->front());
    document.Undo();
    selLink = 0;
}

void TJillLevelViewer::Redo() {
    if (CanRedo()) FindSelectedObject(redoList->front());
    document.Redo();
    selLink = 0;
}
