// The MDI client area's stored arrangement, for the mutation test: an MDI
// frame of three documents saved as plain windows (their placements, the
// active one, the pane ids), as the tabs of one strip, or as tab groups side
// by side and stacked, each loaded back from damaged copies.
#include "tests/guilib_state/MDIStateReaders.h"

#include <gtest/gtest.h>

#include "guilib/core/KGPWorkspace.h"
#include "tests/support/MDITestFrame.h"
#include "tests/support/MessagePump.h"

#include <sstream>

namespace stored_state_test {

namespace {

using keyloft_test::CMDITestChild;
using keyloft_test::CMDITestFrame;

std::string Narrow(const CString& text)
{
    return std::string(CStringA(text).GetString());
}

void DescribeTabs(std::ostream& out, CKGPTabWnd& tabs, CWnd& client)
{
    CRect rect;
    tabs.GetWindowRect(rect);
    client.ScreenToClient(rect);
    out << "tabs " << tabs.GetTabsNum() << " active " << tabs.GetActiveTab() << " group-active "
        << tabs.IsActiveInMDITabGroup() << " splitter " << tabs.GetGroupSplitterMode() << " at " << rect.left << ','
        << rect.top << ',' << rect.right << ',' << rect.bottom << " border " << tabs.GetTabBorderSize() << " swap "
        << tabs.IsTabSwapEnabled() << '\n';
    for (int i = 0; i < tabs.GetTabsNum(); ++i) {
        CString label;
        tabs.GetTabLabel(i, label);
        out << "  tab " << Narrow(label) << " colour " << tabs.GetTabBkColor(i) << '\n';
    }
}

// How the seeds show the documents.
enum class Presentation { Windows, Strip, Groups };

class MDIArrangementReader : public StoredStateReader {
public:
    explicit MDIArrangementReader(Presentation presentation) : m_presentation(presentation) {}
    ~MDIArrangementReader() override
    {
        m_frame.reset();
        SetWorkspace(nullptr);
    }
    void SetUp(CFrameWnd& /*host*/) override
    {
        m_workspace.SetDataVersion(9, 2);
        SetWorkspace(&m_workspace);
        m_frame = std::make_unique<CMDITestFrame>();
        ASSERT_TRUE(m_frame->CreateFrame(CRect(60, 60, 700, 520)));
        for (LPCTSTR name : {_T("C:\\a\\one.kl"), _T("C:\\a\\two.kl"), _T("C:\\a\\three.kl")})
            ASSERT_NE(nullptr, m_frame->OpenDocument(name));
    }
    std::vector<StoredForm> Seeds() override
    {
        switch (m_presentation) {
        case Presentation::Windows:
            return WindowSeeds();
        case Presentation::Strip:
            return StripSeeds();
        case Presentation::Groups:
            return GroupSeeds();
        }
        return {};
    }
    bool Load(const StoredForm& form) override
    {
        WriteProfile(form);
        const bool loaded = m_frame->Client().LoadState(kProfile, 0) != FALSE;
        keyloft_test::PumpPending();
        return loaded;
    }
    std::string Snapshot() override
    {
        CKGPMainClientAreaWnd& client = m_frame->Client();
        std::ostringstream out;
        const CKGPMDITabParams& params = client.GetMDITabParams();
        out << "modes " << client.AreMDITabs() << client.IsMDITabbedGroup() << client.IsTabVisible() << " alignment "
            << client.GetGroupAlignment() << " params " << params.m_tabLocation << params.m_style
            << params.m_bTabCloseButton << params.m_bTabIcons << params.m_bAutoColor << params.m_nTabListMode
            << params.m_bEnableTabSwap << params.m_nTabBorderSize << '\n';
        if (client.AreMDITabs())
            DescribeTabs(out, client.GetMDITabs(), client);
        const CObList& groups = client.GetMDITabGroups();
        for (POSITION pos = groups.GetHeadPosition(); pos != nullptr;)
            DescribeTabs(out, *static_cast<CKGPTabWnd*>(groups.GetNext(pos)), client);
        for (CMDITestChild* pChild : m_frame->Children()) {
            CRect rect;
            pChild->GetWindowRect(rect);
            client.ScreenToClient(rect);
            out << "window " << Narrow(pChild->m_strDocument) << " style " << std::hex << pChild->GetStyle() << std::dec
                << " at " << rect.left << ',' << rect.top << ',' << rect.right << ',' << rect.bottom
                << (pChild == m_frame->ActiveChild() ? " active" : "") << '\n';
        }
        return out.str();
    }

