// The converter's writes where POSIX permissions and the POSIX writer's calls decide them.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include <gtest/gtest.h>

#include "converter_test_support.h"
#include "storage/posix/safe_file_writer.h"

namespace tessaroven {
namespace {

using namespace converter_testing;

TEST(ConverterFile, read_only_folder_keeps_the_old_file) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser; the failing-disk case covers the same path";
    }
    TempFolder folder;
    const fs::path target = folder.path() / "profile.csv";
    WriteFile(target, "old content\r\n");
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const Outcome outcome = Convert(Concat({"--output", target.string()}, kExampleReadings));
    fs::permissions(folder.path(), fs::perms::owner_all);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(ReadFile(target), "old content\r\n");
    EXPECT_EQ(folder.Entries(), std::vector<fs::path>{"profile.csv"});
}

ssize_t WriteToFullDisk(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}

int RefuseToCreateReadOnly(char*) {
    errno = EROFS;
    return -1;
}

TEST(ConverterFile, failing_file_system_keeps_the_old_file_and_leaves_no_partial_file) {
    struct Case {
        const char* name;
        FileSystemOps ops;
    };
    FileSystemOps fullDisk = SystemFileSystem();
    fullDisk.write = WriteToFullDisk;
    FileSystemOps readOnlyDisk = SystemFileSystem();
    readOnlyDisk.makeTemp = RefuseToCreateReadOnly;

    for (const Case& c : {Case{"full disk", fullDisk}, Case{"read-only disk", readOnlyDisk}}) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const fs::path target = folder.path() / "profile.csv";
        WriteFile(target, "old content\r\n");
        ConverterEnvironment environment;
        environment.fileSystem = &c.ops;
        const Outcome outcome =
            Convert(Concat({"--output", target.string()}, kExampleReadings), "", environment);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.out, "");
        EXPECT_TRUE(outcome.err.starts_with("tessaroven-convert: ")) << outcome.err;
        EXPECT_EQ(ReadFile(target), "old content\r\n");
        EXPECT_EQ(folder.Entries(), std::vector<fs::path>{"profile.csv"});
    }
}

}  // namespace
}  // namespace tessaroven
