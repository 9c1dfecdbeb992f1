#include "afetool/afe_check.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "store/flag_file.h"
#include "table/text_check.h"

namespace {

struct Line {
    const char* text;
    size_t length;  // without the LF
    bool endsWithLf;
};

struct Record {
    const char* name;
    size_t nameLength;
    int count;
    size_t number;  // 1-based, among every record of the list
};

bool IsHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The text as it can be shown: at most 40 characters, others as \xNN.
void Printable(char* out, size_t outSize, const char* text, size_t length)
{
    PrintableText(out, outSize, text, length, 40);
}

class Checker {
public:
    Checker(ProblemFn report, void* context) : report_(report), context_(context) {}

    void Add(size_t line, const char* format, ...)
    {
        char reason[512];
        va_list args;
        va_start(args, format);
        std::vsnprintf(reason, sizeof reason, format, args);
        va_end(args);
        report_(context_, line, reason);
        ++count_;
    }

    size_t Count() const { return count_; }

    // The size line; the list line's length it gives, or -1 when none.
    long SizeLine(const Line& l)
    {
        size_t digits = 0;
        while (digits < l.length && IsDigit(l.text[digits]))
            ++digits;
        if (digits == 0 || digits != l.length) {
            char shown[256];
            Printable(shown, sizeof shown, l.text, l.length);
            Add(1, "the size line must be a decimal number, not \"%s\"", shown);
            return -1;
        }
        unsigned long size = 0;
        for (size_t i = 0; i < digits && size <= kMaxFlagFileSize; ++i)
            size = size * 10 + static_cast<unsigned long>(l.text[i] - '0');
        if (digits < 5)
            Add(1, "the size line has %zu digits; the editor reads exactly five", digits);
        if (size > kMaxFlagFileSize) {
            Add(1, "the size is over 99999; the editor reads five digits only");
            return -1;
        }
        if (size < 2) {
            Add(1, "the size %lu is below 2, the size of an empty list", size);
            return -1;
        }
        if (size % 2 != 0)
            Add(1, "the size %lu is odd; a list of n characters has the size 2 x (n + 1)", size);
        return static_cast<long>(size / 2 - 1);
    }

    // The list line into records (room for one per ";"); their number.
    size_t ListLine(const Line& l, long expected, Record* records)
    {
        if (expected >= 0 && static_cast<size_t>(expected) != l.length)
            Add(2, "the list line has %zu characters; the size line says %ld", l.length, expected);
        size_t pos = 0;
        size_t taken = 0;
        size_t record = 0;
        while (pos < l.length) {
            const void* semi = std::memchr(l.text + pos, ';', l.length - pos);
            if (!semi) {
                char shown[256];
                Printable(shown, sizeof shown, l.text + pos, l.length - pos);
                Add(2, "characters after the last \";\" are ignored by the editor: \"%s\"", shown);
                break;
            }
            size_t end = static_cast<size_t>(static_cast<const char*>(semi) - l.text);
            ++record;
            if (TakeRecord(l.text + pos, end - pos, record, records[taken]))
                ++taken;
            pos = end + 1;
        }
        if (taken > kMaxApps)
            Add(2, "%zu applications; the table holds at most %u", taken, static_cast<unsigned>(kMaxApps));
        return taken;
    }

    void VersionLine(const Line& l, size_t lineNumber, const char* what)
    {
        if (l.length == 41 && l.text[40] == '\r') {
            Add(lineNumber, "%s ends in CR LF; the editor reads line feeds only", what);
            return;
        }
        if (l.length != 40) {
            Add(lineNumber, "%s has %zu characters, not 40 hexadecimal digits", what, l.length);
            return;
        }
        for (size_t i = 0; i < 40; ++i) {
            if (!IsHex(l.text[i])) {
                Add(lineNumber, "%s: character %zu is not a hexadecimal digit", what, i + 1);
                return;
            }
        }
    }

private:
    bool TakeRecord(const char* text, size_t length, size_t record, Record& out)
    {
        if (length < 2 || !IsDigit(text[0]) || !IsDigit(text[1])) {
            char shown[256];
            Printable(shown, sizeof shown, text, length);
            Add(2, "application %zu \"%s;\" does not start with a two-digit version count", record, shown);
            return false;
        }
        out.name = text + 2;
        out.nameLength = length - 2;
        out.count = (text[0] - '0') * 10 + (text[1] - '0');
        out.number = record;
        if (out.nameLength == 0)
            Add(2, "application %zu has no name; a save refuses it", record);
        if (out.nameLength > kMaxNameChars)
            Add(2, "application %zu has a name of %zu characters; at most 80", record, out.nameLength);
        if (HasControlChar(out.name, out.nameLength)) {
            char shown[256];
            Printable(shown, sizeof shown, out.name, out.nameLength);
            Add(2, "application %zu \"%s\" has a control character in its name; no exchange file can carry it",
                record, shown);
        }
        return true;
    }

