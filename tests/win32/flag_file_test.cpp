// The exports and the import against the real registry of the test prefix,
// real files and real combo boxes and check boxes under a hidden parent.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "file_text.h"
#include "shown_table.h"
#include "store/flag_file_win32.h"
#include "base/platform_win32.h"
#include "store/registry_layout.h"
#include "store/registry_store_win32.h"
#include "stored_key_win32.h"
#include "table_fixture_win32.h"

namespace {

void WriteFileText(const std::string& path, const std::string& text)
{
    ASSERT_TRUE(WriteFileBytes(path, text)) << path;
}

const char kLine1[] = "00000001000500020000000A0000000180000000";
const char kLine2[] = "0000000700010000000200036DEADBEE00000000";
const char kLine3[] = "00000002000000030000000400000005FFFFFFFF";

class FlagFiles : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        char dir[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(sizeof dir, dir));
        std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        afePath = std::string(dir) + "vavezav_" + test + ".afe";
        infPath = std::string(dir) + "vavezav_" + test + ".inf";
        DeleteFileA(afePath.c_str());
        DeleteFileA(infPath.c_str());
    }

    void TearDown() override
    {
        StoreTest::TearDown();
        DeleteFileA(afePath.c_str());
        DeleteFileA(infPath.c_str());
    }

    // Every export of the stored key refuses it for its names and leaves
    // the earlier file.
    void ExpectEveryExportRefuses(NameRefusalKind kind, const char* name, const char* other)
    {
        for (int (*exporter)(const char*, NameRefusal*) : {ExportFlagFile, ExportInfFile, ExportRegFile}) {
            WriteFileText(afePath, "earlier\n");
            NameRefusal refusal = {};
            EXPECT_EQ(0, exporter(afePath.c_str(), &refusal));
            EXPECT_EQ(kind, refusal.kind);
            EXPECT_STREQ(name, refusal.name);
            EXPECT_STREQ(other, refusal.other);
            EXPECT_EQ("earlier\n", ReadFileText(afePath));
        }
    }

    // What the lists and boxes show, the boxes as Checked() writes them.
    ShownTable Show()
    {
        return {ComboRows(appCombo), ComboRows(versionCombo), SendMessageA(appCombo, CB_GETCURSEL, 0, 0),
                SendMessageA(versionCombo, CB_GETCURSEL, 0, 0), Checked()};
    }

    // As the Import command does: a table read whole is shown.
    int Import(const std::string& path)
    {
        int ok = ImportFlagFile(*table, path.c_str());
        if (ok)
            ShowLoaded();
        return ok;
    }

    void ClearControls()
    {
        SendMessageA(appCombo, CB_RESETCONTENT, 0, 0);
        SendMessageA(versionCombo, CB_RESETCONTENT, 0, 0);
        for (int k = 0; k < kFlagCount; ++k)
            SendMessageA(boxes[k], BM_SETCHECK, BST_UNCHECKED, 0);
    }

    std::string afePath;
    std::string infPath;
};

TEST_F(FlagFiles, MissingVersionValueBreaksTheAfeButNotTheInf)
{
    PutAppInfo("03A.EXE;01B.EXE;", 34);
    PutVersion("APP-A.EXE-01", 1, 0x50002, 0xA, 1, 0x80000000);
    PutVersion("APP-A.EXE-03", 7, 0x10000, 0x20003, 0x6DEADBEE, 0);
    PutVersion("APP-B.EXE-01", 2, 3, 4, 5, 0xFFFFFFFF);

    EXPECT_EQ(0, ExportFlagFile(afePath.c_str()));
    EXPECT_EQ(std::string("00034\n03A.EXE;01B.EXE;\n") + kLine1 + "\n" + kLine2 + "\n" + kLine3 + "\n",
              ReadFileText(afePath));

    EXPECT_EQ(1, ExportInfFile(infPath.c_str()));
    EXPECT_EQ("[DEFAPPFLAG]\r\n"
              "AppInfoSize = 34\r\n"
              "AppInfo = 03A.EXE;01B.EXE;\r\n"
              "AppFlag1 = APP-A.EXE-01,00000001,00050002,0000000A,00000001,80000000\r\n"
              "AppFlag2 = APP-A.EXE-03,00000007,00010000,00020003,6DEADBEE,00000000\r\n"
              "AppFlag3 = APP-B.EXE-01,00000002,00000003,00000004,00000005,FFFFFFFF\r\n"
              "NumItems = 3\r\n",
              ReadFileText(infPath));
    EXPECT_TRUE(ShownTexts().empty()) << ShownTexts().front();
}

