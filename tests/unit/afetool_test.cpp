// afetool's commands on real files: what each prints, to which stream, and
// its exit status.
#include <gtest/gtest.h>

#include <glob.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "afetool_run.h"
#include "example_files.h"
#include "file_text.h"

namespace {

class AfeTool : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const std::string& p : files)
            std::remove(p.c_str());
    }

    std::string File(const std::string& name, const std::string& bytes)
    {
        std::string path = ::testing::TempDir() + "afetool_" + name;
        EXPECT_TRUE(WriteFileBytes(path, bytes)) << path;
        files.push_back(path);
        return path;
    }

    ToolRun Afetool(std::vector<std::string> args) { return RunAfeToolWith(std::move(args)); }

    std::vector<std::string> files;
};

TEST_F(AfeTool, CheckPassesTheExampleAndTheEmptyTable)
{
    ToolRun r = Afetool({"check", File("example.afe", kExampleAfe)});
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_NE(std::string::npos, r.out.find(": ok, 2 applications, 3 versions\n")) << r.out;
    EXPECT_EQ("", r.err);

    r = Afetool({"check", File("empty.afe", "00002\n\n")});
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_NE(std::string::npos, r.out.find(": ok, 0 applications, 0 versions\n")) << r.out;
}

TEST_F(AfeTool, CheckNamesEveryProblemWithItsLine)
{
    const std::string bad =
        "00043\n"                                       // odd, and 20 characters for 35
        "02WINWORD.EXE;1X;00;01CALC.EXE;junk\n"         // two bad records, trailing characters
        "000000010009000000000BB8800000118000000\n"     // 39 digits
        "00000007000A0000000017700000000240000000\r\n"  // CR LF
        "DEADBEEF000500010A2800010000F0000001000G\n";   // a G
    std::string path = File("bad.afe", bad);
    ToolRun r = Afetool({"check", path});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ("", r.out);
    const std::string expected = path + ":1: the size 43 is odd; a list of n characters has the size 2 x (n + 1)\n" +
                                 path + ":2: the list line has 35 characters; the size line says 20\n" + path +
                                 ":2: application 2 \"1X;\" does not start with a two-digit version count\n" + path +
                                 ":2: application 3 has no name; a save refuses it\n" + path +
                                 ":2: characters after the last \";\" are ignored by the editor: \"junk\"\n" + path +
                                 ":3: line of WINWORD.EXE version 1 has 39 characters, not 40 hexadecimal digits\n" +
                                 path + ":4: line of WINWORD.EXE version 2 ends in CR LF; the editor reads line feeds "
                                        "only\n" +
                                 path + ":5: line of CALC.EXE version 1: character 40 is not a hexadecimal digit\n";
    EXPECT_EQ(expected, r.err);
}

TEST_F(AfeTool, CheckFindsWhatIsMissingOrLeftOver)
{
    std::string path = File("short.afe", "00018\n02A.EXE;\n000000010009000000000BB88000001180000001\n");
    ToolRun r = Afetool({"check", path});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ(path + ":4: the list names 2 versions; the file has 1 version lines\n", r.err);

    path = File("extra.afe", "00002\n\n000000010009000000000BB88000001180000001\n");
    r = Afetool({"check", path});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ(path + ":3: a version line the list does not name; the editor ignores it\n", r.err);

    path = File("nolf.afe", "00002\n");
    r = Afetool({"check", path});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ(path + ":2: the list line is missing\n", r.err);

    r = Afetool({"check", File("size.afe", "18\n02A.EXE;\n")});
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos, r.err.find(":1: the size line has 2 digits; the editor reads exactly five\n"))
        << r.err;

    r = Afetool({"check", ::testing::TempDir() + "afetool_no_such_file.afe"});
    EXPECT_EQ(2, r.status);
    EXPECT_NE(std::string::npos, r.err.find("cannot open")) << r.err;
}

