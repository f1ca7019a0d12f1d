// The readers of tab windows' and tabbed panes' stored state, for the
// mutation test: a tab window's tab list (held until its panes are taken
// back), and a tabbed pane's record with its tab list, read as one load.
#include "tests/guilib_state/TabStateReaders.h"

#include <gtest/gtest.h>

#include "guilib/core/KGPStoredState.h"
#include "guilib/docking/KGPTabbedControlBar.h"
#include "guilib/tabs/KGPTabWnd.h"
#include "tests/support/ArchiveBytes.h"

#include <afxarch.h>

#include <sstream>

namespace stored_state_test {

namespace {

using keyloft_test::StoredBytes;

constexpr UINT kFirstPageId = 0x3200;

void DescribeRestored(std::ostream& out, const CKGPBaseTabWnd& tabs)
{
    out << "restored: " << tabs.GetRestoredTabsNum() << '\n';
    for (const CKGPRestoredTabInfo& tab : tabs.GetRestoredTabs())
        out << "tab: " << static_cast<const char*>(CT2A(tab.m_strText)) << ' ' << tab.m_bVisible << ' ' << tab.m_nControlBarID << ' '
            << tab.m_bDetachable << ' ' << tab.m_clrText << ' ' << tab.m_clrBack << '\n';
    out << "restored active and location: " << tabs.GetRestoredActiveTab() << ' ' << tabs.GetRestoredLocation()
        << '\n';
}

// The tab list a load read (and holds until its panes are taken back),
// stored as a tab window stores its tabs.
void StoreRestored(CArchive& ar, const CKGPBaseTabWnd& tabs)
{
    ar << tabs.GetRestoredTabsNum();
    for (const CKGPRestoredTabInfo& tab : tabs.GetRestoredTabs())
        ar << tab.m_strText << tab.m_bVisible << tab.m_nControlBarID << tab.m_bDetachable << tab.m_clrText
           << tab.m_clrBack;
    ar << tabs.GetRestoredActiveTab() << tabs.GetRestoredLocation();
}

// A tab window of three plain pages in the host.
class TabWindowArchiveReader : public StoredStateReader {
public:
    ~TabWindowArchiveReader() override { m_tabs.DestroyWindow(); }
    void SetUp(CFrameWnd& host) override
    {
        ASSERT_TRUE(m_tabs.Create(CKGPTabWnd::STYLE_3D_SCROLLED, CRect(0, 0, 300, 200), &host, 0x31FF));
        for (UINT i = 0; i < 3; ++i) {
            m_pages.push_back(std::make_unique<CWnd>()); // the tab window destroys their windows
            CWnd* pPage = m_pages.back().get();
            ASSERT_TRUE(pPage->Create(nullptr, _T(""), WS_CHILD, CRect(0, 0, 10, 10), &m_tabs, kFirstPageId + i));
            m_tabs.AddTab(pPage, i == 0 ? _T("Tools") : i == 1 ? _T("Output & log") : _T("Classes"));
        }
    }
    std::vector<StoredForm> Seeds() override
    {
        std::vector<StoredForm> seeds;
        seeds.push_back(ArchiveForm(StoredBytes([this](CArchive& ar) { m_tabs.Serialize(ar); })));
        m_tabs.ShowTab(1, FALSE);
        m_tabs.SetTabBkColor(2, RGB(200, 100, 50));
        m_tabs.SetActiveTab(2);
        m_tabs.SetLocation(CKGPTabWnd::LOCATION_TOP);
        seeds.push_back(ArchiveForm(StoredBytes([this](CArchive& ar) { m_tabs.Serialize(ar); })));
        return seeds;
    }
    bool Load(const StoredForm& form) override
    {
        return LoadArchive(form, [this](CArchive& ar) { m_tabs.Serialize(ar); });
    }
    StoredForm Save() override { return ArchiveForm(StoredBytes([this](CArchive& ar) { StoreRestored(ar, m_tabs); })); }
    std::string Snapshot() override
    {
        std::ostringstream out;
        DescribeRestored(out, m_tabs);
        return out.str();
    }

private:
    CKGPTabWnd m_tabs;
    std::vector<std::unique_ptr<CWnd>> m_pages;
};

// A tabbed pane held by value with two panes as tabs: its record and its tab
// list are one load.
class TabbedPaneArchiveReader : public StoredStateReader {
public:
    ~TabbedPaneArchiveReader() override
    {
        m_bar.DestroyWindow();
        for (auto& pane : m_panes)
            pane->DestroyWindow();
    }
    void SetUp(CFrameWnd& host) override
    {
        ASSERT_TRUE(m_bar.Create(_T("Tabs"), &host, CRect(0, 0, 200, 240), TRUE, 0x3210,
                                 WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0));
        for (UINT i = 0; i < 2; ++i) {
            m_panes.push_back(std::make_unique<CKGPDockingControlBar>());
            ASSERT_TRUE(m_panes.back()->Create(i == 0 ? _T("Watch") : _T("Locals"), &host, CRect(0, 0, 100, 100),
                                               TRUE, 0x3211 + i, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
            m_bar.AddTab(m_panes.back().get());
        }
    }
    std::vector<StoredForm> Seeds() override
    {
        const auto store = [this](CArchive& ar) {
            m_bar.Serialize(ar);
            m_bar.SerializeTabWindow(ar);
        };
        std::vector<StoredForm> seeds;
        seeds.push_back(ArchiveForm(StoredBytes(store)));
        m_bar.GetTabWnd()->ShowTab(0, FALSE);
        m_bar.m_recentDockInfo.m_rectRecentFloatingRect = CRect(300, 120, 500, 380);
        seeds.push_back(ArchiveForm(StoredBytes(store)));
        return seeds;
    }
    bool Load(const StoredForm& form) override
    {
        bool accepted = false;
        const bool read = LoadArchive(form, [this, &accepted](CArchive& ar) {
            CKGPStoredLoad load;
            m_bar.ReadArchive(ar, load);
            m_bar.ReadTabWindowState(ar, load);
            accepted = load.Commit() != FALSE;
        });
        return read && accepted;
    }
    StoredForm Save() override
    {
        return ArchiveForm(StoredBytes([this](CArchive& ar) {
            m_bar.Serialize(ar);
            StoreRestored(ar, *m_bar.GetTabWnd());
        }));
    }
    std::string Snapshot() override
    {
        std::ostringstream out;
        const CRect& floating = m_bar.m_recentDockInfo.m_rectRecentFloatingRect;
        out << "pane: " << m_bar.IsAutoDestroy() << ' ' << floating.left << ',' << floating.top << ','
            << floating.right << ',' << floating.bottom << '\n';
        DescribeRestored(out, *m_bar.GetTabWnd());
        return out.str();
    }

private:
    CKGPTabbedControlBar m_bar{FALSE};
    std::vector<std::unique_ptr<CKGPDockingControlBar>> m_panes;
};

}  // namespace

std::unique_ptr<StoredStateReader> MakeTabWindowArchiveReader()
{
    return std::make_unique<TabWindowArchiveReader>();
}

std::unique_ptr<StoredStateReader> MakeTabbedPaneArchiveReader()
{
    return std::make_unique<TabbedPaneArchiveReader>();
}

} // namespace stored_state_test
