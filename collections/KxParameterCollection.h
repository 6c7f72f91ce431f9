#pragma once

#include "collections/KxColumnHeaderProperty.h"
#include "host/KxArray.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"
#include "model/KxParameterManagerExport.h"

class KxParameter;
class KxParameterCollectionReactor;
class KxParameterPropertyEnabler;

/// The parameters that one provider publishes. It holds plain pointers to its parameters, reactors
/// and enablers and owns none of them; the provider creates and erases parameters through the
/// pure operations. The order of the virtual operations is part of the binary interface.
class KX_PARAM_EXPORT KxParameterCollection {
public:
    /// A null name gives the empty name.
    explicit KxParameterCollection(const wchar_t* name);
    /// Both share the source's parameters, reactors and enablers; nobody is told.
    ///@{
    KxParameterCollection(const KxParameterCollection& other);
    KxParameterCollection& operator=(const KxParameterCollection& other);
    ///@}

    virtual ~KxParameterCollection();
    /// Makes a new parameter of the provider's kind.
    virtual Lumo::ErrorStatus createParameter(KxParameter*& parameter) = 0;
    /// Vets a deletion of these parameters and may take entries out of the list; 0 lets it go on.
    virtual Lumo::ErrorStatus checkParametersForDeletion(KxArray<KxParameter*>& parameters);

protected:
    /// The provider erases the parameters from its own storage.
    virtual void deleteParametersInternal(const KxArray<KxParameter*>& parameters) = 0;
    /// The provider's columns; the base supplies none.
    virtual Lumo::ErrorStatus
    getSupportedPropertiesInternal(KxArray<KxColumnHeaderProperty>& columns) const;

public:
    /// The collection's name.
    const KxString& collectionName() const { return mName; }
    /// The parameters, in the order they were added.
    const KxArray<KxParameter*>& getParameters() const { return mParameters; }

    /// Appends the parameter, also when it stands in the list already, and tells the reactors
    /// parameterAdded; eNullObjectPointer for null.
    Lumo::ErrorStatus addParameter(KxParameter* parameter);
    /// Tells the reactors, lets the provider erase the parameters, then drops the pointers; the
    /// palette's edit is cancelled first and a deletion of two or more is one palette update.
    void deleteParameters(const KxArray<KxParameter*>& parameters);

    /// Registers, or unregisters one registration of, a reactor: eNullPtr for null, eInvalidInput
    /// for removing one that is not registered. A reactor may stand twice and then hears
    /// everything twice.
    ///@{
    Lumo::ErrorStatus addReactor(KxParameterCollectionReactor* reactor);
    Lumo::ErrorStatus removeReactor(KxParameterCollectionReactor* reactor);
    ///@}
    /// Registers, or unregisters, a property enabler: eNullPtr for null, eInvalidInput for removing
    /// one that is not registered. An enabler stands once; adding it again changes nothing.
    ///@{
    Lumo::ErrorStatus addPropertyEnabler(KxParameterPropertyEnabler* enabler);
    Lumo::ErrorStatus removePropertyEnabler(KxParameterPropertyEnabler* enabler);
    ///@}

    /// The provider's columns, then each enabler's changes; the list is not emptied first.
    Lumo::ErrorStatus getSupportedProperties(KxArray<KxColumnHeaderProperty>& columns) const;

private:
    /// Removes, for each pointer, as many of its first occurrences as the list names it.
    void removeFromList(const KxArray<KxParameter*>& parameters);

    KxArray<KxParameter*> mParameters;
    KxString mName;
    KxArray<KxParameterCollectionReactor*> mReactors;
    KxArray<KxParameterPropertyEnabler*> mEnablers;
};
