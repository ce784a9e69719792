// Safe writing: every failure leaves the old file as it was and no temporary file behind.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>

#include "files/csv.h"
#include "files/safe_file_writer.h"
#include "support/record_compare.h"

namespace tessaroven {
namespace {

namespace fs = std::filesystem;

class SafeFileWriter : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tessaroven-writer-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_folder = pattern;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string PathOf(const std::string& name) const { return m_folder + "/" + name; }

    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream buffer;
        buffer << in.rdbuf();
        return buffer.str();
    }

    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string m_folder;
};

TEST_F(SafeFileWriter, CreatesAndReplacesWholeFiles) {
    const std::string path = PathOf("profile.csv");
    ASSERT_FALSE(WriteFileSafely(path, "a much longer first content\r\n"));
    EXPECT_EQ(Contents(path), "a much longer first content\r\n");
    ASSERT_FALSE(WriteFileSafely(path, "short\r\n"));  // no tail of the old content remains
    EXPECT_EQ(Contents(path), "short\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"profile.csv"});
}

TEST_F(SafeFileWriter, NewFileGetsTheUsualPermissionsAndAReplacedFileKeepsItsOwn) {
    const std::string path = PathOf("mode.csv");
    const mode_t mask = umask(022);
    ASSERT_FALSE(WriteFileSafely(path, "x"));
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    ASSERT_FALSE(WriteFileSafely(path, "y"));
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    umask(mask);
}

TEST_F(SafeFileWriter, MissingFolderReportsTheSystemsText) {
    const std::string path = PathOf("no-such-folder/profile.csv");
    const MaybeRefusal refusal = WriteFileSafely(path, "x");
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->reason, Reason::FileWriteFailed);
    EXPECT_NE(refusal->message.find(path), std::string::npos);
    EXPECT_NE(refusal->message.find(std::strerror(ENOENT)), std::string::npos) << refusal->message;
    EXPECT_TRUE(Entries().empty());
}

TEST_F(SafeFileWriter, TargetThatIsAFolderIsRefusedAndKept) {
    fs::create_directory(PathOf("folder.csv"));
    const MaybeRefusal refusal = WriteFileSafely(PathOf("folder.csv"), "x");
    ASSERT_TRUE(refusal);
    EXPECT_TRUE(fs::is_directory(PathOf("folder.csv")));
    EXPECT_EQ(Entries(), std::vector<std::string>{"folder.csv"});
    EXPECT_TRUE(WriteFileSafely(PathOf("folder.csv/"), "x"));  // a name ending in a slash names no file
}

TEST_F(SafeFileWriter, OverlongNameIsRefused) {
    const MaybeRefusal refusal = WriteFileSafely(PathOf(std::string(300, 'n') + ".csv"), "x");
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->message.find(std::strerror(ENAMETOOLONG)), std::string::npos);
    EXPECT_TRUE(Entries().empty());
}

