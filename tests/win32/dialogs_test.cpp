// The About box and the two input dialogs from their real templates, run
// modally and worked by a timer on the same thread; Browse through the real
// open-file dialog.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/platform_win32.h"
#include "dialogs/dialogs_win32.h"
#include "file_text.h"
#include "main/messages_win32.h"
#include "main_window_harness.h"
#include "resource.h"
#include "table/flag_table.h"
#include "window_search_win32.h"

namespace dialogs_test {
namespace {

int beeps = 0;
UINT lastBeep = 0;

BOOL WINAPI CountBeep(UINT type)
{
    ++beeps;
    lastBeep = type;
    return TRUE;
}

// A step returns true when done; false to be tried again at the next tick.
using Step = std::function<bool(HWND dialog)>;

struct Script {
    std::string caption;
    std::vector<Step> steps;
    size_t next = 0;
    DWORD deadline = 0;
    bool timedOut = false;
};
Script* script = nullptr;

// A visible dialog of this thread with that caption (and that owner).
HWND FindDialog(const char* caption, HWND owner = nullptr)
{
    return FindThreadDialog(GetCurrentThreadId(), caption, owner);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (script == nullptr)
        return;
    if (GetTickCount() > script->deadline) {
        // Whatever hangs is cancelled, the file dialog as well as ours.
        script->timedOut = true;
        FindThreadWindow(GetCurrentThreadId(), [](HWND w) {
            if (HasClass(w, "#32770"))
                PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
            return false;
        });
        return;
    }
    if (script->next >= script->steps.size())
        return;
    HWND dialog = FindDialog(script->caption.c_str());
    if (dialog == nullptr)
        return;
    // A step may open a nested modal loop; mark it done first so that the
    // ticks inside that loop go on to the next step.
    Script* s = script;
    size_t index = s->next;
    ++s->next;
    if (!s->steps[index](dialog) && s->next == index + 1)
        s->next = index;
}

// Pressing a button the way a click does: the command arrives through the
// dialog's own loop.
void Press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string FieldText(HWND dialog, int id)
{
    char text[300] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Replaces the selection (here the whole field) as a paste does.
void PasteInto(HWND dialog, int id, const char* text)
{
    SendDlgItemMessageA(dialog, id, EM_SETSEL, 0, -1);
    SendDlgItemMessageA(dialog, id, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

// Typed at the end of the field.
void TypeInto(HWND dialog, int id, const char* text)
{
    HWND field = GetDlgItem(dialog, id);
    SendMessageA(field, EM_SETSEL, 0x7FFF, 0x7FFF);
    for (const char* p = text; *p; ++p)
        SendMessageA(field, WM_CHAR, static_cast<unsigned char>(*p), 1);
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The dialogs' owner, hidden, as the main window owns them.
        owner = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, owner);
        beeps = 0;
        lastBeep = 0;
        platform.messageBeep = CountBeep;
        input.inputVersionMS = 0xDEADBEEF;
        input.inputVersionLS = 0xDEADBEEF;
        std::strcpy(input.inputAppName, "UNTOUCHED");
    }

    void TearDown() override
    {
        platform.messageBeep = kSystemPlatform.messageBeep;
        DestroyWindow(owner);
    }

    // Runs the template modally with the steps; fails the test on a timeout.
    INT_PTR Run(const char* name, DLGPROC proc, const char* caption, std::vector<Step> steps, DWORD timeoutMs = 10000)
    {
        Script s;
        s.caption = caption;
        s.steps = std::move(steps);
        s.deadline = GetTickCount() + timeoutMs;
        script = &s;
        UINT_PTR timer = SetTimer(nullptr, 0, 30, Tick);
        InputDialogParam param = {&input, ShowNameRefusal};
        INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), name, owner, proc,
                                         reinterpret_cast<LPARAM>(&param));
        KillTimer(nullptr, timer);
        script = nullptr;
        EXPECT_FALSE(s.timedOut) << caption << ": stopped at step " << s.next << " of " << s.steps.size();
        EXPECT_EQ(s.steps.size(), s.next) << caption << ": not every step ran";
        return result;
    }

