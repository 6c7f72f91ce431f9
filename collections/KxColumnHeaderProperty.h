#pragma once

#include "host/KxString.h"

/// One column that the palette may show for a collection's parameters. The library only carries
/// the list from the provider through the enablers to the palette.
struct KxColumnHeaderProperty {
    KxString mKey;         ///< what the column shows, in the provider's words
    KxString mTitle;       ///< the header text
    int mWidth = 80;       ///< in pixels
    bool mbVisible = true; ///< whether the palette shows the column
};
