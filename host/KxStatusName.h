#pragma once

/// @file
/// The names of the host's statuses, for messages that a person reads.

#include "host/KxHostExport.h"
#include "host/LumoErrorStatus.h"

#include <string>

/// The enumerator's name of a status of Lumo::ErrorStatus ("eInvalidInput"); null for a value that
/// the enumeration does not name (a provider may return any).
KX_HOST_EXPORT const char* kxStatusName(Lumo::ErrorStatus status);
/// The status as a person reads it: its name and number ("eInvalidInput, 3"), or only the number
/// ("status 12345") when the enumeration does not name it.
KX_HOST_EXPORT std::string kxStatusText(Lumo::ErrorStatus status);
