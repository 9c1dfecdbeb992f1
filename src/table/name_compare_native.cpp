#include "table/flag_table.h"

// Native builds have no lstrcmpiA; the Windows build links name_compare_win32.cpp.
int NamesEqual(const char* a, const char* b)
{
    return AsciiNamesEqual(a, b);
}
