// The character rule of the version fields of the input dialogs.
#pragma once

// Removes in place every character that is not a hexadecimal digit (every
// byte of 0x80 and above included). 1 when anything was removed.
int RemoveNonHexChars(char* text);
