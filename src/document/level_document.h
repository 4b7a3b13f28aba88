#pragma once
// One open level and everything that belongs to it alone: the level, its
// file and the game it is bound to, whether it has unsaved changes, its undo
// history, how its file looked when last loaded or saved, and its recovery
// copy. The document asks the user nothing: it does the data and file work
// and answers with what happened, and the editor turns that into questions
// and messages.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "gamedata/game_info.h"
#include "system/file_identity.h"

class TLevel;
class TShapeManager;
class TTileInfo;
struct TRecoveryCopy;

// Snapshots of the level, newest first.
using TLevelList = std::deque<std::shared_ptr<TLevel>>;

// What a save did, for the editor to tell.
struct TSaveOutcome {
    bool written = false;       // false: nothing changed; with a level to write, the reason is in errno
    // The file had other names (hard links) that still hold the old level,
    // and the user has not heard of it for this file yet.
    bool tellOtherNames = false;
};

class TLevelDocument {
public:
    // One document per open level: a copy would share the recovery copy's
    // lock and delete the other's copy on disk.
    TLevelDocument() = default;
    TLevelDocument(const TLevelDocument&) = delete;
    TLevelDocument& operator=(const TLevelDocument&) = delete;

    // --- the level and its file
    std::shared_ptr<TLevel> level;
    std::string levelfile;     // the path it was opened from or last saved to; "" for a new level
    uint8_t levelchanged = 0;  // 1 while the level has unsaved changes

    // Reads the level at path and makes it the document's, with an empty
    // history. False when it could not be read: nothing changed then.
    bool Load(const std::string& path);
    // A new empty level for the bound game, with an empty history.
    void New();
    // Writes the level to path; on success path is the level's file and the
    // level counts as saved.
    TSaveOutcome Save(const std::string& path);
    // Whether path is the level's own file, by any of its names, and another
    // program changed it since this document loaded or saved it.
    bool ChangedOnDisk(const std::string& path) const;

    // --- the game it is bound to
    std::shared_ptr<TShapeManager> shapeman;
    std::shared_ptr<TTileInfo> tileinfo;
    // The game shapeman and tileinfo were loaded for; a name saved without
    // an extension gets this game's.
    TGameInfoPtr boundGame;
    std::string dir;           // the game folder, ending in a separator once set

    // Loads game's data from folder; both pictures and tile info are replaced at once.
    void BindGame(const std::string& folder, const TGameInfoPtr& game);

    // --- undo history
    std::shared_ptr<TLevelList> undoList;
    std::shared_ptr<TLevelList> redoList;
    bool CanUndo() const;
    bool CanRedo() const;
    // Records the level as it is, before an edit.
    void MakeUndoState();
    // The newest state of one list becomes the level, and the level goes to
    // the front of the other; nothing when the list is empty.
    void Undo();
    void Redo();
    // An edit that makes replacement the level as a whole, as one undoable step.
    void ReplaceLevel(const std::shared_ptr<TLevel>& replacement);

    // --- the file as last seen
    // levelfile as this document last loaded or saved it, to notice another
    // program's change before a save overwrites it; absent for a new level.
    TFileIdentity levelfileKnown;
    // The file as saved after the user was told that other names (hard links) still hold the old level.
    TFileIdentity otherNamesTold;

    // --- the recovery copy
    // This run's copy, named once and kept for the run; the lock tells other
    // runs the copy's owner is alive. Both absent while the level has no
    // unsaved changes.
    std::string recoveryName;
    std::shared_ptr<TFileLock> recoveryLock;
    std::vector<uint8_t> recoveryLevelBytes;   // the level as the copy on disk holds it
    uint8_t recoveryCheckDue = 0;              // 1 while a check is planned for recoveryCheckTime
    int recoveryCheckTime = 0;
    // Why the latest copy could not be kept; "" when it was.
    std::string recoveryProblem;

    // Keeps the copy in step with a changed level, now being the clock's
    // milliseconds: no more often than once a second, and the copy is dropped
    // when the level has no unsaved changes any more.
    void KeepRecoveryCopy(int now);
    // Removes the copy (saved, discarded, replaced, or an orderly end).
    void DropRecoveryCopy();
    // Makes a dead run's copy this document: its level, unsaved, with the
    // copy's file and the file as that run knew it; the copy under name,
    // locked by lock, becomes this document's.
    void TakeOverRecoveryCopy(const std::shared_ptr<TLevel>& restored, const TRecoveryCopy& copy,
                              const std::string& name, const std::shared_ptr<TFileLock>& lock);
};
