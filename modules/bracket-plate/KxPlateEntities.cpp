#include "KxPlateEntities.h"

#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"

namespace KxPlateEntities {

namespace {

template <class Entity>
KxDbObjectId enter(KxDbDatabase* database) {
    KxDbObjectId id;
    if (database) {
        auto* entity = new Entity();
        if (database->addObject(entity, id) != Lumo::eOk) {
            delete entity;
        }
    }
    return id;
}

} // namespace

KxDbObjectId add(KxDbDatabase* database) {
    return enter<KxDbPolyline>(database);
}

KxDbObjectId addCircle(KxDbDatabase* database) {
    return enter<KxDbCircle>(database);
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
