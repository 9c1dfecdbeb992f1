#include "main/commands_win32.h"

#include "base/message_box_win32.h"
#include "dialogs/dialogs_win32.h"
#include "main/display_win32.h"
#include "main/find_command_win32.h"
#include "main/focus_win32.h"
#include "main/messages_win32.h"
#include "main/save_protocol_win32.h"
#include "printer/printer_list_win32.h"
#include "resource.h"
#include "store/key_swap_win32.h"
#include "store/registry_store_win32.h"
#include "table/edit_commands.h"
#include "table/flag_table_edit.h"

namespace {

void SendValidate(const EditorWindow& w, UINT control)
{
    // Sent, not posted: the check is over before the focus change goes on.
    SendMessageA(w.controls.window, WM_COMMAND, MAKEWPARAM(control, NOTIFY_VALIDATE), 0);
}

// The text checks of both lists, then the save question; false for Cancel.
// Each suppress flag is set before its check runs, so the check's own
// message box taking the focus from that list starts no second check.
bool ClosingCheck(EditorWindow& w)
{
    w.suppressAppCheck = 1;
    SendValidate(w, IDC_APPLICATION);
    w.suppressVersionCheck = 1;
    SendValidate(w, IDC_VERSION);
    return AskSaveChanges(w.table, w.controls, kSaveQuestion) != SaveAnswer::Cancel;
}

void ShowEditMessage(const CommandContext& x, const char* message)
{
    if (message[0])
        ShowAppMessage(x.w.controls.window, message);
}

bool AskYes(void* context, const char* question)
{
    const MainControls& c = *static_cast<const MainControls*>(context);
    return ShowAppMessage(c.window, question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

Asker AskerOf(const CommandContext& x)
{
    return {AskYes, &x.w.controls};
}

// Start-up: a save cut off beside the key finished or undone, silently,
// before anything loads; printer discovery, the no-printer state, the focus.
void OnStartup(const CommandContext& x)
{
    x.w.printerSearched = 1;
    RepairFlagKey();
    PrinterSearch printers = ShowPrinters(x.w.controls.printerCombo);
    ShowPrinterSearch(x.w.controls.window, printers);
    x.w.printerFound = printers.outcome == PrinterOutcome::Found;
    FocusControl(x.w, IDC_PRINTER);
}

// The load of a printer change, as ReplaceTable fills the table.
struct KeyLoad {
    HWND owner;
    LoadSkips skips;
};

int LoadFromKey(void* context, FlagTable& t)
{
    KeyLoad& load = *static_cast<KeyLoad*>(context);
    load.skips = LoadFlagTable(t, StoreMessages(load.owner));
    return 1;
}

// Every printer leads to the same key: a printer change reloads the table.
void OnPrinterChange(const CommandContext& x)
{
    EditorWindow& w = x.w;
    HWND combo = x.control ? x.control : w.controls.printerCombo;
    // Cancel, or a save that failed, keeps the edits: the previous printer
    // is shown again (selecting it raises no new notification).
    if (AskSaveChanges(w.table, w.controls, kSaveQuestion) == SaveAnswer::Cancel) {
        SetListCursor(combo, w.lastPrinterRow);
        return;
    }
    int32_t row = ListCursor(combo);
    w.lastPrinterRow = static_cast<uint16_t>(row < 0 ? 0 : row);
    KeyLoad load = {w.controls.window, {}};
    ReplaceTable(w.table, TableSource::Key, {LoadFromKey, &load});
    ShowLoadSkips(w.controls.window, load.skips);
}

// A control that took the focus by itself.
void OnFocusTaken(const CommandContext& x)
{
    x.w.focusedControl = static_cast<uint16_t>(x.row.arg);
}

void OnAppChange(const CommandContext& x)
{
    int32_t row = ListCursor(x.w.controls.appCombo);
    if (row >= 0)
        SelectApplication(x.w.table, static_cast<uint16_t>(row));
}

void OnAppFocus(const CommandContext& x)
{
    int32_t row = ListCursor(x.w.controls.appCombo);
    if (row < 0)
        return;
    FollowApplicationFocus(x.w.table, row);
    x.w.focusedControl = IDC_APPLICATION;
}

// A list losing the focus checks its text, unless the closing sequence is
// running the checks itself.
void OnFocusLost(const CommandContext& x)
{
    bool suppressed = x.row.arg == IDC_APPLICATION ? x.w.suppressAppCheck : x.w.suppressVersionCheck;
    if (!suppressed)
        SendValidate(x.w, static_cast<UINT>(x.row.arg));
}

// Room for 255 characters: more than any row holds.
constexpr int kTextSize = 256;

void OnValidate(const CommandContext& x)
{
    char text[kTextSize] = {};
    char message[kMessageSize] = "";
    if (x.row.arg == IDC_APPLICATION) {
        GetWindowTextA(x.w.controls.appCombo, text, sizeof text);
        CheckAppText(x.w.table, text, AskerOf(x), message);
    } else {
        GetWindowTextA(x.w.controls.versionCombo, text, sizeof text);
        CheckVersionText(x.w.table, text, AskerOf(x), message);
    }
    ShowEditMessage(x, message);
}

void OnVersionChange(const CommandContext& x)
{
    const MainControls& c = x.w.controls;
    SelectVersion(x.w.table, ListCursor(c.appCombo), ListCursor(c.versionCombo));
}

void OnVersionFocus(const CommandContext& x)
{
    const MainControls& c = x.w.controls;
    FollowVersionFocus(x.w.table, ListCursor(c.appCombo), ListCursor(c.versionCombo));
    x.w.focusedControl = IDC_VERSION;
}

void OnFlagClick(const CommandContext& x)
{
    int flagIndex = FlagIndexOfId(x.id);
    // Automatic check boxes toggle before they notify: this is the new state.
    int checked = SendMessageA(x.w.controls.flagBoxes[flagIndex], BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    NoteBoxToggled(x.w, flagIndex, checked);
    SetFlagFromBox(x.w.table, flagIndex, checked);
    x.w.focusedControl = static_cast<uint16_t>(x.id);
}

void OnSave(const CommandContext& x)
{
    SaveCommand(x.w.table, x.w.controls);
}

void OnImport(const CommandContext& x)
{
    ImportCommand(x.w.table, x.w.controls);
}

void OnExport(const CommandContext& x)
{
    ExportCommand(x.w.table, x.w.controls);
}

// Exit runs the closing check itself; the WM_CLOSE it posts then destroys
// the window without asking again.
void OnExit(const CommandContext& x)
{
    if (!ClosingCheck(x.w)) {
        x.w.suppressAppCheck = 0;
        x.w.suppressVersionCheck = 0;
        return;
    }
    PostMessageA(x.w.controls.window, WM_CLOSE, 0, 0);
}

void OnCopy(const CommandContext& x)
{
    CopyFlags(x.w.table);
}

void OnPaste(const CommandContext& x)
{
    PasteFlags(x.w.table);
}

// Check All (argument 1) or Clear All (0).
void OnSetAll(const CommandContext& x)
{
    SetAllFlags(x.w.table, x.row.arg != 0);
}

// New Application (argument 1) or New Version (0): the input dialog fills
// the values the editing command takes.
void OnNewEntry(const CommandContext& x)
{
    bool newApp = x.row.arg != 0;
    InputValues input = {};
    InputDialogParam param = {&input, newApp ? ShowNameRefusal : nullptr};
    if (DialogBoxParamA(x.w.instance, newApp ? "Newapplication" : "Newversion", x.w.controls.window,
                        newApp ? NewAppDlgProc : NewVersionDlgProc, reinterpret_cast<LPARAM>(&param)) != 1)
        return;
    char message[kMessageSize] = "";
    if (newApp)
        NewApplication(x.w.table, input, message);
    else
        NewVersion(x.w.table, input, message);
    ShowEditMessage(x, message);
}

void OnDeleteApp(const CommandContext& x)
{
    DeleteApplication(x.w.table, AskerOf(x));
}

void OnDeleteVersion(const CommandContext& x)
{
    char message[kMessageSize] = "";
    DeleteVersion(x.w.table, AskerOf(x), message);
    ShowEditMessage(x, message);
}

void OnSort(const CommandContext& x)
{
    SortVersions(x.w.table);
}

// Undo and Redo show no message of their own.
void OnUndo(const CommandContext& x)
{
    UndoStep(x.w.table);
}

void OnRedo(const CommandContext& x)
{
    RedoStep(x.w.table);
}

// Find Application (argument 1), or Find Next (0), F3.
void OnFind(const CommandContext& x)
{
    FindCommand(x.w, x.row.arg != 0);
}

void OnAbout(const CommandContext& x)
{
    DialogBoxParamA(x.w.instance, "About", x.w.controls.window, AboutDlgProc, 0);
}

// Tab (argument 1) or Shift+Tab (-1).
void OnFocusStep(const CommandContext& x)
{
    if (x.row.arg > 0)
        FocusNext(x.w);
    else
        FocusPrevious(x.w);
}

// An Alt shortcut: the focus goes to the control of the argument.
void OnGoto(const CommandContext& x)
{
    FocusControl(x.w, static_cast<uint16_t>(x.row.arg));
}

// A control's notification (code), or the posted start-up command.
constexpr CommandRow Notice(UINT id, int code, CommandHandler handler, int arg = 0)
{
    return {id, id, code, handler, arg, CommandNeed::Nothing, false, nullptr, nullptr};
}

// A menu item, greyed while its need is not met.
constexpr CommandRow Item(UINT id, CommandNeed need, CommandHandler handler, int arg = 0)
{
    return {id, id, kAnyCode, handler, arg, need, true, nullptr, nullptr};
}

// A menu item named after the step it takes: "verb step\tkeys".
constexpr CommandRow StepItem(UINT id, CommandNeed need, CommandHandler handler, const char* verb, const char* keys)
{
    return {id, id, kAnyCode, handler, 0, need, true, verb, keys};
}

// A key of the accelerator table that is no menu item: it acts only while
// its need is met (the focus keys always).
constexpr CommandRow Key(UINT id, CommandHandler handler, int arg, CommandNeed need = CommandNeed::Nothing)
{
    return {id, id, kAnyCode, handler, arg, need, false, nullptr, nullptr};
}

const CommandRow kCommandRows[] = {
    Notice(IDM_STARTUP, kAnyCode, OnStartup),
    Notice(IDC_PRINTER, CBN_SELCHANGE, OnPrinterChange),
    Notice(IDC_PRINTER, CBN_SETFOCUS, OnFocusTaken, IDC_PRINTER),
    Notice(IDC_APPLICATION, CBN_SELCHANGE, OnAppChange),
    Notice(IDC_APPLICATION, CBN_SETFOCUS, OnAppFocus),
    Notice(IDC_APPLICATION, CBN_KILLFOCUS, OnFocusLost, IDC_APPLICATION),
    Notice(IDC_APPLICATION, NOTIFY_VALIDATE, OnValidate, IDC_APPLICATION),
    Notice(IDC_VERSION, CBN_SELCHANGE, OnVersionChange),
    Notice(IDC_VERSION, CBN_SETFOCUS, OnVersionFocus),
    Notice(IDC_VERSION, CBN_KILLFOCUS, OnFocusLost, IDC_VERSION),
    Notice(IDC_VERSION, NOTIFY_VALIDATE, OnValidate, IDC_VERSION),
    {IDC_FLAG01, IDC_FLAG64, BN_CLICKED, OnFlagClick, 0, CommandNeed::Nothing, false, nullptr, nullptr},
    Item(IDM_SAVE, CommandNeed::Printer, OnSave),
    Item(IDM_IMPORT, CommandNeed::Printer, OnImport),
    Item(IDM_EXPORT, CommandNeed::Printer, OnExport),
    Item(IDM_EXIT, CommandNeed::Nothing, OnExit),
    StepItem(IDM_UNDO, CommandNeed::UndoStep, OnUndo, "&Undo", "Ctrl+Z"),
    StepItem(IDM_REDO, CommandNeed::RedoStep, OnRedo, "&Redo", "Ctrl+Y"),
    Item(IDM_COPY, CommandNeed::Application, OnCopy),
    Item(IDM_PASTE, CommandNeed::PasteOffer, OnPaste),
    Item(IDM_CLEARALL, CommandNeed::Application, OnSetAll, 0),
    Item(IDM_CHECKALL, CommandNeed::Application, OnSetAll, 1),
    Item(IDM_NEWAPP, CommandNeed::Printer, OnNewEntry, 1),
    Item(IDM_NEWVERSION, CommandNeed::Application, OnNewEntry, 0),
    Item(IDM_DELETEAPP, CommandNeed::Application, OnDeleteApp),
    Item(IDM_DELETEVERSION, CommandNeed::SecondVersion, OnDeleteVersion),
    Item(IDM_SORTVERSION, CommandNeed::SecondVersion, OnSort),
    Item(IDM_FIND, CommandNeed::Application, OnFind, 1),
    Item(IDM_ABOUT, CommandNeed::Nothing, OnAbout),
    Key(IDM_FINDNEXT, OnFind, 0, CommandNeed::Application),
    Key(IDM_NEXTCONTROL, OnFocusStep, 1),
    Key(IDM_PREVCONTROL, OnFocusStep, -1),
    Key(IDM_GOTOPRINTER, OnGoto, IDC_PRINTER),
    Key(IDM_GOTOAPP, OnGoto, IDC_APPLICATION),
    Key(IDM_GOTOVERSION, OnGoto, IDC_VERSION),
    Key(IDM_GOTOFLAGS, OnGoto, IDC_FLAG01),
};

}  // namespace

const CommandRow* CommandRows(size_t* count)
{
    *count = sizeof kCommandRows / sizeof kCommandRows[0];
    return kCommandRows;
}

bool CloseBoxCheck(EditorWindow& w)
{
    // A cancelled close leaves both suppress flags set, until an Exit is cancelled.
    return ClosingCheck(w);
}

const CommandRow* FindCommandRow(UINT id, UINT code)
{
    for (const CommandRow& row : kCommandRows) {
        if (id < row.firstId || id > row.lastId)
            continue;
        if (row.code == kAnyCode || static_cast<UINT>(row.code) == code)
            return row.handler ? &row : nullptr;
    }
    return nullptr;
}

void OnMenuOpening(EditorWindow& w)
{
    ShowStepItems(w, kCommandRows, sizeof kCommandRows / sizeof kCommandRows[0]);
}

LRESULT OnCommand(EditorWindow& w, WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    UINT code = HIWORD(wParam);
    const CommandRow* row = FindCommandRow(id, code);
    // A greyed item does nothing, whatever sent its command.
    if (!row || !NeedMet(w.table, w.printerFound, row->need))
        return 0;
    row->handler({w, id, code, reinterpret_cast<HWND>(lParam), *row});
    // Until start-up has run, the lists, the boxes and the enabling are as made.
    if (w.printerSearched)
        ShowEditor(w, kCommandRows, sizeof kCommandRows / sizeof kCommandRows[0]);
    return 0;
}
