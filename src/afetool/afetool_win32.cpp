#include "afetool/afetool.h"

#include <windows.h>

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

// The messages the editor shows in boxes go to standard error, one line each.
void PrintMessage(std::FILE* err, const char* text)
{
    std::fprintf(err, "afetool: ");
    for (const char* c = text; *c; ++c)
        std::fputc(*c == '\n' ? ' ' : *c, err);
    std::fputc('\n', err);
}

void PrintStoreFault(void* err, const StoreFault& fault)
{
    char text[256];
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
    char uncarried[kNameSize] = "";
    if (HasExtension(path, ".afe"))
        written = ExportFlagFile(path, uncarried);
    else if (HasExtension(path, ".reg"))
        written = ExportRegFile(path, uncarried);
    else if (HasExtension(path, ".inf"))
        written = ExportInfFile(path, uncarried);
    else {
        std::fprintf(err, "afetool: %s: the file must end in .afe, .reg or .inf\n", path);
        return 2;
    }
    if (uncarried[0]) {
        char text[512];
        FormatUncarriedName(text, sizeof text, uncarried);
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
        PrintStoreFault(err, StoreFault{StoreFaultKind::KeyNotCreated, waited, nullptr, StoreProblem::None});
        std::fprintf(err, "afetool: nothing was changed\n");
        return 1;
    }
    RepairKey(err);
    FlagTable* table = NewTable();
    FlagTable* before = LoadKey(err);
    int status = 1;
    if (!table || !before) {
        std::fprintf(err, "afetool: not enough memory; nothing was changed\n");
    } else if (!ImportFlagFile(*table, path)) {
        std::fprintf(err, "afetool: Inport doen not complete successfully. (%s)\n", path);
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

// 0 when the key holds the file's table, 1 with what differs, 2 when either
// cannot be read or a save cut off beside the key cannot be repaired.
int Verify(const char* path, std::FILE* out, std::FILE* err)
{
    if (!RepairKey(err))
        return 2;
    DecodedFlagFile* file = LoadFlagFileArg(path, err);
    if (!file || !KeyReadable(err)) {
        std::free(file);
        return 2;
    }
    FlagTable* fileTable = NewTable();
    FlagTable* keyTable = LoadKey(err);
    DecodedFlagFile* key = keyTable ? AsDecoded(*keyTable) : nullptr;
    int status = 2;
    if (!fileTable || !key) {
        std::fprintf(err, "afetool: not enough memory; nothing compared\n");
    } else {
        ApplyDecodedFlagFile(*file, *fileTable);
        int differences = ReportDifferences(*file, *key, "the file", "the key", out);
        if (differences == 0 && !SameTable(*fileTable, *keyTable)) {
            std::fprintf(out, "the same versions and flags, in another order or with other tags\n");
            differences = 1;
        }
        if (differences == 0)
            std::fprintf(out, "the key holds the table of %s\n", path);
        status = differences == 0 ? 0 : 1;
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
