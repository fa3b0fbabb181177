// Sweeps of failing operations over a scenario: the k-th operation of one kind fails, for every
// k that the scenario reaches, and what each run left behind is checked. The kinds are those of
// the os layer's descriptor and stream calls (a write either short or refused outright, as a
// disk that is full part way or from the start) and allocations.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "src/os/osfile.h"
#include "support/osfaults.h"
#include "support/tempfiles.h"

namespace lrxtest {

enum class Fault { Open, Read, ShortWrite, NoSpace, Seek, Commit, Close, Allocation };

inline constexpr Fault kSystemCallFaults[] = {Fault::Open, Fault::Read,   Fault::ShortWrite, Fault::NoSpace,
                                              Fault::Seek, Fault::Commit, Fault::Close};

inline const char* faultName(Fault fault) {
    switch (fault) {
        case Fault::Open: return "open";
        case Fault::Read: return "read";
        case Fault::ShortWrite: return "short write";
        case Fault::NoSpace: return "no space";
        case Fault::Seek: return "seek";
        case Fault::Commit: return "commit";
        case Fault::Close: return "close";
        case Fault::Allocation: return "allocation";
    }
    return "?";
}

// Arms the k-th operation of the kind (1: the next one) to fail while it lives.
class ArmedFault {
public:
    ArmedFault(Fault fault, int64_t k) : fault_(fault) {
        OsFaults& armed = faults();
        if (fault == Fault::Allocation) {
            armed.failAllocation = k;
            return;
        }
        armed.failKinds = static_cast<unsigned>(operationOf(fault));
        armed.shortWrites = fault != Fault::NoSpace;
        armed.failOperation = k;
    }
    ~ArmedFault() {
        OsFaults& armed = faults();
        armed.failAllocation = 0;
        armed.failOperation = 0;
        armed.failKinds = kAllOperations;
        armed.shortWrites = true;
    }
    ArmedFault(const ArmedFault&) = delete;
    ArmedFault& operator=(const ArmedFault&) = delete;

    // True once the armed operation has been reached and made to fail.
    bool fired() const {
        return (fault_ == Fault::Allocation ? faults().failAllocation.load() : faults().failOperation.load()) == 0;
    }

private:
    static lrx::os::Operation operationOf(Fault fault) {
        using lrx::os::Operation;
        switch (fault) {
            case Fault::Open: return Operation::Open;
            case Fault::Read: return Operation::Read;
            case Fault::Seek: return Operation::Seek;
            case Fault::Commit: return Operation::Commit;
            case Fault::Close: return Operation::Close;
            default: return Operation::Write;
        }
    }

    Fault fault_;
};

struct SweepTally {
    int64_t points = 0;      // runs in which the armed operation was reached
    int64_t failedRuns = 0;  // of these, runs in which some call reported a failure
};

// Runs `run` (true when every call it made reported success) once per k, with the k-th
// operation of the kind failing, until a run no longer reaches it; after each run that reached
// it, `check(k, succeeded)` looks at what the run left, with nothing armed. A run should make no
// allocation of its own while armed: the one that fails may be any allocation.
template <typename Run, typename Check>
SweepTally sweepFault(Fault fault, Run&& run, Check&& check, int64_t limit = 1000000) {
    SweepTally tally;
    for (int64_t k = 1; k <= limit; ++k) {
        bool succeeded = false;
        {
            const ArmedFault armed(fault, k);
            succeeded = run();
            if (!armed.fired()) break;
        }
        ++tally.points;
        if (!succeeded) ++tally.failedRuns;
        check(k, succeeded);
    }
    return tally;
}

// What every run must leave alone: files closed before the sweep, byte for byte, and the
// descriptors of the process.
class LeftAlone {
public:
    // Keeps the file's bytes as they are now; call once the files are written.
    void keep(const std::string& path) { files_.emplace_back(path, readBytes(path)); }
    // Counts the descriptors open now.
    void countDescriptors() { descriptors_ = openDescriptors(); }

    void check(const char* scenario, Fault fault, int64_t k) const {
        for (const auto& [path, bytes] : files_)
            EXPECT_EQ(readBytes(path), bytes) << scenario << ": " << faultName(fault) << " " << k << " changed " << path;
        ASSERT_EQ(openDescriptors(), descriptors_) << scenario << ": " << faultName(fault) << " " << k;
    }

private:
    std::vector<std::pair<std::string, Bytes>> files_;
    int descriptors_ = 0;
};

// A sweep over one file: the file as written before the sweep, a copy of it that no run may
// touch, and after each run the check of what it had to leave alone and the file put back.
class OneFileSweep : public ::testing::Test {
protected:
    OneFileSweep(const char* name, const char* bystanderName)
        : path(dir.path(name)), bystander(dir.path(bystanderName)) {}

    // Call once the file at `path` is written as every run should find it.
    void keepWritten() {
        written = readBytes(path);
        writeBytes(bystander, written);
        leftAlone.keep(bystander);
        leftAlone.countDescriptors();
    }

    // What the run had to leave alone is as it was; the next run gets its start.
    void checkLeftovers(const char* scenario, Fault fault, int64_t k) {
        leftAlone.check(scenario, fault, k);
        writeBytes(path, written);
    }

    TempDir dir;
    const std::string path;
    const std::string bystander;
    Bytes written;
    LeftAlone leftAlone;
};

// One line of the sweep's figures in the test output.
inline void printTally(const char* scenario, Fault fault, const SweepTally& tally) {
    std::printf("[ sweep    ] %-16s %-11s %6lld points, %6lld failed runs\n", scenario, faultName(fault),
                static_cast<long long>(tally.points), static_cast<long long>(tally.failedRuns));
}

}  // namespace lrxtest
