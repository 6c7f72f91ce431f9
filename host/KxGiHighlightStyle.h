#pragma once

/// How a highlighted entity is drawn.
enum KxGiHighlightStyle : int {
    kKxGiHighlightNone = 0,        ///< drawn as usual
    kKxGiHighlightOutline = 1,     ///< outlined
    kKxGiHighlightDashedThick = 2, ///< with thick dashed lines
    kKxGiHighlightDimmed = 3,      ///< dimmed
};
