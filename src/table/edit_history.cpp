#include "table/edit_history.h"

#include <cstdlib>
#include <cstring>

void* (*allocateStepMemory)(size_t bytes) = std::malloc;

namespace {

// The header rounded up so that what a step keeps starts aligned.
constexpr size_t kHeaderBytes = (sizeof(EditStep) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) *
                                alignof(std::max_align_t);

// A step of this many bytes or fewer (a flag click, a version added or
// deleted) takes a block of this size, kept for reuse when it goes.
constexpr size_t kSmallStepBytes = 128;
constexpr uint32_t kMaxSpares = 64;

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
    DropStep(h, s);
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
    void* block = nullptr;
    if (bytes <= kSmallStepBytes) {
        bytes = kSmallStepBytes;
        block = h.spares;
        if (block) {
            h.spares = h.spares->older;
            --h.spareCount;
        }
    }
    if (!block && keptBytes <= ByteLimit(h))
        block = allocateStepMemory(bytes);
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

void DropStep(EditHistory& h, EditStep* s)
{
    if (!s)
        return;
    if (!s->more && s->bytes == kSmallStepBytes && h.spareCount < kMaxSpares) {
        s->older = h.spares;
        h.spares = s;
        ++h.spareCount;
        return;
    }
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

void FreeHistory(EditHistory& h)
{
    ClearHistory(h);
    while (h.spares) {
        EditStep* s = h.spares;
        h.spares = s->older;
        std::free(s);
    }
    h.spareCount = 0;
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
    return h.bytes + h.spareCount * kSmallStepBytes;
}

void StepName(char* out, size_t size, StepKind kind, int flagIndex)
{
    static const char* const kNames[] = {
        "",           "Flag 00",    "Clear All",          "Check All",          "Paste",
        "New Application", "New Version", "Delete Version", "Delete Application", "Sort Version",
        "Rename Application", "Change Version", "Import",
    };
    if (size == 0)
        return;
    size_t n = 0;
    for (const char* p = kind <= kStepImport ? kNames[kind] : ""; *p && n + 1 < size; ++p)
        out[n++] = *p;
    out[n] = '\0';
    // The box of a flag click in two digits: "Flag 05".
    if (kind == kStepFlagClick && n == 7 && flagIndex >= 0 && flagIndex < 99) {
        out[5] = static_cast<char>('0' + (flagIndex + 1) / 10);
        out[6] = static_cast<char>('0' + (flagIndex + 1) % 10);
    }
}
