// Import and Export on the real program through the system's open and save
// dialogs: the files' exact bytes against the stored key, the import into the
// lists and boxes, a bad file that changes nothing, and what each leaves of
// the unsaved-changes mark.
#include "e2e_fixture_win32.h"
#include "file_dialog_win32.h"

#include <stdio.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

namespace {

const char kKeyPath[] = "Software\\Kavix\\ZOLT\\APPFLAG\\ZOLTDriver";
const char kCaption[] = "Deruverozad Adov Eduzed";
const char kSaveQuestion[] = "Save changes to Registory?";
const char kExportQuestion[] = "Export will copy reg data to file.\nDo you save changes to reg before export?";
const char kImportFailed[] = "Inport doen not complete successfully.";
const char kExportFailed[] = "Export doen not complete successfully.";
const char kAfeType[] = "Application Flag File(*.afe)";
const char kInfType[] = "Inf File(*.inf)";
const char kRegType[] = "Registration File(*.reg)";

struct Record {
    uint32_t tag, versionMS, versionLS, flagsLow, flagsHigh;
};

struct App {
    const char* name;
    std::vector<Record> versions;
};

// Names already in capitals, so a save writes them back unchanged; tags
// other than the 1 of new entries, so a lost tag shows.
const std::vector<App> kStored = {
    {"WINWORD.EXE",
     {{1, 0x00090000, 0x00000BB8, 0x80000011, 0x80000001}, {7, 0x000A0000, 0x00001770, 0x00000002, 0x40000000}}},
    {"CALC.EXE", {{0xDEADBEEF, 0x00050001, 0x0A280001, 0x0000F000, 0x00010000}}},
};

// What the tests import: other names in other letter case.
const std::vector<App> kImported = {
    {"notepad.exe",
     {{2, 0x00060001, 0x1DB10106, 0x00000005, 0x80000000}, {3, 0x00060002, 0x00000000, 0xFFFFFFFF, 0x00000001}}},
    {"Paint.EXE", {{0xCAFEF00D, 0x000A0000, 0x4A610001, 0x00000100, 0x00000000}}},
    {"mspub.exe", {}},
};

// Every file a test named; the fixture removes them afterwards.
std::vector<std::string> namedFiles;

// The driver names files beside its own exe, as Windows paths (Z:\...).
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
    return namedFiles.back();
}

bool ReadBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return false;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        bytes.append(buf, n);
    fclose(f);
    return true;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

void PutWord(unsigned char* p, uint32_t w)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(w >> (8 * i));
}

uint32_t GetWord(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

std::string AppInfoOf(const std::vector<App>& apps, bool upper)
{
    std::string info;
    for (const App& a : apps) {
        char count[8];
        snprintf(count, sizeof count, "%02d", static_cast<int>(a.versions.size()));
        std::string name = a.name;
        if (upper)
            CharUpperBuffA(&name[0], static_cast<DWORD>(name.size()));
        info += count + name + ";";
    }
    return info;
}

// The key in the driver's layout, written here and not by the program.
bool StoreTable(const std::vector<App>& apps)
{
    if (!DeleteTestTable())
        return false;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (const App& a : apps)
        for (size_t k = 0; k < a.versions.size(); ++k) {
            char name[128];
            snprintf(name, sizeof name, "APP-%s-%02d", a.name, static_cast<int>(k + 1));
            const Record& r = a.versions[k];
            unsigned char data[20];
            PutWord(data, r.tag);
            PutWord(data + 4, r.versionMS);
            PutWord(data + 8, r.versionLS);
            PutWord(data + 12, r.flagsLow);
            PutWord(data + 16, r.flagsHigh);
            ok = ok && RegSetValueExA(key, name, 0, REG_BINARY, data, sizeof data) == ERROR_SUCCESS;
        }
    std::string info = AppInfoOf(apps, false);
    DWORD size = 2 * static_cast<DWORD>(info.size() + 1);
    ok = ok &&
         RegSetValueExA(key, "APPINFO", 0, REG_SZ, reinterpret_cast<const BYTE*>(info.c_str()),
                        static_cast<DWORD>(info.size() + 1)) == ERROR_SUCCESS &&
         RegSetValueExA(key, "APPINFO-SIZE", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&size), sizeof size) ==
             ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

bool DeleteStoredValue(const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return false;
    bool ok = RegDeleteValueA(key, name) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

struct Value {
    DWORD type;
    std::string data;
    bool operator==(const Value& o) const { return type == o.type && data == o.data; }
};
using Key = std::map<std::string, Value>;

// Every value of the key with its type and exact bytes; empty when absent.
Key ReadKey()
{
    Key values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameLength = sizeof name;
        BYTE data[4096];
        DWORD dataLength = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS)
            break;
        values[name] = Value{type, std::string(reinterpret_cast<char*>(data), dataLength)};
    }
    RegCloseKey(key);
    return values;
}

