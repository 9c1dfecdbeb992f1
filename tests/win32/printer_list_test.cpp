// FillPrinterList against a fake spooler, shown in a real combo box under a
// hidden parent whose window procedure records the posted notifications,
// and its result shown as the main window shows it.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/platform_win32.h"
#include "main/display_win32.h"
#include "main/messages_win32.h"
#include "main_window_harness.h"
#include "printer/printer_list_win32.h"
#include "resource.h"

namespace {

const char kNoPrinter[] = "There is no VRX-2260 found.";
const char kAppCaption[] = "Deruverozad Adov Eduzed";
const char kErrorCaption[] = "Error: VAVEZAV.exe";

class PrinterList : public TableWindow {
protected:
    void SetUp() override
    {
        TableWindow::SetUp();
        UseFakes();
        combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0, 500, 100, parent,
                                reinterpret_cast<HMENU>(IDC_PRINTER), GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, combo);
    }

    void TearDown() override
    {
        TableWindow::TearDown();
        RestoreFakes();
    }

    // Runs the list and then the queue, so posted notifications arrive.
    void Fill()
    {
        found = 0xdead;
        PrinterSearch search = ShowPrinters(combo);
        ShowPrinterSearch(parent, search);
        found = search.outcome == PrinterOutcome::Found;
        PumpMessages(500);
    }

    int SelChangeCount() const
    {
        int n = 0;
        for (const Notification& note : notifications) {
            if (note.wParam == MAKEWPARAM(IDC_PRINTER, CBN_SELCHANGE)) {
                EXPECT_EQ(reinterpret_cast<LPARAM>(combo), note.lParam);
                ++n;
            }
        }
        return n;
    }

    void ExpectNoPrinterState()
    {
        EXPECT_EQ(0, found);
        EXPECT_EQ(0, SendMessageA(combo, CB_GETCOUNT, 0, 0));
        EXPECT_EQ(0, SelChangeCount());
    }

    static void ExpectMessage(size_t i, const char* text, const char* caption, UINT type)
    {
        ASSERT_LT(i, shownMessages.size());
        EXPECT_EQ(text, shownMessages[i].text) << "message " << i;
        EXPECT_EQ(caption, shownMessages[i].caption) << "message " << i;
        EXPECT_EQ(type, shownMessages[i].type) << "message " << i;
    }

    HWND combo = nullptr;
    int found = 0;  // whether the last FillPrinterList found a printer
};

