#include <windows.h>

#include "table/flag_table.h"

int NamesEqual(const char* a, const char* b)
{
    return lstrcmpiA(a, b) == 0;
}
