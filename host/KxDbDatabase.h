#pragma once

#include "host/KxDbObjectId.h"
#include "host/KxHostExport.h"
#include "host/LumoErrorStatus.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class KxDbObject;

/// A drawing database: it owns its objects and hands out their ids.
class KX_HOST_EXPORT KxDbDatabase {
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

    /// The ids of the objects that are not erased, in the order they were added.
    std::vector<KxDbObjectId> objectIds() const;
    /// Grows whenever an object is added, erased or deleted, an entity's geometry is set or its
    /// highlights change, so that a view can tell cheaply whether to draw again.
    std::uint64_t revision() const { return mRevision; }

private:
    friend class KxDbObject;
    friend class KxDbEntity;
    friend class KxDbPolyline;
    friend class KxDbCircle;
    /// The object is being deleted: forget it without deleting it again.
    void release(KxDbObject* object);
    /// Something that a view shows changed in the database, when there is one.
    static void touch(KxDbDatabase* database) {
        if (database) {
            ++database->mRevision;
        }
    }

    std::unordered_map<std::uint64_t, KxDbObject*> mObjects;
    // The handles in the order they were added, which is ascending; those of deleted objects are
    // dropped once they are half of the list, so that deleting costs constant time on average.
    std::vector<std::uint64_t> mOrder;
    std::uint64_t mRevision = 0;
};
