#include "shell/KxDemoScript.h"

const char* const kKxDemoScript =
    R"(# The sample provider's bracket plate is loaded; above is its palette. Every edit goes
# through the provider, and the palette shows what changed.
expr width 150
# A circular reference is refused: the palette marks the cell and says why.
expr width height * 2
list
# Names are vetted too.
rename height 2high
rename height plate_height
# Properties keep their types; the tolerance takes values from its set only.
set thickness tolerance 0.2
set thickness tolerance 0.3
set hole_count description Holes along the lower edge
# Every field of one parameter: its properties, which are read-only, and the values they take.
show thickness
# Groups: a new one, a member, and the palette filtered by it (and inverted).
group add fixings
join hole_diameter fixings
filter fixings
filter holes --invert
filter off
# Units: the palette follows the drawing's current units and precision.
units LUNITS 1
units LUNITS 2
# The parameter's entity in the drawing.
highlight width on
highlight width off
# An undo bracket locks the drawing around a group of edits.
begin
expr thickness 8
end
# A new parameter, and deletions: the provider keeps what others still use.
new
delete param1 width
modules
quit
)";
