// afetool on Windows against the real registry of the test prefix: its
// export and convert write the editor's bytes, its apply goes through Import
// and Save and changes nothing when it refuses.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "afetool_run.h"
#include "file_text.h"
#include "store/flag_file_win32.h"
#include "store/registry_layout.h"
#include "store/registry_store_win32.h"
#include "stored_key_win32.h"
#include "table_fixture_win32.h"

namespace {

class AfeToolWindows : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        char dir[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(sizeof dir, dir));
        folder = std::string(dir) + "vavezav_afetool_";
        // The table the files are made from, in mixed case as typed.
        AddApp("Winword.exe");
        AddApp("CALC.EXE");
        AddEntry(0, 0x90000, 0xBB8, 0x80000011, 0x80000001);
        AddEntry(1, 0x50001, 0x0A280001, 0xF000, 0x10000, 0xDEADBEEF);
        AddEntry(0, 0xA0000, 0x1770, 2, 0x40000000, 7);
        ASSERT_EQ(1, Save());
    }

    void TearDown() override
    {
        for (const std::string& p : files)
            DeleteFileA(p.c_str());
        StoreTest::TearDown();
    }

    std::string Path(const std::string& name)
    {
        files.push_back(folder + name);
        return files.back();
    }

    // afetool prints the store's messages; a box would be recorded.
    ToolRun Afetool(std::vector<std::string> args) { return RunAfeToolWith(std::move(args)); }

    std::string folder;
    std::vector<std::string> files;
};

TEST_F(AfeToolWindows, ExportAndConvertWriteTheEditorsBytes)
{
    const std::string afe = Path("editor.afe");
    const std::string reg = Path("editor.reg");
    const std::string inf = Path("editor.inf");
    ASSERT_EQ(1, ExportFlagFile(afe.c_str()));
    ASSERT_EQ(1, ExportRegFile(reg.c_str()));
    ASSERT_EQ(1, ExportInfFile(inf.c_str()));

    for (std::string ext : {".afe", ".reg", ".inf"}) {
        const std::string path = Path("tool" + ext);
        ToolRun r = Afetool({"export", path});
        EXPECT_EQ(0, r.status) << ext << ": " << r.err;
        EXPECT_EQ(ReadFileText(folder + "editor" + ext), ReadFileText(path)) << ext;
    }
    for (std::string ext : {".reg", ".inf"}) {
        const std::string path = Path("converted" + ext);
        ToolRun r = Afetool({"convert", afe, path});
        EXPECT_EQ(0, r.status) << ext << ": " << r.err;
        EXPECT_EQ(ReadFileText(folder + "editor" + ext), ReadFileText(path)) << ext;
    }
    EXPECT_TRUE(ShownTexts().empty());
}

TEST_F(AfeToolWindows, ApplyPutsTheFilesTableIntoTheKey)
{
    const std::string afe = Path("other.afe");
    ASSERT_TRUE(WriteFileBytes(afe, "00018\n01A.EXE;\n0000000100010002000300040000000500000006\n"));
    ToolRun r = Afetool({"apply", afe});
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ("", r.err);
    KeyContents key = ReadKey();
    ASSERT_EQ(3u, key.size()) << key;
    const StoredValue* v = FindValue(key, "APP-A.EXE-01");
    ASSERT_NE(nullptr, v);
    EXPECT_EQ(1u, v->Word(0));
    EXPECT_EQ(0x00010002u, v->Word(1));
    EXPECT_EQ(6u, v->Word(4));
}

TEST_F(AfeToolWindows, ApplyThatRefusesChangesNothing)
{
    const KeyContents before = ReadKey();
    ASSERT_EQ(5u, before.size());
    struct Case {
        const char* why;
        const char* bytes;
        const char* says;
    };
    const Case cases[] = {
        {"a version line missing", "00018\n02A.EXE;\n0000000100010002000300040000000500000006\n",
         "Inport doen not complete successfully."},
        {"not hexadecimal", "00018\n01A.EXE;\n000000010001000200030004000000050000000G\n",
         "Inport doen not complete successfully."},
        // Read by the import, refused by the save before it touches the key.
        {"an application without a name", "00008\n00;\n", "nothing was changed"},
        {"a CR in a name", "00018\n01A\rEXE;\n0000000100010002000300040000000500000006\n",
         "Inport doen not complete successfully."},
        {"names equal but for letter case",
         "00046\n01CAF\xC9.EXE;01caf\xE9.exe;\n0000000100010002000300040000000500000006\n"
         "0000000100010002000300040000000500000006\n",
         "\"CAF\xC9.EXE\" and \"caf\xE9.exe\" differ only in letter case"},
    };
    for (const Case& c : cases) {
        const std::string afe = Path("bad.afe");
        ASSERT_TRUE(WriteFileBytes(afe, c.bytes));
        ToolRun r = Afetool({"apply", afe});
        EXPECT_EQ(1, r.status) << c.why;
        EXPECT_NE(std::string::npos, r.err.find(c.says)) << c.why << ": " << r.err;
        EXPECT_NE(std::string::npos, r.err.find("nothing was changed")) << c.why << ": " << r.err;
        EXPECT_TRUE(ReadKey() == before) << c.why;
    }
    EXPECT_TRUE(ShownTexts().empty()) << "afetool showed a message box";
    EXPECT_EQ(2, Afetool({"apply"}).status);
    EXPECT_EQ(2, Afetool({"export", Path("table.txt")}).status);
}

TEST_F(AfeToolWindows, ExportRefusesANameNoFileCarries)
{
    PutAppInfo("01A\rB;", 14);
    ToolRun r = Afetool({"export", Path("cr.afe")});
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos, r.err.find("The application name \"A\\x0DB\"")) << r.err;
    EXPECT_EQ("<none>", ReadFileText(folder + "cr.afe"));
}

