#include "table/edit_history.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

void* (*allocateStepMemory)(size_t bytes) = std::malloc;

namespace {

// The header rounded up so that what a step keeps starts aligned.
constexpr size_t kHeaderBytes = (sizeof(EditStep) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) *
                                alignof(std::max_align_t);

uint32_t StepLimit(const EditHistory& h)
{
    return h.stepLimit ? h.stepLimit : kHistoryMaxSteps;
}

size_t ByteLimit(const EditHistory& h)
{
    return h.byteLimit ? h.byteLimit : kHistoryMaxBytes;
}

void Unlink(EditHistory& h, EditStep* s)
{
    (s->older ? s->older->newer : h.oldest) = s->newer;
    (s->newer ? s->newer->older : h.newest) = s->older;
    --h.steps;
    h.bytes -= s->bytes;
    DropStep(s);
}

void DropOldest(EditHistory& h)
{
    EditStep* s = h.oldest;
    if (h.lastDone == s)
        h.lastDone = nullptr;
    if (h.done > 0)
        --h.done;
    // The state before the oldest step cannot be reached any more.
    h.savedPoint = h.savedPoint > 0 ? h.savedPoint - 1 : -1;
    Unlink(h, s);
}

}  // namespace

EditStep* NewStep(EditHistory& h, StepKind kind, size_t keptBytes)
{
    size_t bytes = kHeaderBytes + keptBytes;
    void* block = keptBytes <= ByteLimit(h) ? allocateStepMemory(bytes) : nullptr;
    if (!block) {
        ClearHistory(h);
        return nullptr;
    }
    EditStep* s = static_cast<EditStep*>(block);
    std::memset(s, 0, kHeaderBytes);
    s->bytes = bytes;
    s->kind = kind;
    s->flagIndex = -1;
    return s;
}

void* StepKept(EditStep* s)
{
    return reinterpret_cast<unsigned char*>(s) + kHeaderBytes;
}

const void* StepKept(const EditStep* s)
{
    return reinterpret_cast<const unsigned char*>(s) + kHeaderBytes;
}

void AddStep(EditHistory& h, EditStep* s)
{
    // A new step after Undo: what could have been redone goes.
    while (h.newest && h.newest != h.lastDone)
        Unlink(h, h.newest);
    if (h.savedPoint > static_cast<int32_t>(h.done))
        h.savedPoint = -1;
    s->older = h.newest;
    s->newer = nullptr;
    (h.newest ? h.newest->newer : h.oldest) = s;
    h.newest = s;
    h.lastDone = s;
    ++h.steps;
    ++h.done;
    h.bytes += s->bytes;
    while (h.oldest && (h.steps > StepLimit(h) || h.bytes > ByteLimit(h)))
        DropOldest(h);
}

void* NewStepMore(EditStep* s, size_t bytes)
{
    if (s->more)
        return nullptr;
    s->more = allocateStepMemory(bytes);
    if (s->more)
        s->bytes += bytes;
    return s->more;
}

void DropStep(EditStep* s)
{
    if (!s)
        return;
    std::free(s->more);
    std::free(s);
}

const EditStep* StepToUndo(const EditHistory& h)
{
    return h.lastDone;
}

const EditStep* StepToRedo(const EditHistory& h)
{
    return h.lastDone ? h.lastDone->newer : h.oldest;
}

void StepUndone(EditHistory& h)
{
    if (!h.lastDone)
        return;
    h.lastDone = h.lastDone->older;
    --h.done;
}

void StepRedone(EditHistory& h)
{
    EditStep* next = h.lastDone ? h.lastDone->newer : h.oldest;
    if (!next)
        return;
    h.lastDone = next;
    ++h.done;
}

void ClearHistory(EditHistory& h)
{
    while (h.oldest)
        Unlink(h, h.oldest);
    h.lastDone = nullptr;
    h.done = 0;
    h.savedPoint = -1;
}

void SetSavedPoint(EditHistory& h)
{
    h.savedPoint = static_cast<int32_t>(h.done);
}

bool AtSavedPoint(const EditHistory& h)
{
    return h.savedPoint == static_cast<int32_t>(h.done);
}

size_t HistoryBytes(const EditHistory& h)
{
    return h.bytes;
}

void StepName(char* out, size_t size, StepKind kind, int flagIndex)
{
    static const char* const kNames[] = {
        "",           "",           "Clear All",          "Check All",          "Paste",
        "New Application", "New Version", "Delete Version", "Delete Application", "Sort Version",
        "Rename Application", "Change Version", "Import",
    };
    if (kind == kStepFlagClick)
        std::snprintf(out, size, "Flag %02d", flagIndex + 1);
    else
        std::snprintf(out, size, "%s", kind <= kStepImport ? kNames[kind] : "");
}
