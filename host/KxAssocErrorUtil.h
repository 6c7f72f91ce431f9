#pragma once

/// @file
/// The host's error texts for statuses.

#include "host/KxHostExport.h"
#include "host/LumoErrorStatus.h"

class KxDbDatabase;

/// A scope over an operation's status variable: when the scope ends, the host records the status
/// the variable holds then, as the outcome of that operation.
class KX_HOST_EXPORT KxAssocErrorUtil {
public:
    /// Opens the scope over `status`, an operation on `database` (null for none).
    KxAssocErrorUtil(Lumo::ErrorStatus& status, KxDbDatabase* database);
    /// Closes the scope and records the status the variable holds now.
    ~KxAssocErrorUtil();
    /// Not copyable.
    ///@{
    KxAssocErrorUtil(const KxAssocErrorUtil&) = delete;
    KxAssocErrorUtil& operator=(const KxAssocErrorUtil&) = delete;
    ///@}

private:
    Lumo::ErrorStatus& mStatus;
};

/// What the host recorded of the error scopes, for its clients.
struct KxAssocErrorRecord {
    int opened = 0;                           ///< scopes opened
    int closed = 0;                           ///< scopes closed
    Lumo::ErrorStatus lastStatus = Lumo::eOk; ///< of the scope that closed last
};
/// What the host has recorded of the error scopes so far.
KX_HOST_EXPORT const KxAssocErrorRecord& kxAssocErrorRecord();
/// Clears that record: no scope opened or closed, last status eOk.
KX_HOST_EXPORT void kxAssocErrorReset();
