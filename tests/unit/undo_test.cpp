// Undo and Redo over random tables and random command sequences: each step
// taken back gives the table and selection before it byte for byte, each
// step made again the one after it, `modified` is clear exactly at the saved
// point, and a new step after Undo drops what could have been redone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "table/edit_commands.h"
#include "table/flag_table_edit.h"
#include "table_builder.h"

namespace {

// The table's contents, and with `selection` what the window shows of it.
std::string Image(const FlagTable& t, bool selection = true)
{
    std::string s(reinterpret_cast<const char*>(&t.appCount), sizeof t.appCount);
    s.append(reinterpret_cast<const char*>(&t.entryCount), sizeof t.entryCount);
    s.append(reinterpret_cast<const char*>(t.entries), t.entryCount * sizeof(AppFlagEntry));
    s.append(reinterpret_cast<const char*>(t.appNames), t.appCount * kNameSize);
    if (selection) {
        s.append(reinterpret_cast<const char*>(&t.currentApp), sizeof t.currentApp);
        s.append(reinterpret_cast<const char*>(&t.currentEntry), sizeof t.currentEntry);
        s.append(reinterpret_cast<const char*>(&t.currentVersionRow), sizeof t.currentVersionRow);
        s.append(reinterpret_cast<const char*>(t.shownFlags), sizeof t.shownFlags);
    }
    return s;
}

const char* const kNames[] = {"A.EXE", "a.exe", "B.EXE", "Calc.Exe", "CALC.EXE", "WINWORD.EXE", "x"};

struct Random {
    std::mt19937 engine;
    int Below(int n) { return static_cast<int>(engine() % static_cast<unsigned>(n)); }
    bool Coin() { return Below(2) == 0; }
    const char* Name() { return kNames[Below(7)]; }
    uint32_t Version() { return static_cast<uint32_t>(Below(4)); }
};

// A table as a load or an import leaves it: some applications without
// versions, versions interleaved, duplicate versions, any flags and tags.
int FillRandom(void* context, FlagTable& t)
{
    Random& r = *static_cast<Random*>(context);
    if (r.Below(8) == 0)
        return 0;  // a file that cannot be read
    ClearTableContents(t);
    int apps = r.Below(6);
    for (int a = 0; a < apps; ++a)
        AddApp(t, r.Name());
    for (int e = apps ? r.Below(12) : 0; e > 0; --e)
        AddEntry(t, static_cast<uint16_t>(r.Below(apps)), r.Version(), r.Version(), r.engine(), r.engine(),
                 r.engine() % 3);
    return 1;
}

bool AnswerAtRandom(void* context, const char*)
{
    return static_cast<Random*>(context)->Below(4) != 0;
}

// The history as the test expects it: the images before and after each
// step, how many steps are done, and how many were when it was saved.
struct Model {
    std::vector<std::string> before, after;
    size_t at = 0;
    long saved = 0;
};

class UndoProperty : public TableTest {
protected:
    // One command, chosen and worded at random; 1 when it counts as a change
    // (sets `modified`) whether or not it changed anything.
    int RandomCommand()
    {
        Asker ask = {AnswerAtRandom, &r};
        char message[kMessageSize] = "";
        InputValues in = Input(r.Name(), r.Version(), r.Version());
        bool onScreen = ShowsCurrentEntry(*t);
        switch (r.Below(12)) {
        case 0:
            SetFlagFromBox(*t, r.Below(kFlagCount), r.Coin());
            return onScreen;
        case 1:
            SetAllFlags(*t, r.Coin());
            return onScreen;
        case 2:
            if (r.Coin())
                CopyFlags(*t);
            PasteFlags(*t);
            return onScreen;
        case 3:
            return NewApplication(*t, in, message);
        case 4:
            return NewVersion(*t, in, message);
        case 5:
            return DeleteVersion(*t, ask, message);
        case 6:
            return DeleteApplication(*t, ask);
        case 7:
            return SortVersions(*t);
        case 8:
        case 9: {
            std::string before = Image(*t, false);
            char text[kVersionTextSize];
            VersionText(text, r.Version(), r.Version());
            if (r.Below(8) == 0)
                text[0] = '\0';
            if (r.Coin())
                CheckAppText(*t, r.Below(8) ? r.Name() : "", ask, message);
            else
                CheckVersionText(*t, text, ask, message);
            return Image(*t, false) != before;
        }
        default:
            return ReplaceTable(*t, TableSource::File, {FillRandom, &r});
        }
    }

    void CheckModified(const char* after)
    {
        bool clear = static_cast<long>(m.at) == m.saved;
        ASSERT_EQ(clear ? 0 : 1, t->modified) << "after " << after << ", step " << m.at << " of "
                                              << m.after.size() << ", saved at " << m.saved;
    }

