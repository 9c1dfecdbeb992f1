#include "store/registry_layout.h"

#include <cstdio>
#include <cstring>

#include "table/text_check.h"

#define FLAG_PARENT_PATH "Software\\Kavix\\ZOLT\\APPFLAG"
#define FLAG_KEY_NAME "ZOLTDriver"
const char kFlagKeyPath[] = FLAG_PARENT_PATH "\\" FLAG_KEY_NAME;
const char kFlagParentPath[] = FLAG_PARENT_PATH;
const char kFlagKeyName[] = FLAG_KEY_NAME;
const char kAppInfoValue[] = "APPINFO";
const char kAppInfoSizeValue[] = "APPINFO-SIZE";

bool FormatValueName(char* out, size_t outSize, const char* name, int ordinal)
{
    size_t nameLength = std::strlen(name);
    // Every walk over a full table names 10,000 values: the usual two-digit
    // ordinal is written by hand, any other as "%02d" writes it.
    if (ordinal < 0 || ordinal > 99 || outSize < nameLength + 8) {
        int n = std::snprintf(out, outSize, "APP-%s-%02d", name, ordinal);
        if (n >= 0 && static_cast<size_t>(n) < outSize)
            return true;
        if (outSize > 0)
            out[0] = '\0';
        return false;
    }
    std::memcpy(out, "APP-", 4);
    std::memcpy(out + 4, name, nameLength);
    char* p = out + 4 + nameLength;
    p[0] = '-';
    p[1] = static_cast<char>('0' + ordinal / 10);
    p[2] = static_cast<char>('0' + ordinal % 10);
    p[3] = '\0';
    return true;
}

