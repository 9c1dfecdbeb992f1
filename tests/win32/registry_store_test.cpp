// LoadFlagTable and SaveFlagTable against the real registry of the test
// prefix, with real combo boxes and check boxes under a hidden parent.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "afetool_run.h"
#include "file_text.h"
#include "store/flag_file_win32.h"
#include "base/platform_win32.h"
#include "store/registry_api_win32.h"
#include "store/registry_layout.h"
#include "store/registry_store_win32.h"
#include "stored_key_win32.h"
#include "table_fixture_win32.h"

namespace {

using RegistryStore = StoreTest;

TEST_F(RegistryStore, SavesOneApplicationWithTwoVersionsExactly)
{
    AddTable({"A.EXE"}, {{0, 0x00050001, 0x0A280000, 0x10, 0x80000000}, {0, 0x00060000, 0x00000001}});
    ASSERT_EQ(1, Save());
    EXPECT_TRUE(ShownTexts().empty());

    auto values = ReadKey();
    ASSERT_EQ(4u, values.size()) << "APPINFO, APPINFO-SIZE and two version values, nothing else";
    EXPECT_EQ((StoredValue{REG_SZ, {'0', '2', 'A', '.', 'E', 'X', 'E', ';', 0}}), values["APPINFO"]);
    EXPECT_EQ((StoredValue{REG_DWORD, {18, 0, 0, 0}}), values["APPINFO-SIZE"]);
    EXPECT_EQ((StoredValue{REG_BINARY, {1, 0, 0, 0, 0x01, 0, 0x05, 0, 0, 0, 0x28, 0x0A, 0x10, 0, 0, 0, 0, 0, 0, 0x80}}),
              values["APP-A.EXE-01"]);
    ASSERT_NE(nullptr, FindValue(values, "APP-A.EXE-02"));

    Load();
    EXPECT_TRUE(ShownTexts().empty());
    EXPECT_TRUE(CountsAre(*table, 1, 2));
    EXPECT_EQ(std::vector<std::string>{"A.EXE"}, ComboRows(appCombo));
    EXPECT_EQ((std::vector<std::string>{"00050001-0A280000", "00060000-00000001"}), ComboRows(versionCombo));
    EXPECT_EQ(0, SendMessageA(appCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(0, SendMessageA(versionCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("5 64 ", Checked()) << "flags of the first version";
}

TEST_F(RegistryStore, EmptyTableRoundTrip)
{
    ASSERT_EQ(1, Save());
    auto values = ReadKey();
    ASSERT_EQ(2u, values.size());
    EXPECT_EQ((StoredValue{REG_SZ, {0}}), values["APPINFO"]);
    EXPECT_EQ((StoredValue{REG_DWORD, {2, 0, 0, 0}}), values["APPINFO-SIZE"]);

    AddApp("STALE.EXE");  // what a load must clear
    AddEntry(0, 1, 1, 1);
    SendMessageA(boxes[0], BM_SETCHECK, BST_CHECKED, 0);
    Load();
    EXPECT_TRUE(ShownTexts().empty()) << ShownTexts()[0];
    EXPECT_TRUE(CountsAre(*table, 0, 0));
    EXPECT_EQ(0, RowCount(appCombo));
    EXPECT_EQ(0, RowCount(versionCombo));
    EXPECT_EQ("", Checked());
    EXPECT_EQ('\0', table->appNames[0][0]);
}

TEST_F(RegistryStore, AbsentKeyLoadsAnEmptyTableSilently)
{
    AddTable({"STALE.EXE"}, {{0, 1, 1}});
    table->currentEntry = 0;
    Load();
    EXPECT_TRUE(ShownTexts().empty());
    EXPECT_TRUE(CountsAre(*table, 0, 0));
    EXPECT_EQ(0, RowCount(appCombo));
}

TEST_F(RegistryStore, ApplicationWithoutVersions)
{
    AddTable({"B.EXE", "C.EXE"}, {{1, 3, 4, 1}});
    ASSERT_EQ(1, Save());
    auto values = ReadKey();
    EXPECT_EQ(0, std::memcmp("00B.EXE;01C.EXE;", FindValue(values, "APPINFO")->data.data(), 17));

    Load();
    EXPECT_TRUE(ShownTexts().empty());
    EXPECT_TRUE(CountsAre(*table, 2, 1));
    EXPECT_EQ(0, RowCount(versionCombo)) << "the first application has no version";
    EXPECT_EQ("", Checked()) << "the first entry read belongs to another application";
    EXPECT_EQ(1, table->entries[0].appIndex);
}

TEST_F(RegistryStore, MissingVersionValueIsReportedOnceAndSkipped)
{
    PutAppInfo("03A.EXE;", 18);
    PutVersion("APP-A.EXE-01", 1, 1, 0, 0, 0);
    PutVersion("APP-A.EXE-03", 0xDEADBEEF, 3, 0, 0, 0);
    Load();
    EXPECT_EQ(std::vector<std::string>{"get flag data fail\nCode=2"}, ShownTexts());
    EXPECT_EQ(2, table->entryCount) << "only the entries read";
    EXPECT_EQ(3u, table->entries[1].versionMS);
    EXPECT_EQ(0xDEADBEEFu, table->entries[1].tag) << "tag is carried unchanged";
    EXPECT_EQ(2, RowCount(versionCombo));
}

TEST_F(RegistryStore, MissingSizeGivesCode2)
{
    PutValue(kAppInfoValue, REG_SZ, "01A.EXE;", 9);
    PutVersion("APP-A.EXE-01", 1, 1, 0, 0, 0);
    Load();
    EXPECT_EQ(std::vector<std::string>{"Get Size fail\nCode=2"}, ShownTexts());
    EXPECT_EQ(0, table->appCount);
    EXPECT_EQ(0, RowCount(appCombo));
}

TEST_F(RegistryStore, ListLongerThanSizePlusTwoGivesCode234)
{
    PutAppInfo("01ABCDEFGH.EXE;", 8);  // 16 bytes stored, 10 offered
    Load();
    EXPECT_EQ(std::vector<std::string>{"Get application name fail\nCode=234"}, ShownTexts());
    EXPECT_EQ(0, table->appCount);
    EXPECT_EQ(0, RowCount(appCombo));
}

TEST_F(RegistryStore, ListWithoutTerminatorThatFillsTheBufferStaysInside)
{
    // 10 bytes without a zero, APPINFO-SIZE 8: the read fills all 10 offered bytes.
    PutValue(kAppInfoValue, REG_BINARY, "01A.EXE;01", 10);
    DWORD size = 8;
    PutValue(kAppInfoSizeValue, REG_DWORD, &size, sizeof size);
    PutVersion("APP-A.EXE-01", 1, 1, 2, 0, 0);
    Load();
    EXPECT_TRUE(ShownTexts().empty());
    EXPECT_TRUE(CountsAre(*table, 1, 1));
}

TEST_F(RegistryStore, NamesAreStoredInUpperCaseAndKeepTheirCaseInMemory)
{
    AddTable({"notepad.exe"}, {{0, 1, 2}});
    ShowLoaded();
    EXPECT_EQ("NOTEPAD.EXE", Row(appCombo, 0)) << "rows are upper case whatever the combo box does";
    ASSERT_EQ(1, Save());
    auto values = ReadKey();
    EXPECT_NE(nullptr, FindValue(values, "APP-NOTEPAD.EXE-01"));
    EXPECT_EQ(0, std::memcmp("01NOTEPAD.EXE;", FindValue(values, "APPINFO")->data.data(), 15));
    EXPECT_STREQ("notepad.exe", table->appNames[0]);

    PutAppInfo("01mixed.Exe;", 26);
    PutVersion("APP-mixed.Exe-01", 1, 1, 2, 0, 0);
    Load();
    EXPECT_STREQ("mixed.Exe", table->appNames[0]) << "appNames keep the stored case";
    EXPECT_EQ("MIXED.EXE", Row(appCombo, 0));
}

TEST_F(RegistryStore, OrdinalsAreDenseInTableOrderAndTheKeyIsRewritten)
{
    PutVersion("APP-A.EXE-07", 1, 9, 9, 0, 0);  // a value of an earlier save
    AddTable({"A.EXE", "B.EXE"}, {{0, 3, 0}, {1, 1, 0}, {0, 1, 0}, {1, 2, 0}, {0, 2, 0}});
    ASSERT_EQ(1, Save());
    auto values = ReadKey();
    EXPECT_EQ(nullptr, FindValue(values, "APP-A.EXE-07"));
    EXPECT_EQ(7u, values.size());
    const uint32_t expectA[] = {3, 1, 2};
    for (int k = 0; k < 3; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "APP-A.EXE-%02d", k + 1);
        const StoredValue* v = FindValue(values, name);
        ASSERT_NE(nullptr, v) << name;
        EXPECT_EQ(expectA[k], v->data[4]) << name;
    }
    EXPECT_EQ(0, std::memcmp("03A.EXE;02B.EXE;", FindValue(values, "APPINFO")->data.data(), 17));
}

TEST_F(RegistryStore, FailedCallsShowTheirCodeAndResult)
{
    AddTable({"A.EXE"}, {{0, 1, 0}, {0, 2, 0}});
    ASSERT_EQ(1, Save());
    const KeyContents before = ReadKey();
    failCode = ERROR_ACCESS_DENIED;

    platform.createKey = FailingCreate;
    EXPECT_EQ(0, Save());
    ResetPlatform();

    platform.setValue = FailingSet;
    failOn = "APP-A.EXE-0";  // both versions: the save goes on after the first
    EXPECT_EQ(0, Save());
    failOn = "APPINFO";  // both APPINFO and APPINFO-SIZE
    EXPECT_EQ(0, Save());
    ResetPlatform();
    EXPECT_TRUE(ReadKey() == before) << "a failed save left the earlier table changed";

    const std::vector<std::string> expected = {
        "Open Printer fail\nCode=5",
        "SetPrinterData fail(binary)\nCode=5",
        "SetPrinterData fail(binary)\nCode=5",
        "SetPrinterData fail(sz)\nCode=5",
        "SetPrinterData fail(dword)\nCode=5",
    };
    EXPECT_EQ(expected, ShownTexts());
}

TEST_F(RegistryStore, FailedReadsOnLoad)
{
    ASSERT_EQ(1, (AddApp("A.EXE"), AddEntry(0, 1, 0), Save()));
    failCode = ERROR_ACCESS_DENIED;

    platform.openKey = FailingOpen;
    Load();
    EXPECT_TRUE(ShownTexts().empty()) << "a key that cannot be opened loads silently";
    EXPECT_EQ(0, table->appCount);
    ResetPlatform();

    platform.queryValue = FailingQuery;
    failOn = "APPINFO-SIZE";
    Load();
    failOn = "APP-A.EXE-01";
    Load();
    EXPECT_TRUE(CountsAre(*table, 1, 0));
    ResetPlatform();
    const std::vector<std::string> expected = {"Get Size fail\nCode=5", "get flag data fail\nCode=5"};
    EXPECT_EQ(expected, ShownTexts());
}

TEST_F(RegistryStore, AnUnstorableTableIsRefusedAndTheKeyLeftAsItWas)
{
    PutAppInfo("01KEEP.EXE;", 24);
    PutVersion("APP-KEEP.EXE-01", 1, 1, 1, 0, 0);
    const auto before = ReadKey();

    struct Case {
        const char* what;
        std::string row;
        int versions;
    };
    // A name over 80 characters cannot reach a name slot; the layout's
    // refusal of one is a unit test.
    const Case cases[] = {
        {"separator", "A;B.EXE", 1},
        {"empty", "", 1},
        {"100 versions", "MANY.EXE", 100},
    };
    for (const Case& c : cases) {
        std::memset(table, 0, sizeof(FlagTable));
        AddTable({"OK.EXE"}, {{0, 1, 1}});
        std::strcpy(table->appNames[1], c.row.c_str());
        table->appCount = 2;
        for (int k = 0; k < c.versions; ++k)
            AddEntry(1, static_cast<uint32_t>(k), 0);
        shownMessages.clear();
        EXPECT_EQ(0, Save()) << c.what;
        ASSERT_EQ(1u, ShownTexts().size()) << c.what;
        EXPECT_NE(std::string::npos, ShownTexts()[0].find("cannot be saved")) << c.what;
        EXPECT_NE(std::string::npos, ShownTexts()[0].find(c.row.substr(0, 20))) << c.what;
        EXPECT_EQ(before, ReadKey()) << c.what;
    }
}

TEST_F(RegistryStore, NinetyNineVersionsAreStoredAndLoaded)
{
    AddApp("MANY.EXE");
    for (int k = 0; k < 99; ++k)
        AddEntry(0, static_cast<uint32_t>(k), 0);
    ASSERT_EQ(1, Save());
    Load();
    EXPECT_TRUE(ShownTexts().empty());
    EXPECT_EQ(99, table->entryCount);
    EXPECT_EQ(98u, table->entries[98].versionMS);
}

TEST_F(RegistryStore, StoredDataBeyondTheLayoutIsSkippedWithOneMessage)
{
    std::string longName(81, 'L');
    std::string info = "02A.EXE;5;xxJUNK;01" + longName + ";01SHORT.EXE;01B.EXE;";
    PutAppInfo(info.c_str(), AppInfoSizeFor(info.size()));
    PutVersion("APP-A.EXE-01", 1, 1, 0, 0, 0);
    PutVersion("APP-A.EXE-02", 1, 2, 0, 0, 0);
    PutValue("APP-SHORT.EXE-01", REG_BINARY, "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A", 10);
    PutVersion("APP-B.EXE-01", 1, 7, 0, 0, 0);
    Load();
    ASSERT_EQ(1u, ShownTexts().size());
    EXPECT_NE(std::string::npos, ShownTexts()[0].find("2 application record(s)")) << ShownTexts()[0];
    EXPECT_NE(std::string::npos, ShownTexts()[0].find("1 application(s) with a name over 80")) << ShownTexts()[0];
    EXPECT_NE(std::string::npos, ShownTexts()[0].find("1 version value(s) shorter")) << ShownTexts()[0];
    ASSERT_EQ(3, table->appCount);
    EXPECT_STREQ("A.EXE", table->appNames[0]);
    EXPECT_STREQ("SHORT.EXE", table->appNames[1]);
    EXPECT_STREQ("B.EXE", table->appNames[2]);
    EXPECT_EQ(3, RowCount(appCombo));
    ASSERT_EQ(3, table->entryCount);
    EXPECT_EQ(2, table->entries[2].appIndex);
    EXPECT_EQ(7u, table->entries[2].versionMS);
}

TEST_F(RegistryStore, AHugeSizeDoesNotOverflowTheBuffer)
{
    PutValue(kAppInfoValue, REG_SZ, "01A.EXE;", 9);
    DWORD size = 0xFFFFFFFF;
    PutValue(kAppInfoSizeValue, REG_DWORD, &size, sizeof size);
    Load();
    EXPECT_EQ(std::vector<std::string>{"GlobalAlloc fail"}, ShownTexts());
    EXPECT_EQ(0, table->appCount);
}

// The registry view: what reaches the registry calls, with WOW64 as the test
// says. The calls go on to the real registry of the prefix.
struct ViewCall {
    std::string call;
    REGSAM sam;
};
std::vector<ViewCall> viewCalls;
bool fakeWow64 = false;

bool FakeRunsUnderWow64() { return fakeWow64; }
LONG WINAPI RecordOpen(HKEY root, LPCSTR path, DWORD options, REGSAM sam, PHKEY key)
{
    viewCalls.push_back({"open", sam});
    return RegOpenKeyExA(root, path, options, sam, key);
}
LONG WINAPI RecordCreate(HKEY root, LPCSTR path, DWORD reserved, LPSTR cls, DWORD options, REGSAM sam,
                         LPSECURITY_ATTRIBUTES sa, PHKEY key, LPDWORD disposition)
{
    viewCalls.push_back({"create", sam});
    return RegCreateKeyExA(root, path, reserved, cls, options, sam, sa, key, disposition);
}
LONG WINAPI RecordDelete(HKEY root, LPCSTR path)
{
    viewCalls.push_back({"delete", 0});
    return RegDeleteKeyA(root, path);
}
LONG WINAPI RecordDeleteEx(HKEY root, LPCSTR path, REGSAM sam, DWORD reserved)
{
    viewCalls.push_back({"deleteEx", sam});
    return kSystemPlatform.deleteKeyEx ? kSystemPlatform.deleteKeyEx(root, path, sam, reserved)
                                          : RegDeleteKeyA(root, path);
}
LONG WINAPI RecordSet(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD length)
{
    viewCalls.push_back({"set", 0});
    return RegSetValueExA(key, name, reserved, type, data, length);
}

class RegistryView : public RegistryStore {
protected:
    void SetUp() override
    {
        RegistryStore::SetUp();
        viewCalls.clear();
        platform.openKey = RecordOpen;
        platform.createKey = RecordCreate;
        platform.deleteKey = RecordDelete;
        platform.deleteKeyEx = RecordDeleteEx;
        platform.setValue = RecordSet;
        platform.runsUnderWow64 = FakeRunsUnderWow64;
        AddTable({"A.EXE"}, {{0, 1, 2, 0x10}});
        DeleteFileA(ExportPath());
    }

    void TearDown() override
    {
        DeleteFileA(ExportPath());
        RegistryStore::TearDown();
    }

    static const char* ExportPath() { return "registry_view_test.afe"; }

    // Save (twice: the second replaces a key), load and export, with the
    // calls each made to the key.
    void SaveLoadExport()
    {
        ASSERT_EQ(1, Save());
        ASSERT_EQ(1, Save());
        Load();
        ASSERT_EQ(1, table->entryCount);
        ASSERT_EQ(1, ExportFlagFile(ExportPath()));
        ASSERT_EQ(1, ExportInfFile(ExportPath()));
    }

    // The kinds of key calls (not the value writes) with their access.
    std::set<std::string> KeyCalls(REGSAM viewFlag) const
    {
        std::set<std::string> calls;
        for (const ViewCall& c : viewCalls) {
            if (c.call == "set")
                continue;
            bool flagged = (c.sam & viewFlag) != 0;
            if (c.call != "delete" && c.call != "deleteEx" && (c.sam & KEY_ALL_ACCESS) != KEY_ALL_ACCESS)
                calls.insert(c.call + " without KEY_ALL_ACCESS");
            else
                calls.insert(c.call + (flagged ? " 64" : ""));
        }
        return calls;
    }
};

TEST_F(RegistryView, UnderWow64EveryKeyCallReachesThe64BitView)
{
    fakeWow64 = true;
    SaveLoadExport();
    const std::set<std::string> expected = {"deleteEx 64", "create 64", "open 64"};
    EXPECT_EQ(expected, KeyCalls(KEY_WOW64_64KEY));
    EXPECT_TRUE(ShownTexts().empty());
}

TEST_F(RegistryView, WithoutWow64NoViewFlagIsPassed)
{
    // Windows 2000 answers the view flags with access denied.
    fakeWow64 = false;
    SaveLoadExport();
    const std::set<std::string> expected = {"delete", "create", "open"};
    EXPECT_EQ(expected, KeyCalls(KEY_WOW64_64KEY | KEY_WOW64_32KEY));
}

TEST_F(RegistryView, Wow64WithoutRegDeleteKeyExRefusesBeforeTouchingTheKey)
{
    fakeWow64 = false;
    ASSERT_EQ(1, Save());
    KeyContents before = ReadKey();
    ASSERT_FALSE(before.empty());
    viewCalls.clear();

    fakeWow64 = true;
    platform.deleteKeyEx = nullptr;
    AddEntry(0, 3, 4);
    EXPECT_EQ(0, Save());
    EXPECT_TRUE(viewCalls.empty()) << viewCalls.front().call;
    EXPECT_TRUE(ReadKey() == before) << "the stored table changed";
    ASSERT_EQ(std::vector<std::string>{kCannotDeleteFlagKeyText}, ShownTexts());
}

TEST(RegistryViewSystem, The64BitBuildNeverAsksForAView)
{
    ResetPlatform();
    if (sizeof(void*) == 8) {
        EXPECT_FALSE(kSystemPlatform.runsUnderWow64());
        EXPECT_EQ(static_cast<REGSAM>(KEY_ALL_ACCESS), FlagKeyAccess());
    }
    // Wine, like every Windows from Vista on, has RegDeleteKeyExA.
    EXPECT_NE(nullptr, kSystemPlatform.deleteKeyEx);
    EXPECT_TRUE(CanDeleteFlagKey());
}

// On 64-bit Windows (a 64-bit prefix) the program works on the key in the
// 64-bit view, where the driver reads it: the 64-bit build by nature, the
// 32-bit build under WOW64 by asking for that view. The 32-bit build on
// 32-bit Windows has one view only: skipped there, or failed when the run
// asked for WOW64 (VAVEZAV_EXPECT_WOW64=1).
bool HasTwoViews()
{
    return sizeof(void*) == 8 || kSystemPlatform.runsUnderWow64();
}

class Wow64View : public RegistryStore {
protected:
    void SetUp() override
    {
        if (!HasTwoViews()) {
            if (GetEnvironmentVariableA("VAVEZAV_EXPECT_WOW64", nullptr, 0) > 0)
                FAIL() << "VAVEZAV_EXPECT_WOW64 is set, but this is no 32-bit program on 64-bit Windows";
            GTEST_SKIP() << "one registry view only: a 32-bit build in a 32-bit prefix";
        }
        RegistryStore::SetUp();
        DeleteBothViews();
    }

    void TearDown() override
    {
        if (!HasTwoViews())
            return;
        DeleteBothViews();
        testView = 0;
        RegistryStore::TearDown();
    }

    static void DeleteBothViews()
    {
        kSystemPlatform.deleteKeyEx(HKEY_LOCAL_MACHINE, kFlagKeyPath, KEY_WOW64_64KEY, 0);
        kSystemPlatform.deleteKeyEx(HKEY_LOCAL_MACHINE, kFlagKeyPath, KEY_WOW64_32KEY, 0);
    }

    static void Plant(REGSAM view, const char* appInfo, const char* valueName, uint32_t low)
    {
        testView = view;
        PutAppInfo(appInfo, AppInfoSizeFor(std::strlen(appInfo)));
        PutVersion(valueName, 1, 1, 0, low, 0);
        testView = 0;
    }

    static KeyContents Read(REGSAM view)
    {
        testView = view;
        KeyContents k = ReadKey();
        testView = 0;
        return k;
    }
};

TEST_F(Wow64View, LoadShowsThe64BitTableAndNotTheRedirectedOne)
{
    Plant(KEY_WOW64_64KEY, "01DRIVER64.EXE;", "APP-DRIVER64.EXE-01", 0x64);
    Plant(KEY_WOW64_32KEY, "01REDIRECTED.EXE;", "APP-REDIRECTED.EXE-01", 0x32);
    Load();
    ASSERT_EQ(1, table->appCount);
    EXPECT_STREQ("DRIVER64.EXE", table->appNames[0]);
    EXPECT_EQ(0x64u, table->entries[0].flagsLow);

    // A table planted only under Wow6432Node is not shown.
    DeleteBothViews();
    Plant(KEY_WOW64_32KEY, "01REDIRECTED.EXE;", "APP-REDIRECTED.EXE-01", 0x32);
    Load();
    EXPECT_EQ(0, table->appCount);
}

TEST_F(Wow64View, SaveLandsInThe64BitViewAndExportReadsIt)
{
    Plant(KEY_WOW64_32KEY, "01REDIRECTED.EXE;", "APP-REDIRECTED.EXE-01", 0x32);
    KeyContents redirected = Read(KEY_WOW64_32KEY);
    AddTable({"A.EXE"}, {{0, 0x00050000, 7, 0x11, 0x80000000}});
    ASSERT_EQ(1, Save());
    KeyContents saved = Read(KEY_WOW64_64KEY);
    ASSERT_EQ(3u, saved.size());
    EXPECT_EQ((StoredValue{REG_BINARY, {1, 0, 0, 0, 0, 0, 5, 0, 7, 0, 0, 0, 0x11, 0, 0, 0, 0, 0, 0, 0x80}}),
              saved["APP-A.EXE-01"]);
    EXPECT_TRUE(Read(KEY_WOW64_32KEY) == redirected) << "the save touched Wow6432Node";

    const char* path = "wow64_view_test.afe";
    ASSERT_EQ(1, ExportFlagFile(path));
    std::string text = ReadFileText(path);
    DeleteFileA(path);
    EXPECT_NE(std::string::npos, text.find("01A.EXE;")) << text;
    EXPECT_EQ(std::string::npos, text.find("REDIRECTED")) << text;
}

// What a 32-bit regedit or reg import leaves on 64-bit Windows: the table in
// Wow6432Node only, which verify names.
TEST_F(Wow64View, VerifyNamesATableInThe32BitView)
{
    Plant(KEY_WOW64_32KEY, "01REDIRECTED.EXE;", "APP-REDIRECTED.EXE-01", 0x32);
    const char* path = "wow64_verify_test.afe";
    ASSERT_TRUE(WriteFileBytes(path, "00036\n01REDIRECTED.EXE;\n0000000100000001000000000000003200000000\n"));
    ToolRun r = RunAfeToolWith({"verify", path});
    DeleteFileA(path);
    EXPECT_EQ(2, r.status);
    EXPECT_NE(std::string::npos, r.out.find("32-bit registry view (Software\\Wow6432Node")) << r.out << r.err;
}

}  // namespace
