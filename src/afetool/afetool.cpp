#include "afetool/afetool.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "afetool/afe_check.h"
#include "store/flag_file.h"

// Plain C++ without the library's containers: the 32-bit afetool.exe then
// needs nothing that Windows 98 lacks.

namespace {

const char kUsage[] =
    "usage: afetool check FILE.afe       every problem of the file, with its line\n"
    "       afetool show FILE.afe        applications, versions and the flags set\n"
    "       afetool diff A.afe B.afe     what differs between two tables\n"
    "       afetool convert IN.afe OUT   OUT.reg (regedit /s) or OUT.inf\n";

// A whole file in a block of its own (terminated); free with std::free.
struct FileBytes {
    char* data;
    size_t length;
};

// Every command reads what the editor's Import reads: a file longer than
// any flag file is refused, not read in part.
bool ReadFileBytes(const char* path, FileBytes& bytes, std::FILE* err)
{
    bytes = {nullptr, 0};
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        std::fprintf(err, "afetool: cannot open %s\n", path);
        return false;
    }
    // One byte more than the longest flag file tells a longer one.
    const size_t capacity = kMaxFlagFileBytes + 1;
    bytes.data = static_cast<char*>(std::malloc(capacity + 1));
    bool ok = bytes.data != nullptr;
    if (!ok) {
        std::fprintf(err, "afetool: not enough memory for %s\n", path);
    } else {
        bytes.length = std::fread(bytes.data, 1, capacity, f);
        if (std::ferror(f)) {
            std::fprintf(err, "afetool: cannot read %s\n", path);
            ok = false;
        } else if (bytes.length > kMaxFlagFileBytes) {
            std::fprintf(err, "afetool: %s is larger than any flag file (at most %lu bytes)\n", path,
                         static_cast<unsigned long>(kMaxFlagFileBytes));
            ok = false;
        }
    }
    std::fclose(f);
    if (!ok) {
        std::free(bytes.data);
        bytes = {nullptr, 0};
        return false;
    }
    bytes.data[bytes.length] = '\0';
    return true;
}

struct ProblemSink {
    const char* path;
    std::FILE* err;
};

void PrintProblem(void* context, size_t line, const char* reason)
{
    const ProblemSink& sink = *static_cast<const ProblemSink*>(context);
    std::fprintf(sink.err, "%s:%lu: %s\n", sink.path, static_cast<unsigned long>(line), reason);
}

// A file the editor can import, decoded into a block of its own (free with
// std::free); null, with the reasons told, when it is not one.
DecodedFlagFile* Decode(const char* path, const FileBytes& bytes, std::FILE* err)
{
    DecodedFlagFile* d = static_cast<DecodedFlagFile*>(std::calloc(1, sizeof(DecodedFlagFile)));
    if (!d) {
        std::fprintf(err, "afetool: not enough memory for %s\n", path);
        return nullptr;
    }
    if (DecodeFlagFile(bytes.data, bytes.length, *d) == FlagFileError::None)
        return d;
    std::free(d);
    std::fprintf(err, "afetool: %s is not a flag file the editor can read:\n", path);
    ProblemSink sink = {path, err};
    CheckFlagFileText(bytes.data, bytes.length, PrintProblem, &sink);
    return nullptr;
}


// "01 05 64" into out (kFlagCount * 3 + 1 bytes), or "none".
void FlagsOf(const AppFlagEntry& e, char* out)
{
    size_t n = 0;
    for (int k = 0; k < kFlagCount; ++k) {
        if (FlagBit(e, k))
            n += static_cast<size_t>(std::sprintf(out + n, n ? " %02d" : "%02d", k + 1));
    }
    if (n == 0)
        std::strcpy(out, "none");
}

constexpr size_t kFlagsTextSize = kFlagCount * 3 + 1;

