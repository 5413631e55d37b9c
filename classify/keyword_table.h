// classify/keyword_table.h: the compiler-specific words counted by the keyword pass.
// Portable: no Win32.
#pragma once

#include "classify/source_verdict.h"

// 72 items in their stored mixed case, upper-cased when searched: the windows list,
// the marker "pbcc", the console list, the end marker "einde". The markers only end
// their lists; they are never searched for.
constexpr int KeywordTableSize = 72;
extern const char* const KeywordTable[KeywordTableSize];

// The family an item counts for; None for the two list markers.
CompilerKind KeywordFamily(int item);
