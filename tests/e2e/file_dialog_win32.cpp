#include "file_dialog_win32.h"

#include "window_search_win32.h"

#include <string.h>

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;


HWND OpenFileDialog(const AppProcess& app)
{
    // The file-type list tells a file dialog from a message box.
    return FindThreadWindow(app.process.dwThreadId,
                            [](HWND w) { return HasClass(w, "#32770") && GetDlgItem(w, kFileTypeList); });
}

AssertionResult WaitForFileDialog(AppProcess& app, HWND& dialog, DWORD timeoutMs)
{
    // The dialog fills its controls after it shows; an empty file-type list
    // means it is not ready yet.
    WaitUntil(timeoutMs, [&] {
        dialog = OpenFileDialog(app);
        return (dialog && !FileTypeRows(dialog).empty()) || Exited(app);
    });
    if (Exited(app))
        return AssertionFailure() << "VAVEZAV.exe ended while waiting for a file dialog";
    if (!dialog || FileTypeRows(dialog).empty())
        return AssertionFailure() << "no file dialog within " << timeoutMs << " ms";
    return Settle(app);
}

AssertionResult WaitForFileDialogClosed(AppProcess& app, HWND dialog, DWORD timeoutMs)
{
    if (!WaitUntil(timeoutMs, [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog) || Exited(app); }))
        return AssertionFailure() << "the file dialog \"" << WindowText(dialog) << "\" did not close";
    if (Exited(app))
        return AssertionFailure() << "VAVEZAV.exe ended while its file dialog was open";
    return Settle(app);
}

HWND FileNameEdit(HWND dialog)
{
    HWND field = GetDlgItem(dialog, kFileNameField);
    if (!field)
        return nullptr;
    if (HasClass(field, "Edit"))
        return field;  // the field is a plain edit
    return FindChildWindow(field, [](HWND w) { return HasClass(w, "Edit"); });
}

std::string FileNameText(HWND dialog)
{
    HWND edit = FileNameEdit(dialog);
    return edit ? FieldText(edit) : std::string("<no file-name edit>");
}

std::vector<std::string> FileTypeRows(HWND dialog)
{
    HWND list = GetDlgItem(dialog, kFileTypeList);
    return list ? ComboRows(list) : std::vector<std::string>();
}

int FileTypeSelection(HWND dialog)
{
    return ComboSelection(GetDlgItem(dialog, kFileTypeList));
}

AssertionResult ChooseFileType(AppProcess& app, HWND dialog, int row)
{
    HWND list = GetDlgItem(dialog, kFileTypeList);
    if (!list)
        return AssertionFailure() << "the file dialog has no file-type list";
    int rows = static_cast<int>(FileTypeRows(dialog).size());
    if (row < 0 || row >= rows)
        return AssertionFailure() << "the file-type list has no row " << row << " (" << rows << " rows)";
    // Picked the way the drop-down reports a pick: the dialog changes the
    // filter on CBN_SELENDOK. Real clicks into the drop-down under Wine now
    // and then left it open, and it swallowed the next click.
    DWORD_PTR result = 0;
    if (!SendWithin(list, CB_SETCURSEL, row, 0, &result) ||
        static_cast<int>(result) != row)
        return AssertionFailure() << "the file-type list does not take row " << row;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeList, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
    AssertionResult settled = Settle(app);
    if (!settled)
        return settled;
    if (FileTypeSelection(dialog) != row)
        return AssertionFailure() << "the file-type list shows row " << FileTypeSelection(dialog) << ", not " << row;
    return AssertionSuccess();
}

AssertionResult TypeFileName(AppProcess& app, HWND dialog, const std::string& text)
{
    HWND edit = FileNameEdit(dialog);
    if (!edit)
        return AssertionFailure() << "the file dialog has no file-name edit";
    AssertionResult front = BringWindowForward(app, dialog);
    if (!front)
        return front;
    if (FocusWindow(app) != edit) {
        AssertionResult clicked = ClickInWindow(app, dialog, edit);
        if (!clicked)
            return clicked;
        if (FocusWindow(app) != edit)
            return AssertionFailure() << "the file-name edit does not take the focus";
    }
    // Typing replaces the selection: all of the preset name.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(edit, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &ignored);
    AssertionResult typed = TypeText(app, dialog, text.c_str());
    if (!typed)
        return typed;
    std::string shown = FieldText(edit);
    if (shown != text)
        return AssertionFailure() << "the file-name edit shows \"" << shown << "\" after typing \"" << text << "\"";
    return AssertionSuccess();
}

AssertionResult PressInFileDialog(AppProcess& app, HWND dialog, WORD vk)
{
    return PressKey(app, vk, 0, dialog);
}

AssertionResult CancelFileDialog(AppProcess& app, HWND dialog)
{
    AssertionResult pressed = PressInFileDialog(app, dialog, VK_ESCAPE);
    if (!pressed)
        return pressed;
    return WaitForFileDialogClosed(app, dialog);
}

HWND FileDialogQuestion(const AppProcess& app, HWND dialog)
{
    return FindThreadWindow(app.process.dwThreadId, [dialog](HWND w) {
        return HasClass(w, "#32770") && GetWindow(w, GW_OWNER) == dialog && GetDlgItem(w, 0xFFFF);
    });
}

AssertionResult PickFile(AppProcess& app, HWND dialog, const FilePick& pick, MessageBoxSeen* question)
{
    AssertionResult typed = TypeFileName(app, dialog, pick.path);
    if (!typed)
        return typed;
    if (pick.fileTypeRow >= 0) {
        AssertionResult chosen = ChooseFileType(app, dialog, pick.fileTypeRow);
        if (!chosen)
            return chosen;
    }
    // Enter in the file-name field presses the default button, Open or Save.
    if (FocusWindow(app) != FileNameEdit(dialog))
        return AssertionFailure() << "the file-name edit lost the focus";
    AssertionResult pressed = PressInFileDialog(app, dialog, VK_RETURN);
    if (!pressed)
        return pressed;
    DWORD start = GetTickCount();
    for (;;) {
        HWND box = FileDialogQuestion(app, dialog);
        if (box) {
            if (!pick.overwrite)
                return AssertionFailure() << "unexpected question from the file dialog: \""
                                          << WindowText(GetDlgItem(box, 0xFFFF)) << "\"";
            AssertionResult answered = AnswerMessageBox(app, box, pick.overwrite, question);
            if (!answered)
                return answered;
            if (pick.overwrite == IDNO)
                return Settle(app);
            return WaitForFileDialogClosed(app, dialog);
        }
        if (!IsWindow(dialog) || !IsWindowVisible(dialog)) {
            if (pick.overwrite)
                return AssertionFailure() << "the file dialog closed without asking about the existing file";
            return Settle(app);
        }
        if (Exited(app))
            return AssertionFailure() << "VAVEZAV.exe ended after Enter in its file dialog";
        if (GetTickCount() - start > kMessageBoxTimeoutMs) {
            char focus[64] = "";
            GetClassNameA(FocusWindow(app), focus, sizeof focus);
            return AssertionFailure() << "after Enter the file dialog neither closed nor asked within "
                                      << kMessageBoxTimeoutMs << " ms; it shows \"" << FileNameText(dialog)
                                      << "\", the focus is on a " << focus;
        }
        PumpDriverMessages();
        Sleep(5);
    }
}
