// The benchmark (make bench): times the program's own Save, Load, Export and
// Import on real controls in a hidden window, beside the bare floor of the
// same work measured in the same run, for tables up to the full capacity,
// and checks every result it times. A find is timed against the pick it
// ends in, and the start of VAVEZAV.exe itself against a bare program's.
//   bench.exe [--smoke] [--runs N] [--out DIR] [--note TEXT]
// --smoke: the smallest table, one run. --out: also write bench.md and
// bench.csv there. Exit 1 when a result is wrong, never because of a time.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench_report.h"
#include "bench_tables.h"
#include "printer_setup_win32.h"
#include "base/platform_win32.h"
#include "store/flag_file_win32.h"
#include "store/registry_layout.h"
#include "store/registry_store_win32.h"
#include "resource.h"
#include "main/commands_win32.h"
#include "main/display_win32.h"
#include "main/editor_window_win32.h"
#include "main/screen.h"
#include "table/app_search.h"
#include "table/edit_commands.h"
#include "table/flag_table_edit.h"

namespace {

std::vector<std::string> shownTexts;

int WINAPI RecordMessage(HWND, const char* text, const char*, UINT)
{
    shownTexts.push_back(text);
    return IDOK;
}

// The store's failures, worded as the editor shows them.
void RecordFault(void*, const StoreFault& fault)
{
    char text[256];
    FormatStoreFault(text, sizeof text, fault);
    shownTexts.push_back(text);
}

double NowMs()
{
    static LARGE_INTEGER frequency;
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The lists and boxes a load or an import is shown in, as the main window
// makes them, under a hidden parent that owns the messages.
struct TableControls {
    HWND parent;
    HWND appCombo;
    HWND versionCombo;
    HWND boxes[kFlagCount];
};

HWND Child(const char* cls, DWORD style, int id, HWND parent)
{
    return CreateWindowExA(0, cls, "", WS_CHILD | style, 0, 0, 200, 100, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

void CreateTableControls(TableControls& c)
{
    c.parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    c.appCombo = Child("COMBOBOX", WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_UPPERCASE, IDC_APPLICATION,
                       c.parent);
    c.versionCombo = Child("COMBOBOX", WS_VSCROLL | CBS_DROPDOWNLIST, IDC_VERSION, c.parent);
    for (int k = 0; k < kFlagCount; ++k)
        c.boxes[k] = Child("BUTTON", BS_AUTOCHECKBOX, IDC_FLAG01 + k, c.parent);
}

// One table size: its generated table, the program's state and the floors'
// scratch space, all made before anything is timed.
struct Bench {
    BenchSize size;
    BenchTable b;
    std::unique_ptr<FlagTable> edited;  // what Save stores
    // The window's record over loadControls: its table is what Load and
    // Import fill, and the display knows what it drew there.
    std::unique_ptr<EditorWindow> view;
    FlagTable* loaded;
    TableControls saveControls;
    TableControls loadControls;
    TableControls floorControls;  // the floors' own
    uint32_t revised;             // versions given by ReviseVersion
    int floorApp;       // which application the pick's floor shows next
    std::string afePath;
    std::string infPath;
    std::string importPath;  // the generator's .afe file
    std::vector<unsigned char> records;
    std::vector<char> text;
    std::vector<uint32_t> words;
    std::vector<Row> rows;  // one per operation, as kOperations lists them
    std::vector<std::string> findTexts;  // per application, what finds it alone
    PROCESS_INFORMATION started;         // the program or bare program started last
    HWND startedWindow;
    std::vector<Row> undoRows;  // Undo and Redo of each case of kUndoCases
};

bool ReadWholeFile(const std::string& path, std::string& out)
{
    out.clear();
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(f, nullptr);
    out.resize(size);
    DWORD read = 0;
    bool ok = size == 0 || (ReadFile(f, &out[0], size, &read, nullptr) && read == size);
    CloseHandle(f);
    return ok;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    return CloseHandle(f) && ok;
}

// The floors: the same registry calls, file calls and rows as the program's
// work, with every name and byte known in advance.

bool SaveFloor(Bench& w)
{
    const BenchTable& b = w.b;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFlagKeyPath);
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFlagKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, &disposition) != ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (size_t i = 0; i < b.valueNames.size(); ++i)
        ok = RegSetValueExA(key, b.valueNames[i].c_str(), 0, REG_BINARY, &b.records[kVersionRecordSize * i],
                            kVersionRecordSize) == ERROR_SUCCESS && ok;
    ok = RegSetValueExA(key, kAppInfoValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(b.appInfo.c_str()),
                        static_cast<DWORD>(b.appInfo.size() + 1)) == ERROR_SUCCESS && ok;
    DWORD size = b.appInfoSize;
    ok = RegSetValueExA(key, kAppInfoSizeValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&size), sizeof size) ==
             ERROR_SUCCESS && ok;
    RegCloseKey(key);
    return ok;
}

bool SaveTwiceFloor(Bench& w)
{
    bool first = SaveFloor(w);
    return SaveFloor(w) && first;
}

// Opens the key and reads APPINFO-SIZE, APPINFO and every version value.
bool ReadKeyFloor(Bench& w)
{
    const BenchTable& b = w.b;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFlagKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    DWORD length = sizeof size;
    bool ok = RegQueryValueExA(key, kAppInfoSizeValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&size), &length) ==
              ERROR_SUCCESS;
    length = static_cast<DWORD>(w.text.size());
    ok = ok && RegQueryValueExA(key, kAppInfoValue, nullptr, nullptr, reinterpret_cast<BYTE*>(w.text.data()),
                                &length) == ERROR_SUCCESS;
    for (size_t i = 0; ok && i < b.valueNames.size(); ++i) {
        length = kVersionRecordSize;
        ok = RegQueryValueExA(key, b.valueNames[i].c_str(), nullptr, nullptr, &w.records[kVersionRecordSize * i],
                              &length) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return ok;
}

void InsertName(HWND combo, const char* name)
{
    SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
}

bool LoadFloor(Bench& w)
{
    SendMessageA(w.floorControls.appCombo, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : w.b.names)
        InsertName(w.floorControls.appCombo, name.c_str());
    return ReadKeyFloor(w);
}

uint32_t Hex8(const char* p)
{
    uint32_t v = 0;
    for (int k = 0; k < 8; ++k) {
        char c = p[k];
        v = v << 4 | static_cast<uint32_t>(c <= '9' ? c - '0' : (c & ~0x20) - 'A' + 10);
    }
    return v;
}

// One read of the whole file, the least parse that takes it in (no checks
// beyond its lengths) and every name into the list.
bool ImportFloor(Bench& w)
{
    HANDLE f = CreateFileA(w.importPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(f, nullptr);
    DWORD read = 0;
    bool ok = size <= w.text.size() && ReadFile(f, w.text.data(), size, &read, nullptr) && read == size;
    CloseHandle(f);
    if (!ok || size < 6)
        return false;
    const char* data = w.text.data();
    size_t sizeField = 0;
    for (int k = 0; k < 5; ++k)
        sizeField = sizeField * 10 + static_cast<size_t>(data[k] - '0');
    size_t listChars = sizeField / 2 - 1;
    if (6 + listChars + 1 > size)
        return false;
    const char* list = data + 6;
    const char* end = list + listChars;
    const char* line = end + 1;
    HWND combo = w.floorControls.appCombo;
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    size_t j = 0;
    for (const char* p = list; p < end;) {
        const char* semicolon = static_cast<const char*>(std::memchr(p, ';', static_cast<size_t>(end - p)));
        if (!semicolon || semicolon - p < 2 || semicolon - p - 2 > static_cast<ptrdiff_t>(kMaxNameChars))
            return false;
        char name[kNameSize];
        std::memcpy(name, p + 2, static_cast<size_t>(semicolon - p - 2));
        name[semicolon - p - 2] = '\0';
        InsertName(combo, name);
        int count = (p[0] - '0') * 10 + (p[1] - '0');
        for (int k = 0; k < count && j < kMaxEntries && line + 41 <= data + size; ++k, ++j, line += 41) {
            for (int word = 0; word < 5; ++word)
                w.words[5 * j + word] = Hex8(line + 8 * word);
        }
        p = semicolon + 1;
    }
    return j == w.b.stored.size() && line == data + size;
}

bool ExportFloor(Bench& w, const std::string& path, const std::string& bytes)
{
    return ReadKeyFloor(w) && WriteWholeFile(path, bytes);
}

bool AfeFloor(Bench& w)
{
    return ExportFloor(w, w.afePath, w.b.afe);
}

bool InfFloor(Bench& w)
{
    return ExportFloor(w, w.infPath, w.b.inf);
}

// The program's operations and the checks of what they did.

int RunSave(Bench& w)
{
    return SaveFlagTable(*w.edited, {RecordFault, nullptr});
}

// The second writer: a thread made once, which saves the table it is handed
// whenever it is told to go. Its failures are counted: shownTexts is the
// first writer's.
struct SecondWriter {
    HANDLE go, done;
    Bench* bench;
    LONG stored, faults;
} second;

void CountFault(void*, const StoreFault&)
{
    InterlockedIncrement(&second.faults);
}

DWORD WINAPI SecondWriterLoop(void*)
{
    while (WaitForSingleObject(second.go, 600000) == WAIT_OBJECT_0) {
        second.stored = SaveFlagTable(*second.bench->edited, {CountFault, nullptr});
        SetEvent(second.done);
    }
    return 0;
}

// The second writer goes as the Save starts and waits for its turn (or the
// Save for its): the time until both have stored the table.
int RunSaveWithWaiter(Bench& w)
{
    if (!second.go) {
        second.go = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        second.done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        CloseHandle(CreateThread(nullptr, 0, SecondWriterLoop, nullptr, 0, nullptr));
    }
    second.bench = &w;
    second.stored = 0;
    second.faults = 0;
    SetEvent(second.go);
    int result = RunSave(w);
    bool done = WaitForSingleObject(second.done, 60000) == WAIT_OBJECT_0;
    return result && done && second.stored == 1 && second.faults == 0 ? 1 : 0;
}

void Display(Bench& w)
{
    size_t rows = 0;
    const CommandRow* commands = CommandRows(&rows);
    ShowEditor(*w.view, commands, rows);
}

int LoadFromKey(void*, FlagTable& t)
{
    LoadSkips skips = LoadFlagTable(t, {RecordFault, nullptr});
    char text[256];
    if (AnySkipped(skips))
        shownTexts.push_back((FormatLoadSkips(text, sizeof text, skips), text));
    return 1;
}

int RunLoad(Bench& w)
{
    ReplaceTable(*w.loaded, TableSource::Key, {LoadFromKey, nullptr});
    Display(w);
    return 1;
}

// The user picks the last application, then the first, and so on.
int RunPick(Bench& w)
{
    FlagTable& t = *w.loaded;
    SelectApplication(t, static_cast<uint16_t>(t.currentApp == 0 ? t.appCount - 1 : 0));
    Display(w);
    return 1;
}

// The user clicks box 05: it toggles itself and notifies.
int RunClick(Bench& w)
{
    HWND box = w.loadControls.boxes[4];
    bool was = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageA(box, BM_SETCHECK, was ? BST_UNCHECKED : BST_CHECKED, 0);
    int checked = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    NoteBoxToggled(*w.view, 4, checked);
    SetFlagFromBox(*w.loaded, 4, checked);
    Display(w);
    return checked;
}

int RunAfe(Bench& w)
{
    return ExportFlagFile(w.afePath.c_str());
}

int RunInf(Bench& w)
{
    return ExportInfFile(w.infPath.c_str());
}

int ImportFromFile(void* path, FlagTable& t)
{
    return ImportFlagFile(t, static_cast<const char*>(path));
}

int RunImport(Bench& w)
{
    if (!ReplaceTable(*w.loaded, TableSource::File, {ImportFromFile, &w.importPath[0]}))
        return 0;
    Display(w);
    return 1;
}

// The bare control calls a pick needs: the version list filled with the
// application's rows, both selections, the 64 boxes set to its first
// version's flags.
bool PickFloor(Bench& w)
{
    const FlagTable& t = *w.loaded;
    const TableControls& c = w.floorControls;
    uint16_t app = static_cast<uint16_t>(w.floorApp == 0 ? t.appCount - 1 : 0);
    w.floorApp = app;
    SendMessageA(c.versionCombo, CB_RESETCONTENT, 0, 0);
    const AppFlagEntry* first = nullptr;
    for (uint16_t i = 0; i < t.entryCount; ++i) {
        if (t.entries[i].appIndex != app)
            continue;
        char text[kVersionTextSize];
        VersionText(text, t.entries[i].versionMS, t.entries[i].versionLS);
        InsertName(c.versionCombo, text);
        if (!first)
            first = &t.entries[i];
    }
    SendMessageA(c.versionCombo, CB_SETCURSEL, 0, 0);
    SendMessageA(c.appCombo, CB_SETCURSEL, app, 0);
    for (int k = 0; k < kFlagCount; ++k)
        SendMessageA(c.boxes[k], BM_SETCHECK, first && FlagBit(*first, k) ? BST_CHECKED : BST_UNCHECKED, 0);
    return true;
}

// A click's bare calls: the box toggled, its new state read.
bool ClickFloor(Bench& w)
{
    HWND box = w.floorControls.boxes[4];
    bool was = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageA(box, BM_SETCHECK, was ? BST_UNCHECKED : BST_CHECKED, 0);
    return SendMessageA(box, BM_GETCHECK, 0, 0) != was;
}

// The application before the current one: a find for it goes round the
// whole table.
uint16_t AppBefore(const FlagTable& t)
{
    return static_cast<uint16_t>(t.currentApp == 0 ? t.appCount - 1 : t.currentApp - 1);
}

// Find Application for the application before the current one, in lower
// case, then the pick it ends in.
int RunFind(Bench& w)
{
    FlagTable& t = *w.loaded;
    int app = FindNextApplication(t, t.currentApp, w.findTexts[AppBefore(t)].c_str(), w.view->appSearch);
    if (app < 0)
        return -1;
    SelectApplication(t, static_cast<uint16_t>(app));
    Display(w);
    return app;
}

// The floor of a find: the program's own pick of the same application.
bool FindFloor(Bench& w)
{
    FlagTable& t = *w.loaded;
    SelectApplication(t, AppBefore(t));
    Display(w);
    return true;
}

// A program started for the start-up figure.

std::string ProgramBeside(const char* name)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

struct ProcessWindow {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM lParam)
{
    ProcessWindow& p = *reinterpret_cast<ProcessWindow*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != p.processId || !GetDlgItem(window, IDC_APPLICATION))
        return TRUE;
    p.window = window;
    return FALSE;
}

constexpr DWORD kStartLimitMs = 30000;

// A list's rows, asked across processes: the answer comes once the program
// is back in its message loop.
LRESULT RowsOf(HWND window, int id)
{
    DWORD_PTR rows = 0;
    if (!SendMessageTimeoutA(GetDlgItem(window, id), CB_GETCOUNT, 0, 0, SMTO_NORMAL, kStartLimitMs, &rows))
        return -1;
    return static_cast<LRESULT>(rows);
}

// Starts `exe` and waits until its window is shown, its lists hold the
// table (every name, the first application's versions) and it waits for
// input; 1 then, 0 when it ended or the time ran out first.
int StartProgram(Bench& w, const std::string& exe)
{
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    std::string line = "\"" + exe + "\"";
    std::vector<char> command(line.begin(), line.end());
    command.push_back('\0');
    w.started = PROCESS_INFORMATION{};
    w.startedWindow = nullptr;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &w.started))
        return 0;
    const LRESULT apps = static_cast<LRESULT>(w.b.names.size());
    LRESULT versions = 0;
    for (const AppFlagEntry& e : w.b.stored)
        versions += e.appIndex == 0;
    // Until the program first waits for input there is nothing to ask.
    WaitForInputIdle(w.started.hProcess, kStartLimitMs);
    const DWORD begun = GetTickCount();
    for (;;) {
        ProcessWindow p = {w.started.dwProcessId, nullptr};
        EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&p));
        if (p.window && IsWindowVisible(p.window) && RowsOf(p.window, IDC_APPLICATION) == apps &&
            RowsOf(p.window, IDC_VERSION) == versions) {
            w.startedWindow = p.window;
            return 1;
        }
        if (WaitForSingleObject(w.started.hProcess, 0) == WAIT_OBJECT_0 || GetTickCount() - begun > kStartLimitMs)
            return 0;
        Sleep(1);
    }
}

