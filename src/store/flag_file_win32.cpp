#include "store/flag_file_win32.h"

#include <cstring>

#include "store/flag_file.h"
#include "store/registry_api_win32.h"
#include "store/registry_layout.h"
#include "store/registry_store_win32.h"

namespace {

// What an export read from the key, in global blocks that FreeStoredKey
// releases on every path.
struct StoredKey {
    HGLOBAL appInfo;
    HGLOBAL versions;
    StoredTable table;
};

void FreeStoredKey(StoredKey& k)
{
    if (k.versions)
        GlobalFree(k.versions);
    if (k.appInfo)
        GlobalFree(k.appInfo);
    std::memset(&k, 0, sizeof k);
}

// APPINFO-SIZE, APPINFO and every version value the walk names.
bool ReadKeyValues(HKEY key, StoredKey& k)
{
    StoredAppInfo info;
    if (ReadAppInfo(key, info) != AppInfoRead::Done)
        return false;
    k.appInfo = info.text;

    const char* text = static_cast<const char*>(k.appInfo);
    size_t count = CountStoredValues(text);
    if (!(k.versions = GlobalAlloc(GPTR, (count ? count : 1) * sizeof(StoredVersion))))
        return false;
    StoredVersion* versions = static_cast<StoredVersion*>(k.versions);
    StoredWalk w;
    BeginStoredWalk(w, text);
    char valueName[kValueNameSize];
    for (size_t i = 0; i < count && NextStoredValue(w, valueName); ++i) {
        DWORD n = kVersionRecordSize;
        LONG status = registryApi.queryValue(key, valueName, nullptr, nullptr, versions[i].record, &n);
        versions[i].present = status == ERROR_SUCCESS && n >= kVersionRecordSize;
    }
    k.table.appInfoSize = info.size;
    k.table.appInfo = text;
    k.table.versions = versions;
    k.table.versionCount = count;
    return true;
}

bool ReadStoredKey(StoredKey& k)
{
    std::memset(&k, 0, sizeof k);
    HKEY key = nullptr;
    if (registryApi.openKey(HKEY_LOCAL_MACHINE, kFlagKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return false;
    bool ok = ReadKeyValues(key, k);
    registryApi.closeKey(key);
    if (!ok)
        FreeStoredKey(k);
    return ok;
}

// Creates the file anew and writes all of data; false on any failure.
bool WriteWholeFile(const char* path, const char* data, size_t length)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = length == 0 ||
              (WriteFile(file, data, static_cast<DWORD>(length), &written, nullptr) && written == length);
    if (!CloseHandle(file))
        ok = false;
    return ok;
}

// The file's bytes, at most as many as the longest valid file has: nothing
// beyond them is looked at, so a huge file is not read whole. A short read
// is a failure.
HGLOBAL ReadWholeFile(const char* path, DWORD& length)
{
    length = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    HGLOBAL data = nullptr;
    if (size != 0xFFFFFFFFu || GetLastError() == NO_ERROR) {
        DWORD want = (high != 0 || size > kMaxFlagFileBytes) ? static_cast<DWORD>(kMaxFlagFileBytes) : size;
        data = GlobalAlloc(GPTR, want + 1);
        DWORD read = 0;
        if (data && !(ReadFile(file, data, want, &read, nullptr) && read == want)) {
            GlobalFree(data);
            data = nullptr;
        }
        if (data)
            length = want;
    }
    CloseHandle(file);
    return data;
}

// Encodes the stored table with `encode` and writes the file: 1 when the
// file was written whole and the encoder called the table complete.
template <typename Encode>
int ExportStoredTable(const char* path, Encode encode)
{
    StoredKey k;
    if (!ReadStoredKey(k))
        return 0;
    bool complete = false;
    size_t length = encode(k.table, nullptr, 0, complete);
    HGLOBAL buffer = GlobalAlloc(GPTR, length + 1);
    int result = 0;
    if (buffer) {
        encode(k.table, static_cast<char*>(buffer), length, complete);
        // A missed version value still leaves every other line in the file.
        if (WriteWholeFile(path, static_cast<const char*>(buffer), length) && complete)
            result = 1;
        GlobalFree(buffer);
    }
    FreeStoredKey(k);
    return result;
}

}  // namespace

int ExportFlagFile(const char* path)
{
    return ExportStoredTable(path, [](const StoredTable& table, char* out, size_t cap, bool& complete) {
        int whole = 0;
        size_t length = EncodeFlagFile(table, out, cap, &whole);
        complete = whole != 0;
        return length;
    });
}

// The INF section is complete once it is written to its "NumItems" line.
int ExportInfFile(const char* path)
{
    return ExportStoredTable(path, [](const StoredTable& table, char* out, size_t cap, bool& complete) {
        complete = true;
        return EncodeInfFile(table, out, cap, nullptr);
    });
}

int ImportFlagFile(FlagTable& t, const char* path)
{
    DWORD length = 0;
    HGLOBAL data = ReadWholeFile(path, length);
    if (!data)
        return 0;
    int result = 0;
    HGLOBAL decoded = GlobalAlloc(GPTR, sizeof(DecodedFlagFile));
    if (decoded) {
        DecodedFlagFile& d = *static_cast<DecodedFlagFile*>(decoded);
        if (DecodeFlagFile(static_cast<const char*>(data), length, d) == FlagFileError::None) {
            ApplyDecodedFlagFile(d, t);
            result = 1;
        }
        GlobalFree(decoded);
    }
    GlobalFree(data);
    return result;
}
