// Identifiers shared by the resource script and the code. No windows.h here:
// the portable core uses the command and control numbers too.
#pragma once

#define IDI_APPICON 1

#define IDS_ERROR_CAPTION 16
#define IDS_WINDOW_TITLE 21
#define IDS_LOCALALLOC_FAILED 23
#define IDS_ENUMPRINTERS_FAILED 33
#define IDS_NO_PRINTER 34

#define IDM_STARTUP 107

#define IDC_PRINTER 701
#define IDC_APPLICATION 702
#define IDC_VERSION 703
#define NOTIFY_VALIDATE 710

#define IDC_FLAG01 801
#define IDC_FLAG64 864

#define IDM_IMPORT 40034
#define IDM_EXPORT 40036
#define IDM_ABOUT 40038
#define IDM_SAVE 40039
#define IDM_EXIT 40040
#define IDM_COPY 40041
#define IDM_PASTE 40042
#define IDM_CLEARALL 40043
#define IDM_CHECKALL 40044
#define IDM_NEWAPP 40045
#define IDM_NEWVERSION 40046
#define IDM_DELETEAPP 40047
#define IDM_DELETEVERSION 40048
#define IDM_NEXTCONTROL 40049
#define IDM_PREVCONTROL 40050
#define IDM_GOTOPRINTER 40051
#define IDM_GOTOAPP 40052
#define IDM_GOTOVERSION 40053
#define IDM_GOTOFLAGS 40054
#define IDM_SORTVERSION 40055
#define IDM_UNDO 40056
#define IDM_REDO 40057
#define IDM_FIND 40070
#define IDM_FINDNEXT 40071

// About box
#define IDC_ABOUT_COPYRIGHT 105
#define IDC_ABOUT_TITLE 103
#define IDC_ABOUT_VERSION 106

// Application and Version Input
#define IDC_BROWSE 1002
#define IDC_NEWAPP_LS 1003
#define IDC_NEWAPP_NAME 1004
#define IDC_NEWAPP_MS 1005

// Version Input
#define IDC_NEWVER_MS 1000
#define IDC_NEWVER_LS 1001

// Find Application
#define IDC_FIND_TEXT 1010
