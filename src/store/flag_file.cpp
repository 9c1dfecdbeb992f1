#include "store/flag_file.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "table/text_check.h"

namespace {

// Collects the file's bytes; counts on past the end so that a call without
// a buffer measures.
struct Sink {
    char* out;
    size_t cap;
    size_t length;
};

void Put(Sink& s, const char* bytes, size_t n)
{
    if (n > 0 && s.length <= s.cap && n <= s.cap - s.length)
        std::memcpy(s.out + s.length, bytes, n);
    s.length += n;
}

void PutText(Sink& s, const char* text)
{
    Put(s, text, std::strlen(text));
}

void PutFormatted(Sink& s, const char* format, ...)
{
    char line[256];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (n > 0)
        Put(s, line, static_cast<size_t>(n) < sizeof line ? static_cast<size_t>(n) : sizeof line - 1);
}

// The i-th value of the walk; null when it was not read.
const unsigned char* RecordAt(const StoredTable& s, size_t i)
{
    return i < s.versionCount && s.versions[i].present ? s.versions[i].record : nullptr;
}

// "%u" of n.
void PutDecimal(Sink& s, unsigned n)
{
    char digits[12];
    char* p = digits + sizeof digits;
    do {
        *--p = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    Put(s, p, static_cast<size_t>(digits + sizeof digits - p));
}

const char kUpperHex[] = "0123456789ABCDEF";

// The five words of a version record, "%08X" each, `separator` before every
// word but the first (none when 0). An export writes 10,000 of them: by
// hand, not through the formatted output.
void PutRecordWords(Sink& s, const unsigned char* record, char separator)
{
    char text[5 * 9];
    char* p = text;
    for (int word = 0; word < 5; ++word) {
        if (word > 0 && separator)
            *p++ = separator;
        for (int byte = 3; byte >= 0; --byte) {
            unsigned char b = record[4 * word + byte];
            *p++ = kUpperHex[b >> 4];
            *p++ = kUpperHex[b & 15];
        }
    }
    Put(s, text, static_cast<size_t>(p - text));
}

}  // namespace

StoreProblem SavedFormOf(const FlagTable& t, SavedForm& out, uint16_t& app, uint16_t& twin)
{
    GroupEntriesByApp(t, out.groups);
    size_t length = 0;
    StoreProblem problem =
        BuildStoredAppInfo(t, out.groups, out.work, out.appInfo, sizeof out.appInfo, length, app, twin);
    if (problem != StoreProblem::None)
        return problem;
    uint16_t count = t.appCount < kMaxApps ? t.appCount : kMaxApps;
    size_t n = 0;
    for (uint16_t a = 0; a < count; ++a) {
        for (uint16_t k = out.groups.first[a]; k < out.groups.first[a + 1]; ++k) {
            out.versions[n].present = 1;
            EncodeVersionRecord(t.entries[out.groups.order[k]], out.versions[n].record);
            ++n;
        }
    }
    out.table = {AppInfoSizeFor(length), out.appInfo, out.versions, n};
    return StoreProblem::None;
}

size_t EncodeFlagFile(const StoredTable& s, char* out, size_t cap, int* complete)
{
    Sink sink = {out, out ? cap : 0, 0};
    size_t listChars = std::strlen(s.appInfo);
    // The size line tells the reader how long the list line is, so it is
    // derived from the list that is written, whatever the key claims.
    uint32_t size = AppInfoSizeFor(listChars);
    PutFormatted(sink, "%05lu\n", static_cast<unsigned long>(size));
    Put(sink, s.appInfo, listChars);
    PutText(sink, "\n");

    bool whole = size <= kMaxFlagFileSize && !std::memchr(s.appInfo, '\n', listChars);
    StoredWalk w;
    BeginStoredWalk(w, s.appInfo);
    for (size_t i = 0; NextStoredValue(w, nullptr); ++i) {
        const unsigned char* record = RecordAt(s, i);
        if (!record) {
            whole = false;
            continue;
        }
        PutRecordWords(sink, record, 0);
        PutText(sink, "\n");
    }
    if (AnySkipped(w.skips))
        whole = false;
    if (complete)
        *complete = whole ? 1 : 0;
    return sink.length;
}

bool FindUncarriedName(const char* appInfo, char* name)
{
    StoredWalk w;
    BeginStoredWalk(w, appInfo);
    while (NextStoredApp(w)) {
        if (HasControlChar(w.name, std::strlen(w.name))) {
            if (name)
                std::memcpy(name, w.name, kNameSize);
            return true;
        }
    }
    return false;
}

bool RefuseStoredNames(const char* appInfo, StoredNames& work, NameRefusal& refusal)
{
    std::memset(&refusal, 0, sizeof refusal);
    StoredWalk w;
    BeginStoredWalk(w, appInfo);
    uint16_t count = 0;
    while (NextStoredApp(w)) {
        if (HasControlChar(w.name, std::strlen(w.name))) {
            refusal.kind = NameRefusalKind::Uncarried;
            std::memcpy(refusal.name, w.name, kNameSize);
            return true;
        }
        std::memcpy(work.names[count++], w.name, kNameSize);
    }
    uint16_t first = 0;
    uint16_t second = 0;
    if (!FindCaseTwins(work.names, count, work.folded, first, second))
        return false;
    refusal.kind = NameRefusalKind::CaseTwins;
    std::memcpy(refusal.name, work.names[first], kNameSize);
    std::memcpy(refusal.other, work.names[second], kNameSize);
    return true;
}

void FormatNameRefusal(char* out, size_t outSize, const char* headline, const NameRefusal& refusal)
{
    if (refusal.kind == NameRefusalKind::Uncarried) {
        char shown[kMaxNameChars * 4 + 4];
        PrintableText(shown, sizeof shown, refusal.name, std::strlen(refusal.name), kMaxNameChars);
        std::snprintf(out, outSize,
                      "%s\n\n"
                      "The application name \"%s\" holds a control character,\n"
                      "which no file can carry. Nothing was written.",
                      headline, shown);
    } else {
        // Twins hold no control character: those are refused first.
        std::snprintf(out, outSize,
                      "%s\n\n"
                      "The application names \"%s\" and \"%s\" differ only in letter case.\n"
                      "The registry keeps them as one application, so one of them would lose\n"
                      "its versions. Nothing was changed.",
                      headline, refusal.name, refusal.other);
    }
}

size_t EncodeInfFile(const StoredTable& s, char* out, size_t cap, unsigned* numItems)
{
    if (numItems)
        *numItems = 0;
    // Every line of the section is one line of text, the list line too.
    if (HasControlChar(s.appInfo, std::strlen(s.appInfo)))
        return 0;
    Sink sink = {out, out ? cap : 0, 0};
    PutText(sink, "[DEFAPPFLAG]\r\n");
    PutFormatted(sink, "AppInfoSize = %lu\r\n", static_cast<unsigned long>(s.appInfoSize));
    PutText(sink, "AppInfo = ");
    PutText(sink, s.appInfo);
    PutText(sink, "\r\n");

    unsigned number = 0;
    StoredWalk w;
    BeginStoredWalk(w, s.appInfo);
    char valueName[kValueNameSize];
    for (size_t i = 0; NextStoredValue(w, valueName); ++i) {
        const unsigned char* record = RecordAt(s, i);
        if (!record)
            continue;
        PutText(sink, "AppFlag");
        PutDecimal(sink, ++number);
        PutText(sink, " = ");
        PutText(sink, valueName);
        PutText(sink, ",");
        PutRecordWords(sink, record, ',');
        PutText(sink, "\r\n");
    }
    PutFormatted(sink, "NumItems = %u\r\n", number);
    if (numItems)
        *numItems = number;
    return sink.length;
}

namespace {

// regedit folds a hex value after the comma that takes a line to this many
// characters, and goes on after two blanks.
constexpr size_t kRegLineChars = 77;

const char kLowerHex[] = "0123456789abcdef";

// Backslash and quote escaped, as a REGEDIT4 string or value name holds them.
void PutRegQuoted(Sink& s, const char* text)
{
    PutText(s, "\"");
    for (const char* c = text; *c; ++c) {
        if (*c == '\\' || *c == '"')
            PutText(s, "\\");
        Put(s, c, 1);
    }
    PutText(s, "\"");
}

// "name"=hex:xx,xx,... (or hex(1): for a string), folded as regedit does.
void PutRegHex(Sink& s, const char* name, const char* kind, const unsigned char* bytes, size_t n)
{
    size_t start = s.length;
    PutRegQuoted(s, name);
    PutFormatted(s, "=%s:", kind);
    size_t lineChars = s.length - start;
    for (size_t i = 0; i < n; ++i) {
        const char digits[2] = {kLowerHex[bytes[i] >> 4], kLowerHex[bytes[i] & 15]};
        Put(s, digits, 2);
        if (i + 1 == n)
            break;
        PutText(s, ",");
        lineChars += 3;
        if (lineChars >= kRegLineChars) {
            PutText(s, "\\\r\n  ");
            lineChars = 2;
        }
    }
    PutText(s, "\r\n");
}

// Line breaks and other control characters cannot stand in a REGEDIT4
// string; a list with one goes as hex(1), the same REG_SZ bytes.
void PutRegString(Sink& s, const char* name, const char* text)
{
    size_t n = std::strlen(text);
    for (size_t i = 0; i < n; ++i) {
        if (static_cast<unsigned char>(text[i]) < 0x20) {
            PutRegHex(s, name, "hex(1)", reinterpret_cast<const unsigned char*>(text), n + 1);
            return;
        }
    }
    PutRegQuoted(s, name);
    PutText(s, "=");
    PutRegQuoted(s, text);
    PutText(s, "\r\n");
}

}  // namespace

size_t EncodeRegFile(const StoredTable& s, char* out, size_t cap, int* complete)
{
    if (complete)
        *complete = 0;
    // A value name cannot go as hex like the list can: regedit would take a
    // line break inside it for the end of the line, and a key path after it
    // for a key of its own.
    if (FindUncarriedName(s.appInfo, nullptr))
        return 0;
    Sink sink = {out, out ? cap : 0, 0};
    PutText(sink, "REGEDIT4\r\n\r\n");
    PutFormatted(sink, "[-HKEY_LOCAL_MACHINE\\%s]\r\n\r\n", kFlagKeyPath);
    PutFormatted(sink, "[HKEY_LOCAL_MACHINE\\%s]\r\n", kFlagKeyPath);

    bool whole = true;
    StoredWalk w;
    BeginStoredWalk(w, s.appInfo);
    char valueName[kValueNameSize];
    for (size_t i = 0; NextStoredValue(w, valueName); ++i) {
        if (i >= s.versionCount || !s.versions[i].present) {
            whole = false;
            continue;
        }
        PutRegHex(sink, valueName, "hex", s.versions[i].record, kVersionRecordSize);
    }
    if (AnySkipped(w.skips))
        whole = false;
    PutRegString(sink, kAppInfoValue, s.appInfo);
    PutFormatted(sink, "\"%s\"=dword:%08lx\r\n\r\n", kAppInfoSizeValue, static_cast<unsigned long>(s.appInfoSize));
    if (complete)
        *complete = whole ? 1 : 0;
    return sink.length;
}

namespace {

// Five words of eight hexadecimal digits, then LF.
FlagFileError ReadVersionLine(const char* data, size_t length, size_t pos, uint32_t words[5])
{
    for (size_t k = 0; k < kFlagVersionLineBytes; ++k) {
        if (pos + k >= length)
            return FlagFileError::ShortFile;
        char c = data[pos + k];
        if (k == kFlagVersionLineBytes - 1)
            return c == '\n' ? FlagFileError::None : FlagFileError::BadVersionLine;
        int v = HexDigitValue(c);
        if (v < 0)
            return FlagFileError::BadVersionLine;
        words[k / 8] = words[k / 8] << 4 | static_cast<uint32_t>(v);
    }
    return FlagFileError::None;
}

// The size line: a decimal number from up to five digits, at least 2, then LF.
FlagFileError ReadSizeLine(const char* data, size_t length, size_t& listChars)
{
    if (length >= 1 && !IsDecimalDigit(data[0]))
        return FlagFileError::BadSize;
    if (length < 6)
        return FlagFileError::ShortFile;
    uint32_t size = 0;
    for (int i = 0; i < 5 && IsDecimalDigit(data[i]); ++i)
        size = size * 10 + static_cast<uint32_t>(data[i] - '0');
    if (size < 2 || data[5] != '\n')
        return FlagFileError::BadSize;
    // An odd size is rounded down, as the writer's 2 x (length + 1) never is.
    listChars = size / 2 - 1;
    return FlagFileError::None;
}

FlagFileError ReadListLine(const char* data, size_t length, size_t pos, size_t listChars)
{
    for (size_t k = 0; k <= listChars; ++k) {
        if (pos + k >= length)
            return FlagFileError::ShortFile;
        char c = data[pos + k];
        if (k == listChars)
            return c == '\n' ? FlagFileError::None : FlagFileError::BadListLine;
        if (c == '\n' || c == '\0')
            return FlagFileError::BadListLine;
    }
    return FlagFileError::None;
}

FlagFileError DecodeInto(const char* data, size_t length, DecodedFlagFile& out)
{
    if (length > kMaxFlagFileBytes)
        return FlagFileError::TooLarge;
    size_t listChars = 0;
    FlagFileError error = ReadSizeLine(data, length, listChars);
    if (error != FlagFileError::None)
        return error;
    size_t pos = 6;
    error = ReadListLine(data, length, pos, listChars);
    if (error != FlagFileError::None)
        return error;
    std::memcpy(out.appInfo, data + pos, listChars);
    out.appInfo[listChars] = '\0';
    pos += listChars + 1;

    uint16_t i = 0;
    uint16_t j = 0;
    size_t scan = 0;
    AppInfoRecord rec;
    while (NextAppInfoRecord(out.appInfo, scan, rec)) {
        if (rec.status == RecordStatus::NameTooLong)
            return FlagFileError::NameTooLong;
        if (rec.status != RecordStatus::Ok)
            return FlagFileError::BadRecord;
        // A line break in a name would split the .reg and .inf lines that
        // an export of this table writes.
        if (HasControlChar(rec.name, rec.nameLength))
            return FlagFileError::NameHasControl;
        if (i >= kMaxApps)
            return FlagFileError::TooManyApps;
        std::memcpy(out.appNames[i], rec.name, rec.nameLength);
        out.appNames[i][rec.nameLength] = '\0';
        for (int k = 1; k <= rec.count; ++k) {
            if (j >= kMaxEntries)
                return FlagFileError::TooManyEntries;
            if (pos >= length)
                return FlagFileError::MissingVersionLine;
            uint32_t words[5] = {};
            error = ReadVersionLine(data, length, pos, words);
            if (error != FlagFileError::None)
                return error;
            AppFlagEntry& e = out.entries[j];
            std::memset(&e, 0, sizeof e);
            e.appIndex = i;
            e.tag = words[0];
            e.versionMS = words[1];
            e.versionLS = words[2];
            e.flagsLow = words[3];
            e.flagsHigh = words[4];
            pos += kFlagVersionLineBytes;
            ++j;
        }
        ++i;
    }
    // The save would write both under one set of value names.
    if (FindCaseTwins(out.appNames, i, out.folded, out.twinFirst, out.twinSecond))
        return FlagFileError::NameCaseTwins;
    out.appCount = i;
    out.entryCount = j;
    return FlagFileError::None;
}

}  // namespace

FlagFileError DecodeFlagFile(const char* data, size_t length, DecodedFlagFile& out)
{
    out.appCount = 0;
    out.entryCount = 0;
    out.appInfo[0] = '\0';
    FlagFileError error = DecodeInto(data, length, out);
    if (error != FlagFileError::None) {
        out.appCount = 0;
        out.entryCount = 0;
    }
    return error;
}

void ApplyDecodedFlagFile(const DecodedFlagFile& d, FlagTable& t)
{
    ClearTableContents(t);
    for (uint16_t i = 0; i < d.appCount && i < kMaxApps; ++i)
        std::memcpy(t.appNames[i], d.appNames[i], std::strlen(d.appNames[i]) + 1);
    uint16_t entries = d.entryCount <= kMaxEntries ? d.entryCount : kMaxEntries;
    std::memcpy(t.entries, d.entries, entries * sizeof(AppFlagEntry));
    t.appCount = d.appCount <= kMaxApps ? d.appCount : kMaxApps;
    t.entryCount = entries;
}
