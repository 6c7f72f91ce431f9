#include "manager/internal/KxParameterCollectionObserver.h"

#include "model/KxParameter.h"
#include "palette/KxApParameterManagerESW.h"

void KxParameterCollectionObserver::parameterAdded(KxParameter* parameter) {
    // Whether or not the palette shows it, the parameter's changes must reach the palette later.
    parameter->addReactor(&mParameterObserver);
    KxApParameterManagerESW* palette = KxApParameterManagerESW::instance();
    if (palette && palette->IsVisible()) {
        palette->addParameterDataInUI(parameter, 1);
    }
}

void KxParameterCollectionObserver::parametersDeleted(const KxArray<KxParameter*>& parameters) {
    KxApParameterManagerESW* palette = KxApParameterManagerESW::instance();
    if (palette && palette->isListControlDeleted()) {
        palette->deleteParameterDataInUI(parameters);
    }
}

KxParameterCollectionObserver::~KxParameterCollectionObserver() = default;
