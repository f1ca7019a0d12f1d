#include "guilib/panes/KGPTasksHistory.h"

#include <algorithm>

namespace kgp::tasks {

History::History(size_t limit) : m_limit(std::max<size_t>(1, limit)) {}

bool History::Visit(int page, int pageCount)
{
    if (page < 0 || page >= pageCount || page == CurrentPage())
        return false;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(m_current) + 1, m_entries.end());
    if (m_entries.size() >= m_limit) {
        m_entries.erase(m_entries.begin());
        --m_current;
    }
    m_entries.push_back(page);
    m_current = m_entries.size() - 1;
    return true;
}

bool History::MoveBy(int steps)
{
    const long target = std::clamp(static_cast<long>(m_current) + steps, 0L, static_cast<long>(m_entries.size()) - 1);
    if (static_cast<size_t>(target) == m_current)
        return false;
    m_current = static_cast<size_t>(target);
    return true;
}

std::vector<std::wstring> History::BackTexts(const std::vector<std::wstring>& names) const
{
    std::vector<std::wstring> texts;
    for (size_t i = m_current; i-- > 0;) {
        const int page = m_entries[i];
        texts.push_back(page >= 0 && static_cast<size_t>(page) < names.size() ? names[static_cast<size_t>(page)]
                                                                               : std::wstring());
    }
    return texts;
}

std::vector<std::wstring> History::ForwardTexts(const std::vector<std::wstring>& names) const
{
    std::vector<std::wstring> texts;
    for (size_t i = m_current + 1; i < m_entries.size(); ++i) {
        const int page = m_entries[i];
        texts.push_back(page >= 0 && static_cast<size_t>(page) < names.size() ? names[static_cast<size_t>(page)]
                                                                               : std::wstring());
    }
    return texts;
}

std::wstring WindowText(const CaptionFacts& facts, const std::wstring& paneCaption, const std::wstring& pageName)
{
    if (!facts.usesToolbar && !facts.isTab && !facts.inOtherFloatingFrame && facts.pageCount < 2)
        return pageName;
    return paneCaption;
}

}  // namespace kgp::tasks
