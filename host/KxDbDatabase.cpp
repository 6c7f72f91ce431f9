#include "host/KxDbDatabase.h"

#include "host/KxDbObject.h"
#include "host/internal/KxDbObjectTable.h"

KxDbDatabase::~KxDbDatabase() {
    // The objects' destructors must not come back to a map that is being walked.
    auto objects = std::move(mObjects);
    mObjects.clear();
    for (auto& [handle, object] : objects) {
        KxDbObjectTable::remove(handle);
        object->mpDatabase = nullptr;
        delete object;
    }
}

Lumo::ErrorStatus KxDbDatabase::addObject(KxDbObject* object, KxDbObjectId& id) {
    id.setNull();
    if (!object) {
        return Lumo::eNullPtr;
    }
    if (object->mpDatabase) {
        return Lumo::eAlreadyInDb;
    }
    object->mHandle = KxDbObjectTable::enter(object);
    object->mpDatabase = this;
    mObjects.emplace(object->mHandle, object);
    mOrder.push_back(object->mHandle);
    id = KxDbObjectId(object->mHandle);
    touch(this);
    return Lumo::eOk;
}

Lumo::ErrorStatus KxDbDatabase::erase(const KxDbObjectId& id) {
    if (id.isNull()) {
        return Lumo::eNullObjectId;
    }
    const auto found = mObjects.find(id.handle());
    if (found == mObjects.end()) {
        return Lumo::eInvalidObjectId;
    }
    if (found->second->mbErased) {
        return Lumo::eWasErased;
    }
    found->second->mbErased = true;
    touch(this);
    return Lumo::eOk;
}

std::vector<KxDbObjectId> KxDbDatabase::objectIds() const {
    std::vector<KxDbObjectId> ids;
    ids.reserve(mObjects.size());
    for (const std::uint64_t handle : mOrder) {
        const auto found = mObjects.find(handle);
        if (found != mObjects.end() && !found->second->mbErased) {
            ids.emplace_back(handle);
        }
    }
    return ids;
}

void KxDbDatabase::release(KxDbObject* object) {
    mObjects.erase(object->mHandle);
    KxDbObjectTable::remove(object->mHandle);
    if (mOrder.size() >= 2 * mObjects.size()) {
        std::erase_if(mOrder, [this](std::uint64_t handle) { return !mObjects.contains(handle); });
    }
    touch(this);
}
