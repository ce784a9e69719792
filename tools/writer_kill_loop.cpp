// Measures the safe writer against killed and concurrent saves, for docs/robustness.md; not run by the tests.
//
//   tessaroven_writer_kill_loop [FOLDER] [KILLS] [PAIRS]
//
// Random kills: a child process saves new contents over a file and is killed with SIGKILL after a random
// delay within the save's usual duration, on four paths: the rename of a temporary file without a name, the
// rename of a named one, the in-place write (the file has a second hard link), and the in-place write with
// its overwrite slowed down so that many more kills tear the file. For each kill the file is checked before
// any repair (torn: neither the old nor the new contents), after a read (which repairs; every other round, so
// that in the other rounds the next save has to), and after the next save, which must leave no temporary file
// and no copy in the folder. Concurrent pairs: two children save different contents in place into one file at
// the same moment; the file must then hold one of the two whole.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "storage/posix/safe_file_writer.h"
#include "storage/storage.h"

namespace {

namespace fs = std::filesystem;
using tessaroven::FileSystemOps;

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

int CountLeftOvers(const std::string& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        count += entry.path().filename().string().find("tessaroven-") != std::string::npos;
    }
    return count;
}

int MakeNamedTemp(char* pathTemplate) {
    return mkostemp(pathTemplate, O_CLOEXEC);
}

// The in-place write's overwrite spread out (16 KiB at a time, 0.2 ms apart), so that more kills land inside
// it and tear the file.
ssize_t SlowPwrite(int fd, const void* data, size_t size, off_t offset) {
    usleep(200);
    return pwrite(fd, data, std::min<size_t>(size, 16384), offset);
}

// Saves bytes to path in a child; the child's pid.
pid_t SaveInChild(const std::string& path, const std::string& bytes, const FileSystemOps& ops) {
    const pid_t child = fork();
    if (child == 0) {
        _exit(tessaroven::WriteFileSafely(path, bytes, ops) ? 1 : 0);
    }
    return child;
}

struct KillFigures {
    int kills = 0;             // children killed before they finished
    int tornBeforeRepair = 0;  // neither old nor new, as the kill left it
    int leftOversBeforeSave = 0;
    int tornAfterRead = 0;
    int leftOversAfterSave = 0;
    double saveMilliseconds = 0;
};

KillFigures KillLoop(const std::string& folder, int rounds, bool inPlace, const FileSystemOps& ops) {
    const std::string path = folder + "/profile.csv";
    const std::string old(1 << 20, 'o');
    const std::string bytes = std::string(3 << 18, 'n') + "\n";
    KillFigures figures;
    tessaroven::WriteFileSafely(path, old);
    if (inPlace) {
        fs::create_hard_link(path, folder + "/link.csv");
    }
    // The usual duration of a save, from the fork to the child's end.
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i) {
        waitpid(SaveInChild(path, i % 2 == 0 ? bytes : old, ops), nullptr, 0);
    }
    const std::chrono::duration<double> usual = (std::chrono::steady_clock::now() - start) / 10;
    figures.saveMilliseconds = usual.count() * 1000;
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> delay(0, usual.count());
    for (int round = 0; round < rounds; ++round) {
        tessaroven::WriteFileSafely(path, old);
        const pid_t child = SaveInChild(path, bytes, ops);
        std::this_thread::sleep_for(std::chrono::duration<double>(delay(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        figures.kills += WIFSIGNALED(status);
        const std::string left = Contents(path);
        figures.tornBeforeRepair += left != old && left != bytes;
        figures.leftOversBeforeSave += CountLeftOvers(folder);
        if (round % 2 == 0) {  // else the next save finds what the kill left
            const std::string read = tessaroven::ReadWholeFile(path, 4 << 20).bytes;
            figures.tornAfterRead += read != old && read != bytes;
        }
        tessaroven::WriteFileSafely(path, old);
        figures.leftOversAfterSave += CountLeftOvers(folder);
    }
    fs::remove(folder + "/link.csv");
    return figures;
}

// Pairs of in-place saves started together; how many left the file not holding one of the two whole.
int ConcurrentPairs(const std::string& folder, int pairs) {
    const std::string path = folder + "/shared.csv";
    const std::string first(300000, 'a');
    const std::string second(200000, 'b');
    tessaroven::WriteFileSafely(path, "old");
    fs::create_hard_link(path, folder + "/shared-link.csv");
    int mixed = 0;
    for (int pair = 0; pair < pairs; ++pair) {
        const pid_t one = SaveInChild(path, first, tessaroven::SystemFileSystem());
        const pid_t other = SaveInChild(path, second, tessaroven::SystemFileSystem());
        int statusOne = 0;
        int statusOther = 0;
        waitpid(one, &statusOne, 0);
        waitpid(other, &statusOther, 0);
        const std::string now = Contents(path);
        mixed += (now != first && now != second) || statusOne != 0 || statusOther != 0;
    }
    return mixed;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : fs::temp_directory_path().string() + "/writer-kill-loop";
    const int kills = argc > 2 ? std::atoi(argv[2]) : 200;
    const int pairs = argc > 3 ? std::atoi(argv[3]) : 100;
    fs::remove_all(folder);
    fs::create_directories(folder);
    FileSystemOps named = tessaroven::SystemFileSystem();
    named.makeTemp = MakeNamedTemp;
    FileSystemOps slow = tessaroven::SystemFileSystem();
    slow.pwrite = SlowPwrite;
    struct Path {
        const char* name;
        bool inPlace;
        const FileSystemOps& ops;
    };
    for (const Path& path : {Path{"rename, unnamed temporary", false, tessaroven::SystemFileSystem()},
                             Path{"rename, named temporary", false, named},
                             Path{"in place", true, tessaroven::SystemFileSystem()},
                             Path{"in place, overwrite slowed", true, slow}}) {
        const KillFigures f = KillLoop(folder, kills, path.inPlace, path.ops);
        std::printf(
            "%-26s save %.1f ms, %d of %d killed: torn %d, left-overs %d before the next save; "
            "after a read torn %d; after the next save left-overs %d\n",
            path.name, f.saveMilliseconds, f.kills, kills, f.tornBeforeRepair, f.leftOversBeforeSave,
            f.tornAfterRead, f.leftOversAfterSave);
    }
    std::printf("concurrent in-place pairs: %d of %d not one whole file\n", ConcurrentPairs(folder, pairs),
                pairs);
    fs::remove_all(folder);
    return 0;
}
