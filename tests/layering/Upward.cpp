// A model source that reaches up to the manager, once in quotes and once in angle brackets; its own
// internal header is fine.
#include "host/KxString.h"
#include "manager/KxParameterManager.h"
#include "model/internal/KxReactorList.h"
#include <collections/KxParameterCollection.h>
#include <gtest/gtest.h>
