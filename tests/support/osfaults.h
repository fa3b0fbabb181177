// Fault injection of the test build: counts of the descriptor and stream operations that reached
// the os layer and of the allocations made, and faults that make chosen ones fail. The shipped
// library has neither; the hooks that keep them are installed into the os layer before any
// test runs, and the test program's operator new asks the same allocation fault.
#pragma once

#include <atomic>
#include <cstdint>

namespace lrxtest {

// Atomic, as files on different threads count into them.
struct OsCounters {
    std::atomic<uint64_t> commits{0};
    std::atomic<uint64_t> operations{0};   // every open, read, write, seek, commit and close
    std::atomic<uint64_t> allocations{0};  // every allocation of the library and every new
};
OsCounters& counters();

// Every kind of descriptor operation, as a mask of lrx::os::Operation bits.
constexpr unsigned kAllOperations = 63;

struct OsFaults {
    std::atomic<int> failingSeeksToEnd{0};  // the next n seeks relative to the end of a file fail
    // The failOperation-th operation from now among those in failKinds fails (1: the next
    // one); 0 switches this off. A failing write writes half of its bytes and then reports
    // that the disk is full (with shortWrites off it writes nothing); a failing read, seek,
    // commit or close moves nothing.
    std::atomic<int64_t> failOperation{0};
    std::atomic<unsigned> failKinds{kAllOperations};
    std::atomic<bool> shortWrites{true};
    // The failAllocation-th allocation from now fails (1: the next one); 0 switches this off.
    std::atomic<int64_t> failAllocation{0};
};
OsFaults& faults();

// Counts one allocation; true when it is the one armed to fail.
bool allocationFails();

}  // namespace lrxtest
