#include "host/KxApDocManager.h"

#include "host/KxApDocument.h"

#include <algorithm>

KxApDocManager::KxApDocManager() = default;
KxApDocManager::~KxApDocManager() = default;

KxApDocument* KxApDocManager::document(const KxDbDatabase* database) const {
    if (!database) {
        return nullptr;
    }
    for (const auto& document : mDocuments) {
        if (document->database() == database) {
            return document.get();
        }
    }
    return nullptr;
}

bool KxApDocManager::isOpen(const KxApDocument* document) const {
    return std::any_of(mDocuments.begin(), mDocuments.end(),
                       [&](const auto& open) { return open.get() == document; });
}

Lumo::ErrorStatus KxApDocManager::lockDocument(KxApDocument* document, int mode,
                                               const wchar_t* globalCommandName,
                                               const wchar_t* localCommandName, bool prompt) {
    if (!document) {
        return Lumo::eNullPtr;
    }
    if (!isOpen(document)) {
        return Lumo::eInvalidInput;
    }
    return document->lock({mode, globalCommandName ? globalCommandName : L"",
                           localCommandName ? localCommandName : L"", prompt, Lumo::eOk});
}

Lumo::ErrorStatus KxApDocManager::unlockDocument(KxApDocument* document) {
    if (!document) {
        return Lumo::eNullPtr;
    }
    if (!isOpen(document)) {
        return Lumo::eInvalidInput;
    }
    return document->unlock();
}

KxApDocument* KxApDocManager::newDocument(const wchar_t* name) {
    mDocuments.push_back(std::unique_ptr<KxApDocument>(new KxApDocument(name)));
    return mDocuments.back().get();
}

bool KxApDocManager::closeDocument(KxApDocument* document) {
    const auto found = std::find_if(mDocuments.begin(), mDocuments.end(),
                                    [&](const auto& open) { return open.get() == document; });
    if (found == mDocuments.end()) {
        return false;
    }
    mDocuments.erase(found);
    return true;
}

void KxApDocManager::closeAllDocuments() {
    mDocuments.clear();
}

KxApDocManager* kxDocManagerPtr() {
    static KxApDocManager manager;
    return &manager;
}
