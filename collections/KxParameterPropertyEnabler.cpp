#include "collections/KxParameterPropertyEnabler.h"

KxParameterPropertyEnabler::~KxParameterPropertyEnabler() = default;
