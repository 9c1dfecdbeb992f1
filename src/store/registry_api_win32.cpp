#include "store/registry_api_win32.h"

#include "base/system_function_win32.h"
#include "store/registry_layout.h"

namespace {

// The 64-bit build is in the 64-bit view already: it never runs under WOW64.
// The 32-bit exe asks the system, where the system can be asked.
bool SystemRunsUnderWow64()
{
#ifdef _WIN64
    return false;
#else
    typedef BOOL(WINAPI * IsWow64ProcessFn)(HANDLE, PBOOL);
    IsWow64ProcessFn isWow64 = SystemFunction<IsWow64ProcessFn>("kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64 != nullptr && isWow64(GetCurrentProcess(), &wow64) && wow64;
#endif
}

typedef LONG(WINAPI* DeleteKeyExFn)(HKEY, LPCSTR, REGSAM, DWORD);

}  // namespace

const RegistryApi kSystemRegistryApi = {
    RegOpenKeyExA,
    RegQueryValueExA,
    RegDeleteKeyA,
    RegCreateKeyExA,
    RegSetValueExA,
    RegCloseKey,
    SystemFunction<DeleteKeyExFn>("advapi32.dll", "RegDeleteKeyExA"),
    SystemRunsUnderWow64,
};

RegistryApi registryApi = kSystemRegistryApi;

const char kCannotDeleteFlagKeyText[] =
    "This Windows cannot empty the driver's registry key\n"
    "(RegDeleteKeyExA is missing), so the table cannot be saved.\n"
    "Nothing was changed.";

REGSAM FlagKeyAccess()
{
    return registryApi.runsUnderWow64() ? KEY_ALL_ACCESS | KEY_WOW64_64KEY : KEY_ALL_ACCESS;
}

bool CanDeleteFlagKey()
{
    return !registryApi.runsUnderWow64() || registryApi.deleteKeyEx != nullptr;
}

LONG OpenFlagKey(HKEY* key)
{
    return registryApi.openKey(HKEY_LOCAL_MACHINE, kFlagKeyPath, 0, FlagKeyAccess(), key);
}

LONG CreateFlagKey(HKEY* key, DWORD* disposition)
{
    char emptyClass[] = "";
    return registryApi.createKey(HKEY_LOCAL_MACHINE, kFlagKeyPath, 0, emptyClass, REG_OPTION_NON_VOLATILE,
                                 FlagKeyAccess(), nullptr, key, disposition);
}

LONG DeleteFlagKey()
{
    if (!registryApi.runsUnderWow64())
        return registryApi.deleteKey(HKEY_LOCAL_MACHINE, kFlagKeyPath);
    if (registryApi.deleteKeyEx == nullptr)
        return ERROR_CALL_NOT_IMPLEMENTED;
    return registryApi.deleteKeyEx(HKEY_LOCAL_MACHINE, kFlagKeyPath, KEY_WOW64_64KEY, 0);
}
