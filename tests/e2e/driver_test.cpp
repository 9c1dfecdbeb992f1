// The driver's own promises: a program that stops answering fails the wait
// in time and is terminated, and the probe runs inside the program.
#include "e2e_fixture_win32.h"

using DriverTest = SampleTableTest;

TEST_F(DriverTest, ProbeAnswersFromInsideTheProgram)
{
    ProbeReport report;
    ASSERT_TRUE(ReadMenu(app, report));
    EXPECT_EQ(app.process.dwProcessId, report.processId);
    EXPECT_EQ(app.process.dwThreadId, report.threadId);
    // Paste is greyed after a load; seen only from inside the process.
    EXPECT_TRUE(MenuState(report, IDM_PASTE) & MF_GRAYED);
    EXPECT_EQ(-1, MenuState(report, IDM_STARTUP));
}

TEST_F(DriverTest, HungProgramFailsTheWaitAndIsTerminated)
{
    ASSERT_NE(static_cast<DWORD>(-1), SuspendThread(app.process.hThread));
    DWORD start = GetTickCount();
    EXPECT_FALSE(Settle(app, 300));
    EXPECT_FALSE(StopApp(app, 300)) << "a program that cannot close is reported";
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_EQ(nullptr, app.process.hProcess);
}
