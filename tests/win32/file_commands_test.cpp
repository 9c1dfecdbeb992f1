// Import and Export in the real main window with the file dialogs replaced:
// every path the dialogs can give is taken, a failed dialog is told (only
// Cancel is quiet), and a file refused for its names says which.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/file_dialog_win32.h"
#include "base/platform_win32.h"
#include "file_text.h"
#include "main_window_harness.h"
#include "resource.h"
#include "store/flag_file_win32.h"

namespace {

// The path the replaced dialogs hand back, or their failure code (none and
// no path: Cancel). A path too long for the caller's buffer fails as the
// system's dialog fails.
std::string chosenPath;
DWORD dialogError = 0;

BOOL WINAPI ChoosePath(LPOPENFILENAMEA ofn)
{
    if (chosenPath.size() >= ofn->nMaxFile)
        dialogError = FNERR_BUFFERTOOSMALL;
    if (dialogError != 0 || chosenPath.empty())
        return FALSE;
    lstrcpyA(ofn->lpstrFile, chosenPath.c_str());
    ofn->nFilterIndex = 1;
    return TRUE;
}

DWORD WINAPI LastDialogError() { return dialogError; }

class FileCommands : public RealMainWindow {
protected:
    void SetUp() override
    {
        RealMainWindow::SetUp();
        platform.getOpenFileName = ChoosePath;
        platform.getSaveFileName = ChoosePath;
        platform.commDlgExtendedError = LastDialogError;
        CreateDirectoryA(folder.c_str(), nullptr);
        Start();
    }

    void TearDown() override
    {
        RealMainWindow::TearDown();
        for (size_t length : {240, MAX_PATH - 1})
            DeleteFileA(PathOf(length).c_str());
        RemoveDirectoryA(folder.c_str());
        chosenPath.clear();
        dialogError = 0;
    }

    // A file in the folder whose path has `length` characters.
    std::string PathOf(size_t length) { return folder + "\\" + std::string(length - folder.size() - 5, 'f') + ".afe"; }

    const std::string temp = ::testing::TempDir();
    const std::string folder = temp + std::string(200 - temp.size(), 'd');
};

TEST_F(FileCommands, TheLongestPathIsTakenAndALongerOneIsTold)
{
    chosenPath = PathOf(MAX_PATH - 1);
    Command(IDM_EXPORT);
    EXPECT_EQ(0u, ReadFileText(chosenPath).find("00086\n03WINWORD.EXE;")) << ReadFileText(chosenPath);
    Command(IDM_IMPORT);
    EXPECT_EQ(1, T().modified) << "the imported table replaced the loaded one";
    EXPECT_TRUE(ShownTexts().empty()) << ShownTexts()[0];
    T().modified = 0;

    chosenPath = PathOf(MAX_PATH);
    for (UINT command : {IDM_EXPORT, IDM_IMPORT}) {
        Command(command);
        EXPECT_EQ(std::vector<std::string>{kPathTooLongText}, ShownTexts()) << command;
        shownMessages.clear();
        dialogError = 0;
    }
    chosenPath.clear();
    dialogError = CDERR_DIALOGFAILURE;
    Command(IDM_IMPORT);
    EXPECT_EQ(std::vector<std::string>{"The file dialog failed.\nCode=65535"}, ShownTexts());
    shownMessages.clear();
    dialogError = 0;
    Command(IDM_EXPORT);
    EXPECT_TRUE(ShownTexts().empty()) << "Cancel is quiet: " << ShownTexts()[0];
}

TEST_F(FileCommands, ImportOfNamesEqualButForLetterCaseSaysWhichAndKeepsTheTable)
{
    chosenPath = PathOf(240);
    ASSERT_TRUE(WriteFileBytes(chosenPath, "00046\n00CALC.EXE;00calc.exe;\n"));
    Command(IDM_IMPORT);
    EXPECT_EQ(std::vector<std::string>{"Inport doen not complete successfully.\n\n"
                                       "The application names \"CALC.EXE\" and \"calc.exe\" differ only in letter "
                                       "case.\nThe registry keeps them as one application, so one of them would "
                                       "lose\nits versions. Nothing was changed."},
              ShownTexts());
    EXPECT_EQ(3, T().appCount);
    EXPECT_EQ(0, T().modified);
}

}  // namespace
