// Import and Export on the real program through the system's open and save
// dialogs: the files' exact bytes against the stored key, the import into the
// lists and boxes, a bad file that changes nothing, and what each leaves of
// the unsaved-changes mark.
#include "example_files.h"
#include "file_dialog_win32.h"
#include "file_text.h"
#include "save_fixture_win32.h"
#include "shown_table.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

namespace {

const char kSaveQuestion[] = "Save changes to Registory?";
const char kExportQuestion[] = "Export will copy reg data to file.\nDo you save changes to reg before export?";
const char kImportFailed[] = "Inport doen not complete successfully.";
const char kExportFailed[] = "Export doen not complete successfully.";
const char kAfeType[] = "Application Flag File(*.afe)";
const char kInfType[] = "Inf File(*.inf)";
const char kRegType[] = "Registration File(*.reg)";

// Names already in capitals, so a save writes them back unchanged; tags
// other than the 1 of new entries, so a lost tag shows.
const TestVersion kStoredWord[2] = {{0x00090000, 0x00000BB8, 0x80000011, 0x80000001, 1},
                                    {0x000A0000, 0x00001770, 0x00000002, 0x40000000, 7}};
const TestVersion kStoredCalc[1] = {{0x00050001, 0x0A280001, 0x0000F000, 0x00010000, 0xDEADBEEF}};
const TestApp kStored[2] = {{"WINWORD.EXE", 2, kStoredWord}, {"CALC.EXE", 1, kStoredCalc}};

// What the tests import: other names in other letter case.
const TestVersion kImportedNotepad[2] = {{0x00060001, 0x1DB10106, 0x00000005, 0x80000000, 2},
                                         {0x00060002, 0x00000000, 0xFFFFFFFF, 0x00000001, 3}};
const TestVersion kImportedPaint[1] = {{0x000A0000, 0x4A610001, 0x00000100, 0x00000000, 0xCAFEF00D}};
const TestApp kImported[3] = {
    {"notepad.exe", 2, kImportedNotepad}, {"Paint.EXE", 1, kImportedPaint}, {"mspub.exe", 0, nullptr}};

// Every file a test named; the fixture removes them afterwards.
std::vector<std::string> namedFiles;

// The driver names files beside its own exe, as Windows paths (Z:\...); a
// file of that name left from before is removed.
std::string FilePath(const char* name)
{
    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    char* slash = strrchr(exe, '\\');
    if (slash)
        *slash = '\0';
    std::string dir = std::string(exe) + "\\e2e-files";
    CreateDirectoryA(dir.c_str(), nullptr);
    namedFiles.push_back(dir + "\\" + name);
    DeleteFileA(namedFiles.back().c_str());
    return namedFiles.back();
}

// The five words as the .afe line or the .inf fields print them.
std::string Words(const StoredValue& record, const char* separator)
{
    std::string out;
    for (int w = 0; w < 5; ++w) {
        char hex[16];
        snprintf(hex, sizeof hex, "%s%08X", w ? separator : "", static_cast<unsigned>(record.Word(w)));
        out += hex;
    }
    return out;
}

// Reads the stored key the way the driver does and lays it out as the
// files hold it. Values missing from the key are passed over.
struct StoredLines {
    uint32_t size = 0;
    std::string appInfo;
    std::vector<std::string> names;        // version values present, in APPINFO order
    std::vector<std::string> afeLines;     // "%08X" x 5
    std::vector<std::string> infFields;    // "%08X," x 5
};

bool ReadStoredLines(const KeyContents& key, StoredLines& s)
{
    const StoredValue* size = FindValue(key, "APPINFO-SIZE");
    const StoredValue* info = FindValue(key, "APPINFO");
    if (!size || size->data.size() != 4 || !info)
        return false;
    s.size = size->Word(0);
    s.appInfo = std::string(info->data.begin(), info->data.end()).c_str();
    size_t start = 0;
    for (size_t semi; (semi = s.appInfo.find(';', start)) != std::string::npos; start = semi + 1) {
        std::string record = s.appInfo.substr(start, semi - start);
        int count = atoi(record.substr(0, 2).c_str());
        std::string name = record.substr(2);
        for (int k = 1; k <= count; ++k) {
            char valueName[128];
            snprintf(valueName, sizeof valueName, "APP-%s-%02d", name.c_str(), k);
            const StoredValue* v = FindValue(key, valueName);
            if (!v || v->data.size() != 20)
                continue;
            s.names.push_back(valueName);
            s.afeLines.push_back(Words(*v, ""));
            s.infFields.push_back(Words(*v, ","));
        }
    }
    return true;
}

// The .afe file of a key.
std::string AfeOf(const KeyContents& key)
{
    StoredLines s;
    if (!ReadStoredLines(key, s))
        return "<no stored table>";
    char head[16];
    snprintf(head, sizeof head, "%05u\n", static_cast<unsigned>(s.size));
    std::string out = head + s.appInfo + "\n";
    for (const std::string& line : s.afeLines)
        out += line + "\n";
    return out;
}

std::string AfeFromKey()
{
    return AfeOf(ReadKey());
}

std::string InfFromKey()
{
    StoredLines s;
    if (!ReadStoredLines(ReadKey(), s))
        return "<no stored table>";
    std::string out = "[DEFAPPFLAG]\r\nAppInfoSize = " + std::to_string(s.size) + "\r\nAppInfo = " + s.appInfo + "\r\n";
    for (size_t i = 0; i < s.names.size(); ++i)
        out += "AppFlag" + std::to_string(i + 1) + " = " + s.names[i] + "," + s.infFields[i] + "\r\n";
    return out + "NumItems = " + std::to_string(s.names.size()) + "\r\n";
}

// An .afe file of a table, made here; lowerHex writes the digits of the
// version lines in small letters, which the reader takes too.
template <size_t N>
std::string AfeFor(const TestApp (&apps)[N], bool lowerHex = false)
{
    std::string afe = AfeOf(KeyForTable(apps, static_cast<int>(N), true));
    size_t lines = afe.find('\n', afe.find('\n') + 1);
    for (size_t i = lines; lowerHex && i < afe.size(); ++i)
        afe[i] = static_cast<char>(tolower(static_cast<unsigned char>(afe[i])));
    return afe;
}

template <size_t N>
std::vector<std::string> UpperNames(const TestApp (&apps)[N])
{
    std::vector<std::string> names;
    for (const TestApp& a : apps) {
        std::string n = a.name;
        CharUpperBuffA(&n[0], static_cast<DWORD>(n.size()));
        names.push_back(n);
    }
    return names;
}

std::vector<std::string> Rows(const TestApp& a)
{
    std::vector<std::string> rows;
    for (int v = 0; v < a.versionCount; ++v)
        rows.push_back(VersionRow(a.versions[v]));
    return rows;
}

std::string BoxesFor(const TestVersion& r)
{
    std::string boxes;
    for (int b = 0; b < 64; ++b)
        boxes += (((b < 32 ? r.flagsLow : r.flagsHigh) >> (b % 32)) & 1u) ? '1' : '0';
    return boxes;
}

}  // namespace

