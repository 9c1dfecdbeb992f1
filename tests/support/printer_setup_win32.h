/* Printers and flag tables for throwaway Wine prefixes: the Windows tests,
   the end-to-end tests and `prefix_tool demo` prepare their prefix with
   these. Plain C-style calls; every one returns 1 on success, 0 on failure. */
#pragma once

#include <windows.h>

#include <stdint.h>

#include <vector>

/* Adds a printer on port "FILE:" with a driver entry of its own named
   driverName (Wine's PostScript driver underneath). The printer carries a
   marker comment, so RemoveAllTestPrinters finds it again. */
int AddTestPrinter(const char* name, const char* driverName);
/* Deletes every printer that AddTestPrinter made (by the marker) and their
   driver entries; other printers of the prefix stay. 1 when all went. */
int RemoveAllTestPrinters(void);
/* Number of printers the spooler lists (local and connected); -1 on failure. */
int CountPrinters(void);
/* The spooler's level-2 records (PRINTER_INFO_2A) and their count; an empty
   buffer on failure. */
std::vector<BYTE> EnumLocalPrinters(DWORD& count);

struct TestVersion {
    uint32_t versionMS;
    uint32_t versionLS;
    uint32_t flagsLow;   /* flags 01..32, bit 0 = flag 01 */
    uint32_t flagsHigh;  /* flags 33..64 */
    uint32_t tag = 1;    /* the first word of the stored record */
};

struct TestApp {
    const char* name;
    int versionCount;
    const struct TestVersion* versions;
};

/* Replaces HKLM\Software\Kavix\ZOLT\APPFLAG\ZOLTDriver with the table in the
   driver's layout: one 20-byte "APP-name-NN" value per version, "APPINFO"
   and "APPINFO-SIZE". Encoded in stored_key_win32.cpp, apart from the program. */
int WriteTestTable(const struct TestApp* apps, int appCount);
/* Removes the key; 1 also when it did not exist. */
int DeleteTestTable(void);

/* A small sample: three applications, two of them with several versions,
   some flags set. */
extern const struct TestApp kSampleApps[];
extern const int kSampleAppCount;
