// The exchange files of the flag table: the Application Flag File (.afe),
// which the editor writes and reads back, and the [DEFAPPFLAG] INF section,
// which it only writes. Bytes in memory only; the file and registry calls
// live in flag_file_win32.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "store/registry_layout.h"
#include "table/flag_table.h"

// The reader takes the size from exactly five digits, so the longest list
// line it can read back is 99,999 / 2 - 1 characters.
constexpr uint32_t kMaxFlagFileSize = 99999;
constexpr size_t kMaxFlagListChars = kMaxFlagFileSize / 2 - 1;
constexpr size_t kFlagVersionLineBytes = 41;  // 40 hexadecimal digits + LF
// No valid file is longer: bytes beyond this are never looked at.
constexpr size_t kMaxFlagFileBytes = 6 + kMaxFlagListChars + 1 + kMaxEntries * kFlagVersionLineBytes;

// One version value of the stored key as an export read it.
struct StoredVersion {
    int present;  // 0: missing, unreadable or shorter than 20 bytes
    unsigned char record[kVersionRecordSize];
};

// What an export read from the key. versions[i] is the i-th value that the
// walk below names.
struct StoredTable {
    uint32_t appInfoSize;  // APPINFO-SIZE as stored
    const char* appInfo;   // APPINFO as stored, terminated
    const StoredVersion* versions;
    size_t versionCount;
};

// What a save of a table writes into the key, as the encoders and a
// comparison with a key take it: the APPINFO built from the names as the
// list shows them, and the version records in the order of its walk. Too
// large for the stack.
struct SavedForm {
    char appInfo[kAppInfoBufferSize];
    StoredVersion versions[kMaxEntries];
    EntriesByApp groups;
    FoldedNames work;
    StoredTable table;  // points into the above
};
// None, with out.table set, when the table can be stored; otherwise what
// refuses it, and the application(s) concerned (BuildStoredAppInfo).
StoreProblem SavedFormOf(const FlagTable& t, SavedForm& out, uint16_t& app, uint16_t& twin);

// Both encoders write at most cap bytes to out (out may be null when cap is
// 0) and return the whole length, so a first call with no buffer measures.
// The .inf and .reg encoders return 0, writing nothing, for a table that
// their format cannot carry line by line (FindUncarriedName).

// The .afe file. *complete is 1 when the file reads back as the stored
// table: every value present, nothing passed over, no LF inside the list and
// a size line of five digits.
size_t EncodeFlagFile(const StoredTable& s, char* out, size_t cap, int* complete);
// The INF section; a value that is not present gets no line and no number.
// *numItems is the number of version lines. A control character anywhere in
// APPINFO is refused.
size_t EncodeInfFile(const StoredTable& s, char* out, size_t cap, unsigned* numItems);

// The registry file (REGEDIT4, CR LF) that regedit /s applies: it removes
// the key, then writes every version value the walk names as hex bytes in
// that order, APPINFO as a string and APPINFO-SIZE as a dword, so the key it
// leaves holds exactly these values. *complete as for EncodeFlagFile, but a
// size over 99,999 or a line feed in the list do no harm here.
size_t EncodeRegFile(const StoredTable& s, char* out, size_t cap, int* complete);

// The first application of the stored list whose name holds a control
// character (0x01-0x1F, 0x7F), into name (kNameSize bytes, may be null):
// such a name would break the value-name lines of a .reg file and the lines
// of an .inf file, so no export writes a table that holds one.
bool FindUncarriedName(const char* appInfo, char* name);

// Why a table was refused for its names before anything was written or
// replaced: a name that no file can carry, or two names equal but for
// letter case, which the registry would keep as one.
enum class NameRefusalKind { None, Uncarried, CaseTwins };
struct NameRefusal {
    NameRefusalKind kind;
    char name[kNameSize];
    char other[kNameSize];  // the second of the twins
};
// The names of a stored list as an export reads them, and the work space
// of the check for twins: too large for the stack.
struct StoredNames {
    char names[kMaxApps][kNameSize];
    FoldedNames folded;
};
// What an export refuses in the stored list; false, kind None, when nothing.
bool RefuseStoredNames(const char* appInfo, StoredNames& work, NameRefusal& refusal);
// The refusal under the command's own failure message: the headline, an
// empty line, the names (control characters as \xNN) and what was kept.
void FormatNameRefusal(char* out, size_t outSize, const char* headline, const NameRefusal& refusal);

enum class FlagFileError {
    None,
    TooLarge,        // longer than any flag file the table can fill
    ShortFile,       // the file ends inside a line
    BadSize,         // size field below 2, without a leading digit, or no LF after it
    BadListLine,     // the list line is not as long as the size says
    BadRecord,       // an application record not in the stored form
    NameTooLong,     // an application name over 80 characters
    NameHasControl,  // a name with a character of 0x01-0x1F or 0x7F
    NameCaseTwins,   // two names equal but for letter case: one to the registry
    TooManyApps,     // more applications than the table holds
    TooManyEntries,  // more versions than the table holds
    MissingVersionLine,
    BadVersionLine,  // not 40 hexadecimal digits and LF
};

// A whole .afe file, read and checked, before anything of it reaches the
// table. Too large for the stack: allocate one per import.
struct DecodedFlagFile {
    uint16_t appCount;
    uint16_t entryCount;
    char appNames[kMaxApps][kNameSize];
    AppFlagEntry entries[kMaxEntries];  // appIndex set, in file order
    char appInfo[kMaxFlagListChars + 1];
    // With NameCaseTwins, the two applications (appNames holds them).
    uint16_t twinFirst;
    uint16_t twinSecond;
    FoldedNames folded;  // work space of the check for them
};

// Reads the file's bytes into out; anything but None leaves out's counts 0.
// A file longer than any valid one is refused unread (ShortFile's opposite:
// BadListLine would hide why), so every reader takes the same files.
FlagFileError DecodeFlagFile(const char* data, size_t length, DecodedFlagFile& out);
// Replaces the table's contents with a decoded file. The selection and
// modified are left to the caller (SelectLoadedTable).
void ApplyDecodedFlagFile(const DecodedFlagFile& d, FlagTable& t);
