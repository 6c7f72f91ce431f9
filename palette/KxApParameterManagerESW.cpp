#include "palette/KxApParameterManagerESW.h"

#include "host/KxModuleLoader.h"
#include "palette/internal/KxApParameterManagerESWImp.h"

namespace {

KxApParameterManagerESWImp* sharedImplementation() {
    // Never destroyed: the palette module may still call in while the process ends.
    static KxApParameterManagerESWImp* const implementation = new KxApParameterManagerESWImp();
    return implementation;
}

} // namespace

KxApParameterManagerESW::KxApParameterManagerESW() : mpImp(sharedImplementation()) {}

// Frees the proxy only; the implementation object outlives it.
KxApParameterManagerESW::~KxApParameterManagerESW() = default;

KxApParameterManagerESW* KxApParameterManagerESW::instance() {
    static KxApParameterManagerESW* const proxy = new KxApParameterManagerESW();
    return proxy;
}

void KxApParameterManagerESW::setHost(IKxApParameterManagerESWHost* host) {
    mpImp->mpHost = host;
}

void KxApParameterManagerESW::addEvent(IKxApParameterManagerESWHostEvents* sink) {
    mpImp->mEvents.insert(sink);
}

void KxApParameterManagerESW::removeEvent(IKxApParameterManagerESWHostEvents* sink) {
    mpImp->mEvents.erase(sink);
}

KxArray<IKxApParameterManagerESWHostEvents*> KxApParameterManagerESW::events() const {
    KxArray<IKxApParameterManagerESWHostEvents*> sinks;
    for (IKxApParameterManagerESWHostEvents* sink : mpImp->mEvents) {
        sinks.append(sink);
    }
    return sinks;
}

void KxApParameterManagerESW::initialize(KxParameterManager* manager) {
    if (!kxrxAppIsLoaded(L"KxParameter.dlx")) {
        // A palette that fails to load simply stays detached.
        kxrxLoadModule(L"KxParameter.dlx", false, true);
    }
    // Read only now: loading the module is what attaches its palette.
    if (IKxApParameterManagerESWHost* host = mpImp->mpHost) {
        host->initialize(manager);
    }
}

bool KxApParameterManagerESW::show(bool show, bool activate) {
    return mpImp->mpHost ? mpImp->mpHost->show(show, activate) : false;
}

bool KxApParameterManagerESW::restore(bool restore) {
    return mpImp->mpHost ? mpImp->mpHost->restore(restore) : false;
}

void KxApParameterManagerESW::cancelCurrentEdit() {
    if (mpImp->mpHost) {
        mpImp->mpHost->cancelCurrentEdit();
    }
}

void KxApParameterManagerESW::setESWLockUpdate(bool lock) {
    if (mpImp->mpHost) {
        mpImp->mpHost->setESWLockUpdate(lock);
    }
}

void KxApParameterManagerESW::SetImageListAndIndexPair(CImageList& images,
                                                       KxParameterCollection* collection) {
    if (mpImp->mpHost) {
        mpImp->mpHost->SetImageListAndIndexPair(images, collection);
    }
}

Lumo::ErrorStatus KxApParameterManagerESW::updateParameterDataInUI(const KxParameter* parameter) {
    return mpImp->mpHost ? mpImp->mpHost->updateParameterDataInUI(parameter)
                         : Lumo::eNotImplemented;
}

Lumo::ErrorStatus KxApParameterManagerESW::addParameterDataInUI(KxParameter* parameter,
                                                                int origin) {
    return mpImp->mpHost ? mpImp->mpHost->addParameterDataInUI(parameter, origin)
                         : Lumo::eNotImplemented;
}

void KxApParameterManagerESW::deleteParameterDataInUI(const KxArray<KxParameter*>& parameters) {
    if (mpImp->mpHost) {
        mpImp->mpHost->deleteParameterDataInUI(parameters);
    }
}

void KxApParameterManagerESW::repopulateGroupDataInUI(KxParameterGroupCollection* groups) {
    if (mpImp->mpHost) {
        mpImp->mpHost->repopulateGroupDataInUI(groups);
    }
}

Lumo::ErrorStatus
KxApParameterManagerESW::updateCurrentGroupDataInUI(const KxParameter* parameter) {
    return mpImp->mpHost ? mpImp->mpHost->updateCurrentGroupDataInUI(parameter)
                         : Lumo::eNotImplemented;
}

void KxApParameterManagerESW::showErrorTaskDialog(Lumo::ErrorStatus status, const KxString& message,
                                                  const KxString& detail) {
    if (mpImp->mpHost) {
        mpImp->mpHost->showErrorTaskDialog(status, message, detail);
    }
}

void KxApParameterManagerESW::markInvalidCell() {
    if (mpImp->mpHost) {
        mpImp->mpHost->markInvalidCell();
    }
}

bool KxApParameterManagerESW::isListControlDeleted() const {
    return mpImp->mpHost ? mpImp->mpHost->isListControlDeleted() : false;
}

void KxApParameterManagerESW::setFilterLock(bool lock) {
    if (mpImp->mpHost) {
        mpImp->mpHost->setFilterLock(lock);
    }
}

void KxApParameterManagerESW::refresh(bool full) {
    if (mpImp->mpHost) {
        mpImp->mpHost->refresh(full);
    }
}

bool KxApParameterManagerESW::IsVisible() const {
    return mpImp->mpHost ? mpImp->mpHost->IsVisible() : false;
}

Lumo::ErrorStatus
KxApParameterManagerESW::setPredefinedExpressions(const KxArray<KxString>& expressions) {
    return mpImp->mpHost ? mpImp->mpHost->setPredefinedExpressions(expressions)
                         : Lumo::eNotImplemented;
}

void KxApParameterManagerESW::getPredefinedExpressions(KxArray<KxString>& expressions) const {
    if (mpImp->mpHost) {
        mpImp->mpHost->getPredefinedExpressions(expressions);
    }
}

void KxApParameterManagerESW::activeCollectionChanged(KxParameterCollection* collection) {
    if (mpImp->mpHost) {
        mpImp->mpHost->activeCollectionChanged(collection);
    }
}

void KxApParameterManagerESW::resetSearchPattern() {
    if (mpImp->mpHost) {
        mpImp->mpHost->resetSearchPattern();
    }
}

void KxApParameterManagerESW::hideFilterTree(bool hide) {
    if (mpImp->mpHost) {
        mpImp->mpHost->hideFilterTree(hide);
    }
}

KxParameterFilter* KxApParameterManagerESW::getCurrentFilter() const {
    return mpImp->getCurrentFilter();
}
