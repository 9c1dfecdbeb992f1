#include "store/registry_api_win32.h"

#include "base/platform_win32.h"
#include "store/registry_layout.h"

REGSAM FlagKeyAccess()
{
    return platform.runsUnderWow64() ? KEY_ALL_ACCESS | KEY_WOW64_64KEY : KEY_ALL_ACCESS;
}

bool CanDeleteFlagKey()
{
    return !platform.runsUnderWow64() || platform.deleteKeyEx != nullptr;
}

LONG OpenFlagKey(HKEY* key)
{
    return platform.openKey(HKEY_LOCAL_MACHINE, kFlagKeyPath, 0, FlagKeyAccess(), key);
}