static void PutWord(unsigned char* p, uint32_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

static uint32_t GetWord(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void EncodeVersionRecord(const AppFlagEntry& e, unsigned char out[kVersionRecordSize])
{
    PutWord(out, e.tag);
    PutWord(out + 4, e.versionMS);
    PutWord(out + 8, e.versionLS);
    PutWord(out + 12, e.flagsLow);
    PutWord(out + 16, e.flagsHigh);
}

void DecodeVersionRecord(const unsigned char in[kVersionRecordSize], AppFlagEntry& e)
{
    e.tag = GetWord(in);
    e.versionMS = GetWord(in + 4);
    e.versionLS = GetWord(in + 8);
    e.flagsLow = GetWord(in + 12);
    e.flagsHigh = GetWord(in + 16);
}

uint32_t AppInfoSizeFor(size_t appInfoChars)
{
    return static_cast<uint32_t>(2 * (appInfoChars + 1));
}

bool NextAppInfoRecord(const char* text, size_t& pos, AppInfoRecord& rec)
{
    const char* start = text + pos;
    const char* end = std::strchr(start, ';');
    if (!end)
        return false;
    size_t length = static_cast<size_t>(end - start);
    pos += length + 1;

    rec.count = 0;
    rec.name = start;
    rec.nameLength = 0;
    if (length < 2) {
        rec.status = RecordStatus::TooShort;
        return true;
    }
    if (!IsDecimalDigit(start[0]) || !IsDecimalDigit(start[1])) {
        rec.status = RecordStatus::BadCount;
        return true;
    }
    rec.count = (start[0] - '0') * 10 + (start[1] - '0');
    rec.name = start + 2;
    rec.nameLength = length - 2;
    rec.status = rec.nameLength > kMaxNameChars ? RecordStatus::NameTooLong : RecordStatus::Ok;
    return true;
}

StoreProblem CheckStoredName(const char* name)
{
    if (std::strlen(name) > kMaxNameChars)
        return StoreProblem::NameTooLong;
    switch (AppNameProblem(name)) {
    case kNameEmpty:
        return StoreProblem::EmptyName;
    case kNameHasSeparator:
        return StoreProblem::NameHasSeparator;
    // Names come in only through checks that refuse these; one that the
    // key already holds is stored back as it was, as the driver reads it.
    case kNameHasControl:
    case kNameAcceptable:
        break;
    }
    return StoreProblem::None;
}

bool AppendAppInfoRecord(char* buf, size_t cap, size_t& len, int count, const char* name)
{
    char digits[16];
    int n = std::snprintf(digits, sizeof digits, "%02d", count);
    size_t nameLength = std::strlen(name);
    size_t needed = static_cast<size_t>(n) + nameLength + 1;
    if (len >= cap || needed >= cap - len)
        return false;
    std::memcpy(buf + len, digits, static_cast<size_t>(n));
    std::memcpy(buf + len + n, name, nameLength);
    buf[len + n + nameLength] = ';';
    len += needed;
    buf[len] = '\0';
    return true;
}

void FormatStoreProblem(char* out, size_t outSize, StoreProblem problem, const char* name, const char* other)
{
    const char* what = "";
    switch (problem) {
    case StoreProblem::None:
        break;
    case StoreProblem::EmptyName:
        what = "An application has an empty name.";
        break;
    case StoreProblem::NameTooLong:
        what = "This application name is longer than 80 characters:";
        break;
    case StoreProblem::NameHasSeparator:
        what = "This application name contains \";\":";
        break;
    case StoreProblem::TooManyVersions:
        what = "This application has more than 99 versions:";
        break;
    case StoreProblem::AppInfoTooLong:
        what = "The application list is longer than 200000 characters at:";
        break;
    case StoreProblem::NameCaseTwins:
        std::snprintf(out, outSize,
                      "The table cannot be saved.\n"
                      "These application names differ only in letter case:\n%.80s\n%.80s\n"
                      "The registry keeps them as one application. Delete one of them.\n"
                      "The registry was not changed.",
                      name, other);
        return;
    }
    std::snprintf(out, outSize, "The table cannot be saved.\n%s\n%.80s\nThe registry was not changed.",
                  what, problem == StoreProblem::EmptyName ? "" : name);
}

StoreProblem BuildStoredAppInfo(const FlagTable& t, const EntriesByApp& groups, FoldedNames& work, char* appInfo,
                                size_t cap, size_t& length, uint16_t& app, uint16_t& twin)
{
    length = 0;
    appInfo[0] = '\0';
    uint16_t count = t.appCount < kMaxApps ? t.appCount : kMaxApps;
    for (app = 0; app < count; ++app) {
        // Each name's stored form serves the record and the check for twins.
        char* name = work.folded[app];
        AppRowName(name, t.appNames[app]);
        StoreProblem problem = CheckStoredName(name);
        int versions = GroupSize(groups, app);
        if (problem == StoreProblem::None && versions > kMaxVersionsPerApp)
            problem = StoreProblem::TooManyVersions;
        if (problem == StoreProblem::None && !AppendAppInfoRecord(appInfo, cap, length, versions, name))
            problem = StoreProblem::AppInfoTooLong;
        if (problem != StoreProblem::None)
            return problem;
    }
    SortFolded(work, count);
    if (FirstTwins(work, count, app, twin))
        return StoreProblem::NameCaseTwins;
    return StoreProblem::None;
}

bool AnySkipped(const LoadSkips& s)
{
    return s.badRecords || s.longNames || s.appsOverLimit || s.entriesOverLimit || s.shortValues;
}

void FormatLoadSkips(char* out, size_t outSize, const LoadSkips& s)
{
    size_t used = 0;
    auto add = [&](const char* format, unsigned count) {
        if (count == 0 || used >= outSize)
            return;
        int n = std::snprintf(out + used, outSize - used, format, count);
        if (n > 0)
            used += static_cast<size_t>(n);
    };
    if (outSize == 0)
        return;
    int n = std::snprintf(out, outSize, "Part of the stored table could not be loaded and was left out:");
    used = n > 0 ? static_cast<size_t>(n) : 0;
    add("\n%u application record(s) not in the stored form", s.badRecords);
    add("\n%u application(s) with a name over 80 characters", s.longNames);
    add("\n%u application(s) beyond the limit of 5000", s.appsOverLimit);
    add("\n%u version(s) beyond the limit of 10000", s.entriesOverLimit);
    add("\n%u version value(s) shorter than 20 bytes", s.shortValues);
}

void BeginStoredWalk(StoredWalk& w, const char* appInfo)
{
    std::memset(&w, 0, sizeof w);
    w.text = appInfo;
}

bool NextStoredApp(StoredWalk& w)
{
    while (NextAppInfoRecord(w.text, w.pos, w.rec)) {
        if (w.rec.status == RecordStatus::TooShort || w.rec.status == RecordStatus::BadCount) {
            ++w.skips.badRecords;
        } else if (w.rec.status == RecordStatus::NameTooLong) {
            ++w.skips.longNames;
        } else if (w.apps >= kMaxApps) {
            ++w.skips.appsOverLimit;
        } else {
            std::memcpy(w.name, w.rec.name, w.rec.nameLength);
            w.name[w.rec.nameLength] = '\0';
            ++w.apps;
            w.nextOrdinal = 1;
            return true;
        }
    }
    w.nextOrdinal = 0;
    return false;
}

bool NextVersionOfApp(StoredWalk& w, char* valueName)
{
    while (w.nextOrdinal > 0 && w.nextOrdinal <= w.rec.count) {
        int k = w.nextOrdinal++;
        if (w.values >= kMaxEntries) {
            ++w.skips.entriesOverLimit;
            continue;
        }
        if (valueName)
            FormatValueName(valueName, kValueNameSize, w.name, k);
        ++w.values;
        return true;
    }
    return false;
}

void PassOverValue(StoredWalk& w)
{
    if (w.values > 0)
        --w.values;
}

bool NextStoredValue(StoredWalk& w, char* valueName)
{
    while (!NextVersionOfApp(w, valueName)) {
        if (!NextStoredApp(w))
            return false;
    }
    return true;
}

size_t CountStoredValues(const char* appInfo)
{
    StoredWalk w;
    BeginStoredWalk(w, appInfo);
    size_t n = 0;
    while (NextStoredValue(w, nullptr))
        ++n;
    return n;
}
