// The outlook bar's custom pages as the mutation test drives them: the
// registry value of a bar with two custom pages (and the visible page-button
// count, which a workspace of version 7.1 reads back), loaded into a bar that
// holds one custom page of its own.
#include "tests/guilib_state/OutlookStateReaders.h"

#include <gtest/gtest.h>

#include "guilib/core/KGPWorkspace.h"
#include "guilib/panes/KGPOutlookBar.h"
#include "guilib/panes/KGPOutlookBarPane.h"
#include "guilib/panes/KGPOutlookWnd.h"

#include <sstream>

namespace stored_state_test {

namespace {

constexpr UINT kBarId = 0x3300;

class OutlookCustomPagesReader : public StoredStateReader {
public:
    ~OutlookCustomPagesReader() override
    {
        SetWorkspace(nullptr);
        if (m_bar.GetSafeHwnd() != nullptr)
            m_bar.DestroyWindow();
    }
    void SetUp(CFrameWnd& host) override
    {
        m_workspace.SetDataVersion(7, 1);
        SetWorkspace(&m_workspace);
        ASSERT_TRUE(m_bar.Create(_T("Outlook"), &host, CRect(0, 0, 160, 300), kBarId,
                                 WS_CHILD | WS_VISIBLE | CBRS_LEFT, KGP_BARSTYLE_RESIZE));
        ASSERT_NE(nullptr, m_bar.CreateCustomPage(_T("Own page")));
    }
    std::vector<StoredForm> Seeds() override
    {
        std::vector<StoredForm> seeds;
        CKGPOutlookBarPane* pExtra = m_bar.CreateCustomPage(_T("Favourites"));
        seeds.push_back(Save());
        if (pExtra != nullptr)
            m_bar.RemoveCustomPage(static_cast<UINT>(pExtra->GetDlgCtrlID()));
        // As many pages as the first (the live objects stay as many), other titles and ids.
        m_bar.CreateCustomPage(_T("Spare"));
        m_bar.CreateCustomPage(_T("Recent & shared"));
        m_bar.RemoveCustomPage(static_cast<UINT>(static_cast<CWnd*>(m_bar.GetCustomPages().GetHead())->GetDlgCtrlID()));
        seeds.push_back(Save());
        // Back to the one page of its own, which a refused load must leave.
        while (m_bar.GetCustomPageCount() > 1)
            m_bar.RemoveCustomPage(
                static_cast<UINT>(static_cast<CWnd*>(m_bar.GetCustomPages().GetTail())->GetDlgCtrlID()));
        return seeds;
    }
    bool Load(const StoredForm& form) override
    {
        WriteProfile(form);
        return m_bar.LoadState(kProfile) != FALSE;
    }
    std::string Snapshot() override
    {
        std::ostringstream out;
        out << "custom pages: " << m_bar.GetCustomPageCount() << '\n';
        const CObList& pages = m_bar.GetCustomPages();
        for (POSITION pos = pages.GetHeadPosition(); pos != nullptr;) {
            auto* pPage = static_cast<CWnd*>(pages.GetNext(pos));
            CString title;
            pPage->GetWindowText(title);
            out << "page: " << pPage->GetDlgCtrlID() << ' ' << static_cast<const char*>(CT2A(title)) << '\n';
        }
        CKGPOutlookWnd* pOutlook = m_bar.GetOutlookWnd();
        out << "tabs: " << pOutlook->GetTabsNum() << " visible buttons: " << pOutlook->GetVisiblePageButtons()
            << '\n';
        return out.str();
    }

    // Only the custom pages' value: the rest of the bar's state has readers of its own.
    StoredForm Save() override
    {
        DeleteProfile();
        m_bar.SaveState(kProfile);
        StoredForm form;
        for (const StoredValue& value : CaptureProfile()) {
            if (value.name == L"KGPOutlookCustomPages")
                form.push_back(value);
        }
        return form;
    }

private:
    CKGPWorkspace m_workspace;
    CKGPOutlookBar m_bar;
};

}  // namespace

std::unique_ptr<StoredStateReader> MakeOutlookCustomPagesReader()
{
    return std::make_unique<OutlookCustomPagesReader>();
}

} // namespace stored_state_test
