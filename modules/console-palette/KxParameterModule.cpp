// The console palette as the host's module "KxParameter.dlx": it attaches its palette to the
// library's palette proxy when it starts and detaches it before it is unloaded, so that the proxy
// never holds a palette that is gone.

#include "host/KxExport.h"
#include "host/KxModuleLoader.h"
#include "modules/console-palette/KxConsolePalette.h"
#include "palette/KxApParameterManagerESW.h"

namespace {

KxConsolePalette gPalette;

} // namespace

extern "C" KX_EXPORT int kxrxGetApiVersion(int) {
    return KxRx::kApiVersion;
}

extern "C" KX_EXPORT int kxrxEntryPoint(int message, void*) {
    if (message == KxRx::kInitAppMessage) {
        KxApParameterManagerESW::instance()->setHost(&gPalette);
    } else if (message == KxRx::kUnloadAppMessage) {
        KxApParameterManagerESW::instance()->setHost(nullptr);
    }
    return 0;
}

// How the shell reaches the palette, through kxrxModuleSymbol.
extern "C" KX_EXPORT KxConsolePaletteControl* kxConsolePaletteControl() {
    return &gPalette;
}
