#include "stored_key_win32.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

const char kParentPath[] = "Software\\Kavix\\ZOLT\\APPFLAG";
const char kKeyPath[] = "Software\\Kavix\\ZOLT\\APPFLAG\\ZOLTDriver";

void PutWord(std::vector<unsigned char>& out, uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<unsigned char>(v >> shift));
}

StoredValue Bytes(DWORD type, const void* data, size_t length)
{
    const unsigned char* p = static_cast<const unsigned char*>(data);
    return StoredValue{type, std::vector<unsigned char>(p, p + length)};
}

bool SetValue(HKEY key, const std::string& name, const StoredValue& v)
{
    return RegSetValueExA(key, name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size())) ==
           ERROR_SUCCESS;
}

void DeleteTree(HKEY parent, const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS | testView, &key) != ERROR_SUCCESS)
        return;
    char sub[256];
    DWORD n;
    while ((n = sizeof sub, RegEnumKeyExA(key, 0, sub, &n, nullptr, nullptr, nullptr, nullptr)) == ERROR_SUCCESS)
        DeleteTree(key, sub);
    RegCloseKey(key);
    RegDeleteKeyA(parent, name);
}

}  // namespace

uint32_t StoredValue::Word(size_t i) const
{
    uint32_t w = 0;
    for (size_t b = 0; b < 4 && 4 * i + b < data.size(); ++b)
        w |= static_cast<uint32_t>(data[4 * i + b]) << (8 * b);
    return w;
}

std::ostream& operator<<(std::ostream& os, const StoredValue& v)
{
    os << "type " << v.type << ", " << v.data.size() << " bytes:";
    if (v.type == REG_SZ)
        return os << " \"" << std::string(v.data.begin(), v.data.end()).c_str() << "\"";
    char hex[4];
    for (unsigned char c : v.data) {
        std::snprintf(hex, sizeof hex, " %02X", c);
        os << hex;
    }
    return os;
}

std::ostream& operator<<(std::ostream& os, const KeyContents& key)
{
    for (const auto& v : key)
        os << "\n  \"" << v.first << "\" (" << v.second << ")";
    return os;
}

REGSAM testView = 0;

KeyContents ReadKey()
{
    KeyContents out;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ | testView, &key) != ERROR_SUCCESS)
        return out;
    std::vector<unsigned char> data(1 << 18);  // APPINFO of the full capacity too
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD nameLength = sizeof name;
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data.data(), &dataLength) != ERROR_SUCCESS)
            break;
        out[name] = Bytes(type, data.data(), dataLength);
    }
    RegCloseKey(key);
    return out;
}

bool KeyExists()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ | testView, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

const StoredValue* FindValue(const KeyContents& key, const std::string& name)
{
    auto it = key.find(name);
    return it == key.end() ? nullptr : &it->second;
}

KeyContents KeyForTable(const TestApp* apps, int appCount, bool namesAsGiven)
{
    KeyContents key;
    std::string appInfo;
    for (int a = 0; a < appCount; ++a) {
        std::string name = apps[a].name;
        if (!namesAsGiven)
            for (char& c : name)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        for (int k = 0; k < apps[a].versionCount; ++k) {
            const TestVersion& tv = apps[a].versions[k];
            char valueName[128];
            std::snprintf(valueName, sizeof valueName, "APP-%s-%02d", name.c_str(), k + 1);
            StoredValue& v = key[valueName];
            v.type = REG_BINARY;
            for (uint32_t w : {tv.tag, tv.versionMS, tv.versionLS, tv.flagsLow, tv.flagsHigh})
                PutWord(v.data, w);
        }
        char count[8];
        std::snprintf(count, sizeof count, "%02d", apps[a].versionCount);
        appInfo += count + name + ";";
    }
    key["APPINFO"] = Bytes(REG_SZ, appInfo.c_str(), appInfo.size() + 1);
    PutWord(key["APPINFO-SIZE"].data, static_cast<uint32_t>(2 * (appInfo.size() + 1)));
    key["APPINFO-SIZE"].type = REG_DWORD;
    return key;
}

::testing::AssertionResult KeyHolds(const KeyContents& expected)
{
    if (!KeyExists())
        return ::testing::AssertionFailure() << "the key " << kKeyPath << " does not exist";
    KeyContents stored = ReadKey();
    if (stored == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the key holds:" << stored << "\nexpected:" << expected;
}

void PutValue(const char* name, DWORD type, const void* data, DWORD length)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS | testView, nullptr, &key, nullptr));
    EXPECT_TRUE(SetValue(key, name, Bytes(type, data, length))) << name;
    RegCloseKey(key);
}

void WriteKey(const KeyContents& contents)
{
    DeleteTree(HKEY_LOCAL_MACHINE, kKeyPath);
    ASSERT_FALSE(KeyExists());
    for (const auto& v : contents)
        PutValue(v.first.c_str(), v.second.type, v.second.data.data(), static_cast<DWORD>(v.second.data.size()));
}

HKEY CreateSubkey(const char* name)
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kKeyPath) + "\\" + name).c_str(), 0, nullptr, 0,
                    KEY_ALL_ACCESS | testView, nullptr, &key, nullptr);
    return key;
}

void PutAppInfo(const char* text, DWORD size)
{
    PutValue("APPINFO", REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
    PutValue("APPINFO-SIZE", REG_DWORD, &size, sizeof size);
}

void PutVersion(const char* valueName, uint32_t tag, uint32_t ms, uint32_t ls, uint32_t low, uint32_t high)
{
    StoredValue v{REG_BINARY, {}};
    for (uint32_t w : {tag, ms, ls, low, high})
        PutWord(v.data, w);
    PutValue(valueName, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
}

bool DeleteStoredValue(const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_ALL_ACCESS | testView, &key) != ERROR_SUCCESS)
        return false;
    bool ok = RegDeleteValueA(key, name) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

int WriteTestTable(const TestApp* apps, int appCount)
{
    if (!DeleteTestTable())
        return 0;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS | testView, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return 0;
    int ok = 1;
    for (const auto& v : KeyForTable(apps, appCount, true))
        ok = SetValue(key, v.first, v.second) && ok;
    RegCloseKey(key);
    return ok;
}

int DeleteTestTable(void)
{
    LONG status = RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKeyPath);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? 1 : 0;
}

std::vector<std::string> KeysBesideTable()
{
    std::vector<std::string> names;
    HKEY parent = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kParentPath, 0, KEY_READ | testView, &parent) != ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof name;
        if (RegEnumKeyExA(parent, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (lstrcmpiA(name, "ZOLTDriver") != 0)
            names.push_back(name);
    }
    RegCloseKey(parent);
    return names;
}

void DeleteAppFlagTree()
{
    DeleteTree(HKEY_LOCAL_MACHINE, kParentPath);
}

::testing::AssertionResult HoldsOneOf(const KeyContents& a, const KeyContents& b, bool repaired)
{
    std::vector<std::string> beside = KeysBesideTable();
    if (!repaired && !KeyExists() && beside.size() == 2)
        return ::testing::AssertionSuccess();
    KeyContents k = ReadKey();
    if (k != a && k != b)
        return ::testing::AssertionFailure() << "the key holds part of a table (" << k.size() << " values)";
    if (repaired && !beside.empty())
        return ::testing::AssertionFailure() << beside[0] << " is left beside the key";
    return ::testing::AssertionSuccess();
}