// Closes what StartProgram started, by WM_CLOSE, by force if it must.
void EndProgram(Bench& w)
{
    if (!w.started.hProcess)
        return;
    if (w.startedWindow)
        PostMessageA(w.startedWindow, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(w.started.hProcess, kStartLimitMs) != WAIT_OBJECT_0)
        TerminateProcess(w.started.hProcess, 1);
    CloseHandle(w.started.hThread);
    CloseHandle(w.started.hProcess);
    w.started = PROCESS_INFORMATION{};
    w.startedWindow = nullptr;
    // The wineserver, on the benchmark's CPU, tidies up after the program
    // for a while: what is timed next waits until it has.
    Sleep(200);
}

int RunStartup(Bench& w)
{
    return StartProgram(w, ProgramBeside("VAVEZAV.exe"));
}

bool StartupFloor(Bench& w)
{
    return StartProgram(w, ProgramBeside("bare_editor.exe")) == 1;
}

std::string CheckResult(int expected, int result)
{
    if (!shownTexts.empty())
        return "it showed \"" + shownTexts[0] + "\"";
    if (result != expected)
        return "it returned " + std::to_string(result);
    return "";
}

// A light check after each save; Load and the exports then compare every
// byte of the key with the generator's.
std::string CheckSave(Bench& w, int result)
{
    std::string problem = CheckResult(1, result);
    if (!problem.empty())
        return problem;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFlagKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "the key is missing";
    DWORD values = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    std::string appInfo(w.b.appInfo.size() + 8, '\0');
    DWORD length = static_cast<DWORD>(appInfo.size());
    RegQueryValueExA(key, kAppInfoValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&appInfo[0]), &length);
    RegCloseKey(key);
    if (values != w.b.stored.size() + 2)
        return "the key holds " + std::to_string(values) + " values";
    if (length != w.b.appInfo.size() + 1 || appInfo.compare(0, length - 1, w.b.appInfo) != 0)
        return "APPINFO differs";
    return "";
}

