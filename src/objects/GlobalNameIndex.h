#pragma once
// Interns names as small integers that stay the same for the life of the process (message type
// ids and the like).
#include <cstdint>

// The index of the name in the process-wide name list (names compared ignoring case), appended
// when missing.
int GetGlobalNameIndex(const char* name);
