#include "collections/KxParameterFilter.h"

KxParameterFilter::~KxParameterFilter() = default;
