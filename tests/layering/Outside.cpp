// Outside the library and its tests' own folder: the host's test controls are not for it.
#include "host/KxString.h"
#include "host/testing/KxHostTesting.h"
