// Safe writing: every failure leaves the old file as it was and no temporary file behind.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>

#include "messages/system_error_text.h"
#include "storage/posix/safe_file_writer.h"
#include "storage/storage.h"
#include "support/temp_folder.h"

namespace tessaroven {
namespace {

namespace fs = std::filesystem;

class SafeFileWriter : public testing::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        // Copies of old contents that cannot go beside their file go here, never into the real home.
        setenv("XDG_STATE_HOME", (m_folder + "-state").c_str(), 1);
    }
    void TearDown() override {
        TempFolderTest::TearDown();
        fs::remove_all(m_folder + "-state");
    }
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
    EXPECT_NE(refusal->message.find(SystemErrorText(ENOENT)), std::string::npos) << refusal->message;
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
    EXPECT_NE(refusal->message.find(SystemErrorText(ENAMETOOLONG)), std::string::npos);
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
        const std::string why = c.why ? std::string(MessageText(*c.why)) : SystemErrorText(c.error);
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

// `--output /dev/fd/N` with the shell's `>> all.csv` on N: written through that descriptor, appended, the
// file never replaced (a rename would drop what it held and leave the shell's descriptor on the old file).
TEST_F(SafeFileWriter, AFileHandedOpenIsWrittenThroughItsDescriptorAndKeepsWhatItHeld) {
    const std::string file = PathOf("all.csv");
    std::ofstream(file, std::ios::binary) << "earlier\n";
    struct stat before {};
    ASSERT_EQ(stat(file.c_str(), &before), 0);
    const int fd = open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    for (const std::string& name : {"/dev/fd/" + std::to_string(fd), "/proc/self/fd/" + std::to_string(fd)}) {
        EXPECT_FALSE(WriteFileSafely(name, "run\n")) << name;
    }
    close(fd);
    EXPECT_EQ(Contents(file), "earlier\nrun\nrun\n");
    struct stat after {};
    ASSERT_EQ(stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
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
int MakeNamedTemp(char* pathTemplate) {
    return mkostemp(pathTemplate, O_CLOEXEC);
}

TEST_F(SafeFileWriter, EveryFailingStepKeepsTheOldFileAndCleansUp) {
    struct Case {
        const char* name;
        FileSystemOps ops;
        int error;
    };
    const FileSystemOps real = SystemFileSystem();
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
    for (const bool named : {false, true}) {  // a temporary file without a name until the rename, or with one
        for (const Case& c : cases) {
            ASSERT_FALSE(WriteFileSafely(path, old));
            g_writeCalls = 0;
            FileSystemOps ops = c.ops;
            ops.makeTemp = named && ops.makeTemp == real.makeTemp ? MakeNamedTemp : ops.makeTemp;
            const MaybeRefusal refusal = WriteFileSafely(path, "new content that must not appear", ops);
            ASSERT_TRUE(refusal) << c.name;
            EXPECT_NE(refusal->message.find(SystemErrorText(c.error)), std::string::npos)
                << c.name << refusal->message;
            EXPECT_EQ(Contents(path), old) << c.name;
            EXPECT_EQ(Entries(), std::vector<std::string>{"profile.csv"}) << c.name << named;
        }
    }
}

TEST_F(SafeFileWriter, WritesInPlaceWhereARenameCannotBeDoneOrWouldDoHarm) {
    const std::string path = PathOf("profile.csv");
    struct stat before;
    struct stat after;
    ASSERT_FALSE(WriteFileSafely(path, "a longer old content\r\n"));
    ASSERT_EQ(stat(path.c_str(), &before), 0);

    // A folder that refuses new files while the file may be written.
    FileSystemOps noNewFiles = SystemFileSystem();
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
int g_targetFd = -1;  // the file written in place, as the writer opened it; flush and close fail only there
int OpenTarget(const char* path) {
    return g_targetFd = ::open(path, O_RDWR | O_CLOEXEC);
}
int FailTargetFsyncOnce(int fd) {
    return fd == g_targetFd ? g_targetFd = -1, FailFsync(fd) : ::fsync(fd);
}
int FailTargetClose(int fd) {
    return fd == g_targetFd ? FailClose(fd) : ::close(fd);
}
int FailCreate(const char*, mode_t) {
    return errno = EACCES, -1;
}

TEST_F(SafeFileWriter, AFailedInPlaceWritePutsTheOldContentsBack) {
    FileSystemOps inPlace = SystemFileSystem();
    inPlace.makeTemp = FailMakeTemp;
    inPlace.openExisting = OpenTarget;
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
        {"flush fails once", "new content\r\n", [](FileSystemOps& o) { o.fsync = FailTargetFsyncOnce; }, EIO},
        {"close fails", "new content\r\n", [](FileSystemOps& o) { o.close = FailTargetClose; }, EIO},
        {"no copy of the old contents", "new\r\n", [](FileSystemOps& o) { o.createNew = FailCreate; },
         EACCES},
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
        EXPECT_NE(refusal->message.find(SystemErrorText(c.error)), std::string::npos) << c.name;
        EXPECT_EQ(Contents(path), old) << c.name;
        EXPECT_EQ(Entries(), std::vector<std::string>{"profile.csv"}) << c.name;
    }
}

// A save killed at each of its file-system calls in turn, in a child process: on either path the file then
// holds the old or the new contents once it has been read (the in-place path's copy repairs a torn one), and
// the next save leaves neither a temporary file nor a copy behind.
int g_callsBeforeKill = 0;
void Step() {
    if (--g_callsBeforeKill == 0) {
        raise(SIGKILL);
    }
}
template <auto Call>
struct Killing;
template <class R, class... A, R (*FileSystemOps::*Call)(A...)>
struct Killing<Call> {
    static R Real(A... a) { return Step(), (SystemFileSystem().*Call)(a...); }
};
template <auto Call>
constexpr auto kKilling = Killing<Call>::Real;
using Ops = FileSystemOps;
ssize_t WriteInPieces(int fd, const void* data, size_t size) {  // so that kills land inside the contents
    return kKilling<&Ops::write>(fd, data, std::min<size_t>(size, 5));
}
ssize_t PwriteInPieces(int fd, const void* data, size_t size, off_t offset) {
    return kKilling<&Ops::pwrite>(fd, data, std::min<size_t>(size, 5), offset);
}
int MakeNamedTempKilling(char* pathTemplate) {
    return Step(), MakeNamedTemp(pathTemplate);
}
int CreateOutsideTheFolder(const char* path, mode_t mode) {  // the target's folder takes no new file
    return std::strstr(path, "/.") != nullptr ? FailCreate(path, mode)
                                              : kKilling<&Ops::createNew>(path, mode);
}

TEST_F(SafeFileWriter, AKilledSaveLeavesTheOldOrTheNewContents) {
    const Ops killing{kKilling<&Ops::makeTemp>,  WriteInPieces,
                      kKilling<&Ops::fchmod>,    kKilling<&Ops::fsync>,
                      kKilling<&Ops::close>,     kKilling<&Ops::rename>,
                      kKilling<&Ops::unlink>,    kKilling<&Ops::openExisting>,
                      kKilling<&Ops::pread>,     PwriteInPieces,
                      kKilling<&Ops::ftruncate>, kKilling<&Ops::createNew>,
                      kKilling<&Ops::link>};
    struct Kind {
        const char* name;
        bool inPlace;
        bool secondLink;  // the reason for the in-place path; without it, a folder that takes no new file
        void (*change)(FileSystemOps&);
    };
    const Kind kinds[] = {
        {"rename of an unnamed temporary file", false, false, [](FileSystemOps&) {}},
        {"rename of a named temporary file", false, false,
         [](FileSystemOps& o) { o.makeTemp = MakeNamedTempKilling; }},
        {"in place, copy beside", true, true, [](FileSystemOps&) {}},
        {"in place, copy in the state folder", true, false,
         [](FileSystemOps& o) {
             o.makeTemp = FailMakeTemp;
             o.createNew = CreateOutsideTheFolder;
         }},
    };
    const std::string path = PathOf("profile.csv");
    const std::string longer = "Comment\r\n0, 1.000,  100.00\r\n1, 0.950,  95.00\r\n",
                      shorter = "New\r\n0, 2,  100\r\n";
    for (const Kind& kind : kinds) {
        const bool secondLink = kind.secondLink;
        const std::string& old = secondLink ? longer : shorter;  // one shrinks, the other grows
        const std::string& bytes = secondLink ? shorter : longer;
        Ops ops = killing;
        kind.change(ops);
        int torn = 0;
        for (int calls = 1;; ++calls) {
            SCOPED_TRACE(std::string(kind.name) + ", killed at call " + std::to_string(calls));
            ASSERT_FALSE(WriteFileSafely(path, old));
            if (secondLink && !fs::exists(PathOf("link.csv"))) {
                ASSERT_EQ(link(path.c_str(), PathOf("link.csv").c_str()), 0);
            }
            const pid_t child = fork();
            if (child == 0) {
                g_callsBeforeKill = calls;
                _exit(WriteFileSafely(path, bytes, ops) ? 1 : 0);
            }
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            torn += Contents(path) != old && Contents(path) != bytes;
            // Every other time the next save, not a read, finds what the kill left.
            const std::string read = calls % 2 == 0 ? ReadWholeFile(path, 4096).bytes : old;
            EXPECT_TRUE(read == old || read == bytes) << read;
            ASSERT_FALSE(WriteFileSafely(path, old));
            EXPECT_EQ(Entries().size(), secondLink ? 2u : 1u) << "a temporary file or a copy was left";
            EXPECT_TRUE(!fs::exists(m_folder + "-state/tessaroven") ||
                        fs::is_empty(m_folder + "-state/tessaroven"));
            if (WIFEXITED(status)) {
                EXPECT_EQ(WEXITSTATUS(status), 0);
                break;
            }
        }
        EXPECT_EQ(torn > 0, kind.inPlace) << kind.name;  // the in-place path tears, and only it
        fs::remove(PathOf("link.csv"));
    }
}

// The temporary file of a save that is still running is locked; the clean-up leaves it, and every file not
// of the writer's own pattern or not of the user's.
TEST_F(SafeFileWriter, ASaveRemovesOnlyTheTemporaryFilesOfKilledSaves) {
    std::vector<std::string> kept = {".tessaroven-12345", ".tessaroven-Ab12Cd.csv", ".tessaroven-Live01",
                                     "profile.csv", "tessaroven-Ab12Cd"};
    if (geteuid() == 0) {  // only root can give a file to another user
        kept.insert(kept.begin() + 3, ".tessaroven-Other1");
    }
    for (const std::string& name : kept) {
        std::ofstream(PathOf(name)) << "part";
    }
    ASSERT_TRUE(geteuid() != 0 || chown(PathOf(".tessaroven-Other1").c_str(), 4321, 4321) == 0);
    std::ofstream(PathOf(".tessaroven-Ab12Cd")) << "part";
    const int running = open(PathOf(".tessaroven-Live01").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(running, LOCK_EX), 0);
    ASSERT_FALSE(WriteFileSafely(PathOf("profile.csv"), "x"));
    EXPECT_EQ(Entries(), kept);
    close(running);
    ASSERT_FALSE(WriteFileSafely(PathOf("profile.csv"), "y"));
    EXPECT_EQ(Entries().size(), kept.size() - 1);
}

// Two in-place saves of one file, the first slowed down: the second waits for it instead of writing through
// it, and a read meanwhile waits too and sees the first save's contents whole.
ssize_t SlowPwrite(int fd, const void* data, size_t size, off_t offset) {
    usleep(2000);
    return ::pwrite(fd, data, std::min<size_t>(size, 5), offset);
}

TEST_F(SafeFileWriter, TwoInPlaceSavesOfOneFileTakeTurns) {
    const std::string path = PathOf("profile.csv");
    ASSERT_FALSE(WriteFileSafely(path, "old\r\n"));
    ASSERT_EQ(link(path.c_str(), PathOf("link.csv").c_str()), 0);
    const std::string first(400, 'a'), second(100, 'b');
    const pid_t child = fork();
    if (child == 0) {
        FileSystemOps slow = SystemFileSystem();
        slow.pwrite = SlowPwrite;
        _exit(WriteFileSafely(path, first, slow) ? 1 : 0);
    }
    int status = 0;
    while (!fs::exists(PathOf(".profile.csv.tessaroven-old")) && waitpid(child, &status, WNOHANG) == 0) {
    }  // until the child is writing
    EXPECT_EQ(ReadWholeFile(path, 4096).bytes, first);
    EXPECT_FALSE(WriteFileSafely(path, second));
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(Contents(path), second);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"link.csv", "profile.csv"}));
}

}  // namespace
}  // namespace tessaroven
