#include "base/res_text_win32.h"

const char* LoadResString(UINT id, char* buffer, int size)
{
    buffer[0] = '\0';
    LoadStringA(GetModuleHandleA(nullptr), id, buffer, size);
    return buffer;
}
