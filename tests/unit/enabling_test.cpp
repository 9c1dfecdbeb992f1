// Which commands and controls the editor offers in each of its states.
#include <gtest/gtest.h>

#include "main/enabling.h"
#include "resource.h"
#include "table/flag_table_edit.h"
#include "table_builder.h"

namespace {

using Enabling = TableTest;

struct StateRow {
    const char* state;
    EditorSnapshot s;
    bool needs[6];  // of kNeeds
    bool printerCombo, editingControls;
};

const CommandNeed kNeeds[] = {CommandNeed::Printer,    CommandNeed::Application, CommandNeed::SecondVersion,
                              CommandNeed::PasteOffer, CommandNeed::UndoStep,    CommandNeed::RedoStep};

// The states of the editor, one row each.
const StateRow kStates[] = {
    {"no supported printer", {0, 0, 0, 0, kNoStep, -1, kNoStep, -1}, {0, 0, 0, 0, 0, 0}, 0, 0},
    {"no printer; a table, Paste, steps", {0, 3, 2, 1, kStepPaste, -1, kStepImport, -1}, {0, 0, 0, 0, 0, 0}, 0, 0},
    {"printer found, no application", {1, 0, 0, 0, kNoStep, -1, kNoStep, -1}, {1, 0, 0, 0, 0, 0}, 1, 0},
    {"no application; Paste, Undo", {1, 0, 0, 1, kStepDeleteApplication, -1, kNoStep, -1}, {1, 0, 0, 0, 1, 0}, 1, 0},
    {"one version, a step to redo", {1, 2, 1, 0, kNoStep, -1, kStepFlagClick, 4}, {1, 1, 0, 0, 0, 1}, 1, 1},
    {"an application without versions", {1, 1, 0, 0, kNoStep, -1, kNoStep, -1}, {1, 1, 0, 0, 0, 0}, 1, 1},
    {"two versions, Paste offered", {1, 1, 2, 1, kStepSortVersion, -1, kStepClearAll, -1}, {1, 1, 1, 1, 1, 1}, 1, 1},
};

TEST_F(Enabling, EachStateOffersItsCommandsAndControls)
{
    for (const StateRow& row : kStates) {
        EXPECT_TRUE(CommandEnabled(row.s, CommandNeed::Nothing)) << row.state;
        for (int n = 0; n < 6; ++n)
            EXPECT_EQ(row.needs[n], CommandEnabled(row.s, kNeeds[n])) << row.state << ", need " << n;
        EXPECT_EQ(row.printerCombo, ControlEnabled(row.s, IDC_PRINTER)) << row.state;
        for (unsigned id : {IDC_APPLICATION, IDC_VERSION, IDC_FLAG01, IDC_FLAG01 + 32, IDC_FLAG64})
            EXPECT_EQ(row.editingControls, ControlEnabled(row.s, id)) << row.state << ", control " << id;
    }
}

TEST_F(Enabling, SnapshotCountsTheCurrentApplicationsVersionsAndNamesTheSteps)
{
    EditorSnapshot s = SnapshotOf(*t, 1);
    EXPECT_EQ(0, s.appCount);
    EXPECT_EQ(0, s.currentVersions) << "no application: none";
    AddTable(*t, {"A.EXE", "B.EXE"}, {{1, 1, 0}, {0, 1, 0}, {1, 2, 0}});
    t->currentApp = 1;
    t->currentEntry = 0;
    t->pasteOffered = 7;
    s = SnapshotOf(*t, 5);
    EXPECT_EQ(1, s.printerFound);
    EXPECT_EQ(1, s.pasteOffered);
    EXPECT_EQ(2, s.appCount);
    EXPECT_EQ(2, s.currentVersions) << "B's, interleaved with A's";
    t->currentApp = 0;
    EXPECT_EQ(1, SnapshotOf(*t, 1).currentVersions);
    t->currentApp = 2;
    EXPECT_EQ(0, SnapshotOf(*t, 1).currentVersions) << "currentApp past the table";

    char text[96];
    StepItemText(text, sizeof text, SnapshotOf(*t, 1), CommandNeed::UndoStep, "&Undo", "Ctrl+Z");
    EXPECT_STREQ("&Undo\tCtrl+Z", text);
    t->currentApp = 1;
    TableSetFlag(*t, 0, 4, 1);
    StepItemText(text, sizeof text, SnapshotOf(*t, 1), CommandNeed::UndoStep, "&Undo", "Ctrl+Z");
    EXPECT_STREQ("&Undo Flag 05\tCtrl+Z", text);
    ASSERT_EQ(1, TableDeleteApplication(*t, 0));
    const EditorSnapshot deleted = SnapshotOf(*t, 1);
    UndoStep(*t);
    s = SnapshotOf(*t, 1);
    StepItemText(text, sizeof text, s, CommandNeed::RedoStep, "&Redo", "Ctrl+Y");
    EXPECT_STREQ("&Redo Delete Application\tCtrl+Y", text);
    EXPECT_FALSE(SameStep(deleted, s, CommandNeed::RedoStep));
    EXPECT_TRUE(SameStep(s, SnapshotOf(*t, 0), CommandNeed::RedoStep));
    EXPECT_FALSE(SameEnabling(s, SnapshotOf(*t, 0))) << "the printer";
}

}  // namespace