int Check(const char* path, std::FILE* out, std::FILE* err)
{
    FileBytes bytes;
    if (!ReadFileBytes(path, bytes, err))
        return 2;
    ProblemSink sink = {path, err};
    size_t problems = CheckFlagFileText(bytes.data, bytes.length, PrintProblem, &sink);
    int status = problems ? 1 : 0;
    if (status == 0) {
        DecodedFlagFile* d = Decode(path, bytes, err);
        if (d)
            std::fprintf(out, "%s: ok, %u applications, %u versions\n", path, d->appCount, d->entryCount);
        else
            status = 1;
        std::free(d);
    }
    std::free(bytes.data);
    return status;
}

int Show(const char* path, std::FILE* out, std::FILE* err)
{
    DecodedFlagFile* d = LoadFlagFileArg(path, err);
    if (!d)
        return 2;
    for (uint16_t a = 0; a < d->appCount; ++a) {
        std::fprintf(out, "%s\n", d->appNames[a]);
        bool any = false;
        for (uint16_t i = 0; i < d->entryCount; ++i) {
            const AppFlagEntry& e = d->entries[i];
            if (e.appIndex != a)
                continue;
            char version[kVersionTextSize];
            char flags[kFlagsTextSize];
            VersionText(version, e.versionMS, e.versionLS);
            FlagsOf(e, flags);
            std::fprintf(out, "  %s  flags %s\n", version, flags);
            any = true;
        }
        if (!any)
            std::fprintf(out, "  no versions\n");
    }
    if (d->appCount == 0)
        std::fprintf(out, "no applications\n");
    std::free(d);
    return 0;
}

// One table made ready for lookups: its names sorted in their stored form
// (names are compared as the key compares them) and its entries grouped by
// application, so that comparing two full tables is not quadratic.
struct TableIndex {
    const DecodedFlagFile* table;
    FoldedNames names;
    EntriesByApp groups;
};

void IndexTable(const DecodedFlagFile& d, TableIndex& x)
{
    x.table = &d;
    SortFoldedNames(d.appNames, d.appCount, x.names);
    GroupEntries(d.entries, d.entryCount, x.groups);
}

int FindApp(const TableIndex& x, const char* name)
{
    return FindFoldedName(x.names, x.table->appCount, name);
}

const AppFlagEntry* FindVersion(const TableIndex& x, int app, const AppFlagEntry& v)
{
    for (uint16_t k = x.groups.first[app]; k < x.groups.first[app + 1]; ++k) {
        const AppFlagEntry& e = x.table->entries[x.groups.order[k]];
        if (e.versionMS == v.versionMS && e.versionLS == v.versionLS)
            return &e;
    }
    return nullptr;
}

// The flags set in `in` and not in `other`, into out; false when none.
bool FlagsOnlyIn(const AppFlagEntry& in, const AppFlagEntry& other, char* out)
{
    AppFlagEntry only = in;
    only.flagsLow &= ~other.flagsLow;
    only.flagsHigh &= ~other.flagsHigh;
    FlagsOf(only, out);
    return only.flagsLow || only.flagsHigh;
}

// Applications and versions of `from` that `to` lacks, each application's
// versions in table order through its group.
int ReportMissing(const TableIndex& fromIndex, const TableIndex& to, const char* side, std::FILE* out)
{
    const DecodedFlagFile& from = *fromIndex.table;
    int differences = 0;
    for (uint16_t a = 0; a < from.appCount; ++a) {
        int b = FindApp(to, from.appNames[a]);
        if (b < 0) {
            std::fprintf(out, "only in %s: %s\n", side, from.appNames[a]);
            ++differences;
            continue;
        }
        for (uint16_t k = fromIndex.groups.first[a]; k < fromIndex.groups.first[a + 1]; ++k) {
            const AppFlagEntry& e = from.entries[fromIndex.groups.order[k]];
            if (FindVersion(to, b, e))
                continue;
            char version[kVersionTextSize];
            VersionText(version, e.versionMS, e.versionLS);
            std::fprintf(out, "only in %s: %s %s\n", side, from.appNames[a], version);
            ++differences;
        }
    }
    return differences;
}