TEST_F(FlagFiles, ValuesOfTheWrongLengthCountAsMissing)
{
    PutAppInfo("03A.EXE;", 18);
    PutVersion("APP-A.EXE-01", 1, 0x50002, 0xA, 1, 0x80000000);
    unsigned char longer[24] = {1};
    PutValue("APP-A.EXE-02", REG_BINARY, longer, sizeof longer);
    PutValue("APP-A.EXE-03", REG_BINARY, longer, 16);

    EXPECT_EQ(0, ExportFlagFile(afePath.c_str()));
    EXPECT_EQ(std::string("00018\n03A.EXE;\n") + kLine1 + "\n", ReadFileText(afePath));
    EXPECT_EQ(1, ExportInfFile(infPath.c_str()));
    std::string inf = ReadFileText(infPath);
    EXPECT_NE(std::string::npos, inf.find("AppFlag1 = APP-A.EXE-01,")) << inf;
    EXPECT_EQ(std::string::npos, inf.find("AppFlag2")) << inf;
    EXPECT_NE(std::string::npos, inf.find("\r\nNumItems = 1\r\n")) << inf;
}

TEST_F(FlagFiles, ExportThatCannotReadTheKeyLeavesTheEarlierFile)
{
    const std::string earlier = "earlier contents\n";
    auto expectUntouched = [&](const char* why) {
        WriteFileText(afePath, earlier);
        WriteFileText(infPath, earlier);
        EXPECT_EQ(0, ExportFlagFile(afePath.c_str())) << why;
        EXPECT_EQ(0, ExportInfFile(infPath.c_str())) << why;
        EXPECT_EQ(earlier, ReadFileText(afePath)) << why;
        EXPECT_EQ(earlier, ReadFileText(infPath)) << why;
    };

    expectUntouched("key absent");

    PutValue(kAppInfoValue, REG_SZ, "02A.EXE;", 9);
    expectUntouched("APPINFO-SIZE missing");

    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFlagKeyPath);
    DWORD size = 18;
    PutValue(kAppInfoSizeValue, REG_DWORD, &size, sizeof size);
    expectUntouched("APPINFO missing");

    size = 2;
    PutValue(kAppInfoSizeValue, REG_DWORD, &size, sizeof size);
    PutValue(kAppInfoValue, REG_SZ, "02A.EXE;", 9);
    expectUntouched("APPINFO longer than APPINFO-SIZE + 2");

    PutAppInfo("02A.EXE;", 18);
    platform.openKey = FailingOpen;
    failCode = ERROR_ACCESS_DENIED;
    expectUntouched("key cannot be opened");

    ResetPlatform();
    platform.queryValue = FailingQuery;
    failOn = "APPINFO";
    failCode = ERROR_MORE_DATA;
    expectUntouched("APPINFO unreadable");
    EXPECT_TRUE(ShownTexts().empty());
}

TEST_F(FlagFiles, ExportToAFileThatCannotBeCreated)
{
    PutAppInfo("", 2);
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    std::string path = std::string(dir) + "vavezav_no_such_folder\\x.afe";
    EXPECT_EQ(0, ExportFlagFile(path.c_str()));
    EXPECT_EQ(0, ExportInfFile(path.c_str()));
}

TEST_F(FlagFiles, ExportOfAnEmptyStoredTable)
{
    ASSERT_EQ(1, Save());
    WriteFileText(afePath, "a longer earlier file that must not survive");
    EXPECT_EQ(1, ExportFlagFile(afePath.c_str()));
    EXPECT_EQ(std::string("00002\n\n"), ReadFileText(afePath));
    EXPECT_EQ(1, ExportInfFile(infPath.c_str()));
    EXPECT_EQ("[DEFAPPFLAG]\r\nAppInfoSize = 2\r\nAppInfo = \r\nNumItems = 0\r\n", ReadFileText(infPath));

    AddTable({"OLD.EXE"}, {{0, 2, 3, 4, 5, 1}});
    EXPECT_EQ(1, Import(afePath));
    EXPECT_TRUE(CountsAre(*table, 0, 0));
    EXPECT_TRUE(ComboRows(appCombo).empty());
}

TEST_F(FlagFiles, ExportImportAndSaveReproduceTheKey)
{
    AddApps({"notepad.exe", "EMPTY.EXE", "WORDPAD.EXE"});
    AddEntries({{2, 0x10000, 0x1, 0, 0, 0}, {0, 0x50002, 0xA, 0x80000001, 0x7, 1},
                {2, 0x20000, 0x2, 0x12345678, 0x9ABCDEF0, 0xFFFFFFFF}, {0, 0x60000, 0, 0, 0x80000000, 42},
                {2, 0x30000, 0x3, 0xFFFFFFFF, 0xFFFFFFFF, 3}});
    ASSERT_EQ(1, Save());
    KeyContents before = ReadKey();
    ASSERT_EQ(7u, before.size());

    ASSERT_EQ(1, ExportFlagFile(afePath.c_str()));
    std::memset(table, 0, sizeof(FlagTable));
    ClearControls();
    ASSERT_EQ(1, Import(afePath));
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFlagKeyPath);
    ASSERT_EQ(1, Save());
    EXPECT_EQ(before, ReadKey());
    EXPECT_TRUE(ShownTexts().empty());
}

