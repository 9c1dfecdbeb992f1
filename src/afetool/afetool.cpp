#include "afetool/afetool.h"

#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "afetool/afe_check.h"
#include "store/flag_file.h"

namespace {

const char kUsage[] =
    "usage: afetool check FILE.afe       every problem of the file, with its line\n"
    "       afetool show FILE.afe        applications, versions and the flags set\n"
    "       afetool diff A.afe B.afe     what differs between two tables\n"
    "       afetool convert IN.afe OUT   OUT.reg (regedit /s) or OUT.inf\n";

// Larger than any file the editor can read, small enough to hold.
constexpr size_t kMaxReadBytes = 16u * 1024 * 1024;

bool ReadFileBytes(const char* path, std::string& bytes, std::FILE* err)
{
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        std::fprintf(err, "afetool: cannot open %s\n", path);
        return false;
    }
    bytes.clear();
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0 && bytes.size() <= kMaxReadBytes)
        bytes.append(buf, n);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        std::fprintf(err, "afetool: cannot read %s\n", path);
    else if (bytes.size() > kMaxReadBytes)
        std::fprintf(err, "afetool: %s is larger than any flag file\n", path);
    return !failed && bytes.size() <= kMaxReadBytes;
}

// A file the editor can import, decoded; null (with the reason told) if not.
std::unique_ptr<DecodedFlagFile> Decode(const char* path, const std::string& bytes, std::FILE* err)
{
    auto d = std::make_unique<DecodedFlagFile>();
    if (DecodeFlagFile(bytes.data(), bytes.size(), *d) == FlagFileError::None)
        return d;
    std::vector<FileProblem> problems = CheckFlagFileText(bytes.data(), bytes.size());
    std::fprintf(err, "afetool: %s is not a flag file the editor can read:\n", path);
    for (const FileProblem& p : problems)
        std::fprintf(err, "%s:%zu: %s\n", path, p.line, p.reason.c_str());
    return nullptr;
}

std::unique_ptr<DecodedFlagFile> Load(const char* path, std::FILE* err)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes, err))
        return nullptr;
    return Decode(path, bytes, err);
}

std::string VersionOf(const AppFlagEntry& e)
{
    char text[kVersionTextSize];
    VersionText(text, e.versionMS, e.versionLS);
    return text;
}

// "01 05 64", or "none".
std::string FlagsOf(const AppFlagEntry& e)
{
    std::string out;
    for (int k = 0; k < kFlagCount; ++k) {
        if (!FlagBit(e, k))
            continue;
        char n[4];
        std::snprintf(n, sizeof n, "%02d", k + 1);
        out += out.empty() ? n : std::string(" ") + n;
    }
    return out.empty() ? "none" : out;
}

int Check(const char* path, std::FILE* out, std::FILE* err)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes, err))
        return 2;
    std::vector<FileProblem> problems = CheckFlagFileText(bytes.data(), bytes.size());
    for (const FileProblem& p : problems)
        std::fprintf(err, "%s:%zu: %s\n", path, p.line, p.reason.c_str());
    if (!problems.empty())
        return 1;
    auto d = std::make_unique<DecodedFlagFile>();
    DecodeFlagFile(bytes.data(), bytes.size(), *d);
    std::fprintf(out, "%s: ok, %u applications, %u versions\n", path, d->appCount, d->entryCount);
    return 0;
}

int Show(const char* path, std::FILE* out, std::FILE* err)
{
    auto d = Load(path, err);
    if (!d)
        return 2;
    for (uint16_t a = 0; a < d->appCount; ++a) {
        std::fprintf(out, "%s\n", d->appNames[a]);
        bool any = false;
        for (uint16_t i = 0; i < d->entryCount; ++i) {
            const AppFlagEntry& e = d->entries[i];
            if (e.appIndex != a)
                continue;
            std::fprintf(out, "  %s  flags %s\n", VersionOf(e).c_str(), FlagsOf(e).c_str());
            any = true;
        }
        if (!any)
            std::fprintf(out, "  no versions\n");
    }
    if (d->appCount == 0)
        std::fprintf(out, "no applications\n");
    return 0;
}

int FindApp(const DecodedFlagFile& d, const char* name)
{
    for (uint16_t a = 0; a < d.appCount; ++a) {
        if (AsciiNamesEqual(d.appNames[a], name))
            return a;
    }
    return -1;
}

const AppFlagEntry* FindVersion(const DecodedFlagFile& d, int app, const AppFlagEntry& v)
{
    for (uint16_t i = 0; i < d.entryCount; ++i) {
        const AppFlagEntry& e = d.entries[i];
        if (e.appIndex == app && e.versionMS == v.versionMS && e.versionLS == v.versionLS)
            return &e;
    }
    return nullptr;
}

