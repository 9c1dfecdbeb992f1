#include "store/key_swap_win32.h"

#include "base/platform_win32.h"
#include "store/registry_api_win32.h"
#include "store/registry_layout.h"

const char kWriterTurnName[] = "Global\\Kavix ZOLT APPFLAG writer";
const char kFreshKeyName[] = "ZOLTDriver.new";
const char kEarlierKeyName[] = "ZOLTDriver.old";

namespace {

// A second writer waits this long for the first; a full table takes well
// under a second to save.
constexpr DWORD kTurnWaitMs = 5000;

int Fail(const StoreReporter& reporter, LONG code)
{
    reporter.report(reporter.context, StoreFault{StoreFaultKind::KeyNotCreated, code, nullptr, StoreProblem::None, nullptr});
    return 0;
}

LONG OpenSubkey(HKEY parent, const char* name, HKEY* key)
{
    return platform.openKey(parent, name, 0, FlagKeyAccess(), key);
}

LONG CreateSubkey(HKEY parent, const char* name, HKEY* key)
{
    char emptyClass[] = "";
    DWORD disposition = 0;
    return platform.createKey(parent, name, 0, emptyClass, REG_OPTION_NON_VOLATILE, FlagKeyAccess(), nullptr, key,
                              &disposition);
}

// Whether the subkey exists; another status when that cannot be told.
LONG Look(HKEY parent, const char* name, bool& exists)
{
    HKEY key = nullptr;
    LONG status = OpenSubkey(parent, name, &key);
    exists = status == ERROR_SUCCESS;
    if (exists)
        platform.closeKey(key);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

LONG DeleteSubkey(HKEY parent, const char* name)
{
    if (!platform.runsUnderWow64())
        return platform.deleteKey(parent, name);
    if (!platform.deleteKeyEx)
        return ERROR_CALL_NOT_IMPLEMENTED;
    return platform.deleteKeyEx(parent, name, KEY_WOW64_64KEY, 0);
}

// The subkey and everything under it, as Windows 98's RegDeleteKeyA removes
// a key; Windows NT removes only a key without subkeys. Subkeys go first, so
// a failure leaves the key's own values as they were.
LONG DeleteWhole(HKEY parent, const char* name)
{
    HKEY key = nullptr;
    LONG status = OpenSubkey(parent, name, &key);
    if (status != ERROR_SUCCESS)
        return status;
    char subkey[256];  // a key name has at most 255 characters
    do {
        DWORD length = sizeof subkey;
        status = platform.enumKey(key, 0, subkey, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS)
            status = DeleteWhole(key, subkey);
    } while (status == ERROR_SUCCESS);
    platform.closeKey(key);
    return status == ERROR_NO_MORE_ITEMS ? DeleteSubkey(parent, name) : status;
}

// RegRenameKey takes wide names; ours are ASCII.
LONG Rename(HKEY parent, const char* from, const char* to)
{
    WCHAR wide[2][32];
    const char* names[2] = {from, to};
    for (int n = 0; n < 2; ++n) {
        int i = 0;
        for (; names[n][i] && i < 31; ++i)
            wide[n][i] = static_cast<WCHAR>(names[n][i]);
        wide[n][i] = 0;
    }
    return platform.renameKey(parent, wide[0], wide[1]);
}

// A save writes the fresh key whole, then renames the key to the earlier
// key's name and the fresh key to the key's, then removes the earlier key:
// whatever a cut-off leaves, the fresh key is whole once the key has been
// renamed.
RepairResult RepairUnder(HKEY parent)
{
    bool live = false, fresh = false, earlier = false;
    LONG status = Look(parent, kFlagKeyName, live);
    if (status == ERROR_SUCCESS)
        status = Look(parent, kFreshKeyName, fresh);
    if (status == ERROR_SUCCESS)
        status = Look(parent, kEarlierKeyName, earlier);
    if (status != ERROR_SUCCESS)
        return {KeyRepair::Failed, status};
    if (!fresh && !earlier)
        return {KeyRepair::None, 0};
    KeyRepair repair = KeyRepair::Undone;
    if (!live && fresh && earlier) {
        status = Rename(parent, kFreshKeyName, kFlagKeyName);
        fresh = false;
        repair = KeyRepair::Finished;
    } else if (!live && earlier) {
        status = Rename(parent, kEarlierKeyName, kFlagKeyName);
        earlier = false;
    } else if (!fresh) {
        repair = KeyRepair::Finished;  // cut off before the earlier key was removed
    }
    if (status == ERROR_SUCCESS && fresh)
        status = DeleteWhole(parent, kFreshKeyName);
    if (status == ERROR_SUCCESS && earlier)
        status = DeleteWhole(parent, kEarlierKeyName);
    if (status != ERROR_SUCCESS)
        return {KeyRepair::Failed, status};
    return {repair, 0};
}

// The fresh key written, then swapped in. The key is missing only between
// the two renames; a cut-off there is repaired. An earlier key that cannot
// be removed whole goes back in place of the new one, again with the key
// missing between two calls only. (Renaming the new key away instead would
// trip Wine, which loses a key's neighbour when it renames the key to a
// name that sorts right after its own.)
int SwapIn(HKEY parent, TableWriter write, void* context, const StoreReporter& reporter)
{
    RepairResult repaired = RepairUnder(parent);
    if (repaired.repair == KeyRepair::Failed)
        return Fail(reporter, repaired.code);
    HKEY key = nullptr;
    LONG status = CreateSubkey(parent, kFreshKeyName, &key);
    if (status != ERROR_SUCCESS)
        return Fail(reporter, status);
    bool written = write(key, context);
    platform.closeKey(key);
    if (!written) {
        DeleteWhole(parent, kFreshKeyName);
        return 0;
    }
    status = Rename(parent, kFlagKeyName, kEarlierKeyName);
    bool hadEarlier = status == ERROR_SUCCESS;
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND)
        status = Rename(parent, kFreshKeyName, kFlagKeyName);
    if (status == ERROR_SUCCESS) {
        status = hadEarlier ? DeleteWhole(parent, kEarlierKeyName) : ERROR_SUCCESS;
        if (status == ERROR_SUCCESS)
            return 1;
        DeleteWhole(parent, kFlagKeyName);
    } else {
        DeleteWhole(parent, kFreshKeyName);
    }
    if (hadEarlier)
        Rename(parent, kEarlierKeyName, kFlagKeyName);
    return Fail(reporter, status);
}

// Without renames: the key removed whole, created again and written.
int Rewrite(HKEY parent, TableWriter write, void* context, const StoreReporter& reporter)
{
    LONG status = DeleteWhole(parent, kFlagKeyName);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        return Fail(reporter, status);
    HKEY key = nullptr;
    status = CreateSubkey(parent, kFlagKeyName, &key);
    if (status != ERROR_SUCCESS)
        return Fail(reporter, status);
    bool written = write(key, context);
    platform.closeKey(key);
    return written ? 1 : 0;
}

}  // namespace

