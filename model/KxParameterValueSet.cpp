#include "model/KxParameterValueSet.h"

KxParameterValueSet::~KxParameterValueSet() = default;
