#include "host/KxDbDatabase.h"

#include "host/KxDbObject.h"
#include "host/internal/KxDbObjectTable.h"
#include "host/internal/KxDbUndoHistory.h"
#include "host/internal/KxModelessBrackets.h"
#include "host/internal/KxReactorList.h"

#include <algorithm>
#include <unordered_set>

namespace {

// Enough for every change of a few commands in a drawing of some thousand shown objects; the log
// drops its older half beyond it.
constexpr std::size_t kChangeLogLimit = 1 << 14;

} // namespace

KxDbDatabase::KxDbDatabase() : mpHistory(std::make_unique<KxDbUndoHistory>(*this)) {}

KxDbDatabase::~KxDbDatabase() {
    KxModelessBrackets::forget(this);
    deleteObjects();
}

KxDbObject* KxDbDatabase::resident(std::uint64_t handle) const {
    KxDbObject* object = KxDbObjectTable::find(handle);
    return object && object->mpDatabase == this ? object : nullptr;
}

void KxDbDatabase::deleteObjects() {
    // The objects' destructors must not come back to a list that is being walked.
    const std::vector<std::uint64_t> order = std::move(mOrder);
    mOrder.clear();
    mCount = 0;
    for (const std::uint64_t handle : order) {
        if (KxDbObject* object = resident(handle)) {
            KxDbObjectTable::remove(handle);
            object->mpDatabase = nullptr;
            delete object;
        }
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
    object->mDrawingHandle = ++mLastDrawingHandle;
    object->mpDatabase = this;
    ++mCount;
    mOrder.push_back(object->mHandle);
    id = KxDbObjectId(object->mHandle);
    mpHistory->recordAdd(*object);
    touch(this, object->mHandle);
    return Lumo::eOk;
}

Lumo::ErrorStatus KxDbDatabase::erase(const KxDbObjectId& id) {
    if (id.isNull()) {
        return Lumo::eNullObjectId;
    }
    KxDbObject* object = resident(id.handle());
    if (!object) {
        return Lumo::eInvalidObjectId;
    }
    if (object->mbErased) {
        return Lumo::eWasErased;
    }
    mpHistory->recordErase(*object);
    object->mbErased = true;
    touch(this, object->mHandle);
    return Lumo::eOk;
}

std::vector<KxDbObjectId> KxDbDatabase::objectIds() const {
    std::vector<KxDbObjectId> ids;
    ids.reserve(mCount);
    for (const std::uint64_t handle : mOrder) {
        const KxDbObject* object = resident(handle);
        if (object && !object->mbErased) {
            ids.emplace_back(handle);
        }
    }
    return ids;
}

bool KxDbDatabase::changedSince(std::uint64_t revision, std::vector<KxDbObjectId>& ids) const {
    ids.clear();
    if (revision < mChangesFrom || revision > mRevision) {
        return false;
    }
    std::unordered_set<std::uint64_t> seen;
    for (auto it = mChanges.begin() + static_cast<std::ptrdiff_t>(revision - mChangesFrom);
         it != mChanges.end(); ++it) {
        if (seen.insert(*it).second) {
            ids.emplace_back(*it);
        }
    }
    return true;
}

void KxDbDatabase::touch(KxDbDatabase* database, std::uint64_t handle) {
    if (!database) {
        return;
    }
    ++database->mRevision;
    std::vector<std::uint64_t>& changes = database->mChanges;
    changes.push_back(handle);
    if (changes.size() > kChangeLogLimit) {
        const std::size_t dropped = changes.size() / 2;
        changes.erase(changes.begin(), changes.begin() + static_cast<std::ptrdiff_t>(dropped));
        database->mChangesFrom += dropped;
    }
}

void KxDbDatabase::touchAll() {
    ++mRevision;
    mChanges.clear();
    mChangesFrom = mRevision;
}

void KxDbDatabase::release(KxDbObject* object) {
    --mCount;
    KxDbObjectTable::remove(object->mHandle);
    if (mOrder.size() >= 2 * mCount) {
        std::erase_if(mOrder, [this](std::uint64_t handle) { return !resident(handle); });
    }
    mpHistory->recordLoss();
    touch(this, object->mHandle);
}

void KxDbDatabase::openedForWrite(KxDbObject* object) {
    mpHistory->recordWrite(*object);
}

void KxDbDatabase::takeOver(KxDbDatabase& other) {
    deleteObjects();
    for (const std::uint64_t handle : other.mOrder) {
        if (KxDbObject* object = other.resident(handle)) {
            object->mpDatabase = this;
        }
    }
    mOrder = std::move(other.mOrder);
    other.mOrder.clear();
    mCount = other.mCount;
    other.mCount = 0;
    mLastDrawingHandle = other.mLastDrawingHandle;
    mpHistory->clear();
    touchAll();
}

Lumo::ErrorStatus KxDbDatabase::beginUndoGroup(const KxString& name) {
    mpHistory->begin(name);
    return Lumo::eOk;
}

Lumo::ErrorStatus KxDbDatabase::endUndoGroup() {
    return mpHistory->end();
}

int KxDbDatabase::undoGroupDepth() const {
    return mpHistory->depth();
}

Lumo::ErrorStatus KxDbDatabase::undo() {
    return mpHistory->undo();
}

Lumo::ErrorStatus KxDbDatabase::redo() {
    return mpHistory->redo();
}

int KxDbDatabase::undoCount() const {
    return mpHistory->undoCount();
}

int KxDbDatabase::redoCount() const {
    return mpHistory->redoCount();
}

KxString KxDbDatabase::undoName() const {
    return mpHistory->undoName();
}

KxString KxDbDatabase::redoName() const {
    return mpHistory->redoName();
}

void KxDbDatabase::setUndoLimits(std::size_t bytes, int groups) {
    mpHistory->setLimits(bytes, groups);
}

std::size_t KxDbDatabase::undoMemoryLimit() const {
    return mpHistory->memoryLimit();
}

int KxDbDatabase::undoGroupLimit() const {
    return mpHistory->groupLimit();
}

std::size_t KxDbDatabase::undoMemory() const {
    return mpHistory->memory();
}

void KxDbDatabase::setDefaultUndoLimits(std::size_t bytes, int groups) {
    KxDbUndoHistory::setDefaultLimits(bytes, groups);
}

bool KxDbDatabase::isModified() const {
    return mpHistory->isModified();
}

void KxDbDatabase::markChangedBeyondUndo() {
    mpHistory->recordLoss();
}

void KxDbDatabase::forgetUndoHistory() {
    mpHistory->clear();
}

bool KxDbDatabase::addReactor(KxDbDatabaseReactor* reactor) {
    return KxReactorList::attach(mReactors, reactor);
}

bool KxDbDatabase::removeReactor(KxDbDatabaseReactor* reactor) {
    return KxReactorList::detach(mReactors, reactor);
}
