// The control and command numbers of the main window, and the one pair of
// helpers between a flag index and its box: flag index k (0..63, the box
// labelled "%02d" of k + 1) is control 801 + k.
#pragma once

#include <cstdint>

#include "resource.h"

// Flags of an entry, and boxes of the main window, one per flag.
constexpr int kFlagCount = 64;

static_assert(IDC_FLAG64 - IDC_FLAG01 + 1 == kFlagCount, "one flag box per flag bit");
static_assert(IDC_FLAG01 > IDC_VERSION, "the flag range must not meet the combo box IDs");

constexpr uint16_t FlagBoxId(int flagIndex)
{
    return static_cast<uint16_t>(IDC_FLAG01 + flagIndex);
}

// The flag index of a control ID, or -1 for a control that is no flag box.
constexpr int FlagIndexOfId(unsigned id)
{
    return id >= IDC_FLAG01 && id <= IDC_FLAG64 ? static_cast<int>(id - IDC_FLAG01) : -1;
}
