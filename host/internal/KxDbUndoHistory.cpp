#include "host/internal/KxDbUndoHistory.h"

#include "host/KxDbDatabase.h"
#include "host/KxDbDatabaseReactor.h"
#include "host/KxDbFiler.h"
#include "host/KxDbObject.h"
#include "host/KxDbObjectReactor.h"
#include "host/internal/KxDbObjectTable.h"

#include <algorithm>
#include <utility>

namespace {

struct Limits {
    std::size_t bytes = std::size_t{64} << 20;
    int groups = 1000;
};

Limits& defaults() {
    static Limits limits;
    return limits;
}

} // namespace

KxDbUndoHistory::KxDbUndoHistory(KxDbDatabase& database)
    : mDatabase(database), mMaxBytes(defaults().bytes), mMaxGroups(defaults().groups) {}

void KxDbUndoHistory::setDefaultLimits(std::size_t bytes, int groups) {
    defaults() = {bytes, std::max(groups, 0)};
}

std::size_t KxDbUndoHistory::defaultMemoryLimit() {
    return defaults().bytes;
}

int KxDbUndoHistory::defaultGroupLimit() {
    return defaults().groups;
}

void KxDbUndoHistory::begin(const KxString& name) {
    if (mDepth++ == 0) {
        mPending = Group{};
        mPending.name = name;
    }
}

Lumo::ErrorStatus KxDbUndoHistory::end() {
    if (mDepth == 0) {
        return Lumo::eNoUndoGroup;
    }
    if (--mDepth == 0) {
        commit();
    }
    return Lumo::eOk;
}

void KxDbUndoHistory::commit() {
    Group group = std::exchange(mPending, Group{});
    if (group.entries.empty()) {
        return;
    }
    // The groups that could be redone lead nowhere now; a saved state among them is lost.
    while (mGroups.size() > mPosition) {
        mBytes -= mGroups.back().bytes;
        mGroups.pop_back();
    }
    if (mClean && *mClean > present()) {
        mClean.reset();
    }
    group.index.clear();
    group.bytes = sizeOf(group);
    mBytes += group.bytes;
    mGroups.push_back(std::move(group));
    ++mPosition;
    trim();
}

KxDbUndoHistory::Entry* KxDbUndoHistory::pendingEntry(const KxDbObject& object, bool added) {
    if (mbApplying) {
        return nullptr;
    }
    if (mDepth == 0) {
        recordLoss();
        return nullptr;
    }
    const std::uint64_t handle = object.objectId().handle();
    const auto [at, isNew] = mPending.index.try_emplace(handle, mPending.entries.size());
    if (isNew) {
        Entry entry;
        entry.handle = handle;
        entry.added = added;
        // An object added in the group did not exist before it: undo erases it.
        entry.image.erased = added || object.isErased();
        mPending.entries.push_back(std::move(entry));
    }
    return &mPending.entries[at->second];
}

Lumo::ErrorStatus KxDbUndoHistory::captureFields(const KxDbObject& object, Image& image) {
    KxDbFiler filer;
    Lumo::ErrorStatus status = object.writeFields(filer);
    if (status == Lumo::eOk) {
        status = filer.status();
    }
    if (status == Lumo::eOk) {
        image.hasFields = true;
        image.version = object.classVersion();
        image.fields = filer.bytes();
    }
    return status;
}

void KxDbUndoHistory::recordWrite(KxDbObject& object) {
    Entry* entry = pendingEntry(object, false);
    // The fields of an object added in the group need no image: undo erases it.
    if (entry && !entry->added && !entry->image.hasFields &&
        captureFields(object, entry->image) != Lumo::eOk) {
        recordLoss();
    }
}

void KxDbUndoHistory::recordAdd(const KxDbObject& object) {
    pendingEntry(object, true);
}

void KxDbUndoHistory::recordErase(const KxDbObject& object) {
    pendingEntry(object, false);
}

void KxDbUndoHistory::recordLoss() {
    if (!mbApplying) {
        mClean.reset();
    }
}

KxString KxDbUndoHistory::undoName() const {
    return mPosition > 0 ? mGroups[mPosition - 1].name : KxString();
}

KxString KxDbUndoHistory::redoName() const {
    return mPosition < mGroups.size() ? mGroups[mPosition].name : KxString();
}

Lumo::ErrorStatus KxDbUndoHistory::undo() {
    return apply(true);
}

Lumo::ErrorStatus KxDbUndoHistory::redo() {
    return apply(false);
}

