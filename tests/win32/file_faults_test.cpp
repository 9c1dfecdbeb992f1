// Every file call of the exports and the import failing in turn, and every
// read and write coming up short: an export leaves the earlier file byte for
// byte and no stray file, an import leaves the table as it was.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/platform_win32.h"
#include "store/flag_file_win32.h"
#include "store/registry_layout.h"
#include "stored_key_win32.h"
#include "file_text.h"
#include "table_builder.h"

namespace {

// Which call fails: the n-th (from 1) of all file calls, counted from the
// start of the operation; 0 counts only. `shortBy` makes the failing call a
// read or write that moves one byte less instead.
struct Fault {
    int failAt = 0;
    bool shortened = false;
    int calls = 0;
    std::vector<std::string> names;
} fault;

bool Fails(const char* name)
{
    fault.names.push_back(name);
    return ++fault.calls == fault.failAt;
}

// Fails(name), with `error` as the last error when the call fails.
bool FailsWith(const char* name, DWORD error)
{
    if (!Fails(name))
        return false;
    SetLastError(error);
    return true;
}

HANDLE WINAPI FaultCreate(LPCSTR p, DWORD a, DWORD s, LPSECURITY_ATTRIBUTES sa, DWORD c, DWORD f, HANDLE t)
{
    return FailsWith("create", ERROR_ACCESS_DENIED) ? INVALID_HANDLE_VALUE
                                                    : kSystemPlatform.createFile(p, a, s, sa, c, f, t);
}
BOOL WINAPI FaultRead(HANDLE h, LPVOID b, DWORD n, LPDWORD done, LPOVERLAPPED o)
{
    if (Fails("read")) {
        if (!fault.shortened || n == 0) {
            SetLastError(ERROR_READ_FAULT);
            return FALSE;
        }
        --n;
    }
    return kSystemPlatform.readFile(h, b, n, done, o);
}
BOOL WINAPI FaultWrite(HANDLE h, LPCVOID b, DWORD n, LPDWORD done, LPOVERLAPPED o)
{
    if (Fails("write")) {
        if (!fault.shortened || n == 0) {
            SetLastError(ERROR_DISK_FULL);
            return FALSE;
        }
        --n;
    }
    return kSystemPlatform.writeFile(h, b, n, done, o);
}
DWORD WINAPI FaultSize(HANDLE h, LPDWORD high)
{
    return FailsWith("size", ERROR_ACCESS_DENIED) ? 0xFFFFFFFFu : kSystemPlatform.getFileSize(h, high);
}
BOOL WINAPI FaultClose(HANDLE h)
{
    // The handle is closed all the same: a failed close still ends it.
    BOOL closed = kSystemPlatform.closeHandle(h);
    return FailsWith("close", ERROR_WRITE_FAULT) ? FALSE : closed;
}
BOOL WINAPI FaultDelete(LPCSTR p)
{
    return FailsWith("delete", ERROR_ACCESS_DENIED) ? FALSE : kSystemPlatform.deleteFile(p);
}
BOOL WINAPI FaultMove(LPCSTR from, LPCSTR to)
{
    return FailsWith("move", ERROR_ACCESS_DENIED) ? FALSE : kSystemPlatform.moveFile(from, to);
}
BOOL WINAPI FaultMoveEx(LPCSTR from, LPCSTR to, DWORD flags)
{
    return FailsWith("moveEx", ERROR_ACCESS_DENIED) ? FALSE : kSystemPlatform.moveFileEx(from, to, flags);
}
UINT WINAPI FaultTempName(LPCSTR folder, LPCSTR prefix, UINT unique, LPSTR out)
{
    return FailsWith("tempName", ERROR_ACCESS_DENIED) ? 0
                                                      : kSystemPlatform.getTempFileName(folder, prefix, unique, out);
}

// Windows 98 and Me: no MoveFileExA.
BOOL WINAPI NotImplementedMoveEx(LPCSTR, LPCSTR, DWORD)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

void UseFaultFiles()
{
    platform = kSystemPlatform;
    platform.createFile = FaultCreate;
    platform.readFile = FaultRead;
    platform.writeFile = FaultWrite;
    platform.getFileSize = FaultSize;
    platform.closeHandle = FaultClose;
    platform.deleteFile = FaultDelete;
    platform.moveFile = FaultMove;
    platform.moveFileEx = FaultMoveEx;
    platform.getTempFileName = FaultTempName;
}

using Exporter = int (*)(const char* path, NameRefusal* refusal);

class FileFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform = kSystemPlatform;
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(sizeof temp, temp));
        folder = std::string(temp) + "vavezav_file_faults\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        RemoveFiles();
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFlagKeyPath);
        PutAppInfo("02A.EXE;01B.EXE;", 34);
        PutVersion("APP-A.EXE-01", 1, 0x50002, 0xA, 1, 0x80000000);
        PutVersion("APP-A.EXE-02", 7, 0x10000, 0x20003, 0x6DEADBEE, 0);
        PutVersion("APP-B.EXE-01", 2, 3, 4, 5, 0xFFFFFFFF);
    }

    void TearDown() override
    {
        platform = kSystemPlatform;
        RemoveFiles();
        RemoveDirectoryA(folder.c_str());
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFlagKeyPath);
    }

    std::set<std::string> Files() const
    {
        std::set<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA((folder + "*").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.insert(found.cFileName);
        } while (FindNextFileA(h, &found));
        FindClose(h);
        return names;
    }

    void RemoveFiles()
    {
        for (const std::string& n : Files())
            DeleteFileA((folder + n).c_str());
    }

    // The export under every single fault the successful run's calls allow.
    void ExportUnderEveryFault(Exporter exporter, const char* name, bool shortened)
    {
        RemoveFiles();
        const std::string path = folder + name;
        const std::string earlier = "an earlier export of this name\n";
        ASSERT_TRUE(WriteFileBytes(path, earlier));
        fault = Fault();
        UseFaultFiles();
        platform.moveFileEx = windows9x ? nullptr : FaultMoveEx;
        ASSERT_EQ(1, exporter(path.c_str(), nullptr)) << "without a fault";
        const std::string good = ReadFileText(path);
        const std::vector<std::string> calls = fault.names;
        ASSERT_FALSE(calls.empty());
        ASSERT_EQ(std::set<std::string>{name}, Files()) << "a stray file after a good export";

        for (int k = 1; k <= static_cast<int>(calls.size()); ++k) {
            const std::string& call = calls[k - 1];
            if (shortened && call != "read" && call != "write")
                continue;
            RemoveFiles();
            ASSERT_TRUE(WriteFileBytes(path, earlier));
            fault = Fault();
            fault.failAt = k;
            fault.shortened = shortened;
            std::string what = std::string(name) + ": call " + std::to_string(k) + " (" + call + ")" +
                               (shortened ? " short" : " fails");
            int result = exporter(path.c_str(), nullptr);
            std::string now = ReadFileText(path);
            // A delete that fails leaves what it could not delete: only the
            // cleanup after a good move deletes, and then the new file is in place.
            if (result == 1) {
                EXPECT_EQ(good, now) << what;
                EXPECT_EQ("delete", call) << what << ": succeeded under a fault";
                continue;
            }
            EXPECT_EQ(earlier, now) << what;
            std::set<std::string> left = Files();
            EXPECT_TRUE(left.count(name)) << what;
            if (call != "delete") {
                EXPECT_EQ(1u, left.size()) << what << ": a stray file is left: " << *left.begin();
            }
        }
    }

    std::string folder;
    bool windows9x = false;
};

