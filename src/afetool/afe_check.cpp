#include "afetool/afe_check.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "store/flag_file.h"

namespace {

struct Line {
    const char* text;
    size_t length;  // without the LF
    bool endsWithLf;
};

std::vector<Line> SplitLines(const char* data, size_t length)
{
    std::vector<Line> lines;
    size_t start = 0;
    while (start < length) {
        const void* lf = std::memchr(data + start, '\n', length - start);
        size_t end = lf ? static_cast<size_t>(static_cast<const char*>(lf) - data) : length;
        lines.push_back({data + start, end - start, lf != nullptr});
        start = end + 1;
    }
    return lines;
}

bool IsHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

std::string Printable(const char* text, size_t length)
{
    std::string out;
    for (size_t i = 0; i < length && out.size() < 40; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return length > 40 ? out + "..." : out;
}

std::string Format(const char* format, size_t a, size_t b = 0, size_t c = 0)
{
    char text[256];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

class Checker {
public:
    explicit Checker(std::vector<FileProblem>& problems) : problems_(problems) {}

    void Add(size_t line, const std::string& reason) { problems_.push_back({line, reason}); }

    // The size line; the list line's length it gives, or -1 when none.
    long SizeLine(const Line& l)
    {
        size_t digits = 0;
        while (digits < l.length && l.text[digits] >= '0' && l.text[digits] <= '9')
            ++digits;
        if (digits == 0 || digits != l.length) {
            Add(1, "the size line must be a decimal number, not \"" + Printable(l.text, l.length) + "\"");
            return -1;
        }
        unsigned long size = 0;
        for (size_t i = 0; i < digits && size <= kMaxFlagFileSize; ++i)
            size = size * 10 + static_cast<unsigned long>(l.text[i] - '0');
        if (digits < 5)
            Add(1, Format("the size line has %zu digits; the editor reads exactly five", digits));
        if (size > kMaxFlagFileSize) {
            Add(1, "the size is over 99999; the editor reads five digits only");
            return -1;
        }
        if (size < 2) {
            Add(1, Format("the size %zu is below 2, the size of an empty list", size));
            return -1;
        }
        if (size % 2 != 0)
            Add(1, Format("the size %zu is odd; a list of n characters has the size 2 x (n + 1)", size));
        return static_cast<long>(size / 2 - 1);
    }

    // The list line; the application names and counts it holds.
    void ListLine(const Line& l, long expected, std::vector<std::string>& names, std::vector<int>& counts)
    {
        if (expected >= 0 && static_cast<size_t>(expected) != l.length)
            Add(2, Format("the list line has %zu characters; the size line says %zu", l.length,
                          static_cast<size_t>(expected)));
        size_t pos = 0;
        size_t record = 0;
        while (pos < l.length) {
            const void* semi = std::memchr(l.text + pos, ';', l.length - pos);
            if (!semi) {
                Add(2, "characters after the last \";\" are ignored by the editor: \"" +
                           Printable(l.text + pos, l.length - pos) + "\"");
                break;
            }
            size_t end = static_cast<size_t>(static_cast<const char*>(semi) - l.text);
            ++record;
            Record(l.text + pos, end - pos, record, names, counts);
            pos = end + 1;
        }
        if (names.size() > kMaxApps)
            Add(2, Format("%zu applications; the table holds at most %zu", names.size(), kMaxApps));
    }

    void Record(const char* text, size_t length, size_t record, std::vector<std::string>& names,
                std::vector<int>& counts)
    {
        std::string shown = "\"" + Printable(text, length) + ";\"";
        if (length < 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') {
            Add(2, Format("application %zu ", record) + shown + " does not start with a two-digit version count");
            return;
        }
        std::string name(text + 2, length - 2);
        if (name.empty())
            Add(2, Format("application %zu has no name; a save refuses it", record));
        if (name.size() > kMaxNameChars)
            Add(2, Format("application %zu has a name of %zu characters; at most 80", record, name.size()));
        names.push_back(name);
        counts.push_back((text[0] - '0') * 10 + (text[1] - '0'));
    }

    void VersionLine(const Line& l, size_t lineNumber, const std::string& what)
    {
        if (l.length == 41 && l.text[40] == '\r') {
            Add(lineNumber, what + " ends in CR LF; the editor reads line feeds only");
            return;
        }
        if (l.length != 40) {
            Add(lineNumber, what + Format(" has %zu characters, not 40 hexadecimal digits", l.length));
            return;
        }
        for (size_t i = 0; i < 40; ++i) {
            if (!IsHex(l.text[i])) {
                Add(lineNumber, what + Format(": character %zu is not a hexadecimal digit", i + 1));
                return;
            }
        }
    }

private:
    std::vector<FileProblem>& problems_;
};

std::string VersionName(const std::vector<std::string>& names, const std::vector<int>& counts, size_t index)
{
    for (size_t a = 0; a < names.size(); ++a) {
        if (index < static_cast<size_t>(counts[a]))
            return names[a] + Format(" version %zu", index + 1);
        index -= static_cast<size_t>(counts[a]);
    }
    return "a version";
}

const char* DecodeReason(FlagFileError e)
{
    switch (e) {
    case FlagFileError::None: return "";
    case FlagFileError::ShortFile: return "the file ends inside a line";
    case FlagFileError::BadSize: return "the size line cannot be read";
    case FlagFileError::BadListLine: return "the list line is not as long as the size says";
    case FlagFileError::BadRecord: return "an application record is not in the stored form";
    case FlagFileError::NameTooLong: return "an application name is over 80 characters";
    case FlagFileError::TooManyApps: return "more applications than the table holds";
    case FlagFileError::TooManyEntries: return "more versions than the table holds";
    case FlagFileError::MissingVersionLine: return "a version line is missing";
    case FlagFileError::BadVersionLine: return "a version line is not 40 hexadecimal digits";
    }
    return "unreadable";
}

}  // namespace

std::vector<FileProblem> CheckFlagFileText(const char* data, size_t length)
{
    std::vector<FileProblem> problems;
    Checker check(problems);
    std::vector<Line> lines = SplitLines(data, length);
    if (lines.empty()) {
        check.Add(0, "the file is empty");
        return problems;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].endsWithLf)
            check.Add(i + 1, "the line does not end with a line feed");
    }
    long listChars = check.SizeLine(lines[0]);
    std::vector<std::string> names;
    std::vector<int> counts;
    if (lines.size() < 2) {
        check.Add(2, "the list line is missing");
    } else {
        check.ListLine(lines[1], listChars, names, counts);
    }
    size_t versions = 0;
    for (int c : counts)
        versions += static_cast<size_t>(c);
    if (versions > kMaxEntries)
        check.Add(2, Format("the list names %zu versions; the table holds at most %zu", versions, kMaxEntries));
    size_t have = lines.size() > 2 ? lines.size() - 2 : 0;
    for (size_t i = 0; i < have && i < versions; ++i)
        check.VersionLine(lines[2 + i], 3 + i, "line of " + VersionName(names, counts, i));
    if (have < versions)
        check.Add(lines.size() + 1, Format("the list names %zu versions; the file has %zu version lines", versions, have));
    for (size_t i = versions; i < have; ++i)
        check.Add(3 + i, "a version line the list does not name; the editor ignores it");

    // The reader's own verdict: nothing this check passes may fail there.
    auto decoded = std::make_unique<DecodedFlagFile>();
    FlagFileError e = DecodeFlagFile(data, length, *decoded);
    if (e != FlagFileError::None && problems.empty())
        check.Add(0, std::string("the editor cannot read the file: ") + DecodeReason(e));
    return problems;
}