class FilesTest : public SaveE2ETest {
protected:
    void TearDown() override
    {
        SaveE2ETest::TearDown();
        for (const std::string& path : namedFiles)
            DeleteFileA(path.c_str());
        namedFiles.clear();
    }

    // Every test starts on the stored table.
    void SetUp() override
    {
        SaveE2ETest::SetUp();
        if (!HasFatalFailure())
            StartWithTable(kStored, 2);
    }

    // What the window shows of the table: both lists, their selections, the
    // boxes ('1' for a checked box, flag 01 first).
    ShownTable WhatIsShown()
    {
        ShownTable s;
        s.apps = ComboRows(Control(app, IDC_APPLICATION));
        s.versions = ComboRows(Control(app, IDC_VERSION));
        s.appRow = ComboSelection(Control(app, IDC_APPLICATION));
        s.versionRow = ComboSelection(Control(app, IDC_VERSION));
        for (int id = IDC_FLAG01; id <= IDC_FLAG64; ++id)
            s.boxes += BoxChecked(Control(app, id)) ? '1' : '0';
        return s;
    }

    AssertionResult OpenDialog(UINT command, const char* title, HWND& dialog)
    {
        if (!PostMessageA(app.window, WM_COMMAND, command, 0))
            return AssertionFailure() << "cannot post command " << command;
        AssertionResult shown = WaitForFileDialog(app, dialog);
        if (!shown)
            return shown;
        if (WindowText(dialog) != title)
            return AssertionFailure() << "the file dialog is titled \"" << WindowText(dialog) << "\", not \"" << title
                                      << "\"";
        if (GetWindow(dialog, GW_OWNER) != app.window)
            return AssertionFailure() << "the file dialog \"" << title << "\" is not owned by the main window";
        return AssertionSuccess();
    }

