// Moves the whole flag table between the driver's registry key and the
// table in memory. Neither operation touches a control: the display puts a
// loaded table into the lists and boxes.
#pragma once

#include <windows.h>

#include "store/registry_layout.h"
#include "store/store_fault.h"
#include "table/flag_table.h"

// Rebuilds the table's contents from the key; the selection is the
// caller's (SelectLoadedTable). Each failure goes to `reporter` as it happens; a key that
// cannot be opened is no failure (an empty table). Returns what the table
// or the layout could not hold and the load passed over.
LoadSkips LoadFlagTable(FlagTable& t, const StoreReporter& reporter);
// Replaces the key's contents with the table, the names upper case as the
// application list shows them: whole and at once where Windows can rename a
// key (ReplaceFlagKey). Each failure goes to `reporter` as it happens; 1
// when every write succeeded.
int SaveFlagTable(const FlagTable& t, const StoreReporter& reporter);

// What of APPINFO-SIZE and APPINFO could be read from an open key.
enum class AppInfoRead { Done, SizeFailed, NoMemory, ListFailed };

// APPINFO-SIZE and APPINFO of an open key, as the load and the exports read
// them. On Done, text is a global block of size + 3 bytes holding APPINFO,
// terminated even when the stored one lacks its zero; the caller frees it.
// status is the failed registry call's code.
struct StoredAppInfo {
    DWORD size;
    HGLOBAL text;
    LONG status;
};
AppInfoRead ReadAppInfo(HKEY key, StoredAppInfo& info);
