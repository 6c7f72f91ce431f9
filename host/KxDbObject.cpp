#include "host/KxDbObject.h"

#include "host/KxDbDatabase.h"
#include "host/KxDbFiler.h"
#include "host/internal/KxDbObjectTable.h"
#include "host/internal/KxReactorList.h"

#include <algorithm>

KxDbObject::~KxDbObject() {
    if (mpDatabase) {
        mpDatabase->release(this);
    }
}

KxDbObjectId KxDbObject::objectId() const {
    return mpDatabase ? KxDbObjectId(mHandle) : KxDbObjectId();
}

Lumo::ErrorStatus KxDbObject::open(int openMode, bool openErased) {
    if (mbErased && !openErased) {
        return Lumo::eWasErased;
    }
    switch (openMode) {
    case KxDb::kForRead:
        if (mbWriter) {
            return Lumo::eWasOpenForWrite;
        }
        ++mReaders;
        break;
    case KxDb::kForWrite:
        if (mbWriter) {
            return Lumo::eWasOpenForWrite;
        }
        if (mReaders > 0) {
            return Lumo::eWasOpenForRead;
        }
        mbWriter = true;
        if (mpDatabase) {
            mpDatabase->openedForWrite(this);
        }
        break;
    default:
        return Lumo::eInvalidInput;
    }
    ++mOpens;
    return Lumo::eOk;
}

Lumo::ErrorStatus KxDbObject::close() {
    if (mbWriter) {
        mbWriter = false;
    } else if (mReaders > 0) {
        --mReaders;
    } else {
        return Lumo::eNotOpen;
    }
    ++mCloses;
    return Lumo::eOk;
}

const wchar_t* KxDbObject::className() const {
    return L"KxDbObject";
}

int KxDbObject::classVersion() const {
    return 1;
}

Lumo::ErrorStatus KxDbObject::writeFields(KxDbFiler& filer) const {
    return filer.status();
}

Lumo::ErrorStatus KxDbObject::readFields(KxDbFiler& filer, int) {
    return filer.status();
}

bool KxDbObject::addReactor(KxDbObjectReactor* reactor) {
    return KxReactorList::attach(mReactors, reactor);
}

bool KxDbObject::removeReactor(KxDbObjectReactor* reactor) {
    return KxReactorList::detach(mReactors, reactor);
}

struct KxDbObjectOpening {
    static Lumo::ErrorStatus open(KxDbObject& object, int openMode, bool openErased) {
        return object.open(openMode, openErased);
    }
};

Lumo::ErrorStatus kxdbOpenObject(KxDbObject*& object, KxDbObjectId id, int openMode,
                                 bool openErased) {
    object = nullptr;
    if (id.isNull()) {
        return Lumo::eNullObjectId;
    }
    KxDbObject* found = KxDbObjectTable::find(id.handle());
    if (!found) {
        return Lumo::eInvalidObjectId;
    }
    const Lumo::ErrorStatus status = KxDbObjectOpening::open(*found, openMode, openErased);
    if (status == Lumo::eOk) {
        object = found;
    }
    return status;
}
