#include "main/commands_win32.h"

#include "base/message_box_win32.h"
#include "dialogs/dialogs_win32.h"
#include "main/display_win32.h"
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

struct CommandState {
    int started;              // the start-up command has run
    int printerFound;         // discovery listed a printer of the model
    uint16_t lastPrinterRow;  // the printer whose table was loaded last
    // While set, the combo box losing the focus starts no text check: the
    // closing sequence runs the checks itself.
    int suppressAppCheck;
    int suppressVersionCheck;
    ShownScreen shown;  // what the display last put on the screen
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

void ShowEditMessage(const CommandContext& x, const char* message)
{
    if (message[0])
        ShowAppMessage(x.controls.window, message);
}

bool AskYes(void* context, const char* question)
{
    const MainControls& c = *static_cast<const MainControls*>(context);
    return ShowAppMessage(c.window, question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

Asker AskerOf(const CommandContext& x)
{
    return {AskYes, const_cast<MainControls*>(&x.controls)};
}

// Start-up: a save cut off beside the key finished or undone, silently,
// before anything loads; printer discovery, the no-printer state, the focus.
void OnStartup(const CommandContext& x)
{
    commandState.started = 1;
    RepairFlagKey();
    PrinterSearch printers = ShowPrinters(x.controls.printerCombo);
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
        SelectRow(combo, commandState.lastPrinterRow);
        return;
    }
    int32_t row = SelectedRow(combo);
    commandState.lastPrinterRow = static_cast<uint16_t>(row < 0 ? 0 : row);
    ShowLoadSkips(x.controls.window, LoadFlagTable(x.table, StoreMessages(x.controls.window)));
    SelectLoadedTable(x.table);
    x.table.modified = 0;
    // Nothing copied from this table yet.
    x.table.pasteOffered = 0;
}

// A control that took the focus by itself.
void OnFocusTaken(const CommandContext& x)
{
    NoteFocus(static_cast<uint16_t>(x.arg));
}

void OnAppChange(const CommandContext& x)
{
    int32_t row = SelectedRow(x.controls.appCombo);
    if (row >= 0)
        PickApplication(x.table, static_cast<uint16_t>(row));
}

void OnAppFocus(const CommandContext& x)
{
    int32_t row = SelectedRow(x.controls.appCombo);
    if (row < 0)
        return;
    x.table.currentApp = static_cast<uint16_t>(row);
    NoteFocus(IDC_APPLICATION);
}

// A list losing the focus checks its text, unless the closing sequence is
// running the checks itself.
void OnFocusLost(const CommandContext& x)
{
    bool suppressed =
        x.arg == IDC_APPLICATION ? commandState.suppressAppCheck : commandState.suppressVersionCheck;
    if (!suppressed)
        SendValidate(x.controls, static_cast<UINT>(x.arg));
}

// Room for 255 characters: more than any row holds.
constexpr int kTextSize = 256;

void OnValidate(const CommandContext& x)
{
    char text[kTextSize] = {};
    char message[kMessageSize] = "";
    if (x.arg == IDC_APPLICATION) {
        GetWindowTextA(x.controls.appCombo, text, sizeof text);
        CheckAppText(x.table, text, AskerOf(x), message);
    } else {
        GetWindowTextA(x.controls.versionCombo, text, sizeof text);
        CheckVersionText(x.table, text, AskerOf(x), message);
    }
    ShowEditMessage(x, message);
}

void OnVersionChange(const CommandContext& x)
{
    PickVersion(x.table, SelectedRow(x.controls.appCombo), SelectedRow(x.controls.versionCombo));
}

void OnVersionFocus(const CommandContext& x)
{
    TakeVersionPick(x.table, SelectedRow(x.controls.appCombo), SelectedRow(x.controls.versionCombo));
    NoteFocus(IDC_VERSION);
}

void OnFlagClick(const CommandContext& x)
{
    int flagIndex = FlagIndexOfId(x.id);
    // Automatic check boxes toggle before they notify: this is the new state.
    int checked = SendMessageA(x.controls.flagBoxes[flagIndex], BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    NoteBoxToggled(commandState.shown, flagIndex, checked);
    SetFlagFromBox(x.table, flagIndex, checked);
    NoteFocus(static_cast<uint16_t>(x.id));
}

void OnSave(const CommandContext& x)
{
    SaveCommand(x.table, x.controls);
}

void OnImport(const CommandContext& x)
{
    ImportCommand(x.table, x.controls);
}

void OnExport(const CommandContext& x)
{
    ExportCommand(x.table, x.controls);
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
    CopyFlags(x.table);
}

void OnPaste(const CommandContext& x)
{
    PasteFlags(x.table);
}

// Check All (argument 1) or Clear All (0).
void OnSetAll(const CommandContext& x)
{
    SetAllFlags(x.table, x.arg != 0);
}

// New Application (argument 1) or New Version (0): the input dialog fills
// the values the editing command takes.
void OnNewEntry(const CommandContext& x)
{
    bool newApp = x.arg != 0;
    InputValues input = {};
    InputDialogParam param = {&input, newApp ? ShowNameRefusal : nullptr};
    if (DialogBoxParamA(x.instance, newApp ? "Newapplication" : "Newversion", x.controls.window,
                        newApp ? NewAppDlgProc : NewVersionDlgProc, reinterpret_cast<LPARAM>(&param)) != 1)
        return;
    char message[kMessageSize] = "";
    if (newApp)
        NewApplication(x.table, input, message);
    else
        NewVersion(x.table, input, message);
    ShowEditMessage(x, message);
}

void OnDeleteApp(const CommandContext& x)
{
    DeleteApplication(x.table, AskerOf(x));
}

void OnDeleteVersion(const CommandContext& x)
{
    char message[kMessageSize] = "";
    DeleteVersion(x.table, AskerOf(x), message);
    ShowEditMessage(x, message);
}

void OnSort(const CommandContext& x)
{
    SortVersions(x.table);
}

void OnAbout(const CommandContext& x)
{
    DialogBoxParamA(x.instance, "About", x.controls.window, AboutDlgProc, 0);
}

// Tab (argument 1) or Shift+Tab (-1).
void OnFocusStep(const CommandContext& x)
{
    if (x.arg > 0)
        FocusNext(x.controls);
    else
        FocusPrevious(x.controls);
}

// An Alt shortcut: the focus goes to the control of the argument.
void OnGoto(const CommandContext& x)
{
    FocusControl(x.controls, static_cast<uint16_t>(x.arg));
}

constexpr CommandRow Row(UINT id, int code, CommandHandler handler, int arg = 0)
{
    return {id, id, code, handler, arg};
}

const CommandRow kCommandRows[] = {
    Row(IDM_STARTUP, kAnyCode, OnStartup),
    Row(IDC_PRINTER, CBN_SELCHANGE, OnPrinterChange),
    Row(IDC_PRINTER, CBN_SETFOCUS, OnFocusTaken, IDC_PRINTER),
    Row(IDC_APPLICATION, CBN_SELCHANGE, OnAppChange),
    Row(IDC_APPLICATION, CBN_SETFOCUS, OnAppFocus),
    Row(IDC_APPLICATION, CBN_KILLFOCUS, OnFocusLost, IDC_APPLICATION),
    Row(IDC_APPLICATION, NOTIFY_VALIDATE, OnValidate, IDC_APPLICATION),
    Row(IDC_VERSION, CBN_SELCHANGE, OnVersionChange),
    Row(IDC_VERSION, CBN_SETFOCUS, OnVersionFocus),
    Row(IDC_VERSION, CBN_KILLFOCUS, OnFocusLost, IDC_VERSION),
    Row(IDC_VERSION, NOTIFY_VALIDATE, OnValidate, IDC_VERSION),
    {IDC_FLAG01, IDC_FLAG64, BN_CLICKED, OnFlagClick, 0},
    Row(IDM_SAVE, kAnyCode, OnSave),
    Row(IDM_IMPORT, kAnyCode, OnImport),
    Row(IDM_EXPORT, kAnyCode, OnExport),
    Row(IDM_EXIT, kAnyCode, OnExit),
    Row(IDM_ABOUT, kAnyCode, OnAbout),
    Row(IDM_COPY, kAnyCode, OnCopy),
    Row(IDM_PASTE, kAnyCode, OnPaste),
    Row(IDM_CLEARALL, kAnyCode, OnSetAll, 0),
    Row(IDM_CHECKALL, kAnyCode, OnSetAll, 1),
    Row(IDM_NEWAPP, kAnyCode, OnNewEntry, 1),
    Row(IDM_NEWVERSION, kAnyCode, OnNewEntry, 0),
    Row(IDM_DELETEAPP, kAnyCode, OnDeleteApp),
    Row(IDM_DELETEVERSION, kAnyCode, OnDeleteVersion),
    Row(IDM_SORTVERSION, kAnyCode, OnSort),
    Row(IDM_NEXTCONTROL, kAnyCode, OnFocusStep, 1),
    Row(IDM_PREVCONTROL, kAnyCode, OnFocusStep, -1),
    Row(IDM_GOTOPRINTER, kAnyCode, OnGoto, IDC_PRINTER),
    Row(IDM_GOTOAPP, kAnyCode, OnGoto, IDC_APPLICATION),
    Row(IDM_GOTOVERSION, kAnyCode, OnGoto, IDC_VERSION),
    Row(IDM_GOTOFLAGS, kAnyCode, OnGoto, IDC_FLAG01),
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
    return SnapshotOf(t, commandState.printerFound);
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

LRESULT OnCommand(const MainControls& c, FlagTable& t, HINSTANCE instance, WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    UINT code = HIWORD(wParam);
    const CommandRow* row = FindCommandRow(id, code);
    if (!row)
        return 0;
    row->handler({c, t, instance, id, code, reinterpret_cast<HWND>(lParam), row->arg});
    // Until start-up has run, the lists, the boxes and the enabling are as made.
    if (commandState.started)
        ShowEditor(c, t, commandState.printerFound, commandState.shown);
    return 0;
}
