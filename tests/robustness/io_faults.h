// File-system faults for the save path, injected below the program: this test executable defines mkostemp,
// open (for a temporary file without a name), write, fchmod, fsync, close and rename itself, so every call
// the writer makes (through the core's real SystemFileSystem) lands here first. Unarmed, each passes straight
// on to the C library; armed, the chosen call fails on the writer's temporary file (or on the rename to a
// ".csv" file) with the chosen error.
#pragma once

#include <cstddef>

namespace tessaroven::robustness {

enum class IoCall { MakeTemp, Write, Fchmod, Fsync, Close, Rename };

struct IoFault {
    IoCall call = IoCall::Write;
    int error = 0;
    std::size_t bytesBeforeFailure =
        0;                          // Write: this many bytes are written for real first (a disk filling up)
    bool writeReturnsZero = false;  // Write: the call reports 0 bytes written instead of an error
};

void ArmIoFault(const IoFault& fault);
void DisarmIoFault();

// How many calls failed because of an armed fault, and how many temporary files the writer created, since
// the last reset (the latter proves the interposed calls are the ones the program uses).
struct IoFaultCounts {
    int injected = 0;
    int temporaryFilesCreated = 0;
};
IoFaultCounts TakeIoFaultCounts();

}  // namespace tessaroven::robustness
