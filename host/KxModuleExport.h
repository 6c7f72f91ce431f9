#pragma once

/// @file
/// The mark of a module's entry points: the functions that the host's loader, or another module,
/// finds by name in a loaded module. Each module defines its own, so the mark always exports.

#if defined(_WIN32)
/// Exports the function from the module's DLL.
#define KX_MODULE_EXPORT __declspec(dllexport)
#else
/// Exports the function from the module's shared object.
#define KX_MODULE_EXPORT __attribute__((visibility("default")))
#endif
