#pragma once

#include "host/KxDbObjectId.h"
#include "host/LumoErrorStatus.h"

class KxApDocument;
class KxDbDatabase;

/// Locks one document through the host's document manager, once in its life, and tells the host
/// that a modeless operation starts; unlocking, or destruction, tells it the operation has ended
/// and releases the document. The order of the virtual operations is fixed.
/// Not exported: the library alone uses it. Its header is public because the exported undo bracket
/// holds a lock by value, so that a client's compiler needs the lock's layout.
class KxApDocLock {
public:
    /// No document, start and end notices on, not used.
    KxApDocLock() = default;
    /// Copies share the lock: each of them ends it. Copy only to hand a lock on.
    KxApDocLock(const KxApDocLock&) = default;
    /// Takes the other's lock as it is, without ending its own first.
    KxApDocLock& operator=(const KxApDocLock&) = default;

    /// Ends the lock as `unlock` does.
    virtual ~KxApDocLock();
    /// Not valid ids: eNullObjectId for the null id, eInvalidObjectId for another; the object stays
    /// unused. A valid id locks its database's document.
    virtual Lumo::ErrorStatus lock(KxDbObjectId id, int mode, const wchar_t* globalCommandName,
                                   const wchar_t* localCommandName, bool notifyModeless);
    /// Locks the database's document; eNoDocument when it has none.
    virtual Lumo::ErrorStatus lock(KxDbDatabase* database, int mode,
                                   const wchar_t* globalCommandName,
                                   const wchar_t* localCommandName, bool notifyModeless);
    /// eAlreadyUsed after any earlier lock; eNoDocument without a document; the document
    /// manager's refusal. No lock is asked for while the document already holds a write lock.
    virtual Lumo::ErrorStatus lock(KxApDocument* document, int mode,
                                   const wchar_t* globalCommandName,
                                   const wchar_t* localCommandName, bool notifyModeless);
    /// Sends the end notice (again, when called again) and releases the document if it is held.
    virtual Lumo::ErrorStatus unlock();
    /// Forgets the document without releasing it; the end notice is still sent.
    virtual void detachDocument();

private:
    KxApDocument* mpDocument = nullptr;
    bool mbNotifyModeless = true;
    bool mbUsed = false;
};
