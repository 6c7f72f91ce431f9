#include "palette/internal/KxApParameterManagerESWImp.h"

#include "palette/KxPaletteBase.h"

KxParameterFilter* KxApParameterManagerESWImp::getCurrentFilter() const {
    return palette().getCurrentFilter();
}

IKxApParameterManagerESWHost& KxApParameterManagerESWImp::palette() const {
    // Never destroyed, like the proxy: the palette module may still call in while the process ends.
    static auto* const neutral = new KxPaletteBase();
    return mpHost ? *mpHost : *neutral;
}

KxApParameterManagerESWImp::~KxApParameterManagerESWImp() = default;
