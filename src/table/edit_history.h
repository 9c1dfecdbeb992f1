// The steps that Undo takes back and Redo makes again: one per change of the
// table, each holding only what its change needs to be taken back, kept
// oldest first within a bound of steps and of bytes.
#pragma once

#include <cstddef>
#include <cstdint>

// The history keeps at most this many steps and this many bytes of them;
// beyond either, the oldest steps go first.
constexpr uint32_t kHistoryMaxSteps = 1000;
constexpr size_t kHistoryMaxBytes = 8u * 1024u * 1024u;

// What a step was; its name is what the Undo and Redo items show.
enum StepKind : uint8_t {
    kNoStep = 0,
    kStepFlagClick,
    kStepClearAll,
    kStepCheckAll,
    kStepPaste,
    kStepNewApplication,
    kStepNewVersion,
    kStepDeleteVersion,
    kStepDeleteApplication,
    kStepSortVersion,
    kStepRenameApplication,
    kStepChangeVersion,
    kStepImport,
};

// The selection and the boxes: what the window showed before a step and
// after it, put back by Undo and by Redo.
struct ShownSelection {
    uint16_t currentApp;
    uint16_t currentEntry;
    int32_t currentVersionRow;
    uint32_t shownFlags[2];
};

// One block per step: this header, then what its kind keeps.
struct EditStep {
    EditStep* older;
    EditStep* newer;
    size_t bytes;  // the whole block, and `more`
    void* more;    // a second block, for a step that learns its size late; freed with it
    StepKind kind;
    int flagIndex;  // the box a flag click toggled, for the step's name
    ShownSelection before;
    ShownSelection after;
};

// Steps oldest to newest; those up to lastDone can be undone, those after it
// redone. The saved point counts the steps done when `modified` was last
// cleared; -1 when that state can no longer be reached.
struct EditHistory {
    EditStep* oldest;
    EditStep* newest;
    EditStep* lastDone;
    uint32_t steps;
    uint32_t done;
    size_t bytes;
    int32_t savedPoint;
    // Bounds other than kHistoryMaxSteps and kHistoryMaxBytes; 0 keeps those.
    uint32_t stepLimit;
    size_t byteLimit;
    // Blocks of small steps kept for the next ones, chained by `older`: a
    // click takes no trip to the heap, which can be slow right after a load
    // has freed large blocks.
    EditStep* spares;
    uint32_t spareCount;
};

// Where the history gets its memory; replaceable so that a step can be
// refused its memory.
extern void* (*allocateStepMemory)(size_t bytes);

// A new step that keeps `keptBytes` bytes after its header (StepKept), not
// yet in the history. Null when its memory is not to be had: the history is
// then emptied, since the command runs without it and nothing older can be
// taken back past that change.
EditStep* NewStep(EditHistory& h, StepKind kind, size_t keptBytes);
void* StepKept(EditStep* s);
const void* StepKept(const EditStep* s);
// The step, its command done, becomes the last step done: what could have
// been redone goes, then the oldest steps while a bound is passed.
void AddStep(EditHistory& h, EditStep* s);
// A second block of `bytes` for step s (null when its memory is not to be
// had; the step keeps nothing more then).
void* NewStepMore(EditStep* s, size_t bytes);
// A step whose command changed nothing, or that cannot be completed.
void DropStep(EditHistory& h, EditStep* s);

// The step Undo would take back and the one Redo would make again, or null.
const EditStep* StepToUndo(const EditHistory& h);
const EditStep* StepToRedo(const EditHistory& h);
// The step was taken back, or made again.
void StepUndone(EditHistory& h);
void StepRedone(EditHistory& h);

// Frees every step; nothing to undo or redo, no saved point.
void ClearHistory(EditHistory& h);
// The same, and the blocks kept for small steps: the history holds no memory.
void FreeHistory(EditHistory& h);
// The table now is as stored: this is the saved point.
void SetSavedPoint(EditHistory& h);
bool AtSavedPoint(const EditHistory& h);
// The bytes the history holds: its steps and the blocks kept for small ones.
size_t HistoryBytes(const EditHistory& h);

// "Delete Application", "Flag 05": the name of a step (kNoStep: empty).
void StepName(char* out, size_t size, StepKind kind, int flagIndex);