std::string CheckRows(Bench& w)
{
    const TableControls& c = w.loadControls;
    size_t versions = 0;
    for (const AppFlagEntry& e : w.b.stored)
        versions += e.appIndex == 0;
    if (SendMessageA(c.appCombo, CB_GETCOUNT, 0, 0) != static_cast<LRESULT>(w.b.names.size()) ||
        SendMessageA(c.versionCombo, CB_GETCOUNT, 0, 0) != static_cast<LRESULT>(versions))
        return "the lists do not show the table";
    return "";
}

std::string CheckLoaded(Bench& w, int result)
{
    std::string problem = CheckResult(1, result);
    if (problem.empty())
        problem = CompareLoaded(w.b, *w.loaded);
    if (problem.empty())
        problem = CheckRows(w);
    return problem;
}

std::string CheckFile(const std::string& path, const std::string& expected)
{
    std::string actual;
    if (!ReadWholeFile(path, actual))
        return "the file cannot be read";
    if (actual != expected)
        return "the file differs from the generator's (" + std::to_string(actual.size()) + " bytes, not " +
               std::to_string(expected.size()) + ")";
    return "";
}

std::string CheckAfe(Bench& w, int result)
{
    // A list too long for the five-digit size line is written, and reported.
    std::string problem = CheckResult(w.b.afeReadsBack ? 1 : 0, result);
    return problem.empty() ? CheckFile(w.afePath, w.b.afe) : problem;
}

