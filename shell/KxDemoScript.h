#pragma once

// The session that `kxparam --demo` runs: every feature once, with a line of narration before
// each step.
extern const char* const kKxDemoScript;