    MessageRecorder recorder;
    HWND owner = nullptr;
    InputValues input = {};  // what the dialog returned
};

const char kNewApp[] = "Application and Version Input";
const char kNewVersion[] = "Version Input";

TEST_F(Dialogs, NewAppFiltersTheVersionFieldsAndNeedsAName)
{
    INT_PTR result = Run("Newapplication", NewAppDlgProc, kNewApp, {
        [](HWND d) {
            EXPECT_EQ(GetDlgItem(d, IDC_NEWAPP_NAME), GetFocus()) << "focus on the name field";
            PasteInto(d, IDC_NEWAPP_MS, "12g4");
            EXPECT_EQ("124", FieldText(d, IDC_NEWAPP_MS));
            EXPECT_EQ(1, beeps);
            EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), lastBeep);
            PasteInto(d, IDC_NEWAPP_LS, "0x1F-2a");
            EXPECT_EQ("01F2a", FieldText(d, IDC_NEWAPP_LS));
            EXPECT_EQ(2, beeps) << "one beep for the paste";
            TypeInto(d, IDC_NEWAPP_LS, "B");
            TypeInto(d, IDC_NEWAPP_LS, "x");
            EXPECT_EQ("01F2aB", FieldText(d, IDC_NEWAPP_LS));
            EXPECT_EQ(3, beeps) << "digits never beep, the x does";
            SendMessageA(d, WM_COMMAND, IDOK, 0);
            return true;
        },
        [](HWND d) {
            // Still open after the refusal, fields as they were.
            EXPECT_EQ(1u, shownMessages.size());
            EXPECT_EQ("124", FieldText(d, IDC_NEWAPP_MS));
            TypeInto(d, IDC_NEWAPP_NAME, "notepad.exe");
            Press(d, IDOK);
            return true;
        },
    });
    EXPECT_EQ(IDOK, result);
    ASSERT_EQ(1u, shownMessages.size());
    EXPECT_EQ("Application is NULL\nSet Application", shownMessages[0].text);
    EXPECT_EQ("Deruverozad Adov Eduzed", shownMessages[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), shownMessages[0].type);
    EXPECT_EQ(owner, shownMessages[0].owner) << "owned by the main window, not the dialog";
    EXPECT_STREQ("NOTEPAD.EXE", input.inputAppName) << "typed letters become upper case";
    EXPECT_EQ(0x124u, input.inputVersionMS);
    EXPECT_EQ(0x1F2ABu, input.inputVersionLS);
}

