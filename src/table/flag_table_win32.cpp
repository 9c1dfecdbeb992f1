#include "table/flag_table_win32.h"

#include <windows.h>

void AppRowName(char* out, const char* name)
{
    lstrcpynA(out, name, kNameSize);
    CharUpperA(out);
}
