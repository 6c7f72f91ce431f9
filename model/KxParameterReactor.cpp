#include "model/KxParameterReactor.h"

void KxParameterReactor::nameWillChange(KxParameter*, const KxString&) {}
void KxParameterReactor::nameChanged(KxParameter*, const KxString&) {}
void KxParameterReactor::expressionWillChange(KxParameter*, const KxString&) {}
void KxParameterReactor::expressionChanged(KxParameter*, const KxString&) {}
void KxParameterReactor::propertyWillChange(KxParameter*, KxParameterProperty*) {}
void KxParameterReactor::propertyChanged(KxParameter*, KxParameterProperty*) {}
void KxParameterReactor::parameterModified(KxParameter*) {}
void KxParameterReactor::modificationFailed(Lumo::ErrorStatus, const KxString&, const KxString&) {}
void KxParameterReactor::groupsWillChange(KxParameter*,
                                          const KxArray<short, KxArrayMemCopyReallocator<short>>&) {
}
void KxParameterReactor::groupsChanged(KxParameter*,
                                       const KxArray<short, KxArrayMemCopyReallocator<short>>&) {}
KxParameterReactor::~KxParameterReactor() = default;
