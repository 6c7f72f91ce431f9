#include "shell/KxDemoScript.h"

const char* const kKxDemoScript = R"(# The bracket plate's parameters, as the palette shows them.
list
# A new expression is vetted by the provider; what depends on it follows.
expr width 150
# A circular reference is refused, and the palette says why.
expr width height * 2
quit
)";
