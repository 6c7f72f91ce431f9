#pragma once

// The host stand-in's failure controls: how the project's own tests and fuzzers arrange that the
// host refuses, so that every failure path of the library runs for real. Not installed: a provider
// compiles against the host's services, never against these switches.

#include "host/KxApDocument.h"
#include "host/KxDbEntity.h"
#include "host/KxHostExport.h"
#include "host/LumoErrorStatus.h"

#include <optional>

class KxHostTesting {
public:
    // The next push, or pop, of a highlight on the entity that would otherwise be carried out fails
    // with this status and changes nothing; the failure is spent then.
    static void failNextPush(KxDbEntity& entity, Lumo::ErrorStatus status) {
        entity.mNextPushFailure = status;
    }
    static void failNextPop(KxDbEntity& entity, Lumo::ErrorStatus status) {
        entity.mNextPopFailure = status;
    }

    // Locks, or unlocks, of the document are refused with this status until it is set back to eOk.
    static void refuseLocks(KxApDocument& document, Lumo::ErrorStatus status) {
        document.mLockRefusal = status;
    }
    static void refuseUnlocks(KxApDocument& document, Lumo::ErrorStatus status) {
        document.mUnlockRefusal = status;
    }

    // Makes the document's `myLockMode` give this answer, whatever the locks, until it is cleared.
    static void setMyLockModeAnswer(KxApDocument& document, std::optional<int> answer) {
        document.mMyLockModeAnswer = answer;
    }
};

// Arranges that reading the named system variable is refused (or no longer refused); false for an
// unknown name. `kxedResetSysVars` lifts every refusal.
KX_HOST_EXPORT bool kxedSetGetVarRefused(const wchar_t* name, bool refused);

// Makes the N-th step (counted from 1) of the saves from now on fail as a full disk would: each
// write of a piece of a file, each flush to the disk, each close and each rename counts one step.
// 0 fails none. Setting it starts the count again.
KX_HOST_EXPORT void kxFailFileWrite(int step);
// The steps the saves took since kxFailFileWrite was last called.
KX_HOST_EXPORT int kxFileWritesSoFar();
