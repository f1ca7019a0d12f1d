// The whole docking layout of the host frame (every pane's own values and the
// layout value under the manager's key, or the layout's archive alone),
// loaded and applied as one: panes in two trees, one floating and one
// auto-hidden; through the archive also two panes as tabs of a tabbed pane,
// docked or floating alone.
#include "tests/guilib_state/LayoutStateReaders.h"

#include <gtest/gtest.h>

#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPMultiMiniFrameWnd.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/MessagePump.h"

#include <afxarch.h>

#include <sstream>
#include <vector>

namespace stored_state_test {

namespace {

constexpr UINT kFirstPaneId = 0x3400;
constexpr UINT kFrameId = 3;
constexpr int kPanes = 4;
// Two more panes through the archive, as tabs of one tabbed pane (docked,
// then floating alone in a frame of one bar). The registry's path keeps to
// the four (each pane's own values, written anew for each case, make its
// cases slow).
constexpr UINT kTabs = 2;

// Through the registry (every pane's values and the layout value), or
// through the archive (the layout alone, as Serialize stores it).
enum class LayoutPath { Registry, Archive };

class DockLayoutReader : public StoredStateReader {
public:
    explicit DockLayoutReader(LayoutPath path) : m_path(path) {}
    ~DockLayoutReader() override
    {
        for (auto& pane : m_panes)
            pane->DestroyWindow();
        keyloft_test::Pump(10);
    }
    void SetUp(CFrameWnd& host) override
    {
        m_pHost = static_cast<CKGPFrameWnd*>(&host);
        ASSERT_TRUE(Manager().EnableAutoHideBars(CBRS_ALIGN_ANY));
        for (UINT i = 0; i < kPanes; ++i) {
            m_panes.push_back(std::make_unique<CKGPDockingControlBar>());
            CString title;
            title.Format(_T("Layout %u"), i);
            ASSERT_TRUE(m_panes.back()->Create(title, &host, CRect(0, 0, 150, 110), TRUE, kFirstPaneId + i,
                                               WS_CHILD | WS_VISIBLE | CBRS_LEFT | KGP_CBRS_FLOAT_MULTI));
            m_panes.back()->EnableDocking(CBRS_ALIGN_ANY);
        }
        for (UINT i = kPanes; i < kPanes + Tabs(); ++i) {
            m_panes.push_back(std::make_unique<CKGPDockingControlBar>());
            CString title;
            title.Format(_T("Tab %u"), i);
            ASSERT_TRUE(m_panes.back()->Create(title, &host, CRect(0, 0, 150, 110), TRUE, kFirstPaneId + i,
                                               WS_CHILD | WS_VISIBLE | CBRS_TOP));
            m_panes.back()->EnableDocking(CBRS_ALIGN_ANY);
        }
        if (Tabs() != 0) {
            ASSERT_TRUE(m_panes[kPanes]->DockToWindow(CBRS_ALIGN_TOP, nullptr));
            ASSERT_NE(nullptr, m_panes[kPanes + 1]->AttachToTabWnd(m_panes[kPanes].get(), KGP_DM_UNKNOWN, TRUE));
        }
        ASSERT_TRUE(m_panes[0]->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
        ASSERT_TRUE(m_panes[1]->DockToBar(m_panes[0].get(), CBRS_ALIGN_BOTTOM));
        ASSERT_TRUE(m_panes[2]->DockToWindow(CBRS_ALIGN_BOTTOM, nullptr));
        ASSERT_TRUE(m_panes[3]->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
        m_pHost->RecalcLayout();
    }
    std::vector<StoredForm> Seeds() override
    {
        std::vector<StoredForm> seeds;
        seeds.push_back(Save());
        // Floating and auto-hidden.
        EXPECT_TRUE(m_panes[2]->FloatBar(CRect(260, 180, 420, 320), KGP_DM_UNKNOWN, true));
        EXPECT_NE(nullptr, m_panes[3]->SetAutoHideMode(TRUE, CBRS_ALIGN_RIGHT, nullptr, FALSE));
        m_pHost->RecalcLayout();
        seeds.push_back(Save());
        if (Tabs() == 0)
            return seeds;
        // The tabbed pane floating alone.
        CKGPBaseControlBar* pTabbed = m_panes[kPanes]->GetParentTabbedBar();
        EXPECT_TRUE(pTabbed != nullptr && pTabbed->FloatBar(CRect(480, 160, 640, 300), KGP_DM_UNKNOWN, true));
        CKGPMiniFrameWnd* pFrame = pTabbed != nullptr ? pTabbed->GetParentMiniFrame(TRUE) : nullptr;
        EXPECT_TRUE(pFrame != nullptr && !pFrame->IsKindOf(RUNTIME_CLASS(CKGPMultiMiniFrameWnd)));
        m_pHost->RecalcLayout();
        seeds.push_back(Save());
        return seeds;
    }
    bool Load(const StoredForm& form) override
    {
        if (m_path == LayoutPath::Archive) {
            if (!LoadArchive(form, [this](CArchive& ar) { Manager().Serialize(ar); }))
                return false;
        } else {
            WriteProfile(form);
            if (!Manager().LoadState(kProfile, kFrameId))
                return false;
        }
        Manager().ApplyLoadedState();
        m_pHost->RecalcLayout();
        return true;
    }
    StoredForm Save() override
    {
        if (m_path == LayoutPath::Archive)
            return ArchiveForm(keyloft_test::StoredBytes([this](CArchive& ar) { Manager().Serialize(ar); }));
        DeleteProfile();
        EXPECT_TRUE(Manager().SaveState(kProfile, kFrameId));
        return CaptureProfile();
    }
    std::string Snapshot() override
    {
        std::ostringstream out;
        for (auto& pane : m_panes) {
            CRect rect;
            pane->GetWindowRect(rect);
            CKGPMiniFrameWnd* pFloating = pane->GetParentMiniFrame(TRUE);
            out << "pane: " << pane->GetDlgCtrlID() << ' ' << pane->IsAutoHideMode() << ' ' << (pFloating != nullptr)
                << ' ' << pane->GetCurrentAlignment() << ' ' << pane->IsWindowVisible() << ' ' << pane->IsTabbed()
                << '\n';
            // Sizes follow the layout's room, which what came before may change.
            out << "~rect: " << rect.left << ',' << rect.top << ',' << rect.right << ',' << rect.bottom << '\n';
        }
        out << "auto-hidden: " << Manager().GetAutoHideBars().GetCount() << '\n';
        out << "floating frames: " << Manager().GetMiniFrames().GetCount() << '\n';
        if (Tabs() != 0) {
            // The tabs stand in one tabbed pane.
            CKGPBaseControlBar* pTabbed = m_panes[kPanes]->GetParentTabbedBar();
            out << "tabs together: " << (pTabbed != nullptr && pTabbed == m_panes[kPanes + 1]->GetParentTabbedBar())
                << '\n';
        }
        return out.str();
    }

private:
    CKGPDockManager& Manager() { return *m_pHost->GetDockManager(); }
    UINT Tabs() const { return m_path == LayoutPath::Archive ? kTabs : 0; }

    const LayoutPath m_path;
    CKGPFrameWnd* m_pHost = nullptr;
    std::vector<std::unique_ptr<CKGPDockingControlBar>> m_panes;
};

}  // namespace

std::unique_ptr<StoredStateReader> MakeDockLayoutReader()
{
    return std::make_unique<DockLayoutReader>(LayoutPath::Registry);
}

std::unique_ptr<StoredStateReader> MakeDockLayoutArchiveReader()
{
    return std::make_unique<DockLayoutReader>(LayoutPath::Archive);
}

} // namespace stored_state_test
