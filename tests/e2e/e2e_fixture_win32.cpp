#include "e2e_fixture_win32.h"

#include <stdio.h>

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

const char kModelPrinter[] = "Front Desk";
const char kModelPrinterDriver[] = "Kavix VRX-2260 PS";
const char kModelPrinterRow[] = "Front Desk;FILE:;Kavix VRX-2260 PS";

const UINT kFileCommands[4] = {IDM_SAVE, IDM_IMPORT, IDM_EXPORT, IDM_NEWAPP};
const UINT kEditCommands[5] = {IDM_COPY, IDM_CLEARALL, IDM_CHECKALL, IDM_NEWVERSION, IDM_DELETEAPP};
const UINT kVersionCommands[2] = {IDM_DELETEVERSION, IDM_SORTVERSION};
const UINT kAlwaysCommands[2] = {IDM_ABOUT, IDM_EXIT};

// Bits at both ends of both words, so a box shifted by one shows.
static const TestVersion kWordVersions[2] = {
    {0x00090000, 0x00000BB8, 0x80000011, 0x80000001},
    {0x000A0000, 0x00001770, 0x00000002, 0x40000000},
};
static const TestVersion kCalcVersions[1] = {
    {0x00050001, 0x0A280001, 0x0000F000, 0x00010000},
};
const TestApp kSampleTable[2] = {{"Winword.exe", 2, kWordVersions}, {"calc.exe", 1, kCalcVersions}};

void E2ETest::SetUp()
{
    ASSERT_TRUE(RemoveAllTestPrinters());
    ASSERT_TRUE(DeleteTestTable());
}

void E2ETest::TearDown()
{
    EXPECT_TRUE(StopApp(app));
    RemoveAllTestPrinters();
    DeleteTestTable();
}

void E2ETest::StartWithTable(const TestApp* apps, int appCount)
{
    ASSERT_TRUE(AddTestPrinter(kModelPrinter, kModelPrinterDriver));
    ASSERT_TRUE(WriteTestTable(apps, appCount));
    ASSERT_TRUE(StartApp(app));
    ASSERT_TRUE(SettleWithoutMessageBox(app));
}

bool VersionFlag(const TestVersion& v, int flagIndex)
{
    uint32_t word = flagIndex < 32 ? v.flagsLow : v.flagsHigh;
    return (word >> (flagIndex % 32)) & 1u;
}

AssertionResult E2ETest::ExitsWithZero()
{
    DWORD code = 1;
    AssertionResult ended = WaitForExit(app, kExitTimeoutMs, code);
    if (!ended)
        return ended;
    if (code != 0)
        return AssertionFailure() << "exit code " << code;
    return AssertionSuccess();
}

AssertionResult E2ETest::Answer(const char* text, Buttons buttons, int button, bool closes)
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
    if (seen.caption != "Deruverozad Adov Eduzed")
        wrong += "caption \"" + seen.caption + "\"; ";
    if (!seen.ownedByMainWindow)
        wrong += "not owned by the main window; ";
    bool ok = buttons == Buttons::Ok || buttons == Buttons::OkCancel;
    bool cancel = buttons == Buttons::OkCancel || buttons == Buttons::YesNoCancel;
    bool yesNo = buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel;
    if (seen.ok != ok || seen.cancel != cancel || seen.yes != yesNo || seen.no != yesNo)
        wrong += "other buttons; ";
    if (seen.icon != (buttons != Buttons::Ok))
        wrong += seen.icon ? "an icon; " : "no icon; ";
    if (!wrong.empty())
        return AssertionFailure() << "message box expected \"" << text << "\": " << wrong;
    return closes ? AssertionSuccess() : Settle(app);
}

AssertionResult BoxesShow(const AppProcess& app, const TestVersion& v)
{
    AssertionResult result = AssertionSuccess();
    bool failed = false;
    for (int k = 0; k < 64; ++k) {
        bool checked = BoxChecked(Control(app, IDC_FLAG01 + k));
        if (checked != VersionFlag(v, k)) {
            if (!failed)
                result = AssertionFailure() << "boxes differing from the flags: ";
            failed = true;
            char label[8];
            snprintf(label, sizeof label, "%02d", k + 1);
            result << label << (checked ? " checked; " : " unchecked; ");
        }
    }
    return result;
}

AssertionResult ControlsEnabled(const AppProcess& app, bool printer, bool editing)
{
    AssertionResult result = AssertionSuccess();
    bool failed = false;
    auto check = [&](int id, bool expected) {
        bool enabled = IsWindowEnabled(Control(app, id)) != FALSE;
        if (enabled != expected) {
            if (!failed)
                result = AssertionFailure();
            failed = true;
            result << "control " << id << (enabled ? " enabled; " : " disabled; ");
        }
    };
    check(IDC_PRINTER, printer);
    check(IDC_APPLICATION, editing);
    check(IDC_VERSION, editing);
    for (int id = IDC_FLAG01; id <= IDC_FLAG64; ++id)
        check(id, editing);
    return result;
}

std::string VersionRow(const TestVersion& v)
{
    char text[32];
    snprintf(text, sizeof text, "%08X-%08X", static_cast<unsigned>(v.versionMS), static_cast<unsigned>(v.versionLS));
    return text;
}

const EditorLook kNoPrinterLook = {false, false, false, false, false, false};
const EditorLook kNoTableLook = {true, false, false, false, true, false};
const EditorLook kTwoVersionsLook = {true, true, true, false, true, true};

AssertionResult LooksLike(AppProcess& app, const EditorLook& look)
{
    ProbeReport menu;
    AssertionResult read = ReadMenu(app, menu);
    if (!read)
        return read;
    const UINT paste[] = {IDM_PASTE};
    for (AssertionResult r : {MenuCommandsAre(menu, kFileCommands, 4, look.file),
                              MenuCommandsAre(menu, kEditCommands, 5, look.edit),
                              MenuCommandsAre(menu, kVersionCommands, 2, look.versions),
                              MenuCommandsAre(menu, paste, 1, look.paste),
                              MenuCommandsAre(menu, kAlwaysCommands, 2, true),
                              ControlsEnabled(app, look.printer, look.editing)}) {
        if (!r)
            return r;
    }
    return AssertionSuccess();
}
