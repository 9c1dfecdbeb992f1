#include "main/focus.h"

#include "resource.h"

namespace {

struct RingStep {
    uint16_t from;
    uint16_t next;
    uint16_t previous;
};

// The joints of the ring; between 802 and 863 it simply counts up or down.
const RingStep kRingJoints[] = {
    {IDC_PRINTER, IDC_APPLICATION, IDC_FLAG64},
    {IDC_APPLICATION, IDC_VERSION, IDC_PRINTER},
    {IDC_VERSION, IDC_FLAG01, IDC_APPLICATION},
    {IDC_FLAG01, IDC_FLAG01 + 1, IDC_VERSION},
    {IDC_FLAG64, IDC_PRINTER, IDC_FLAG64 - 1},
};

// Before the start-up command has run nothing holds the focus (0): Tab
// starts the ring at its beginning, Shift+Tab one short of its end.
const RingStep kOutsideRing = {0, IDC_PRINTER, IDC_FLAG64 - 1};

const RingStep& StepFrom(uint16_t id, RingStep& middle)
{
    for (const RingStep& step : kRingJoints) {
        if (step.from == id)
            return step;
    }
    if (id > IDC_FLAG01 && id < IDC_FLAG64) {
        middle = {id, static_cast<uint16_t>(id + 1), static_cast<uint16_t>(id - 1)};
        return middle;
    }
    return kOutsideRing;
}

}  // namespace

int IsRingControl(uint16_t id)
{
    return (id >= IDC_PRINTER && id <= IDC_VERSION) || (id >= IDC_FLAG01 && id <= IDC_FLAG64);
}

uint16_t NextRingControl(uint16_t id)
{
    RingStep middle;
    return StepFrom(id, middle).next;
}

uint16_t PreviousRingControl(uint16_t id)
{
    RingStep middle;
    return StepFrom(id, middle).previous;
}
