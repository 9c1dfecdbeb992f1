#include "store/registry_store_win32.h"

#include <cstdio>
#include <cstring>

#include "base/message_box_win32.h"
#include "table/flag_table_win32.h"
#include "store/registry_api_win32.h"
#include "store/registry_layout.h"

namespace {

void ShowCodeMessage(HWND owner, const char* format, LONG code)
{
    char text[256];
    std::snprintf(text, sizeof text, format, static_cast<int>(code));
    ShowAppMessage(owner, text);
}

// Reads the current application's version values into the table from
// entry j on. Returns the new j.
uint16_t LoadVersions(FlagTable& t, HKEY key, StoredWalk& w, char* nameBuffer, uint16_t app, uint16_t j,
                      HWND owner)
{
    while (NextVersionOfApp(w, nameBuffer)) {
        unsigned char record[kVersionRecordSize] = {};
        DWORD length = sizeof record;
        LONG status = registryApi.queryValue(key, nameBuffer, nullptr, nullptr, record, &length);
        if (status != ERROR_SUCCESS || length < kVersionRecordSize) {
            if (status != ERROR_SUCCESS)
                ShowCodeMessage(owner, "get flag data fail\nCode=%d", status);
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
uint16_t LoadRecords(FlagTable& t, HKEY key, const char* appInfo, char* nameBuffer, HWND owner, LoadSkips& skips)
{
    StoredWalk w;
    BeginStoredWalk(w, appInfo);
    uint16_t j = 0;
    while (NextStoredApp(w)) {
        uint16_t i = static_cast<uint16_t>(w.apps - 1);
        std::memcpy(t.appNames[i], w.name, kNameSize);
        t.appCount = w.apps;
        j = LoadVersions(t, key, w, nameBuffer, i, j, owner);
    }
    skips = w.skips;
    return j;
}

}  // namespace

AppInfoRead ReadAppInfo(HKEY key, StoredAppInfo& info)
{
    info = StoredAppInfo{};
    DWORD length = sizeof info.size;
    info.status = registryApi.queryValue(key, kAppInfoSizeValue, nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&info.size), &length);
    if (info.status != ERROR_SUCCESS)
        return AppInfoRead::SizeFailed;
    // One byte beyond what is offered to the read keeps the text terminated
    // even when the stored APPINFO lacks its zero.
    info.text = info.size <= 0xFFFFFFF0u ? GlobalAlloc(GPTR, info.size + 3) : nullptr;
    if (!info.text)
        return AppInfoRead::NoMemory;
    DWORD textLength = info.size + 2;
    info.status = registryApi.queryValue(key, kAppInfoValue, nullptr, nullptr, static_cast<BYTE*>(info.text),
                                         &textLength);
    if (info.status != ERROR_SUCCESS) {
        GlobalFree(info.text);
        info.text = nullptr;
        return AppInfoRead::ListFailed;
    }
    return AppInfoRead::Done;
}

void LoadFlagTable(FlagTable& t, HWND owner)
{
    ClearTableContents(t);
    t.currentApp = 0;
    t.currentEntry = 0;

    HKEY key = nullptr;
    if (registryApi.openKey(HKEY_LOCAL_MACHINE, kFlagKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;

    uint16_t j = 0;
    LoadSkips skips = {};
    StoredAppInfo info;
    switch (ReadAppInfo(key, info)) {
    case AppInfoRead::SizeFailed:
        ShowCodeMessage(owner, "Get Size fail\nCode=%d", info.status);
        break;
    case AppInfoRead::NoMemory:
        ShowAppMessage(owner, "GlobalAlloc fail");
        break;
    case AppInfoRead::ListFailed:
        ShowCodeMessage(owner, "Get application name fail\nCode=%d", info.status);
        break;
    case AppInfoRead::Done:
        if (HGLOBAL nameBuffer = GlobalAlloc(GPTR, kValueNameSize)) {
            j = LoadRecords(t, key, static_cast<const char*>(info.text), static_cast<char*>(nameBuffer), owner,
                            skips);
            GlobalFree(nameBuffer);
        } else {
            ShowAppMessage(owner, "GlobalAlloc fail TmpName");
        }
        GlobalFree(info.text);
        break;
    }
    t.entryCount = j;
    t.currentEntry = 0;
    registryApi.closeKey(key);

    if (AnySkipped(skips)) {
        char text[256];
        FormatLoadSkips(text, sizeof text, skips);
        ShowAppMessage(owner, text);
    }
}

namespace {

// Builds APPINFO from the table, refusing what the stored layout cannot hold.
bool BuildAppInfo(const FlagTable& t, HWND owner, char* appInfo, size_t& length)
{
    length = 0;
    appInfo[0] = '\0';
    for (uint16_t r = 0; r < t.appCount; ++r) {
        char name[kNameSize];
        AppRowName(name, t.appNames[r]);
        StoreProblem problem = CheckStoredName(name);
        int count = CountVersions(t, static_cast<uint16_t>(r));
        if (problem == StoreProblem::None && count > kMaxVersionsPerApp)
            problem = StoreProblem::TooManyVersions;
        if (problem == StoreProblem::None && !AppendAppInfoRecord(appInfo, kAppInfoBufferSize, length, count, name))
            problem = StoreProblem::AppInfoTooLong;
        if (problem != StoreProblem::None) {
            char text[256];
            FormatStoreProblem(text, sizeof text, problem, name);
            ShowAppMessage(owner, text);
            return false;
        }
    }
    return true;
}

// Writes the version values of one application; false when any write failed.
bool SaveVersions(const FlagTable& t, HKEY key, uint16_t row, HWND owner)
{
    bool ok = true;
    char name[kNameSize];
    AppRowName(name, t.appNames[row]);
    int ordinal = 0;
    for (uint16_t i = 0; i < t.entryCount; ++i) {
        if (t.entries[i].appIndex != row)
            continue;
        char valueName[kValueNameSize];
        FormatValueName(valueName, sizeof valueName, name, ++ordinal);
        unsigned char record[kVersionRecordSize];
        EncodeVersionRecord(t.entries[i], record);
        LONG status = registryApi.setValue(key, valueName, 0, REG_BINARY, record, sizeof record);
        if (status != ERROR_SUCCESS) {
            ShowCodeMessage(owner, "SetPrinterData fail(binary)\nCode=%d", status);
            ok = false;
        }
    }
    return ok;
}

}  // namespace

int SaveFlagTable(const FlagTable& t, HWND owner)
{
    HGLOBAL buffer = GlobalAlloc(GPTR, kAppInfoBufferSize);
    if (!buffer) {
        ShowAppMessage(owner, "GlobalAlloc fail");
        return 0;
    }
    char* appInfo = static_cast<char*>(buffer);
    size_t length = 0;
    // The key is deleted before it is written, so a table that cannot be
    // stored faithfully is refused while the stored one is still intact.
    if (!BuildAppInfo(t, owner, appInfo, length)) {
        GlobalFree(buffer);
        return 0;
    }

    registryApi.deleteKey(HKEY_LOCAL_MACHINE, kFlagKeyPath);
    HKEY key = nullptr;
    DWORD disposition = 0;
    char emptyClass[] = "";
    LONG status = registryApi.createKey(HKEY_LOCAL_MACHINE, kFlagKeyPath, 0, emptyClass, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &key, &disposition);
    if (status != ERROR_SUCCESS) {
        ShowCodeMessage(owner, "Open Printer fail\nCode=%d", status);
        GlobalFree(buffer);
        return 0;
    }

    bool ok = true;
    for (uint16_t r = 0; r < t.appCount; ++r)
        ok = SaveVersions(t, key, r, owner) && ok;

    status = registryApi.setValue(key, kAppInfoValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(appInfo),
                                  static_cast<DWORD>(length + 1));
    if (status != ERROR_SUCCESS) {
        ShowCodeMessage(owner, "SetPrinterData fail(sz)\nCode=%d", status);
        ok = false;
    }
    DWORD size = AppInfoSizeFor(length);
    status = registryApi.setValue(key, kAppInfoSizeValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&size),
                                  sizeof size);
    if (status != ERROR_SUCCESS) {
        ShowCodeMessage(owner, "SetPrinterData fail(dword)\nCode=%d", status);
        ok = false;
    }
    registryApi.closeKey(key);
    GlobalFree(buffer);
    return ok ? 1 : 0;
}
