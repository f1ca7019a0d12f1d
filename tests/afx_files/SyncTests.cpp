#include "TestSupport.h"

#include <afxmt.h>

#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

// What attempt() answers when run on a thread of its own (locks are per thread).
template <class Attempt>
BOOL OnAnotherThread(Attempt attempt)
{
    BOOL result = FALSE;
    std::thread other([&] { result = attempt(); });
    other.join();
    return result;
}

} // namespace

TEST(Sync, CriticalSectionSerialisesIncrementsAcrossThreads)
{
    CCriticalSection section;
    long counter = 0;
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) {
                CSingleLock lock(&section, TRUE);
                // A read-modify-write that loses updates without the lock.
                const long seen = counter;
                if ((i & 1023) == 0)
                    std::this_thread::yield();
                counter = seen + 1;
            }
        });
    }
    for (auto& worker : workers)
        worker.join();
    EXPECT_EQ(80000, counter);
}

TEST(Sync, SingleLockReleasesWhenItGoesOutOfScope)
{
    CMutex mutex;
    {
        CSingleLock lock(&mutex);
        EXPECT_FALSE(lock.IsLocked());
        EXPECT_TRUE(lock.Lock());
        EXPECT_TRUE(lock.IsLocked());
    }
    // Another thread can take it now.
    EXPECT_TRUE(OnAnotherThread([&] { return CSingleLock(&mutex).Lock(1000); }));
}

TEST(Sync, HeldMutexTimesOutForOtherThreads)
{
    CMutex mutex(TRUE); // owned by this thread
    EXPECT_FALSE(OnAnotherThread([&] { return CSingleLock(&mutex).Lock(50); }));
    mutex.Unlock();
}

TEST(Sync, CriticalSectionLockWithTimeOut)
{
    CCriticalSection section;
    section.Lock();
    EXPECT_FALSE(OnAnotherThread([&] { return section.Lock(30); }));
    section.Unlock();
    EXPECT_TRUE(OnAnotherThread([&] {
        const BOOL taken = section.Lock(1000);
        if (taken)
            section.Unlock();
        return taken;
    }));
}

TEST(Sync, EventWakesAWaitingThread)
{
    CEvent ready(FALSE, TRUE); // manual reset
    std::atomic<bool> woke{false};
    std::thread waiter([&] {
        CSingleLock lock(&ready);
        woke = lock.Lock(5000) != FALSE;
    });
    ready.SetEvent();
    waiter.join();
    EXPECT_TRUE(woke);
    EXPECT_TRUE(ready.Lock(0)); // still set
    ready.ResetEvent();
    EXPECT_FALSE(ready.Lock(0));
}

TEST(Sync, SemaphoreCountsPermits)
{
    CSemaphore permits(2, 2);
    EXPECT_TRUE(permits.Lock(0));
    EXPECT_TRUE(permits.Lock(0));
    EXPECT_FALSE(permits.Lock(0));
    LONG previous = -1;
    EXPECT_TRUE(permits.Unlock(2, &previous));
    EXPECT_EQ(0, previous);
    CSingleLock lock(&permits, TRUE);
    EXPECT_TRUE(lock.IsLocked());
    EXPECT_TRUE(lock.Unlock());
    EXPECT_FALSE(lock.IsLocked());
}

TEST(Sync, MultiLockWaitsForAnyOrAll)
{
    CEvent first;
    CEvent second;
    CSyncObject* objects[] = {&first, &second};
    {
        CMultiLock lock(objects, 2);
        EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), lock.Lock(0, FALSE));
        std::thread setter([&] { second.SetEvent(); });
        EXPECT_EQ(WAIT_OBJECT_0 + 1, lock.Lock(5000, FALSE));
        setter.join();
        EXPECT_TRUE(lock.IsLocked(1));
        EXPECT_FALSE(lock.IsLocked(0));
    }
    first.SetEvent();
    second.SetEvent();
    CMultiLock all(objects, 2);
    EXPECT_EQ(WAIT_OBJECT_0, all.Lock(1000, TRUE));
    EXPECT_TRUE(all.IsLocked(0));
    EXPECT_TRUE(all.IsLocked(1));

    // A critical section has no handle to wait on.
    CCriticalSection section;
    CSyncObject* withSection[] = {&first, &section};
    bool refused = false;
    try {
        CMultiLock bad(withSection, 2);
    } catch (CInvalidArgException* e) {
        refused = true;
        e->Delete();
    }
    EXPECT_TRUE(refused);
}
