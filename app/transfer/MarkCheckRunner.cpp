#include "app/transfer/MarkCheckRunner.h"

#include <windows.h>

#include <atomic>
#include <mutex>

struct CMarkCheckRunner::Shared {
    HWND notify = nullptr;
    UINT message = 0;
    unsigned generation = 0;
    std::atomic<bool> cancel{false};

    std::mutex mutex;
    std::vector<MarkCheckResult> results;
    bool done = false;
    bool wakePosted = false;  // a wake is on its way: no other is needed

    // Stores under the lock; posts a wake when none is on its way.
    template <class Store>
    void Deliver(Store store)
    {
        bool post = false;
        {
            std::lock_guard lock(mutex);
            store();
            post = !wakePosted;
            wakePosted = true;
        }
        if (post)
            ::PostMessageW(notify, message, static_cast<WPARAM>(generation), 0);
    }
};

CMarkCheckRunner::~CMarkCheckRunner()
{
    CancelAndJoin();
}

bool CMarkCheckRunner::Start(HWND notify, UINT message, std::vector<MarkCheckItem> items, Check check)
{
    CancelAndJoin();
    auto shared = std::make_shared<Shared>();
    shared->notify = notify;
    shared->message = message;
    shared->generation = ++m_generation;
    if (!m_worker.Run([shared, items = std::move(items), check = std::move(check)] { Work(shared, items, check); }))
        return false;
    m_shared = std::move(shared);
    return true;
}

void CMarkCheckRunner::CancelAndJoin()
{
    if (m_shared)
        m_shared->cancel.store(true);
    m_worker.Wait();
    m_shared.reset();
}

std::vector<MarkCheckResult> CMarkCheckRunner::TakeResults(unsigned generation, bool& finished)
{
    finished = false;
    std::vector<MarkCheckResult> taken;
    if (!m_shared || generation != m_shared->generation)
        return taken;
    {
        std::lock_guard lock(m_shared->mutex);
        taken.swap(m_shared->results);
        m_shared->wakePosted = false;
        finished = m_shared->done;
    }
    if (finished) {
        m_worker.Wait();  // it has delivered its last result and is ending
        m_shared.reset();
    }
    return taken;
}

void CMarkCheckRunner::Work(const std::shared_ptr<Shared>& shared, const std::vector<MarkCheckItem>& items,
                            const Check& check)
{
    for (const MarkCheckItem& item : items) {
        if (shared->cancel.load())
            return;
        const bool passed = check && check(item.file);
        shared->Deliver([&] { shared->results.push_back({item.index, passed}); });
    }
    shared->Deliver([&] { shared->done = true; });
}