int ReportFlags(const DecodedFlagFile& a, const TableIndex& b, const char* nameA, const char* nameB, std::FILE* out)
{
    int differences = 0;
    for (uint16_t i = 0; i < a.entryCount; ++i) {
        const AppFlagEntry& e = a.entries[i];
        const char* name = a.appNames[e.appIndex];
        int app = FindApp(b, name);
        const AppFlagEntry* f = app < 0 ? nullptr : FindVersion(b, app, e);
        if (!f || (e.flagsLow == f->flagsLow && e.flagsHigh == f->flagsHigh))
            continue;
        char version[kVersionTextSize];
        char onlyA[kFlagsTextSize];
        char onlyB[kFlagsTextSize];
        VersionText(version, e.versionMS, e.versionLS);
        bool inA = FlagsOnlyIn(e, *f, onlyA);
        bool inB = FlagsOnlyIn(*f, e, onlyB);
        std::fprintf(out, "%s %s:", name, version);
        if (inA)
            std::fprintf(out, " flags %s only in %s", onlyA, nameA);
        if (inA && inB)
            std::fprintf(out, ",");
        if (inB)
            std::fprintf(out, " flags %s only in %s", onlyB, nameB);
        std::fprintf(out, "\n");
        ++differences;
    }
    return differences;
}

int Diff(const char* pathA, const char* pathB, std::FILE* out, std::FILE* err)
{
    DecodedFlagFile* a = LoadFlagFileArg(pathA, err);
    DecodedFlagFile* b = a ? LoadFlagFileArg(pathB, err) : nullptr;
    int status = 2;
    int differences = a && b ? ReportDifferences(*a, *b, "A", "B", out, err) : -1;
    if (differences == 0)
        std::fprintf(out, "the tables are the same\n");
    if (differences >= 0)
        status = differences == 0 ? 0 : 1;
    std::free(b);
    std::free(a);
    return status;
}

// The decoded table as the editor's exports write the key that a save of
// it leaves: the names upper case, as the save stores them. Null, with the
// reason told, when the save would refuse the table.
char* EncodeDecoded(const DecodedFlagFile& d, bool reg, size_t& length, std::FILE* err)
{
    FlagTable* t = static_cast<FlagTable*>(std::calloc(1, sizeof(FlagTable)));
    SavedForm* saved = static_cast<SavedForm*>(std::calloc(1, sizeof(SavedForm)));
    char* text = nullptr;
    uint16_t app = 0;
    uint16_t twin = 0;
    StoreProblem problem = StoreProblem::None;
    if (!t || !saved) {
        std::fprintf(err, "afetool: not enough memory\n");
    } else if (ApplyDecodedFlagFile(d, *t), (problem = SavedFormOf(*t, *saved, app, twin)) != StoreProblem::None) {
        char message[512];
        FormatStoreProblem(message, sizeof message, problem, t->appNames[app], t->appNames[twin]);
        PrintMessage(err, message);
    } else {
        int complete = 1;
        const StoredTable& s = saved->table;
        length = reg ? EncodeRegFile(s, nullptr, 0, &complete) : EncodeInfFile(s, nullptr, 0, nullptr);
        text = static_cast<char*>(std::malloc(length + 1));
        if (text && reg)
            EncodeRegFile(s, text, length, &complete);
        else if (text)
            EncodeInfFile(s, text, length, nullptr);
        else
            std::fprintf(err, "afetool: not enough memory\n");
    }
    std::free(saved);
    std::free(t);
    return text;
}