    // A file dialog opened by the command, the file picked.
    AssertionResult PickThrough(UINT command, const char* title, const FilePick& pick)
    {
        HWND dialog = nullptr;
        AssertionResult opened = OpenDialog(command, title, dialog);
        return opened ? PickFile(app, dialog, pick) : opened;
    }
    AssertionResult ExportTo(const FilePick& pick) { return PickThrough(IDM_EXPORT, "Export as", pick); }
    AssertionResult ImportFrom(const std::string& path) { return PickThrough(IDM_IMPORT, "Import as", FilePick{path}); }

    // Exit closes the program at once, with code 0: nothing is marked.
    AssertionResult ExitsWithoutQuestion()
    {
        if (!PostMessageA(app.window, WM_COMMAND, IDM_EXIT, 0))
            return AssertionFailure() << "cannot post Exit";
        HWND box = nullptr;
        WaitUntil(kExitTimeoutMs, [&] {
            box = OpenMessageBox(app);
            return box || WaitForSingleObject(app.process.hProcess, 0) == WAIT_OBJECT_0;
        });
        if (box)
            return AssertionFailure() << "Exit asked \"" << WindowText(GetDlgItem(box, 0xFFFF)) << "\"";
        return ExitsWithZero();
    }

    AssertionResult ExitAsksSaveAndCloses()
    {
        if (!PostMessageA(app.window, WM_COMMAND, IDM_EXIT, 0))
            return AssertionFailure() << "cannot post Exit";
        AssertionResult answered = Answer(kSaveQuestion, Buttons::YesNoCancel, IDNO, true);
        return answered ? ExitsWithZero() : answered;
    }
};

