// Saves and applies ended by TerminateProcess at random moments, and two
// applies at once: the driver finds one whole table, and the repair leaves
// nothing beside it.
#include <random>

#include "file_text.h"
#include "generated_table.h"
#include "save_fixture_win32.h"

namespace {

// afetool.exe COMMAND FILE started, its output thrown away.
PROCESS_INFORMATION StartAfetool(const char* command, const std::string& file)
{
    std::string line = "\"" + WindowsPath(AFETOOL_EXE) + "\" " + command + " \"" + file + "\"";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = nul;
    PROCESS_INFORMATION pi = {};
    EXPECT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
        << "afetool did not start, error " << GetLastError();
    CloseHandle(nul);
    return pi;
}

// Its exit code once it ends, or 999 when it is killed or stopped after
// kStartTimeoutMs.
DWORD Finish(PROCESS_INFORMATION pi, bool kill = false)
{
    if (kill || WaitForSingleObject(pi.hProcess, kStartTimeoutMs) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 999);
    WaitForSingleObject(pi.hProcess, kExitTimeoutMs);
    DWORD code = 999;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

class InterruptedSave : public SaveE2ETest {
protected:
    void SetUp() override
    {
        SaveE2ETest::SetUp();
        DeleteAppFlagTree();
    }
    void TearDown() override
    {
        SaveE2ETest::TearDown();
        DeleteAppFlagTree();
        if (HasFailure())
            std::printf("the random moments came from seed %u\n", seed);
    }

    const unsigned seed = GetTickCount();
    std::mt19937 random{seed};
};

TEST_F(InterruptedSave, AnApplyKilledAtRandomMomentsLeavesOneWholeTable)
{
    GeneratedTable earlier(200, 3, 1), fresh(2500, 2, 2);
    const KeyContents before = earlier.Key(), after = fresh.Key();
    const std::string afe = ::testing::TempDir() + "interrupted.afe";
    ASSERT_TRUE(WriteFileBytes(afe, fresh.Afe()));
    ASSERT_TRUE(earlier.Store());
    DWORD start = GetTickCount();
    ASSERT_EQ(0u, Finish(StartAfetool("apply", afe)));
    DWORD span = GetTickCount() - start + 1;
    for (int round = 0; round < 20; ++round) {
        ASSERT_TRUE(earlier.Store());
        PROCESS_INFORMATION pi = StartAfetool("apply", afe);
        Sleep(random() % span);
        Finish(pi, true);
        EXPECT_TRUE(HoldsOneOf(before, after, false)) << "round " << round;
        EXPECT_LE(Finish(StartAfetool("verify", afe)), 1u) << "round " << round;
        EXPECT_TRUE(HoldsOneOf(before, after, true)) << "round " << round;
    }
    DeleteFileA(afe.c_str());
}

TEST_F(InterruptedSave, AnEditorKilledInItsSaveLeavesOneWholeTable)
{
    GeneratedTable full(5000, 2, 3);
    ASSERT_NO_FATAL_FAILURE(StartWith(full.apps.data(), 5000));
    const KeyContents loaded = full.Key();
    KeyContents edited = loaded;
    edited["APP-APP0001.EXE-01"].data[12] ^= 1u << 4;  // flag 05 of the first version
    DWORD span = 0;
    for (int round = 0; round <= 20; ++round) {
        ASSERT_TRUE(ClickFlag(5));
        PostMessageA(app.window, WM_COMMAND, IDM_SAVE, 0);
        HWND box = nullptr;
        ASSERT_TRUE(WaitForMessageBox(app, box));
        // The save starts as the box goes. The first runs to its end: how
        // long a save takes; the others are ended within half as long again.
        ASSERT_TRUE(AnswerMessageBox(app, box, IDOK));
        DWORD start = GetTickCount();
        if (round == 0) {
            ASSERT_TRUE(Settle(app));
            span = (GetTickCount() - start) * 3 / 2 + 1;
        } else {
            Sleep(random() % span);
        }
        TerminateProcess(app.process.hProcess, 1);
        EXPECT_TRUE(StopApp(app));
        EXPECT_TRUE(HoldsOneOf(loaded, edited, false)) << "round " << round;

        // The next start repairs what the kill left.
        ASSERT_TRUE(StartApp(app));
        ASSERT_TRUE(SettleWithoutMessageBox(app));
        EXPECT_TRUE(HoldsOneOf(loaded, edited, true)) << "round " << round;
    }
}

TEST_F(InterruptedSave, TwoAppliesAtOnceLeaveOneOfTheirTablesWhole)
{
    GeneratedTable one(1000, 2, 4), other(600, 3, 5);
    const KeyContents oneKey = one.Key(), otherKey = other.Key();
    const std::string afe[2] = {::testing::TempDir() + "one.afe", ::testing::TempDir() + "other.afe"};
    ASSERT_TRUE(WriteFileBytes(afe[0], one.Afe()) && WriteFileBytes(afe[1], other.Afe()));
    for (int round = 0; round < 50; ++round) {
        PROCESS_INFORMATION pi[2] = {StartAfetool("apply", afe[round % 2]), StartAfetool("apply", afe[1 - round % 2])};
        EXPECT_EQ(0u, Finish(pi[0])) << "round " << round;
        EXPECT_EQ(0u, Finish(pi[1])) << "round " << round;
        EXPECT_TRUE(HoldsOneOf(oneKey, otherKey, true)) << "round " << round;
    }
    DeleteFileA(afe[0].c_str());
    DeleteFileA(afe[1].c_str());
}

}  // namespace