int Convert(const char* in, const char* outPath, std::FILE* out, std::FILE* err)
{
    bool reg = HasExtension(outPath, ".reg");
    if (!reg && !HasExtension(outPath, ".inf")) {
        std::fprintf(err, "afetool: %s: the output must end in .reg or .inf\n", outPath);
        return 2;
    }
    FileBytes bytes;
    if (!ReadFileBytes(in, bytes, err))
        return 2;
    DecodedFlagFile* d = Decode(in, bytes, err);
    std::free(bytes.data);
    if (!d)
        return 1;
    size_t length = 0;
    char* text = EncodeDecoded(*d, reg, length, err);
    int status = 0;
    if (!text) {
        std::fprintf(err, "afetool: nothing written to %s\n", outPath);
        status = 1;
    } else if (length == 0) {
        // The encoder's refusal: a control character after the list's last
        // record, where the editor's reader does not look.
        std::fprintf(err, "afetool: %s: the list line holds a control character that %s cannot carry; nothing written\n",
                     in, reg ? "a .reg file" : "an .inf file");
        status = 1;
    } else if (!WriteOutputFile(outPath, text, length)) {
        std::fprintf(err, "afetool: Export doen not complete successfully. (%s)\n", outPath);
        status = 2;
    } else {
        std::fprintf(out, "%s: %u applications, %u versions\n", outPath, d->appCount, d->entryCount);
    }
    std::free(text);
    std::free(d);
    return status;
}

}  // namespace

DecodedFlagFile* LoadFlagFileArg(const char* path, std::FILE* err)
{
    FileBytes bytes;
    if (!ReadFileBytes(path, bytes, err))
        return nullptr;
    DecodedFlagFile* d = Decode(path, bytes, err);
    std::free(bytes.data);
    return d;
}

int ReportDifferences(const DecodedFlagFile& a, const DecodedFlagFile& b, const char* nameA, const char* nameB,
                      std::FILE* out, std::FILE* err)
{
    TableIndex* x = static_cast<TableIndex*>(std::calloc(2, sizeof(TableIndex)));
    if (!x) {
        std::fprintf(err, "afetool: not enough memory to compare the tables\n");
        return -1;
    }
    IndexTable(a, x[0]);
    IndexTable(b, x[1]);
    int differences =
        ReportMissing(x[0], x[1], nameA, out) + ReportMissing(x[1], x[0], nameB, out) + ReportFlags(a, x[1], nameA, nameB, out);
    std::free(x);
    return differences;
}

void PrintMessage(std::FILE* err, const char* text)
{
    std::fprintf(err, "afetool: ");
    for (const char* c = text; *c; ++c)
        std::fputc(*c == '\n' ? ' ' : *c, err);
    std::fputc('\n', err);
}

bool HasExtension(const char* path, const char* ext)
{
    size_t n = std::strlen(path);
    size_t m = std::strlen(ext);
    if (n < m)
        return false;
    for (size_t i = 0; i < m; ++i) {
        if (std::tolower(static_cast<unsigned char>(path[n - m + i])) != ext[i])
            return false;
    }
    return true;
}

int RunAfeTool(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    const char* command = argc > 1 ? argv[1] : "";
    if (std::strcmp(command, "--help") == 0 || std::strcmp(command, "-h") == 0) {
        std::fprintf(out, "%s%s", kUsage, kPlatformUsage);
        return 0;
    }
    int args = argc - 2;
    if (std::strcmp(command, "check") == 0 && args == 1)
        return Check(argv[2], out, err);
    if (std::strcmp(command, "show") == 0 && args == 1)
        return Show(argv[2], out, err);
    if (std::strcmp(command, "diff") == 0 && args == 2)
        return Diff(argv[2], argv[3], out, err);
    if (std::strcmp(command, "convert") == 0 && args == 2)
        return Convert(argv[2], argv[3], out, err);
    int result = RunPlatformCommand(command, argc, argv, out, err);
    if (result >= 0)
        return result;
    std::fprintf(err, "%s%s", kUsage, kPlatformUsage);
    return 2;
}