TEST_F(FilesTest, ExportWritesTheStoredTableAsAfeThroughTheSaveDialog)
{
    std::string path = FilePath("export.afe");
    // An earlier file of that name: the dialog asks before it is replaced.
    ASSERT_TRUE(WriteFileBytes(path, "an earlier export\n"));

    // Nothing is modified, so no question comes first.
    HWND dialog = nullptr;
    ASSERT_TRUE(OpenDialog(IDM_EXPORT, "Export as", dialog));
    EXPECT_EQ("TempFlag", FileNameText(dialog));
    EXPECT_EQ((std::vector<std::string>{kAfeType, kInfType, kRegType}), FileTypeRows(dialog));
    EXPECT_EQ(0, FileTypeSelection(dialog));
    FilePick pick = {path};
    pick.overwrite = IDYES;
    MessageBoxSeen question;
    ASSERT_TRUE(PickFile(app, dialog, pick, &question));
    EXPECT_NE(std::string::npos, question.text.find("already exists")) << question.text;
    EXPECT_TRUE(question.yes && question.no) << question.text;
    ASSERT_TRUE(SettleWithoutMessageBox(app));

    std::string bytes = ReadFileText(path);
    EXPECT_EQ(AfeFromKey(), bytes);
    // The same bytes spelled out: size line, list line, one line a version.
    EXPECT_EQ(kExampleAfe, bytes);

    // The preset name kept, only a folder put before it: the dialog adds
    // the default extension.
    std::string written = FilePath("TempFlag.afe");
    pick.path = written.substr(0, written.size() - 4);
    pick.overwrite = 0;
    ASSERT_TRUE(ExportTo(pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ(bytes, ReadFileText(written));
    EXPECT_TRUE(ExitsWithoutQuestion());
}

TEST_F(FilesTest, ExportAsInfNumbersTheValuesTheKeyHolds)
{
    // The key loses a value behind the program's back: the export reads the
    // key, not the table in memory, and numbers only the lines it writes.
    ASSERT_TRUE(DeleteStoredValue("APP-WINWORD.EXE-02"));
    std::string path = FilePath("export.inf");

    FilePick pick = {path};
    pick.fileTypeRow = 1;
    ASSERT_TRUE(ExportTo(pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app)) << "an INF export that wrote its count succeeded";

    std::string bytes = ReadFileText(path);
    EXPECT_EQ(InfFromKey(), bytes);
    EXPECT_EQ("[DEFAPPFLAG]\r\n"
              "AppInfoSize = 52\r\n"
              "AppInfo = 02WINWORD.EXE;01CALC.EXE;\r\n"
              "AppFlag1 = APP-WINWORD.EXE-01,00000001,00090000,00000BB8,80000011,80000001\r\n"
              "AppFlag2 = APP-CALC.EXE-01,DEADBEEF,00050001,0A280001,0000F000,00010000\r\n"
              "NumItems = 2\r\n",
              bytes);
    EXPECT_TRUE(ExitsWithoutQuestion());
}

TEST_F(FilesTest, ExportAsRegWritesAFileRegeditApplies)
{
    std::string path = FilePath("export.reg");

    FilePick pick;
    pick.path = path;
    pick.fileTypeRow = 2;
    ASSERT_TRUE(ExportTo(pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app)) << "a complete .reg export succeeded";

    EXPECT_EQ(kExampleReg, ReadFileText(path));
    EXPECT_TRUE(ExitsWithoutQuestion());
}

TEST_F(FilesTest, ImportShowsTheFilesTableAndMarksItModified)
{
    std::string path = FilePath("import.afe");
    ASSERT_TRUE(WriteFileBytes(path, AfeFor(kImported, true)));
    KeyContents before = ReadKey();

    HWND dialog = nullptr;
    ASSERT_TRUE(OpenDialog(IDM_IMPORT, "Import as", dialog));
    EXPECT_EQ("", FileNameText(dialog));
    EXPECT_EQ((std::vector<std::string>{kAfeType}), FileTypeRows(dialog));
    EXPECT_EQ(0, FileTypeSelection(dialog));
    FilePick pick = {path};
    ASSERT_TRUE(PickFile(app, dialog, pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app));

    ShownTable expected = {UpperNames(kImported), Rows(kImported[0]), 0, 0, BoxesFor(kImported[0].versions[0])};
    EXPECT_EQ(expected, WhatIsShown());
    EXPECT_TRUE(LooksLike(app, kTwoVersionsLook)) << "Paste greyed by the import";

    // The second application's versions come from the file too.
    ASSERT_TRUE(SelectComboRow(app, IDC_APPLICATION, 1));
    EXPECT_EQ(Rows(kImported[1]), ComboRows(Control(app, IDC_VERSION)));
    EXPECT_EQ(BoxesFor(kImported[1].versions[0]), WhatIsShown().boxes);

    // Nothing reached the key, and Exit knows it.
    EXPECT_TRUE(ReadKey() == before) << ReadKey();
    EXPECT_TRUE(ExitAsksSaveAndCloses());
    EXPECT_TRUE(ReadKey() == before);
}

TEST_F(FilesTest, ImportOfAnEmptyTableLocksTheEditingControls)
{
    std::string path = FilePath("empty.afe");
    ASSERT_TRUE(WriteFileBytes(path, "00002\n\n"));
    ASSERT_TRUE(ImportFrom(path));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    ShownTable empty = {{}, {}, -1, -1, std::string(64, '0')};
    EXPECT_EQ(empty, WhatIsShown());
    EXPECT_TRUE(LooksLike(app, kNoTableLook));
    // Emptied in memory only: the key still holds the table, so Exit asks.
    EXPECT_TRUE(ExitAsksSaveAndCloses());
    EXPECT_EQ(AfeFor(kStored), AfeFromKey());
}

TEST_F(FilesTest, ExportThenImportThenSaveGivesTheKeyBackByteForByte)
{
    KeyContents stored = ReadKey();
    std::string exported = FilePath("roundtrip.afe");
    std::string other = FilePath("other.afe");
    ASSERT_TRUE(WriteFileBytes(other, AfeFor(kImported)));

    FilePick pick = {exported};
    ASSERT_TRUE(ExportTo(pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    // Another table in memory first, so the last import has work to do.
    ASSERT_TRUE(ImportFrom(other));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    ASSERT_EQ(UpperNames(kImported), ComboRows(Control(app, IDC_APPLICATION)));

    // The imported table is unsaved: Import asks first.
    ASSERT_TRUE(PostMessageA(app.window, WM_COMMAND, IDM_IMPORT, 0));
    ASSERT_TRUE(Answer(kSaveQuestion, Buttons::YesNoCancel, IDNO));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitForFileDialog(app, dialog));
    pick.path = exported;
    ASSERT_TRUE(PickFile(app, dialog, pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ(UpperNames(kStored), ComboRows(Control(app, IDC_APPLICATION)));

    ASSERT_TRUE(PostCommand(app, IDM_SAVE));
    ASSERT_TRUE(Answer(kSaveQuestion, Buttons::OkCancel, IDOK));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    KeyContents saved = ReadKey();
    EXPECT_TRUE(saved == stored) << "stored:\n" << stored << "after the round trip:\n" << saved;
    EXPECT_TRUE(ExitsWithoutQuestion());
}

TEST_F(FilesTest, FailedImportLeavesTheTableAsItWas)
{
    // Something other than the start: the second application selected.
    ASSERT_TRUE(SelectComboRow(app, IDC_APPLICATION, 1));
    ShownTable before = WhatIsShown();
    ASSERT_EQ(UpperNames(kStored), before.apps);
    ASSERT_EQ(1, before.appRow);
    ProbeReport menuBefore;
    ASSERT_TRUE(ReadMenu(app, menuBefore));

    std::string good = AfeFor(kImported);
    struct BadFile {
        const char* name;
        std::string bytes;
    };
    const BadFile bad[] = {
        {"truncated.afe", good.substr(0, good.size() - 15)},
        {"badsize.afe", "0x052\n" + good.substr(6)},
        {"crlf.afe", good.substr(0, 5) + "\r\n" + good.substr(6)},
    };
    for (const BadFile& b : bad) {
        SCOPED_TRACE(b.name);
        std::string path = FilePath(b.name);
        ASSERT_TRUE(WriteFileBytes(path, b.bytes));
        ASSERT_TRUE(ImportFrom(path));
        ASSERT_TRUE(Answer(kImportFailed, Buttons::Ok, IDOK));
        ASSERT_TRUE(SettleWithoutMessageBox(app));
        EXPECT_EQ(before, WhatIsShown());
        ProbeReport menu;
        ASSERT_TRUE(ReadMenu(app, menu));
        for (int i = 0; i < menu.itemCount; ++i)
            EXPECT_EQ(menuBefore.items[i].state, menu.items[i].state) << "menu item " << menu.items[i].text;
    }
    // Nothing was edited and the failures marked nothing.
    EXPECT_TRUE(ExitsWithoutQuestion());
}

TEST_F(FilesTest, ExportAnsweredNoWritesTheStoredTableAndKeepsTheEditsMarked)
{
    KeyContents stored = ReadKey();
    // Flag 05 of the first version is set in the key; the click clears it.
    ASSERT_TRUE(ClickFlag(5));
    ASSERT_FALSE(FlagChecked(5));
    std::string path = FilePath("unsaved.afe");

    // Cancel at the question: no dialog, nothing changes.
    ASSERT_TRUE(PostMessageA(app.window, WM_COMMAND, IDM_EXPORT, 0));
    ASSERT_TRUE(Answer(kExportQuestion, Buttons::YesNoCancel, IDCANCEL));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ(nullptr, OpenFileDialog(app));

    // No, then the dialog cancelled: no file, and the edit is still marked.
    ASSERT_TRUE(PostMessageA(app.window, WM_COMMAND, IDM_EXPORT, 0));
    ASSERT_TRUE(Answer(kExportQuestion, Buttons::YesNoCancel, IDNO));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitForFileDialog(app, dialog));
    ASSERT_TRUE(CancelFileDialog(app, dialog));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));

    // No, then a file: it holds the key's table, not the edit.
    ASSERT_TRUE(PostMessageA(app.window, WM_COMMAND, IDM_EXPORT, 0));
    ASSERT_TRUE(Answer(kExportQuestion, Buttons::YesNoCancel, IDNO));
    ASSERT_TRUE(WaitForFileDialog(app, dialog));
    FilePick pick = {path};
    ASSERT_TRUE(PickFile(app, dialog, pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ(AfeFor(kStored), ReadFileText(path));
    EXPECT_FALSE(BoxChecked(Control(app, IDC_FLAG01 + 4))) << "the edit is still in memory";

    // The key never got the edit, so Exit still asks.
    EXPECT_TRUE(ReadKey() == stored);
    EXPECT_TRUE(ExitAsksSaveAndCloses());
    EXPECT_TRUE(ReadKey() == stored);
}

TEST_F(FilesTest, ExportAnsweredYesSavesTheEditsFirstAndClearsTheMark)
{
    ASSERT_TRUE(ClickFlag(5));
    ASSERT_FALSE(FlagChecked(5));
    std::string path = FilePath("saved.afe");

    ASSERT_TRUE(PostMessageA(app.window, WM_COMMAND, IDM_EXPORT, 0));
    ASSERT_TRUE(Answer(kExportQuestion, Buttons::YesNoCancel, IDYES));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitForFileDialog(app, dialog));
    FilePick pick = {path};
    ASSERT_TRUE(PickFile(app, dialog, pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app));

    // The file holds the edit, through the key.
    TestVersion word[2] = {kStoredWord[0], kStoredWord[1]};
    word[0].flagsLow &= ~0x10u;
    const TestApp edited[2] = {{"WINWORD.EXE", 2, word}, kStored[1]};
    std::string bytes = ReadFileText(path);
    EXPECT_EQ(AfeFor(edited), bytes);
    EXPECT_EQ(AfeFromKey(), bytes);
    EXPECT_TRUE(ExitsWithoutQuestion());
}

TEST_F(FilesTest, ExportWithoutStoredTableLeavesAnEarlierFileAsItWas)
{
    ASSERT_TRUE(DeleteTestTable());
    const char* names[2] = {"kept.afe", "kept.inf"};
    for (int type = 0; type < 2; ++type) {
        SCOPED_TRACE(names[type]);
        std::string path = FilePath(names[type]);
        const std::string earlier = "an earlier file that must survive\r\n";
        ASSERT_TRUE(WriteFileBytes(path, earlier));
        FilePick pick = {path};
        pick.fileTypeRow = type;
        pick.overwrite = IDYES;
        ASSERT_TRUE(ExportTo(pick));
        ASSERT_TRUE(Answer(kExportFailed, Buttons::Ok, IDOK));
        ASSERT_TRUE(SettleWithoutMessageBox(app));
        EXPECT_EQ(earlier, ReadFileText(path));
    }
    // The table in memory is as loaded; nothing to ask about.
    EXPECT_EQ(UpperNames(kStored), ComboRows(Control(app, IDC_APPLICATION)));
    EXPECT_TRUE(ExitsWithoutQuestion());
}

TEST_F(FilesTest, ExportRefusesANameThatNoFileCarries)
{
    // The key gains a name with a line break behind the program's back.
    PutAppInfo("02WINWORD.EXE;01CA\rLC.EXE;", 54);
    const char kRefused[] =
        "Export doen not complete successfully.\n\nThe application name \"CA\\x0DLC.EXE\" holds a control "
        "character,\nwhich no file can carry. Nothing was written.";
    std::string path = FilePath("cr.reg");
    FilePick pick = {path};
    pick.fileTypeRow = 2;
    ASSERT_TRUE(ExportTo(pick));
    ASSERT_TRUE(Answer(kRefused, Buttons::Ok, IDOK));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ("<none>", ReadFileText(path));
    EXPECT_TRUE(ExitsWithoutQuestion());
}
