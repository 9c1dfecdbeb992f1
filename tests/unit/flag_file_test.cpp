#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "store/flag_file.h"
#include "table_builder.h"

namespace {

StoredVersion Version(uint32_t tag, uint32_t ms, uint32_t ls, uint32_t low, uint32_t high)
{
    AppFlagEntry e = {0, tag, ms, ls, low, high};
    StoredVersion v = {};
    v.present = 1;
    EncodeVersionRecord(e, v.record);
    return v;
}

StoredVersion Missing()
{
    StoredVersion v = {};
    return v;
}

// A stored key as an export reads it.
struct Key {
    std::string appInfo;
    std::vector<StoredVersion> versions;
    uint32_t appInfoSize;
};

Key MakeKey(const std::string& appInfo, std::vector<StoredVersion> versions)
{
    return Key{appInfo, std::move(versions), AppInfoSizeFor(appInfo.size())};
}

StoredTable View(const Key& k)
{
    return StoredTable{k.appInfoSize, k.appInfo.c_str(), k.versions.data(), k.versions.size()};
}

// An encoder's whole file: asked for its length first, then written; what
// it reports (starting from `unset`) goes to *reported when given.
template <typename Report>
std::string Encode(size_t (*encode)(const StoredTable&, char*, size_t, Report*), const Key& k, Report* reported,
                   Report unset)
{
    Report value = unset;
    size_t length = encode(View(k), nullptr, 0, &value);
    std::string out(length, '\0');
    EXPECT_EQ(length, encode(View(k), &out[0], out.size(), &value));
    if (reported)
        *reported = value;
    return out;
}

std::string Afe(const Key& k, int* complete = nullptr)
{
    return Encode(EncodeFlagFile, k, complete, -1);
}

std::string Inf(const Key& k, unsigned* numItems = nullptr)
{
    return Encode(EncodeInfFile, k, numItems, 0xdeadbeefu);
}

std::unique_ptr<DecodedFlagFile> NewDecoded()
{
    auto d = std::make_unique<DecodedFlagFile>();
    std::memset(d.get(), 0xA5, sizeof(DecodedFlagFile));
    return d;
}

FlagFileError Decode(const std::string& file, DecodedFlagFile& d)
{
    return DecodeFlagFile(file.data(), file.size(), d);
}

// "%05d" of the size that the writer gives a list of this length, and LF.
std::string SizeLine(const std::string& list)
{
    char line[16];
    std::snprintf(line, sizeof line, "%05u\n", static_cast<unsigned>(AppInfoSizeFor(list.size())));
    return line;
}

std::string Repeat(const std::string& s, size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

// `count` records of `versions` versions each, their names different: `fill`
// repeated to nameChars - 4 characters, then a four-digit number.
std::string Records(size_t count, int versions, size_t nameChars, char fill = 'N')
{
    std::string out;
    char record[kNameSize + 4];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(record, sizeof record, "%02d%s%04u;", versions, std::string(nameChars - 4, fill).c_str(),
                      static_cast<unsigned>(i));
        out += record;
    }
    return out;
}

const char kLineA1[] = "00000001000500020000000A0000000180000000\n";
const char kLineA2[] = "0000000700010000000200036DEADBEE00000000\n";

Key ExampleKey()
{
    return MakeKey("02A.EXE;", {Version(1, 0x50002, 0xA, 1, 0x80000000), Version(7, 0x10000, 0x20003, 0x6DEADBEE, 0)});
}

TEST(FlagFileEncode, OneApplicationWithTwoVersions)
{
    int complete = 0;
    std::string afe = Afe(ExampleKey(), &complete);
    EXPECT_EQ(std::string("00018\n02A.EXE;\n") + kLineA1 + kLineA2, afe);
    EXPECT_EQ(97u, afe.size());
    EXPECT_EQ(1, complete);

    unsigned numItems = 0;
    EXPECT_EQ("[DEFAPPFLAG]\r\n"
              "AppInfoSize = 18\r\n"
              "AppInfo = 02A.EXE;\r\n"
              "AppFlag1 = APP-A.EXE-01,00000001,00050002,0000000A,00000001,80000000\r\n"
              "AppFlag2 = APP-A.EXE-02,00000007,00010000,00020003,6DEADBEE,00000000\r\n"
              "NumItems = 2\r\n",
              Inf(ExampleKey(), &numItems));
    EXPECT_EQ(2u, numItems);
}

TEST(FlagFileEncode, EmptyTable)
{
    Key empty = MakeKey("", {});
    int complete = 0;
    EXPECT_EQ(std::string("00002\n\n"), Afe(empty, &complete));
    EXPECT_EQ(1, complete);
    unsigned numItems = 1;
    EXPECT_EQ("[DEFAPPFLAG]\r\nAppInfoSize = 2\r\nAppInfo = \r\nNumItems = 0\r\n", Inf(empty, &numItems));
    EXPECT_EQ(0u, numItems);
}

std::string Reg(const Key& k, int* complete = nullptr)
{
    return Encode(EncodeRegFile, k, complete, -1);
}

const char kRegHead[] =
    "REGEDIT4\r\n\r\n"
    "[-HKEY_LOCAL_MACHINE\\Software\\Kavix\\ZOLT\\APPFLAG\\ZOLTDriver]\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Kavix\\ZOLT\\APPFLAG\\ZOLTDriver]\r\n";

TEST(RegFileEncode, ExampleTableRemovesTheKeyThenWritesEveryValueInTheSavesOrder)
{
    int complete = 0;
    EXPECT_EQ(std::string(kRegHead) +
                  "\"APP-A.EXE-01\"=hex:01,00,00,00,02,00,05,00,0a,00,00,00,01,00,00,00,00,00,00,80\r\n"
                  "\"APP-A.EXE-02\"=hex:07,00,00,00,00,00,01,00,03,00,02,00,ee,db,ea,6d,00,00,00,00\r\n"
                  "\"APPINFO\"=\"02A.EXE;\"\r\n"
                  "\"APPINFO-SIZE\"=dword:00000012\r\n"
                  "\r\n",
              Reg(ExampleKey(), &complete));
    EXPECT_EQ(1, complete);

    EXPECT_EQ(std::string(kRegHead) + "\"APPINFO\"=\"\"\r\n\"APPINFO-SIZE\"=dword:00000002\r\n\r\n",
              Reg(MakeKey("", {}), &complete));
    EXPECT_EQ(1, complete);
}

TEST(RegFileEncode, LongLinesAreFoldedAsRegeditFoldsThem)
{
    // A 30-character name: the value line passes 77 characters.
    const std::string name = "ABCDEFGHIJKLMNOPQRSTUVWXYZ.EXE";
    std::string reg = Reg(MakeKey("01" + name + ";", {Version(1, 2, 3, 4, 5)}));
    const std::string first = "\"APP-" + name + "-01\"=hex:01,00,00,00,02,00,00,00,03,00,00,";
    ASSERT_EQ(77u, first.size());
    EXPECT_NE(std::string::npos, reg.find(first + "\\\r\n  00,04,00,00,00,05,00,00,00\r\n")) << reg;
    size_t lineStart = 0;
    for (size_t end; (end = reg.find("\r\n", lineStart)) != std::string::npos; lineStart = end + 2)
        EXPECT_LE(end - lineStart, 80u) << reg.substr(lineStart, end - lineStart);
}

TEST(RegFileEncode, QuotesBackslashesAndLineBreaksSurvive)
{
    int complete = 0;
    std::string reg = Reg(MakeKey("01A\"B\\C;", {Version(1, 0, 0, 0, 0)}), &complete);
    EXPECT_NE(std::string::npos, reg.find("\"APP-A\\\"B\\\\C-01\"=hex:")) << reg;
    EXPECT_NE(std::string::npos, reg.find("\"APPINFO\"=\"01A\\\"B\\\\C;\"\r\n")) << reg;
    EXPECT_EQ(1, complete);

    // A list with a line feed after its last record goes as the REG_SZ
    // bytes, terminator included.
    reg = Reg(MakeKey("00A;\n", {}));
    EXPECT_NE(std::string::npos, reg.find("\"APPINFO\"=hex(1):30,30,41,3b,0a,00\r\n")) << reg;
}

TEST(ExchangeFiles, ANameWithAControlCharacterIsNeverWritten)
{
    Key k = MakeKey("01OK.EXE;01A\"]\r[HKEY_LOCAL_MACHINE\\Software\\Evil]\r\"X\"=\"Y;",
                    {Version(1, 0, 0, 0, 0), Version(1, 0, 0, 0, 0)});
    char name[kNameSize] = "";
    ASSERT_TRUE(FindUncarriedName(k.appInfo.c_str(), name));
    EXPECT_EQ(std::string("A\"]\r[HKEY_LOCAL_MACHINE\\Software\\Evil]\r\"X\"=\"Y"), name);
    std::vector<char> buf(4000, '#');
    EXPECT_EQ(0u, EncodeRegFile(View(k), buf.data(), buf.size(), nullptr));
    EXPECT_EQ(0u, EncodeInfFile(View(k), buf.data(), buf.size(), nullptr));
    EXPECT_EQ(std::string(buf.size(), '#'), std::string(buf.begin(), buf.end()));
    // The .inf list line cannot carry one even where no name holds it.
    EXPECT_EQ(0u, EncodeInfFile(View(MakeKey("00A;\x01", {})), nullptr, 0, nullptr));
    EXPECT_FALSE(FindUncarriedName("01A.EXE;00B\x80;\x01", nullptr));
}

TEST(RegFileEncode, AMissingValueIsLeftOutAndSaidSo)
{
    int complete = 1;
    std::string reg = Reg(MakeKey("02A.EXE;", {Missing(), Version(1, 0, 0, 0, 0)}), &complete);
    EXPECT_EQ(0, complete);
    EXPECT_EQ(std::string::npos, reg.find("APP-A.EXE-01"));
    EXPECT_NE(std::string::npos, reg.find("APP-A.EXE-02"));
}

TEST(FlagFileEncode, WritesNoMoreThanTheBufferHolds)
{
    std::string whole = Afe(ExampleKey());
    Key k = ExampleKey();
    for (size_t cap : {size_t{0}, size_t{5}, size_t{50}, whole.size() - 1}) {
        std::vector<char> buf(whole.size() + 8, '#');
        int complete = 0;
        EXPECT_EQ(whole.size(), EncodeFlagFile(View(k), buf.data(), cap, &complete)) << "cap " << cap;
        for (size_t i = cap; i < buf.size(); ++i)
            ASSERT_EQ('#', buf[i]) << "cap " << cap << " byte " << i;
        std::vector<char> inf(400, '#');
        unsigned n = 0;
        EncodeInfFile(View(k), inf.data(), cap, &n);
        for (size_t i = cap; i < inf.size(); ++i)
            ASSERT_EQ('#', inf[i]) << "inf cap " << cap << " byte " << i;
        std::vector<char> reg(600, '#');
        EncodeRegFile(View(k), reg.data(), cap, &complete);
        for (size_t i = cap; i < reg.size(); ++i)
            ASSERT_EQ('#', reg[i]) << "reg cap " << cap << " byte " << i;
    }
}

TEST(FlagFileEncode, MissingValueBreaksTheAfeButNotTheInfNumbering)
{
    Key k = MakeKey("03A.EXE;01B.EXE;", {Version(1, 1, 1, 0, 0), Missing(), Version(1, 3, 3, 0, 0),
                                          Version(1, 4, 4, 0, 0)});
    int complete = 1;
    std::string afe = Afe(k, &complete);
    EXPECT_EQ(0, complete);
    EXPECT_EQ("00034\n03A.EXE;01B.EXE;\n"
              "0000000100000001000000010000000000000000\n"
              "0000000100000003000000030000000000000000\n"
              "0000000100000004000000040000000000000000\n",
              afe);

    unsigned numItems = 0;
    std::string inf = Inf(k, &numItems);
    EXPECT_EQ(3u, numItems);
    EXPECT_EQ("[DEFAPPFLAG]\r\n"
              "AppInfoSize = 34\r\n"
              "AppInfo = 03A.EXE;01B.EXE;\r\n"
              "AppFlag1 = APP-A.EXE-01,00000001,00000001,00000001,00000000,00000000\r\n"
              "AppFlag2 = APP-A.EXE-03,00000001,00000003,00000003,00000000,00000000\r\n"
              "AppFlag3 = APP-B.EXE-01,00000001,00000004,00000004,00000000,00000000\r\n"
              "NumItems = 3\r\n",
              inf);
}

TEST(FlagFileEncode, SizeLineDescribesTheListWritten)
{
    // A key whose APPINFO-SIZE disagrees with its list: the .afe must still
    // say how long its own list line is; the INF carries the stored value.
    Key k = ExampleKey();
    k.appInfoSize = 40;
    EXPECT_EQ(0u, Afe(k).find("00018\n02A.EXE;\n"));
    EXPECT_NE(std::string::npos, Inf(k).find("AppInfoSize = 40\r\n"));
}

TEST(FlagFileEncode, SizeLineBoundaryAt99999)
{
    // 617 records of 81 characters and one of 21: 49,998 characters, size 99,998.
    std::string longest = Records(617, 0, 78) + "00" + std::string(18, 'M') + ";";
    ASSERT_EQ(kMaxFlagListChars, longest.size());
    int complete = 0;
    std::string afe = Afe(MakeKey(longest, {}), &complete);
    EXPECT_EQ("99998\n", afe.substr(0, 6));
    EXPECT_EQ(1, complete);
    auto d = NewDecoded();
    EXPECT_EQ(FlagFileError::None, Decode(afe, *d));
    EXPECT_EQ(618, d->appCount);

    // One character more needs a six-digit size line, which no reader takes.
    std::string tooLong = Records(617, 0, 78) + "00" + std::string(19, 'M') + ";";
    ASSERT_EQ(kMaxFlagListChars + 1, tooLong.size());
    afe = Afe(MakeKey(tooLong, {}), &complete);
    EXPECT_EQ("100000\n", afe.substr(0, 7));
    EXPECT_EQ(0, complete);
    EXPECT_EQ(FlagFileError::BadSize, Decode(afe, *d));
}

TEST(FlagFileEncode, WalkPassesOverWhatTheLoadPassesOver)
{
    std::string longName(81, 'L');
    Key k = MakeKey("01A.EXE;X;01" + longName + ";02B;0;trailing", {Version(1, 1, 0, 0, 0), Version(1, 2, 0, 0, 0),
                                                                      Version(1, 3, 0, 0, 0)});
    StoredWalk w;
    BeginStoredWalk(w, k.appInfo.c_str());
    char name[kValueNameSize];
    std::vector<std::string> names;
    while (NextStoredValue(w, name))
        names.push_back(name);
    EXPECT_EQ((std::vector<std::string>{"APP-A.EXE-01", "APP-B-01", "APP-B-02"}), names);
    EXPECT_EQ(2u, w.skips.badRecords) << "X and 0";
    EXPECT_EQ(1u, w.skips.longNames);
    EXPECT_EQ(3u, CountStoredValues(k.appInfo.c_str()));

    int complete = 1;
    Afe(k, &complete);
    EXPECT_EQ(0, complete) << "the file would not read back";
    unsigned numItems = 0;
    Inf(k, &numItems);
    EXPECT_EQ(3u, numItems);
}

TEST(FlagFileEncode, WalkStopsAtTheTableCapacities)
{
    EXPECT_EQ(size_t{kMaxEntries}, CountStoredValues((Repeat("99A;", 101) + "02B;").c_str()));
    StoredWalk w;
    std::string apps = Repeat("01A;", kMaxApps + 2);
    BeginStoredWalk(w, apps.c_str());
    char name[kValueNameSize];
    while (NextStoredValue(w, name)) {
    }
    EXPECT_EQ(kMaxApps, w.apps);
    EXPECT_EQ(2u, w.skips.appsOverLimit);
}

TEST(FlagFileDecode, ReadsTheExample)
{
    auto d = NewDecoded();
    ASSERT_EQ(FlagFileError::None, Decode(Afe(ExampleKey()), *d));
    ASSERT_TRUE(CountsAre(*d, 1, 2));
    EXPECT_STREQ("A.EXE", d->appNames[0]);
    const AppFlagEntry& a = d->entries[0];
    EXPECT_EQ(0, a.appIndex);
    EXPECT_EQ(1u, a.tag);
    EXPECT_TRUE(VersionIs(a, 0x50002u, 0xAu));
    EXPECT_TRUE(FlagsAre(a, 1u, 0x80000000u));
    const AppFlagEntry& b = d->entries[1];
    EXPECT_EQ(0, b.appIndex);
    EXPECT_EQ(7u, b.tag);
    EXPECT_EQ(0x6DEADBEEu, b.flagsLow);
}

TEST(FlagFileDecode, EmptyTable)
{
    auto d = NewDecoded();
    EXPECT_EQ(FlagFileError::None, Decode(std::string("00002\n\n", 7), *d));
    EXPECT_TRUE(CountsAre(*d, 0, 0));
}

TEST(FlagFileDecode, RoundTripKeepsOrderCaseAndEveryWord)
{
    Key k = MakeKey("02A.EXE;00Empty.exe;03note.exe;", {Version(0xFFFFFFFF, 1, 2, 3, 4), Version(0, 5, 6, 7, 8),
                                                         Version(2, 9, 10, 11, 12), Version(1, 13, 14, 15, 16),
                                                         Version(1, 0xFEDCBA98, 0x76543210, 0xFFFFFFFF, 0x1)});
    int complete = 0;
    std::string afe = Afe(k, &complete);
    ASSERT_EQ(1, complete);
    auto d = NewDecoded();
    ASSERT_EQ(FlagFileError::None, Decode(afe, *d));
    ASSERT_TRUE(CountsAre(*d, 3, 5));
    EXPECT_STREQ("A.EXE", d->appNames[0]);
    EXPECT_STREQ("Empty.exe", d->appNames[1]);
    EXPECT_STREQ("note.exe", d->appNames[2]) << "names keep their case";
    const uint16_t owners[] = {0, 0, 2, 2, 2};
    for (int j = 0; j < 5; ++j) {
        EXPECT_EQ(owners[j], d->entries[j].appIndex) << "entry " << j;
        unsigned char record[kVersionRecordSize];
        EncodeVersionRecord(d->entries[j], record);
        EXPECT_EQ(0, std::memcmp(k.versions[j].record, record, sizeof record)) << "entry " << j;
    }
}

TEST(FlagFileDecode, LowerCaseHexReadsTheSameWords)
{
    std::string upper = "00018\n02A.EXE;\n00ABCDEF0000FFFF0000000AFFFFFFFF80000000\n"
                        "DEADBEEF000000010000000200000003CAFEBABE\n";
    std::string lower = "00018\n02A.EXE;\n00abcdef0000ffff0000000affffffff80000000\n"
                        "deadbeef000000010000000200000003cafebabe\n";
    auto a = NewDecoded();
    auto b = NewDecoded();
    ASSERT_EQ(FlagFileError::None, Decode(upper, *a));
    ASSERT_EQ(FlagFileError::None, Decode(lower, *b));
    ASSERT_EQ(2, b->entryCount);
    EXPECT_EQ(0x00ABCDEFu, b->entries[0].tag);
    EXPECT_EQ(0xCAFEBABEu, b->entries[1].flagsHigh);
    for (int j = 0; j < 2; ++j) {
        unsigned char ra[kVersionRecordSize];
        unsigned char rb[kVersionRecordSize];
        EncodeVersionRecord(a->entries[j], ra);
        EncodeVersionRecord(b->entries[j], rb);
        EXPECT_EQ(0, std::memcmp(ra, rb, sizeof ra)) << "entry " << j;
    }
}

TEST(FlagFileDecode, OddSizeIsRoundedDown)
{
    auto d = NewDecoded();
    ASSERT_EQ(FlagFileError::None, Decode(std::string("00019\n02A.EXE;\n") + kLineA1 + kLineA2, *d));
    EXPECT_TRUE(CountsAre(*d, 1, 2));
    EXPECT_EQ(FlagFileError::None, Decode("00003\n\n", *d)) << "3 reads an empty list";
}

TEST(FlagFileDecode, IgnoresWhatTheReaderNeverReaches)
{
    // Characters after the last ";" and bytes after the last line are not read.
    auto d = NewDecoded();
    ASSERT_EQ(FlagFileError::None, Decode(std::string("00024\n02A.EXE;xyz\n") + kLineA1 + kLineA2 + "junk", *d));
    EXPECT_TRUE(CountsAre(*d, 1, 2));
}

TEST(FlagFileDecode, TakesTheTableCapacitiesExactly)
{
    auto d = NewDecoded();
    std::string apps = Records(kMaxApps, 0, 5);
    ASSERT_EQ(FlagFileError::None, Decode(SizeLine(apps) + apps + "\n", *d));
    EXPECT_EQ(kMaxApps, d->appCount);

    std::string list = Records(101, 99, 5) + "01B;";
    std::string file = SizeLine(list) + list + "\n" + Repeat(kLineA1, kMaxEntries);
    ASSERT_EQ(FlagFileError::None, Decode(file, *d));
    EXPECT_EQ(kMaxEntries, d->entryCount);
    EXPECT_EQ(101, d->entries[kMaxEntries - 1].appIndex);
}

struct Malformed {
    const char* what;
    std::string file;
    FlagFileError error;
};

std::vector<Malformed> MalformedFiles()
{
    const std::string head = "00018\n02A.EXE;\n";
    const std::string a1 = kLineA1;
    const std::string a2 = kLineA2;
    std::string longName = "01" + std::string(81, 'N') + ";";
    std::string apps = Repeat("00A;", kMaxApps + 1);
    std::string entries = Repeat("99A;", 101) + "02B;";
    return {
        {"empty file", "", FlagFileError::ShortFile},
        {"ends in the size field", "0001", FlagFileError::ShortFile},
        {"size without its LF", "00002", FlagFileError::ShortFile},
        {"size 1", "00001\n\n", FlagFileError::BadSize},
        {"size 0", "00000\n\n", FlagFileError::BadSize},
        {"leading blank", " 0018\n02A.EXE;\n" + a1 + a2, FlagFileError::BadSize},
        {"leading letter", "x0002\n\n", FlagFileError::BadSize},
        {"leading sign", "+0018\n02A.EXE;\n" + a1 + a2, FlagFileError::BadSize},
        {"six-digit size", "100000\n\n", FlagFileError::BadSize},
        {"CR LF after the size", "00002\r\n\n", FlagFileError::BadSize},
        {"list shorter than the size", "00018\n02A.EX;\n" + a1 + a2, FlagFileError::BadListLine},
        {"list longer than the size", "00018\n02A.EXE;;\n" + a1 + a2, FlagFileError::BadListLine},
        {"list with a zero byte", std::string("00018\n02A\0EXE;\n", 15) + a1 + a2, FlagFileError::BadListLine},
        {"list cut short", "00018\n02A.E", FlagFileError::ShortFile},
        {"list without its LF", "00018\n02A.EXE;", FlagFileError::ShortFile},
        {"one version line of two", head + a1, FlagFileError::MissingVersionLine},
        {"no version line", head, FlagFileError::MissingVersionLine},
        {"39 digits", head + a1.substr(1) + a2, FlagFileError::BadVersionLine},
        {"41 digits", head + "0" + a1 + a2, FlagFileError::BadVersionLine},
        {"not a hex digit", head + "G" + a1.substr(1) + a2, FlagFileError::BadVersionLine},
        {"leading blank in a word", head + " " + a1.substr(1) + a2, FlagFileError::BadVersionLine},
        {"CR LF line ends", head + a1.substr(0, 40) + "\r\n" + a2.substr(0, 40) + "\r\n",
         FlagFileError::BadVersionLine},
        {"ends inside a version line", head + a1 + a2.substr(0, 20), FlagFileError::ShortFile},
        {"version line without its LF", head + a1 + a2.substr(0, 40), FlagFileError::ShortFile},
        {"count not two digits", "00018\n2A.EXE;;\n" + a1 + a2, FlagFileError::BadRecord},
        {"record without a count", "00004\n;\n", FlagFileError::BadRecord},
        {"name over 80 characters", SizeLine(longName) + longName + "\n" + a1, FlagFileError::NameTooLong},
        {"CR in a name", "00018\n02A\rEXE;\n" + a1 + a2, FlagFileError::NameHasControl},
        {"DEL in a name", "00018\n02A.EX\x7F;\n" + a1 + a2, FlagFileError::NameHasControl},
        {"names equal but for letter case", "00034\n01A.EXE;01a.exe;\n" + a1 + a2, FlagFileError::NameCaseTwins},
        {"the same in the upper half", "00046\n01CAF\xC9.EXE;01caf\xE9.exe;\n" + a1 + a2,
         FlagFileError::NameCaseTwins},
        {"longer than any flag file", head + a1 + a2 + std::string(kMaxFlagFileBytes, '\n'), FlagFileError::TooLarge},
        {"more applications than the table holds", SizeLine(apps) + apps + "\n", FlagFileError::TooManyApps},
        {"more entries than the table holds", SizeLine(entries) + entries + "\n" + Repeat(a1, kMaxEntries + 1),
         FlagFileError::TooManyEntries},
    };
}

TEST(FlagFileDecode, RefusesMalformedFiles)
{
    auto d = NewDecoded();
    for (const Malformed& m : MalformedFiles()) {
        std::memset(d.get(), 0xA5, sizeof(DecodedFlagFile));
        EXPECT_EQ(m.error, Decode(m.file, *d)) << m.what;
        EXPECT_TRUE(CountsAre(*d, 0, 0)) << m.what;
    }
}

TEST(FlagFileDecode, EveryCutOfAValidFileIsRefused)
{
    std::string afe = Afe(MakeKey("01A.EXE;00B;02C;", {Version(1, 2, 3, 4, 5), Version(6, 7, 8, 9, 10),
                                                       Version(11, 12, 13, 14, 15)}));
    auto d = NewDecoded();
    for (size_t n = 0; n < afe.size(); ++n)
        EXPECT_NE(FlagFileError::None, DecodeFlagFile(afe.data(), n, *d)) << "first " << n << " bytes";
    EXPECT_EQ(FlagFileError::None, Decode(afe, *d));
}

TEST(ApplyDecodedFlagFile, ReplacesTheContentsAndLeavesTheRestToTheCaller)
{
    auto t = NewTable();
    for (int i = 0; i < 4; ++i) {
        std::strcpy(t->appNames[i], "OLD.EXE");
        t->entries[i].appIndex = static_cast<uint16_t>(i);
        t->entries[i].versionMS = 99;
    }
    t->appCount = 4;
    t->entryCount = 4;
    t->currentApp = 3;
    t->currentEntry = 3;
    t->modified = 1;
    t->flagClipboard[0] = 0x1234;

    auto d = NewDecoded();
    ASSERT_EQ(FlagFileError::None,
              Decode(Afe(MakeKey("00x.exe;01y.exe;", {Version(5, 6, 7, 8, 9)})), *d));
    ApplyDecodedFlagFile(*d, *t);
    EXPECT_TRUE(CountsAre(*t, 2, 1));
    EXPECT_STREQ("x.exe", t->appNames[0]);
    EXPECT_STREQ("y.exe", t->appNames[1]);
    EXPECT_STREQ("", t->appNames[2]) << "old names are cleared";
    EXPECT_EQ(1, t->entries[0].appIndex);
    EXPECT_EQ(5u, t->entries[0].tag);
    EXPECT_EQ(9u, t->entries[0].flagsHigh);
    EXPECT_EQ(0, t->entries[1].appIndex);
    EXPECT_EQ(0u, t->entries[1].versionMS) << "old entries are cleared";
    EXPECT_EQ(3, t->currentApp) << "the selection is the caller's";
    EXPECT_EQ(1, t->modified) << "modified is the caller's";
    EXPECT_EQ(0x1234u, t->flagClipboard[0]);
}

}  // namespace