// Flags set in one entry and not the other: "05 07", or empty.
std::string FlagsOnlyIn(const AppFlagEntry& in, const AppFlagEntry& other)
{
    AppFlagEntry only = in;
    only.flagsLow &= ~other.flagsLow;
    only.flagsHigh &= ~other.flagsHigh;
    return only.flagsLow || only.flagsHigh ? FlagsOf(only) : "";
}

// Applications and versions of `from` that `to` lacks.
int ReportMissing(const DecodedFlagFile& from, const DecodedFlagFile& to, const char* side, std::FILE* out)
{
    int differences = 0;
    for (uint16_t a = 0; a < from.appCount; ++a) {
        int b = FindApp(to, from.appNames[a]);
        if (b < 0) {
            std::fprintf(out, "only in %s: %s\n", side, from.appNames[a]);
            ++differences;
            continue;
        }
        for (uint16_t i = 0; i < from.entryCount; ++i) {
            const AppFlagEntry& e = from.entries[i];
            if (e.appIndex == a && !FindVersion(to, b, e)) {
                std::fprintf(out, "only in %s: %s %s\n", side, from.appNames[a], VersionOf(e).c_str());
                ++differences;
            }
        }
    }
    return differences;
}

int Diff(const char* pathA, const char* pathB, std::FILE* out, std::FILE* err)
{
    auto a = Load(pathA, err);
    auto b = a ? Load(pathB, err) : nullptr;
    if (!a || !b)
        return 2;
    int differences = ReportMissing(*a, *b, "A", out) + ReportMissing(*b, *a, "B", out);
    for (uint16_t i = 0; i < a->entryCount; ++i) {
        const AppFlagEntry& e = a->entries[i];
        const char* name = a->appNames[e.appIndex];
        int app = FindApp(*b, name);
        const AppFlagEntry* f = app < 0 ? nullptr : FindVersion(*b, app, e);
        if (!f || (e.flagsLow == f->flagsLow && e.flagsHigh == f->flagsHigh))
            continue;
        std::string onlyA = FlagsOnlyIn(e, *f);
        std::string onlyB = FlagsOnlyIn(*f, e);
        std::fprintf(out, "%s %s:", name, VersionOf(e).c_str());
        if (!onlyA.empty())
            std::fprintf(out, " flags %s only in A", onlyA.c_str());
        if (!onlyA.empty() && !onlyB.empty())
            std::fprintf(out, ",");
        if (!onlyB.empty())
            std::fprintf(out, " flags %s only in B", onlyB.c_str());
        std::fprintf(out, "\n");
        ++differences;
    }
    if (differences == 0)
        std::fprintf(out, "the tables are the same\n");
    return differences == 0 ? 0 : 1;
}

bool EndsWith(const char* path, const char* ext)
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

int Convert(const char* in, const char* outPath, std::FILE* out, std::FILE* err)
{
    bool reg = EndsWith(outPath, ".reg");
    if (!reg && !EndsWith(outPath, ".inf")) {
        std::fprintf(err, "afetool: %s: the output must end in .reg or .inf\n", outPath);
        return 2;
    }
    std::string bytes;
    if (!ReadFileBytes(in, bytes, err))
        return 2;
    auto d = Decode(in, bytes, err);
    if (!d)
        return 1;
    // The file's table as the editor's exports write the key that holds it.
    std::vector<StoredVersion> versions(d->entryCount);
    for (uint16_t i = 0; i < d->entryCount; ++i) {
        versions[i].present = 1;
        EncodeVersionRecord(d->entries[i], versions[i].record);
    }
    StoredTable s = {AppInfoSizeFor(std::strlen(d->appInfo)), d->appInfo, versions.data(), versions.size()};
    int complete = 1;
    unsigned numItems = 0;
    size_t length = reg ? EncodeRegFile(s, nullptr, 0, &complete) : EncodeInfFile(s, nullptr, 0, &numItems);
    std::string text(length, '\0');
    if (reg)
        EncodeRegFile(s, &text[0], length, &complete);
    else
        EncodeInfFile(s, &text[0], length, &numItems);
    std::FILE* f = std::fopen(outPath, "wb");
    bool ok = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (f && std::fclose(f) != 0)
        ok = false;
    if (!ok) {
        std::fprintf(err, "afetool: cannot write %s\n", outPath);
        return 2;
    }
    std::fprintf(out, "%s: %u applications, %u versions\n", outPath, d->appCount, d->entryCount);
    return 0;
}

}  // namespace

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
