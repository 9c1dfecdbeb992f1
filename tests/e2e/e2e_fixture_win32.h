// What every end-to-end test shares: a prefix reset to no printers and no
// stored table before and after each test, the program under test, and the
// expectations that several tests check.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "driver_win32.h"
#include "resource.h"
#include "printer_setup_win32.h"

// Printers of the supported model and one of another model. The driver name
// is what the model is found by in the second one.
extern const char kModelPrinter[];
extern const char kModelPrinterRow[];

// Save, Import, Export and New Application.
extern const UINT kFileCommands[4];
// Copy, Clear All, Check All, New Version, Delete Application.
extern const UINT kEditCommands[5];
extern const UINT kVersionCommands[2];  // Delete Version, Sort Version
extern const UINT kAlwaysCommands[2];   // About, Exit

// Rows of a list, as ComboRows reads them.
using Strings = std::vector<std::string>;

// The sample table: WINWORD.EXE with two versions, then CALC.EXE with one.
extern const TestApp kSampleTable[2];
// The same two applications with CALC.EXE first.

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

class E2ETest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A model printer and the table (the sample table unless named), then
    // the program, settled.
    void StartWithSampleTable() { StartWithTable(kSampleTable, 2); }
    void StartWithTable(const TestApp* apps, int appCount);
    // The program ends, with exit code 0.
    ::testing::AssertionResult ExitsWithZero();
    // Waits for the message box and answers it; checks its text, its buttons,
    // its caption, its owner and that questions carry the icon. Settles
    // afterwards, unless the answer is to end the program.
    ::testing::AssertionResult Answer(const char* text, Buttons buttons, int button, bool closes = false);

    AppProcess app;
};

// Every test starts on the sample table.
class SampleTableTest : public E2ETest {
protected:
    void SetUp() override
    {
        E2ETest::SetUp();
        if (!HasFatalFailure())
            StartWithSampleTable();
    }
};

bool VersionFlag(const TestVersion& v, int flagIndex);
// All 64 boxes show the version's flags.
::testing::AssertionResult BoxesShow(const AppProcess& app, const TestVersion& v);
// The printer combo enabled as `printer`, the two other combos and the 64
// boxes as `editing`.
::testing::AssertionResult ControlsEnabled(const AppProcess& app, bool printer, bool editing);
// The menu and the controls in one state of the editor: each group of
// commands enabled or greyed, About and Exit always enabled, the printer
// list and the editing controls (both lists, the 64 boxes) on or off.
struct EditorLook {
    bool file, edit, versions, paste, printer, editing;
};
extern const EditorLook kNoPrinterLook;     // only About and Exit
extern const EditorLook kNoTableLook;       // a printer, no application
extern const EditorLook kTwoVersionsLook;   // just loaded, a second version
::testing::AssertionResult LooksLike(AppProcess& app, const EditorLook& look);

// "%08X-%08X"
std::string VersionRow(const TestVersion& v);
