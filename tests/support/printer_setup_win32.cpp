#include "printer_setup_win32.h"

#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

char kMarker[] = "VAVEZAV test printer";
char kPort[] = "FILE:";
char kProcessor[] = "WinPrint";
char kDataType[] = "RAW";

int DeletePrinterByName(char* name)
{
    PRINTER_DEFAULTSA defaults = {};
    defaults.DesiredAccess = PRINTER_ALL_ACCESS;
    HANDLE printer = nullptr;
    if (!OpenPrinterA(name, &printer, &defaults))
        return 0;
    BOOL ok = DeletePrinter(printer);
    ClosePrinter(printer);
    return ok ? 1 : 0;
}

const TestVersion kWordVersions[] = {
    {0x00090000, 0x00000B5E, 0x00000005, 0x00000000},
    {0x000A0000, 0x00001A2B, 0x00010005, 0x80000000},
    {0x000B0000, 0x00000001, 0xFFFFFFFF, 0x00000001},
};
const TestVersion kNotepadVersions[] = {
    {0x00050001, 0x0A280000, 0x00000010, 0x00000000},
};
const TestVersion kPaintVersions[] = {
    {0x00040000, 0x00000950, 0x00000000, 0x00000000},
    {0x00050000, 0x00000001, 0x00000180, 0x00000040},
};

}  // namespace

const TestApp kSampleApps[] = {
    {"WINWORD.EXE", 3, kWordVersions},
    {"NOTEPAD.EXE", 1, kNotepadVersions},
    {"MSPAINT.EXE", 2, kPaintVersions},
};
const int kSampleAppCount = 3;

int AddTestPrinter(const char* name, const char* driverName)
{
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(driverName);
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>("generic.ppd");
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    // Wine keeps drivers of the same name once; a second add is no failure.
    if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        return 0;

    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(name);
    info.pPortName = kPort;
    info.pDriverName = const_cast<char*>(driverName);
    info.pComment = kMarker;
    info.pPrintProcessor = kProcessor;
    info.pDatatype = kDataType;
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer)
        return 0;
    ClosePrinter(printer);
    return 1;
}

int RemoveAllTestPrinters(void)
{
    DWORD count = 0;
    std::vector<BYTE> buffer = EnumLocalPrinters(count);
    const PRINTER_INFO_2A* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    int ok = 1;
    std::vector<std::vector<char>> drivers;
    for (DWORD i = 0; i < count; ++i) {
        const PRINTER_INFO_2A& p = printers[i];
        if (!p.pComment || std::strcmp(p.pComment, kMarker) != 0)
            continue;
        if (p.pDriverName)
            drivers.emplace_back(p.pDriverName, p.pDriverName + std::strlen(p.pDriverName) + 1);
        if (!DeletePrinterByName(p.pPrinterName))
            ok = 0;
    }
    // A driver shared by two test printers is deleted once; the second try
    // fails harmlessly.
    for (std::vector<char>& d : drivers)
        DeletePrinterDriverA(nullptr, nullptr, d.data());
    return ok;
}

std::vector<BYTE> EnumLocalPrinters(DWORD& count)
{
    DWORD needed = 0;
    count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 4);
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, buffer.data(), needed, &needed,
                       &count)) {
        count = 0;
        buffer.clear();
    }
    return buffer;
}

int CountPrinters(void)
{
    DWORD count = 0;
    std::vector<BYTE> buffer = EnumLocalPrinters(count);
    return buffer.empty() ? -1 : static_cast<int>(count);
}

