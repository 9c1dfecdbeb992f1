// Import and Export in the real main window with the file dialogs replaced:
// every path the dialogs can give is taken, a failed dialog is told (only
// Cancel is quiet), and a file refused for its names says which.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/file_dialog_win32.h"
#include "base/platform_win32.h"
#include "file_text.h"
#include "main_window_harness.h"
#include "resource.h"
#include "store/flag_file_win32.h"

namespace {

// What the replaced dialogs hand back: this path, or this failure code
// (0 with an empty path is Cancel). A path that does not fit the caller's
// buffer fails as the system's dialog fails.
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

DWORD WINAPI LastDialogError()
{
    return dialogError;
}

class FileCommands : public RealMainWindow {
protected:
    void SetUp() override
    {
        RealMainWindow::SetUp();
        platform.getOpenFileName = ChoosePath;
        platform.getSaveFileName = ChoosePath;
        platform.commDlgExtendedError = LastDialogError;
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(sizeof temp, temp));
        // Nested folders, none over the 255 characters a name may have,
        // so that the folder path is 200 characters long.
        folder = std::string(temp) + "vavezav_long";
        CreateDirectoryA(folder.c_str(), nullptr);
        while (folder.size() < 200) {
            folder += "\\" + std::string(std::min<size_t>(100, 199 - folder.size()), 'd');
            CreateDirectoryA(folder.c_str(), nullptr);
        }
        ASSERT_EQ(200u, folder.size());
        Start();
    }

    void TearDown() override
    {
        RealMainWindow::TearDown();
        for (const std::string& p : files)
            DeleteFileA(p.c_str());
        for (std::string f = folder; f.size() > 12 && f.find("vavezav_long") != std::string::npos;
             f.resize(f.rfind('\\')))
            RemoveDirectoryA(f.c_str());
        chosenPath.clear();
        dialogError = 0;
    }

    // A file in the folder whose whole path has `length` characters.
    std::string PathOf(size_t length)
    {
        std::string path = folder + "\\" + std::string(length - folder.size() - 5, 'f') + ".afe";
        files.push_back(path);
        return path;
    }

    std::string folder;
    std::vector<std::string> files;
};

TEST_F(FileCommands, TheLongestPathIsTakenAndALongerOneIsTold)
{
    const std::string expected = folder + "\\expected.afe";
    files.push_back(expected);
    ASSERT_EQ(1, ExportFlagFile(expected.c_str()));

    chosenPath = PathOf(MAX_PATH - 1);
    Command(IDM_EXPORT);
    EXPECT_EQ(ReadFileText(expected), ReadFileText(chosenPath));
    Command(IDM_IMPORT);
    EXPECT_EQ(1, T().modified) << "the imported table replaced the loaded one";
    EXPECT_TRUE(ShownTexts().empty()) << ShownTexts()[0];

    chosenPath = PathOf(MAX_PATH);
    for (UINT command : {IDM_EXPORT, IDM_IMPORT}) {
        T().modified = 0;
        Command(command);
        EXPECT_EQ(std::vector<std::string>{kPathTooLongText}, ShownTexts()) << command;
        EXPECT_EQ(0, T().modified) << command;
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
    EXPECT_TRUE(ShownTexts().empty()) << "Cancel is quiet";
}

TEST_F(FileCommands, ImportOfNamesEqualButForLetterCaseSaysWhichAndKeepsTheTable)
{
    chosenPath = PathOf(240);
    ASSERT_TRUE(WriteFileBytes(chosenPath, "00046\n00CALC.EXE;00calc.exe;\n"));
    const uint16_t apps = T().appCount;
    Command(IDM_IMPORT);
    EXPECT_EQ(std::vector<std::string>{"Inport doen not complete successfully.\n\n"
                                       "The application names \"CALC.EXE\" and \"calc.exe\" differ only in letter "
                                       "case.\nThe registry keeps them as one application, so one of them would "
                                       "lose\nits versions. Nothing was changed."},
              ShownTexts());
    EXPECT_EQ(apps, T().appCount);
    EXPECT_EQ(0, T().modified);
}

}  // namespace
