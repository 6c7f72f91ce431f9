#include "manager/internal/KxParameterObserver.h"

#include "palette/KxApParameterManagerESW.h"

void KxParameterObserver::nameWillChange(KxParameter*, const KxString&) {}

void KxParameterObserver::nameChanged(KxParameter* parameter, const KxString&) {
    parameterModified(parameter);
}

void KxParameterObserver::expressionWillChange(KxParameter*, const KxString&) {}

void KxParameterObserver::expressionChanged(KxParameter* parameter, const KxString&) {
    parameterModified(parameter);
}

void KxParameterObserver::propertyWillChange(KxParameter*, KxParameterProperty*) {}

void KxParameterObserver::propertyChanged(KxParameter* parameter, KxParameterProperty*) {
    parameterModified(parameter);
}

void KxParameterObserver::parameterModified(KxParameter* parameter) {
    if (KxApParameterManagerESW* palette = KxApParameterManagerESW::instance()) {
        palette->updateParameterDataInUI(parameter);
    }
}

void KxParameterObserver::modificationFailed(Lumo::ErrorStatus status, const KxString& message,
                                             const KxString& detail) {
    if (KxApParameterManagerESW* palette = KxApParameterManagerESW::instance()) {
        palette->markInvalidCell();
        palette->showErrorTaskDialog(status, message, detail);
    }
}

void KxParameterObserver::groupsWillChange(
    KxParameter*, const KxArray<short, KxArrayMemCopyReallocator<short>>&) {}

void KxParameterObserver::groupsChanged(KxParameter* parameter,
                                        const KxArray<short, KxArrayMemCopyReallocator<short>>&) {
    if (KxApParameterManagerESW* palette = KxApParameterManagerESW::instance()) {
        palette->updateCurrentGroupDataInUI(parameter);
    }
}

KxParameterObserver::~KxParameterObserver() = default;
