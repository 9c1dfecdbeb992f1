// The focus ring of the main window: the three combo boxes, then the 64 flag
// boxes in flag order, and back. A top-level window gets no Tab handling from
// the system, so the ring is the program's own.
#pragma once

#include <cstdint>

// 1 for the 67 controls of the ring (701..703, 801..864).
int IsRingControl(uint16_t id);
// The control Tab moves to from `id`; from anything outside the ring, 701.
uint16_t NextRingControl(uint16_t id);
// The control Shift+Tab moves to from `id`; from outside the ring, 863.
uint16_t PreviousRingControl(uint16_t id);
