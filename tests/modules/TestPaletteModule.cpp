// A palette module for tests, named "KxParameter.dlx": it attaches a recording palette to the
// proxy while it starts and detaches it when it is unloaded.

#include "host/KxExport.h"
#include "host/KxModuleLoader.h"
#include "palette/KxApParameterManagerESW.h"
#include "support/RecordingPalette.h"

namespace {

RecordingPalette gPalette;
int gStarts = 0;

} // namespace

extern "C" KX_EXPORT int kxrxGetApiVersion(int) {
    return KxRx::kApiVersion;
}

extern "C" KX_EXPORT int kxrxEntryPoint(int message, void*) {
    if (message == KxRx::kInitAppMessage) {
        ++gStarts;
        KxApParameterManagerESW::instance()->setHost(&gPalette);
    } else if (message == KxRx::kUnloadAppMessage) {
        KxApParameterManagerESW::instance()->setHost(nullptr);
    }
    return 0;
}

// How a test reaches the module's palette and counts its starts.
extern "C" KX_EXPORT RecordingPalette* testPalette() {
    return &gPalette;
}
extern "C" KX_EXPORT int testPaletteStarts() {
    return gStarts;
}
