// A winspool.drv planted beside copies of the programs, as in a Downloads
// folder: a program that imports the spooler loads it, ours never do. Under
// Wine that holds only with "winspool.drv=n,b" in WINEDLLOVERRIDES as the
// program starts (ctest's planted_dll): Windows' own order for a DLL that is
// not one of its known DLLs.
#include "e2e_fixture_win32.h"
#include "file_text.h"

using PlantedDll = E2ETest;

// A program of the folder run there to its end: its exit code, 999 when it
// did not start or end within kStartTimeoutMs.
static DWORD RunInFolder(const std::string& folder, const char* program, const char* arguments)
{
    std::string line = "\"" + folder + "\\" + program + "\" " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    DWORD code = 999;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return code;
    if (WaitForSingleObject(pi.hProcess, kStartTimeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

TEST_F(PlantedDll, OnlyAProgramThatImportsTheSpoolerLoadsIt)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "planted", marker = folder + "\\loaded";
    CreateDirectoryA(folder.c_str(), nullptr);
    const char* files[][2] = {{PLANTED_SPOOLER, "winspool.drv"}, {SPOOLER_USER_EXE, "spooler_user.exe"},
                              {VAVEZAV_EXE, "VAVEZAV.exe"}, {AFETOOL_EXE, "afetool.exe"}};
    for (auto& f : files)
        ASSERT_TRUE(CopyFileA(WindowsPath(f[0]).c_str(), (folder + "\\" + f[1]).c_str(), FALSE)) << f[1];
    DeleteFileA(marker.c_str());
    SetEnvironmentVariableA("PLANTED_MARKER", marker.c_str());
    auto planted = [&] { return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; };

    ASSERT_TRUE(AddTestPrinter(kModelPrinter, "Kavix VRX-2260 PS"));
    ASSERT_TRUE(StartApp(app, folder + "\\VAVEZAV.exe"));
    EXPECT_FALSE(planted()) << "VAVEZAV.exe loaded it";
    ASSERT_TRUE(SettleWithoutMessageBox(app));
    EXPECT_EQ((Strings{kModelPrinterRow}), ComboRows(Control(app, IDC_PRINTER))) << "the system's spooler answered";
    EXPECT_EQ(0u, RunInFolder(folder, "afetool.exe", "--help"));
    EXPECT_FALSE(planted()) << "afetool.exe loaded it";
    EXPECT_EQ(0u, RunInFolder(folder, "spooler_user.exe", ""));
    EXPECT_TRUE(planted()) << "not even spooler_user.exe loaded it, so this proves nothing";
}