TEST_F(AfeTool, ANameWithAControlCharacterIsRefusedAndNothingWritten)
{
    std::string path = File("cr.afe", "00018\n02A\rEXE;\n" + std::string(kExampleAfe).substr(32, 82));
    ToolRun r = Afetool({"check", path});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ(path + ":2: application 1 \"A\\x0DEXE\" has a control character in its name; no exchange file can "
                     "carry it\n",
              r.err);
    std::string reg = ::testing::TempDir() + "afetool_cr.reg";
    r = Afetool({"convert", path, reg});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ("<none>", ReadFileText(reg));
}

TEST_F(AfeTool, NamesEqualButForLetterCaseAreRefusedAndNothingWritten)
{
    const std::string line = std::string(kExampleAfe).substr(32, 41);
    std::string path = File("twins.afe", "00068\n01CAF\xC9.EXE;01Calc.exe;01caf\xE9.exe;\n" + line + line + line);
    ToolRun r = Afetool({"check", path});
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos,
              r.err.find(":2: applications 1 \"CAF\\xC9.EXE\" and 3 \"caf\\xE9.exe\" differ only in letter case"))
        << r.err;

    std::string reg = File("twins.reg", "earlier");
    r = Afetool({"convert", path, reg});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ("earlier", ReadFileText(reg));
}

