#include "main/save_protocol_win32.h"

#include <cstring>

#include "base/file_dialog_win32.h"
#include "base/message_box_win32.h"
#include "main/messages_win32.h"
#include "resource.h"
#include "store/flag_file.h"
#include "store/flag_file_win32.h"
#include "store/registry_store_win32.h"
#include "table/edit_commands.h"
#include "table/flag_table_edit.h"

const char kSaveQuestion[] = "Save changes to Registory?";
const char kExportQuestion[] = "Export will copy reg data to file.\nDo you save changes to reg before export?";

static const char kSaveFailed[] = "Save was not completed successfully.";
static const char kImportFailed[] = "Inport doen not complete successfully.";
static const char kExportFailed[] = "Export doen not complete successfully.";

// The command's failure message, and why when names were refused.
static void ShowFileFailure(HWND owner, const char* failed, const NameRefusal& refusal)
{
    if (refusal.kind == NameRefusalKind::None) {
        ShowAppMessage(owner, failed);
        return;
    }
    char text[512];
    FormatNameRefusal(text, sizeof text, failed, refusal);
    ShowAppMessage(owner, text);
}

// The import's filler of ReplaceTable: the file at the path, and why its
// names were refused.
struct FileImport {
    const char* path;
    NameRefusal refusal;
};

static int ImportFromFile(void* context, FlagTable& t)
{
    FileImport& file = *static_cast<FileImport*>(context);
    return ImportFlagFile(t, file.path, &file.refusal);
}

SaveAnswer AskSaveChanges(const FlagTable& t, const MainControls& c, const char* text)
{
    if (!t.modified)
        return SaveAnswer::No;
    int answer = ShowAppMessage(c.window, text, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return SaveAnswer::Cancel;
    if (answer != IDYES)
        return SaveAnswer::No;
    if (!SaveFlagTable(t, StoreMessages(c.window))) {
        ShowAppMessage(c.window, kSaveFailed);
        return SaveAnswer::Cancel;
    }
    return SaveAnswer::Yes;
}

void SaveCommand(FlagTable& t, const MainControls& c)
{
    if (ShowAppMessage(c.window, kSaveQuestion, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    if (SaveFlagTable(t, StoreMessages(c.window)))
        MarkTableSaved(t);
    else
        ShowAppMessage(c.window, kSaveFailed);
}

bool ImportCommand(FlagTable& t, const MainControls& c)
{
    if (AskSaveChanges(t, c, kSaveQuestion) == SaveAnswer::Cancel)
        return false;
    char path[kFilePathSize] = "";
    char title[kFilePathSize] = "";
    OPENFILENAMEA ofn;
    PrepareFileDialog(ofn, c.window, "Application Flag File(*.afe)\0*.afe\0", 0, path, title, "Import as");
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    ofn.lpstrDefExt = "afe";
    if (!ShowOpenFileDialog(ofn))
        return false;
    // A file that cannot be read whole leaves the table as it was.
    FileImport file = {path, {}};
    if (!ReplaceTable(t, TableSource::File, {ImportFromFile, &file})) {
        ShowFileFailure(c.window, kImportFailed, file.refusal);
        return false;
    }
    return true;
}

void ExportCommand(FlagTable& t, const MainControls& c)
{
    SaveAnswer answer = AskSaveChanges(t, c, kExportQuestion);
    if (answer == SaveAnswer::Cancel)
        return;
    // After No the key still lacks the edits: they stay marked.
    bool keyHoldsTable = !t.modified || answer == SaveAnswer::Yes;
    char path[kFilePathSize] = "TempFlag";
    char title[kFilePathSize] = "";
    OPENFILENAMEA ofn;
    PrepareFileDialog(ofn, c.window,
                      "Application Flag File(*.afe)\0*.afe\0Inf File(*.inf)\0*.inf\0"
                      "Registration File(*.reg)\0*.reg\0",
                      0, path, title, "Export as");
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    ofn.lpstrDefExt = "afe";
    if (!ShowSaveFileDialog(ofn))
        return;
    int ok = 0;
    NameRefusal refusal;
    switch (ofn.nFilterIndex) {
    case 2:
        ok = ExportInfFile(path, &refusal);
        break;
    case 3:
        ok = ExportRegFile(path, &refusal);
        break;
    default:
        ok = ExportFlagFile(path, &refusal);
        break;
    }
    if (!ok)
        ShowFileFailure(c.window, kExportFailed, refusal);
    if (keyHoldsTable)
        MarkTableSaved(t);
}