std::string CheckInf(Bench& w, int result)
{
    std::string problem = CheckResult(1, result);
    return problem.empty() ? CheckFile(w.infPath, w.b.inf) : problem;
}

// The version list shows the picked application's versions, the first one
// selected, and the boxes its flags.
std::string CheckPick(Bench& w, int)
{
    const FlagTable& t = *w.loaded;
    Screen s = ScreenOf(t);
    LRESULT rows = SendMessageA(w.loadControls.versionCombo, CB_GETCOUNT, 0, 0);
    if (rows != CountVersions(t, t.currentApp) || s.versionRow != 0)
        return "the version list does not show the picked application";
    if (SendMessageA(w.loadControls.appCombo, CB_GETCURSEL, 0, 0) != t.currentApp)
        return "the application list does not select the picked application";
    return "";
}

std::string CheckFind(Bench& w, int found)
{
    if (found < 0 || found != w.loaded->currentApp)
        return "the find did not end at the application before";
    return CheckPick(w, found);
}

std::string CheckStartup(Bench& w, int ready)
{
    if (!ready)
        return "VAVEZAV.exe did not show the table within " + std::to_string(kStartLimitMs / 1000) + " s";
    if (RowsOf(w.startedWindow, IDC_PRINTER) < 1)
        return "VAVEZAV.exe lists no printer";
    return "";
}

