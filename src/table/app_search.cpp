#include "table/app_search.h"

#include <cstring>

namespace {

// `folded`, already folded, occurs in `name`.
bool Contains(const char* name, const unsigned char* folded, size_t length, const unsigned char* fold)
{
    const unsigned char* n = reinterpret_cast<const unsigned char*>(name);
    for (; *n; ++n) {
        if (fold[*n] != folded[0])
            continue;
        size_t k = 1;
        while (k < length && n[k] && fold[n[k]] == folded[k])
            ++k;
        if (k == length)
            return true;
    }
    return false;
}

}  // namespace

int FindNextApplication(const FlagTable& t, uint16_t from, const char* text)
{
    size_t length = std::strlen(text);
    // No name is longer than kMaxNameChars.
    if (length == 0 || length > kMaxNameChars || t.appCount == 0)
        return -1;
    const unsigned char* fold = NameCaseFolding();
    unsigned char folded[kNameSize];
    for (size_t k = 0; k < length; ++k)
        folded[k] = fold[static_cast<unsigned char>(text[k])];
    const unsigned n = t.appCount;
    unsigned app = from < n ? from : n - 1;
    for (unsigned step = 0; step < n; ++step) {
        app = app + 1 < n ? app + 1 : 0;
        if (Contains(t.appNames[app], folded, length, fold))
            return static_cast<int>(app);
    }
    return -1;
}
