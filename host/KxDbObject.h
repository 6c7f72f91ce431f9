#pragma once

/// @file
/// Drawing database objects and opening them by id.

#include "host/KxDbObjectId.h"
#include "host/KxHostExport.h"
#include "host/LumoErrorStatus.h"

#include <cstdint>

class KxDbDatabase;
class KxDbObject;

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

private:
    friend class KxDbDatabase;
    // kxdbOpenObject opens objects through it: a friend function cannot carry the DLL import mark.
    friend struct KxDbObjectOpening;

    Lumo::ErrorStatus open(int openMode, bool openErased);

    KxDbDatabase* mpDatabase = nullptr;
    std::uint64_t mHandle = 0;
    bool mbErased = false;
    int mReaders = 0;
    bool mbWriter = false;
    int mOpens = 0;
    int mCloses = 0;
};
