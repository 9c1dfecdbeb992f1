#include <windows.h>

#include "table/app_search.h"

const unsigned char* NameCaseFolding()
{
    static unsigned char table[256];
    if (table[1] == 0) {
        for (int c = 0; c < 256; ++c) {
            char one[2] = {static_cast<char>(c), 0};
            // A lead byte alone is no character: it stays as it is.
            if (c != 0 && !IsDBCSLeadByte(static_cast<BYTE>(c)))
                CharLowerBuffA(one, 1);
            table[c] = static_cast<unsigned char>(one[0]);
        }
    }
    return table;
}
