#include "palette/KxApParameterManagerESW.h"

#include "host/KxModuleLoader.h"
#include "palette/internal/KxApParameterManagerESWImp.h"

namespace {

KxApParameterManagerESWImp* sharedImplementation() {
    // Never destroyed: the palette module may still call in while the process ends.
    static auto* const implementation = new KxApParameterManagerESWImp();
    return implementation;
}

} // namespace

KxApParameterManagerESW::KxApParameterManagerESW() : mpImp(sharedImplementation()) {}

// Frees the proxy only; the implementation object outlives it.
KxApParameterManagerESW::~KxApParameterManagerESW() = default;

KxApParameterManagerESW* KxApParameterManagerESW::instance() {
    static auto* const proxy = new KxApParameterManagerESW();
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
    // Read only now: loading the module is what attaches its palette. Without one, nothing.
    mpImp->palette().initialize(manager);
}

// The forwarding operations ask the implementation object for the palette: the attached one, or
// the neutral KxPaletteBase while none is attached.

bool KxApParameterManagerESW::show(bool show, bool activate) {
    return mpImp->palette().show(show, activate);
}

bool KxApParameterManagerESW::restore(bool restore) {
    return mpImp->palette().restore(restore);
}

void KxApParameterManagerESW::cancelCurrentEdit() {
    mpImp->palette().cancelCurrentEdit();
}

void KxApParameterManagerESW::setESWLockUpdate(bool lock) {
    mpImp->palette().setESWLockUpdate(lock);
}

void KxApParameterManagerESW::SetImageListAndIndexPair(CImageList& images,
                                                       KxParameterCollection* collection) {
    mpImp->palette().SetImageListAndIndexPair(images, collection);
}

Lumo::ErrorStatus KxApParameterManagerESW::updateParameterDataInUI(const KxParameter* parameter) {
    return mpImp->palette().updateParameterDataInUI(parameter);
}

Lumo::ErrorStatus KxApParameterManagerESW::addParameterDataInUI(KxParameter* parameter,
                                                                int origin) {
    return mpImp->palette().addParameterDataInUI(parameter, origin);
}

void KxApParameterManagerESW::deleteParameterDataInUI(const KxArray<KxParameter*>& parameters) {
    mpImp->palette().deleteParameterDataInUI(parameters);
}

void KxApParameterManagerESW::repopulateGroupDataInUI(KxParameterGroupCollection* groups) {
    mpImp->palette().repopulateGroupDataInUI(groups);
}

Lumo::ErrorStatus
KxApParameterManagerESW::updateCurrentGroupDataInUI(const KxParameter* parameter) {
    return mpImp->palette().updateCurrentGroupDataInUI(parameter);
}

void KxApParameterManagerESW::showErrorTaskDialog(Lumo::ErrorStatus status, const KxString& message,
                                                  const KxString& detail) {
    mpImp->palette().showErrorTaskDialog(status, message, detail);
}

void KxApParameterManagerESW::markInvalidCell() {
    mpImp->palette().markInvalidCell();
}

bool KxApParameterManagerESW::isListControlDeleted() const {
    return mpImp->palette().isListControlDeleted();
}

void KxApParameterManagerESW::setFilterLock(bool lock) {
    mpImp->palette().setFilterLock(lock);
}

void KxApParameterManagerESW::refresh(bool full) {
    mpImp->palette().refresh(full);
}

bool KxApParameterManagerESW::IsVisible() const {
    return mpImp->palette().IsVisible();
}

Lumo::ErrorStatus
KxApParameterManagerESW::setPredefinedExpressions(const KxArray<KxString>& expressions) {
    return mpImp->palette().setPredefinedExpressions(expressions);
}

void KxApParameterManagerESW::getPredefinedExpressions(KxArray<KxString>& expressions) const {
    mpImp->palette().getPredefinedExpressions(expressions);
}

void KxApParameterManagerESW::activeCollectionChanged(KxParameterCollection* collection) {
    mpImp->palette().activeCollectionChanged(collection);
}

void KxApParameterManagerESW::resetSearchPattern() {
    mpImp->palette().resetSearchPattern();
}

void KxApParameterManagerESW::hideFilterTree(bool hide) {
    mpImp->palette().hideFilterTree(hide);
}

KxParameterFilter* KxApParameterManagerESW::getCurrentFilter() const {
    return mpImp->getCurrentFilter();
}
