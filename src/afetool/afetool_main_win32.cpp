// afetool.exe: the DLL search is narrowed before the tool's own work.
#include <windows.h>

#include <cstdio>

#include "afetool/afetool.h"
#include "base/system_function_win32.h"

int main(int argc, char** argv)
{
    RestrictDllSearch();
    return RunAfeTool(argc, argv, stdout, stderr);
}
