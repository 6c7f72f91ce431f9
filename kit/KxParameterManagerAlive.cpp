#include "kit/KxParameterManagerAlive.h"

#include "manager/KxParameterManager.h"

KxParameterManager* kxParameterManagerIfAlive() {
    // The manager sets this on creation and clears it on destruction; nothing else does.
    return KxParameterManager::mpParamManager;
}

bool kxParameterManagerExists() {
    return kxParameterManagerIfAlive() != nullptr;
}
