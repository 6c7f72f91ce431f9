#include "manager/KxParameterManagerReactor.h"

void KxParameterManagerReactor::collectionWillBeRegistered(KxParameterCollection*) {}
void KxParameterManagerReactor::collectionRegistered(KxParameterCollection*) {}
void KxParameterManagerReactor::collectionWillBeUnregistered(KxParameterCollection*) {}
void KxParameterManagerReactor::collectionUnregistered(KxParameterCollection*) {}
void KxParameterManagerReactor::activeCollectionWillBeSet(KxParameterCollection*) {}
void KxParameterManagerReactor::activeCollectionSet(KxParameterCollection*) {}
void KxParameterManagerReactor::groupCollectionWillBeRegistered(KxParameterGroupCollection*) {}
void KxParameterManagerReactor::groupCollectionRegistered(KxParameterGroupCollection*) {}
void KxParameterManagerReactor::groupCollectionWillBeUnregistered(KxParameterGroupCollection*) {}
void KxParameterManagerReactor::groupCollectionUnregistered(KxParameterGroupCollection*) {}
KxParameterManagerReactor::~KxParameterManagerReactor() = default;
