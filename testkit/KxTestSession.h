#pragma once

#include "testkit/KxTestKitExport.h"

class KxParameterManager;

/// A provider's test on the host and the library as a fresh process has them, and left so for the
/// next test in the same process. Construction and destruction each reset: every module unloaded,
/// the last loaded first (a provider withdraws, a palette detaches), and the module directories
/// forgotten; the parameter manager destroyed and no palette attached to the proxy; no document
/// open; the host's own commands, its default system variables and no editor reactors.
///
/// Made before the test's own objects and destroyed after them (as the first member or base of a
/// fixture), it sees them fresh and gone. Add the directory of the modules the test loads with
/// kxrxAddModuleDirectory (host/KxModuleLoader.h). Depends on no test framework.
class KX_TESTKIT_EXPORT KxTestSession {
public:
    KxTestSession();
    ~KxTestSession();
    KxTestSession(const KxTestSession&) = delete;
    KxTestSession& operator=(const KxTestSession&) = delete;

    /// The parameter manager, made on first use: making it loads the palette module
    /// "KxParameter.dlx" when a module directory holds one.
    KxParameterManager& manager();

    /// Brings the process back to a fresh start: no modules, no manager, no palette, no documents,
    /// the system variables' defaults.
    static void reset();
    /// Unloads every module, the last loaded first, and forgets the module directories.
    static void unloadAllModules();
};
