// A model source that reaches up to the manager; its own internal header is fine.
#include "host/KxString.h"
#include "manager/KxParameterManager.h"
#include "model/internal/KxReactorList.h"