    void Command()
    {
        std::string before = Image(*t);
        std::string contents = Image(*t, false);
        int modifiedBefore = t->modified;
        int counts = RandomCommand();
        if (Image(*t, false) == contents) {
            ASSERT_EQ(counts ? 1 : modifiedBefore, t->modified) << "a command without a step";
            return;
        }
        ASSERT_TRUE(counts) << "the table changed";
        ASSERT_EQ(nullptr, StepToRedo(t->history)) << "a new step drops what could have been redone";
        m.before.resize(m.at);
        m.after.resize(m.at);
        m.before.push_back(before);
        m.after.push_back(Image(*t));
        if (m.saved > static_cast<long>(m.at))
            m.saved = -1;
        ++m.at;
        CheckModified("a step");
    }

    void Undo()
    {
        ASSERT_EQ(m.at > 0 ? 1 : 0, UndoStep(*t));
        if (m.at == 0)
            return;
        --m.at;
        ASSERT_EQ(m.before[m.at], Image(*t)) << "Undo back to step " << m.at;
        CheckModified("Undo");
    }

    void Redo()
    {
        bool can = m.at < m.after.size();
        ASSERT_EQ(can ? 1 : 0, RedoStep(*t));
        if (!can)
            return;
        ASSERT_EQ(m.after[m.at], Image(*t)) << "Redo to step " << m.at + 1;
        ++m.at;
        CheckModified("Redo");
    }

    void Save()
    {
        MarkTableSaved(*t);
        m.saved = static_cast<long>(m.at);
        CheckModified("a save");
    }

    void Run(unsigned seed)
    {
        r.engine.seed(seed);
        t = NewTable();
        while (!ReplaceTable(*t, TableSource::Key, {FillRandom, &r})) {
        }
        m = Model{};
        const std::string start = Image(*t, false);
        for (int op = 0; op < 60; ++op) {
            int kind = r.Below(10);
            if (kind < 5)
                Command();
            else if (kind == 5)
                Undo();
            else if (kind == 6)
                Redo();
            else if (kind == 7)
                SelectApplication(*t, static_cast<uint16_t>(r.Below(t->appCount + 1)));
            else if (kind == 8)
                SelectVersion(*t, t->currentApp, r.Below(4) - 1);
            else
                Save();
            if (HasFatalFailure())
                return;
        }
        while (m.at > 0 && !HasFatalFailure())
            Undo();
        ASSERT_EQ(0, UndoStep(*t));
        ASSERT_EQ(start, Image(*t, false)) << "every step undone";
        while (m.at < m.after.size() && !HasFatalFailure())
            Redo();
        ASSERT_EQ(0, RedoStep(*t)) << "every step redone";
    }

    Random r;
    Model m;
};

TEST_F(UndoProperty, RandomCommandsUndoAndRedoByteForByte)
{
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Run(seed);
        if (HasFatalFailure())
            return;
    }
}

void* NoMemory(size_t)
{
    return nullptr;
}

using UndoBounds = TableTest;

// The oldest steps go first, the saved point with them; a step refused its
// memory still runs and empties the history.
TEST_F(UndoBounds, OldestStepsGoAndAStepWithoutMemoryEmptiesTheHistory)
{
    AddTable(*t, {"A.EXE"}, {{0, 1, 0}});
    SelectLoadedTable(*t);
    StartEditSession(*t);
    t->history.stepLimit = 3;
    for (int flag = 0; flag < 5; ++flag)
        TableSetFlag(*t, 0, flag, 1);
    EXPECT_EQ(3u, t->history.steps);
    for (int undone = 0; undone < 3; ++undone)
        EXPECT_EQ(1, UndoStep(*t));
    EXPECT_EQ(0, UndoStep(*t));
    EXPECT_EQ(0x3u, t->entries[0].flagsLow) << "flags 01 and 02 stay: their steps went";
    EXPECT_EQ(1, t->modified) << "the saved point went with them";
    size_t oneClick = t->history.bytes / 3;

    t->history.byteLimit = 2 * oneClick;
    TableSetFlag(*t, 0, 7, 1);
    TableSetFlag(*t, 0, 8, 1);
    TableSetFlag(*t, 0, 9, 1);
    EXPECT_EQ(2u, t->history.steps) << "the bytes bound";

    allocateStepMemory = NoMemory;
    EXPECT_EQ(1, TableDeleteApplication(*t, 0));
    allocateStepMemory = std::malloc;
    EXPECT_TRUE(CountsAre(*t, 0, 0)) << "the command still runs";
    EXPECT_EQ(nullptr, StepToUndo(t->history));
    EXPECT_EQ(0u, t->history.steps);
    EXPECT_EQ(1, t->modified);
}

}  // namespace
