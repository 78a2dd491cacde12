#pragma once
// Counts, while switched on, the calls of the calling thread that a real-time
// audio callback must never make: heap allocations and frees (every malloc
// family entry, so operator new and the containers are included) and lock
// operations (mutexes, read-write locks, spin locks, semaphores and condition
// waits). The counting functions are interposed over the C library's in
// this test executable only; other threads are never counted.
//
// Sanitizer builds replace the allocator themselves, so there the counter is
// not available and the tests that need it skip.

namespace realtime {

struct CallCounts {
    long allocations = 0;
    long locks = 0;
};

bool callCounterAvailable();
void startCounting();       // on the calling thread
CallCounts stopCounting();  // what the calling thread did since startCounting

}  // namespace realtime
