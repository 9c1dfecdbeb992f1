#include "main/layout.h"

Rect MainWindowSize(int cyUnit)
{
    return {0, 0, 32 * cyUnit, 23 * cyUnit};
}

// The combo boxes are 6 units high so that their drop-down lists show rows.
Rect PrinterComboRect(int cyUnit)
{
    return {cyUnit, 2 * cyUnit, 28 * cyUnit, 6 * cyUnit};
}

Rect AppComboRect(int cyUnit)
{
    return {cyUnit, 5 * cyUnit, 13 * cyUnit, 6 * cyUnit};
}

Rect VersionComboRect(int cyUnit)
{
    return {16 * cyUnit, 5 * cyUnit, 13 * cyUnit, 6 * cyUnit};
}

Rect FlagBoxRect(int flagIndex, int cyUnit)
{
    int column = flagIndex / kFlagRowsPerColumn;
    int row = flagIndex % kFlagRowsPerColumn;
    // Three pixels up so the box centres on the caption baseline grid.
    return {(2 + 5 * column) * cyUnit, (8 + row) * cyUnit - 3, (5 * cyUnit) / 2, cyUnit};
}

CaptionLayout CaptionAt(int i, int cyUnit, int avgCharWidth)
{
    const int u = cyUnit;
    const int a = avgCharWidth;
    // The stroke sits just under the text: the system font is about 10/6 of
    // its average character width high.
    const int d = (10 * a) / 6;
    switch (i) {
    case 0:
        return {"Target Printer", {u, u}, {u, u + d + 1}, {u + a, u + d + 1}};
    case 1:
        return {"Application", {u, 4 * u}, {u, 4 * u + d + 1}, {u + a, 4 * u + d + 1}};
    case 2:
        return {"VersionMS and LS", {16 * u, 4 * u}, {16 * u, 4 * u + d + 1}, {16 * u + a, 4 * u + d + 1}};
    default:
        // Under the "g" of "Flags", the letter of Alt+G.
        return {"Flags", {u, 7 * u}, {u + 2 * a, 7 * u + 2 * a}, {u + 3 * a, 7 * u + 2 * a}};
    }
}