// Targets that are no plain file: a device or a pipe is written straight and stays what it was; the others,
// and links that must not be followed, are refused with the reason and change nothing.
TEST_F(SafeFileWriter, TargetsThatAreNoPlainFileAreWrittenStraightOrRefused) {
    const std::string shared = PathOf("shared"), path = shared + "/target";  // shared: sticky, like /tmp
    ASSERT_TRUE(mkdir(shared.c_str(), 0700) == 0 && chmod(shared.c_str(), 01777) == 0);
    struct Case {
        const char* name;
        mode_t kind;                // made with mknod, mkdir or symlink
        dev_t number;               // a device's numbers
        const char* linkTo;         // a link's text
        uid_t linkOwner;            // another user (root only), or 0: the writer
        int error;                  // the system error the message gives, or 0
        std::optional<Reason> why;  // the reason the message gives; with neither, the bytes are written
    };
    const Case cases[] = {
        {"named pipe", S_IFIFO, 0, nullptr, 0, 0, {}},
        {"full device", S_IFCHR, makedev(1, 7), nullptr, 0, ENOSPC, {}},
        {"block device", S_IFBLK, makedev(7, 0), nullptr, 0, 0, Reason::WriteTargetBlockDevice},
        {"socket", S_IFSOCK, 0, nullptr, 0, 0, Reason::WriteTargetSocket},
        {"folder", S_IFDIR, 0, nullptr, 0, 0, Reason::WriteTargetFolder},
        {"own link in a shared folder", S_IFLNK, 0, "../victim.csv", 0, 0, {}},
        {"link of another user there", S_IFLNK, 0, "../victim.csv", 4321, 0, Reason::WriteLinkUntrusted},
        {"dangling link", S_IFLNK, 0, "missing.csv", 0, 0, Reason::WriteLinkDangling},
        {"loop of links", S_IFLNK, 0, "target", 0, 0, Reason::WriteLinkLoop},  // the link's own name
    };
    const std::string bytes = "Comment\r\n0, 1.000,  100.00\r\n";
    const char* p = path.c_str();
    const std::size_t npos = std::string::npos;
    int skipped = 0;  // device nodes and another user's link need root
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(PathOf("victim.csv"), std::ios::binary) << "old";
        const bool made =
            c.linkTo != nullptr
                ? symlink(c.linkTo, p) == 0 && (c.linkOwner == 0 || lchown(p, c.linkOwner, 0) == 0)
                : (c.kind == S_IFDIR ? mkdir(p, 0700) : mknod(p, c.kind | 0600, c.number)) == 0;
        struct stat before, after;
        if (!made || lstat(p, &before) != 0) {
            fs::remove_all(path);
            ++skipped;
            continue;
        }
        // The pipe's reader is there before the writer comes, as in "cat pipe & program --output pipe".
        const int reader = S_ISFIFO(before.st_mode) ? open(p, O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
        const MaybeRefusal refusal = WriteFileSafely(path, bytes);
        std::string received(64, '\0');
        received.resize(std::max<ssize_t>(read(reader, received.data(), received.size()), 0));
        EXPECT_EQ(received, reader >= 0 ? bytes : "");
        close(reader);
        const std::string message = refusal ? refusal->message : "";
        const std::string_view why = c.why ? MessageText(*c.why) : std::strerror(c.error);
        EXPECT_EQ(!message.empty(), c.error != 0 || c.why) << message;
        EXPECT_TRUE(message.empty() ||
                    (IsMessageOf(Reason::FileWriteFailed, message) && message.find(path) != npos &&
                     message.find(why.substr(0, why.find('{'))) != npos))
            << message;
        ASSERT_EQ(lstat(p, &after), 0);
        EXPECT_EQ(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
        EXPECT_EQ(Contents(PathOf("victim.csv")), !refusal && S_ISLNK(before.st_mode) ? bytes : "old");
        fs::remove_all(path);
        EXPECT_TRUE(fs::is_empty(shared)) << "a temporary file was left";
    }
    if (skipped > 0) {
        GTEST_SKIP() << skipped << " of the cases need root";
    }
}

// Failing file-system calls, one at a time.
int g_writeCalls = 0;
ssize_t WriteHalfThenDiskFull(int fd, const void* data, size_t size) {
    if (g_writeCalls++ == 0) {
        return ::write(fd, data, size / 2);
    }
    errno = ENOSPC;
    return -1;
}
ssize_t WriteNothing(int, const void*, size_t) {
    return 0;
}
int FailFsync(int) {
    return errno = EIO, -1;
}
int FailClose(int fd) {
    return ::close(fd), errno = EIO, -1;
}
int FailRename(const char*, const char*) {
    return errno = EXDEV, -1;
}
int FailMakeTemp(char*) {
    return errno = EACCES, -1;
}
int FailMakeTempReadOnly(char*) {
    return errno = EROFS, -1;
}

TEST_F(SafeFileWriter, EveryFailingStepKeepsTheOldFileAndCleansUp) {
    struct Case {
        const char* name;
        FileSystemOps ops;
        int error;
    };
    const FileSystemOps real = PosixFileSystem();
    auto with = [&](auto change) {
        FileSystemOps ops = real;
        change(ops);
        return ops;
    };
    const Case cases[] = {
        {"read-only disk", with([](FileSystemOps& o) { o.makeTemp = FailMakeTempReadOnly; }), EROFS},
        {"disk full part way", with([](FileSystemOps& o) { o.write = WriteHalfThenDiskFull; }), ENOSPC},
        {"write makes no progress", with([](FileSystemOps& o) { o.write = WriteNothing; }), ENOSPC},
        {"flush fails", with([](FileSystemOps& o) { o.fsync = FailFsync; }), EIO},
        {"close fails", with([](FileSystemOps& o) { o.close = FailClose; }), EIO},
        {"rename fails", with([](FileSystemOps& o) { o.rename = FailRename; }), EXDEV},
    };
    const std::string path = PathOf("profile.csv");
    const std::string old = "Comment\r\n0, 1.000,  100.00\r\n";
    for (const Case& c : cases) {
        ASSERT_FALSE(WriteFileSafely(path, old));
        g_writeCalls = 0;
        const MaybeRefusal refusal = WriteFileSafely(path, "new content that must not appear", c.ops);
        ASSERT_TRUE(refusal) << c.name;
        EXPECT_NE(refusal->message.find(std::strerror(c.error)), std::string::npos)
            << c.name << refusal->message;
        EXPECT_EQ(Contents(path), old) << c.name;
        EXPECT_EQ(Entries(), std::vector<std::string>{"profile.csv"}) << c.name;
    }
}

TEST_F(SafeFileWriter, WritesInPlaceWhereARenameCannotBeDoneOrWouldDoHarm) {
    const std::string path = PathOf("profile.csv");
    struct stat before;
    struct stat after;
    ASSERT_FALSE(WriteFileSafely(path, "a longer old content\r\n"));
    ASSERT_EQ(stat(path.c_str(), &before), 0);

    // A folder that refuses new files while the file may be written.
    FileSystemOps noNewFiles = PosixFileSystem();
    noNewFiles.makeTemp = FailMakeTemp;
    ASSERT_FALSE(WriteFileSafely(path, "short\r\n", noNewFiles));
    EXPECT_EQ(Contents(path), "short\r\n");

    // A second hard link sees the new contents.
    ASSERT_EQ(link(path.c_str(), PathOf("link.csv").c_str()), 0);
    ASSERT_FALSE(WriteFileSafely(path, "linked\r\n"));
    EXPECT_EQ(Contents(PathOf("link.csv")), "linked\r\n");
    ASSERT_EQ(unlink(PathOf("link.csv").c_str()), 0);

    // A file of another user keeps its owner (only root can hand a file to another user).
    if (geteuid() == 0) {
        ASSERT_EQ(chown(path.c_str(), 4321, 4321), 0);
        ASSERT_FALSE(WriteFileSafely(path, "owned\r\n"));
        ASSERT_EQ(stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_uid, 4321u);
        EXPECT_EQ(Contents(path), "owned\r\n");
    }
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(Entries(), std::vector<std::string>{"profile.csv"});
}

// In-place failures: the disk fills up part way once (the old bytes, which fit, go back), or a later step
// fails.
int g_pwriteCalls = 0;
ssize_t PwriteHalfThenDiskFullOnce(int fd, const void* data, size_t size, off_t offset) {
    ++g_pwriteCalls;
    if (g_pwriteCalls == 1) {
        return ::pwrite(fd, data, size / 2, offset);
    }
    if (g_pwriteCalls == 2) {
        return errno = ENOSPC, -1;
    }
    return ::pwrite(fd, data, size, offset);
}
int FailFtruncate(int, off_t) {
    return errno = EIO, -1;
}

TEST_F(SafeFileWriter, AFailedInPlaceWritePutsTheOldContentsBack) {
    FileSystemOps inPlace = PosixFileSystem();
    inPlace.makeTemp = FailMakeTemp;
    struct Case {
        const char* name;
        const char* bytes;
        void (*change)(FileSystemOps&);
        int error;
    };
    const Case cases[] = {
        {"disk full part way", "a new content longer than the old one\r\n",
         [](FileSystemOps& o) { o.pwrite = PwriteHalfThenDiskFullOnce; }, ENOSPC},
        {"truncation fails", "new\r\n", [](FileSystemOps& o) { o.ftruncate = FailFtruncate; }, EIO},
        {"flush fails", "new content\r\n", [](FileSystemOps& o) { o.fsync = FailFsync; }, EIO},
        {"close fails", "new content\r\n", [](FileSystemOps& o) { o.close = FailClose; }, EIO},
    };
    const std::string path = PathOf("profile.csv");
    const std::string old = "Comment\r\n0, 1.000,  100.00\r\n";
    for (const Case& c : cases) {
        ASSERT_FALSE(WriteFileSafely(path, old));
        FileSystemOps ops = inPlace;
        c.change(ops);
        g_pwriteCalls = 0;
        const MaybeRefusal refusal = WriteFileSafely(path, c.bytes, ops);
        ASSERT_TRUE(refusal) << c.name;
        EXPECT_NE(refusal->message.find(std::strerror(c.error)), std::string::npos) << c.name;
        EXPECT_EQ(Contents(path), old) << c.name;
        EXPECT_EQ(Entries(), std::vector<std::string>{"profile.csv"}) << c.name;
    }
}

TEST_F(SafeFileWriter, SaveStoresTheFileLinesInTheRecordOnlyWhenTheWriteSucceeded) {
    MeasurementRecord record = testing::RecordWithProfile({2.468, 2.2});
    record.relativePercent[0] = 100;
    record.relativePercent[1] = 89.141;
    record.resultLines[0] = "list line";
    const MeasurementRecord before = record;

    FileSystemOps failing = PosixFileSystem();
    failing.rename = FailRename;
    ASSERT_TRUE(SaveCsvFile(PathOf("p.csv"), "Comment", record, failing));
    EXPECT_TRUE(testing::SameRecord(record, before));
    ASSERT_TRUE(SaveCsvFile(PathOf("p.csv"), "한", record));
    EXPECT_TRUE(testing::SameRecord(record, before));
    EXPECT_TRUE(Entries().empty());

    ASSERT_FALSE(SaveCsvFile(PathOf("p.csv"), "Comment", record));
    EXPECT_EQ(record.resultLines[0], "0, 2.468,  100.00");
    EXPECT_EQ(record.resultLines[1], "1, 2.200,  89.14");
    EXPECT_EQ(Contents(PathOf("p.csv")), "Comment\r\n0, 2.468,  100.00\r\n1, 2.200,  89.14\r\n");
}

}  // namespace
}  // namespace tessaroven
