#pragma once

#include "host/KxModuleExport.h"
#include "host/KxModuleLoader.h"

#include <utility>

// KX_DEFINE_MODULE(Type) makes a source file the entry of a host module (a provider, a palette):
// it defines the two functions the host's loader asks for, `kxrxGetApiVersion` and
// `kxrxEntryPoint`. The start message makes one `Type` with its default constructor, which connects
// it (registers its collections, attaches its palette: the guards of kit/KxScopedRegistration.h
// do that and undo it); a second start message makes no second one. The unload message deletes
// it. A constructor that throws makes the entry refuse the start message, and the host then does
// not load the module.
//
// The module's other exported functions reach the object through `kxModuleObject()`, which the
// macro defines in the same source file: the `Type*` while the module is started, null before and
// after (and while the object is being deleted).
//
//     namespace {
//     struct KxMyPaletteModule {
//         KxMyPalette palette;
//         KxScopedPalette attachment{palette};
//     };
//     } // namespace
//     KX_DEFINE_MODULE(KxMyPaletteModule);
//     extern "C" KX_MODULE_EXPORT KxMyPalette* kxMyPalette() {
//         KxMyPaletteModule* module = kxModuleObject();
//         return module ? &module->palette : nullptr;
//     }
//
// Use it once per module, at namespace scope, in one source file. The object is kept in a plain
// variable of that file, so that unloading the module really frees it.
// NOLINTBEGIN(bugprone-macro-parentheses): Type names a type in declarations, where no
// parentheses may go.
#define KX_DEFINE_MODULE(Type)                                                                     \
    namespace {                                                                                    \
    Type* gpKxModuleObject = nullptr;                                                              \
    }                                                                                              \
    [[maybe_unused]] static Type* kxModuleObject() {                                               \
        return gpKxModuleObject;                                                                   \
    }                                                                                              \
    extern "C" KX_MODULE_EXPORT int kxrxGetApiVersion(int) {                                       \
        return KxRx::kApiVersion;                                                                  \
    }                                                                                              \
    extern "C" KX_MODULE_EXPORT int kxrxEntryPoint(int message, void*) {                           \
        return KxModuleDefinition::entry(gpKxModuleObject, message);                               \
    }                                                                                              \
    static_assert(true, "KX_DEFINE_MODULE ends with a semicolon")
// NOLINTEND(bugprone-macro-parentheses)

namespace KxModuleDefinition {

/// What the macro's kxrxEntryPoint does with the module's object: 0, or 1 to refuse the start.
template <class Type>
int entry(Type*& object, int message) {
    if (message == KxRx::kInitAppMessage && !object) {
        try {
            object = new Type();
        } catch (...) {
            return 1;
        }
    } else if (message == KxRx::kUnloadAppMessage) {
        // Cleared first: while the object goes, the module's functions find none.
        delete std::exchange(object, nullptr);
    }
    return 0;
}

} // namespace KxModuleDefinition
