#include <windows.h>

#include "table/flag_table.h"

namespace {

// In a single-byte code page every byte converts on its own, so the
// system's conversion of each byte, asked once, converts any text as
// CharUpperA would, without a call per name. A double-byte code page
// (Japanese, Chinese, Korean) converts whole texts: a trail byte is no
// letter; its table leaves lead bytes alone, for NameCaseFolding.
struct UpperTable {
    bool made;
    bool singleByte;
    unsigned char upper[256];
};

// Made at the first conversion. A plain flag, not a guarded local static:
// the program runs on one thread, and the guard would import what
// Windows 98 lacks.
UpperTable upperTable;

UpperTable SystemUpperTable()
{
    UpperTable t = {};
    t.made = true;
    CPINFO info = {};
    t.singleByte = GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1;
    for (int c = 0; c < 256; ++c)
        t.upper[c] = static_cast<unsigned char>(c);
    if (t.singleByte) {
        CharUpperBuffA(reinterpret_cast<char*>(t.upper + 1), 255);
        return t;
    }
    for (int c = 1; c < 256; ++c) {
        if (!IsDBCSLeadByte(static_cast<BYTE>(c)))
            CharUpperBuffA(reinterpret_cast<char*>(t.upper + c), 1);
    }
    return t;
}

const UpperTable& Upper()
{
    if (!upperTable.made)
        upperTable = SystemUpperTable();
    return upperTable;
}

}  // namespace

const unsigned char* NameCaseFolding()
{
    return Upper().upper;
}

void UpperText(char* text)
{
    const UpperTable& t = Upper();
    if (!t.singleByte) {
        CharUpperA(text);
        return;
    }
    for (; *text; ++text)
        *text = static_cast<char>(t.upper[static_cast<unsigned char>(*text)]);
}

// Rows of the application list are upper case on every platform: Wine's
// combo box does not convert inserted rows as CBS_UPPERCASE promises, so
// the rows are converted here, as the save converts the names it stores.
void AppRowName(char* out, const char* name)
{
    lstrcpynA(out, name, kNameSize);
    UpperText(out);
}
