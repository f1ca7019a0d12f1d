#include "core/link/MessageQueue.h"

#include <algorithm>

#include "core/sync/ExclusiveLock.h"

void CMessageQueue::Push(Message message)
{
    {
        CExclusiveLock lock(m_lock);
        if (m_messages.size() >= m_maxMessages)
            m_messages.pop_front();
        m_messages.push_back(std::move(message));
    }
    WakeConditionVariable(&m_arrived);
}

std::optional<CMessageQueue::Message> CMessageQueue::Pop(std::chrono::milliseconds timeout)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::max(timeout, std::chrono::milliseconds(0));
    CExclusiveLock lock(m_lock);
    while (m_messages.empty()) {
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero())
            return std::nullopt;
        // Rounded up, so that a wait never ends a little before its time.
        const auto leftMs = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        SleepConditionVariableSRW(&m_arrived, &m_lock, static_cast<DWORD>(leftMs), 0);
    }
    Message message = std::move(m_messages.front());
    m_messages.pop_front();
    return message;
}

void CMessageQueue::Clear()
{
    CExclusiveLock lock(m_lock);
    m_messages.clear();
}

std::size_t CMessageQueue::Size() const
{
    CExclusiveLock lock(m_lock);
    return m_messages.size();
}
