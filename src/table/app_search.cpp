#include "table/app_search.h"

#include <cstring>

namespace {

using PairSet = uint32_t[4];

void AddPair(PairSet& set, unsigned a, unsigned b)
{
    uint32_t bit = ((a << 8 | b) * 2654435761u) >> 25;
    set[bit >> 5] |= 1u << (bit & 31);
}

// The pairs of a name, folded as it is read.
void PairsOfName(PairSet& set, const char* name, const unsigned char* fold)
{
    std::memset(set, 0, sizeof set);
    const unsigned char* n = reinterpret_cast<const unsigned char*>(name);
    for (; n[0] && n[1]; ++n)
        AddPair(set, fold[n[0]], fold[n[1]]);
}

bool HoldsPairs(const PairSet& name, const PairSet& text)
{
    return (name[0] & text[0]) == text[0] && (name[1] & text[1]) == text[1] && (name[2] & text[2]) == text[2] &&
           (name[3] & text[3]) == text[3];
}

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

void IndexApplications(AppSearchIndex& index, const FlagTable& t)
{
    const unsigned char* fold = NameCaseFolding();
    index.table = &t;
    index.appRowsChanges = t.appRowsChanges;
    index.appCount = t.appCount;
    for (unsigned app = 0; app < t.appCount && app < kMaxApps; ++app)
        PairsOfName(index.pairs[app], t.appNames[app], fold);
}

int FindNextApplication(const FlagTable& t, uint16_t from, const char* text, AppSearchIndex& index)
{
    size_t length = std::strlen(text);
    // No name is longer than kMaxNameChars.
    if (length == 0 || length > kMaxNameChars || t.appCount == 0)
        return -1;
    const unsigned char* fold = NameCaseFolding();
    unsigned char folded[kNameSize] = {};
    for (size_t k = 0; k < length; ++k)
        folded[k] = fold[static_cast<unsigned char>(text[k])];
    if (index.table != &t || index.appRowsChanges != t.appRowsChanges || index.appCount != t.appCount)
        IndexApplications(index, t);
    PairSet wanted;
    PairsOfName(wanted, reinterpret_cast<const char*>(folded), fold);
    const unsigned n = t.appCount;
    unsigned app = from < n ? from : n - 1;
    for (unsigned step = 0; step < n; ++step) {
        app = app + 1 < n ? app + 1 : 0;
        if (HoldsPairs(index.pairs[app], wanted) && Contains(t.appNames[app], folded, length, fold))
            return static_cast<int>(app);
    }
    return -1;
}
