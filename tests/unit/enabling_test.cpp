// Which commands and controls the editor offers in each of its states.
#include <gtest/gtest.h>

#include "main/enabling.h"
#include "resource.h"
#include "table_builder.h"

namespace {

using Enabling = TableTest;

const unsigned kFileCommands[] = {IDM_SAVE, IDM_IMPORT, IDM_EXPORT, IDM_NEWAPP};
const unsigned kTableCommands[] = {IDM_COPY,      IDM_CLEARALL, IDM_CHECKALL, IDM_NEWVERSION,
                                   IDM_DELETEAPP, IDM_FIND,     IDM_FINDNEXT};
const unsigned kVersionCommands[] = {IDM_DELETEVERSION, IDM_SORTVERSION};
const unsigned kAlwaysCommands[] = {IDM_ABOUT, IDM_EXIT, IDM_NEXTCONTROL, IDM_PREVCONTROL, IDM_GOTOPRINTER,
                                    IDM_GOTOAPP, IDM_GOTOVERSION, IDM_GOTOFLAGS};

struct StateRow {
    const char* state;
    EditorSnapshot s;
    bool file, table, versions, paste, printerCombo, editingControls;
};

// The states of the editor, one row each.
const StateRow kStates[] = {
    {"no supported printer", {0, 0, 0, 0}, false, false, false, false, false, false},
    {"no printer, a table and Paste offered", {0, 3, 2, 1}, false, false, false, false, false, false},
    {"printer found, no application", {1, 0, 0, 0}, true, false, false, false, true, false},
    {"no application, Paste offered before", {1, 0, 0, 1}, true, false, false, false, true, false},
    {"one version", {1, 2, 1, 0}, true, true, false, false, true, true},
    {"an application without versions", {1, 1, 0, 0}, true, true, false, false, true, true},
    {"two versions, Paste offered", {1, 1, 2, 1}, true, true, true, true, true, true},
};

TEST_F(Enabling, EachStateOffersItsCommandsAndControls)
{
    for (const StateRow& row : kStates) {
        for (unsigned id : kFileCommands)
            EXPECT_EQ(row.file, CommandEnabled(row.s, id)) << row.state << ", command " << id;
        for (unsigned id : kTableCommands)
            EXPECT_EQ(row.table, CommandEnabled(row.s, id)) << row.state << ", command " << id;
        for (unsigned id : kVersionCommands)
            EXPECT_EQ(row.versions, CommandEnabled(row.s, id)) << row.state << ", command " << id;
        for (unsigned id : kAlwaysCommands)
            EXPECT_TRUE(CommandEnabled(row.s, id)) << row.state << ", command " << id;
        EXPECT_EQ(row.paste, CommandEnabled(row.s, IDM_PASTE)) << row.state;
        EXPECT_EQ(row.printerCombo, ControlEnabled(row.s, IDC_PRINTER)) << row.state;
        for (unsigned id : {IDC_APPLICATION, IDC_VERSION, IDC_FLAG01, IDC_FLAG01 + 32, IDC_FLAG64})
            EXPECT_EQ(row.editingControls, ControlEnabled(row.s, id)) << row.state << ", control " << id;
    }
}

TEST_F(Enabling, SnapshotCountsTheCurrentApplicationsVersions)
{
    EditorSnapshot s = SnapshotOf(*t, 1);
    EXPECT_EQ(0, s.appCount);
    EXPECT_EQ(0, s.currentVersions) << "no application: none";
    AddTable(*t, {"A.EXE", "B.EXE"}, {{1, 1, 0}, {0, 1, 0}, {1, 2, 0}});
    t->currentApp = 1;
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
}

}  // namespace
