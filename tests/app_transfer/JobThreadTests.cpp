// The job thread: jobs run one after the other on one thread that stays, Wait
// returns only once every job handed over has ended, and the owner going away
// still runs what it handed over.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "app/transfer/JobThread.h"

namespace {

TEST(JobThread, JobsRunInTurnOnOneThreadThatStaysAndWaitCoversEveryJob)
{
    CJobThread worker;
    worker.Wait();  // nothing handed over yet: no wait, no thread
    std::mutex mutex;
    std::vector<int> order;
    std::vector<std::thread::id> threads;
    std::atomic<bool> release{false};
    ASSERT_TRUE(worker.Run([&] {
        while (!release.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::lock_guard lock(mutex);
        order.push_back(1);
        threads.push_back(std::this_thread::get_id());
    }));
    for (int job = 2; job <= 4; ++job) {
        ASSERT_TRUE(worker.Run([&, job] {
            std::lock_guard lock(mutex);
            order.push_back(job);
            threads.push_back(std::this_thread::get_id());
        }));
    }
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        release = true;
    });
    worker.Wait();
    releaser.join();
    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4})) << "Wait returned before every job had ended";
    }
    // A job handed over after a wait runs on the same thread.
    ASSERT_TRUE(worker.Run([&] {
        std::lock_guard lock(mutex);
        threads.push_back(std::this_thread::get_id());
    }));
    worker.Wait();
    ASSERT_EQ(threads.size(), 5u);
    for (const std::thread::id& id : threads) {
        EXPECT_EQ(id, threads.front());
        EXPECT_NE(id, std::this_thread::get_id());
    }
}

TEST(JobThread, TheOwnerGoingAwayRunsTheJobsHandedOverFirst)
{
    std::atomic<int> ran{0};
    {
        CJobThread worker;
        for (int job = 0; job < 20; ++job) {
            ASSERT_TRUE(worker.Run([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                ++ran;
            }));
        }
    }
    EXPECT_EQ(ran.load(), 20);
}

} // namespace
