#include "testkit/KxTestSession.h"

#include "host/KxApDocManager.h"
#include "host/KxEdCommands.h"
#include "host/KxEdEditor.h"
#include "host/KxModuleLoader.h"
#include "host/KxSysVars.h"
#include "manager/KxParameterManager.h"
#include "palette/KxApParameterManagerESW.h"

#include <string>
#include <vector>

KxTestSession::KxTestSession() {
    reset();
}

KxTestSession::~KxTestSession() {
    reset();
}

KxParameterManager& KxTestSession::manager() {
    return KxParameterManager::getInstance();
}

void KxTestSession::reset() {
    // Modules first, while the manager they withdraw from is still there.
    unloadAllModules();
    KxParameterManager::destroy();
    KxApParameterManagerESW::instance()->setHost(nullptr);
    kxDocManagerPtr()->closeAllDocuments();
    kxedResetCommands();
    kxedResetSysVars();
    kxedRemoveAllEditorReactors();
}

void KxTestSession::unloadAllModules() {
    const std::vector<std::wstring> loaded = kxrxLoadedModules();
    for (auto module = loaded.rbegin(); module != loaded.rend(); ++module) {
        kxrxUnloadModule(module->c_str());
    }
    kxrxClearModuleDirectories();
}
