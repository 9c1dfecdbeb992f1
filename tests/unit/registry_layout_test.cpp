#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "store/registry_layout.h"
#include "table_builder.h"

namespace {

TEST(ValueName, AppNameDashTwoDigitOrdinal)
{
    char name[kValueNameSize];
    ASSERT_TRUE(FormatValueName(name, sizeof name, "A.EXE", 1));
    EXPECT_STREQ("APP-A.EXE-01", name);
    ASSERT_TRUE(FormatValueName(name, sizeof name, "A.EXE", 99));
    EXPECT_STREQ("APP-A.EXE-99", name);
    std::string longest(kMaxNameChars, 'N');
    ASSERT_TRUE(FormatValueName(name, sizeof name, longest.c_str(), 99));
    EXPECT_EQ(4 + kMaxNameChars + 3, std::strlen(name));
}

TEST(ValueName, RefusesANameThatDoesNotFit)
{
    char name[16];
    std::memset(name, 'x', sizeof name);
    EXPECT_FALSE(FormatValueName(name, sizeof name, "A-VERY-LONG-NAME.EXE", 1));
    EXPECT_STREQ("", name);
}

TEST(VersionRecord, FiveLittleEndianWordsRoundTrip)
{
    AppFlagEntry e = {};
    e.tag = 1;
    e.versionMS = 0x00050001;
    e.versionLS = 0x0A280000;
    e.flagsLow = 0x00000010;
    e.flagsHigh = 0x80000000;
    unsigned char bytes[kVersionRecordSize];
    EncodeVersionRecord(e, bytes);
    const unsigned char expected[kVersionRecordSize] = {
        0x01, 0, 0, 0, 0x01, 0, 0x05, 0, 0, 0, 0x28, 0x0A, 0x10, 0, 0, 0, 0, 0, 0, 0x80,
    };
    EXPECT_EQ(0, std::memcmp(expected, bytes, sizeof bytes));

    AppFlagEntry back = {};
    back.appIndex = 7;
    DecodeVersionRecord(bytes, back);
    EXPECT_EQ(7, back.appIndex) << "appIndex is not part of the record";
    EXPECT_EQ(e.tag, back.tag);
    EXPECT_TRUE(VersionIs(back, e.versionMS, e.versionLS));
    EXPECT_TRUE(FlagsAre(back, e.flagsLow, e.flagsHigh));
}

struct Scanned {
    RecordStatus status;
    int count;
    std::string name;
};

std::vector<Scanned> ScanAll(const char* text)
{
    std::vector<Scanned> out;
    size_t pos = 0;
    AppInfoRecord rec;
    while (NextAppInfoRecord(text, pos, rec))
        out.push_back({rec.status, rec.count, std::string(rec.name, rec.nameLength)});
    return out;
}

TEST(AppInfoScan, RecordsInOrderAndTrailingTextIgnored)
{
    auto records = ScanAll("02A.EXE;00B.EXE;12C;tail");
    ASSERT_EQ(3u, records.size());
    EXPECT_EQ(RecordStatus::Ok, records[0].status);
    EXPECT_EQ(2, records[0].count);
    EXPECT_EQ("A.EXE", records[0].name);
    EXPECT_EQ(0, records[1].count);
    EXPECT_EQ("B.EXE", records[1].name);
    EXPECT_EQ(12, records[2].count);
    EXPECT_EQ("C", records[2].name);
    EXPECT_TRUE(ScanAll("").empty());
}

TEST(AppInfoScan, FlagsWhatTheLayoutDoesNotForesee)
{
    std::string longName(kMaxNameChars + 1, 'L');
    std::string text = ";5;x1A;01" + longName + ";01" + longName.substr(1) + ";";
    auto records = ScanAll(text.c_str());
    ASSERT_EQ(5u, records.size());
    EXPECT_EQ(RecordStatus::TooShort, records[0].status) << "empty record";
    EXPECT_EQ(RecordStatus::TooShort, records[1].status) << "one character";
    EXPECT_EQ(RecordStatus::BadCount, records[2].status);
    EXPECT_EQ(RecordStatus::NameTooLong, records[3].status);
    EXPECT_EQ(RecordStatus::Ok, records[4].status) << "exactly 80 characters fit";
    EXPECT_EQ(RecordStatus::Ok, ScanAll("00;")[0].status) << "an empty name is stored as it stands";
}

TEST(AppInfoBuild, CountNameSeparatorAndSizeRule)
{
    char buf[64] = {};
    size_t len = 0;
    ASSERT_TRUE(AppendAppInfoRecord(buf, sizeof buf, len, 2, "A.EXE"));
    EXPECT_STREQ("02A.EXE;", buf);
    EXPECT_EQ(8u, len);
    EXPECT_EQ(18u, AppInfoSizeFor(len));
    ASSERT_TRUE(AppendAppInfoRecord(buf, sizeof buf, len, 0, "B"));
    EXPECT_STREQ("02A.EXE;00B;", buf);
    EXPECT_EQ(2u, AppInfoSizeFor(0)) << "an empty list";
}

TEST(AppInfoBuild, RefusesARecordThatWouldNotFitWithItsTerminator)
{
    char buf[10];
    std::memset(buf, '#', sizeof buf);
    buf[0] = '\0';
    size_t len = 0;
    ASSERT_TRUE(AppendAppInfoRecord(buf, sizeof buf, len, 1, "ABCDEF"));  // 9 chars + NUL = 10
    EXPECT_STREQ("01ABCDEF;", buf);
    EXPECT_FALSE(AppendAppInfoRecord(buf, sizeof buf, len, 1, ""));
    EXPECT_STREQ("01ABCDEF;", buf) << "a refused record leaves the text unchanged";
    EXPECT_EQ(9u, len);
}

TEST(AppInfoBuild, TheSaveRefusesNamesEqualButForLetterCase)
{
    auto t = NewTable();
    AddApps(*t, {"caf\xE9.exe", "B.EXE", "Notepad.exe", "CAF\xC9.EXE"});
    AddEntry(*t, 2, 1, 1);
    auto groups = std::make_unique<EntriesByApp>();
    auto work = std::make_unique<FoldedNames>();
    auto appInfo = std::make_unique<char[]>(kAppInfoBufferSize);
    GroupEntriesByApp(*t, *groups);
    size_t length = 0;
    uint16_t app = 0xFFFF, twin = 0xFFFF;
    ASSERT_EQ(StoreProblem::NameCaseTwins,
              BuildStoredAppInfo(*t, *groups, *work, appInfo.get(), kAppInfoBufferSize, length, app, twin));
    EXPECT_EQ(0, app);
    EXPECT_EQ(3, twin);

    std::strcpy(t->appNames[3], "Calc.exe");
    ASSERT_EQ(StoreProblem::None,
              BuildStoredAppInfo(*t, *groups, *work, appInfo.get(), kAppInfoBufferSize, length, app, twin));
    EXPECT_STREQ("00CAF\xC9.EXE;00B.EXE;01NOTEPAD.EXE;00CALC.EXE;", appInfo.get()) << "as the list shows them";
}

TEST(StoredName, EmptyTooLongOrWithSeparatorIsRefused)
{
    EXPECT_EQ(StoreProblem::None, CheckStoredName("NOTEPAD.EXE"));
    EXPECT_EQ(StoreProblem::EmptyName, CheckStoredName(""));
    EXPECT_EQ(StoreProblem::NameHasSeparator, CheckStoredName("A;B.EXE"));
    // A name the key already holds is saved back as it is.
    EXPECT_EQ(StoreProblem::None, CheckStoredName("A\rB"));
    EXPECT_EQ(StoreProblem::None, CheckStoredName(std::string(80, 'X').c_str()));
    EXPECT_EQ(StoreProblem::NameTooLong, CheckStoredName(std::string(81, 'X').c_str()));
}

TEST(Messages, StoreProblemNamesTheApplicationAndFitsTheBuffer)
{
    char text[256];
    FormatStoreProblem(text, sizeof text, StoreProblem::TooManyVersions, "BIG.EXE");
    EXPECT_NE(nullptr, std::strstr(text, "BIG.EXE"));
    EXPECT_NE(nullptr, std::strstr(text, "99"));
    std::string huge(300, 'H');
    FormatStoreProblem(text, sizeof text, StoreProblem::NameTooLong, huge.c_str());
    EXPECT_LT(std::strlen(text), sizeof text);
}

TEST(Messages, LoadSkipsListOnlyWhatWasSkipped)
{
    LoadSkips none = {};
    EXPECT_FALSE(AnySkipped(none));
    LoadSkips s = {};
    s.badRecords = 2;
    s.shortValues = 1;
    ASSERT_TRUE(AnySkipped(s));
    char text[256];
    FormatLoadSkips(text, sizeof text, s);
    EXPECT_NE(nullptr, std::strstr(text, "2 application record(s)"));
    EXPECT_NE(nullptr, std::strstr(text, "1 version value(s) shorter than 20 bytes"));
    EXPECT_EQ(nullptr, std::strstr(text, "limit"));
    LoadSkips all = {9999, 9999, 9999, 9999, 9999};
    char small[40];
    FormatLoadSkips(small, sizeof small, all);
    EXPECT_LT(std::strlen(small), sizeof small);
}

}  // namespace
