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

// From call cutAt on, every registry call fails; -1: none does. A cut-off
// key is still closed: the handle goes as it would with the process.
long callsMade = 0;
long cutAt = -1;
constexpr LONG kCut = ERROR_ACCESS_DENIED;
bool Cut() { return cutAt >= 0 && callsMade++ >= cutAt; }

LONG WINAPI CutOpen(HKEY k, LPCSTR n, DWORD o, REGSAM s, PHKEY r)
{ return Cut() ? kCut : kSystemPlatform.openKey(k, n, o, s, r); }
LONG WINAPI CutQuery(HKEY k, LPCSTR n, LPDWORD r, LPDWORD t, LPBYTE d, LPDWORD l)
{ return Cut() ? kCut : kSystemPlatform.queryValue(k, n, r, t, d, l); }
LONG WINAPI CutDelete(HKEY k, LPCSTR n) { return Cut() ? kCut : kSystemPlatform.deleteKey(k, n); }
LONG WINAPI CutCreate(HKEY k, LPCSTR n, DWORD r, LPSTR c, DWORD o, REGSAM s, LPSECURITY_ATTRIBUTES a, PHKEY h,
                      LPDWORD d)
{ return Cut() ? kCut : kSystemPlatform.createKey(k, n, r, c, o, s, a, h, d); }
LONG WINAPI CutSet(HKEY k, LPCSTR n, DWORD r, DWORD t, const BYTE* d, DWORD l)
{ return Cut() ? kCut : kSystemPlatform.setValue(k, n, r, t, d, l); }
LONG WINAPI CutClose(HKEY k) { bool cut = Cut(); LONG s = kSystemPlatform.closeKey(k); return cut ? kCut : s; }
LONG WINAPI CutDeleteEx(HKEY k, LPCSTR n, REGSAM s, DWORD r)
{ return Cut() ? kCut : kSystemPlatform.deleteKeyEx(k, n, s, r); }
LONG WINAPI CutRename(HKEY k, LPCWSTR a, LPCWSTR b) { return Cut() ? kCut : kSystemPlatform.renameKey(k, a, b); }
LONG WINAPI CutEnum(HKEY k, DWORD i, LPSTR n, LPDWORD l, LPDWORD r, LPSTR c, LPDWORD cl, PFILETIME t)
{ return Cut() ? kCut : kSystemPlatform.enumKey(k, i, n, l, r, c, cl, t); }

void CutRegistryFrom(long k)
{
    callsMade = 0;
    cutAt = k;
    platform.openKey = CutOpen;
    platform.queryValue = CutQuery;
    platform.deleteKey = CutDelete;
    platform.createKey = CutCreate;
    platform.setValue = CutSet;
    platform.closeKey = CutClose;
    platform.deleteKeyEx = kSystemPlatform.deleteKeyEx ? CutDeleteEx : nullptr;
    platform.renameKey = CutRename;
    platform.enumKey = CutEnum;
}

LONG WINAPI RefuseDeeper(HKEY k, LPCSTR n)
{ return std::strstr(n, "Deeper") ? ERROR_ACCESS_DENIED : RegDeleteKeyA(k, n); }
LONG WINAPI RefuseRename(HKEY, LPCWSTR, LPCWSTR) { return ERROR_ACCESS_DENIED; }
DWORD WINAPI NeverYourTurn(HANDLE, DWORD) { return WAIT_TIMEOUT; }

// As a save cut off between its renames leaves the key: the fresh key
// whole beside the earlier one, and no key.
void PlantCutBetweenRenames(const GeneratedTable& earlier, const GeneratedTable& fresh)
{
    HKEY parent = nullptr;
    ASSERT_TRUE(fresh.Store());
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFlagParentPath, 0, KEY_ALL_ACCESS, &parent));
    EXPECT_EQ(ERROR_SUCCESS, kSystemPlatform.renameKey(parent, L"ZOLTDriver", L"ZOLTDriver.new"));
    EXPECT_TRUE(earlier.Store());
    EXPECT_EQ(ERROR_SUCCESS, kSystemPlatform.renameKey(parent, L"ZOLTDriver", L"ZOLTDriver.old"));
    RegCloseKey(parent);
}

