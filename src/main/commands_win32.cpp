#include "main/commands_win32.h"

#include "dialogs/dialogs_win32.h"
#include "main/enabling_win32.h"
#include "main/focus_win32.h"
#include "main/main_window_win32.h"
#include "main/messages_win32.h"
#include "main/save_protocol_win32.h"
#include "printer/printer_list_win32.h"
#include "table/flag_table_edit.h"
#include "resource.h"
#include "store/registry_store_win32.h"
#include "table/flag_table_edit_win32.h"
#include "table/flag_table_win32.h"
#include "table/text_check_win32.h"

namespace {

struct CommandState {
    int started;              // the start-up command has run
    int printerFound;         // discovery listed a printer of the model
    uint16_t lastPrinterRow;  // the printer whose table was loaded last
    int pasteOffered;         // see EditorSnapshot
    // While set, the combo box losing the focus starts no text check: the
    // closing sequence runs the checks itself.
    int suppressAppCheck;
    int suppressVersionCheck;
};

CommandState commandState;

void SendValidate(const MainControls& c, UINT control)
{
    // Sent, not posted: the check is over before the focus change goes on.
    SendMessageA(c.window, WM_COMMAND, MAKEWPARAM(control, NOTIFY_VALIDATE), 0);
}

// The text checks of both lists, then the save question; false for Cancel.
// Each suppress flag is set before its check runs, so the check's own
// message box taking the focus from that list starts no second check.
bool ClosingCheck(const FlagTable& t, const MainControls& c)
{
    commandState.suppressAppCheck = 1;
    SendValidate(c, IDC_APPLICATION);
    commandState.suppressVersionCheck = 1;
    SendValidate(c, IDC_VERSION);
    return AskSaveChanges(t, c, kSaveQuestion) != SaveAnswer::Cancel;
}

// Start-up: printer discovery, the no-printer state, the focus.
void OnStartup(const CommandContext& x)
{
    commandState.started = 1;
    PrinterSearch printers = FillPrinterList(x.controls.printerCombo);
    ShowPrinterSearch(x.controls.window, printers);
    commandState.printerFound = printers.outcome == PrinterOutcome::Found;
    FocusControl(x.controls, IDC_PRINTER);
}

// Every printer leads to the same key: a printer change reloads the table.
void OnPrinterChange(const CommandContext& x)
{
    HWND combo = x.control ? x.control : x.controls.printerCombo;
    // Cancel, or a save that failed, keeps the edits: the previous printer
    // is shown again (selecting it raises no new notification).
    if (AskSaveChanges(x.table, x.controls, kSaveQuestion) == SaveAnswer::Cancel) {
        SendMessageA(combo, CB_SETCURSEL, commandState.lastPrinterRow, 0);
        return;
    }
    LRESULT row = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    commandState.lastPrinterRow = static_cast<uint16_t>(row == CB_ERR ? 0 : row);
    ShowLoadSkips(x.controls.window, LoadFlagTable(x.table, StoreMessages(x.controls.window)));
    ShowTable(x.table, x.controls.appCombo, x.controls.versionCombo, x.controls.flagBoxes);
    x.table.modified = 0;
    // Nothing copied from this table yet.
    commandState.pasteOffered = 0;
}

void OnPrinterFocus(const CommandContext&)
{
    NoteFocus(IDC_PRINTER);
}

void OnAppChange(const CommandContext& x)
{
    LRESULT row = SendMessageA(x.controls.appCombo, CB_GETCURSEL, 0, 0);
    if (row == CB_ERR)
        return;
    x.table.currentApp = static_cast<uint16_t>(row);
    FillVersionList(x.table, x.controls.versionCombo, x.table.currentApp, x.controls.flagBoxes);
}

void OnAppFocus(const CommandContext& x)
{
    LRESULT row = SendMessageA(x.controls.appCombo, CB_GETCURSEL, 0, 0);
    if (row == CB_ERR)
        return;
    x.table.currentApp = static_cast<uint16_t>(row);
    NoteFocus(IDC_APPLICATION);
}

void OnAppFocusLost(const CommandContext& x)
{
    if (!commandState.suppressAppCheck)
        SendValidate(x.controls, IDC_APPLICATION);
}

// No selection to map (an application without versions): the current entry
// stays, so no later edit can reach past the table.
void TakeSelectedEntry(const CommandContext& x)
{
    int e = SelectedEntry(x.table, x.controls.appCombo, x.controls.versionCombo);
    if (e >= 0 && e < x.table.entryCount)
        x.table.currentEntry = static_cast<uint16_t>(e);
}

void OnVersionChange(const CommandContext& x)
{
    TakeSelectedEntry(x);
    ShowFlags(x.table, x.table.currentEntry, x.controls.flagBoxes);
}

void OnVersionFocus(const CommandContext& x)
{
    TakeSelectedEntry(x);
    NoteFocus(IDC_VERSION);
}

void OnVersionFocusLost(const CommandContext& x)
{
    if (!commandState.suppressVersionCheck)
        SendValidate(x.controls, IDC_VERSION);
}

void OnFlagClick(const CommandContext& x)
{
    if (SetFlagFromBox(x.table, x.controls, static_cast<int>(x.id), static_cast<int>(x.code)))
        NoteFocus(static_cast<uint16_t>(x.id));
}

void OnImport(const CommandContext& x)
{
    if (ImportCommand(x.table, x.controls))
        commandState.pasteOffered = 0;
}

// Exit runs the closing check itself; the WM_CLOSE it posts then destroys
// the window without asking again.
void OnExit(const CommandContext& x)
{
    if (!ClosingCheck(x.table, x.controls)) {
        commandState.suppressAppCheck = 0;
        commandState.suppressVersionCheck = 0;
        return;
    }
    PostMessageA(x.controls.window, WM_CLOSE, 0, 0);
}

void OnCopy(const CommandContext& x)
{
    // Only a version of the application on screen is copied.
    if (TableCopyFlags(x.table, x.table.currentEntry))
        commandState.pasteOffered = 1;
}

// A row that only runs an operation points at it through these.
template <void (*Operation)(FlagTable&, const MainControls&)>
void Run(const CommandContext& x)
{
    Operation(x.table, x.controls);
}

template <int (*Operation)(FlagTable&, const MainControls&)>
void Run(const CommandContext& x)
{
    Operation(x.table, x.controls);
}

template <void (*Operation)(const MainControls&)>
void Run(const CommandContext& x)
{
    Operation(x.controls);
}

void OnClearAll(const CommandContext& x)
{
    SetAllFlags(x.table, x.controls, false);
}

void OnCheckAll(const CommandContext& x)
{
    SetAllFlags(x.table, x.controls, true);
}

// The input dialogs fill the values the editing operations take.
void OnNewApp(const CommandContext& x)
{
    InputValues input = {};
    InputDialogParam param = {&input, ShowNameRefusal};
    if (DialogBoxParamA(ProgramInstance(), "Newapplication", x.controls.window, NewAppDlgProc,
                        reinterpret_cast<LPARAM>(&param)) != 1)
        return;
    uint16_t before = x.table.appCount;
    NewApplication(x.table, input, x.controls);
    // Paste comes on with a new application, copied or not.
    if (x.table.appCount > before)
        commandState.pasteOffered = 1;
}

void OnNewVersion(const CommandContext& x)
{
    InputValues input = {};
    InputDialogParam param = {&input, nullptr};
    if (DialogBoxParamA(ProgramInstance(), "Newversion", x.controls.window, NewVersionDlgProc,
                        reinterpret_cast<LPARAM>(&param)) == 1)
        NewVersion(x.table, input, x.controls);
}

void OnAbout(const CommandContext& x)
{
    DialogBoxParamA(ProgramInstance(), "About", x.controls.window, AboutDlgProc, 0);
}

void OnGotoPrinter(const CommandContext& x)
{
    FocusControl(x.controls, IDC_PRINTER);
}

void OnGotoApp(const CommandContext& x)
{
    FocusControl(x.controls, IDC_APPLICATION);
}

void OnGotoVersion(const CommandContext& x)
{
    FocusControl(x.controls, IDC_VERSION);
}

void OnGotoFlags(const CommandContext& x)
{
    FocusControl(x.controls, IDC_FLAG01);
}

constexpr CommandRow Row(UINT id, int code, CommandHandler handler)
{
    return {id, id, code, handler};
}

const CommandRow kCommandRows[] = {
    Row(IDM_STARTUP, kAnyCode, OnStartup),
    Row(IDC_PRINTER, CBN_SELCHANGE, OnPrinterChange),
    Row(IDC_PRINTER, CBN_SETFOCUS, OnPrinterFocus),
    Row(IDC_APPLICATION, CBN_SELCHANGE, OnAppChange),
    Row(IDC_APPLICATION, CBN_SETFOCUS, OnAppFocus),
    Row(IDC_APPLICATION, CBN_KILLFOCUS, OnAppFocusLost),
    Row(IDC_APPLICATION, NOTIFY_VALIDATE, Run<CheckAppText>),
    Row(IDC_VERSION, CBN_SELCHANGE, OnVersionChange),
    Row(IDC_VERSION, CBN_SETFOCUS, OnVersionFocus),
    Row(IDC_VERSION, CBN_KILLFOCUS, OnVersionFocusLost),
    Row(IDC_VERSION, NOTIFY_VALIDATE, Run<CheckVersionText>),
    {IDC_FLAG01, IDC_FLAG64, BN_CLICKED, OnFlagClick},
    Row(IDM_SAVE, kAnyCode, Run<SaveCommand>),
    Row(IDM_IMPORT, kAnyCode, OnImport),
    Row(IDM_EXPORT, kAnyCode, Run<ExportCommand>),
    Row(IDM_EXIT, kAnyCode, OnExit),
    Row(IDM_ABOUT, kAnyCode, OnAbout),
    Row(IDM_COPY, kAnyCode, OnCopy),
    Row(IDM_PASTE, kAnyCode, Run<PasteFlags>),
    Row(IDM_CLEARALL, kAnyCode, OnClearAll),
    Row(IDM_CHECKALL, kAnyCode, OnCheckAll),
    Row(IDM_NEWAPP, kAnyCode, OnNewApp),
    Row(IDM_NEWVERSION, kAnyCode, OnNewVersion),
    Row(IDM_DELETEAPP, kAnyCode, Run<DeleteApplication>),
    Row(IDM_DELETEVERSION, kAnyCode, Run<DeleteVersion>),
    Row(IDM_SORTVERSION, kAnyCode, Run<SortVersions>),
    Row(IDM_NEXTCONTROL, kAnyCode, Run<FocusNext>),
    Row(IDM_PREVCONTROL, kAnyCode, Run<FocusPrevious>),
    Row(IDM_GOTOPRINTER, kAnyCode, OnGotoPrinter),
    Row(IDM_GOTOAPP, kAnyCode, OnGotoApp),
    Row(IDM_GOTOVERSION, kAnyCode, OnGotoVersion),
    Row(IDM_GOTOFLAGS, kAnyCode, OnGotoFlags),
};

}  // namespace

bool CloseBoxCheck(const MainControls& c, const FlagTable& t)
{
    // A cancelled close leaves both suppress flags set, until an Exit is cancelled.
    return ClosingCheck(t, c);
}

void ResetEditingState()
{
    commandState = CommandState{};
}

EditorSnapshot EditorState(const FlagTable& t)
{
    return SnapshotOf(t, commandState.printerFound, commandState.pasteOffered);
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

LRESULT OnCommand(const MainControls& c, FlagTable& t, WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    UINT code = HIWORD(wParam);
    const CommandRow* row = FindCommandRow(id, code);
    if (!row)
        return 0;
    row->handler({c, t, id, code, reinterpret_cast<HWND>(lParam)});
    // Until start-up has run, the menu and the controls are as made.
    if (commandState.started)
        ApplyEnabling(c, EditorState(t));
    return 0;
}
