#include "host/KxDbEntity.h"

#include "host/KxDbDatabase.h"
#include "host/internal/KxDbObjectTable.h"

#include <algorithm>

KxDbEntity::~KxDbEntity() = default;

const wchar_t* KxDbEntity::className() const {
    return L"KxDbEntity";
}

Lumo::ErrorStatus KxDbEntity::checkAccess(const KxDbFullSubentPath& path) const {
    if (!isOpen()) {
        return Lumo::eNotOpen;
    }
    if (path.objectIds().empty() || path.objectIds().back() != objectId()) {
        return Lumo::eInvalidInput;
    }
    return Lumo::eOk;
}

Lumo::ErrorStatus KxDbEntity::spend(Lumo::ErrorStatus& failure) {
    const Lumo::ErrorStatus status = failure;
    failure = Lumo::eOk;
    return status;
}

Lumo::ErrorStatus KxDbEntity::pushHighlight(const KxDbFullSubentPath& path,
                                            KxGiHighlightStyle style) {
    if (const Lumo::ErrorStatus status = checkAccess(path); status != Lumo::eOk) {
        return status;
    }
    if (const Lumo::ErrorStatus status = spend(mNextPushFailure); status != Lumo::eOk) {
        return status;
    }
    mHighlights.push_back({path, style});
    KxDbDatabase::touch(database(), objectId().handle());
    return Lumo::eOk;
}

Lumo::ErrorStatus KxDbEntity::popHighlight(const KxDbFullSubentPath& path) {
    if (const Lumo::ErrorStatus status = checkAccess(path); status != Lumo::eOk) {
        return status;
    }
    if (const Lumo::ErrorStatus status = spend(mNextPopFailure); status != Lumo::eOk) {
        return status;
    }
    const auto latest =
        std::find_if(mHighlights.rbegin(), mHighlights.rend(),
                     [&](const KxDbHighlight& highlight) { return highlight.path == path; });
    if (latest == mHighlights.rend()) {
        return Lumo::eNotHighlighted;
    }
    mHighlights.erase(std::next(latest).base());
    KxDbDatabase::touch(database(), objectId().handle());
    return Lumo::eOk;
}

Lumo::ErrorStatus kxdbOpenObject(KxDbEntity*& entity, KxDbObjectId id, int openMode,
                                 bool openErased) {
    entity = nullptr;
    // Look before opening, so that an object of another kind is not opened at all.
    if (!id.isNull()) {
        const KxDbObject* found = KxDbObjectTable::find(id.handle());
        if (found && !dynamic_cast<const KxDbEntity*>(found)) {
            return Lumo::eNotAnEntity;
        }
    }
    KxDbObject* object = nullptr;
    const Lumo::ErrorStatus status = kxdbOpenObject(object, id, openMode, openErased);
    entity = static_cast<KxDbEntity*>(object);
    return status;
}