TEST_F(PrinterList, ListsMatchingPrintersInSpoolerOrderAndNotifiesOnce)
{
    fakeSpooler.printers = {
        {"Back VRX-2260", "LPT1:", "Kavix VRX-2260 PS"},
        {"Office Laser", "FILE:", "Generic PS"},
        {"Front VRX-2260", "FILE:", "Kavix VRX-2260 PS"},
    };
    Fill();
    std::vector<std::string> expected = {"Back VRX-2260;LPT1:;Kavix VRX-2260 PS",
                                         "Front VRX-2260;FILE:;Kavix VRX-2260 PS"};
    EXPECT_EQ(expected, ComboRows(combo));
    EXPECT_EQ(0, SendMessageA(combo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(1, found);
    EXPECT_EQ(1, SelChangeCount());
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(PrinterList, AsksForTheSizeFirstThenWithExactlyThatSize)
{
    fakeSpooler.printers = {{"VRX-2260", "FILE:", "d"}};
    Fill();
    ASSERT_EQ(2u, fakeSpooler.calls.size());
    for (const SpoolerCall& call : fakeSpooler.calls) {
        EXPECT_EQ(static_cast<DWORD>(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS), call.flags);
        EXPECT_TRUE(call.nameNull);
        EXPECT_EQ(2u, call.level);
    }
    EXPECT_TRUE(fakeSpooler.calls[0].bufferNull);
    EXPECT_EQ(0u, fakeSpooler.calls[0].size);
    EXPECT_FALSE(fakeSpooler.calls[1].bufferNull);
    EXPECT_EQ(sizeof(PRINTER_INFO_2A) + 8 + 5 + 1 + 3, fakeSpooler.calls[1].size);
}

TEST_F(PrinterList, DriverNameAloneIdentifiesTheModel)
{
    fakeSpooler.printers = {{"Reception", "FILE:", "Kavix VRX-2260 PS"}};
    Fill();
    EXPECT_EQ(std::vector<std::string>{"Reception;FILE:;Kavix VRX-2260 PS"}, ComboRows(combo));
    EXPECT_EQ(1, found);
}

TEST_F(PrinterList, OtherLetterCaseIsNotTheModel)
{
    fakeSpooler.printers = {{"vrx-2260", "FILE:", "Kavix Vrx-2260"}};
    Fill();
    ExpectNoPrinterState();
    ASSERT_EQ(1u, shownMessages.size());
    ExpectMessage(0, kNoPrinter, kAppCaption, MB_OK);
}

TEST_F(PrinterList, NoPrintersAtAllShowsTheMessageOnce)
{
    Fill();
    ExpectNoPrinterState();
    ASSERT_EQ(1u, shownMessages.size());
    ExpectMessage(0, kNoPrinter, kAppCaption, MB_OK);
}

TEST_F(PrinterList, FailedSecondCallThenNoPrinter)
{
    fakeSpooler.printers = {{"VRX-2260", "FILE:", "d"}};
    fakeSpooler.failSecondCall = true;
    Fill();
    ExpectNoPrinterState();
    ASSERT_EQ(2u, shownMessages.size());
    ExpectMessage(0, "EnumPrinters failed", kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
    ExpectMessage(1, kNoPrinter, kAppCaption, MB_OK);
}

TEST_F(PrinterList, RefusedMemoryThenNoPrinter)
{
    fakeSpooler.printers = {{"VRX-2260", "FILE:", "d"}};
    platform.localAlloc = FailingLocalAlloc;
    Fill();
    ExpectNoPrinterState();
    EXPECT_EQ(1u, fakeSpooler.calls.size()) << "no second call without a block";
    ASSERT_EQ(2u, shownMessages.size());
    ExpectMessage(0, "LocalAlloc failed", kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
    ExpectMessage(1, kNoPrinter, kAppCaption, MB_OK);
}

TEST_F(PrinterList, SpoolerDllThatCannotBeLoadedIsNamedThenNoPrinter)
{
    platform.enumPrinters = nullptr;
    platform.loadSystemLibrary = OnlyFileDialogDll;
    Fill();
    ExpectNoPrinterState();
    ASSERT_EQ(2u, shownMessages.size());
    ExpectMessage(0, LoadFailureText("winspool.drv").c_str(), kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
    ExpectMessage(1, kNoPrinter, kAppCaption, MB_OK);
}

TEST_F(PrinterList, LongRowIsCutTo255AndStillFound)
{
    std::string name(250, 'N');
    fakeSpooler.printers = {{name, "FILE:", "Kavix VRX-2260 PS"}};
    Fill();
    std::vector<std::string> rows = ComboRows(combo);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(255u, rows[0].size());
    EXPECT_EQ((name + ";FILE:;Kavix VRX-2260 PS").substr(0, 255), rows[0]);
    EXPECT_EQ(1, found);
}

TEST_F(PrinterList, MissingFieldsCountAsEmpty)
{
    FakePrinter p{"VRX-2260 bare", "", ""};
    p.nullFields = true;
    fakeSpooler.printers = {p};
    Fill();
    EXPECT_EQ(std::vector<std::string>{"VRX-2260 bare;;"}, ComboRows(combo));
}

TEST_F(PrinterList, CountBeyondTheBlockIsNotRead)
{
    fakeSpooler.printers = {{"VRX-2260", "FILE:", "d"}};
    fakeSpooler.extraReturned = 1000;
    Fill();
    EXPECT_EQ(std::vector<std::string>{"VRX-2260;FILE:;d"}, ComboRows(combo));
}

TEST_F(PrinterList, SecondRunStartsFromAnEmptyList)
{
    fakeSpooler.printers = {{"VRX-2260 A", "FILE:", "d"}};
    Fill();
    fakeSpooler.calls.clear();
    fakeSpooler.printers = {{"Other", "FILE:", "d"}};
    notifications.clear();
    Fill();
    ExpectNoPrinterState();
}

}  // namespace
