#include "afetool/afetool.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/platform_win32.h"
#include "store/file_api_win32.h"
#include "store/flag_file.h"
#include "store/flag_file_win32.h"
#include "store/key_swap_win32.h"
#include "store/registry_api_win32.h"
#include "store/registry_store_win32.h"
#include "table/flag_table.h"

const char kPlatformUsage[] =
    "       afetool export FILE          the stored table to FILE.afe, .reg or .inf\n"
    "       afetool apply FILE.afe       the file's table into the key, as Import and Save\n"
    "       afetool verify FILE.afe      whether the key holds the file's table (exit 0), or what differs\n";

bool WriteOutputFile(const char* path, const char* data, size_t length)
{
    return ReplaceFileWhole(path, data, length);
}

namespace {

void PrintStoreFault(void* err, const StoreFault& fault)
{
    char text[512];
    FormatStoreFault(text, sizeof text, fault);
    PrintMessage(static_cast<std::FILE*>(err), text);
}

StoreReporter StoreMessages(std::FILE* err)
{
    return {PrintStoreFault, err};
}

// A table of its own, zero; free with std::free.
FlagTable* NewTable()
{
    return static_cast<FlagTable*>(std::calloc(1, sizeof(FlagTable)));
}

// The key as the editor's load reads it, or null without memory.
FlagTable* LoadKey(std::FILE* err)
{
    FlagTable* t = NewTable();
    if (t) {
        LoadSkips skips = LoadFlagTable(*t, StoreMessages(err));
        if (AnySkipped(skips)) {
            char text[256];
            FormatLoadSkips(text, sizeof text, skips);
            PrintMessage(err, text);
        }
    }
    return t;
}

// Same applications (names without case, as the save upper-cases them), the
// same versions in the same order with the same five words.
bool SameTable(const FlagTable& a, const FlagTable& b)
{
    if (a.appCount != b.appCount || a.entryCount != b.entryCount)
        return false;
    for (uint16_t i = 0; i < a.appCount; ++i) {
        if (!NamesEqual(a.appNames[i], b.appNames[i]))
            return false;
    }
    for (uint16_t i = 0; i < a.entryCount; ++i) {
        const AppFlagEntry& x = a.entries[i];
        const AppFlagEntry& y = b.entries[i];
        if (x.appIndex != y.appIndex || x.tag != y.tag || x.versionMS != y.versionMS ||
            x.versionLS != y.versionLS || x.flagsLow != y.flagsLow || x.flagsHigh != y.flagsHigh)
            return false;
    }
    return true;
}

int Export(const char* path, std::FILE* out, std::FILE* err)
{
    int written = 0;
    NameRefusal refusal;
    if (HasExtension(path, ".afe"))
        written = ExportFlagFile(path, &refusal);
    else if (HasExtension(path, ".reg"))
        written = ExportRegFile(path, &refusal);
    else if (HasExtension(path, ".inf"))
        written = ExportInfFile(path, &refusal);
    else {
        std::fprintf(err, "afetool: %s: the file must end in .afe, .reg or .inf\n", path);
        return 2;
    }
    if (refusal.kind != NameRefusalKind::None) {
        char text[512];
        FormatNameRefusal(text, sizeof text, "Export doen not complete successfully.", refusal);
        PrintMessage(err, text);
        return 1;
    }
    if (!written) {
        std::fprintf(err, "afetool: Export doen not complete successfully. (%s)\n", path);
        return 1;
    }
    std::fprintf(out, "%s: the stored table written\n", path);
    return 0;
}

// Whether the key now holds `t`; a key that cannot be read holds nothing.
bool KeyHolds(const FlagTable& t, std::FILE* err)
{
    FlagTable* now = LoadKey(err);
    bool same = now && SameTable(t, *now);
    std::free(now);
    return same;
}

// Finishes or undoes a save cut off beside the driver's key and says so;
// false when that cannot be done.
bool RepairKey(std::FILE* err)
{
    RepairResult r = RepairFlagKey();
    if (r.repair == KeyRepair::Finished)
        std::fprintf(err, "afetool: a save had been cut off after its table was written whole; it is now in place\n");
    else if (r.repair == KeyRepair::Undone)
        std::fprintf(err, "afetool: a save had been cut off before its table was in place; the table from before it "
                          "stays\n");
    else if (r.repair == KeyRepair::Failed)
        std::fprintf(err, "afetool: what a cut-off save may have left beside the driver's key cannot be repaired "
                          "(Code=%ld)\n",
                     static_cast<long>(r.code));
    return r.repair != KeyRepair::Failed;
}

int Apply(const char* path, std::FILE* out, std::FILE* err)
{
    // One writer's turn for the whole apply, so that the checks before and
    // after the save read no other writer's table; without one, it fails as
    // the save would.
    HANDLE turn = nullptr;
    LONG waited = TakeWriterTurn(turn);
    if (waited != ERROR_SUCCESS) {
        PrintStoreFault(err, StoreFault{StoreFaultKind::KeyNotCreated, waited, nullptr, StoreProblem::None, nullptr});
        std::fprintf(err, "afetool: nothing was changed\n");
        return 1;
    }
    RepairKey(err);
    FlagTable* table = NewTable();
    FlagTable* before = LoadKey(err);
    NameRefusal refusal;
    int status = 1;
    if (!table || !before) {
        std::fprintf(err, "afetool: not enough memory; nothing was changed\n");
    } else if (!ImportFlagFile(*table, path, &refusal)) {
        if (refusal.kind != NameRefusalKind::None) {
            char text[512];
            FormatNameRefusal(text, sizeof text, "Inport doen not complete successfully.", refusal);
            PrintMessage(err, text);
        } else {
            std::fprintf(err, "afetool: Inport doen not complete successfully. (%s)\n", path);
        }
        std::fprintf(err, "afetool: nothing was changed; afetool check %s says why\n", path);
    } else if (!SaveFlagTable(*table, StoreMessages(err))) {
        if (KeyHolds(*before, err))
            std::fprintf(err, "afetool: nothing was changed\n");
        else
            std::fprintf(err, "afetool: the key was changed but does not hold the table of %s\n", path);
    } else if (!KeyHolds(*table, err)) {
        std::fprintf(err, "afetool: the key does not hold the table of %s after the save\n", path);
    } else {
        std::fprintf(out, "%s: %u applications, %u versions applied\n", path, table->appCount, table->entryCount);
        status = 0;
    }
    std::free(before);
    std::free(table);
    GiveBackWriterTurn(turn);
    return status;
}

// Whether the key holds a table that can be read: it opens, and its
// APPINFO-SIZE and APPINFO read.
bool KeyReadable(std::FILE* err)
{
    HKEY key = nullptr;
    LONG status = OpenFlagKey(&key);
    if (status != ERROR_SUCCESS) {
        std::fprintf(err, "afetool: the driver's key cannot be opened (Code=%ld)\n", static_cast<long>(status));
        return false;
    }
    StoredAppInfo info;
    AppInfoRead read = ReadAppInfo(key, info);
    if (info.text)
        GlobalFree(info.text);
    platform.closeKey(key);
    if (read != AppInfoRead::Done) {
        std::fprintf(err, "afetool: the driver's key holds no table that can be read (Code=%ld)\n",
                     static_cast<long>(info.status));
        return false;
    }
    return true;
}

// The table as the differences report reads it.
DecodedFlagFile* AsDecoded(const FlagTable& t)
{
    DecodedFlagFile* d = static_cast<DecodedFlagFile*>(std::calloc(1, sizeof(DecodedFlagFile)));
    if (!d)
        return nullptr;
    d->appCount = t.appCount;
    d->entryCount = t.entryCount;
    std::memcpy(d->appNames, t.appNames, sizeof t.appNames);
    std::memcpy(d->entries, t.entries, t.entryCount * sizeof(AppFlagEntry));
    return d;
}

// One value that a save of the file writes, and whether the key has it.
struct ExpectedValue {
    char name[kValueNameSize];
    DWORD type;
    const BYTE* data;
    DWORD size;
    bool found;
};

// Every value a save of the file writes, sorted by name for lookups.
struct ExpectedKey {
    SavedForm saved;
    DWORD appInfoSize;
    ExpectedValue values[kMaxEntries + 2];
    size_t count;
};

bool NameBefore(const ExpectedValue& a, const ExpectedValue& b)
{
    return std::strcmp(a.name, b.name) < 0;
}

// The values of the saved form: the version values in the walk's order,
// APPINFO with its terminator and APPINFO-SIZE.
void ListExpectedValues(ExpectedKey& k)
{
    const StoredTable& s = k.saved.table;
    StoredWalk w;
    BeginStoredWalk(w, s.appInfo);
    k.count = 0;
    for (size_t i = 0; NextStoredValue(w, k.values[k.count].name) && i < s.versionCount; ++i) {
        ExpectedValue& v = k.values[k.count++];
        v.type = REG_BINARY;
        v.data = s.versions[i].record;
        v.size = kVersionRecordSize;
    }
    k.appInfoSize = s.appInfoSize;
    k.values[k.count++] = {"", REG_SZ, reinterpret_cast<const BYTE*>(s.appInfo),
                           static_cast<DWORD>(std::strlen(s.appInfo) + 1), false};
    std::strcpy(k.values[k.count - 1].name, kAppInfoValue);
    k.values[k.count++] = {"", REG_DWORD, reinterpret_cast<const BYTE*>(&k.appInfoSize), sizeof k.appInfoSize, false};
    std::strcpy(k.values[k.count - 1].name, kAppInfoSizeValue);
    std::sort(k.values, k.values + k.count, NameBefore);
}

// The expected value of that name as the key compares names, or null.
ExpectedValue* FindExpected(ExpectedKey& k, const char* name)
{
    ExpectedValue wanted;
    if (std::strlen(name) >= sizeof wanted.name)
        return nullptr;
    std::strcpy(wanted.name, name);
    UpperText(wanted.name);
    ExpectedValue* end = k.values + k.count;
    ExpectedValue* at = std::lower_bound(k.values, end, wanted, NameBefore);
    return at != end && std::strcmp(at->name, wanted.name) == 0 ? at : nullptr;
}

const char* TypeName(DWORD type)
{
    switch (type) {
    case REG_SZ: return "REG_SZ";
    case REG_BINARY: return "REG_BINARY";
    case REG_DWORD: return "REG_DWORD";
    default: return "another type";
    }
}

// Reports, if it differs, one value of the key against what the save
// writes; names inside APPINFO are compared in their stored form.
bool ValueDiffers(const ExpectedValue& e, DWORD type, BYTE* data, DWORD size, bool print, std::FILE* out)
{
    if (type == REG_SZ && std::strcmp(e.name, kAppInfoValue) == 0 && size > 0 && data[size - 1] == '\0')
        UpperText(reinterpret_cast<char*>(data));
    if (type == e.type && size == e.size && std::memcmp(data, e.data, size) == 0)
        return false;
    if (print && (type != e.type || size != e.size))
        std::fprintf(out, "value %s: %s of %lu bytes in the key, %s of %lu bytes from the file\n", e.name,
                     TypeName(type), static_cast<unsigned long>(size), TypeName(e.type),
                     static_cast<unsigned long>(e.size));
    else if (print)
        std::fprintf(out, "value %s: other bytes in the key than from the file\n", e.name);
    return true;
}

// The value at `index` of the open key: its name, type and data (a block of
// its own, terminated, to free). One call for a value as short as a version
// value; a longer one (APPINFO) is read again by name.
LONG EnumValueAt(HKEY key, DWORD index, char* name, DWORD nameSize, DWORD& type, BYTE*& data, DWORD& size)
{
    constexpr DWORD kShortValue = 64;
    data = static_cast<BYTE*>(std::malloc(kShortValue + 1));
    if (!data)
        return ERROR_NOT_ENOUGH_MEMORY;
    DWORD nameLength = nameSize;
    size = kShortValue;
    LONG status = platform.enumValue(key, index, name, &nameLength, nullptr, &type, data, &size);
    if (status == ERROR_MORE_DATA) {
        nameLength = nameSize;
        status = platform.enumValue(key, index, name, &nameLength, nullptr, &type, nullptr, &size);
        BYTE* grown = status == ERROR_SUCCESS ? static_cast<BYTE*>(std::realloc(data, size + 1)) : nullptr;
        if (grown)
            data = grown;
        status = !grown ? (status == ERROR_SUCCESS ? ERROR_NOT_ENOUGH_MEMORY : status)
                        : platform.queryValue(key, name, nullptr, &type, data, &size);
    }
    if (status != ERROR_SUCCESS) {
        std::free(data);
        data = nullptr;
        return status;
    }
    data[size] = 0;
    return ERROR_SUCCESS;
}

// Every value of the open key against the expected ones. With `print`
// each difference gets a line; the number of differences, or -1 when the
// key cannot be read through.
int CompareValues(HKEY key, ExpectedKey& k, bool print, std::FILE* out)
{
    // The longest value name the registry allows, and its terminator.
    static char name[16384];
    int differences = 0;
    for (DWORD i = 0;; ++i) {
        DWORD type = 0;
        DWORD size = 0;
        BYTE* data = nullptr;
        LONG status = EnumValueAt(key, i, name, sizeof name, type, data, size);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
            return -1;
        ExpectedValue* e = FindExpected(k, name);
        if (!e) {
            if (print)
                std::fprintf(out, "only in the key: value %s\n", name);
            ++differences;
        } else {
            e->found = true;
            differences += ValueDiffers(*e, type, data, size, print, out) ? 1 : 0;
        }
        std::free(data);
    }
    for (size_t i = 0; i < k.count; ++i) {
        if (k.values[i].found)
            continue;
        if (print)
            std::fprintf(out, "only in the file: value %s\n", k.values[i].name);
        ++differences;
    }
    return differences;
}

// Subkeys: a save leaves none.
int CompareSubkeys(HKEY key, std::FILE* out)
{
    char name[256];
    int differences = 0;
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        LONG status = platform.enumKey(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
            return -1;
        std::fprintf(out, "only in the key: subkey %s\n", name);
        ++differences;
    }
    return differences;
}

// The whole key against what a save of `t` writes: every value, its name
// in the stored form, type and bytes, and no subkey. Each value that
// differs gets a line when `print` (not when the tables' own differences
// were reported already: those values are theirs); subkeys are always
// named. The number of differences, -1 (told on err) when the key cannot
// be read.
int CompareWholeKey(const FlagTable& t, bool print, std::FILE* out, std::FILE* err)
{
    ExpectedKey* k = static_cast<ExpectedKey*>(std::calloc(1, sizeof(ExpectedKey)));
    if (!k) {
        std::fprintf(err, "afetool: not enough memory; nothing compared\n");
        return -1;
    }
    uint16_t app = 0;
    uint16_t twin = 0;
    StoreProblem problem = SavedFormOf(t, k->saved, app, twin);
    HKEY key = nullptr;
    int differences = -1;
    if (problem != StoreProblem::None) {
        char text[512];
        FormatStoreProblem(text, sizeof text, problem, t.appNames[app], t.appNames[twin]);
        PrintMessage(err, text);
    } else if (OpenFlagKey(&key) != ERROR_SUCCESS) {
        std::fprintf(err, "afetool: the driver's key cannot be opened\n");
    } else {
        ListExpectedValues(*k);
        int values = CompareValues(key, *k, print, out);
        int subkeys = values < 0 ? -1 : CompareSubkeys(key, out);
        if (values < 0 || subkeys < 0)
            std::fprintf(err, "afetool: the driver's key cannot be read through\n");
        else
            differences = values + subkeys;
        platform.closeKey(key);
    }
    std::free(k);
    return differences;
}

// On 64-bit Windows a table that a 32-bit regedit or reg import applied
// stands in the 32-bit view (Wow6432Node), which the driver never reads.
void NoteTableInOtherView(std::FILE* out)
{
#ifndef _WIN64
    if (!platform.runsUnderWow64())
        return;
#endif
    HKEY key = nullptr;
    if (platform.openKey(HKEY_LOCAL_MACHINE, kFlagKeyPath, 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    bool hasTable = platform.queryValue(key, kAppInfoValue, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
    platform.closeKey(key);
    if (hasTable)
        std::fprintf(out,
                     "a table stands in the 32-bit registry view (Software\\Wow6432Node\\...), which the driver "
                     "does not read: a 32-bit regedit or reg import put it there; use afetool apply, or the "
                     "64-bit reg import with /reg:64\n");
}

// 0 when the key holds exactly what a save of the file writes, 1 with what
// differs, 2 when either cannot be read or a save cut off beside the key
// cannot be repaired.
int Verify(const char* path, std::FILE* out, std::FILE* err)
{
    if (!RepairKey(err))
        return 2;
    DecodedFlagFile* file = LoadFlagFileArg(path, err);
    if (!file || !KeyReadable(err)) {
        if (file)
            NoteTableInOtherView(out);
        std::free(file);
        return 2;
    }
    FlagTable* fileTable = NewTable();
    FlagTable* keyTable = LoadKey(err);
    DecodedFlagFile* key = keyTable ? AsDecoded(*keyTable) : nullptr;
    int status = 2;
    int differences = -1;
    if (!fileTable || !key) {
        std::fprintf(err, "afetool: not enough memory; nothing compared\n");
    } else {
        ApplyDecodedFlagFile(*file, *fileTable);
        differences = ReportDifferences(*file, *key, "the file", "the key", out, err);
        if (differences == 0 && !SameTable(*fileTable, *keyTable)) {
            std::fprintf(out, "the same versions and flags, in another order or with other tags\n");
            differences = 1;
        }
    }
    int whole = differences < 0 ? -1 : CompareWholeKey(*fileTable, differences == 0, out, err);
    if (differences >= 0 && whole >= 0) {
        if (differences + whole == 0)
            std::fprintf(out, "the key holds the table of %s\n", path);
        else
            NoteTableInOtherView(out);
        status = differences + whole == 0 ? 0 : 1;
    }
    std::free(key);
    std::free(keyTable);
    std::free(fileTable);
    std::free(file);
    return status;
}

}  // namespace

int RunPlatformCommand(const char* command, int argc, char** argv, std::FILE* out, std::FILE* err)
{
    typedef int (*CommandFn)(const char* path, std::FILE* out, std::FILE* err);
    CommandFn run = nullptr;
    if (std::strcmp(command, "export") == 0)
        run = Export;
    else if (std::strcmp(command, "apply") == 0)
        run = Apply;
    else if (std::strcmp(command, "verify") == 0)
        run = Verify;
    if (!run || argc != 3)
        return -1;
    return run(argv[2], out, err);
}
