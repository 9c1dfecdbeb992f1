#include "stored_key_win32.h"

#include <gtest/gtest.h>

#include <cstring>

#include "store/registry_layout.h"

std::ostream& operator<<(std::ostream& os, const StoredValue& v)
{
    os << "type " << v.type << ", " << v.data.size() << " bytes:";
    for (unsigned char c : v.data)
        os << ' ' << static_cast<int>(c);
    return os;
}

REGSAM testView = 0;

KeyContents ReadKey()
{
    KeyContents out;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFlagKeyPath, 0, KEY_READ | testView, &key) != ERROR_SUCCESS)
        return out;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameLength = sizeof name;
        std::vector<unsigned char> data(65536);
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data.data(), &dataLength) != ERROR_SUCCESS)
            break;
        data.resize(dataLength);
        out[name] = StoredValue{type, data};
    }
    RegCloseKey(key);
    return out;
}

const StoredValue* FindValue(const KeyContents& key, const std::string& name)
{
    auto it = key.find(name);
    return it == key.end() ? nullptr : &it->second;
}

void PutValue(const char* name, DWORD type, const void* data, DWORD length)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFlagKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS | testView, nullptr,
                              &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), length));
    RegCloseKey(key);
}

void PutAppInfo(const char* text, DWORD size)
{
    PutValue(kAppInfoValue, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
    PutValue(kAppInfoSizeValue, REG_DWORD, &size, sizeof size);
}

void PutVersion(const char* valueName, uint32_t tag, uint32_t ms, uint32_t ls, uint32_t low, uint32_t high)
{
    AppFlagEntry e = {0, tag, ms, ls, low, high};
    unsigned char bytes[kVersionRecordSize];
    EncodeVersionRecord(e, bytes);
    PutValue(valueName, REG_BINARY, bytes, sizeof bytes);
}

LONG failCode = 0;
std::string failOn;

static bool FailsFor(LPCSTR name)
{
    return failOn.empty() || (name && std::strstr(name, failOn.c_str()));
}

LONG WINAPI FailingQuery(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD length)
{
    if (FailsFor(name))
        return failCode;
    return RegQueryValueExA(key, name, reserved, type, data, length);
}

LONG WINAPI FailingSet(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD length)
{
    if (FailsFor(name))
        return failCode;
    return RegSetValueExA(key, name, reserved, type, data, length);
}

LONG WINAPI FailingOpen(HKEY, LPCSTR, DWORD, REGSAM, PHKEY)
{
    return failCode;
}

LONG WINAPI FailingCreate(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD)
{
    return failCode;
}
