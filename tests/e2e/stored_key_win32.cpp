#include "stored_key_win32.h"

#include <stdio.h>

#include <algorithm>
#include <cctype>

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

namespace {

const char kKey[] = "Software\\Kavix\\ZOLT\\APPFLAG\\ZOLTDriver";

void PutWord(std::vector<unsigned char>& out, uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<unsigned char>(v >> shift));
}

std::string Upper(const char* name)
{
    std::string s(name);
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Describe(const StoredValue& v)
{
    char head[64];
    snprintf(head, sizeof head, " (type %lu, %u bytes:", static_cast<unsigned long>(v.type),
             static_cast<unsigned>(v.data.size()));
    std::string s = "\"" + v.name + "\"" + head;
    if (v.type == REG_SZ) {
        s += " \"";
        for (unsigned char c : v.data)
            if (c)
                s += static_cast<char>(c);
        s += "\"";
    } else {
        for (unsigned char c : v.data) {
            char hex[4];
            snprintf(hex, sizeof hex, " %02X", c);
            s += hex;
        }
    }
    return s + ")";
}

bool ByName(const StoredValue& a, const StoredValue& b)
{
    return a.name < b.name;
}

}  // namespace

bool ReadStoredKey(std::vector<StoredValue>& values)
{
    values.clear();
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD nameLength = sizeof name;
        unsigned char data[4096];
        DWORD dataLength = sizeof data;
        StoredValue v;
        LONG status = RegEnumValueA(key, i, name, &nameLength, nullptr, &v.type, data, &dataLength);
        if (status != ERROR_SUCCESS)
            break;
        v.name.assign(name, nameLength);
        v.data.assign(data, data + dataLength);
        values.push_back(v);
    }
    RegCloseKey(key);
    std::sort(values.begin(), values.end(), ByName);
    return true;
}

std::vector<StoredValue> KeyForTable(const TestApp* apps, int appCount, bool namesAsGiven)
{
    std::vector<StoredValue> values;
    std::string appInfo;
    for (int a = 0; a < appCount; ++a) {
        std::string name = namesAsGiven ? std::string(apps[a].name) : Upper(apps[a].name);
        for (int k = 0; k < apps[a].versionCount; ++k) {
            const TestVersion& tv = apps[a].versions[k];
            StoredValue v;
            char valueName[128];
            snprintf(valueName, sizeof valueName, "APP-%s-%02d", name.c_str(), k + 1);
            v.name = valueName;
            v.type = REG_BINARY;
            PutWord(v.data, 1);
            PutWord(v.data, tv.versionMS);
            PutWord(v.data, tv.versionLS);
            PutWord(v.data, tv.flagsLow);
            PutWord(v.data, tv.flagsHigh);
            values.push_back(v);
        }
        char count[8];
        snprintf(count, sizeof count, "%02d", apps[a].versionCount);
        appInfo += count + name + ";";
    }
    StoredValue info;
    info.name = "APPINFO";
    info.type = REG_SZ;
    info.data.assign(appInfo.begin(), appInfo.end());
    info.data.push_back(0);
    values.push_back(info);
    StoredValue size;
    size.name = "APPINFO-SIZE";
    size.type = REG_DWORD;
    PutWord(size.data, static_cast<uint32_t>(2 * (appInfo.size() + 1)));
    values.push_back(size);
    std::sort(values.begin(), values.end(), ByName);
    return values;
}

AssertionResult KeyHolds(const std::vector<StoredValue>& expected)
{
    std::vector<StoredValue> stored;
    if (!ReadStoredKey(stored))
        return AssertionFailure() << "the key " << kKey << " does not exist";
    std::string wrong;
    for (const StoredValue& e : expected) {
        auto found = std::find_if(stored.begin(), stored.end(), [&](const StoredValue& s) { return s.name == e.name; });
        if (found == stored.end())
            wrong += "\n  missing " + Describe(e);
        else if (found->type != e.type || found->data != e.data)
            wrong += "\n  " + Describe(*found) + ", expected" + Describe(e).substr(e.name.size() + 2);
    }
    for (const StoredValue& s : stored) {
        bool known = std::any_of(expected.begin(), expected.end(), [&](const StoredValue& e) { return e.name == s.name; });
        if (!known)
            wrong += "\n  unexpected " + Describe(s);
    }
    if (wrong.empty())
        return AssertionSuccess();
    return AssertionFailure() << "the key differs:" << wrong;
}

int AddStoredValue(const char* name, DWORD data)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    LONG status = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}
