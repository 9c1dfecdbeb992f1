#include "table/app_search.h"

// Native builds fold ASCII letters; the Windows build links name_folding_win32.cpp.
const unsigned char* NameCaseFolding()
{
    static unsigned char table[256];
    if (table[1] == 0) {
        for (int c = 0; c < 256; ++c)
            table[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return table;
}
