// The stored form of the flag table in the driver's registry key: value
// names, the 20-byte version record and the APPINFO application list.
// Encoding and checking only; the registry calls live in the _win32 files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "table/flag_table.h"

extern const char kFlagKeyPath[];
// The key's parent and the key's name in it.
extern const char kFlagParentPath[];
extern const char kFlagKeyName[];
extern const char kAppInfoValue[];
extern const char kAppInfoSizeValue[];

constexpr size_t kVersionRecordSize = 20;
// APPINFO and its terminator are built in a work buffer of this size.
constexpr size_t kAppInfoBufferSize = 200000;
// "APP-" + name + "-" + ordinal; room for a three-digit ordinal and the NUL.
constexpr size_t kValueNameSize = 4 + kMaxNameChars + 1 + 3 + 1;

// "APP-" + name + "-" + "%02d" of ordinal. False (and out empty) when the
// name is too long for a value name.
bool FormatValueName(char* out, size_t outSize, const char* name, int ordinal);

// Five little-endian words: tag, versionMS, versionLS, flagsLow, flagsHigh.
void EncodeVersionRecord(const AppFlagEntry& e, unsigned char out[kVersionRecordSize]);
// Fills the five words; appIndex is left as it is.
void DecodeVersionRecord(const unsigned char in[kVersionRecordSize], AppFlagEntry& e);

// 2 x (characters + 1): the stored APPINFO-SIZE for an APPINFO string.
uint32_t AppInfoSizeFor(size_t appInfoChars);

enum class RecordStatus {
    Ok,
    TooShort,     // fewer than two characters before the ";"
    BadCount,     // the first two characters are not two decimal digits
    NameTooLong,  // more than kMaxNameChars characters of name
};

struct AppInfoRecord {
    RecordStatus status;
    int count;         // version count, valid when status is Ok
    const char* name;  // points into the scanned text, not terminated
    size_t nameLength;
};

// Reads the ";"-terminated record that starts at text[pos] and moves pos past
// its ";". False when no further complete record exists (characters after
// the last ";" are ignored).
bool NextAppInfoRecord(const char* text, size_t& pos, AppInfoRecord& rec);

// What keeps a table from being stored as laid out.
enum class StoreProblem {
    None,
    EmptyName,
    NameTooLong,
    NameHasSeparator,
    TooManyVersions,
    AppInfoTooLong,
    NameCaseTwins,  // two names equal but for letter case: one to the registry
};

StoreProblem CheckStoredName(const char* name);

// Appends "%02d" count, name and ";" to the NUL-terminated text of length
// len in buf (capacity cap, terminator included). False, with buf unchanged,
// when the record would not fit.
bool AppendAppInfoRecord(char* buf, size_t cap, size_t& len, int count, const char* name);

// The message that refuses a save: what is wrong and with which application
// (and, for NameCaseTwins, its twin `other`).
void FormatStoreProblem(char* out, size_t outSize, StoreProblem problem, const char* name, const char* other = "");

// APPINFO as the save writes it, into appInfo (cap bytes, length its
// characters): every application's name as the list shows it (AppRowName)
// and the size of its group. None when the table can be stored so;
// otherwise what keeps it from that, and the application concerned in
// `app` (for NameCaseTwins the first of the two, the other in `twin`).
StoreProblem BuildStoredAppInfo(const FlagTable& t, const EntriesByApp& groups, FoldedNames& work, char* appInfo,
                                size_t cap, size_t& length, uint16_t& app, uint16_t& twin);

// What a load had to leave out because the table or the layout cannot hold it.
struct LoadSkips {
    unsigned badRecords;      // records not in the stored form
    unsigned longNames;       // applications with a name over 80 characters
    unsigned appsOverLimit;   // applications beyond the table's capacity
    unsigned entriesOverLimit;
    unsigned shortValues;     // version values shorter than 20 bytes
};

bool AnySkipped(const LoadSkips& s);
void FormatLoadSkips(char* out, size_t outSize, const LoadSkips& s);

// The one walk over APPINFO, made by the load and by both exports: records
// not in the stored form, names over 80 characters and whatever lies beyond
// the table's 5000 applications or 10000 entries are passed over and
// counted in skips.
struct StoredWalk {
    const char* text;
    size_t pos;
    AppInfoRecord rec;
    int nextOrdinal;     // the ordinal NextVersionOfApp names next
    char name[kNameSize];  // the current application's name, terminated
    uint16_t apps;       // applications taken so far
    uint16_t values;     // version values taken so far
    LoadSkips skips;
};

void BeginStoredWalk(StoredWalk& w, const char* appInfo);
// The next application the table can hold (its name in w.name, its count in
// w.rec.count); false at the end of APPINFO.
bool NextStoredApp(StoredWalk& w);
// Name of the current application's next version value ("APP-" + name + "-"
// + ordinal) into valueName (kValueNameSize bytes; null where the name is
// not needed); false after its last.
bool NextVersionOfApp(StoredWalk& w, char* valueName);
// The value just named was not taken into the table: it leaves room for the next.
void PassOverValue(StoredWalk& w);
// Every version value of every application in turn; false at the end.
bool NextStoredValue(StoredWalk& w, char* valueName);
// Number of values a whole walk names.
size_t CountStoredValues(const char* appInfo);
