// The console palette as the host's module "KxParameter.dlx": it attaches its palette to the
// library's palette proxy when it starts and detaches it before it is unloaded, so that the proxy
// never holds a palette that is gone.

#include "kit/KxModuleDefinition.h"
#include "kit/KxScopedRegistration.h"
#include "modules/console-palette/KxConsolePalette.h"

namespace {

// The module's one object: the palette, attached while the module is loaded.
struct KxConsolePaletteModule {
    KxConsolePalette palette;
    KxScopedPalette attachment{palette};
};

} // namespace

KX_DEFINE_MODULE(KxConsolePaletteModule);

// How the shell reaches the palette, through kxrxModuleSymbol.
extern "C" KX_MODULE_EXPORT KxPaletteControl* kxPaletteControl() {
    KxConsolePaletteModule* module = kxModuleObject();
    return module ? &module->palette : nullptr;
}
