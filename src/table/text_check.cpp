#include "table/text_check.h"

#include <cstdio>
#include <cstring>

#include "table/flag_table.h"

int IsDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

namespace {

uint32_t HexValue(char c)
{
    return static_cast<uint32_t>(HexDigitValue(c));
}

// Eight digits that IsVersionText has already vouched for.
uint32_t EightDigits(const char* p)
{
    uint32_t v = 0;
    for (int i = 0; i < 8; ++i)
        v = (v << 4) | HexValue(p[i]);
    return v;
}

}  // namespace

int IsHexDigit(char c)
{
    return HexDigitValue(c) >= 0;
}

int IsVersionText(const char* text)
{
    if (text == nullptr || std::strlen(text) != kVersionTextChars)
        return 0;
    for (size_t i = 0; i < kVersionTextChars; ++i) {
        if (i == 8) {
            if (text[i] != '-')
                return 0;
        } else if (!IsHexDigit(text[i])) {
            return 0;
        }
    }
    return 1;
}

int ParseVersionText(const char* text, uint32_t* ms, uint32_t* ls)
{
    if (!IsVersionText(text))
        return 0;
    *ms = EightDigits(text);
    *ls = EightDigits(text + 9);
    return 1;
}

int ParseHexField(const char* text, uint32_t* value)
{
    if (text == nullptr || !IsHexDigit(text[0]))
        return 0;
    uint32_t v = 0;
    for (const char* p = text; IsHexDigit(*p); ++p) {
        if (v > 0x0FFFFFFFu) {
            v = 0xFFFFFFFFu;
            break;
        }
        v = (v << 4) | HexValue(*p);
    }
    *value = v;
    return 1;
}

AppNameCheck AppNameProblem(const char* name)
{
    if (name == nullptr || name[0] == '\0')
        return kNameEmpty;
    if (std::strchr(name, ';') != nullptr)
        return kNameHasSeparator;
    if (HasControlChar(name, std::strlen(name)))
        return kNameHasControl;
    return kNameAcceptable;
}

int HasControlChar(const char* text, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c >= 0x01 && c < 0x20) || c == 0x7F)
            return 1;
    }
    return 0;
}

void PrintableText(char* out, size_t outSize, const char* text, size_t length, size_t maxChars)
{
    size_t n = 0;
    out[0] = '\0';
    for (size_t i = 0; i < length && i < maxChars; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int wrote = c >= 0x20 && c < 0x7F ? std::snprintf(out + n, outSize - n, "%c", c)
                                          : std::snprintf(out + n, outSize - n, "\\x%02X", c);
        if (wrote < 0 || static_cast<size_t>(wrote) >= outSize - n) {
            out[n] = '\0';
            return;
        }
        n += static_cast<size_t>(wrote);
    }
    if (length > maxChars && n + 3 < outSize)
        std::strcpy(out + n, "...");
}
