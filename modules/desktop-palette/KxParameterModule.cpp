// The desktop palette as the host's module "KxParameter.dlx": it attaches its palette to the
// library's palette proxy when it starts and detaches it before it is unloaded. The program that
// loads it makes the QApplication; the module never makes one.

#include "kit/KxModuleDefinition.h"
#include "kit/KxScopedRegistration.h"
#include "modules/desktop-palette/KxDesktopPalette.h"

namespace {

// The module's one object: the palette, attached while the module is loaded.
struct KxDesktopPaletteModule {
    KxDesktopPalette palette;
    KxScopedPalette attachment{palette};
};

} // namespace

KX_DEFINE_MODULE(KxDesktopPaletteModule);

// How a host program reaches the palette, through kxrxModuleSymbol.
extern "C" KX_MODULE_EXPORT KxPaletteControl* kxPaletteControl() {
    KxDesktopPaletteModule* module = kxModuleObject();
    return module ? &module->palette : nullptr;
}
