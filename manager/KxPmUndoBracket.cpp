#include "manager/KxPmUndoBracket.h"

#include "host/KxApDocument.h"
#include "host/KxEdCommands.h"
#include "host/KxRxAbort.h"

KxPmUndoBracket::KxPmUndoBracket(KxApDocument* document) {
    KxEdCommandStruc record;
    if (!kxedCmdLookup2(L"PARAMETERS", true, &record, KxEd::kLookupAllGroups) || !record.cmd) {
        kxrx_abort(L"PARAMETERS has been renamed.");
    }
    mDocLock.lock(document, kKxDocLockWrite, record.cmd->globalName(), record.cmd->localName(),
                  true);
}

// The lock's own destructor ends the bracket.
KxPmUndoBracket::~KxPmUndoBracket() = default;

KxPmUndoBracket::KxPmUndoBracket(const KxPmUndoBracket& other) = default;

// NOLINTBEGIN(performance-noexcept-move-constructor): the declarations are fixed as they are.
KxPmUndoBracket::KxPmUndoBracket(KxPmUndoBracket&& other) : mDocLock(other.mDocLock) {}

KxPmUndoBracket& KxPmUndoBracket::operator=(const KxPmUndoBracket& other) = default;

KxPmUndoBracket& KxPmUndoBracket::operator=(KxPmUndoBracket&& other) {
    mDocLock = other.mDocLock;
    return *this;
}
// NOLINTEND(performance-noexcept-move-constructor)
