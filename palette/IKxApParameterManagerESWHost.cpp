#include "palette/IKxApParameterManagerESWHost.h"

IKxApParameterManagerESWHost::~IKxApParameterManagerESWHost() = default;
IKxApParameterManagerESWHostEvents::~IKxApParameterManagerESWHostEvents() = default;