KxDbUndoHistory::Notice KxDbUndoHistory::swap(Entry& entry, Lumo::ErrorStatus& status) {
    KxDbObject* object = KxDbObjectTable::find(entry.handle);
    if (!object || object->database() != &mDatabase) {
        return Notice::none; // deleted since: nothing to restore
    }
    Image present;
    present.erased = object->mbErased;
    if (entry.image.hasFields) {
        Lumo::ErrorStatus failure = captureFields(*object, present);
        KxDbFiler filer(entry.image.fields);
        const Lumo::ErrorStatus read = object->readFields(filer, entry.image.version);
        if (failure == Lumo::eOk) {
            failure = read != Lumo::eOk ? read : filer.atEnd() ? Lumo::eOk : Lumo::eBadFileFormat;
        }
        if (status == Lumo::eOk) {
            status = failure;
        }
    }
    const bool wasErased = object->mbErased;
    object->mbErased = entry.image.erased;
    const bool hadFields = entry.image.hasFields;
    entry.image = std::move(present);
    if (wasErased != object->mbErased) {
        return object->mbErased ? Notice::erased : Notice::unerased;
    }
    return hadFields ? Notice::modified : Notice::none;
}

Lumo::ErrorStatus KxDbUndoHistory::apply(bool undoing) {
    if (mDepth > 0) {
        return Lumo::eUndoGroupOpen;
    }
    if (undoing ? mPosition == 0 : mPosition == mGroups.size()) {
        return undoing ? Lumo::eNothingToUndo : Lumo::eNothingToRedo;
    }
    Group& group = mGroups[undoing ? mPosition - 1 : mPosition];
    for (const Entry& entry : group.entries) {
        const KxDbObject* object = KxDbObjectTable::find(entry.handle);
        if (object && object->database() == &mDatabase && object->isWriteEnabled()) {
            return Lumo::eWasOpenForWrite;
        }
    }
    Lumo::ErrorStatus status = Lumo::eOk;
    std::vector<std::pair<std::uint64_t, Notice>> notices;
    mbApplying = true;
    const std::size_t count = group.entries.size();
    for (std::size_t k = 0; k < count; ++k) {
        Entry& entry = group.entries[undoing ? count - 1 - k : k];
        const Notice notice = swap(entry, status);
        KxDbDatabase::touch(&mDatabase, entry.handle);
        if (notice != Notice::none) {
            notices.emplace_back(entry.handle, notice);
        }
    }
    mbApplying = false;
    const KxString name = group.name;
    mBytes -= group.bytes;
    group.bytes = sizeOf(group);
    mBytes += group.bytes;
    mPosition = undoing ? mPosition - 1 : mPosition + 1;
    trim();

    // Reactors may change the drawing while they are told: look each object up afresh, and walk
    // each list by index, its length read at each step.
    for (const auto& [handle, notice] : notices) {
        const KxDbObject* object = KxDbObjectTable::find(handle);
        for (std::size_t i = 0; object && i < object->reactors().size(); ++i) {
            KxDbObjectReactor* reactor = object->reactors()[i];
            if (!reactor) {
                continue;
            }
            if (notice == Notice::modified) {
                reactor->modified(object);
            } else if (notice == Notice::erased) {
                reactor->erased(object);
            } else {
                reactor->unerased(object);
            }
            object = KxDbObjectTable::find(handle);
        }
    }
    for (std::size_t i = 0; i < mDatabase.mReactors.size(); ++i) {
        if (KxDbDatabaseReactor* reactor = mDatabase.mReactors[i]) {
            if (undoing) {
                reactor->undoApplied(&mDatabase, name);
            } else {
                reactor->redoApplied(&mDatabase, name);
            }
        }
    }
    return status;
}

std::size_t KxDbUndoHistory::sizeOf(const Entry& entry) {
    return sizeof(Entry) + entry.image.fields.size();
}

std::size_t KxDbUndoHistory::sizeOf(const Group& group) {
    std::size_t bytes = sizeof(Group) + group.name.wstr().size() * sizeof(wchar_t);
    for (const Entry& entry : group.entries) {
        bytes += sizeOf(entry);
    }
    return bytes;
}

void KxDbUndoHistory::trim() {
    const auto over = [this] {
        return mGroups.size() > static_cast<std::size_t>(mMaxGroups) || mBytes > mMaxBytes;
    };
    while (over() && mPosition > 0) {
        mBytes -= mGroups.front().bytes;
        mGroups.pop_front();
        ++mBase;
        --mPosition;
        // The state before the dropped group cannot be reached any more.
        if (mClean && *mClean < mBase) {
            mClean.reset();
        }
    }
    while (over() && mGroups.size() > mPosition) {
        mBytes -= mGroups.back().bytes;
        mGroups.pop_back();
        if (mClean && *mClean > mBase + mGroups.size()) {
            mClean.reset();
        }
    }
}

void KxDbUndoHistory::setLimits(std::size_t bytes, int groups) {
    mMaxBytes = bytes;
    mMaxGroups = std::max(groups, 0);
    trim();
}

bool KxDbUndoHistory::isModified() const {
    return !mClean || *mClean != present() || hasPendingChanges();
}

void KxDbUndoHistory::markClean() {
    mClean = present();
}

void KxDbUndoHistory::clear() {
    mGroups.clear();
    mPending.entries.clear();
    mPending.index.clear();
    mPosition = 0;
    mBase = 0;
    mBytes = 0;
    mClean = 0;
}
