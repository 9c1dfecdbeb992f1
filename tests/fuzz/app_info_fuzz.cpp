// libFuzzer target for the walk over APPINFO, the application list the key
// stores, and the value names built from it. Whatever the text, the walk must
// stay inside it, name each value "APP-" + name + "-" + ordinal, keep within
// the table's capacities, take and skip exactly what a plain reading of the
// records finds, and the records it takes must encode back to their own text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "store/registry_layout.h"

namespace {

void Fail(const char* what)
{
    std::fprintf(stderr, "app_info_fuzz: %s\n", what);
    std::abort();
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// An application the table takes: where its name starts in the text.
struct TakenApp {
    size_t nameStart;
    size_t nameLength;
    int count;
};

// The list read plainly: split at every ";" (what follows the last one is no
// record); two decimal digits, then at most kMaxNameChars of name; only the
// first kMaxApps such records are taken.
struct PlainReading {
    TakenApp apps[kMaxApps];
    unsigned appCount;
    unsigned badRecords;
    unsigned longNames;
    unsigned appsOverLimit;
    size_t takenChars;  // length of the taken records' text
};

PlainReading reading;  // too large for the stack

void ReadPlainly(const char* text, size_t length, PlainReading& r)
{
    r.appCount = r.badRecords = r.longNames = r.appsOverLimit = 0;
    r.takenChars = 0;
    size_t start = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] != ';')
            continue;
        const char* record = text + start;
        size_t chars = i - start;
        size_t nameStart = start + 2;
        start = i + 1;
        if (chars < 2 || !IsDigit(record[0]) || !IsDigit(record[1]))
            ++r.badRecords;
        else if (chars - 2 > kMaxNameChars)
            ++r.longNames;
        else if (r.appCount == kMaxApps)
            ++r.appsOverLimit;
        else {
            r.apps[r.appCount++] = {nameStart, chars - 2, (record[0] - '0') * 10 + (record[1] - '0')};
            r.takenChars += chars + 1;
        }
    }
}

// The values a walk should name, in order: ordinals 1..count of each taken
// application while fewer than kMaxEntries values are kept; the ordinals
// reached with the table full are only counted.
struct Expected {
    unsigned app = 0;  // index in reading.apps
    int ordinal = 0;
    unsigned kept = 0;
    unsigned overLimit = 0;
};

bool NextExpected(Expected& e)
{
    while (e.app < reading.appCount) {
        if (e.ordinal < reading.apps[e.app].count) {
            ++e.ordinal;
            if (e.kept < kMaxEntries)
                return true;
            ++e.overLimit;
            continue;
        }
        ++e.app;
        e.ordinal = 0;
    }
    return false;
}

void CheckValueName(const char* valueName, const char* text, const Expected& e)
{
    const char* end = static_cast<const char*>(std::memchr(valueName, '\0', kValueNameSize));
    if (!end)
        Fail("value name not terminated within its buffer");
    const TakenApp& app = reading.apps[e.app];
    const char* tail = valueName + 4 + app.nameLength;
    if (static_cast<size_t>(end - valueName) != 4 + app.nameLength + 3)
        Fail("value name of the wrong length");
    if (std::memcmp(valueName, "APP-", 4) != 0)
        Fail("value name does not start with APP-");
    if (std::memcmp(valueName + 4, text + app.nameStart, app.nameLength) != 0)
        Fail("value name differs from its record's name");
    if (tail[0] != '-' || !IsDigit(tail[1]) || !IsDigit(tail[2]) ||
        (tail[1] - '0') * 10 + (tail[2] - '0') != e.ordinal)
        Fail("value name does not end in its ordinal");
}

void CheckEndOfWalk(StoredWalk& w, const Expected& e, unsigned passedOver, char* valueName)
{
    if (w.apps > kMaxApps || w.values > kMaxEntries)
        Fail("walk beyond the table's capacities");
    if (w.apps != reading.appCount || w.values != e.kept)
        Fail("walk took other counts than the plain reading");
    const LoadSkips& s = w.skips;
    if (s.badRecords != reading.badRecords || s.longNames != reading.longNames ||
        s.appsOverLimit != reading.appsOverLimit || s.entriesOverLimit != e.overLimit ||
        s.shortValues != passedOver)
        Fail("walk skipped other counts than the plain reading");
    bool skipped = reading.badRecords || reading.longNames || reading.appsOverLimit || e.overLimit || passedOver;
    if (AnySkipped(s) != skipped)
        Fail("AnySkipped disagrees with the skips");
    if (NextStoredValue(w, valueName))
        Fail("walk goes on after its end");
}

