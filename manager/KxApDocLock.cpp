#include "manager/KxApDocLock.h"

#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxEdEditor.h"

KxApDocLock::~KxApDocLock() {
    // Not the virtual unlock: a derived lock is gone by now.
    if (!mbUsed) {
        return;
    }
    if (mbNotifyModeless) {
        kxedSendModelessOperationEnded(L"");
    }
    if (mpDocument) {
        kxDocManagerPtr()->unlockDocument(mpDocument);
        mpDocument = nullptr;
    }
}

Lumo::ErrorStatus KxApDocLock::lock(KxDbObjectId id, int mode, const wchar_t* globalCommandName,
                                    const wchar_t* localCommandName, bool notifyModeless) {
    if (!id.isValid()) {
        return id.isNull() ? Lumo::eNullObjectId : Lumo::eInvalidObjectId;
    }
    return lock(id.database(), mode, globalCommandName, localCommandName, notifyModeless);
}

Lumo::ErrorStatus KxApDocLock::lock(KxDbDatabase* database, int mode,
                                    const wchar_t* globalCommandName,
                                    const wchar_t* localCommandName, bool notifyModeless) {
    KxApDocument* document = database ? kxDocManagerPtr()->document(database) : nullptr;
    return lock(document, mode, globalCommandName, localCommandName, notifyModeless);
}

Lumo::ErrorStatus KxApDocLock::lock(KxApDocument* document, int mode,
                                    const wchar_t* globalCommandName,
                                    const wchar_t* localCommandName, bool notifyModeless) {
    if (mbUsed) {
        return Lumo::eAlreadyUsed;
    }
    mbUsed = true;
    Lumo::ErrorStatus status = Lumo::eOk;
    if (!document) {
        status = Lumo::eNoDocument;
    } else {
        // A document that is write-locked already needs no second lock, nor an unlock later.
        if ((document->myLockMode(true) & kKxDocLockWrite) == 0) {
            status = kxDocManagerPtr()->lockDocument(document, mode, globalCommandName,
                                                     localCommandName, false);
            if (status == Lumo::eOk) {
                mpDocument = document;
            }
        }
        mbNotifyModeless = notifyModeless;
    }
    if (mbNotifyModeless) {
        kxedSendModelessOperationStart(localCommandName);
    }
    return status;
}

Lumo::ErrorStatus KxApDocLock::unlock() {
    if (!mbUsed) {
        return Lumo::eOk;
    }
    if (mbNotifyModeless) {
        kxedSendModelessOperationEnded(L"");
    }
    if (!mpDocument) {
        return Lumo::eOk;
    }
    const Lumo::ErrorStatus status = kxDocManagerPtr()->unlockDocument(mpDocument);
    mpDocument = nullptr;
    return status;
}

void KxApDocLock::detachDocument() {
    mpDocument = nullptr;
}