// The writers' turn is a named mutex, which Windows 98 has too, in the
// global namespace so that a startup script in session 0 and an editor on
// the desktop share it. Only administrators and services may create it
// there, and an account that finds it made by another may only wait on it.
// A process that can do neither (it cannot write the key either), and
// Windows without that namespace, take the name in this session.
LONG TakeWriterTurn(HANDLE& turn)
{
    turn = platform.createMutex(nullptr, FALSE, kWriterTurnName);
    if (!turn && GetLastError() == ERROR_ACCESS_DENIED)
        turn = platform.openMutex(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kWriterTurnName);
    if (!turn)
        turn = platform.createMutex(nullptr, FALSE, kWriterTurnName + 7);
    if (!turn)
        return static_cast<LONG>(GetLastError());
    DWORD waited = platform.waitForObject(turn, kTurnWaitMs);
    // Abandoned: the writer before ended in the middle; the repair tidies up.
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED)
        return ERROR_SUCCESS;
    LONG code = waited == WAIT_TIMEOUT ? static_cast<LONG>(WAIT_TIMEOUT) : static_cast<LONG>(GetLastError());
    platform.closeHandle(turn);
    turn = nullptr;
    return code;
}

void GiveBackWriterTurn(HANDLE turn)
{
    platform.releaseMutex(turn);
    platform.closeHandle(turn);
}

int ReplaceFlagKey(TableWriter write, void* context, const StoreReporter& reporter)
{
    HANDLE turn = nullptr;
    LONG status = TakeWriterTurn(turn);
    if (status != ERROR_SUCCESS)
        return Fail(reporter, status);
    HKEY parent = nullptr;
    status = CreateSubkey(HKEY_LOCAL_MACHINE, kFlagParentPath, &parent);
    int result = 0;
    if (status != ERROR_SUCCESS) {
        Fail(reporter, status);
    } else {
        result = platform.renameKey ? SwapIn(parent, write, context, reporter)
                                    : Rewrite(parent, write, context, reporter);
        platform.closeKey(parent);
    }
    GiveBackWriterTurn(turn);
    return result;
}

RepairResult RepairFlagKey()
{
    // Without renames no save leaves anything beside the key.
    if (!platform.renameKey)
        return {KeyRepair::None, 0};
    HANDLE turn = nullptr;
    LONG status = TakeWriterTurn(turn);
    if (status != ERROR_SUCCESS)
        return {KeyRepair::Failed, status};
    HKEY parent = nullptr;
    status = OpenSubkey(HKEY_LOCAL_MACHINE, kFlagParentPath, &parent);
    RepairResult result = {KeyRepair::None, 0};
    if (status == ERROR_SUCCESS) {
        result = RepairUnder(parent);
        platform.closeKey(parent);
    } else if (status != ERROR_FILE_NOT_FOUND) {
        result = {KeyRepair::Failed, status};
    }
    GiveBackWriterTurn(turn);
    return result;
}
