#include "collections/KxParameterCollectionReactor.h"

void KxParameterCollectionReactor::parameterAdded(KxParameter*) {}
void KxParameterCollectionReactor::parametersDeleted(const KxArray<KxParameter*>&) {}
KxParameterCollectionReactor::~KxParameterCollectionReactor() = default;
