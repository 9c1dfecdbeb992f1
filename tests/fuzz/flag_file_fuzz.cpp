// libFuzzer target for the .afe reader: whatever the bytes, it must not crash,
// and a file it accepts must give counts that agree with what it holds and
// must read back the same after it is written again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "store/flag_file.h"

namespace {

// Far too large for the stack; one set for the whole run.
DecodedFlagFile first;
DecodedFlagFile second;
FlagTable table;
StoredVersion versions[kMaxEntries];
char rewritten[kMaxFlagFileBytes];

void Fail(const char* what)
{
    std::fprintf(stderr, "flag_file_fuzz: %s\n", what);
    std::abort();
}

// The list line's records must name exactly the applications and version
// counts that were decoded.
void CheckCountsAgree(const DecodedFlagFile& d)
{
    if (d.appCount > kMaxApps || d.entryCount > kMaxEntries)
        Fail("counts beyond the table");
    size_t pos = 0;
    AppInfoRecord rec;
    uint16_t app = 0;
    uint32_t entry = 0;
    while (NextAppInfoRecord(d.appInfo, pos, rec)) {
        if (rec.status != RecordStatus::Ok)
            Fail("accepted a record not in the stored form");
        if (app >= d.appCount)
            Fail("more records than applications");
        if (std::strlen(d.appNames[app]) != rec.nameLength ||
            std::memcmp(d.appNames[app], rec.name, rec.nameLength) != 0)
            Fail("name differs from its record");
        for (int k = 0; k < rec.count; ++k, ++entry) {
            if (entry >= d.entryCount || d.entries[entry].appIndex != app)
                Fail("entries disagree with the record counts");
        }
        ++app;
    }
    if (app != d.appCount || entry != d.entryCount)
        Fail("counts disagree with the list");
}

void CheckTableInvariants(const FlagTable& t)
{
    for (uint16_t j = 0; j < t.entryCount; ++j) {
        if (t.entries[j].appIndex >= t.appCount)
            Fail("entry owned by no application");
    }
    for (uint16_t i = 0; i < t.appCount; ++i) {
        if (std::memchr(t.appNames[i], '\0', kNameSize) == nullptr)
            Fail("name slot not terminated");
    }
}

// What the export would write from the decoded table must decode the same.
void CheckRewriteReadsBack(const DecodedFlagFile& d)
{
    for (uint16_t j = 0; j < d.entryCount; ++j) {
        versions[j].present = 1;
        EncodeVersionRecord(d.entries[j], versions[j].record);
    }
    StoredTable s = {AppInfoSizeFor(std::strlen(d.appInfo)), d.appInfo, versions, d.entryCount};
    if (CountStoredValues(d.appInfo) != d.entryCount)
        Fail("the walk names another number of values");
    int complete = 0;
    size_t length = EncodeFlagFile(s, rewritten, sizeof rewritten, &complete);
    if (length > sizeof rewritten)
        Fail("rewritten file longer than any valid file");
    if (!complete)
        Fail("an accepted file does not write back whole");
    if (DecodeFlagFile(rewritten, length, second) != FlagFileError::None)
        Fail("the rewritten file is refused");
    if (second.appCount != d.appCount || second.entryCount != d.entryCount ||
        std::strcmp(second.appInfo, d.appInfo) != 0)
        Fail("the rewritten file reads differently");
    for (uint16_t j = 0; j < d.entryCount; ++j) {
        unsigned char record[kVersionRecordSize];
        EncodeVersionRecord(second.entries[j], record);
        if (second.entries[j].appIndex != d.entries[j].appIndex ||
            std::memcmp(record, versions[j].record, sizeof record) != 0)
            Fail("an entry changed on the way back");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FlagFileError error = DecodeFlagFile(reinterpret_cast<const char*>(data), size, first);
    if (error != FlagFileError::None) {
        if (first.appCount != 0 || first.entryCount != 0)
            Fail("a refused file left counts behind");
        return 0;
    }
    CheckCountsAgree(first);
    ApplyDecodedFlagFile(first, table);
    if (table.appCount != first.appCount || table.entryCount != first.entryCount)
        Fail("the table took other counts");
    CheckTableInvariants(table);
    CheckRewriteReadsBack(first);
    return 0;
}
