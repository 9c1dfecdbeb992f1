// Portable checks of the texts the user gives for applications and versions.
#pragma once

#include <cstddef>
#include <cstdint>

// "0"-"9", "A"-"F", "a"-"f"; nothing else, no byte of 0x80 and above.
int IsHexDigit(char c);
// "0"-"9".
int IsDecimalDigit(char c);
// The value 0..15 of a hexadecimal digit, -1 for any other character.
int HexDigitValue(char c);

// 1 when the text is a VersionText: 17 characters, eight hexadecimal digits
// of either case, "-", eight more.
int IsVersionText(const char* text);

// The two halves of a VersionText into ms and ls. 0, with both left alone,
// when IsVersionText fails.
int ParseVersionText(const char* text, uint32_t* ms, uint32_t* ls);

// The leading hexadecimal digits of a version field as one number, as a
// "%X" scan reads them. 0 and *value untouched when the text begins with no
// digit. More than eight significant digits give 0xFFFFFFFF instead of
// overflowing.
int ParseHexField(const char* text, uint32_t* value);

// Why a name cannot become a new application.
enum AppNameCheck {
    kNameAcceptable = 0,
    kNameEmpty,
    kNameHasSeparator,  // ";" ends a record of the stored application list
    kNameHasControl,    // 0x01-0x1F or 0x7F: no exchange file carries it on one line
};
AppNameCheck AppNameProblem(const char* name);

// 1 when one of the first length characters is 0x01-0x1F or 0x7F.
int HasControlChar(const char* text, size_t length);

// The text as a message can show it: at most maxChars characters, control
// characters and bytes of 0x80 and above as \xNN, "..." after a cut.
void PrintableText(char* out, size_t outSize, const char* text, size_t length, size_t maxChars);
