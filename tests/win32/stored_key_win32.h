// The flag table's registry key as the Windows tests see it: read whole,
// and written value by value, independently of the program's own code.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

struct StoredValue {
    DWORD type;
    std::vector<unsigned char> data;
    bool operator==(const StoredValue& o) const { return type == o.type && data == o.data; }
};

std::ostream& operator<<(std::ostream& os, const StoredValue& v);

using KeyContents = std::map<std::string, StoredValue>;

// The registry view ReadKey and PutValue use (KEY_WOW64_64KEY or
// KEY_WOW64_32KEY); 0, the process's own, unless a test says otherwise.
extern REGSAM testView;

// Every value of the key by name; empty when the key is absent.
KeyContents ReadKey();
const StoredValue* FindValue(const KeyContents& key, const std::string& name);
void PutValue(const char* name, DWORD type, const void* data, DWORD length);
// APPINFO with its terminator, and APPINFO-SIZE.
void PutAppInfo(const char* text, DWORD size);
void PutVersion(const char* valueName, uint32_t tag, uint32_t ms, uint32_t ls, uint32_t low, uint32_t high);

// Registry calls that fail with failCode for value names containing failOn
// (every name when failOn is empty), for tests to put into registryApi.
extern LONG failCode;
extern std::string failOn;
LONG WINAPI FailingQuery(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD length);
LONG WINAPI FailingSet(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD length);
LONG WINAPI FailingOpen(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
LONG WINAPI FailingCreate(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD);