TEST_F(FlagFiles, ImportFillsTheListsAndTheBoxes)
{
    // The table held something else before.
    AddTable({"OLD.EXE"}, {{0, 9, 9, 0xFFFF, 0, 1}});
    SendMessageA(appCombo, CB_SETCURSEL, 0, 0);
    table->currentApp = 0;
    table->currentEntry = 0;
    table->modified = 0;

    WriteFileText(afePath, std::string("00056\n02note.exe;00B.EXE;01c.exe;\n") + kLine1 + "\n" + kLine2 + "\n" +
                               kLine3 + "\n");
    ASSERT_EQ(1, Import(afePath));
    EXPECT_TRUE(CountsAre(*table, 3, 3));
    EXPECT_STREQ("note.exe", table->appNames[0]) << "appNames keep the case of the file";
    EXPECT_STREQ("c.exe", table->appNames[2]);
    EXPECT_EQ(2, table->entries[2].appIndex);
    EXPECT_EQ(0xFFFFFFFFu, table->entries[2].flagsHigh);
    EXPECT_EQ(0, table->currentApp);
    EXPECT_EQ(0, table->currentEntry);
    EXPECT_EQ(0, table->modified) << "modified is the caller's";

    ShownTable expected = {
        {"NOTE.EXE", "B.EXE", "C.EXE"}, {"00050002-0000000A", "00010000-00020003"}, 0, 0, "1 64 "};
    EXPECT_EQ(expected, Show());
    EXPECT_TRUE(ShownTexts().empty());
}

