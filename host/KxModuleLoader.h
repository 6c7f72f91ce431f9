#pragma once

/// @file
/// Loading and unloading host modules from the module directories.

#include "host/KxHostExport.h"

#include <string>
#include <vector>

/// The protocol between the host's module loader and its modules. A module is a shared object with
/// two functions exported by plain name: `int kxrxGetApiVersion(int hostVersion)` and
/// `int kxrxEntryPoint(int message, void*)`.
namespace KxRx {
/// The API version the host expects a module's kxrxGetApiVersion to answer.
constexpr int kApiVersion = 2026;
/// The message kxrxEntryPoint receives when the module starts.
constexpr int kInitAppMessage = 1;
/// The message kxrxEntryPoint receives before the module is unloaded.
constexpr int kUnloadAppMessage = 2;
} // namespace KxRx

/// What the host knows of a loaded module.
struct KxRxModuleInfo {
    std::wstring name;     ///< the module's file name
    bool unlocked = false; ///< the module allowed the host to unload it on request
    bool mdiAware = false; ///< the module works with several open documents
};

/// Module names are resolved in these directories, in order, and nowhere else. Only absolute paths
/// are taken; false, and nothing changes, for any other.
KX_HOST_EXPORT bool kxrxAddModuleDirectory(const std::string& absolutePath);
/// Forgets every module directory; no module name resolves until one is added.
KX_HOST_EXPORT void kxrxClearModuleDirectories();
/// The path of the first module directory's regular file of that name; the empty text when none
/// holds it or the name is not a file name alone.
KX_HOST_EXPORT std::string kxrxResolveModulePath(const std::string& fileName);

/// True when a module of that name is loaded.
KX_HOST_EXPORT bool kxrxAppIsLoaded(const wchar_t* moduleName);
/// Loads, checks the API version, sends the start message and records the module. A refusal is
/// reported on the error stream and leaves everything as it was.
KX_HOST_EXPORT bool kxrxLoadModule(const wchar_t* moduleName, bool printIt, bool asCommand);
/// Loads the module file at this absolute path as kxrxLoadModule loads one that it finds in the
/// module directories; the module is then known by its file name. Refused, as above, for a relative
/// path, a path that names no regular file, and a file name that a loaded module has already.
KX_HOST_EXPORT bool kxrxLoadModuleFile(const std::string& absolutePath);
/// Sends the unload message and closes the module.
KX_HOST_EXPORT bool kxrxUnloadModule(const wchar_t* moduleName);
/// False, and `info` untouched, when no module of that name is loaded.
KX_HOST_EXPORT bool kxrxGetModuleInfo(const wchar_t* moduleName, KxRxModuleInfo& info);
/// A function or object that a loaded module defines and exports itself; null when the module is
/// not loaded or defines no such symbol.
KX_HOST_EXPORT void* kxrxModuleSymbol(const wchar_t* moduleName, const char* symbol);
/// The names of the loaded modules, in the order they were loaded.
KX_HOST_EXPORT std::vector<std::wstring> kxrxLoadedModules();
