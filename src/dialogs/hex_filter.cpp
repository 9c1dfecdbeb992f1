#include "dialogs/hex_filter.h"

#include <cstring>

#include "table/text_check.h"

int RemoveNonHexChars(char* text)
{
    if (text == nullptr)
        return 0;
    int removed = 0;
    size_t i = 0;
    while (text[i] != '\0') {
        if (IsHexDigit(text[i])) {
            ++i;
            continue;
        }
        // Shift the rest, terminator included, and look at the same place again.
        std::memmove(text + i, text + i + 1, std::strlen(text + i + 1) + 1);
        removed = 1;
    }
    return removed;
}
