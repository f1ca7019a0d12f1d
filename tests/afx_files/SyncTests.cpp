#include "TestSupport.h"

#include <afxmt.h>

#include <atomic>
#include <thread>

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

TEST(Sync, CriticalSectionLockWithTimeOut)
{
    CCriticalSection section;
    {
        CSingleLock held(&section, TRUE);
        EXPECT_FALSE(OnAnotherThread([&] { return section.Lock(30); }));
    }
    EXPECT_TRUE(OnAnotherThread([&] {
        const BOOL taken = section.Lock(1000);
        if (taken)
            section.Unlock();
        return taken;
    }));
}

TEST(Sync, SingleLockReleasesWhenItGoesOutOfScope)
{
    CMutex mutex;
    {
        CSingleLock lock(&mutex);
        EXPECT_FALSE(lock.IsLocked());
        EXPECT_TRUE(lock.Lock());
        EXPECT_FALSE(OnAnotherThread([&] { return CSingleLock(&mutex).Lock(50); }));
    }
    EXPECT_TRUE(OnAnotherThread([&] { return CSingleLock(&mutex).Lock(1000); }));

    CSemaphore permits(1, 1);
    CSingleLock permit(&permits, TRUE);
    EXPECT_TRUE(permit.IsLocked());
    EXPECT_FALSE(permits.Lock(0));
    EXPECT_TRUE(permit.Unlock());
    EXPECT_FALSE(permit.IsLocked());
    EXPECT_TRUE(permits.Lock(0)); // the permit went back
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
    EXPECT_FALSE(all.IsLocked(2));

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
