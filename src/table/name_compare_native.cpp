#include "table/app_search.h"
#include "table/flag_table.h"

// Native builds have no lstrcmpiA; the Windows build links name_compare_win32.cpp.
int NamesEqual(const char* a, const char* b)
{
    return AsciiNamesEqual(a, b);
}

const unsigned char* NameCaseFolding()
{
    static unsigned char table[256];
    if (table[1] == 0) {
        for (int c = 0; c < 256; ++c)
            table[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return table;
}
