#include "store/flag_file_win32.h"

#include <cstring>

#include "base/platform_win32.h"
#include "store/file_api_win32.h"
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
    // The walk names at most as many values as the table holds entries:
    // room for them all saves a walk to count them.
    size_t count = kMaxEntries;
    if (!(k.versions = GlobalAlloc(GPTR, count * sizeof(StoredVersion))))
        return false;
    StoredVersion* versions = static_cast<StoredVersion*>(k.versions);
    StoredWalk w;
    BeginStoredWalk(w, text);
    char valueName[kValueNameSize];
    size_t read = 0;
    for (; read < count && NextStoredValue(w, valueName); ++read) {
        DWORD n = kVersionRecordSize;
        LONG status = platform.queryValue(key, valueName, nullptr, nullptr, versions[read].record, &n);
        versions[read].present = status == ERROR_SUCCESS && n >= kVersionRecordSize;
    }
    k.table.appInfoSize = info.size;
    k.table.appInfo = text;
    k.table.versions = versions;
    k.table.versionCount = read;
    return true;
}

bool ReadStoredKey(StoredKey& k)
{
    std::memset(&k, 0, sizeof k);
    HKEY key = nullptr;
    if (OpenFlagKey(&key) != ERROR_SUCCESS)
        return false;
    bool ok = ReadKeyValues(key, k);
    platform.closeKey(key);
    if (!ok)
        FreeStoredKey(k);
    return ok;
}

// The longest line a version value gets in any export: the .reg file's
// value name, quoted and escaped, and its 20 bytes folded over two lines.
constexpr size_t kLongestExportLine = 2 * kValueNameSize + 100;

// An encoder measures with no buffer and says whether the file is complete.
typedef size_t (*EncodeFn)(const StoredTable& s, char* out, size_t cap, int* complete);

// The stored key read whole, encoded, then put in place of the file: 1 when
// the file was written and is complete.
int ExportStoredKey(const char* path, EncodeFn encode, NameRefusal* refusal)
{
    if (refusal)
        refusal->kind = NameRefusalKind::None;
    StoredKey k;
    if (!ReadStoredKey(k))
        return 0;
    HGLOBAL work = GlobalAlloc(GMEM_FIXED, sizeof(StoredNames));
    NameRefusal refused;
    bool refuse = !work || RefuseStoredNames(k.table.appInfo, *static_cast<StoredNames*>(work), refused);
    if (work)
        GlobalFree(work);
    if (refuse) {
        if (work && refusal)
            *refusal = refused;
        FreeStoredKey(k);
        return 0;
    }
    // Encoded once into room for the longest lines every format writes;
    // only a list longer than any the walk foresees needs a second pass.
    int complete = 0;
    size_t room = std::strlen(k.table.appInfo) * 2 + 256 + k.table.versionCount * kLongestExportLine;
    HGLOBAL buffer = GlobalAlloc(GMEM_FIXED, room + 1);
    size_t length = buffer ? encode(k.table, static_cast<char*>(buffer), room, &complete) : 0;
    if (buffer && length > room) {
        GlobalFree(buffer);
        buffer = GlobalAlloc(GMEM_FIXED, length + 1);
        if (buffer)
            encode(k.table, static_cast<char*>(buffer), length, &complete);
    }
    int result = 0;
    if (buffer && length > 0) {
        // A missed version value still leaves every other line in the file.
        if (ReplaceFileWhole(path, static_cast<const char*>(buffer), length) && complete)
            result = 1;
    }
    if (buffer)
        GlobalFree(buffer);
    FreeStoredKey(k);
    return result;
}

// The INF section is complete with its count line, whatever it numbers.
size_t EncodeWholeInf(const StoredTable& s, char* out, size_t cap, int* complete)
{
    *complete = 1;
    return EncodeInfFile(s, out, cap, nullptr);
}

}  // namespace

int ExportFlagFile(const char* path, NameRefusal* refusal)
{
    return ExportStoredKey(path, EncodeFlagFile, refusal);
}

int ExportInfFile(const char* path, NameRefusal* refusal)
{
    return ExportStoredKey(path, EncodeWholeInf, refusal);
}

int ExportRegFile(const char* path, NameRefusal* refusal)
{
    return ExportStoredKey(path, EncodeRegFile, refusal);
}

int ImportFlagFile(FlagTable& t, const char* path, NameRefusal* refusal)
{
    if (refusal)
        refusal->kind = NameRefusalKind::None;
    DWORD length = 0;
    // One byte beyond the longest valid file tells a longer one, which the
    // decoder refuses, without reading a huge file whole.
    HGLOBAL data = ReadFileStart(path, kMaxFlagFileBytes + 1, length);
    if (!data)
        return 0;
    int result = 0;
    HGLOBAL decoded = GlobalAlloc(GPTR, sizeof(DecodedFlagFile));
    if (decoded) {
        DecodedFlagFile& d = *static_cast<DecodedFlagFile*>(decoded);
        FlagFileError error = DecodeFlagFile(static_cast<const char*>(data), length, d);
        if (error == FlagFileError::None) {
            ApplyDecodedFlagFile(d, t);
            result = 1;
        } else if (error == FlagFileError::NameCaseTwins && refusal) {
            refusal->kind = NameRefusalKind::CaseTwins;
            std::memcpy(refusal->name, d.appNames[d.twinFirst], kNameSize);
            std::memcpy(refusal->other, d.appNames[d.twinSecond], kNameSize);
        }
        GlobalFree(decoded);
    }
    GlobalFree(data);
    return result;
}