// What the cut-offs of one run left: the k after which the driver found
// part of a table, or the repair did not leave one whole table alone.
struct CutOffs {
    std::vector<long> partial, unrepaired;
    int missing = 0;  // cut-offs after which the key was missing
};

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

    // The fresh table as an .afe file, at `afe`.
    void WriteAfe()
    {
        char dir[MAX_PATH];
        GetTempPathA(sizeof dir, dir);
        afe = std::string(dir) + "key_swap_test.afe";
        ASSERT_TRUE(WriteFileBytes(afe, fresh.Afe()));
    }

    void Fill(const GeneratedTable& g)
    {
        for (size_t a = 0; a < g.apps.size(); ++a) {
            AddApp(g.apps[a].name);
            for (int v = 0; v < g.apps[a].versionCount; ++v) {
                const TestVersion& tv = g.apps[a].versions[v];
                AddEntry(static_cast<uint16_t>(a), tv.versionMS, tv.versionLS, tv.flagsLow, tv.flagsHigh, tv.tag);
            }
        }
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
        std::vector<long> ks;
        for (long k = 0; k < callsMade; k = k + step < callsMade - tail ? k + step : std::max(k + 1, callsMade - tail))
            ks.push_back(k);
        for (long k : ks) {
            ResetPlatform();
            DeleteAppFlagTree();
            EXPECT_TRUE(from.Store());
            CutRegistryFrom(k);
            run();
            ResetPlatform();
            KeyContents seen = ReadKey();
            if (!KeyExists())
                ++found.missing;
            else if (seen != before && seen != after)
                found.partial.push_back(k);
            RepairFlagKey();
            seen = ReadKey();
            if ((seen != before && seen != after) || !KeysBesideTable().empty())
                found.unrepaired.push_back(k);
        }
        return found;
    }

    // A small table over an earlier one of another size.
    const GeneratedTable earlier{7, 2, 1}, fresh{20, 3, 2};
    std::string afe;
};

using Ks = std::vector<long>;

TEST_F(KeySwap, ASaveCutOffAtAnyCallLeavesOneWholeTable)
{
    Fill(fresh);
    CutOffs f = CutOff(earlier, fresh, [&] { Save(); });
    EXPECT_EQ(Ks{}, f.partial);
    EXPECT_EQ(Ks{}, f.unrepaired);
    EXPECT_EQ(1, f.missing) << "the key is missing only after the call between the renames";

    // Windows 98 to XP write the key in place: the check sees the fault.
    f = CutOff(earlier, fresh, [&] {
        platform.renameKey = nullptr;
        Save();
    });
    EXPECT_GT(f.partial.size(), 60u);
}

TEST_F(KeySwap, AFullSaveCutOffLeavesOneWholeTable)
{
    GeneratedTable hundreds(200, 3, 3), full(kMaxApps, 2, 4);
    Fill(full);
    CutOffs f = CutOff(hundreds, full, [&] { Save(); }, 5000, 8);
    EXPECT_EQ(Ks{}, f.partial);
    EXPECT_EQ(Ks{}, f.unrepaired);
}

TEST_F(KeySwap, AnApplyCutOffAtAnyCallLeavesOneWholeTable)
{
    WriteAfe();
    CutOffs f = CutOff(earlier, fresh, [&] { RunAfeToolWith({"apply", afe}); });
    EXPECT_EQ(Ks{}, f.partial);
    EXPECT_EQ(Ks{}, f.unrepaired);
    EXPECT_EQ(1, f.missing);
}

TEST_F(KeySwap, TheEarlierKeyGoesWholeWithItsSubkeys)
{
    Fill(fresh);
    auto plant = [] {
        for (int i = 0; i < 600; ++i)
            PutValue(("STALE-" + std::to_string(i)).c_str(), REG_DWORD, &i, sizeof i);
        HKEY sub = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kFlagKeyPath) + "\\Sub\\Deeper").c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &sub, nullptr);
        RegCloseKey(sub);
    };
    for (bool renames : {true, false}) {
        plant();
        platform.renameKey = renames ? kSystemPlatform.renameKey : nullptr;
        EXPECT_EQ(1, Save()) << renames;
        EXPECT_TRUE(KeyHolds(fresh.Key())) << renames;
        DWORD subkeys = 1;
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFlagKeyPath, 0, KEY_READ, &key);
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr);
        RegCloseKey(key);
        EXPECT_EQ(0u, subkeys) << renames;

        // A subkey that cannot go fails the save with its code; no value changes.
        plant();
        const KeyContents before = ReadKey();
        platform.deleteKey = RefuseDeeper;
        EXPECT_EQ(0, Save()) << renames;
        EXPECT_TRUE(ReadKey() == before) << renames;
        EXPECT_TRUE(KeysBesideTable().empty()) << renames;
        ResetPlatform();
        DeleteAppFlagTree();
    }
    EXPECT_EQ(std::vector<std::string>(2, "Open Printer fail\nCode=5"), ShownTexts());
}

TEST_F(KeySwap, AWriterThatGetsNoTurnFailsAndChangesNothing)
{
    ASSERT_TRUE(earlier.Store());
    Fill(fresh);
    platform.waitForObject = NeverYourTurn;
    EXPECT_EQ(0, Save());
    EXPECT_EQ(std::vector<std::string>{"Open Printer fail\nCode=258"}, ShownTexts());
    EXPECT_TRUE(KeyHolds(earlier.Key()));
}

TEST_F(KeySwap, VerifyRepairsAndSaysSo)
{
    WriteAfe();
    PlantCutBetweenRenames(earlier, fresh);
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
