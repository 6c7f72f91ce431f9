// A palette module for tests, named "KxParameter.dlx": it attaches a recording palette to the
// proxy while it starts and detaches it when it is unloaded.

#include "kit/KxModuleDefinition.h"
#include "kit/KxScopedRegistration.h"
#include "testkit/KxRecordingPalette.h"

namespace {

int gStarts = 0;

// The module's one object: the recording palette, attached while the module is loaded.
struct TestPaletteModule {
    TestPaletteModule() { ++gStarts; }
    KxRecordingPalette palette;
    KxScopedPalette attachment{palette};
};

} // namespace

KX_DEFINE_MODULE(TestPaletteModule);

// How a test reaches the module's palette (null while none is made) and counts its starts.
extern "C" KX_MODULE_EXPORT KxRecordingPalette* testPalette() {
    TestPaletteModule* module = kxModuleObject();
    return module ? &module->palette : nullptr;
}
extern "C" KX_MODULE_EXPORT int testPaletteStarts() {
    return gStarts;
}
