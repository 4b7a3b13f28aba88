// The undo history: whole snapshots of the level, newest first. A snapshot
// owns its board, records and texts; the objects' pictures are shared, as
// nothing edits a picture in place.

#include "document/level_document.h"

#include "level/level.h"

bool TLevelDocument::CanUndo() const { return undoList && !undoList->empty(); }
bool TLevelDocument::CanRedo() const { return redoList && !redoList->empty(); }

void TLevelDocument::MakeUndoState() {
    if (undoList && level) undoList->push_front(level->Clone());
    if (redoList) redoList->clear();
}

namespace {

// Undo and Redo mirror each other.
void StepThrough(TLevelDocument& document, TLevelList* from, TLevelList* to) {
    if (!from || from->empty()) return;
    std::shared_ptr<TLevel> state = from->front();
    from->pop_front();
    if (to) to->push_front(document.level);
    document.level = state;
    document.levelchanged = 1;
}

}  // namespace

void TLevelDocument::Undo() { StepThrough(*this, undoList.get(), redoList.get()); }
void TLevelDocument::Redo() { StepThrough(*this, redoList.get(), undoList.get()); }

void TLevelDocument::ReplaceLevel(const std::shared_ptr<TLevel>& replacement) {
    MakeUndoState();
    levelchanged = 1;
    level = replacement;
}
