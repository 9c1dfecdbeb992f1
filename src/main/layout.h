// Where the main window's controls and captions stand. Everything is measured
// in one unit, the height of a menu bar, so the window follows the system's
// menu-bar height, and with it the display's scale.
#pragma once

struct Rect {
    int x;
    int y;
    int width;
    int height;
};

struct Point {
    int x;
    int y;
};

// A painted caption: its text, the origin of the text and the short stroke
// under the letter of its Alt shortcut (the end point is not drawn).
struct CaptionLayout {
    const char* text;
    Point origin;
    Point strokeFrom;
    Point strokeTo;
};

constexpr int kCaptionCount = 4;
constexpr int kFlagRowsPerColumn = 12;
// 100 %: the scale at which the strokes have always stood where CaptionAt
// puts them.
constexpr int kBaseDpi = 96;

// The outer window size, caption and border included.
Rect MainWindowSize(int cyUnit);
Rect PrinterComboRect(int cyUnit);
Rect AppComboRect(int cyUnit);
Rect VersionComboRect(int cyUnit);
// flagIndex 0..63 is the box of flag flagIndex + 1, filled down each column.
Rect FlagBoxRect(int flagIndex, int cyUnit);
// Any control of the window by its ID (701..703, 801..864); all zero for
// another ID.
Rect ControlRect(unsigned id, int cyUnit);
// Caption i (0..3): "Target Printer", "Application", "VersionMS and LS",
// "Flags". avgCharWidth is that of the window's default (system) font.
CaptionLayout CaptionAt(int i, int cyUnit, int avgCharWidth);

// Where the caption font draws one letter, in pixels from the origin of
// the caption's text: the columns left..right - 1 and the rows down to
// bottom hold its ink.
struct LetterInk {
    int left;
    int right;
    int bottom;
};
// The position in caption i's text of the letter of its Alt shortcut.
int ShortcutLetterIndex(int i);
// Caption i with its stroke as wide as the letter's ink, with one clear row
// of pixels between the ink and the stroke: the strokes at any scale but
// 100 %, where the system font's width no longer follows the caption font.
CaptionLayout CaptionOverLetter(int i, int cyUnit, const LetterInk& ink);
