// The os layer's fault hooks of the test build: count every descriptor operation and allocation
// and fail the ones that the armed faults name.
#include "support/osfaults.h"

#include <cerrno>

#include "src/os/osfile.h"
#include "src/os/osmemory.h"

namespace lrxtest {

namespace {

using lrx::os::FaultDecision;
using lrx::os::Operation;

// Takes one armed fault when any is left; the count never goes below 0, also when threads
// race for the last one.
bool takeFault(std::atomic<int>& left) {
    int now = left.load();
    while (now > 0) {
        if (left.compare_exchange_weak(now, now - 1)) return true;
    }
    return false;
}

// True when the countdown was armed and reaches 0 with this call.
bool countDown(std::atomic<int64_t>& armed) {
    return armed.load() > 0 && --armed == 0;
}

FaultDecision decide(Operation operation, int seekOrigin) {
    ++counters().operations;
    if (operation == Operation::Commit) ++counters().commits;
    OsFaults& armed = faults();
    const bool named = (armed.failKinds.load() & static_cast<unsigned>(operation)) != 0;
    if (named && countDown(armed.failOperation)) {
        if (operation == Operation::Write) return {true, ENOSPC, armed.shortWrites.load()};
        return {true, EIO};
    }
    if (operation == Operation::Seek && seekOrigin == 2 && takeFault(armed.failingSeeksToEnd)) return {true, EIO};
    return {};
}

// Installed at start-up, before the first test opens a file.
const lrx::os::FaultHook previousHook = lrx::os::setFaultHook(decide);
const lrx::os::AllocationHook previousAllocationHook = lrx::os::setAllocationHook(allocationFails);

}  // namespace

OsCounters& counters() {
    static OsCounters all;
    return all;
}

OsFaults& faults() {
    static OsFaults all;
    return all;
}

bool allocationFails() {
    ++counters().allocations;
    return countDown(faults().failAllocation);
}

}  // namespace lrxtest
