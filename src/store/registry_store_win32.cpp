#include "store/registry_store_win32.h"

#include <cstring>

#include "base/platform_win32.h"
#include "store/key_swap_win32.h"
#include "store/registry_api_win32.h"

namespace {

void Report(const StoreReporter& r, StoreFaultKind kind, LONG code = 0, const char* name = nullptr,
            StoreProblem problem = StoreProblem::None, const char* other = nullptr)
{
    r.report(r.context, StoreFault{kind, code, name, problem, other});
}

// Reads the current application's version values into the table from
// entry j on. Returns the new j.
uint16_t LoadVersions(FlagTable& t, HKEY key, StoredWalk& w, char* nameBuffer, uint16_t app, uint16_t j,
                      const StoreReporter& reporter)
{
    while (NextVersionOfApp(w, nameBuffer)) {
        unsigned char record[kVersionRecordSize] = {};
        DWORD length = sizeof record;
        LONG status = platform.queryValue(key, nameBuffer, nullptr, nullptr, record, &length);
        if (status != ERROR_SUCCESS || length < kVersionRecordSize) {
            if (status != ERROR_SUCCESS)
                Report(reporter, StoreFaultKind::VersionUnreadable, status, nameBuffer);
            else
                ++w.skips.shortValues;
            PassOverValue(w);
            continue;
        }
        AppFlagEntry& e = t.entries[j];
        e.appIndex = app;
        DecodeVersionRecord(record, e);
        ++j;
    }
    return j;
}

// The application records of APPINFO into the table; returns the entry count.
uint16_t LoadRecords(FlagTable& t, HKEY key, const char* appInfo, char* nameBuffer, const StoreReporter& reporter,
                     LoadSkips& skips)
{
    StoredWalk w;
    BeginStoredWalk(w, appInfo);
    uint16_t j = 0;
    while (NextStoredApp(w)) {
        uint16_t i = static_cast<uint16_t>(w.apps - 1);
        std::memcpy(t.appNames[i], w.name, kNameSize);
        t.appCount = w.apps;
        j = LoadVersions(t, key, w, nameBuffer, i, j, reporter);
    }
    skips = w.skips;
    return j;
}

}  // namespace

AppInfoRead ReadAppInfo(HKEY key, StoredAppInfo& info)
{
    info = StoredAppInfo{};
    DWORD length = sizeof info.size;
    info.status = platform.queryValue(key, kAppInfoSizeValue, nullptr, nullptr,
                                      reinterpret_cast<BYTE*>(&info.size), &length);
    if (info.status != ERROR_SUCCESS)
        return AppInfoRead::SizeFailed;
    // One byte beyond what is offered to the read keeps the text terminated
    // even when the stored APPINFO lacks its zero.
    info.text = info.size <= 0xFFFFFFF0u ? GlobalAlloc(GPTR, info.size + 3) : nullptr;
    if (!info.text)
        return AppInfoRead::NoMemory;
    DWORD textLength = info.size + 2;
    info.status = platform.queryValue(key, kAppInfoValue, nullptr, nullptr, static_cast<BYTE*>(info.text),
                                      &textLength);
    if (info.status != ERROR_SUCCESS) {
        GlobalFree(info.text);
        info.text = nullptr;
        return AppInfoRead::ListFailed;
    }
    return AppInfoRead::Done;
}

LoadSkips LoadFlagTable(FlagTable& t, const StoreReporter& reporter)
{
    ClearTableContents(t);

    LoadSkips skips = {};
    HKEY key = nullptr;
    if (OpenFlagKey(&key) != ERROR_SUCCESS)
        return skips;

    uint16_t j = 0;
    StoredAppInfo info;
    switch (ReadAppInfo(key, info)) {
    case AppInfoRead::SizeFailed:
        Report(reporter, StoreFaultKind::SizeUnreadable, info.status, kAppInfoSizeValue);
        break;
    case AppInfoRead::NoMemory:
        Report(reporter, StoreFaultKind::NoMemory);
        break;
    case AppInfoRead::ListFailed:
        Report(reporter, StoreFaultKind::ListUnreadable, info.status, kAppInfoValue);
        break;
    case AppInfoRead::Done:
        if (HGLOBAL nameBuffer = GlobalAlloc(GPTR, kValueNameSize)) {
            j = LoadRecords(t, key, static_cast<const char*>(info.text), static_cast<char*>(nameBuffer), reporter,
                            skips);
            GlobalFree(nameBuffer);
        } else {
            Report(reporter, StoreFaultKind::NoNameMemory);
        }
        GlobalFree(info.text);
        break;
    }
    t.entryCount = j;
    platform.closeKey(key);
    return skips;
}

