#include <cstring>

#include "table/flag_table.h"

// Native builds have no CharUpperA: code page 1252, the Windows default
// where these names come from, converted as the system converts it.
const unsigned char* NameCaseFolding()
{
    static unsigned char table[256];
    if (table[1] == 0) {
        for (int c = 0; c < 256; ++c)
            table[c] = UpperCp1252(static_cast<unsigned char>(c));
    }
    return table;
}

void UpperText(char* text)
{
    const unsigned char* upper = NameCaseFolding();
    for (; *text; ++text)
        *text = static_cast<char>(upper[static_cast<unsigned char>(*text)]);
}

void AppRowName(char* out, const char* name)
{
    size_t n = std::strlen(name);
    if (n > kMaxNameChars)
        n = kMaxNameChars;
    std::memcpy(out, name, n);
    out[n] = '\0';
    UpperText(out);
}
