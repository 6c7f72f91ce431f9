#pragma once

#include "host/KxDbObjectId.h"
#include "host/KxExport.h"
#include "host/LumoErrorStatus.h"

#include <cstdint>
#include <unordered_map>

class KxDbObject;

/// A drawing database: it owns its objects and hands out their ids.
class KX_EXPORT KxDbDatabase {
public:
    /// An empty database.
    KxDbDatabase() = default;
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
    int objectCount() const { return static_cast<int>(mObjects.size()); }

private:
    friend class KxDbObject;
    /// The object is being deleted: forget it without deleting it again.
    void release(KxDbObject* object);

    std::unordered_map<std::uint64_t, KxDbObject*> mObjects;
};
