#include "store/registry_api_win32.h"

const RegistryApi kSystemRegistryApi = {
    RegOpenKeyExA, RegQueryValueExA, RegDeleteKeyA, RegCreateKeyExA, RegSetValueExA, RegCloseKey,
};

RegistryApi registryApi = kSystemRegistryApi;
