#pragma once

#include <string>
#include <vector>

/// One log that recorders write to, so that a test sees the order of events across all of them.
using KxEventLog = std::vector<std::string>;
