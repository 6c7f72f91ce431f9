#include "host/KxApDocument.h"

#include "host/KxDbDatabase.h"

KxApDocument::KxApDocument(const wchar_t* name)
    : mName(name), mpDatabase(std::make_unique<KxDbDatabase>()) {}

KxApDocument::~KxApDocument() = default;

int KxApDocument::myLockMode(bool) const {
    if (mMyLockModeAnswer) {
        return *mMyLockModeAnswer;
    }
    int mode = kKxDocLockNone;
    for (int lockMode : mLocks) {
        mode |= lockMode;
    }
    return mode;
}

Lumo::ErrorStatus KxApDocument::lock(KxApDocLockRequest request) {
    request.result = mLockRefusal;
    mLockRequests.push_back(request);
    if (request.result == Lumo::eOk) {
        mLocks.push_back(request.mode);
    }
    return request.result;
}

Lumo::ErrorStatus KxApDocument::unlock() {
    Lumo::ErrorStatus status = mUnlockRefusal;
    if (status == Lumo::eOk && mLocks.empty()) {
        status = Lumo::eNotLocked;
    }
    mUnlockRequests.push_back(status);
    if (status == Lumo::eOk) {
        mLocks.pop_back();
    }
    return status;
}