// A write that fails part-way (a full disk; here the file size limit)
// leaves the earlier file whole and no temporary file beside it.
TEST_F(AfeTool, ConvertThatCannotWriteKeepsTheEarlierFile)
{
    std::string in = File("one.afe", "00010\n01A;\n" + std::string(kExampleAfe).substr(32, 41));
    std::string reg = File("kept.reg", std::string(100, 'k'));
    glob_t left;
    // What a run cut short before this one left is not this run's.
    if (glob((reg + ".*").c_str(), 0, nullptr, &left) == 0) {
        for (size_t i = 0; i < left.gl_pathc; ++i)
            std::remove(left.gl_pathv[i]);
    }
    globfree(&left);
    pid_t child = fork();
    ASSERT_NE(-1, child);
    if (child == 0) {
        // Writes beyond 64 bytes fail with EFBIG instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(RunAfeToolWith({"convert", in, reg}).status);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(2, WEXITSTATUS(status));
    EXPECT_EQ(std::string(100, 'k'), ReadFileText(reg));
    EXPECT_EQ(GLOB_NOMATCH, glob((reg + ".*").c_str(), 0, nullptr, &left)) << "a temporary file is left";
    globfree(&left);
}

TEST_F(AfeTool, ConvertLeavesAReadOnlyFileAsItWas)
{
    std::string inf = File("readonly.inf", "earlier");
    ASSERT_EQ(0, chmod(inf.c_str(), 0444));
    ToolRun r = Afetool({"convert", File("example.afe", kExampleAfe), inf});
    EXPECT_EQ(2, r.status);
    EXPECT_NE(std::string::npos, r.err.find("Export doen not complete successfully.")) << r.err;
    EXPECT_EQ("earlier", ReadFileText(inf));
}

TEST_F(AfeTool, ShowListsApplicationsVersionsAndFlagsByNumber)
{
    ToolRun r = Afetool({"show", File("example.afe", kExampleAfe)});
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ("WINWORD.EXE\n"
              "  00090000-00000BB8  flags 01 05 32 33 64\n"
              "  000A0000-00001770  flags 02 63\n"
              "CALC.EXE\n"
              "  00050001-0A280001  flags 13 14 15 16 49\n",
              r.out);
    r = Afetool({"show", File("apps.afe", "00018\n00A.EXE;\n")});
    EXPECT_EQ("A.EXE\n  no versions\n", r.out);
    r = Afetool({"show", File("empty.afe", "00002\n\n")});
    EXPECT_EQ("no applications\n", r.out);
    r = Afetool({"show", File("broken.afe", "00018\n02A.EXE;\n")});
    EXPECT_EQ(2, r.status);
    EXPECT_EQ("", r.out);
    EXPECT_NE(std::string::npos, r.err.find("not a flag file the editor can read")) << r.err;
}

TEST_F(AfeTool, DiffNamesApplicationsVersionsAndFlags)
{
    std::string a = File("a.afe", kExampleAfe);
    // CALC.EXE gone, NOTEPAD.EXE new, WINWORD.EXE's second version replaced,
    // flag 05 of its first cleared and flag 07 set; names compared without case.
    std::string b = File("b.afe",
                         "00058\n"
                         "02Winword.exe;01NOTEPAD.EXE;\n"
                         "000000010009000000000BB88000004180000001\n"
                         "00000007000B0000000017700000000240000000\n"
                         "0000000100010000000000010000000000000000\n");
    ToolRun r = Afetool({"diff", a, b});
    EXPECT_EQ(1, r.status) << r.err;
    EXPECT_EQ("only in A: WINWORD.EXE 000A0000-00001770\n"
              "only in A: CALC.EXE\n"
              "only in B: Winword.exe 000B0000-00001770\n"
              "only in B: NOTEPAD.EXE\n"
              "WINWORD.EXE 00090000-00000BB8: flags 05 only in A, flags 07 only in B\n",
              r.out);

    r = Afetool({"diff", a, File("same.afe", kExampleAfe)});
    EXPECT_EQ(0, r.status);
    EXPECT_EQ("the tables are the same\n", r.out);
}

TEST_F(AfeTool, ConvertWritesTheExportersBytes)
{
    // The names as the save stores them, whatever their case in the file.
    std::string reg = ::testing::TempDir() + "afetool_out.REG";
    files.push_back(reg);
    std::string mixed = "00052\n02Winword.exe;01calc.exe;\n" + std::string(kExampleAfe).substr(32);
    ToolRun r = Afetool({"convert", File("mixed.afe", mixed), reg});
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(kExampleReg, ReadFileText(reg));

    std::string inf = ::testing::TempDir() + "afetool_out.inf";
    files.push_back(inf);
    r = Afetool({"convert", File("example.afe", kExampleAfe), inf});
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ("[DEFAPPFLAG]\r\n"
              "AppInfoSize = 52\r\n"
              "AppInfo = 02WINWORD.EXE;01CALC.EXE;\r\n"
              "AppFlag1 = APP-WINWORD.EXE-01,00000001,00090000,00000BB8,80000011,80000001\r\n"
              "AppFlag2 = APP-WINWORD.EXE-02,00000007,000A0000,00001770,00000002,40000000\r\n"
              "AppFlag3 = APP-CALC.EXE-01,DEADBEEF,00050001,0A280001,0000F000,00010000\r\n"
              "NumItems = 3\r\n",
              ReadFileText(inf));

    std::string txt = ::testing::TempDir() + "afetool_out.txt";
    r = Afetool({"convert", File("example.afe", kExampleAfe), txt});
    EXPECT_EQ(2, r.status);
    EXPECT_EQ("<none>", ReadFileText(txt));
    r = Afetool({"convert", File("broken.afe", "00018\n02A.EXE;\n"), reg + ".reg"});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ("<none>", ReadFileText(reg + ".reg"));
}

TEST_F(AfeTool, WrongCallsGetTheUsageAndHelpGoesToOutput)
{
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{}, {"check"}, {"diff", "a"}, {"frobnicate", "x"}}) {
        ToolRun r = Afetool(args);
        EXPECT_EQ(2, r.status);
        EXPECT_EQ("", r.out);
        EXPECT_EQ(0u, r.err.find("usage: afetool check")) << r.err;
    }
    ToolRun r = Afetool({"--help"});
    EXPECT_EQ(0, r.status);
    EXPECT_EQ(0u, r.out.find("usage: afetool check")) << r.out;
    EXPECT_EQ("", r.err);
}

}  // namespace
