// The benchmark (make bench): times the program's own Save, Load, Export and
// Import on real controls in a hidden window, beside the bare floor of the
// same work measured in the same run, for tables up to the full capacity,
// and checks every result it times.
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
#include "base/platform_win32.h"
#include "store/flag_file_win32.h"
#include "store/registry_layout.h"
#include "store/registry_store_win32.h"
#include "resource.h"
#include "main/display_win32.h"
#include "main/screen.h"
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
    BenchTable b;
    std::unique_ptr<FlagTable> edited;  // what Save stores
    std::unique_ptr<FlagTable> loaded;  // what Load and Import fill
    TableControls saveControls;
    TableControls loadControls;
    // The floors' own: the display knows what it drew into loadControls.
    TableControls floorControls;
    ShownScreen shown;  // what the display last drew into loadControls
    int floorApp;       // which application the pick's floor shows next
    std::string afePath;
    std::string infPath;
    std::string importPath;  // the generator's .afe file
    std::vector<unsigned char> records;
    std::vector<char> text;
    std::vector<uint32_t> words;
    std::vector<Row> rows;  // one per operation, as kOperations lists them
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
    const TableControls& t = w.loadControls;
    MainControls c = {};
    c.window = t.parent;
    c.appCombo = t.appCombo;
    c.versionCombo = t.versionCombo;
    std::copy(t.boxes, t.boxes + kFlagCount, c.flagBoxes);
    ShowEditor(c, *w.loaded, 1, w.shown);
}

int RunLoad(Bench& w)
{
    LoadSkips skips = LoadFlagTable(*w.loaded, {RecordFault, nullptr});
    char text[256];
    if (AnySkipped(skips))
        shownTexts.push_back((FormatLoadSkips(text, sizeof text, skips), text));
    SelectLoadedTable(*w.loaded);
    Display(w);
    return 1;
}

// The user picks the last application, then the first, and so on.
int RunPick(Bench& w)
{
    FlagTable& t = *w.loaded;
    PickApplication(t, static_cast<uint16_t>(t.currentApp == 0 ? t.appCount - 1 : 0));
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
    NoteBoxToggled(w.shown, 4, checked);
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

int RunImport(Bench& w)
{
    if (!ImportFlagFile(*w.loaded, w.importPath.c_str()))
        return 0;
    SelectLoadedTable(*w.loaded);
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
};

// Save first: the other operations read the key it (or its floor) stored.
const Operation kOperations[] = {
    {"Save", RunSave, CheckSave, SaveFloor},
    {"Save, waiter", RunSaveWithWaiter, CheckSave, SaveTwiceFloor},
    {"Load", RunLoad, CheckLoaded, LoadFloor},
    {"Export .afe", RunAfe, CheckAfe, AfeFloor},
    {"Export .inf", RunInf, CheckInf, InfFloor},
    {"Import", RunImport, CheckLoaded, ImportFloor},
    {"Pick app", RunPick, CheckPick, PickFloor},
    {"Flag click", RunClick, CheckClick, ClickFloor},
};

bool Applies(const Operation& op, const BenchTable& b)
{
    return op.run != RunImport || b.afeReadsBack;
}

bool TimeFloor(Bench& w, const Operation& op, double& ms)
{
    double t0 = NowMs();
    bool ok = op.floor(w);
    ms = NowMs() - t0;
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
    w.b = MakeBenchTable(size);
    const BenchTable& b = w.b;
    if (!HasPromisedSize(size, b)) {
        std::fprintf(stderr, "bench: the %s table is not of its size\n", b.label.c_str());
        return false;
    }
    w.edited.reset(new FlagTable());
    w.loaded.reset(new FlagTable());
    FillEditedTable(b, *w.edited);
    CreateTableControls(w.saveControls);
    CreateTableControls(w.loadControls);
    CreateTableControls(w.floorControls);
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
    for (const Operation& op : kOperations) {
        Row row;
        row.operation = op.name;
        row.size = b.label;
        row.apps = static_cast<int>(b.names.size());
        row.entries = static_cast<int>(b.stored.size());
        w.rows.push_back(row);
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
        }
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFlagKeyPath);
    std::vector<Row> rows;
    for (size_t i = 0; i < sizeof kOperations / sizeof kOperations[0]; ++i) {
        for (auto& w : benches) {
            if (!w->rows[i].ms.empty())
                rows.push_back(w->rows[i]);
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
    std::string report = FormatReport(rows, options.note, false);
    std::fputs(report.c_str(), stdout);
    if (!options.out.empty()) {
        std::string dir = options.out + "\\";
        if (!WriteWholeFile(dir + "bench.md", FormatReport(rows, options.note, true)) ||
            !WriteWholeFile(dir + "bench.csv", FormatCsv(rows))) {
            std::fprintf(stderr, "bench: cannot write bench.md and bench.csv in %s\n", options.out.c_str());
            return 1;
        }
    }
    return 0;
}
