#include "KxPlateEntities.h"

#include "host/KxDbDatabase.h"
#include "host/KxDbEntity.h"

namespace KxPlateEntities {

KxDbObjectId add(KxDbDatabase* database) {
    KxDbObjectId id;
    if (database) {
        auto* entity = new KxDbEntity();
        if (database->addObject(entity, id) != Lumo::eOk) {
            delete entity;
        }
    }
    return id;
}

void remove(const KxDbObjectId& id) {
    KxDbObject* object = nullptr;
    if (kxdbOpenObject(object, id, KxDb::kForWrite, true) == Lumo::eOk) {
        object->close();
        delete object;
    } else if (KxDbDatabase* database = id.database()) {
        database->erase(id);
    }
}

} // namespace KxPlateEntities
