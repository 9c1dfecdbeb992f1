/* Imports winspool.drv the ordinary way, so one planted beside it is loaded. */
#include <windows.h>

int main(void)
{
    DWORD needed = 0, returned = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 2, NULL, 0, &needed, &returned);
    return 0;
}
