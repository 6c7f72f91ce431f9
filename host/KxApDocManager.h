#pragma once

/// @file
/// The host's documents and the document manager.

#include "host/KxHostExport.h"
#include "host/LumoErrorStatus.h"

#include <memory>
#include <vector>

class KxApDocument;
class KxDbDatabase;

/// Keeps the open documents and their locks.
class KX_HOST_EXPORT KxApDocManager {
public:
    /// No document open.
    KxApDocManager();
    /// Not copyable.
    ///@{
    KxApDocManager(const KxApDocManager&) = delete;
    KxApDocManager& operator=(const KxApDocManager&) = delete;
    ///@}
    /// Closes every document.
    ~KxApDocManager();

    /// The document whose database that is; null for none.
    KxApDocument* document(const KxDbDatabase* database) const;

    /// Puts a lock of that mode on the document under the names of the command that asks for it;
    /// locks nest. 0 when locked; eNullPtr for no document, eInvalidInput for one that is not open,
    /// or the refusal the document was given.
    Lumo::ErrorStatus lockDocument(KxApDocument* document, int mode,
                                   const wchar_t* globalCommandName,
                                   const wchar_t* localCommandName, bool prompt);
    /// Takes away the latest lock: eNotLocked when none stands, or the document's refusal.
    Lumo::ErrorStatus unlockDocument(KxApDocument* document);

    /// Opens a new, empty document with a database of its own.
    KxApDocument* newDocument(const wchar_t* name);
    /// Closes the document and its database; false when it is not open.
    bool closeDocument(KxApDocument* document);
    /// Closes every open document and its database.
    void closeAllDocuments();
    /// The number of open documents.
    int documentCount() const { return static_cast<int>(mDocuments.size()); }
    /// The document the user works in: the one opened last that is still open; null for none.
    KxApDocument* curDocument() const {
        return mDocuments.empty() ? nullptr : mDocuments.back().get();
    }

private:
    bool isOpen(const KxApDocument* document) const;

    std::vector<std::unique_ptr<KxApDocument>> mDocuments;
};

/// The host's one document manager.
KX_HOST_EXPORT KxApDocManager* kxDocManagerPtr();
