#include "store/registry_store_win32.h"

#include <cstdio>
#include <cstring>

#include "base/message_box_win32.h"
#include "store/registry_api_win32.h"
#include "store/registry_layout.h"

namespace {

void ShowCodeMessage(HWND owner, const char* format, LONG code)
{
    char text[256];
    std::snprintf(text, sizeof text, format, static_cast<int>(code));
    ShowAppMessage(owner, text);
}

// Reads the version values of one application record into the table from
// entry j on. Returns the new j.
uint16_t LoadVersions(FlagTable& t, HKEY key, const AppInfoRecord& rec, char* nameBuffer, uint16_t app,
                      uint16_t j, HWND owner, HWND versionCombo, FlagBoxes flagBoxes, LoadSkips& skips)
{
    const char* name = t.appNames[app];
    for (int k = 1; k <= rec.count; ++k) {
        if (j >= kMaxEntries) {
            ++skips.entriesOverLimit;
            continue;
        }
        FormatValueName(nameBuffer, kValueNameSize, name, k);
        unsigned char record[kVersionRecordSize] = {};
        DWORD length = sizeof record;
        LONG status = registryApi.queryValue(key, nameBuffer, nullptr, nullptr, record, &length);
        if (status != ERROR_SUCCESS) {
            ShowCodeMessage(owner, "get flag data fail\nCode=%d", status);
            continue;
        }
        if (length < kVersionRecordSize) {
            ++skips.shortValues;
            continue;
        }
        AppFlagEntry& e = t.entries[j];
        e.appIndex = app;
        DecodeVersionRecord(record, e);
        if (app == 0) {
            AppendVersionRow(versionCombo, e);
            if (j == 0)
                ShowFlags(t, 0, flagBoxes);
        }
        ++j;
    }
    return j;
}

// The application records of APPINFO into the table, both lists and the boxes.
uint16_t LoadRecords(FlagTable& t, HKEY key, const char* appInfo, char* nameBuffer, HWND owner, HWND appCombo,
                     HWND versionCombo, FlagBoxes flagBoxes, LoadSkips& skips)
{
    uint16_t i = 0;
    uint16_t j = 0;
    size_t pos = 0;
    AppInfoRecord rec;
    while (NextAppInfoRecord(appInfo, pos, rec)) {
        if (rec.status == RecordStatus::TooShort || rec.status == RecordStatus::BadCount) {
            ++skips.badRecords;
            continue;
        }
        if (rec.status == RecordStatus::NameTooLong) {
            ++skips.longNames;
            continue;
        }
        if (i >= kMaxApps) {
            ++skips.appsOverLimit;
            continue;
        }
        std::memcpy(t.appNames[i], rec.name, rec.nameLength);
        t.appNames[i][rec.nameLength] = '\0';
        InsertAppRow(appCombo, i, t.appNames[i]);
        t.appCount = static_cast<uint16_t>(i + 1);
        j = LoadVersions(t, key, rec, nameBuffer, i, j, owner, versionCombo, flagBoxes, skips);
        ++i;
    }
    return j;
}

}  // namespace

void LoadFlagTable(FlagTable& t, HWND appCombo, HWND versionCombo, FlagBoxes flagBoxes)
{
    HWND owner = GetParent(appCombo);
    ClearTableContents(t);
    SendMessageA(appCombo, CB_RESETCONTENT, 0, 0);
    SendMessageA(versionCombo, CB_RESETCONTENT, 0, 0);
    UncheckAllFlags(flagBoxes);
    t.currentApp = 0;
    t.currentEntry = 0;

    HKEY key = nullptr;
    if (registryApi.openKey(HKEY_LOCAL_MACHINE, kFlagKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;

    uint16_t j = 0;
    LoadSkips skips = {};
    DWORD size = 0;
    DWORD length = sizeof size;
    LONG status = registryApi.queryValue(key, kAppInfoSizeValue, nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&size), &length);
    if (status != ERROR_SUCCESS) {
        ShowCodeMessage(owner, "Get Size fail\nCode=%d", status);
    } else {
        // One byte beyond what is offered to the read keeps the text terminated
        // even when the stored APPINFO lacks its zero.
        HGLOBAL appInfo = size <= 0xFFFFFFF0u ? GlobalAlloc(GPTR, size + 3) : nullptr;
        HGLOBAL nameBuffer = nullptr;
        if (!appInfo) {
            ShowAppMessage(owner, "GlobalAlloc fail");
        } else {
            DWORD appInfoLength = size + 2;
            status = registryApi.queryValue(key, kAppInfoValue, nullptr, nullptr, static_cast<BYTE*>(appInfo),
                                            &appInfoLength);
            if (status != ERROR_SUCCESS)
                ShowCodeMessage(owner, "Get application name fail\nCode=%d", status);
            else if (!(nameBuffer = GlobalAlloc(GPTR, kValueNameSize)))
                ShowAppMessage(owner, "GlobalAlloc fail TmpName");
        }
        if (nameBuffer) {
            j = LoadRecords(t, key, static_cast<const char*>(appInfo), static_cast<char*>(nameBuffer), owner,
                            appCombo, versionCombo, flagBoxes, skips);
            SendMessageA(appCombo, CB_SETCURSEL, 0, 0);
            SendMessageA(versionCombo, CB_SETCURSEL, 0, 0);
            GlobalFree(nameBuffer);
        } else {
            // A failed read leaves nothing loaded.
            t.appCount = 0;
        }
        if (appInfo)
            GlobalFree(appInfo);
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

// Builds APPINFO from the rows, refusing what the stored layout cannot hold.
bool BuildAppInfo(const FlagTable& t, HWND appCombo, HWND owner, char* appInfo, size_t& length)
{
    int rows = static_cast<int>(SendMessageA(appCombo, CB_GETCOUNT, 0, 0));
    length = 0;
    appInfo[0] = '\0';
    for (int r = 0; r < rows; ++r) {
        char name[256];
        StoreProblem problem = StoreProblem::None;
        if (!GetComboRowText(appCombo, r, name, sizeof name))
            problem = StoreProblem::NameTooLong;
        else
            problem = CheckStoredName(name);
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

// Writes the version values of one row; false when any write failed.
bool SaveVersions(const FlagTable& t, HKEY key, HWND appCombo, int row, HWND owner)
{
    bool ok = true;
    char name[kNameSize];
    GetComboRowText(appCombo, row, name, sizeof name);
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

int SaveFlagTable(const FlagTable& t, HWND appCombo)
{
    HWND owner = GetParent(appCombo);
    HGLOBAL buffer = GlobalAlloc(GPTR, kAppInfoBufferSize);
    if (!buffer) {
        ShowAppMessage(owner, "GlobalAlloc fail");
        return 0;
    }
    char* appInfo = static_cast<char*>(buffer);
    size_t length = 0;
    // The key is deleted before it is written, so a table that cannot be
    // stored faithfully is refused while the stored one is still intact.
    if (!BuildAppInfo(t, appCombo, owner, appInfo, length)) {
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
    int rows = static_cast<int>(SendMessageA(appCombo, CB_GETCOUNT, 0, 0));
    for (int r = 0; r < rows; ++r)
        ok = SaveVersions(t, key, appCombo, r, owner) && ok;

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