    StoredForm Save() override
    {
        DeleteProfile();
        EXPECT_TRUE(m_frame->Client().SaveState(kProfile, 0));
        return CaptureProfile();
    }

private:
    void Settle()
    {
        m_frame->RecalcLayout();
        keyloft_test::PumpPending();
    }

    std::vector<StoredForm> WindowSeeds()
    {
        std::vector<StoredForm> seeds;
        seeds.push_back(Save());
        m_frame->Children().back()->MoveWindow(5, 6, 200, 150);
        m_frame->MDIActivate(m_frame->Children().back());
        seeds.push_back(Save());
        return seeds;
    }

    // One strip along the top, then along the bottom in another style with
    // automatic colours, no close button and a wider border.
    std::vector<StoredForm> StripSeeds()
    {
        CKGPMainClientAreaWnd& client = m_frame->Client();
        std::vector<StoredForm> seeds;
        client.EnableMDITabs(TRUE, CKGPMDITabParams());
        Settle();
        seeds.push_back(Save());
        CKGPMDITabParams params;
        params.m_tabLocation = CKGPTabWnd::LOCATION_BOTTOM;
        params.m_style = CKGPTabWnd::STYLE_3D_ONENOTE;
        params.m_bAutoColor = TRUE;
        params.m_bTabCloseButton = FALSE;
        params.m_nTabBorderSize = 4;
        client.EnableMDITabs(TRUE, params);
        m_frame->MDIActivate(m_frame->Children().back());
        Settle();
        seeds.push_back(Save());
        return seeds;
    }

    // Two groups side by side (two tabs and one), then two stacked ones whose
    // second holds the active document.
    std::vector<StoredForm> GroupSeeds()
    {
        CKGPMainClientAreaWnd& client = m_frame->Client();
        std::vector<StoredForm> seeds;
        client.EnableMDITabbedGroups(TRUE, CKGPMDITabParams());
        Settle();
        for (const BOOL bVertical : {TRUE, FALSE}) {
            while (client.GetMDITabGroups().GetCount() > 1) {
                auto* pLast = static_cast<CKGPTabWnd*>(client.GetMDITabGroups().GetTail());
                auto* pFirst = static_cast<CKGPTabWnd*>(client.GetMDITabGroups().GetHead());
                EXPECT_TRUE(client.MoveWindowToTabGroup(pLast, pFirst));
            }
            auto* pFirst = static_cast<CKGPTabWnd*>(client.GetMDITabGroups().GetHead());
            CRect rect;
            pFirst->GetWindowRect(rect);
            const CRect half = bVertical ? CRect(rect.CenterPoint().x, rect.top, rect.right, rect.bottom)
                                         : CRect(rect.left, rect.CenterPoint().y, rect.right, rect.bottom);
            CKGPTabWnd* pSecond = client.CreateNewTabGroup(pFirst, half, bVertical);
            EXPECT_NE(nullptr, pSecond);
            if (pSecond == nullptr)
                break;
            EXPECT_TRUE(client.MoveWindowToTabGroup(pFirst, pSecond));
            Settle();
            seeds.push_back(Save());
        }
        return seeds;
    }

    const Presentation m_presentation;
    CKGPWorkspace m_workspace;
    std::unique_ptr<CMDITestFrame> m_frame;
};

} // namespace

std::unique_ptr<StoredStateReader> MakeMDIWindowsReader()
{
    return std::make_unique<MDIArrangementReader>(Presentation::Windows);
}

std::unique_ptr<StoredStateReader> MakeMDIStripReader()
{
    return std::make_unique<MDIArrangementReader>(Presentation::Strip);
}

std::unique_ptr<StoredStateReader> MakeMDIGroupsReader()
{
    return std::make_unique<MDIArrangementReader>(Presentation::Groups);
}

} // namespace stored_state_test
