// The tasks pane's page history as plain C++ with no Windows header: the
// pages visited (at most ten, the oldest dropped), back, forward, home and
// jumps from the history menus, the texts those menus list, and the rule
// for the pane's window text. Page indexes outside the pane's pages are
// refused: a menu that was closed without a choice gives -1.
#pragma once

#include <string>
#include <vector>

namespace kgp::tasks {

class History {
public:
    static constexpr size_t kDefaultLimit = 10;

    explicit History(size_t limit = kDefaultLimit);

    // The page now shown.
    int CurrentPage() const { return m_entries[m_current]; }
    size_t CurrentIndex() const { return m_current; }
    const std::vector<int>& Entries() const { return m_entries; }
    bool CanGoBack() const { return m_current > 0; }
    bool CanGoForward() const { return m_current + 1 < m_entries.size(); }

    // Shows a page of the pageCount pages: the entries after the current one
    // go, the oldest goes when the history is full, the page is appended and
    // current. False (nothing changed) for the current page or an index
    // outside 0..pageCount-1.
    bool Visit(int page, int pageCount);
    // One entry back or forward; false at either end.
    bool GoBack() { return MoveBy(-1); }
    bool GoForward() { return MoveBy(1); }
    // Back (negative) or forward by steps entries, held to the history;
    // false when it stays.
    bool MoveBy(int steps);
    // Page 0, unless it is current.
    bool GoHome(int pageCount) { return Visit(0, pageCount); }

    // The names of the pages before the current entry, most recent first,
    // and of those after it in order (names by page index).
    std::vector<std::wstring> BackTexts(const std::vector<std::wstring>& names) const;
    std::vector<std::wstring> ForwardTexts(const std::vector<std::wstring>& names) const;

private:
    std::vector<int> m_entries{0};
    size_t m_current = 0;
    size_t m_limit;
};

// Where the pane stands, for its window text.
struct CaptionFacts {
    bool usesToolbar = false;
    bool isTab = false;                 // a tab of a tabbed pane
    bool inOtherFloatingFrame = false;  // floating in a frame not its own kind
    int pageCount = 1;
};

// The window text: the page's name only without the toolbar, neither a tab
// nor floating in another frame, with fewer than two pages; else the pane's
// caption.
std::wstring WindowText(const CaptionFacts& facts, const std::wstring& paneCaption, const std::wstring& pageName);

// Whether the back, forward and pages buttons of a caption are shown.
inline bool ShowsNavigationButtons(bool usesToolbar, int pageCount)
{
    return !usesToolbar && pageCount > 1;
}

}  // namespace kgp::tasks
