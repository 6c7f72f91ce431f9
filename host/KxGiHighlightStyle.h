#pragma once

// How a highlighted entity is drawn.
enum KxGiHighlightStyle : int {
    kKxGiHighlightNone = 0,
    kKxGiHighlightOutline = 1,
    kKxGiHighlightDashedThick = 2,
    kKxGiHighlightDimmed = 3,
};
