#include "palette/internal/KxApParameterManagerESWImp.h"

#include "palette/IKxApParameterManagerESWHost.h"

KxParameterFilter* KxApParameterManagerESWImp::getCurrentFilter() const {
    return mpHost ? mpHost->getCurrentFilter() : nullptr;
}

KxApParameterManagerESWImp::~KxApParameterManagerESWImp() = default;