// As the exports do: every value through NextStoredValue.
void CheckExportWalk(const char* text, char* valueName)
{
    StoredWalk w;
    BeginStoredWalk(w, text);
    Expected e;
    std::memset(valueName, 'x', kValueNameSize);
    while (NextStoredValue(w, valueName)) {
        if (!NextExpected(e))
            Fail("walk names a value the list does not hold");
        if (w.apps != e.app + 1)
            Fail("value named under another application");
        CheckValueName(valueName, text, e);
        ++e.kept;
        std::memset(valueName, 'x', kValueNameSize);
    }
    if (NextExpected(e))
        Fail("walk ends before the list's last value");
    CheckEndOfWalk(w, e, 0, valueName);
    if (CountStoredValues(text) != e.kept)
        Fail("CountStoredValues disagrees with the walk");
}

// As the load does: application by application, passing over the values the
// text picks (as a value too short to load is), and writing the taken
// applications back as a save would.
void CheckLoadWalk(const char* text, size_t length, char* valueName)
{
    char* rewritten = new char[reading.takenChars + 1];
    rewritten[0] = '\0';
    size_t rewrittenLength = 0;
    StoredWalk w;
    BeginStoredWalk(w, text);
    Expected e;
    unsigned named = 0;
    unsigned passedOver = 0;
    while (NextStoredApp(w)) {
        unsigned app = w.apps - 1u;
        if (app >= reading.appCount || std::memchr(w.name, '\0', kNameSize) == nullptr ||
            std::strlen(w.name) != reading.apps[app].nameLength ||
            std::memcmp(w.name, text + reading.apps[app].nameStart, reading.apps[app].nameLength) != 0 ||
            w.rec.count != reading.apps[app].count)
            Fail("walk takes an application the plain reading does not");
        if (!AppendAppInfoRecord(rewritten, reading.takenChars + 1, rewrittenLength, w.rec.count, w.name))
            Fail("a taken record does not fit its own length");
        std::memset(valueName, 'x', kValueNameSize);
        while (NextVersionOfApp(w, valueName)) {
            if (!NextExpected(e) || e.app != app)
                Fail("walk names a value of another application");
            CheckValueName(valueName, text, e);
            if (static_cast<unsigned char>(text[named++ % length]) & 1) {
                ++w.skips.shortValues;
                PassOverValue(w);
                ++passedOver;
            } else {
                ++e.kept;
            }
            std::memset(valueName, 'x', kValueNameSize);
        }
    }
    if (NextExpected(e))
        Fail("walk ends before the list's last value");
    CheckEndOfWalk(w, e, passedOver, valueName);

    // The taken records, copied straight from the text, in order.
    if (rewrittenLength != reading.takenChars || rewritten[rewrittenLength] != '\0')
        Fail("taken records rewritten to another length");
    size_t at = 0;
    for (unsigned i = 0; i < reading.appCount; ++i) {
        size_t chars = reading.apps[i].nameLength + 3;
        if (std::memcmp(rewritten + at, text + reading.apps[i].nameStart - 2, chars) != 0)
            Fail("a taken record rewritten differently");
        at += chars;
    }
    // One byte short of room for them all (the last record's terminator),
    // the last record must be refused and the buffer left as it is.
    if (reading.appCount > 0) {
        const TakenApp& last = reading.apps[reading.appCount - 1];
        char name[kNameSize];
        std::memcpy(name, text + last.nameStart, last.nameLength);
        name[last.nameLength] = '\0';
        size_t before = reading.takenChars - (last.nameLength + 3);
        char* tight = new char[reading.takenChars];
        std::memcpy(tight, rewritten, before);
        tight[before] = '\0';
        size_t tightLength = before;
        if (AppendAppInfoRecord(tight, reading.takenChars, tightLength, last.count, name) ||
            tightLength != before || tight[before] != '\0')
            Fail("a record was appended past the buffer's end");
        delete[] tight;
    }
    delete[] rewritten;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The text up to its first zero, in a buffer just large enough for it and
    // its terminator, so that any read past the terminator is seen.
    const void* zero = std::memchr(data, 0, size);
    size_t length = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - data) : size;
    char* text = new char[length + 1];
    if (length > 0)
        std::memcpy(text, data, length);
    text[length] = '\0';
    char* valueName = new char[kValueNameSize];

    ReadPlainly(text, length, reading);
    CheckExportWalk(text, valueName);
    if (length > 0)
        CheckLoadWalk(text, length, valueName);

    delete[] valueName;
    delete[] text;
    return 0;
}
