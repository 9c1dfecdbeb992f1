#include "afetool/afetool.h"

// Exporting and applying need the registry of Windows.
const char kPlatformUsage[] = "";

int RunPlatformCommand(const char*, int, char**, std::FILE*, std::FILE*)
{
    return -1;
}
