#include "main/layout.h"

#include "base/control_ids.h"

namespace {

// Each caption's text, where it stands in units and its shortcut letter.
struct CaptionPlace {
    const char* text;
    int x;
    int y;
    int letter;
};

const CaptionPlace kCaptions[kCaptionCount] = {
    {"Target Printer", 1, 1, 0},
    {"Application", 1, 4, 0},
    {"VersionMS and LS", 16, 4, 0},
    {"Flags", 1, 7, 3},  // Alt+G
};

const CaptionPlace& PlaceOf(int i)
{
    return kCaptions[i >= 0 && i < kCaptionCount ? i : kCaptionCount - 1];
}

}  // namespace

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

Rect ControlRect(unsigned id, int cyUnit)
{
    switch (id) {
    case IDC_PRINTER:
        return PrinterComboRect(cyUnit);
    case IDC_APPLICATION:
        return AppComboRect(cyUnit);
    case IDC_VERSION:
        return VersionComboRect(cyUnit);
    default: {
        int k = FlagIndexOfId(id);
        return k < 0 ? Rect{0, 0, 0, 0} : FlagBoxRect(k, cyUnit);
    }
    }
}

CaptionLayout CaptionAt(int i, int cyUnit, int avgCharWidth)
{
    const int u = cyUnit;
    const int a = avgCharWidth;
    const CaptionPlace& p = PlaceOf(i);
    const Point origin = {p.x * u, p.y * u};
    if (p.letter > 0) {
        // Under the "g" of "Flags", about two character widths in and lower.
        return {p.text, origin, {origin.x + 2 * a, origin.y + 2 * a}, {origin.x + 3 * a, origin.y + 2 * a}};
    }
    // The stroke sits just under the text: the system font is about 10/6 of
    // its average character width high.
    const int d = (10 * a) / 6;
    return {p.text, origin, {origin.x, origin.y + d + 1}, {origin.x + a, origin.y + d + 1}};
}

int ShortcutLetterIndex(int i)
{
    return PlaceOf(i).letter;
}

CaptionLayout CaptionOverLetter(int i, int cyUnit, const LetterInk& ink)
{
    const CaptionPlace& p = PlaceOf(i);
    const Point origin = {p.x * cyUnit, p.y * cyUnit};
    const int y = origin.y + ink.bottom + 2;
    return {p.text, origin, {origin.x + ink.left, y}, {origin.x + ink.right, y}};
}
