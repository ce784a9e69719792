// The Windows implementation of storage, run under wine or on Windows: what each kind of target gets, the
// in-place write of a hard-linked file, and every failing step keeping the old file and leaving no temporary.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "messages/catalogue.h"
#include "storage/storage.h"
#include "storage/windows/safe_file_writer.h"
#include "support/temp_folder.h"

namespace tessaroven {
namespace {

using WindowsStorage = testing::TempFolderTest;

std::wstring Wide(const std::string& path) {
    return std::filesystem::u8path(path).wstring();
}

// Whether the refusal gives the reason (its text up to its first detail).
bool Says(const MaybeRefusal& refusal, Reason reason) {
    const std::string_view text = MessageText(reason);
    return refusal && refusal->message.find(text.substr(0, text.find('{'))) != std::string::npos;
}

// Wine keeps no symbolic links: its CreateSymbolicLinkW succeeds and makes nothing.
bool MadeLink(const std::string& link, const std::string& to) {
    return ::CreateSymbolicLinkW(Wide(link).c_str(), Wide(to).c_str(), 0) &&
           ::GetFileAttributesW(Wide(link).c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST_F(WindowsStorage, WritesReadsAndComparesUnderJapaneseNames) {
    const std::string path = PathOf("測定 プロファイル.csv");
    ASSERT_FALSE(WriteFileSafely(path, "a much longer first content\r\n"));
    ASSERT_FALSE(WriteFileSafely(path, "short\r\n"));  // no tail of the old contents remains
    EXPECT_EQ(ReadWholeFile(path, 100).bytes, "short\r\n");
    EXPECT_TRUE(ReadWholeFile(path, 3).tooLarge);
    EXPECT_EQ(Entries().size(), 1u);                                      // no temporary file left
    EXPECT_TRUE(SameWriteTarget(path, PathOf("測定 プロファイル.CSV")));  // Windows names ignore case
    EXPECT_TRUE(SameWriteTarget(PathOf("new.csv"), PathOf("NEW.csv")));
    EXPECT_FALSE(SameWriteTarget(path, PathOf("new.csv")));
    EXPECT_FALSE(SameWriteTarget("NUL", "nul"));  // a device written twice is what was asked for
}

TEST_F(WindowsStorage, EachKindOfTargetIsWrittenOrRefusedAlikeByTheCheckAndTheWriter) {
    std::filesystem::create_directory(PathOf("folder"));
    ASSERT_FALSE(WriteFileSafely(PathOf("read-only.csv"), "old"));
    ::SetFileAttributesW(Wide(PathOf("read-only.csv")).c_str(), FILE_ATTRIBUTE_READONLY);
    const bool linked = MadeLink(PathOf("dangling.csv"), PathOf("nowhere.csv"));
    struct Case {
        std::string path;
        std::optional<Reason> reason;  // none: written
    };
    const Case cases[] = {
        {"NUL", std::nullopt},
        {PathOf("nul.txt"), std::nullopt},
        {PathOf("folder"), Reason::WriteTargetFolder},
        {PathOf("folder\\"), Reason::WriteTargetFolder},
        {PathOf("read-only.csv"), Reason::SystemErrorAccessDenied},
        {PathOf("missing\\out.csv"), Reason::SystemErrorNoEntry},
        {PathOf("bad\xff.csv"), Reason::FileNameNotUtf8},
        {PathOf("a<b.csv"), Reason::SystemErrorInvalidName},
        {linked ? PathOf("dangling.csv") : "",
         linked ? Reason::WriteLinkDangling : Reason::SystemErrorNoEntry},
    };
    for (const Case& c : cases) {
        const MaybeRefusal checked = CheckWriteTarget(c.path);
        const MaybeRefusal written = WriteFileSafely(c.path, "new");
        if (!c.reason) {
            EXPECT_FALSE(checked) << c.path << checked->message;
            EXPECT_FALSE(written) << c.path << written->message;
        } else {
            EXPECT_TRUE(Says(checked, *c.reason)) << c.path << (checked ? checked->message : "");
            EXPECT_TRUE(Says(written, *c.reason)) << c.path << (written ? written->message : "");
        }
    }
    EXPECT_EQ(ReadWholeFile(PathOf("read-only.csv"), 100).bytes, "old");
    ::SetFileAttributesW(Wide(PathOf("read-only.csv")).c_str(), FILE_ATTRIBUTE_NORMAL);  // for the clean-up
    EXPECT_FALSE(std::filesystem::exists(PathOf("nowhere.csv")));
}

TEST_F(WindowsStorage, AHardLinkedFileIsWrittenInPlaceSoThatEveryLinkShowsIt) {
    const std::string path = PathOf("profile.csv");
    ASSERT_FALSE(WriteFileSafely(path, "old"));
    ASSERT_TRUE(::CreateHardLinkW(Wide(PathOf("hard.csv")).c_str(), Wide(path).c_str(), nullptr));
    ASSERT_FALSE(WriteFileSafely(path, "new through the first name"));
    EXPECT_EQ(ReadWholeFile(PathOf("hard.csv"), 100).bytes, "new through the first name");
    EXPECT_TRUE(SameWriteTarget(path, PathOf("hard.csv")));
}

TEST_F(WindowsStorage, ASymbolicLinkIsFollowedAndStaysALink) {
    const std::string path = PathOf("profile.csv");
    ASSERT_FALSE(WriteFileSafely(path, "old"));
    if (!MadeLink(PathOf("soft.csv"), path)) {
        GTEST_SKIP() << "no symbolic links here";
    }
    ASSERT_FALSE(WriteFileSafely(PathOf("soft.csv"), "new through the link"));
    EXPECT_EQ(ReadWholeFile(path, 100).bytes, "new through the link");
    EXPECT_NE(::GetFileAttributesW(Wide(PathOf("soft.csv")).c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
}

TEST_F(WindowsStorage, ASaveWaitsForAViewerThatHoldsTheFileAndKeepsItHidden) {
    const std::string path = PathOf("profile.csv");
    ASSERT_FALSE(WriteFileSafely(path, "old"));
    ::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
    const HANDLE viewer =  // without delete sharing: the file cannot be replaced until the viewer lets go
        ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::thread closer(
        [viewer] { std::this_thread::sleep_for(std::chrono::milliseconds(300)), ::CloseHandle(viewer); });
    EXPECT_FALSE(WriteFileSafely(path, "new"));
    closer.join();
    EXPECT_NE(::GetFileAttributesW(Wide(path).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

int g_calls = 0;
BOOL WriteHalfThenDiskFull(HANDLE file, const void* data, DWORD size, DWORD* written) {
    if (g_calls++ > 0) {
        return ::SetLastError(ERROR_DISK_FULL), FALSE;
    }
    return ::WriteFile(file, data, size / 2, written, nullptr);
}
BOOL WriteNothing(HANDLE, const void*, DWORD, DWORD* written) {
    return *written = 0, TRUE;
}
BOOL FailWithIoError(HANDLE) {
    return ::SetLastError(ERROR_WRITE_FAULT), FALSE;
}
BOOL CloseThenFail(HANDLE file) {
    ::CloseHandle(file);
    return ::SetLastError(ERROR_WRITE_FAULT), FALSE;
}
BOOL FailMove(const wchar_t*, const wchar_t*, DWORD) {
    return ::SetLastError(ERROR_NOT_SAME_DEVICE), FALSE;
}
BOOL FailCutOnce(HANDLE file) {
    return g_calls++ == 0 ? (::SetLastError(ERROR_WRITE_FAULT), FALSE) : ::SetEndOfFile(file);
}

TEST_F(WindowsStorage, EveryFailingStepKeepsTheOldFileAndLeavesNoTemporary) {
    struct Case {
        const char* name;
        void (*change)(FileSystemOps&);
        Reason reason;
    };
    const Case cases[] = {
        {"disk full part way", [](FileSystemOps& o) { o.writeFile = WriteHalfThenDiskFull; },
         Reason::SystemErrorDiskFull},
        {"write makes no progress", [](FileSystemOps& o) { o.writeFile = WriteNothing; },
         Reason::SystemErrorDiskFull},
        {"flush fails", [](FileSystemOps& o) { o.flushFileBuffers = FailWithIoError; },
         Reason::SystemErrorInputOutput},
        {"close fails", [](FileSystemOps& o) { o.closeHandle = CloseThenFail; },
         Reason::SystemErrorInputOutput},
        {"move fails", [](FileSystemOps& o) { o.moveFile = FailMove; }, Reason::SystemErrorAcrossDevices},
        {"in place: cut fails", [](FileSystemOps& o) { o.setEndOfFile = FailCutOnce; },
         Reason::SystemErrorInputOutput},
    };
    const std::string path = PathOf("profile.csv");
    const std::string old = "Comment\r\n0, 1.000,  100.00\r\n";
    for (const Case& c : cases) {
        ASSERT_FALSE(WriteFileSafely(path, old));
        if (std::string_view(c.name).starts_with("in place")) {
            ::CreateHardLinkW(Wide(PathOf("hard.csv")).c_str(), Wide(path).c_str(), nullptr);
        }
        g_calls = 0;
        FileSystemOps ops = SystemFileSystem();
        c.change(ops);
        const MaybeRefusal refusal = WriteFileSafely(path, "new", ops);
        EXPECT_TRUE(Says(refusal, c.reason)) << c.name << (refusal ? refusal->message : "");
        EXPECT_EQ(ReadWholeFile(path, 100).bytes, old) << c.name;
        for (const std::string& name : Entries()) {
            EXPECT_FALSE(name.starts_with(".tessaroven-")) << c.name;
        }
    }
}

TEST_F(WindowsStorage, ASaveRemovesTheTemporaryFilesOfKilledSavesButNotOfLiveOnes) {
    ASSERT_FALSE(WriteFileSafely(PathOf(".tessaroven-Killed"), "left by a killed save"));
    const HANDLE live = ::CreateFileW(Wide(PathOf(".tessaroven-Living")).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(live, INVALID_HANDLE_VALUE);
    ASSERT_FALSE(WriteFileSafely(PathOf("profile.csv"), "x"));
    ::CloseHandle(live);
    EXPECT_EQ(Entries(), (std::vector<std::string>{".tessaroven-Living", "profile.csv"}));
}

}  // namespace
}  // namespace tessaroven
