// The example table as the program exports it: WINWORD.EXE with two
// versions, then CALC.EXE with one, tags other than 1 so a lost tag shows.
#pragma once

const char kExampleAfe[] =
    "00052\n"
    "02WINWORD.EXE;01CALC.EXE;\n"
    "000000010009000000000BB88000001180000001\n"
    "00000007000A0000000017700000000240000000\n"
    "DEADBEEF000500010A2800010000F00000010000\n";

const char kExampleReg[] =
    "REGEDIT4\r\n"
    "\r\n"
    "[-HKEY_LOCAL_MACHINE\\Software\\Kavix\\ZOLT\\APPFLAG\\ZOLTDriver]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Kavix\\ZOLT\\APPFLAG\\ZOLTDriver]\r\n"
    "\"APP-WINWORD.EXE-01\"=hex:01,00,00,00,00,00,09,00,b8,0b,00,00,11,00,00,80,01,00,\\\r\n"
    "  00,80\r\n"
    "\"APP-WINWORD.EXE-02\"=hex:07,00,00,00,00,00,0a,00,70,17,00,00,02,00,00,00,00,00,\\\r\n"
    "  00,40\r\n"
    "\"APP-CALC.EXE-01\"=hex:ef,be,ad,de,01,00,05,00,01,00,28,0a,00,f0,00,00,00,00,01,\\\r\n"
    "  00\r\n"
    "\"APPINFO\"=\"02WINWORD.EXE;01CALC.EXE;\"\r\n"
    "\"APPINFO-SIZE\"=dword:00000034\r\n"
    "\r\n";