namespace {

// Builds APPINFO from the table's names, upper case as the list shows them,
// and the groups' counts, refusing what the stored layout cannot hold.
bool BuildAppInfo(const FlagTable& t, const EntriesByApp& groups, FoldedNames& work, const StoreReporter& reporter,
                  char* appInfo, size_t& length)
{
    uint16_t app = 0;
    uint16_t twin = 0;
    StoreProblem problem = BuildStoredAppInfo(t, groups, work, appInfo, kAppInfoBufferSize, length, app, twin);
    if (problem == StoreProblem::None)
        return true;
    char name[kNameSize];
    AppRowName(name, t.appNames[app]);
    if (problem == StoreProblem::NameCaseTwins)
        Report(reporter, StoreFaultKind::Unstorable, 0, t.appNames[app], problem, t.appNames[twin]);
    else
        Report(reporter, StoreFaultKind::Unstorable, 0, name, problem);
    return false;
}

// Writes the version values, record by record of the APPINFO just built:
// its names are the rows' and its counts the groups'. False when any write
// failed.
bool SaveVersions(const FlagTable& t, const EntriesByApp& groups, HKEY key, const char* appInfo,
                  const StoreReporter& reporter)
{
    bool ok = true;
    size_t pos = 0;
    AppInfoRecord rec;
    for (int r = 0; NextAppInfoRecord(appInfo, pos, rec); ++r) {
        char name[kNameSize];
        std::memcpy(name, rec.name, rec.nameLength);
        name[rec.nameLength] = '\0';
        for (int k = 0; k < rec.count; ++k) {
            char valueName[kValueNameSize];
            FormatValueName(valueName, sizeof valueName, name, k + 1);
            unsigned char record[kVersionRecordSize];
            EncodeVersionRecord(t.entries[groups.order[groups.first[r] + k]], record);
            LONG status = platform.setValue(key, valueName, 0, REG_BINARY, record, sizeof record);
            if (status != ERROR_SUCCESS) {
                Report(reporter, StoreFaultKind::VersionNotWritten, status, valueName);
                ok = false;
            }
        }
    }
    return ok;
}

// What the save writes into the fresh key.
struct TableValues {
    const FlagTable* table;
    const EntriesByApp* groups;
    const char* appInfo;
    size_t length;
    const StoreReporter* reporter;
};

// Every version value, then APPINFO, then APPINFO-SIZE; false when any
// write failed.
bool WriteTableValues(HKEY key, void* context)
{
    const TableValues& v = *static_cast<const TableValues*>(context);
    const StoreReporter& reporter = *v.reporter;
    bool ok = SaveVersions(*v.table, *v.groups, key, v.appInfo, reporter);

    LONG status = platform.setValue(key, kAppInfoValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.appInfo),
                                    static_cast<DWORD>(v.length + 1));
    if (status != ERROR_SUCCESS) {
        Report(reporter, StoreFaultKind::ListNotWritten, status, kAppInfoValue);
        ok = false;
    }
    DWORD size = AppInfoSizeFor(v.length);
    status = platform.setValue(key, kAppInfoSizeValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&size),
                               sizeof size);
    if (status != ERROR_SUCCESS) {
        Report(reporter, StoreFaultKind::SizeNotWritten, status, kAppInfoSizeValue);
        ok = false;
    }
    return ok;
}

}  // namespace

int SaveFlagTable(const FlagTable& t, const StoreReporter& reporter)
{
    HGLOBAL buffer = GlobalAlloc(GPTR, kAppInfoBufferSize + sizeof(EntriesByApp) + sizeof(FoldedNames));
    if (!buffer) {
        Report(reporter, StoreFaultKind::NoMemory);
        return 0;
    }
    char* appInfo = static_cast<char*>(buffer);
    // One pass over the entries instead of one per application. The groups
    // and the names' work space follow the work buffer in the same block
    // (its size and theirs keep them aligned).
    EntriesByApp& groups = *reinterpret_cast<EntriesByApp*>(appInfo + kAppInfoBufferSize);
    FoldedNames& work = *reinterpret_cast<FoldedNames*>(appInfo + kAppInfoBufferSize + sizeof(EntriesByApp));
    GroupEntriesByApp(t, groups);
    size_t length = 0;
    // Refused before anything is written, while the stored table is intact.
    if (!BuildAppInfo(t, groups, work, reporter, appInfo, length)) {
        GlobalFree(buffer);
        return 0;
    }

    // Writing into a key that could not be emptied would leave stale values.
    if (!CanDeleteFlagKey()) {
        Report(reporter, StoreFaultKind::KeyNotEmptiable);
        GlobalFree(buffer);
        return 0;
    }

    TableValues values = {&t, &groups, appInfo, length, &reporter};
    int result = ReplaceFlagKey(WriteTableValues, &values, reporter);
    GlobalFree(buffer);
    return result;
}
