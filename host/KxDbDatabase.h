#pragma once

#include "host/KxDbObjectId.h"
#include "host/KxHostExport.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class KxDbDatabaseReactor;
class KxDbObject;
class KxDbUndoHistory;

/// A drawing database: it owns its objects and hands out their ids, and keeps the history that
/// undoes and redoes changes to them.
///
/// Changes are undone by groups. A group opens with the outermost beginUndoGroup (the host program
/// calls it around each command, and the host's modeless-operation start and end notices bracket
/// one too) and closes with the matching endUndoGroup; groups opened inside it join it. While it
/// is open, the first open for write of an object records the object's fields, and objects added
/// and erased are recorded. A group that recorded nothing is dropped. Changes made while no group
/// is open are not recorded: they cannot be undone, and the state saved last can no longer be
/// reached by undo or redo.
class KX_HOST_EXPORT KxDbDatabase {
public:
    /// An empty database, unchanged, with the default undo limits.
    KxDbDatabase();
    /// Not copyable.
    ///@{
    KxDbDatabase(const KxDbDatabase&) = delete;
    KxDbDatabase& operator=(const KxDbDatabase&) = delete;
    ///@}
    /// Deletes every object; their ids name nothing afterwards.
    ~KxDbDatabase();

    /// Takes the object over and gives its new id. eNullPtr for a null object, eAlreadyInDb for
    /// one that belongs to a database already; the id is left null then.
    Lumo::ErrorStatus addObject(KxDbObject* object, KxDbObjectId& id);
    /// Marks the object erased: it stays in the database, but its id is no longer valid and it
    /// opens only when asked to open erased objects. eNullObjectId, eInvalidObjectId for an id of
    /// another database or of none, eWasErased when erased before.
    Lumo::ErrorStatus erase(const KxDbObjectId& id);

    /// The number of objects the database holds, erased ones included.
    int objectCount() const { return static_cast<int>(mCount); }

    /// The ids of the objects that are not erased, in the order they were added.
    std::vector<KxDbObjectId> objectIds() const;
    /// Grows whenever an object is added, erased or deleted, an entity's geometry is set or its
    /// highlights change, so that a view can tell cheaply whether to draw again.
    std::uint64_t revision() const { return mRevision; }
    /// The ids of the objects whose change grew the revision after `revision`, each once, in the
    /// order first changed; a deleted or erased one is among them. False when the database no
    /// longer knows (too many changes since, or the whole drawing was replaced) or `revision` is
    /// not one it had: every object may have changed then. A view draws again only what changed.
    bool changedSince(std::uint64_t revision, std::vector<KxDbObjectId>& ids) const;

    /// Opens an undo group of that name (a command's, so that a user interface can say "Undo Set
    /// width"), or joins the one open, whose name stays. Always eOk.
    Lumo::ErrorStatus beginUndoGroup(const KxString& name);
    /// Closes what the matching beginUndoGroup opened; the outermost closes the group and keeps it
    /// when it recorded anything, which drops every group that could be redone. eNoUndoGroup when
    /// none is open.
    Lumo::ErrorStatus endUndoGroup();
    /// How many beginUndoGroup calls are not yet ended; 0 while no group is open.
    int undoGroupDepth() const;

    /// Takes back the latest group that is done, or does again the latest undone: every object is
    /// restored first, without asking anybody and without recording a group; then each object's
    /// reactors hear that it was modified, erased or came back (in the order undo walks the group:
    /// backwards, redo forwards), then the database's reactors hear that the group was undone or
    /// redone. eUndoGroupOpen while a group is open, eNothingToUndo or eNothingToRedo when there is
    /// none, eWasOpenForWrite when an object of the group is open for write; nothing changes then.
    /// An object whose fields cannot be read back gives that status after the rest is restored.
    ///@{
    Lumo::ErrorStatus undo();
    Lumo::ErrorStatus redo();
    ///@}
    /// How many groups can be undone, or redone.
    ///@{
    int undoCount() const;
    int redoCount() const;
    ///@}
    /// The name of the group that undo, or redo, would apply; empty when there is none.
    ///@{
    KxString undoName() const;
    KxString redoName() const;
    ///@}

    /// Bounds the history by the bytes its images take and by its number of groups; the oldest
    /// groups are dropped first, then those furthest to redo, until both bounds hold. Dropping a
    /// group never makes a saved state that it leads to look current.
    void setUndoLimits(std::size_t bytes, int groups);
    /// The bounds in force, and what the history takes now.
    ///@{
    std::size_t undoMemoryLimit() const;
    int undoGroupLimit() const;
    std::size_t undoMemory() const;
    ///@}
    /// The bounds that databases made from now on start with: by default 64 MiB and 1000 groups.
    static void setDefaultUndoLimits(std::size_t bytes, int groups);

    /// True when the database differs from the state last saved or read (a new database is
    /// unchanged): a change was recorded since, undo or redo moved away from that state, or a
    /// change was made that undo cannot take back.
    bool isModified() const;
    /// Records a change that undo cannot take back, such as new units that the drawing's file
    /// keeps: the database counts as changed until it is saved or read.
    void markChangedBeyondUndo();
    /// Forgets every undo group and calls the present state unchanged: the start of a drawing,
    /// once the program and its modules have drawn what every new drawing has.
    void forgetUndoHistory();

    /// Attaches a reactor, not owned; false for null or one attached already.
    bool addReactor(KxDbDatabaseReactor* reactor);
    /// Detaches it; false when it is not attached.
    bool removeReactor(KxDbDatabaseReactor* reactor);

private:
    friend class KxDbObject;
    friend class KxDbUndoHistory;
    // The drawing file's reader and writer reach handles and replace the objects through it.
    friend struct KxDbDrawingAccess;
    // A stand-in takes the place of an object whose class is withdrawn.
    friend class KxDbProxyObject;
    friend class KxDbEntity;
    friend class KxDbPolyline;
    friend class KxDbCircle;
    /// The object is being deleted: forget it without deleting it again.
    void release(KxDbObject* object);
    /// Something that a view shows of that object changed in the database, when there is one.
    static void touch(KxDbDatabase* database, std::uint64_t handle);
    /// The whole drawing changed: every object may have.
    void touchAll();

    /// The object was opened for write: the history records it.
    void openedForWrite(KxDbObject* object);
    /// Deletes every object and takes over those of the other database, which is left empty.
    void takeOver(KxDbDatabase& other);

    // The database's object of that handle, or null.
    KxDbObject* resident(std::uint64_t handle) const;
    // Deletes every object of the database.
    void deleteObjects();

    // The objects are found by handle in the host's object table, which names their database;
    // a database counts its own.
    std::size_t mCount = 0;
    // The handles in the order they were added, which is ascending; those of deleted objects are
    // dropped once they are half of the list, so that deleting costs constant time on average.
    std::vector<std::uint64_t> mOrder;
    std::uint64_t mRevision = 0;
    // The handle each revision after mChangesFrom changed, oldest first; bounded, so that a view
    // which looks often reads few objects and one which looks seldom reads them all.
    std::vector<std::uint64_t> mChanges;
    std::uint64_t mChangesFrom = 0;
    std::uint64_t mLastDrawingHandle = 0;
    std::unique_ptr<KxDbUndoHistory> mpHistory;
    std::vector<KxDbDatabaseReactor*> mReactors;
};
