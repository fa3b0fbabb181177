// The os layer's fault hook of the test build: counts every descriptor operation and fails the
// ones that the armed faults name.
#include "support/osfaults.h"

#include <cerrno>

#include "src/os/osfile.h"

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

FaultDecision decide(Operation operation, int seekOrigin) {
    ++counters().operations;
    if (operation == Operation::Commit) ++counters().commits;
    OsFaults& armed = faults();
    const bool named = (armed.failKinds.load() & static_cast<unsigned>(operation)) != 0;
    if (armed.failOperation.load() > 0 && named && --armed.failOperation == 0) {
        return {true, operation == Operation::Write ? ENOSPC : EIO};
    }
    if (operation == Operation::Seek && seekOrigin == 2 && takeFault(armed.failingSeeksToEnd)) return {true, EIO};
    return {};
}

// Installed at start-up, before the first test opens a file.
const lrx::os::FaultHook previousHook = lrx::os::setFaultHook(decide);

}  // namespace

OsCounters& counters() {
    static OsCounters all;
    return all;
}

OsFaults& faults() {
    static OsFaults all;
    return all;
}

}  // namespace lrxtest
