#include <cstring>

#include "table/flag_table.h"

// Native builds have no CharUpperA: code page 1252, the Windows default
// where these names come from, converted as the system converts it.
void UpperText(char* text)
{
    for (; *text; ++text)
        *text = static_cast<char>(UpperCp1252(static_cast<unsigned char>(*text)));
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