// Flag 05 of the version on screen follows the box.
std::string CheckClick(Bench& w, int checked)
{
    const FlagTable& t = *w.loaded;
    if (!ShowsCurrentEntry(t) || FlagBit(t.entries[t.currentEntry], 4) != checked)
        return "flag 05 does not follow its box";
    return "";
}

struct Operation {
    const char* name;
    int (*run)(Bench&);
    std::string (*check)(Bench&, int);
    bool (*floor)(Bench&);
    void (*finish)(Bench&);  // after each timed run and floor, untimed; may be null
};

// Save first: the other operations read the key it (or its floor) stored.
const Operation kOperations[] = {
    {"Save", RunSave, CheckSave, SaveFloor, nullptr},
    {"Save, waiter", RunSaveWithWaiter, CheckSave, SaveTwiceFloor, nullptr},
    {"Load", RunLoad, CheckLoaded, LoadFloor, nullptr},
    {"Export .afe", RunAfe, CheckAfe, AfeFloor, nullptr},
    {"Export .inf", RunInf, CheckInf, InfFloor, nullptr},
    {"Import", RunImport, CheckLoaded, ImportFloor, nullptr},
    {"Pick app", RunPick, CheckPick, PickFloor, nullptr},
    {"Flag click", RunClick, CheckClick, ClickFloor, nullptr},
    {"Find app", RunFind, CheckFind, FindFloor, nullptr},
    {"Start-up", RunStartup, CheckStartup, StartupFloor, EndProgram},
};

// A start takes a second or so: it is timed with the full capacity, and
// with the example so that the smoke run keeps it working.
bool Applies(const Operation& op, const BenchTable& b)
{
    if (op.run == RunStartup)
        return b.label == kFullCapacityLabel || b.label == kExampleLabel;
    return op.run != RunImport || b.afeReadsBack;
}

bool TimeFloor(Bench& w, const Operation& op, double& ms)
{
    double t0 = NowMs();
    bool ok = op.floor(w);
    ms = NowMs() - t0;
    if (op.finish)
        op.finish(w);
    if (!ok)
        std::fprintf(stderr, "bench: %s, %s: its floor failed\n", op.name, w.b.label.c_str());
    return ok;
}

