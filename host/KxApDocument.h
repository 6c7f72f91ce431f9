#pragma once

#include "host/KxHostExport.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class KxDbDatabase;

/// Lock modes of a document; a lock mode value may combine several.
enum KxApDocLockMode : int {
    kKxDocLockNone = 0,  ///< not locked
    kKxDocLockWrite = 4, ///< locked for writing
    kKxDocLockRead = 32, ///< locked for reading
};

/// One request to lock a document, as the document manager received it.
struct KxApDocLockRequest {
    int mode = kKxDocLockNone;            ///< the lock modes asked for
    std::wstring globalCommandName;       ///< the global name of the command that asked
    std::wstring localCommandName;        ///< the local name of the command that asked
    bool prompt = false;                  ///< the prompt flag the request carried
    Lumo::ErrorStatus result = Lumo::eOk; ///< 0 when granted, else the refusal
    /// True when every field is equal.
    bool operator==(const KxApDocLockRequest&) const = default;
};

/// An open drawing: a name and the database it owns. Documents are made and closed by the
/// document manager, which also locks and unlocks them.
class KX_HOST_EXPORT KxApDocument {
public:
    /// Not copyable.
    ///@{
    KxApDocument(const KxApDocument&) = delete;
    KxApDocument& operator=(const KxApDocument&) = delete;
    ///@}
    /// Deletes the document's database and its objects.
    ~KxApDocument();

    /// The name the document was opened with.
    const KxString& name() const { return mName; }
    /// The database the document owns.
    KxDbDatabase* database() const { return mpDatabase.get(); }

    /// The lock modes that stand on the document, combined; 0 while it is unlocked. The host has a
    /// single execution context, so every lock is the caller's own and the flag changes nothing.
    int myLockMode(bool includeMyLocks) const;
    /// The locks that stand, one per granted request not yet unlocked.
    int lockDepth() const { return static_cast<int>(mLocks.size()); }
    /// Every lock request and every unlock request the document manager received, with results.
    ///@{
    const std::vector<KxApDocLockRequest>& lockRequests() const { return mLockRequests; }
    const std::vector<Lumo::ErrorStatus>& unlockRequests() const { return mUnlockRequests; }
    ///@}

    /// The host program calls these around each command it runs: the command's changes make one
    /// undo group of the database, named after the command (KxDbDatabase::beginUndoGroup). Undo,
    /// redo, save and open are called outside them. eNoUndoGroup for an end without a begin.
    ///@{
    Lumo::ErrorStatus beginCommand(const wchar_t* name);
    Lumo::ErrorStatus endCommand();
    ///@}
    /// Undoes, or redoes, the database's latest group (KxDbDatabase::undo and redo).
    ///@{
    Lumo::ErrorStatus undo();
    Lumo::ErrorStatus redo();
    ///@}
    /// True when the drawing changed since it was last saved or opened (KxDbDatabase::isModified).
    bool isModified() const;

    /// Saves the drawing in the file at that path (UTF-8), which the document then takes as its
    /// own; an empty path saves to the document's own file. eInvalidInput for an empty path while
    /// the document has no file, or what kxdbSaveDrawing refuses, with `message` saying why.
    Lumo::ErrorStatus save(const std::string& path, std::string& message);
    /// Replaces the drawing with that of the file at that path, which the document then takes as
    /// its own; what kxdbOpenDrawing refuses, with `message` saying why, and the drawing is as it
    /// was.
    Lumo::ErrorStatus open(const std::string& path, std::string& message);
    /// Replaces the drawing with an empty one that has no file yet (kxdbClearDrawing); what that
    /// refuses, with `message` saying why, and the drawing is as it was.
    Lumo::ErrorStatus newDrawing(std::string& message);
    /// Replaces the drawing with that of a recovery file, as open does, but keeps `originalPath` as
    /// the document's file and counts the drawing as changed, so that saving writes the original.
    Lumo::ErrorStatus recover(const std::string& recoveryPath, const std::string& originalPath,
                              std::string& message);
    /// The path of the document's file; empty until it was saved or opened.
    const std::string& path() const { return mPath; }

private:
    friend class KxApDocManager;
    // The failure controls of the project's tests (host/testing/KxHostTesting.h).
    friend class KxHostTesting;
    explicit KxApDocument(const wchar_t* name);

    Lumo::ErrorStatus lock(KxApDocLockRequest request);
    Lumo::ErrorStatus unlock();

    KxString mName;
    std::string mPath;
    std::unique_ptr<KxDbDatabase> mpDatabase;
    std::vector<int> mLocks;
    std::vector<KxApDocLockRequest> mLockRequests;
    std::vector<Lumo::ErrorStatus> mUnlockRequests;
    std::optional<int> mMyLockModeAnswer;
    Lumo::ErrorStatus mLockRefusal = Lumo::eOk;
    Lumo::ErrorStatus mUnlockRefusal = Lumo::eOk;
};
