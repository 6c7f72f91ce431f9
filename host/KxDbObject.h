#pragma once

/// @file
/// Drawing database objects and opening them by id.

#include "host/KxDbObjectId.h"
#include "host/KxHostExport.h"
#include "host/LumoErrorStatus.h"

#include <cstdint>
#include <vector>

class KxDbDatabase;
class KxDbFiler;
class KxDbObject;
class KxDbObjectReactor;

/// Values of the host's drawing database.
namespace KxDb {
/// How an object is opened: many readers at once, or one writer alone.
enum OpenMode : int {
    kForRead = 0,  ///< for reading, beside other readers
    kForWrite = 1, ///< for writing, alone
};
} // namespace KxDb

/// Opens the object that the id names. On success the object is filled in and must be closed
/// again; on failure it is set to null. eNullObjectId for the null id, eInvalidObjectId for an id
/// that names nothing, eWasErased for an erased object unless `openErased`, eWasOpenForRead or
/// eWasOpenForWrite when the open conflicts with those already standing, eInvalidInput for an
/// unknown mode.
KX_HOST_EXPORT Lumo::ErrorStatus kxdbOpenObject(KxDbObject*& object, KxDbObjectId id, int openMode,
                                                bool openErased = false);

/// An object of a drawing database. A database owns the objects added to it; an object outside
/// any database has a null id and belongs to whoever made it.
///
/// A class of objects that are saved and undone writes and reads its fields through a filer: it
/// overrides className, classVersion, writeFields and readFields, writes its base class's fields
/// first, and registers a maker with kxdbRegisterClass (host/KxDbClassRegistry.h).
class KX_HOST_EXPORT KxDbObject {
public:
    /// An object in no database, not open.
    KxDbObject() = default;
    /// Not copyable.
    ///@{
    KxDbObject(const KxDbObject&) = delete;
    KxDbObject& operator=(const KxDbObject&) = delete;
    ///@}
    /// A resident object leaves its database, and its id names nothing from then on.
    virtual ~KxDbObject();

    /// Null while the object is in no database.
    KxDbObjectId objectId() const;
    /// The database that owns the object; null for none.
    KxDbDatabase* database() const { return mpDatabase; }
    /// True once the database has erased the object.
    bool isErased() const { return mbErased; }

    /// True while an open for reading or for writing stands.
    bool isOpen() const { return mReaders > 0 || mbWriter; }
    /// True while the object is open for writing.
    bool isWriteEnabled() const { return mbWriter; }
    /// Successful opens and closes so far, so that one can see an object opened and released.
    ///@{
    int openCount() const { return mOpens; }
    int closeCount() const { return mCloses; }
    ///@}

    /// Ends one open; eNotOpen when the object is not open.
    Lumo::ErrorStatus close();

    /// The name of the object's class, by which the class registry makes it again: "KxDbObject".
    virtual const wchar_t* className() const;
    /// The version of the class's fields, 1 for a class's first; raised whenever the fields that
    /// writeFields writes change, so that a reader knows the layout of what it reads.
    virtual int classVersion() const;
    /// Writes the fields that make the object what it is; the object writes none. Returns the
    /// filer's status.
    virtual Lumo::ErrorStatus writeFields(KxDbFiler& filer) const;
    /// Reads back what writeFields wrote, as the class of that version wrote it (never newer than
    /// classVersion()), and sets the fields from it. It may refuse values that the object would
    /// refuse otherwise; any failure is returned and the database drops what was read. The object
    /// reads none.
    virtual Lumo::ErrorStatus readFields(KxDbFiler& filer, int version);

    /// Attaches a reactor, not owned; false for null or one attached already.
    bool addReactor(KxDbObjectReactor* reactor);
    /// Detaches it; false when it is not attached.
    bool removeReactor(KxDbObjectReactor* reactor);
    /// The reactors attached, in the order they were.
    const std::vector<KxDbObjectReactor*>& reactors() const { return mReactors; }

private:
    friend class KxDbDatabase;
    // Undo restores images and erased flags without opening the object.
    friend class KxDbUndoHistory;
    // The drawing file's reader and writer keep the object's handle in the file.
    friend struct KxDbDrawingAccess;
    // A stand-in takes the place of an object whose class is withdrawn.
    friend class KxDbProxyObject;
    // kxdbOpenObject opens objects through it: a friend function cannot carry the DLL import mark.
    friend struct KxDbObjectOpening;

    Lumo::ErrorStatus open(int openMode, bool openErased);

    KxDbDatabase* mpDatabase = nullptr;
    std::uint64_t mHandle = 0;
    // The handle that names the object in its database's drawing file; it stays with the object
    // from one save and open to the next, unlike mHandle.
    std::uint64_t mDrawingHandle = 0;
    std::vector<KxDbObjectReactor*> mReactors;
    bool mbErased = false;
    int mReaders = 0;
    bool mbWriter = false;
    int mOpens = 0;
    int mCloses = 0;
};
