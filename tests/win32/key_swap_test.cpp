// The key replaced whole: saves and applies cut off at every registry call,
// an earlier key with subkeys, a writer that gets no turn, and the repair.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>

#include "afetool_run.h"
#include "base/platform_win32.h"
#include "file_text.h"
#include "generated_table.h"
#include "store/key_swap_win32.h"
#include "store/registry_layout.h"
#include "table_fixture_win32.h"

namespace {

// From call cutAt on, every registry call fails; -1: none does.
long callsMade = 0;
long cutAt = -1;
constexpr LONG kCut = ERROR_ACCESS_DENIED;
bool Cut() { return cutAt >= 0 && callsMade++ >= cutAt; }

// The system's call `member` of the platform table, cut off as above.
template <typename Call, Call Platform::*member> struct Cuttable;
template <typename... Args, LONG(WINAPI* Platform::*member)(Args...)>
struct Cuttable<LONG(WINAPI*)(Args...), member> {
    static LONG WINAPI Call(Args... args) { return Cut() ? kCut : (kSystemPlatform.*member)(args...); }
};
#define CUT(name) (platform.name = Cuttable<decltype(Platform::name), &Platform::name>::Call)

// A cut-off key is still closed: the handle goes as it would with the process.
LONG WINAPI CutClose(HKEY k) { bool cut = Cut(); LONG s = kSystemPlatform.closeKey(k); return cut ? kCut : s; }

void CutRegistryFrom(long k)
{
    callsMade = 0;
    cutAt = k;
    CUT(openKey), CUT(queryValue), CUT(deleteKey), CUT(createKey), CUT(setValue), CUT(renameKey), CUT(enumKey);
    if (kSystemPlatform.deleteKeyEx)
        CUT(deleteKeyEx);
    platform.closeKey = CutClose;
}

LONG WINAPI RefuseDeeper(HKEY k, LPCSTR n)
{ return std::strstr(n, "Deeper") ? ERROR_ACCESS_DENIED : RegDeleteKeyA(k, n); }
LONG WINAPI RefuseRename(HKEY, LPCWSTR, LPCWSTR) { return ERROR_ACCESS_DENIED; }
DWORD WINAPI NeverYourTurn(HANDLE, DWORD) { return WAIT_TIMEOUT; }

// What the cut-offs of one run left: the k after which the driver found
// part of a table, or the repair did not leave one whole table alone.
struct CutOffs {
    std::vector<long> partial, unrepaired;
    int missing = 0;  // cut-offs after which the key was missing
};
using Ks = std::vector<long>;

class KeySwap : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        DeleteAppFlagTree();
    }
    void TearDown() override
    {
        DeleteFileA(afe.c_str());
        DeleteAppFlagTree();
        StoreTest::TearDown();
    }

    // The editor's table: `g`, as loaded from the key, which then goes.
    void LoadTable(const GeneratedTable& g)
    {
        ASSERT_TRUE(g.Store());
        Load();
        DeleteAppFlagTree();
    }

    // `run`, which writes `to` over `from`, cut off at call 0, step,
    // 2 step... and at each of the last `tail` calls it makes.
    CutOffs CutOff(const GeneratedTable& from, const GeneratedTable& to, const std::function<void()>& run,
                   long step = 1, long tail = 0)
    {
        CutOffs found;
        const KeyContents before = from.Key(), after = to.Key();
        EXPECT_TRUE(from.Store());
        CutRegistryFrom(LONG_MAX);
        run();
        const long calls = callsMade;
        for (long k = 0; k < calls; k = k + step < calls - tail ? k + step : std::max(k + 1, calls - tail)) {
            ResetPlatform();
            DeleteAppFlagTree();
            EXPECT_TRUE(from.Store());
            CutRegistryFrom(k);
            run();
            ResetPlatform();
            if (!KeyExists())
                ++found.missing;
            else if (!HoldsOneOf(before, after, false))
                found.partial.push_back(k);
            RepairFlagKey();
            if (!HoldsOneOf(before, after, true))
                found.unrepaired.push_back(k);
        }
        return found;
    }

    // A small table over an earlier one of another size; the small one as
    // an .afe file at `afe` where a test writes it.
    const GeneratedTable earlier{7, 2, 1}, fresh{20, 3, 2};
    const std::string afe = ::testing::TempDir() + "key_swap_test.afe";
};

