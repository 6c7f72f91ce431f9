#pragma once

/// Marks the classes and functions that a shared object offers to other modules; everything else
/// is built hidden. The same attribute serves the defining and the using side on this platform.
#define KX_EXPORT __attribute__((visibility("default")))