TEST_F(FileFaults, ExportsKeepTheEarlierFileUnderEveryFault)
{
    ExportUnderEveryFault(ExportFlagFile, "table.afe", false);
    ExportUnderEveryFault(ExportInfFile, "table.inf", false);
    ExportUnderEveryFault(ExportRegFile, "table.reg", false);
}

TEST_F(FileFaults, ExportsKeepTheEarlierFileWhenAWriteComesUpShort)
{
    ExportUnderEveryFault(ExportFlagFile, "table.afe", true);
    ExportUnderEveryFault(ExportRegFile, "table.reg", true);
}

TEST_F(FileFaults, WithoutMoveFileExTheOldFileIsMovedAsideAndBack)
{
    windows9x = true;
    ExportUnderEveryFault(ExportFlagFile, "table.afe", false);
    // And where the function exists but is not implemented.
    RemoveFiles();
    const std::string path = folder + "table.inf";
    ASSERT_TRUE(WriteFileBytes(path, "old\n"));
    platform = kSystemPlatform;
    platform.moveFileEx = NotImplementedMoveEx;
    EXPECT_EQ(1, ExportInfFile(path.c_str()));
    EXPECT_EQ(0u, ReadFileText(path).find("[DEFAPPFLAG]\r\n"));
    EXPECT_EQ(std::set<std::string>{"table.inf"}, Files());
}

