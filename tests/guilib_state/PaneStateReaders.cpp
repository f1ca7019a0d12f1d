// The readers of docking panes' stored state, for the mutation test: a pane's
// record, a default slider with its split tree, and a floating frame of
// several panes with its tree. Trees and frames are read into new objects of
// the host frame, made only by an accepted load.
#include "tests/guilib_state/PaneStateReaders.h"

#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPMultiMiniFrameWnd.h"
#include "tests/guilib_docking/PaneTestSupport.h"
#include "tests/support/ArchiveBytes.h"

#include <afxarch.h>

#include <functional>
#include <sstream>
#include <vector>

namespace stored_state_test {

namespace {

using keyloft_test::StoredBytes;

constexpr UINT kFirstPaneId = 0x3100;

std::ostream& operator<<(std::ostream& out, const CRect& rect)
{
    return out << rect.left << ',' << rect.top << ',' << rect.right << ',' << rect.bottom;
}


// A pane whose recent places the snapshot reads.
class CInspectedPane : public CKGPDockingControlBar {
public:
    void Describe(std::ostream& out) const
    {
        out << "pane: " << GetCurrentAlignment() << ' ' << m_bRecentVisibleState << ' '
            << m_recentDockInfo.m_rectRecentFloatingRect << ' ' << m_recentDockInfo.m_rectRecentDockedRect << ' '
            << m_rectLoadedDocked << ' ' << m_recentDockInfo.m_nRecentRowIndex << '\n';
    }
};

// Panes docked in the host beside each other: a | (b / c).
class PaneTreeReaderBase : public StoredStateReader {
public:
    ~PaneTreeReaderBase() override
    {
        for (auto& pane : m_panes)
            pane->DestroyWindow();
    }
    void SetUp(CFrameWnd& host) override
    {
        m_pHost = &host;
        for (UINT i = 0; i < 3; ++i) {
            m_panes.push_back(std::make_unique<CInspectedPane>());
            CKGPDockingControlBar& pane = *m_panes.back();
            pane.SetMinSize(CSize(40, 40));
            ASSERT_TRUE(pane.Create(_T("Pane"), &host, CRect(0, 0, 160, 200), TRUE, kFirstPaneId + i,
                                    WS_CHILD | WS_VISIBLE | CBRS_LEFT | KGP_CBRS_FLOAT_MULTI));
            pane.EnableDocking(CBRS_ALIGN_ANY);
        }
        ASSERT_TRUE(m_panes[0]->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
        ASSERT_TRUE(m_panes[1]->DockToBar(m_panes[0].get(), CBRS_ALIGN_RIGHT));
        ASSERT_TRUE(m_panes[2]->DockToBar(m_panes[1].get(), CBRS_ALIGN_BOTTOM));
        host.RecalcLayout();
    }

protected:
    // Where each pane is now: its slider or floating frame.
    void DescribePanes(std::ostream& out) const
    {
        for (const auto& pane : m_panes)
            out << "live: " << pane->GetDlgCtrlID() << ' ' << (pane->GetDefaultPaneSlider() != nullptr) << ' '
                << (pane->GetParentMiniFrame(TRUE) != nullptr) << '\n';
    }
    static void DescribeTree(std::ostream& out, const CKGPBarContainerManager& manager)
    {
        out << "tree: " << docking_test::Shape(manager.GetRootContainer()) << " | "
            << docking_test::Listed(manager) << "| " << manager.GetSliders().GetCount() << '\n';
        for (POSITION pos = manager.GetSliders().GetHeadPosition(); pos != nullptr;) {
            CRect rect;
            static_cast<CWnd*>(manager.GetSliders().GetNext(pos))->GetWindowRect(rect);
            out << "slider: " << rect << '\n';
        }
    }
    // Loads the form into a new object that deletes itself with its window
    // (or here, when no window was made of it); the window an accepted load
    // made is kept in place of the one before.
    template <class Made>
    bool LoadIntoNew(const StoredForm& form, Made* pLoaded)
    {
        const bool accepted = LoadArchive(form, [pLoaded](CArchive& ar) { pLoaded->Serialize(ar); });
        if (pLoaded->GetSafeHwnd() == nullptr) {
            delete pLoaded;
            return false;
        }
        Forget();
        m_hLoaded = pLoaded->m_hWnd;
        return accepted;
    }
    // The window an accepted load made, stored again.
    StoredForm SaveLoaded()
    {
        CWnd* pLoaded = CWnd::FromHandlePermanent(m_hLoaded);
        if (pLoaded == nullptr)
            return {};
        return ArchiveForm(StoredBytes([pLoaded](CArchive& ar) { pLoaded->Serialize(ar); }));
    }
    void Forget()
    {
        if (m_hLoaded != nullptr && ::IsWindow(m_hLoaded))
            ::DestroyWindow(m_hLoaded);
        m_hLoaded = nullptr;
    }

    CFrameWnd* m_pHost = nullptr;
    std::vector<std::unique_ptr<CInspectedPane>> m_panes;
    HWND m_hLoaded = nullptr;
};

// A pane's own record, loaded into the live pane.
class PaneArchiveReader : public PaneTreeReaderBase {
public:
    std::vector<StoredForm> Seeds() override
    {
        std::vector<StoredForm> seeds;
        seeds.push_back(ArchiveForm(StoredBytes([this](CArchive& ar) { m_panes[1]->Serialize(ar); })));
        m_panes[1]->m_recentDockInfo.m_rectRecentFloatingRect = CRect(320, 140, 520, 360);
        seeds.push_back(ArchiveForm(StoredBytes([this](CArchive& ar) { m_panes[1]->Serialize(ar); })));
        return seeds;
    }
    bool Load(const StoredForm& form) override
    {
        return LoadArchive(form, [this](CArchive& ar) { m_panes[1]->Serialize(ar); });
    }
    StoredForm Save() override
    {
        return ArchiveForm(StoredBytes([this](CArchive& ar) { m_panes[1]->Serialize(ar); }));
    }
    std::string Snapshot() override
    {
        std::ostringstream out;
        m_panes[1]->Describe(out);
        return out.str();
    }
};

// A default slider and its tree, read into a new slider of the host.
class SliderTreeArchiveReader : public PaneTreeReaderBase {
public:
    ~SliderTreeArchiveReader() override { Forget(); }
    std::vector<StoredForm> Seeds() override
    {
        CKGPSlider* pSlider = m_panes[0]->GetDefaultPaneSlider();
        std::vector<StoredForm> seeds;
        seeds.push_back(ArchiveForm(StoredBytes([pSlider](CArchive& ar) { pSlider->Serialize(ar); })));
        m_panes[2]->ShowBar(FALSE, FALSE, FALSE); // a second shape: one pane hidden
        seeds.push_back(ArchiveForm(StoredBytes([pSlider](CArchive& ar) { pSlider->Serialize(ar); })));
        m_panes[2]->ShowBar(TRUE, FALSE, FALSE);
        return seeds;
    }
    bool Load(const StoredForm& form) override
    {
        return LoadIntoNew(form, new CKGPSlider(TRUE, m_pHost));
    }
    StoredForm Save() override { return SaveLoaded(); }
    std::string Snapshot() override
    {
        std::ostringstream out;
        DescribePanes(out);
        auto* pLoaded = DYNAMIC_DOWNCAST(CKGPSlider, CWnd::FromHandlePermanent(m_hLoaded));
        if (pLoaded == nullptr || pLoaded->GetContainerManager() == nullptr) {
            out << "loaded: none\n";
            return out.str();
        }
        CRect rect;
        pLoaded->GetWindowRect(rect);
        out << "loaded: " << rect << ' ' << pLoaded->GetSliderStyle() << ' ' << pLoaded->GetWidth() << ' '
            << pLoaded->IsWindowVisible() << '\n';
        DescribeTree(out, *pLoaded->GetContainerManager());
        return out.str();
    }
};

// A floating frame holding two of the panes side by side, read into a new
// frame for the host (which takes no pane until its state is applied).
class MultiFrameArchiveReader : public PaneTreeReaderBase {
public:
    ~MultiFrameArchiveReader() override { Forget(); }
    void SetUp(CFrameWnd& host) override
    {
        PaneTreeReaderBase::SetUp(host);
        ASSERT_TRUE(m_panes[0]->FloatBar(CRect(260, 140, 440, 340), KGP_DM_UNKNOWN, true));
        auto* pFrame = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, m_panes[0]->GetParentMiniFrame(TRUE));
        ASSERT_NE(nullptr, pFrame);
        docking_test::CursorAtRightEdge(m_panes[0].get());
        ASSERT_FALSE(pFrame->DockPaneAtCursor(m_panes[1].get()));
        m_pFloating = pFrame;
    }
    std::vector<StoredForm> Seeds() override
    {
        std::vector<StoredForm> seeds;
        seeds.push_back(ArchiveForm(StoredBytes([this](CArchive& ar) { m_pFloating->Serialize(ar); })));
        m_pFloating->SetCaptionButtons(KGP_CAPTION_BTN_CLOSE | KGP_CAPTION_BTN_PIN);
        seeds.push_back(ArchiveForm(StoredBytes([this](CArchive& ar) { m_pFloating->Serialize(ar); })));
        return seeds;
    }
    bool Load(const StoredForm& form) override
    {
        CKGPDockManager::s_pLoadingFrame = m_pHost;
        const bool accepted = LoadIntoNew(form, new CKGPMultiMiniFrameWnd);
        CKGPDockManager::s_pLoadingFrame = nullptr;
        return accepted;
    }
    StoredForm Save() override { return SaveLoaded(); }
    std::string Snapshot() override
    {
        std::ostringstream out;
        DescribePanes(out);
        auto* pLoaded = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, CWnd::FromHandlePermanent(m_hLoaded));
        if (pLoaded == nullptr) {
            out << "loaded: none\n";
            return out.str();
        }
        CRect rect;
        pLoaded->GetWindowRect(rect);
        out << "loaded: " << rect << ' ' << pLoaded->GetCaptionButtonFlags() << ' ' << pLoaded->IsPinned() << ' '
            << (pLoaded->GetStyle() & ~WS_VISIBLE) << '\n';
        DescribeTree(out, pLoaded->GetContainerManager());
        return out.str();
    }

private:
    CKGPMultiMiniFrameWnd* m_pFloating = nullptr;
};

} // namespace

std::unique_ptr<StoredStateReader> MakePaneArchiveReader()
{
    return std::make_unique<PaneArchiveReader>();
}

std::unique_ptr<StoredStateReader> MakeSliderTreeArchiveReader()
{
    return std::make_unique<SliderTreeArchiveReader>();
}

std::unique_ptr<StoredStateReader> MakeMultiFrameArchiveReader()
{
    return std::make_unique<MultiFrameArchiveReader>();
}

} // namespace stored_state_test
