#include "collections/KxParameterCollection.h"

#include "collections/KxParameterCollectionReactor.h"
#include "collections/KxParameterPropertyEnabler.h"
#include "collections/internal/KxParameterListMatching.h"
#include "model/internal/KxReactorList.h"
#include "model/internal/KxReactorWalk.h"
#include "palette/KxApParameterManagerESW.h"

KxParameterCollection::KxParameterCollection(const wchar_t* name) : mName(name) {}

KxParameterCollection::KxParameterCollection(const KxParameterCollection& other) = default;

KxParameterCollection& KxParameterCollection::operator=(const KxParameterCollection& other) {
    if (this != &other) {
        mParameters = other.mParameters;
        mName = other.mName;
        mReactors = other.mReactors;
        mEnablers = other.mEnablers;
    }
    return *this;
}

KxParameterCollection::~KxParameterCollection() = default;

Lumo::ErrorStatus KxParameterCollection::checkParametersForDeletion(KxArray<KxParameter*>&) {
    return Lumo::eOk;
}

Lumo::ErrorStatus
KxParameterCollection::getSupportedPropertiesInternal(KxArray<KxColumnHeaderProperty>&) const {
    return Lumo::eNotImplemented;
}

Lumo::ErrorStatus KxParameterCollection::addParameter(KxParameter* parameter) {
    if (!parameter) {
        return Lumo::eNullObjectPointer;
    }
    mParameters.append(parameter);
    walkReactors(mReactors,
                 [&](KxParameterCollectionReactor& reactor) { reactor.parameterAdded(parameter); });
    return Lumo::eOk;
}

void KxParameterCollection::deleteParameters(const KxArray<KxParameter*>& parameters) {
    if (parameters.isEmpty()) {
        return;
    }
    KxApParameterManagerESW* palette = KxApParameterManagerESW::instance();
    const bool bracket = parameters.length() > 1;
    if (palette) {
        palette->cancelCurrentEdit();
        if (bracket) {
            palette->setESWLockUpdate(true);
        }
    }
    walkReactors(mReactors, [&](KxParameterCollectionReactor& reactor) {
        reactor.parametersDeleted(parameters);
    });
    deleteParametersInternal(parameters);
    if (palette && bracket) {
        palette->setESWLockUpdate(false);
    }
    removeFromList(parameters);
}

void KxParameterCollection::removeFromList(const KxArray<KxParameter*>& parameters) {
    // The whole list, in its order, comes out by the same pass: it is left empty, its storage kept.
    removeFirstOccurrences(mParameters, parameters);
}

Lumo::ErrorStatus KxParameterCollection::addReactor(KxParameterCollectionReactor* reactor) {
    if (!reactor) {
        return Lumo::eNullPtr;
    }
    mReactors.append(reactor);
    return Lumo::eOk;
}

Lumo::ErrorStatus KxParameterCollection::removeReactor(KxParameterCollectionReactor* reactor) {
    return removeFirst(mReactors, reactor, Lumo::eInvalidInput);
}

Lumo::ErrorStatus KxParameterCollection::addPropertyEnabler(KxParameterPropertyEnabler* enabler) {
    return addOnce(mEnablers, enabler);
}

Lumo::ErrorStatus
KxParameterCollection::removePropertyEnabler(KxParameterPropertyEnabler* enabler) {
    return removeFirst(mEnablers, enabler, Lumo::eInvalidInput);
}

Lumo::ErrorStatus
KxParameterCollection::getSupportedProperties(KxArray<KxColumnHeaderProperty>& columns) const {
    const Lumo::ErrorStatus status = getSupportedPropertiesInternal(columns);
    if (status != Lumo::eOk) {
        return status;
    }
    for (int i = 0; i < mEnablers.length(); ++i) {
        mEnablers[i]->enableProperties(columns);
    }
    return Lumo::eOk;
}
