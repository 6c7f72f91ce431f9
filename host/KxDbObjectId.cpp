#include "host/KxDbObjectId.h"

#include "host/KxDbObject.h"
#include "host/internal/KxDbObjectTable.h"

bool KxDbObjectId::isValid() const {
    const KxDbObject* object = isNull() ? nullptr : KxDbObjectTable::find(mHandle);
    return object && !object->isErased();
}

KxDbDatabase* KxDbObjectId::database() const {
    const KxDbObject* object = isNull() ? nullptr : KxDbObjectTable::find(mHandle);
    return object ? object->database() : nullptr;
}