TEST_F(Dialogs, NewAppRefusesTheListSeparatorAndStaysOpen)
{
    INT_PTR result = Run("NEWAPPLICATION", NewAppDlgProc, kNewApp, {
        [](HWND d) {
            SetDlgItemTextA(d, IDC_NEWAPP_NAME, "A;B.EXE");
            SendMessageA(d, WM_COMMAND, IDOK, 0);
            return true;
        },
        [](HWND d) {
            EXPECT_EQ("A;B.EXE", FieldText(d, IDC_NEWAPP_NAME));
            Press(d, IDCANCEL);
            return true;
        },
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(std::vector<std::string>{"Application name can not contain \";\"\nSet Application"}, ShownTexts());
    EXPECT_STREQ("UNTOUCHED", input.inputAppName);
}

TEST_F(Dialogs, NewAppOpensWithItsLimitsAndFontAndEmptyVersionsGiveZero)
{
    INT_PTR result = Run("NEWAPPLICATION", NewAppDlgProc, kNewApp, {
        [this](HWND d) {
            EXPECT_EQ(0u, input.inputVersionMS) << "set to 0 at opening";
            EXPECT_EQ(0u, input.inputVersionLS);
            EXPECT_EQ(80, SendDlgItemMessageA(d, IDC_NEWAPP_NAME, EM_GETLIMITTEXT, 0, 0));
            EXPECT_EQ(8, SendDlgItemMessageA(d, IDC_NEWAPP_MS, EM_GETLIMITTEXT, 0, 0));
            EXPECT_EQ(8, SendDlgItemMessageA(d, IDC_NEWAPP_LS, EM_GETLIMITTEXT, 0, 0));
            HFONT gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
            EXPECT_EQ(reinterpret_cast<LRESULT>(gui), SendDlgItemMessageA(d, IDC_NEWAPP_NAME, WM_GETFONT, 0, 0));
            EXPECT_NE(reinterpret_cast<LRESULT>(gui), SendDlgItemMessageA(d, IDC_NEWAPP_MS, WM_GETFONT, 0, 0));
            PasteInto(d, IDC_NEWAPP_MS, "123456789");
            EXPECT_EQ("12345678", FieldText(d, IDC_NEWAPP_MS)) << "eight characters at most";
            PasteInto(d, IDC_NEWAPP_MS, "");
            TypeInto(d, IDC_NEWAPP_NAME, "a.exe");
            Press(d, IDOK);
            return true;
        },
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(shownMessages.empty());
    EXPECT_EQ(0, beeps);
    EXPECT_STREQ("A.EXE", input.inputAppName);
    EXPECT_EQ(0u, input.inputVersionMS);
    EXPECT_EQ(0u, input.inputVersionLS);
}

TEST_F(Dialogs, NewAppCutsABrowsedNameToEightyCharacters)
{
    std::string longName(100, 'N');
    INT_PTR result = Run("NEWAPPLICATION", NewAppDlgProc, kNewApp, {
        [&longName](HWND d) {
            SetDlgItemTextA(d, IDC_NEWAPP_NAME, longName.c_str());  // as Browse writes it
            Press(d, IDOK);
            return true;
        },
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(std::string(80, 'N'), input.inputAppName);
}

TEST_F(Dialogs, NewVersionParsesBothFields)
{
    static const struct {
        const char* ms;
        const char* ls;
        uint32_t msValue, lsValue;
    } cases[] = {
        {"", "", 0, 0},
        {"0001000A", "ffffffff", 0x1000A, 0xFFFFFFFF},
        {"7", "", 7, 0},
    };
    for (const auto& k : cases) {
        input.inputVersionMS = input.inputVersionLS = 0xDEADBEEF;
        INT_PTR result = Run("Newversion", NewVersionDlgProc, kNewVersion, {
            [&k](HWND d) {
                EXPECT_EQ(GetDlgItem(d, IDC_NEWVER_MS), GetFocus()) << "focus on the MS field";
                EXPECT_EQ(8, SendDlgItemMessageA(d, IDC_NEWVER_MS, EM_GETLIMITTEXT, 0, 0));
                EXPECT_EQ(8, SendDlgItemMessageA(d, IDC_NEWVER_LS, EM_GETLIMITTEXT, 0, 0));
                PasteInto(d, IDC_NEWVER_MS, k.ms);
                PasteInto(d, IDC_NEWVER_LS, k.ls);
                Press(d, IDOK);
                return true;
            },
        });
        EXPECT_EQ(IDOK, result) << k.ms << "-" << k.ls;
        EXPECT_EQ(k.msValue, input.inputVersionMS) << k.ms;
        EXPECT_EQ(k.lsValue, input.inputVersionLS) << k.ls;
    }
    EXPECT_EQ(0, beeps);
    EXPECT_STREQ("UNTOUCHED", input.inputAppName) << "Version Input has no name";
}

TEST_F(Dialogs, NewVersionFiltersAndCancelEndsWithTwo)
{
    INT_PTR result = Run("NEWVERSION", NewVersionDlgProc, kNewVersion, {
        [](HWND d) {
            PasteInto(d, IDC_NEWVER_LS, "12g4");
            EXPECT_EQ("124", FieldText(d, IDC_NEWVER_LS));
            EXPECT_EQ(1, beeps);
            PasteInto(d, IDC_NEWVER_MS, "\xE9\xE9" "9");
            EXPECT_EQ("9", FieldText(d, IDC_NEWVER_MS));
            EXPECT_EQ(2, beeps);
            Press(d, IDCANCEL);
            return true;
        },
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(0u, input.inputVersionMS) << "the 0 of the opening stays";
    EXPECT_EQ(0u, input.inputVersionLS);
}

TEST_F(Dialogs, AboutEndsWithOneForOkAndEsc)
{
    for (int button : {IDOK, IDCANCEL}) {
        INT_PTR result = Run("About", AboutDlgProc, "About Deruverozad Adov Eduzed", {
            [button](HWND d) {
                EXPECT_EQ("Deruverozad Adov Eduzed for Windows98/Me", FieldText(d, IDC_ABOUT_TITLE));
                EXPECT_EQ("Version 1.00.0.007", FieldText(d, IDC_ABOUT_VERSION));
                EXPECT_FALSE(FieldText(d, IDC_ABOUT_COPYRIGHT).empty());
                PostMessageA(d, WM_COMMAND, button, 0);
                return true;
            },
        });
        EXPECT_EQ(IDOK, result) << "button " << button;
    }
}

// The controls of a window, for a message when one is not where expected.
std::string ChildList(HWND window)
{
    std::string list;
    FindChildWindow(window, [&list](HWND w) {
        char cls[32] = {};
        GetClassNameA(w, cls, sizeof cls);
        list += std::string(cls) + ":" + std::to_string(GetDlgCtrlID(w)) + " ";
        return false;
    });
    return list;
}

// The edit inside the file name combo box (cmb13, 0x47C; in Wine a combo box
// inside a ComboBoxEx of the same id).
HWND FileNameEdit(HWND files)
{
    return FindChildWindow(files, [](HWND w) {
        return HasClass(w, "Edit") && (GetDlgCtrlID(w) == 0x47C || GetDlgCtrlID(GetParent(w)) == 0x47C);
    });
}

// Browse with the real open-file dialog: the path typed into its file name
// field, then its OK.
std::vector<Step> BrowseSteps(std::string path, bool choose)
{
    return {
        [](HWND d) {
            Press(d, IDC_BROWSE);
            return true;
        },
        [path, choose](HWND d) {
            HWND files = FindDialog("Select Application", d);
            if (files == nullptr)
                return false;
            if (choose) {
                HWND edit = FileNameEdit(files);
                EXPECT_NE(nullptr, edit) << "file name field in " << ChildList(files);
                SetWindowTextA(edit, path.c_str());
                Press(files, IDOK);
            } else {
                Press(files, IDCANCEL);
            }
            return true;
        },
        [](HWND d) {
            // Back in the input dialog once the file dialog has gone.
            if (FindDialog("Select Application", d) != nullptr)
                return false;
            Press(d, IDCANCEL);
            return true;
        },
    };
}

struct BrowsedFields {
    std::string name, ms, ls;
};

class BrowseTest : public Dialogs {
protected:
    BrowsedFields Browse(const std::string& path, bool choose = true)
    {
        BrowsedFields f;
        std::vector<Step> steps = BrowseSteps(path, choose);
        Step cancel = steps.back();
        steps.back() = [&f, cancel](HWND d) {
            if (!cancel(d))
                return false;
            f.name = FieldText(d, IDC_NEWAPP_NAME);
            f.ms = FieldText(d, IDC_NEWAPP_MS);
            f.ls = FieldText(d, IDC_NEWAPP_LS);
            return true;
        };
        steps.insert(steps.begin(), [](HWND d) {
            SetDlgItemTextA(d, IDC_NEWAPP_NAME, "KEEP.EXE");
            SetDlgItemTextA(d, IDC_NEWAPP_MS, "11111111");
            return true;
        });
        EXPECT_EQ(IDCANCEL, Run("NEWAPPLICATION", NewAppDlgProc, kNewApp, steps, 20000));
        return f;
    }
};

TEST_F(BrowseTest, ReadsTheFileVersionNotTheProductVersion)
{
    BrowsedFields f = Browse(WindowsPath(VERSIONED_APP));
    EXPECT_EQ(0, lstrcmpiA("versioned_app.exe", f.name.c_str())) << f.name << ": the name without its folder";
    EXPECT_EQ("00050001", f.ms);
    EXPECT_EQ("0A280000", f.ls);
    EXPECT_EQ(0, beeps) << "the filter finds nothing to remove";
}

TEST_F(BrowseTest, FileWithoutVersionGivesZeros)
{
    BrowsedFields f = Browse(WindowsPath(UNVERSIONED_APP));
    EXPECT_EQ(0, lstrcmpiA("unversioned_app.exe", f.name.c_str())) << f.name;
    EXPECT_EQ("00000000", f.ms);
    EXPECT_EQ("00000000", f.ls);
}

TEST_F(BrowseTest, VersionDllThatCannotBeLoadedIsNamedAndGivesZeros)
{
    platform.loadSystemLibrary = OnlyFileDialogDll;
    BrowsedFields f = Browse(WindowsPath(VERSIONED_APP));
    platform.loadSystemLibrary = kSystemPlatform.loadSystemLibrary;
    EXPECT_EQ("00000000", f.ms);
    EXPECT_EQ("00000000", f.ls);
    ASSERT_EQ(1u, shownMessages.size());
    EXPECT_EQ(LoadFailureText("version.dll") + ", so the version of the file cannot be read.", shownMessages[0].text);
    EXPECT_EQ("Error: VAVEZAV.exe", shownMessages[0].caption);
    EXPECT_EQ(owner, shownMessages[0].owner);
}

TEST_F(BrowseTest, CancelInTheFileDialogKeepsTheFields)
{
    BrowsedFields f = Browse(WindowsPath(VERSIONED_APP), false);
    EXPECT_EQ("KEEP.EXE", f.name);
    EXPECT_EQ("11111111", f.ms);
    EXPECT_EQ("", f.ls);
}

TEST(ReadFileVersion, FixedFileVersionOrZeros)
{
    uint32_t ms = 0xDEADBEEF, ls = 0xDEADBEEF;
    EXPECT_EQ(1, ReadFileVersion(WindowsPath(VERSIONED_APP).c_str(), &ms, &ls));
    EXPECT_EQ(0x00050001u, ms);
    EXPECT_EQ(0x0A280000u, ls);
    ms = ls = 0xDEADBEEF;
    EXPECT_EQ(0, ReadFileVersion(WindowsPath(UNVERSIONED_APP).c_str(), &ms, &ls));
    EXPECT_EQ(0u, ms);
    EXPECT_EQ(0u, ls);
    ms = ls = 0xDEADBEEF;
    EXPECT_EQ(0, ReadFileVersion("Z:\\no\\such\\file.exe", &ms, &ls));
    EXPECT_EQ(0u, ms);
    EXPECT_EQ(0u, ls);
}

// The build makes both programs; a test above that found neither would read
// only zeros and could pass for the wrong reason.
TEST(BrowseData, TestProgramsAreBuilt)
{
    for (const char* path : {VERSIONED_APP, UNVERSIONED_APP}) {
        DWORD attributes = GetFileAttributesA(WindowsPath(path).c_str());
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, attributes) << path;
        EXPECT_EQ(0u, attributes & FILE_ATTRIBUTE_DIRECTORY) << path;
    }
}

}  // namespace
}  // namespace dialogs_test