    ProblemFn report_;
    void* context_;
    size_t count_ = 0;
};

size_t SplitLines(const char* data, size_t length, Line* lines)
{
    size_t n = 0;
    size_t start = 0;
    while (start < length) {
        const void* lf = std::memchr(data + start, '\n', length - start);
        size_t end = lf ? static_cast<size_t>(static_cast<const char*>(lf) - data) : length;
        if (lines)
            lines[n] = {data + start, end - start, lf != nullptr};
        ++n;
        start = end + 1;
    }
    return n;
}

// "line of NAME version K" for the index-th version line.
void VersionName(char* out, size_t outSize, const Record* records, size_t recordCount, size_t index)
{
    for (size_t a = 0; a < recordCount; ++a) {
        if (index < static_cast<size_t>(records[a].count)) {
            int shown = records[a].nameLength > 80 ? 80 : static_cast<int>(records[a].nameLength);
            std::snprintf(out, outSize, "line of %.*s version %zu", shown, records[a].name, index + 1);
            return;
        }
        index -= static_cast<size_t>(records[a].count);
    }
    std::snprintf(out, outSize, "line of a version");
}

const char* DecodeReason(FlagFileError e)
{
    switch (e) {
    case FlagFileError::None: return "";
    case FlagFileError::TooLarge: return "the file is longer than any flag file";
    case FlagFileError::NameCaseTwins: return "two application names differ only in letter case";
    case FlagFileError::ShortFile: return "the file ends inside a line";
    case FlagFileError::BadSize: return "the size line cannot be read";
    case FlagFileError::BadListLine: return "the list line is not as long as the size says";
    case FlagFileError::BadRecord: return "an application record is not in the stored form";
    case FlagFileError::NameTooLong: return "an application name is over 80 characters";
    case FlagFileError::NameHasControl: return "an application name has a control character";
    case FlagFileError::TooManyApps: return "more applications than the table holds";
    case FlagFileError::TooManyEntries: return "more versions than the table holds";
    case FlagFileError::MissingVersionLine: return "a version line is missing";
    case FlagFileError::BadVersionLine: return "a version line is not 40 hexadecimal digits";
    }
    return "unreadable";
}

// Two names the registry cannot tell apart: the first such pair.
void CheckCaseTwins(Checker& check, const Record* records, size_t recordCount)
{
    size_t count = recordCount < kMaxApps ? recordCount : kMaxApps;
    char(*names)[kNameSize] = static_cast<char(*)[kNameSize]>(std::calloc(count + 1, kNameSize));
    FoldedNames* work = static_cast<FoldedNames*>(std::calloc(1, sizeof(FoldedNames)));
    uint16_t first = 0;
    uint16_t second = 0;
    if (!names || !work) {
        check.Add(0, "not enough memory to compare the names");
    } else {
        // A name over 80 characters is a problem of its own; its first 80 stand in.
        for (size_t a = 0; a < count; ++a)
            std::memcpy(names[a], records[a].name, records[a].nameLength < kMaxNameChars ? records[a].nameLength
                                                                                         : kMaxNameChars);
        if (FindCaseTwins(names, static_cast<uint16_t>(count), *work, first, second)) {
            char shownA[256];
            char shownB[256];
            Printable(shownA, sizeof shownA, names[first], std::strlen(names[first]));
            Printable(shownB, sizeof shownB, names[second], std::strlen(names[second]));
            check.Add(2,
                      "applications %zu \"%s\" and %zu \"%s\" differ only in letter case; the registry keeps "
                      "them as one, so Import and a save refuse them",
                      records[first].number, shownA, records[second].number, shownB);
        }
    }
    std::free(work);
    std::free(names);
}

void CheckLines(Checker& check, const Line* lines, size_t lineCount, Record* records)
{
    for (size_t i = 0; i < lineCount; ++i) {
        if (!lines[i].endsWithLf)
            check.Add(i + 1, "the line does not end with a line feed");
    }
    long listChars = check.SizeLine(lines[0]);
    size_t recordCount = 0;
    if (lineCount < 2)
        check.Add(2, "the list line is missing");
    else
        recordCount = check.ListLine(lines[1], listChars, records);
    CheckCaseTwins(check, records, recordCount);
    size_t versions = 0;
    for (size_t a = 0; a < recordCount; ++a)
        versions += static_cast<size_t>(records[a].count);
    if (versions > kMaxEntries)
        check.Add(2, "the list names %zu versions; the table holds at most %u", versions,
                  static_cast<unsigned>(kMaxEntries));
    size_t have = lineCount > 2 ? lineCount - 2 : 0;
    for (size_t i = 0; i < have && i < versions; ++i) {
        char what[160];
        VersionName(what, sizeof what, records, recordCount, i);
        check.VersionLine(lines[2 + i], 3 + i, what);
    }
    if (have < versions)
        check.Add(lineCount + 1, "the list names %zu versions; the file has %zu version lines", versions, have);
    for (size_t i = versions; i < have; ++i)
        check.Add(3 + i, "a version line the list does not name; the editor ignores it");
}

}  // namespace

size_t CheckFlagFileText(const char* data, size_t length, ProblemFn report, void* context)
{
    Checker check(report, context);
    size_t lineCount = SplitLines(data, length, nullptr);
    if (lineCount == 0) {
        check.Add(0, "the file is empty");
        return check.Count();
    }
    // At most one record for each ";" of the list line.
    Line* lines = static_cast<Line*>(std::calloc(lineCount, sizeof(Line)));
    size_t semicolons = 0;
    if (lines) {
        SplitLines(data, length, lines);
        if (lineCount > 1) {
            for (size_t i = 0; i < lines[1].length; ++i)
                semicolons += lines[1].text[i] == ';';
        }
    }
    Record* records = static_cast<Record*>(std::calloc(semicolons + 1, sizeof(Record)));
    DecodedFlagFile* decoded = static_cast<DecodedFlagFile*>(std::calloc(1, sizeof(DecodedFlagFile)));
    if (!lines || !records || !decoded) {
        check.Add(0, "not enough memory to check the file");
    } else {
        CheckLines(check, lines, lineCount, records);
        // The reader's own verdict: nothing this check passes may fail there.
        FlagFileError e = DecodeFlagFile(data, length, *decoded);
        if (e != FlagFileError::None && check.Count() == 0)
            check.Add(0, "the editor cannot read the file: %s", DecodeReason(e));
    }
    std::free(decoded);
    std::free(records);
    std::free(lines);
    return check.Count();
}