TEST_F(KeySwap, ASaveOrAnApplyCutOffAtAnyCallLeavesOneWholeTable)
{
    LoadTable(fresh);
    ASSERT_TRUE(WriteFileBytes(afe, fresh.Afe()));
    const std::pair<const char*, std::function<void()>> runs[] = {
        {"save", [&] { Save(); }},
        {"apply", [&] { RunAfeToolWith({"apply", afe}); }},
    };
    for (const auto& run : runs) {
        CutOffs f = CutOff(earlier, fresh, run.second);
        EXPECT_EQ(Ks{}, f.partial) << run.first;
        EXPECT_EQ(Ks{}, f.unrepaired) << run.first;
        EXPECT_EQ(1, f.missing) << run.first << ": the key is missing only after the call between the renames";
    }

    // Windows 98 to XP write the key in place: the check sees the fault.
    CutOffs f = CutOff(earlier, fresh, [&] {
        platform.renameKey = nullptr;
        Save();
    });
    EXPECT_GT(f.partial.size(), 60u);
}

TEST_F(KeySwap, AFullSaveCutOffLeavesOneWholeTable)
{
    GeneratedTable hundreds(200, 3, 3), full(kMaxApps, 2, 4);
    LoadTable(full);
    CutOffs f = CutOff(hundreds, full, [&] { Save(); }, 5000, 8);
    EXPECT_EQ(Ks{}, f.partial);
    EXPECT_EQ(Ks{}, f.unrepaired);
}

TEST_F(KeySwap, TheEarlierKeyGoesWholeWithItsSubkeys)
{
    LoadTable(fresh);
    auto plant = [] {
        for (int i = 0; i < 600; ++i)
            PutValue(("STALE-" + std::to_string(i)).c_str(), REG_DWORD, &i, sizeof i);
        RegCloseKey(CreateSubkey("Sub\\Deeper"));
    };
    const std::string sub = std::string(kFlagKeyPath) + "\\Sub";
    for (bool renames : {true, false}) {
        SCOPED_TRACE(renames ? "renamed" : "in place");
        plant();
        platform.renameKey = renames ? kSystemPlatform.renameKey : nullptr;
        EXPECT_EQ(1, Save());
        EXPECT_TRUE(KeyHolds(fresh.Key()));
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_LOCAL_MACHINE, sub.c_str(), 0, KEY_READ, &key));

        // A subkey that cannot go fails the save with its code; no value changes.
        plant();
        const KeyContents before = ReadKey();
        platform.deleteKey = RefuseDeeper;
        EXPECT_EQ(0, Save());
        EXPECT_TRUE(ReadKey() == before);
        EXPECT_TRUE(KeysBesideTable().empty());
        ResetPlatform();
        DeleteAppFlagTree();
    }
    EXPECT_EQ(std::vector<std::string>(2, "Open Printer fail\nCode=5"), ShownTexts());
}

TEST_F(KeySwap, AWriterThatGetsNoTurnFailsAndChangesNothing)
{
    LoadTable(fresh);
    ASSERT_TRUE(earlier.Store());
    platform.waitForObject = NeverYourTurn;
    EXPECT_EQ(0, Save());
    EXPECT_EQ(std::vector<std::string>{"Open Printer fail\nCode=258"}, ShownTexts());
    EXPECT_TRUE(KeyHolds(earlier.Key()));
}

TEST_F(KeySwap, VerifyRepairsAndSaysSo)
{
    // As a save cut off between its renames leaves the key: the fresh
    // table whole beside the earlier one, and no key.
    ASSERT_TRUE(WriteFileBytes(afe, fresh.Afe()));
    ASSERT_TRUE(fresh.Store());
    HKEY parent = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFlagParentPath, 0, KEY_ALL_ACCESS, &parent));
    EXPECT_EQ(ERROR_SUCCESS, kSystemPlatform.renameKey(parent, L"ZOLTDriver", L"ZOLTDriver.new"));
    EXPECT_TRUE(earlier.Store());
    EXPECT_EQ(ERROR_SUCCESS, kSystemPlatform.renameKey(parent, L"ZOLTDriver", L"ZOLTDriver.old"));
    RegCloseKey(parent);

    platform.renameKey = RefuseRename;
    ToolRun r = RunAfeToolWith({"verify", afe});
    EXPECT_EQ(2, r.status);
    EXPECT_NE(std::string::npos, r.err.find("cannot be repaired (Code=5)")) << r.err;

    ResetPlatform();
    r = RunAfeToolWith({"verify", afe});
    EXPECT_EQ(0, r.status) << r.out << r.err;
    EXPECT_NE(std::string::npos, r.err.find("it is now in place")) << r.err;
    EXPECT_TRUE(KeysBesideTable().empty());
}

}  // namespace