// The program's operation, checked, and its floor, in the order given; the
// two times go to row unless this is a warm-up.
bool MeasureOnce(Bench& w, const Operation& op, bool floorFirst, Row* row)
{
    double floorMs = 0;
    if (floorFirst && !TimeFloor(w, op, floorMs))
        return false;
    shownTexts.clear();
    double t0 = NowMs();
    int result = op.run(w);
    double ms = NowMs() - t0;
    std::string problem = op.check(w, result);
    if (op.finish)
        op.finish(w);
    if (!problem.empty()) {
        std::fprintf(stderr, "bench: %s, %s: %s\n", op.name, w.b.label.c_str(), problem.c_str());
        return false;
    }
    if (!floorFirst && !TimeFloor(w, op, floorMs))
        return false;
    if (row) {
        row->floorMs.push_back(floorMs);
        row->ms.push_back(ms);
    }
    return true;
}

// Undo and Redo, each against its command's own time in the same run: the
// command, then Undo and Redo of its step, each shown on the lists and boxes.

// The table's contents, to check what Undo and Redo put back.
std::string Contents(const FlagTable& t)
{
    std::string s(reinterpret_cast<const char*>(t.entries), t.entryCount * sizeof(AppFlagEntry));
    return s.append(reinterpret_cast<const char*>(t.appNames), t.appCount * kNameSize);
}

bool AnswerYes(void*, const char*)
{
    return true;
}

// The application with the most versions, the first of them.
uint16_t LargestApp(const FlagTable& t)
{
    std::vector<int> versions(t.appCount, 0);
    for (uint16_t i = 0; i < t.entryCount; ++i)
        ++versions[t.entries[i].appIndex];
    return static_cast<uint16_t>(std::max_element(versions.begin(), versions.end()) - versions.begin());
}

void PickLargest(Bench& w)
{
    SelectApplication(*w.loaded, LargestApp(*w.loaded));
    Display(w);
}

// The version on screen given one that no table of the generator holds,
// larger than any.
void ReviseVersion(Bench& w)
{
    FlagTable& t = *w.loaded;
    TableChangeVersion(t, t.currentEntry, 0x80000000u + ++w.revised, 0);
    Display(w);
}

// Its first version made the largest, so that Sort Version moves it.
void UnsortLargest(Bench& w)
{
    PickLargest(w);
    ReviseVersion(w);
}

void ClickBox(Bench& w)
{
    RunClick(w);
}

void DeleteLargest(Bench& w)
{
    DeleteApplication(*w.loaded, {AnswerYes, nullptr});
    Display(w);
}

void Sort(Bench& w)
{
    SortVersions(*w.loaded);
    Display(w);
}

void Import(Bench& w)
{
    RunImport(w);
}

void Nothing(Bench&) {}

struct UndoCase {
    const char* undoName;
    const char* redoName;
    BenchSize size;
    void (*prepare)(Bench&);  // untimed: what the command needs to change the table
    void (*command)(Bench&);
    bool takeBack;  // Undo again after Redo, for the next run's command
};

// Import reads the largest file that reads back, into a table made to
// differ from it.
const UndoCase kUndoCases[] = {
    {"Undo click", "Redo click", BenchSize::FullCapacity, Nothing, ClickBox, false},
    {"Undo del app", "Redo del app", BenchSize::FullCapacity, PickLargest, DeleteLargest, true},
    {"Undo sort", "Redo sort", BenchSize::FullCapacity, UnsortLargest, Sort, false},
    {"Undo import", "Redo import", BenchSize::LargestFlagFile, ReviseVersion, Import, false},
};

double Timed(Bench& w, void (*run)(Bench&))
{
    double t0 = NowMs();
    run(w);
    return NowMs() - t0;
}

void UndoShown(Bench& w)
{
    UndoStep(*w.loaded);
    Display(w);
}

void RedoShown(Bench& w)
{
    RedoStep(*w.loaded);
    Display(w);
}

// What Undo or Redo left that it should not have; empty when all is well.
std::string CheckStep(Bench& w, const std::string& expected, const char* what)
{
    if (Contents(*w.loaded) != expected)
        return std::string(what) + " did not give back the table";
    if (SendMessageA(w.loadControls.appCombo, CB_GETCOUNT, 0, 0) != w.loaded->appCount)
        return std::string(what) + " left the application list stale";
    return shownTexts.empty() ? "" : std::string(what) + " showed \"" + shownTexts[0] + "\"";
}