std::string Describe(const Key& key)
{
    std::string out;
    for (const auto& v : key) {
        out += v.first + " (type " + std::to_string(v.second.type) + ", " + std::to_string(v.second.data.size()) +
               " bytes:";
        char hex[4];
        for (unsigned char c : v.second.data) {
            snprintf(hex, sizeof hex, " %02X", c);
            out += hex;
        }
        out += ")\n";
    }
    return out;
}

// The five words as the .afe line or the .inf fields print them.
std::string Words(const unsigned char* record, const char* separator)
{
    std::string out;
    for (int w = 0; w < 5; ++w) {
        char hex[16];
        snprintf(hex, sizeof hex, "%s%08X", w ? separator : "", static_cast<unsigned>(GetWord(record + 4 * w)));
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

bool ReadStoredLines(StoredLines& s)
{
    Key key = ReadKey();
    auto size = key.find("APPINFO-SIZE");
    auto info = key.find("APPINFO");
    if (size == key.end() || size->second.data.size() != 4 || info == key.end())
        return false;
    s.size = GetWord(reinterpret_cast<const unsigned char*>(size->second.data.data()));
    s.appInfo = info->second.data.c_str();
    size_t start = 0;
    for (size_t semi; (semi = s.appInfo.find(';', start)) != std::string::npos; start = semi + 1) {
        std::string record = s.appInfo.substr(start, semi - start);
        int count = atoi(record.substr(0, 2).c_str());
        std::string name = record.substr(2);
        for (int k = 1; k <= count; ++k) {
            char valueName[128];
            snprintf(valueName, sizeof valueName, "APP-%s-%02d", name.c_str(), k);
            auto v = key.find(valueName);
            if (v == key.end() || v->second.data.size() != 20)
                continue;
            const unsigned char* r = reinterpret_cast<const unsigned char*>(v->second.data.data());
            s.names.push_back(valueName);
            s.afeLines.push_back(Words(r, ""));
            s.infFields.push_back(Words(r, ","));
        }
    }
    return true;
}

std::string AfeFromKey()
{
    StoredLines s;
    if (!ReadStoredLines(s))
        return "<no stored table>";
    char head[16];
    snprintf(head, sizeof head, "%05u\n", static_cast<unsigned>(s.size));
    std::string out = head + s.appInfo + "\n";
    for (const std::string& line : s.afeLines)
        out += line + "\n";
    return out;
}

std::string InfFromKey()
{
    StoredLines s;
    if (!ReadStoredLines(s))
        return "<no stored table>";
    std::string out = "[DEFAPPFLAG]\r\nAppInfoSize = " + std::to_string(s.size) + "\r\nAppInfo = " + s.appInfo + "\r\n";
    for (size_t i = 0; i < s.names.size(); ++i)
        out += "AppFlag" + std::to_string(i + 1) + " = " + s.names[i] + "," + s.infFields[i] + "\r\n";
    return out + "NumItems = " + std::to_string(s.names.size()) + "\r\n";
}

// An .afe file of a table, made here; lowerHex writes the digits in small
// letters, which the reader takes too.
std::string AfeFor(const std::vector<App>& apps, bool lowerHex = false)
{
    std::string info = AppInfoOf(apps, false);
    char head[16];
    snprintf(head, sizeof head, "%05d\n", static_cast<int>(2 * (info.size() + 1)));
    std::string out = head + info + "\n";
    for (const App& a : apps)
        for (const Record& r : a.versions) {
            char line[48];
            snprintf(line, sizeof line, lowerHex ? "%08x%08x%08x%08x%08x\n" : "%08X%08X%08X%08X%08X\n",
                     static_cast<unsigned>(r.tag), static_cast<unsigned>(r.versionMS),
                     static_cast<unsigned>(r.versionLS), static_cast<unsigned>(r.flagsLow),
                     static_cast<unsigned>(r.flagsHigh));
            out += line;
        }
    return out;
}

std::string Row(const Record& r)
{
    char text[32];
    snprintf(text, sizeof text, "%08X-%08X", static_cast<unsigned>(r.versionMS), static_cast<unsigned>(r.versionLS));
    return text;
}

std::vector<std::string> UpperNames(const std::vector<App>& apps)
{
    std::vector<std::string> names;
    for (const App& a : apps) {
        std::string n = a.name;
        CharUpperBuffA(&n[0], static_cast<DWORD>(n.size()));
        names.push_back(n);
    }
    return names;
}

std::vector<std::string> Rows(const App& a)
{
    std::vector<std::string> rows;
    for (const Record& r : a.versions)
        rows.push_back(Row(r));
    return rows;
}

// What the window shows of the table: both lists, their selections, the boxes.
struct Shown {
    std::vector<std::string> apps, versions;
    int appRow = -2, versionRow = -2;
    std::string boxes;  // '1' for a checked box, flag 01 first
    bool operator==(const Shown& o) const
    {
        return apps == o.apps && versions == o.versions && appRow == o.appRow && versionRow == o.versionRow &&
               boxes == o.boxes;
    }
};

std::ostream& operator<<(std::ostream& os, const Shown& s)
{
    os << "apps:";
    for (const std::string& a : s.apps)
        os << " " << a;
    os << " (row " << s.appRow << "); versions:";
    for (const std::string& v : s.versions)
        os << " " << v;
    return os << " (row " << s.versionRow << "); boxes " << s.boxes;
}

std::string BoxesFor(const Record& r)
{
    std::string boxes;
    for (int b = 0; b < 64; ++b)
        boxes += (((b < 32 ? r.flagsLow : r.flagsHigh) >> (b % 32)) & 1u) ? '1' : '0';
    return boxes;
}

}  // namespace

class FilesTest : public E2ETest {
protected:
    void TearDown() override
    {
        E2ETest::TearDown();
        for (const std::string& path : namedFiles)
            DeleteFileA(path.c_str());
        namedFiles.clear();
    }

    void StartWith(const std::vector<App>& table)
    {
        ASSERT_TRUE(AddTestPrinter(kModelPrinter, "Kavix VRX-2260 PS"));
        ASSERT_TRUE(StoreTable(table));
        ASSERT_TRUE(StartApp(app));
        ASSERT_TRUE(SettleWithoutMessageBox(app));
    }

    Shown WhatIsShown()
    {
        Shown s;
        s.apps = ComboRows(Control(app, IDC_APPLICATION));
        s.versions = ComboRows(Control(app, IDC_VERSION));
        s.appRow = ComboSelection(Control(app, IDC_APPLICATION));
        s.versionRow = ComboSelection(Control(app, IDC_VERSION));
        for (int id = IDC_FLAG01; id <= IDC_FLAG64; ++id)
            s.boxes += BoxChecked(Control(app, id)) ? '1' : '0';
        return s;
    }

    // The program's message box: text, caption, owner, and OK only or the
    // question's buttons with its icon.
    AssertionResult Answer(const char* text, UINT buttons, int button)
    {
        HWND box = nullptr;
        AssertionResult shown = WaitForMessageBox(app, box);
        if (!shown)
            return shown << " (expected \"" << text << "\")";
        MessageBoxSeen seen;
        AssertionResult answered = AnswerMessageBox(app, box, button, &seen);
        if (!answered)
            return answered;
        std::string wrong;
        if (seen.text != text)
            wrong += "text \"" + seen.text + "\"; ";
        if (seen.caption != kCaption)
            wrong += "caption \"" + seen.caption + "\"; ";
        if (!seen.ownedByMainWindow)
            wrong += "not owned by the main window; ";
        bool question = buttons != MB_OK;
        bool ok = buttons == MB_OK || buttons == MB_OKCANCEL;
        bool cancel = buttons == MB_OKCANCEL || buttons == MB_YESNOCANCEL;
        if (seen.ok != ok || seen.cancel != cancel || seen.yes != (buttons == MB_YESNOCANCEL) ||
            seen.no != (buttons == MB_YESNOCANCEL))
            wrong += "other buttons; ";
        if (seen.icon != question)
            wrong += seen.icon ? "an icon; " : "no icon; ";
        if (!wrong.empty())
            return AssertionFailure() << "message box expected \"" << text << "\": " << wrong;
        return Settle(app);
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
    AssertionResult ExportTo(const FilePick& pick)
    {
        HWND dialog = nullptr;
        AssertionResult opened = OpenDialog(IDM_EXPORT, "Export as", dialog);
        return opened ? PickFile(app, dialog, pick) : opened;
    }

    AssertionResult ImportFrom(const std::string& path)
    {
        HWND dialog = nullptr;
        AssertionResult opened = OpenDialog(IDM_IMPORT, "Import as", dialog);
        FilePick pick;
        pick.path = path;
        return opened ? PickFile(app, dialog, pick) : opened;
    }

    // Exit closes the program at once, with code 0: nothing is marked.
    AssertionResult ExitsWithoutQuestion()
    {
        if (!PostMessageA(app.window, WM_COMMAND, IDM_EXIT, 0))
            return AssertionFailure() << "cannot post Exit";
        DWORD start = GetTickCount();
        while (WaitForSingleObject(app.process.hProcess, 10) != WAIT_OBJECT_0) {
            HWND box = OpenMessageBox(app);
            if (box)
                return AssertionFailure() << "Exit asked \"" << WindowText(GetDlgItem(box, 0xFFFF)) << "\"";
            if (GetTickCount() - start > kExitTimeoutMs)
                return AssertionFailure() << "Exit did not end the program within " << kExitTimeoutMs << " ms";
        }
        DWORD code = 1;
        GetExitCodeProcess(app.process.hProcess, &code);
        if (code != 0)
            return AssertionFailure() << "exit code " << code;
        return AssertionSuccess();
    }

    AssertionResult ExitAsksSaveAndCloses()
    {
        if (!PostMessageA(app.window, WM_COMMAND, IDM_EXIT, 0))
            return AssertionFailure() << "cannot post Exit";
        HWND box = nullptr;
        AssertionResult shown = WaitForMessageBox(app, box);
        if (!shown)
            return shown << " (Exit should ask \"" << kSaveQuestion << "\")";
        MessageBoxSeen seen;
        AssertionResult answered = AnswerMessageBox(app, box, IDNO, &seen);
        if (!answered)
            return answered;
        if (seen.text != kSaveQuestion || !seen.yes || !seen.no || !seen.cancel)
            return AssertionFailure() << "Exit asked \"" << seen.text << "\"";
        DWORD code = 1;
        AssertionResult ended = WaitForExit(app, kExitTimeoutMs, code);
        if (!ended)
            return ended;
        return code == 0 ? AssertionSuccess() : AssertionFailure() << "exit code " << code;
    }
};

TEST_F(FilesTest, ExportWritesTheStoredTableAsAfeThroughTheSaveDialog)
{
    StartWith(kStored);
    if (HasFatalFailure())
        return;
    std::string path = FilePath("export.afe");
    // An earlier file of that name: the dialog asks before it is replaced.
    ASSERT_TRUE(WriteBytes(path, "an earlier export\n"));

    // Nothing is modified, so no question comes first.
    HWND dialog = nullptr;
    ASSERT_TRUE(OpenDialog(IDM_EXPORT, "Export as", dialog));
    EXPECT_EQ("TempFlag", FileNameText(dialog));
    EXPECT_EQ((std::vector<std::string>{kAfeType, kInfType, kRegType}), FileTypeRows(dialog));
    EXPECT_EQ(0, FileTypeSelection(dialog));
    FilePick pick;
    pick.path = path;
    pick.overwrite = IDYES;
    MessageBoxSeen question;
    ASSERT_TRUE(PickFile(app, dialog, pick, &question));
    EXPECT_NE(std::string::npos, question.text.find("already exists")) << question.text;
    EXPECT_TRUE(question.yes && question.no) << question.text;
    ASSERT_TRUE(SettleWithoutMessageBox(app));

    std::string bytes;
    ASSERT_TRUE(ReadBytes(path, bytes));
    EXPECT_EQ(AfeFromKey(), bytes);
    // The same bytes spelled out: size line, list line, one line a version.
    EXPECT_EQ("00052\n"
              "02WINWORD.EXE;01CALC.EXE;\n"
              "000000010009000000000BB88000001180000001\n"
              "00000007000A0000000017700000000240000000\n"
              "DEADBEEF000500010A2800010000F00000010000\n",
              bytes);

    // The preset name kept, only a folder put before it: the dialog adds
    // the default extension.
    std::string written = FilePath("TempFlag.afe");
    DeleteFileA(written.c_str());
    pick.path = written.substr(0, written.size() - 4);
    pick.overwrite = 0;
    ASSERT_TRUE(ExportTo(pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    std::string presetBytes;
    ASSERT_TRUE(ReadBytes(written, presetBytes));
    EXPECT_EQ(bytes, presetBytes);
    EXPECT_TRUE(ExitsWithoutQuestion());
}

TEST_F(FilesTest, ExportAsInfNumbersTheValuesTheKeyHolds)
{
    StartWith(kStored);
    if (HasFatalFailure())
        return;
    // The key loses a value behind the program's back: the export reads the
    // key, not the table in memory, and numbers only the lines it writes.
    ASSERT_TRUE(DeleteStoredValue("APP-WINWORD.EXE-02"));
    std::string path = FilePath("export.inf");
    DeleteFileA(path.c_str());

    FilePick pick;
    pick.path = path;
    pick.fileTypeRow = 1;
    ASSERT_TRUE(ExportTo(pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app)) << "an INF export that wrote its count succeeded";

    std::string bytes;
    ASSERT_TRUE(ReadBytes(path, bytes));
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
    StartWith(kStored);
    if (HasFatalFailure())
        return;
    std::string path = FilePath("export.reg");
    DeleteFileA(path.c_str());

    FilePick pick;
    pick.path = path;
    pick.fileTypeRow = 2;
    ASSERT_TRUE(ExportTo(pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app)) << "a complete .reg export succeeded";

    std::string bytes;
    ASSERT_TRUE(ReadBytes(path, bytes));
    EXPECT_EQ("REGEDIT4\r\n"
              "\r\n"
              "[-HKEY_LOCAL_MACHINE\\Software\\Kavix\\ZOLT\\APPFLAG\\ZOLTDriver]\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Kavix\\ZOLT\\APPFLAG\\ZOLTDriver]\r\n"
              "\"APP-WINWORD.EXE-01\"=hex:01,00,00,00,00,00,09,00,b8,0b,00,00,11,00,00,80,01,00,\\\r\n"
              "  00,80\r\n"
              "\"APP-WINWORD.EXE-02\"=hex:07,00,00,00,00,00,0a,00,70,17,00,00,02,00,00,00,00,00,\\\r\n"
              "  00,40\r\n"
              "\"APP-CALC.EXE-01\"=hex:ef,be,ad,de,01,00,05,00,01,00,28,0a,00,f0,00,00,00,00,01,\\\r\n"
              "  00\r\n"
              "\"APPINFO\"=\"02WINWORD.EXE;01CALC.EXE;\"\r\n"
              "\"APPINFO-SIZE\"=dword:00000034\r\n"
              "\r\n",
              bytes);
    EXPECT_TRUE(ExitsWithoutQuestion());
}

TEST_F(FilesTest, ImportShowsTheFilesTableAndMarksItModified)
{
    StartWith(kStored);
    if (HasFatalFailure())
        return;
    std::string path = FilePath("import.afe");
    ASSERT_TRUE(WriteBytes(path, AfeFor(kImported, true)));
    Key before = ReadKey();

    HWND dialog = nullptr;
    ASSERT_TRUE(OpenDialog(IDM_IMPORT, "Import as", dialog));
    EXPECT_EQ("", FileNameText(dialog));
    EXPECT_EQ((std::vector<std::string>{kAfeType}), FileTypeRows(dialog));
    EXPECT_EQ(0, FileTypeSelection(dialog));
    FilePick pick;
    pick.path = path;
    ASSERT_TRUE(PickFile(app, dialog, pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app));

    Shown expected;
    expected.apps = UpperNames(kImported);
    expected.versions = Rows(kImported[0]);
    expected.appRow = 0;
    expected.versionRow = 0;
    expected.boxes = BoxesFor(kImported[0].versions[0]);
    EXPECT_EQ(expected, WhatIsShown());
    ProbeReport menu;
    ASSERT_TRUE(ReadMenu(app, menu));
    EXPECT_TRUE(MenuCommandsAre(menu, kEditCommands, 5, true));
    EXPECT_TRUE(MenuCommandsAre(menu, kVersionCommands, 2, true));
    const UINT paste[] = {IDM_PASTE};
    EXPECT_TRUE(MenuCommandsAre(menu, paste, 1, false));
    EXPECT_TRUE(ControlsEnabled(app, true, true));

    // The second application's versions come from the file too.
    ASSERT_TRUE(SelectComboRow(app, IDC_APPLICATION, 1));
    EXPECT_EQ(Rows(kImported[1]), ComboRows(Control(app, IDC_VERSION)));
    EXPECT_EQ(BoxesFor(kImported[1].versions[0]), WhatIsShown().boxes);

    // Nothing reached the key, and Exit knows it.
    EXPECT_TRUE(ReadKey() == before) << Describe(ReadKey());
    EXPECT_TRUE(ExitAsksSaveAndCloses());
    EXPECT_TRUE(ReadKey() == before);
}

TEST_F(FilesTest, ImportOfAnEmptyTableLocksTheEditingControls)
{
    StartWith(kStored);
    if (HasFatalFailure())
        return;
    std::string path = FilePath("empty.afe");
    ASSERT_TRUE(WriteBytes(path, "00002\n\n"));
    ASSERT_TRUE(ImportFrom(path));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    Shown empty;
    empty.appRow = -1;
    empty.versionRow = -1;
    empty.boxes = std::string(64, '0');
    EXPECT_EQ(empty, WhatIsShown());
    ProbeReport menu;
    ASSERT_TRUE(ReadMenu(app, menu));
    EXPECT_TRUE(MenuCommandsAre(menu, kFileCommands, 4, true));
    EXPECT_TRUE(MenuCommandsAre(menu, kEditCommands, 5, false));
    EXPECT_TRUE(MenuCommandsAre(menu, kVersionCommands, 2, false));
    EXPECT_TRUE(ControlsEnabled(app, true, false));
    // Emptied in memory only: the key still holds the table, so Exit asks.
    EXPECT_TRUE(ExitAsksSaveAndCloses());
    EXPECT_EQ(AfeFor(kStored), AfeFromKey());
}

TEST_F(FilesTest, ExportThenImportThenSaveGivesTheKeyBackByteForByte)
{
    StartWith(kStored);
    if (HasFatalFailure())
        return;
    Key stored = ReadKey();
    std::string exported = FilePath("roundtrip.afe");
    std::string other = FilePath("other.afe");
    DeleteFileA(exported.c_str());
    ASSERT_TRUE(WriteBytes(other, AfeFor(kImported)));

    FilePick pick;
    pick.path = exported;
    ASSERT_TRUE(ExportTo(pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    // Another table in memory first, so the last import has work to do.
    ASSERT_TRUE(ImportFrom(other));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    ASSERT_EQ(UpperNames(kImported), ComboRows(Control(app, IDC_APPLICATION)));

    // The imported table is unsaved: Import asks first.
    ASSERT_TRUE(PostMessageA(app.window, WM_COMMAND, IDM_IMPORT, 0));
    ASSERT_TRUE(Answer(kSaveQuestion, MB_YESNOCANCEL, IDNO));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitForFileDialog(app, dialog));
    pick.path = exported;
    ASSERT_TRUE(PickFile(app, dialog, pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ(UpperNames(kStored), ComboRows(Control(app, IDC_APPLICATION)));

    ASSERT_TRUE(PostCommand(app, IDM_SAVE));
    ASSERT_TRUE(Answer(kSaveQuestion, MB_OKCANCEL, IDOK));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    Key saved = ReadKey();
    EXPECT_TRUE(saved == stored) << "stored:\n" << Describe(stored) << "after the round trip:\n" << Describe(saved);
    EXPECT_TRUE(ExitsWithoutQuestion());
}

TEST_F(FilesTest, FailedImportLeavesTheTableAsItWas)
{
    StartWith(kStored);
    if (HasFatalFailure())
        return;
    // Something other than the start: the second application selected.
    ASSERT_TRUE(SelectComboRow(app, IDC_APPLICATION, 1));
    Shown before = WhatIsShown();
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
        ASSERT_TRUE(WriteBytes(path, b.bytes));
        ASSERT_TRUE(ImportFrom(path));
        ASSERT_TRUE(Answer(kImportFailed, MB_OK, IDOK));
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
    StartWith(kStored);
    if (HasFatalFailure())
        return;
    Key stored = ReadKey();
    // Flag 05 of the first version is set in the key; the click clears it.
    ASSERT_TRUE(ClickControl(app, IDC_FLAG01 + 4));
    ASSERT_FALSE(BoxChecked(Control(app, IDC_FLAG01 + 4)));
    std::string path = FilePath("unsaved.afe");
    DeleteFileA(path.c_str());

    // Cancel at the question: no dialog, nothing changes.
    ASSERT_TRUE(PostMessageA(app.window, WM_COMMAND, IDM_EXPORT, 0));
    ASSERT_TRUE(Answer(kExportQuestion, MB_YESNOCANCEL, IDCANCEL));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ(nullptr, OpenFileDialog(app));

    // No, then the dialog cancelled: no file, and the edit is still marked.
    ASSERT_TRUE(PostMessageA(app.window, WM_COMMAND, IDM_EXPORT, 0));
    ASSERT_TRUE(Answer(kExportQuestion, MB_YESNOCANCEL, IDNO));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitForFileDialog(app, dialog));
    ASSERT_TRUE(CancelFileDialog(app, dialog));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));

    // No, then a file: it holds the key's table, not the edit.
    ASSERT_TRUE(PostMessageA(app.window, WM_COMMAND, IDM_EXPORT, 0));
    ASSERT_TRUE(Answer(kExportQuestion, MB_YESNOCANCEL, IDNO));
    ASSERT_TRUE(WaitForFileDialog(app, dialog));
    FilePick pick;
    pick.path = path;
    ASSERT_TRUE(PickFile(app, dialog, pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    std::string bytes;
    ASSERT_TRUE(ReadBytes(path, bytes));
    EXPECT_EQ(AfeFor(kStored), bytes);
    EXPECT_FALSE(BoxChecked(Control(app, IDC_FLAG01 + 4))) << "the edit is still in memory";

    // The key never got the edit, so Exit still asks.
    EXPECT_TRUE(ReadKey() == stored);
    EXPECT_TRUE(ExitAsksSaveAndCloses());
    EXPECT_TRUE(ReadKey() == stored);
}

TEST_F(FilesTest, ExportAnsweredYesSavesTheEditsFirstAndClearsTheMark)
{
    StartWith(kStored);
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(ClickControl(app, IDC_FLAG01 + 4));
    ASSERT_FALSE(BoxChecked(Control(app, IDC_FLAG01 + 4)));
    std::string path = FilePath("saved.afe");
    DeleteFileA(path.c_str());

    ASSERT_TRUE(PostMessageA(app.window, WM_COMMAND, IDM_EXPORT, 0));
    ASSERT_TRUE(Answer(kExportQuestion, MB_YESNOCANCEL, IDYES));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitForFileDialog(app, dialog));
    FilePick pick;
    pick.path = path;
    ASSERT_TRUE(PickFile(app, dialog, pick));
    ASSERT_TRUE(SettleWithoutMessageBox(app));

    // The file holds the edit, through the key.
    std::vector<App> edited = kStored;
    edited[0].versions[0].flagsLow &= ~0x10u;
    std::string bytes;
    ASSERT_TRUE(ReadBytes(path, bytes));
    EXPECT_EQ(AfeFor(edited), bytes);
    EXPECT_EQ(AfeFromKey(), bytes);
    EXPECT_TRUE(ExitsWithoutQuestion());
}

TEST_F(FilesTest, ExportWithoutStoredTableLeavesAnEarlierFileAsItWas)
{
    StartWith(kStored);
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(DeleteTestTable());
    const char* names[2] = {"kept.afe", "kept.inf"};
    for (int type = 0; type < 2; ++type) {
        SCOPED_TRACE(names[type]);
        std::string path = FilePath(names[type]);
        const std::string earlier = "an earlier file that must survive\r\n";
        ASSERT_TRUE(WriteBytes(path, earlier));
        FilePick pick;
        pick.path = path;
        pick.fileTypeRow = type;
        pick.overwrite = IDYES;
        ASSERT_TRUE(ExportTo(pick));
        ASSERT_TRUE(Answer(kExportFailed, MB_OK, IDOK));
        ASSERT_TRUE(SettleWithoutMessageBox(app));
        std::string bytes;
        ASSERT_TRUE(ReadBytes(path, bytes));
        EXPECT_EQ(earlier, bytes);
    }
    // The table in memory is as loaded; nothing to ask about.
    EXPECT_EQ(UpperNames(kStored), ComboRows(Control(app, IDC_APPLICATION)));
    EXPECT_TRUE(ExitsWithoutQuestion());
}
