#pragma once

#include "host/KxExport.h"
#include "host/LumoErrorStatus.h"

class KxDbDatabase;

// A scope over an operation's status variable: when the scope ends, the host records the status
// the variable holds then, as the outcome of that operation.
class KX_EXPORT KxAssocErrorUtil {
public:
    KxAssocErrorUtil(Lumo::ErrorStatus& status, KxDbDatabase* database);
    ~KxAssocErrorUtil();
    KxAssocErrorUtil(const KxAssocErrorUtil&) = delete;
    KxAssocErrorUtil& operator=(const KxAssocErrorUtil&) = delete;

private:
    Lumo::ErrorStatus& mStatus;
};

// What the host recorded of the error scopes, for its clients.
struct KxAssocErrorRecord {
    int opened = 0;
    int closed = 0;
    Lumo::ErrorStatus lastStatus = Lumo::eOk; // of the scope that closed last
};
KX_EXPORT const KxAssocErrorRecord& kxAssocErrorRecord();
KX_EXPORT void kxAssocErrorReset();