bool MeasureUndo(Bench& w, size_t index, bool keep)
{
    const UndoCase& c = kUndoCases[index];
    shownTexts.clear();
    c.prepare(w);
    // Once untimed, so that the command and its Undo and Redo all meet
    // warm caches: a click takes tens of microseconds, a cold start more.
    c.command(w);
    UndoShown(w);
    std::string before = Contents(*w.loaded);
    double commandMs = Timed(w, c.command);
    std::string after = Contents(*w.loaded);
    double undoMs = Timed(w, UndoShown);
    std::string problem = CheckStep(w, before, "Undo");
    double redoMs = Timed(w, RedoShown);
    if (problem.empty())
        problem = CheckStep(w, after, "Redo");
    if (c.takeBack)
        UndoShown(w);
    if (before == after)
        problem = "the command changed nothing";
    if (!problem.empty()) {
        std::fprintf(stderr, "bench: %s, %s: %s\n", c.undoName, w.b.label.c_str(), problem.c_str());
        return false;
    }
    if (keep) {
        w.undoRows[2 * index].ms.push_back(undoMs);
        w.undoRows[2 * index + 1].ms.push_back(redoMs);
        w.undoRows[2 * index].floorMs.push_back(commandMs);
        w.undoRows[2 * index + 1].floorMs.push_back(commandMs);
    }
    return true;
}

// The history's bytes after 1,000 clicks on a table just loaded.
std::string HistoryAfterClicks(Bench& w)
{
    RunLoad(w);
    for (int i = 0; i < 1000; ++i)
        RunClick(w);
    const EditHistory& h = w.loaded->history;
    char text[200];
    std::snprintf(text, sizeof text, "History after 1,000 flag clicks at %s: %u steps, %u bytes (%u a step).",
                  w.b.label.c_str(), static_cast<unsigned>(h.steps), static_cast<unsigned>(HistoryBytes(h)),
                  static_cast<unsigned>(h.steps ? HistoryBytes(h) / h.steps : 0));
    return text;
}

std::string TempPath(const std::string& name)
{
    char dir[MAX_PATH];
    DWORD n = GetTempPathA(sizeof dir, dir);
    return std::string(dir, n > 0 && n < sizeof dir ? n : 0) + name;
}

// The generated tables are the sizes the figures claim to be.
bool HasPromisedSize(BenchSize size, const BenchTable& b)
{
    switch (size) {
    case BenchSize::Example:
        return b.names.size() == 1 && b.stored.size() == 2 && b.afe.size() == 97;
    case BenchSize::Hundreds:
        return b.names.size() == 200 && b.stored.size() == 600;
    case BenchSize::FullCapacity:
        return b.names.size() == kMaxApps && b.stored.size() == kMaxEntries && b.appInfo.size() + 1 == kAppInfoBufferSize;
    case BenchSize::LargestFlagFile:
        return b.names.size() == kMaxApps && b.stored.size() == kMaxEntries && b.appInfoSize == 99998 &&
               b.afe.size() == 460005 && b.afeReadsBack;
    }
    return false;
}

// Everything one size needs, made before anything is timed: the table, the
// program's state, its files and the floors' scratch space.
bool Prepare(Bench& w, BenchSize size, int index)
{
    w.size = size;
    w.b = MakeBenchTable(size);
    const BenchTable& b = w.b;
    if (!HasPromisedSize(size, b)) {
        std::fprintf(stderr, "bench: the %s table is not of its size\n", b.label.c_str());
        return false;
    }
    w.edited.reset(new FlagTable());
    FillEditedTable(b, *w.edited);
    CreateTableControls(w.saveControls);
    CreateTableControls(w.loadControls);
    CreateTableControls(w.floorControls);
    w.view.reset(new EditorWindow());
    MakeEditorWindow(*w.view, w.loadControls.parent, GetModuleHandleA(nullptr));
    w.view->controls.appCombo = w.loadControls.appCombo;
    w.view->controls.versionCombo = w.loadControls.versionCombo;
    std::copy(w.loadControls.boxes, w.loadControls.boxes + kFlagCount, w.view->controls.flagBoxes);
    w.view->printerFound = 1;
    w.loaded = &w.view->table;
    // The list that Save reads its names from, as the editor shows it.
    for (const std::string& name : b.names)
        InsertName(w.saveControls.appCombo, name.c_str());
    std::string prefix = "vavezav-bench-" + std::to_string(index);
    w.afePath = TempPath(prefix + "-export.afe");
    w.infPath = TempPath(prefix + "-export.inf");
    w.importPath = TempPath(prefix + "-import.afe");
    w.records.assign(b.records.size(), 0);
    w.text.assign(std::max(b.afe.size(), b.appInfo.size() + 8), '\0');
    w.words.assign(5 * b.stored.size(), 0);
    // The end of each name in lower case: its number, found in no other.
    for (const std::string& name : b.names) {
        std::string tail = name.substr(name.size() > 8 ? name.size() - 8 : 0);
        for (char& c : tail)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        w.findTexts.push_back(tail);
    }
    Row row;
    row.size = b.label;
    row.apps = static_cast<int>(b.names.size());
    row.entries = static_cast<int>(b.stored.size());
    for (const Operation& op : kOperations) {
        row.operation = op.name;
        w.rows.push_back(row);
    }
    for (const UndoCase& c : kUndoCases) {
        for (const char* name : {c.undoName, c.redoName}) {
            row.operation = name;
            w.undoRows.push_back(row);
        }
    }
    if (!WriteWholeFile(w.importPath, b.afe)) {
        std::fprintf(stderr, "bench: %s cannot be written\n", w.importPath.c_str());
        return false;
    }
    return true;
}

