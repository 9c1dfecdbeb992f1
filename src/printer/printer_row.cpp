#include "printer/printer_row.h"

#include <cstring>

const char kTargetModel[] = "VRX-2260";

namespace {

// Appends text to out[len..] within outSize; false once anything was cut.
bool AppendCut(char* out, size_t outSize, size_t& len, const char* text)
{
    if (!text)
        return true;
    size_t room = outSize - 1 - len;
    size_t n = std::strlen(text);
    bool whole = n <= room;
    if (!whole)
        n = room;
    std::memcpy(out + len, text, n);
    len += n;
    out[len] = '\0';
    return whole;
}

}  // namespace

int BuildPrinterRow(char* out, size_t outSize, const char* name, const char* port, const char* driver)
{
    if (outSize == 0)
        return 0;
    out[0] = '\0';
    size_t len = 0;
    bool whole = AppendCut(out, outSize, len, name);
    whole = AppendCut(out, outSize, len, ";") && whole;
    whole = AppendCut(out, outSize, len, port) && whole;
    whole = AppendCut(out, outSize, len, ";") && whole;
    whole = AppendCut(out, outSize, len, driver) && whole;
    return whole ? 1 : 0;
}

static int HasModel(const char* field)
{
    return field && std::strstr(field, kTargetModel) ? 1 : 0;
}

int IsTargetPrinter(const char* name, const char* port, const char* driver)
{
    return HasModel(name) || HasModel(port) || HasModel(driver);
}
