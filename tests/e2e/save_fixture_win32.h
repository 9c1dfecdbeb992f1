// Shared by the editing and closing tests: a table to edit, the questions
// and messages of the save protocol answered and checked, the stored key
// compared before and after.
#pragma once

#include "e2e_fixture_win32.h"
#include "stored_key_win32.h"

// WINWORD.EXE with three versions (flag 05 clear in the first), CALC.EXE
// with one; stored in mixed case, so a save shows the names upper-cased.
extern const TestVersion kEditWordVersions[3];
extern const TestVersion kEditCalcVersions[1];
extern const TestApp kEditTable[2];

// The question of Save, Exit, the close box and a printer change.
extern const char kSaveQuestionText[];
extern const char kSaveFailedText[];

class SaveE2ETest : public E2ETest {
protected:
    // The table stored, printers of the model ("Alpha VRX-2260" and, with
    // two, "Beta VRX-2260"), the program started and settled.
    void StartWith(const TestApp* apps, int appCount, int modelPrinters = 1);

    // Flag n ("01".."64") clicked with the mouse; fails unless it toggled.
    ::testing::AssertionResult ClickFlag(int n);
    bool FlagChecked(int n);
    // The list shows no selection, as though its text had been cleared.
    ::testing::AssertionResult ClearSelection(int comboId);
    ::testing::AssertionResult StillRunning();
    // The menu states the probe reads, in order.
    std::vector<UINT> MenuStates();
    // What a save leaves of the edit table with flag 05 set in the first
    // version of WINWORD.EXE, as ClickFlag(5) leaves it.
    static KeyContents EditedKey();
};