TEST_F(AfeToolWindows, VerifySaysWhetherTheKeyHoldsTheFilesTable)
{
    const std::string afe = Path("table.afe");
    ASSERT_EQ(0, Afetool({"export", afe}).status);
    ToolRun r = Afetool({"verify", afe});
    EXPECT_EQ(0, r.status) << r.out << r.err;

    PutVersion("APP-CALC.EXE-01", 0xDEADBEEF, 0x50001, 0x0A280001, 0xF001, 0x10000);
    ASSERT_TRUE(DeleteStoredValue("APP-WINWORD.EXE-02"));
    r = Afetool({"verify", afe});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ("only in the file: WINWORD.EXE 000A0000-00001770\n"
              "CALC.EXE 00050001-0A280001: flags 01 only in the key\n",
              r.out);

    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFlagKeyPath);
    EXPECT_EQ(2, Afetool({"verify", afe}).status);
    EXPECT_EQ(2, Afetool({"verify", Path("missing.afe")}).status);
}

// What the load passes over is drift all the same: verify compares every
// value and subkey with what a save of the file writes.
TEST_F(AfeToolWindows, VerifyComparesTheWholeKey)
{
    const std::string afe = Path("whole.afe");
    ASSERT_EQ(0, Afetool({"export", afe}).status);
    const KeyContents exact = ReadKey();
    const std::string longName(81, 'L');
    const std::string appInfo = "02WINWORD.EXE;01CALC.EXE;";
    const unsigned char record[20] = {1};
    const std::pair<std::function<void()>, const char*> drifts[] = {
        {[&] {
             PutAppInfo((appInfo + "01" + longName + ";").c_str(), 220);
             PutVersion(("APP-" + longName + "-01").c_str(), 1, 2, 3, 4, 5);
         },
         "only in the key: value APP-LLLL"},
        {[&] { PutAppInfo((appInfo + "X;").c_str(), 58); }, "value APPINFO:"},
        {[&] { PutAppInfo("03WINWORD.EXE;01CALC.EXE;", 52); }, "value APPINFO: other bytes"},
        {[&] { PutValue("APP-WINWORD.EXE-02", REG_BINARY, record, 16); }, "only in the file: WINWORD.EXE 000A0000"},
        {[&] { PutValue("APP-CALC.EXE-01", REG_NONE, exact.at("APP-CALC.EXE-01").data.data(), 20); },
         "value APP-CALC.EXE-01: another type of 20 bytes"},
        {[&] { PutValue("APP-CALC.EXE-02", REG_BINARY, record, 20); }, "only in the key: value APP-CALC.EXE-02"},
        {[&] { RegCloseKey(CreateSubkey("Sub")); }, "only in the key: subkey Sub"},
    };
    for (const auto& d : drifts) {
        WriteKey(exact);
        ASSERT_EQ(0, Afetool({"verify", afe}).status) << d.second;
        d.first();
        ToolRun r = Afetool({"verify", afe});
        EXPECT_EQ(1, r.status) << d.second;
        EXPECT_NE(std::string::npos, r.out.find(d.second)) << d.second << ":\n" << r.out << r.err;
    }

    // Names that differ from the saved ones only in letter case are the same to the key.
    KeyContents lowered;
    for (const auto& value : exact) {
        std::string name = value.first;
        CharLowerA(&name[0]);
        lowered[name] = value.second;
        if (name == "appinfo")
            CharLowerA(reinterpret_cast<char*>(lowered[name].data.data()));
    }
    WriteKey(lowered);
    ToolRun r = Afetool({"verify", afe});
    EXPECT_EQ(0, r.status) << r.out << r.err;
}

// Whatever check accepts, apply stores and verify then finds in the key;
// whatever it refuses (names equal but for letter case, here), apply
// refuses too and the key stays as it was.
TEST_F(AfeToolWindows, VerifyFindsNoDriftAfterApplyingAnyFileCheckAccepts)
{
    const std::string afe = Path("random.afe");
    const char letters[] = "aAzZ\xE9\xC9\xFF\x9F\x9A\x8A\xDF._-0 ";
    const unsigned seed = 20261209;
    std::mt19937 random(seed);
    auto word = [&] { return static_cast<unsigned>(random()); };
    int applied = 0, refused = 0;
    for (int round = 0; round < 40; ++round) {
        std::string list, lines;
        for (unsigned a = random() % 6; a > 0; --a) {
            unsigned versions = random() % 4;
            list += "0" + std::to_string(versions);
            for (unsigned n = 1 + random() % 3; n > 0; --n)
                list += letters[random() % (sizeof letters - 1)];
            list += ";";
            for (unsigned v = 0; v < versions; ++v) {
                char line[48];
                std::snprintf(line, sizeof line, "%08X%08X%08X%08X%08X\n", word(), v, word(), word(), word());
                lines += line;
            }
        }
        char size[8];
        std::snprintf(size, sizeof size, "%05u\n", static_cast<unsigned>(2 * (list.size() + 1)));
        ASSERT_TRUE(WriteFileBytes(afe, size + list + "\n" + lines));
        SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round) + ": " + list);
        const KeyContents before = ReadKey();
        const int checked = Afetool({"check", afe}).status;
        ToolRun r = Afetool({"apply", afe});
        if (checked != 0) {
            EXPECT_EQ(1, r.status);
            EXPECT_TRUE(ReadKey() == before);
            ++refused;
            continue;
        }
        ASSERT_EQ(0, r.status) << r.err;
        r = Afetool({"verify", afe});
        EXPECT_EQ(0, r.status) << r.out << r.err;
        ++applied;
    }
    EXPECT_GT(applied, 0);
    EXPECT_GT(refused, 0);
}

}  // namespace
