#include "store/store_fault.h"

#include <cstdio>

const char kCannotDeleteFlagKeyText[] =
    "This Windows cannot empty the driver's registry key\n"
    "(RegDeleteKeyExA is missing), so the table cannot be saved.\n"
    "Nothing was changed.";

namespace {

// The message of each kind but Unstorable; "%d" takes the status code.
const char* FaultFormat(StoreFaultKind kind)
{
    switch (kind) {
    case StoreFaultKind::SizeUnreadable:
        return "Get Size fail\nCode=%d";
    case StoreFaultKind::NoMemory:
        return "GlobalAlloc fail";
    case StoreFaultKind::ListUnreadable:
        return "Get application name fail\nCode=%d";
    case StoreFaultKind::NoNameMemory:
        return "GlobalAlloc fail TmpName";
    case StoreFaultKind::VersionUnreadable:
        return "get flag data fail\nCode=%d";
    case StoreFaultKind::Unstorable:
        break;
    case StoreFaultKind::KeyNotEmptiable:
        return kCannotDeleteFlagKeyText;
    case StoreFaultKind::KeyNotCreated:
        return "Open Printer fail\nCode=%d";
    case StoreFaultKind::VersionNotWritten:
        return "SetPrinterData fail(binary)\nCode=%d";
    case StoreFaultKind::ListNotWritten:
        return "SetPrinterData fail(sz)\nCode=%d";
    case StoreFaultKind::SizeNotWritten:
        return "SetPrinterData fail(dword)\nCode=%d";
    }
    return "";
}

}  // namespace

void FormatStoreFault(char* out, size_t outSize, const StoreFault& fault)
{
    if (fault.kind == StoreFaultKind::Unstorable)
        FormatStoreProblem(out, outSize, fault.problem, fault.name ? fault.name : "", fault.other ? fault.other : "");
    else if (outSize > 0)
        std::snprintf(out, outSize, FaultFormat(fault.kind), static_cast<int>(fault.code));
}