struct Options {
    bool smoke = false;
    int runs = 11;
    std::string out;
    std::string note;
};

bool ParseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--smoke") {
            o.smoke = true;
            o.runs = 1;
        } else if (a == "--runs" && i + 1 < argc) {
            o.runs = std::atoi(argv[++i]);
        } else if (a == "--out" && i + 1 < argc) {
            o.out = argv[++i];
        } else if (a == "--note" && i + 1 < argc) {
            o.note = argv[++i];
        } else {
            return false;
        }
    }
    return o.runs >= 1;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: bench.exe [--smoke] [--runs N] [--out DIR] [--note TEXT]\n");
        return 2;
    }
    platform.messageBox = RecordMessage;
    std::vector<BenchSize> sizes = {BenchSize::Example};
    if (!options.smoke)
        sizes = {BenchSize::Example, BenchSize::Hundreds, BenchSize::FullCapacity, BenchSize::LargestFlagFile};

    // The sizes take turns run by run, so that a change in the machine's load
    // meets them all alike and the cost per entry compares across sizes.
    std::vector<std::unique_ptr<Bench>> benches;
    bool ok = true;
    for (size_t s = 0; ok && s < sizes.size(); ++s) {
        benches.emplace_back(new Bench());
        ok = Prepare(*benches.back(), sizes[s], static_cast<int>(s));
    }
    // Printer discovery finds one of the model, so that the program loads the
    // key as it starts; the bare program lists the same printers.
    if (ok && !AddTestPrinter("VRX-2260 Bench", "Kavix VRX-2260 PS")) {
        std::fprintf(stderr, "bench: adding a printer of the model failed (%lu)\n", GetLastError());
        ok = false;
    }
    for (int r = -1; ok && r < options.runs; ++r) {
        for (auto& w : benches) {
            const BenchTable& b = w->b;
            std::string what = r < 0 ? "warm-up" : "run " + std::to_string(r + 1) + "/" + std::to_string(options.runs);
            std::printf("bench: %s, %s (%u x %u, %u entries)\n", what.c_str(), b.label.c_str(),
                        static_cast<unsigned>(b.names.size()),
                        static_cast<unsigned>(b.names.empty() ? 0 : b.stored.size() / b.names.size()),
                        static_cast<unsigned>(b.stored.size()));
            std::fflush(stdout);
            for (size_t i = 0; ok && i < sizeof kOperations / sizeof kOperations[0]; ++i) {
                // Floor first in one run, last in the next: a drift of the
                // machine's load within a pair then weighs on both alike.
                if (Applies(kOperations[i], b))
                    ok = MeasureOnce(*w, kOperations[i], r % 2 == 0, r >= 0 ? &w->rows[i] : nullptr);
            }
            // The smoke run takes every case on its one table.
            for (size_t i = 0; ok && i < sizeof kUndoCases / sizeof kUndoCases[0]; ++i) {
                if (options.smoke || kUndoCases[i].size == w->size)
                    ok = MeasureUndo(*w, i, r >= 0);
            }
        }
    }
    std::string history;
    for (auto& w : benches) {
        if (ok && w->size == BenchSize::FullCapacity)
            history = HistoryAfterClicks(*w);
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFlagKeyPath);
    RemoveAllTestPrinters();
    std::vector<Row> rows;
    for (size_t i = 0; i < sizeof kOperations / sizeof kOperations[0]; ++i) {
        for (auto& w : benches) {
            if (!w->rows[i].ms.empty())
                rows.push_back(w->rows[i]);
        }
    }
    for (size_t i = 0; i < 2 * sizeof kUndoCases / sizeof kUndoCases[0]; ++i) {
        for (auto& w : benches) {
            if (!w->undoRows[i].ms.empty())
                rows.push_back(w->undoRows[i]);
        }
    }
    for (auto& w : benches) {
        for (const std::string* path : {&w->afePath, &w->infPath, &w->importPath})
            DeleteFileA(path->c_str());
    }
    if (!ok) {
        std::fprintf(stderr, "bench: FAILED: a result was wrong; no figures written\n");
        return 1;
    }
    std::string report = FormatReport(rows, options.note, history, false);
    std::fputs(report.c_str(), stdout);
    if (!options.out.empty()) {
        std::string dir = options.out + "\\";
        if (!WriteWholeFile(dir + "bench.md", FormatReport(rows, options.note, history, true)) ||
            !WriteWholeFile(dir + "bench.csv", FormatCsv(rows))) {
            std::fprintf(stderr, "bench: cannot write bench.md and bench.csv in %s\n", options.out.c_str());
            return 1;
        }
    }
    return 0;
}