TEST_F(FlagFiles, ImportWhoseFirstApplicationHasNoVersions)
{
    for (int k = 0; k < kFlagCount; ++k)
        SendMessageA(boxes[k], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(versionCombo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("stale"));

    WriteFileText(afePath, std::string("00034\n00A.EXE;01B.EXE;\n") + kLine3 + "\n");
    ASSERT_EQ(1, Import(afePath));
    EXPECT_TRUE(CountsAre(*table, 2, 1));
    ShownTable expected = {{"A.EXE", "B.EXE"}, {}, 0, CB_ERR, ""};
    EXPECT_EQ(expected, Show()) << "the boxes show the first entry only when it is the first application's";
}

TEST_F(FlagFiles, FailedImportLeavesEverythingAsItWas)
{
    WriteFileText(afePath, std::string("00056\n02note.exe;00B.EXE;01c.exe;\n") + kLine1 + "\n" + kLine2 + "\n" +
                               kLine3 + "\n");
    ASSERT_EQ(1, Import(afePath));
    // Move the selection and the boxes away from what an import sets.
    SendMessageA(appCombo, CB_SETCURSEL, 2, 0);
    SendMessageA(versionCombo, CB_SETCURSEL, 1, 0);
    SendMessageA(boxes[9], BM_SETCHECK, BST_CHECKED, 0);
    table->currentApp = 2;
    table->currentEntry = 2;
    table->currentVersionRow = 1;
    table->modified = 1;
    auto saved = std::make_unique<FlagTable>();
    std::memcpy(saved.get(), table, sizeof(FlagTable));
    ShownTable shown = Show();

    const std::string good = std::string("00018\n02A.EXE;\n") + kLine1 + "\n" + kLine2 + "\n";
    struct Bad {
        const char* what;
        std::string file;
    };
    const Bad bad[] = {
        {"empty file", ""},
        {"cut inside the last line", good.substr(0, good.size() - 5)},
        {"one version line short", good.substr(0, good.size() - 41)},
        {"size below 2", "00001\n\n"},
        {"size without a digit", "  018\n02A.EXE;\n" + good.substr(15)},
        {"list shorter than the size", "00020\n02A.EXE;\n" + good.substr(15)},
        {"not hexadecimal", "00018\n02A.EXE;\n0000000X" + good.substr(23)},
        {"CR LF line ends", "00018\r\n02A.EXE;\r\n"},
        {"name over 80 characters", "00172\n01" + std::string(82, 'N') + ";\n" + kLine1 + "\n"},
        {"CR in a name", "00018\n02A\rEXE;\n" + good.substr(15)},
    };
    std::string badPath = afePath + ".bad";
    for (const Bad& b : bad) {
        WriteFileText(badPath, b.file);
        EXPECT_EQ(0, Import(badPath)) << b.what;
        EXPECT_EQ(0, std::memcmp(saved.get(), table, sizeof(FlagTable))) << b.what;
        EXPECT_EQ(shown, Show()) << b.what;
    }
    DeleteFileA(badPath.c_str());

    EXPECT_EQ(0, Import(badPath)) << "missing file";
    HANDLE held = CreateFileA(afePath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(0, Import(afePath)) << "file held open by another without sharing";
    CloseHandle(held);
    EXPECT_EQ(0, std::memcmp(saved.get(), table, sizeof(FlagTable)));
    EXPECT_EQ(shown, Show());
    EXPECT_TRUE(ShownTexts().empty());
}

TEST_F(FlagFiles, ANameWithAControlCharacterIsSavedAsStoredButNeverExported)
{
    PutAppInfo("01OK.EXE;01A\rB.EXE;", 40);
    PutVersion("APP-OK.EXE-01", 1, 2, 3, 4, 5);
    PutVersion("APP-A\rB.EXE-01", 6, 7, 8, 9, 10);
    const KeyContents stored = ReadKey();
    Load();
    EXPECT_STREQ("A\rB.EXE", table->appNames[1]);
    ASSERT_EQ(1, Save());
    EXPECT_TRUE(KeyHolds(stored));

    ExpectEveryExportRefuses(NameRefusalKind::Uncarried, "A\rB.EXE", "");
    EXPECT_TRUE(ShownTexts().empty());
}

// The registry keeps one value for both: the key is never saved over.
TEST_F(FlagFiles, NamesEqualButForLetterCaseInTheKeyAreNeverSavedOverOrExported)
{
    PutAppInfo("01caf\xE9.exe;01OK.EXE;01CAF\xC9.EXE;", 64);
    PutVersion("APP-CAF\xC9.EXE-01", 1, 2, 3, 4, 5);
    PutVersion("APP-OK.EXE-01", 6, 7, 8, 9, 10);
    const KeyContents stored = ReadKey();
    Load();
    table->entries[0].flagsLow = 0xFF;
    EXPECT_EQ(0, Save());
    EXPECT_TRUE(KeyHolds(stored));
    ASSERT_EQ(1u, ShownTexts().size());
    EXPECT_NE(std::string::npos, ShownTexts()[0].find("caf\xE9.exe\nCAF\xC9.EXE\n")) << ShownTexts()[0];
    ExpectEveryExportRefuses(NameRefusalKind::CaseTwins, "caf\xE9.exe", "CAF\xC9.EXE");
}

// regedit /S in this prefix, with a time limit.
bool ApplyWithRegedit(const std::string& regPath)
{
    std::string command = "regedit.exe /S \"" + regPath + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    DWORD waited = WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return waited == WAIT_OBJECT_0 && code == 0;
}

TEST_F(FlagFiles, RegExportAppliedByRegeditGivesTheKeySaveWrites)
{
    // Names of every length up to the longest, flags in every byte.
    AddApps({"Winword.exe", std::string(kMaxNameChars, 'N').c_str(), "CALC.EXE"});
    AddEntries({{0, 0x90000, 0xB5E, 0x5, 0x80000000, 1}, {1, 1, 2, 0xFFFFFFFF, 0x01020304, 9},
                {0, 0xA0000, 0x1770, 0, 0, 7}, {2, 0xFFFFFFFF, 0xFFFFFFFF, 0x6DEADBEE, 0, 1}});
    ASSERT_EQ(1, Save());
    KeyContents saved = ReadKey();
    ASSERT_EQ(6u, saved.size());

    std::string regPath = afePath.substr(0, afePath.size() - 4) + ".reg";
    ASSERT_EQ(1, ExportRegFile(regPath.c_str()));
    std::string reg = ReadFileText(regPath);
    EXPECT_EQ(0u, reg.find("REGEDIT4\r\n\r\n[-HKEY_LOCAL_MACHINE\\Software\\Kavix\\ZOLT\\APPFLAG\\ZOLTDriver]\r\n"))
        << reg;

    // Applied where the key holds another table and a stray value: the
    // result is the saved key exactly.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFlagKeyPath);
    PutAppInfo("01OTHER.EXE;", 26);
    PutVersion("APP-OTHER.EXE-01", 1, 2, 3, 4, 5);
    DWORD stray = 7;
    PutValue("STRAY", REG_DWORD, &stray, sizeof stray);
    ASSERT_TRUE(ApplyWithRegedit(regPath)) << reg;
    EXPECT_TRUE(ReadKey() == saved) << reg;
    DeleteFileA(regPath.c_str());
    EXPECT_TRUE(ShownTexts().empty());
}

}  // namespace
