// The sample provider as a module of the host: the start message draws the bracket plate and
// publishes its parameters and groups; the unload message withdraws and frees them.

#include "KxBracketPlate.h"

#include "kit/KxModuleDefinition.h"

namespace {

// The module's one object: the plate, published while the module is loaded.
struct KxBracketPlateModule {
    KxBracketPlateModule() { plate.connect(); }
    KxBracketPlate plate;
};

} // namespace

KX_DEFINE_MODULE(KxBracketPlateModule);
