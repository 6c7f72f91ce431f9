#pragma once

/// @file
/// Whether the parameter manager exists, asked afresh at each call. A pointer kept from earlier
/// says nothing: the manager may have been destroyed since (KxParameterManager::destroy, or the
/// library's unload message), and a new one may even stand at the same address. Keep no manager
/// pointer across calls; ask again.

#include "model/KxParameterManagerExport.h"

class KxParameterManager;

/// The live manager, or null when there is none. Never creates one
/// (KxParameterManager::getInstance does).
KX_PARAM_EXPORT KxParameterManager* kxParameterManagerIfAlive();
/// Whether a manager exists now.
KX_PARAM_EXPORT bool kxParameterManagerExists();
