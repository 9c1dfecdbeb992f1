// Where the main window's controls and captions stand. Everything is measured
// in one unit, the height of a menu bar, so the window follows the system's
// menu-bar height.
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

// The outer window size, caption and border included.
Rect MainWindowSize(int cyUnit);
Rect PrinterComboRect(int cyUnit);
Rect AppComboRect(int cyUnit);
Rect VersionComboRect(int cyUnit);
// flagIndex 0..63 is the box of flag flagIndex + 1, filled down each column.
Rect FlagBoxRect(int flagIndex, int cyUnit);
// Caption i (0..3): "Target Printer", "Application", "VersionMS and LS",
// "Flags". avgCharWidth is that of the window's default (system) font.
CaptionLayout CaptionAt(int i, int cyUnit, int avgCharWidth);
