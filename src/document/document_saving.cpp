// Writing the level back to its file, and noticing first whether another
// program changed that file since the document last read or wrote it.

#include "document/level_document.h"

#include "level/level.h"

bool TLevelDocument::ChangedOnDisk(const std::string& path) const {
    // A file removed meanwhile is simply written again.
    const TFileIdentity now = FileIdentity(path);
    if (!levelfileKnown.exists || !now.exists) return false;
    // The level's own file by any of its names: opened by a relative one and
    // saved by the requester's absolute one, or through a link. Replaced by
    // another program, it is the one the level's name leads to now.
    const bool levelsOwn = SameFile(now, levelfileKnown) || SameFile(now, FileIdentity(levelfile));
    return levelsOwn && now != levelfileKnown;
}

TSaveOutcome TLevelDocument::Save(const std::string& path) {
    // The save writes a new file, so that a failed one never destroys the
    // old: any other names of the old file keep the old level.
    const bool otherNames = HardLinkCount(path) > 1;
    const bool otherNamesToldAlready = SameFile(FileIdentity(path), otherNamesTold);
    TSaveOutcome outcome;
    if (!level || !level->WriteToFile(path)) return outcome;
    outcome.written = true;
    levelfile = path;
    levelfileKnown = FileIdentity(path);
    levelchanged = 0;
    DropRecoveryCopy();
    outcome.tellOtherNames = otherNames && !otherNamesToldAlready;
    if (otherNames || otherNamesToldAlready) otherNamesTold = levelfileKnown;
    return outcome;
}