TEST_F(FileFaults, AReadOnlyFileIsRefusedBeforeAnythingIsWritten)
{
    const Exporter exporters[] = {ExportFlagFile, ExportInfFile, ExportRegFile};
    for (bool win9x : {false, true}) {
        for (Exporter exporter : exporters) {
            RemoveFiles();
            const std::string path = folder + "readonly";
            ASSERT_TRUE(WriteFileBytes(path, "earlier\n"));
            ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
            fault = Fault();
            UseFaultFiles();
            platform.moveFileEx = win9x ? nullptr : FaultMoveEx;
            EXPECT_EQ(0, exporter(path.c_str(), nullptr));
            EXPECT_EQ(std::vector<std::string>{}, fault.names) << "a file call was made";
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            EXPECT_EQ("earlier\n", ReadFileText(path));
            EXPECT_EQ(std::set<std::string>{"readonly"}, Files());
        }
    }
}

TEST_F(FileFaults, ANewFileIsWrittenWhereThereWasNone)
{
    const std::string path = folder + "new.afe";
    ASSERT_EQ(1, ExportFlagFile(path.c_str()));
    EXPECT_EQ(0u, ReadFileText(path).find("00034\n02A.EXE;01B.EXE;\n"));
    platform.moveFileEx = nullptr;
    const std::string other = folder + "new98.afe";
    ASSERT_EQ(1, ExportFlagFile(other.c_str()));
    EXPECT_EQ(ReadFileText(path), ReadFileText(other));
    EXPECT_EQ((std::set<std::string>{"new.afe", "new98.afe"}), Files());
}

TEST_F(FileFaults, ImportLeavesTheTableAsItWasUnderEveryFault)
{
    const std::string path = folder + "import.afe";
    ASSERT_EQ(1, ExportFlagFile(path.c_str()));
    auto table = NewTable();
    AddTable(*table, {"KEPT.EXE"}, {{0, 9, 9, 0x99}});
    table->modified = 1;
    const FlagTable before = *table;

    for (bool shortened : {false, true}) {
        fault = Fault();
        UseFaultFiles();
        auto probe = std::make_unique<FlagTable>(before);
        ASSERT_EQ(1, ImportFlagFile(*probe, path.c_str()));
        const std::vector<std::string> calls = fault.names;
        for (int k = 1; k <= static_cast<int>(calls.size()); ++k) {
            if (shortened && calls[k - 1] != "read")
                continue;
            fault = Fault();
            fault.failAt = k;
            fault.shortened = shortened;
            *table = before;
            std::string what = "call " + std::to_string(k) + " (" + calls[k - 1] + ")" + (shortened ? " short" : "");
            int result = ImportFlagFile(*table, path.c_str());
            if (calls[k - 1] == "close") {
                // The bytes were read whole; a close that fails loses nothing.
                EXPECT_EQ(1, result) << what;
                continue;
            }
            EXPECT_EQ(0, result) << what;
            EXPECT_EQ(0, std::memcmp(&before, table.get(), sizeof(FlagTable))) << what << ": the table changed";
        }
    }
}

}  // namespace
