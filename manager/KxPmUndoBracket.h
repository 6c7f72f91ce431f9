#pragma once

#include "manager/KxApDocLock.h"
#include "model/KxParameterManagerExport.h"

class KxApDocument;

/// Brackets a group of edits to one document: construction locks the document under the names of
/// the host's "PARAMETERS" command and announces a modeless operation; destruction announces its
/// end and releases the document. Whether the lock was granted is not reported.
class KX_PARAM_EXPORT KxPmUndoBracket {
public:
    /// Stops the process when the host has no "PARAMETERS" command.
    explicit KxPmUndoBracket(KxApDocument* document);
    /// Announces the end of the modeless operation and unlocks the document if it was locked.
    ~KxPmUndoBracket();

    /// All four take the source's lock as it stands and leave the source as it was; the target's
    /// own lock is overwritten, not ended. Both objects then end the same lock.
    ///@{
    KxPmUndoBracket(const KxPmUndoBracket& other);
    // NOLINTBEGIN(performance-noexcept-move-constructor): the declarations are fixed as they are.
    KxPmUndoBracket(KxPmUndoBracket&& other);
    KxPmUndoBracket& operator=(const KxPmUndoBracket& other);
    KxPmUndoBracket& operator=(KxPmUndoBracket&& other);
    // NOLINTEND(performance-noexcept-move-constructor)
    ///@}

private:
    KxApDocLock mDocLock;
};
