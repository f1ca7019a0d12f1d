#include "guilib/docking/KGPDragFrameImpl.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPWindowHelpers.h"
#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDummyDockingControlBar.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSmartDockingManager.h"
#include "guilib/tabs/KGPBaseTabWnd.h"

namespace {

// The placeholder's control id: outside the frame's control-bar range (it
// never takes part in the frame's own bar layout) and never -1 (a tab
// window takes no window with that id).
constexpr UINT kPlaceholderId = 0xFFFE;

// Holds the dock manager's relayout back while it lives (nothing when none),
// then puts the hold back as it was.
class CRecalcSuspension {
public:
    explicit CRecalcSuspension(CKGPDockManager* pManager)
        : m_pManager(pManager), m_bWasSuspended(pManager != nullptr && pManager->IsRecalcSuspended())
    {
        if (m_pManager != nullptr)
            m_pManager->SuspendRecalc(TRUE);
    }
    ~CRecalcSuspension()
    {
        if (m_pManager != nullptr)
            m_pManager->SuspendRecalc(m_bWasSuspended);
    }
    CRecalcSuspension(const CRecalcSuspension&) = delete;
    CRecalcSuspension& operator=(const CRecalcSuspension&) = delete;

private:
    CKGPDockManager* m_pManager;
    BOOL m_bWasSuspended;
};

} // namespace

void CKGPDragFrameImpl::DummyBarDeleter::operator()(CKGPDummyDockingControlBar* pBar) const
{
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
        pBar->DestroyWindow();
    delete pBar;
}

CKGPDragFrameImpl::~CKGPDragFrameImpl()
{
    // The frame's dock manager may have gone before the bar (a document
    // window destroyed before a pane it docked): only what this frame drew
    // itself is taken away.
    m_pDockManager = nullptr;
    EndDrawDragFrame();
}

void CKGPDragFrameImpl::Init(CWnd* pDraggedWnd)
{
    m_pDraggedWnd = pDraggedWnd;
    m_pDockManager = nullptr;
    if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pDraggedWnd)) {
        m_pDockManager = pMiniFrame->GetDockManager();
    } else if (auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pDraggedWnd)) {
        CKGPMiniFrameWnd* pHost = pBar->GetParentMiniFrame(TRUE);
        m_pDockManager = pHost != nullptr ? pHost->GetDockManager() : pBar->GetDockManager();
    }
}

void CKGPDragFrameImpl::StartDrag(CPoint ptCursor)
{
    m_ptHot = ptCursor;
    m_pTargetDockBar = nullptr;
}

void CKGPDragFrameImpl::MoveDragFrame(BOOL bForceMove)
{
    if (m_pDraggedWnd == nullptr || m_pDraggedWnd->GetSafeHwnd() == nullptr)
        return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    const CSize moved = cursor - m_ptHot;
    const BOOL bFar = abs(moved.cx) >= ::GetSystemMetrics(SM_CXDRAG) || abs(moved.cy) >= ::GetSystemMetrics(SM_CYDRAG);
    if (!bFar && !IsFrameShown() && !bForceMove)
        return;

    CRect window;
    m_pDraggedWnd->GetWindowRect(window);
    CRect rect = window;
    rect.OffsetRect(moved);
    if (!rect.PtInRect(cursor)) {
        // The cursor left the outline: it hangs centred under the cursor.
        rect.OffsetRect(cursor.x - rect.CenterPoint().x, cursor.y - 5 - rect.top);
    }
    m_rectDrag = rect;

    // Where a drop now would dock: the dock bar under the cursor that takes the bar.
    m_pTargetDockBar = nullptr;
    m_rectExpectedDocked.SetRectEmpty();
    m_bTabShape = FALSE;
    CKGPBaseTabbedBar* pPreviewTarget = nullptr;
    auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, m_pDraggedWnd);
    if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, m_pDraggedWnd))
        pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pMiniFrame->GetControlBar());
    if (m_pDockManager != nullptr && pBar != nullptr && ::GetKeyState(VK_CONTROL) >= 0) {
        auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, m_pDockManager->BarFromPoint(
                                                           cursor, CKGPDockManager::s_nDockSensitivity, FALSE,
                                                           RUNTIME_CLASS(CKGPDockBar), FALSE, nullptr));
        if (pDockBar != nullptr && pBar->CanBeDocked(pDockBar) && pDockBar->CanAcceptBar(pBar)) {
            m_pTargetDockBar = pDockBar;
        } else {
            BOOL bDrawTab = FALSE;
            CKGPBaseControlBar* pTarget = nullptr;
            m_pDockManager->CalcExpectedDockedRect(m_pDraggedWnd, cursor, m_rectExpectedDocked, bDrawTab, pTarget);
            if (bDrawTab && pTarget != nullptr) {
                m_tabbedPlace = CKGPSmartDockingManager::TabbedPlaceOver(pTarget);
                pPreviewTarget = TabPreviewTargetOf(pTarget, pBar);
                m_bTabShape = pPreviewTarget == nullptr && !m_tabbedPlace.body.IsEmpty();
            }
        }
    }
    CKGPSmartDockingManager* pSmart = RunningSmartDocking();
    // The preview tab follows the tabbed pane under the cursor: it leaves a
    // pane the cursor has left and comes into the one it is over.
    if (pPreviewTarget != GetTabPreviewTarget())
        RemoveTabPreview();
    if (pPreviewTarget != nullptr && !IsTabPreviewShown() && !ShowTabPreview(pPreviewTarget, pSmart != nullptr)) {
        // No preview could be shown: the outline takes the tab's shape.
        m_bTabShape = !m_tabbedPlace.body.IsEmpty();
    }
    if (pSmart != nullptr) {
        // The markers run: the place marker stands for the outline (shown
        // while a marker is hot), and no outline is drawn; over a tabbed
        // pane its preview tab is hidden and the place marker has its shape.
        if (m_bFrameShown)
            DrawFrame(CRect(0, 0, 0, 0), 0);
        if (m_bTabShape || IsTabPreviewShown())
            pSmart->ShowTabbedPlaceMarker(m_tabbedPlace);
        else
            pSmart->ShowPlaceMarker(m_rectExpectedDocked.IsRectEmpty() ? m_rectDrag : m_rectExpectedDocked);
        return;
    }
    const CKGPGlobalData& data = GetKGPGlobalData();
    if (IsTabPreviewShown())
        DrawFrame(CRect(0, 0, 0, 0), 0); // the preview tab shows where the drop goes
    else if (m_bTabShape)
        DrawFrame(m_tabbedPlace, data.m_nDragFrameWidthExpected);
    else if (!m_rectExpectedDocked.IsRectEmpty())
        DrawFrame(m_rectExpectedDocked, data.m_nDragFrameWidthExpected);
    else
        DrawFrame(m_rectDrag, data.m_nDragFrameWidth);
}

void CKGPDragFrameImpl::EndDrawDragFrame(BOOL bClearInternalRects)
{
    if (m_bFrameShown) {
        DrawFrame(CRect(0, 0, 0, 0), 0);
        m_bFrameShown = FALSE;
    }
    if (CKGPSmartDockingManager* pSmart = RunningSmartDocking())
        pSmart->HidePlaceMarker();
    if (bClearInternalRects) {
        RemoveTabPreview();
        m_rectDrag.SetRectEmpty();
        m_rectExpectedDocked.SetRectEmpty();
        m_pTargetDockBar = nullptr;
        m_bTabShape = FALSE;
    }
}

// ---- The preview tab.

CKGPBaseTabbedBar* CKGPDragFrameImpl::GetTabPreviewTarget() const
{
    // The pane may have gone while it showed the preview (its window took
    // the placeholder's with it).
    if (m_pTargetBar == nullptr || !::IsWindow(m_hTargetBar) || CWnd::FromHandlePermanent(m_hTargetBar) != m_pTargetBar)
        return nullptr;
    return m_pTargetBar;
}

CKGPBaseTabbedBar* CKGPDragFrameImpl::TabPreviewTargetOf(CKGPBaseControlBar* pTarget,
                                                        CKGPBaseControlBar* pDragged) const
{
    auto* pTabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pTarget);
    if (pTabbed == nullptr || pDragged == nullptr || !pTabbed->IsTabbedBar() || !pTabbed->CanAcceptBar(pDragged))
        return nullptr;
    if (const auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pDragged); pPane != nullptr && !pTabbed->CanTakeAsTab(pPane))
        return nullptr; // no page of its kind: no tab shown
    const CKGPBaseTabWnd* pTabs = pTabbed->GetTabWnd();
    if (pTabs == nullptr || pTabs->GetSafeHwnd() == nullptr || pTabs->GetTabsNum() == 0)
        return nullptr;
    return pTabbed;
}

CKGPDummyDockingControlBar* CKGPDragFrameImpl::Placeholder()
{
    if (m_pDummyBar != nullptr && m_pDummyBar->GetSafeHwnd() != nullptr)
        return m_pDummyBar.get();
    m_pDummyBar.reset(); // its window went with a pane it stood in: a new one
    CWnd* pSite = m_pDockManager != nullptr ? m_pDockManager->GetDockSite() : nullptr;
    CFrameWnd* pOwner = GetTopLevelFrameOf(pSite != nullptr ? pSite : m_pDraggedWnd);
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return nullptr;
    std::unique_ptr<CKGPDummyDockingControlBar, DummyBarDeleter> pDummy(new CKGPDummyDockingControlBar);
    if (!pDummy->Create(_T(""), pOwner, CRect(0, 0, 0, 0), FALSE, kPlaceholderId, WS_CHILD, KGP_TAB_STYLE_TABBED,
                        KGP_BARSTYLE_FLOAT | KGP_BARSTYLE_AUTOHIDE | KGP_BARSTYLE_RESIZE | KGP_BARSTYLE_CLOSE))
        return nullptr;
    m_pDummyBar = std::move(pDummy);
    return m_pDummyBar.get();
}

BOOL CKGPDragFrameImpl::ShowTabPreview(CKGPBaseTabbedBar* pTarget, BOOL bSmart)
{
    CKGPBaseTabWnd* pTabs = pTarget->GetTabWnd();
    CKGPDummyDockingControlBar* pDummy = Placeholder();
    if (pDummy == nullptr || pTabs == nullptr)
        return FALSE;
    // The tab reads as the pane the drop brings; the active tab stays.
    CString label;
    if (m_pDraggedWnd != nullptr) {
        CWnd* pNamed = m_pDraggedWnd;
        if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, m_pDraggedWnd))
            pNamed = pMiniFrame->GetControlBar() != nullptr ? pMiniFrame->GetControlBar() : pNamed;
        pNamed->GetWindowText(label);
    }
    pDummy->SetParent(pTabs);
    pTabs->AddTab(pDummy, label, static_cast<UINT>(-1), FALSE);
    const int index = pTabs->GetTabFromHwnd(pDummy->GetSafeHwnd());
    if (index < 0) {
        pDummy->ShowWindow(SW_HIDE);
        pDummy->SetParent(pDummy->GetOwner());
        return FALSE;
    }
    if (bSmart)
        pTabs->ShowTab(index, FALSE, TRUE, FALSE);
    m_pTargetBar = pTarget;
    m_hTargetBar = pTarget->GetSafeHwnd();
    m_nInsertedTabIndex = index;
    return TRUE;
}

void CKGPDragFrameImpl::RemoveTabPreview()
{
    CKGPBaseTabbedBar* pTarget = GetTabPreviewTarget();
    if (pTarget != nullptr)
        m_hPrevTargetBar = m_hTargetBar;
    m_pTargetBar = nullptr;
    m_hTargetBar = nullptr;
    m_nInsertedTabIndex = -1;
    CKGPDummyDockingControlBar* pDummy = m_pDummyBar.get();
    if (pDummy == nullptr || pDummy->GetSafeHwnd() == nullptr)
        return;
    CKGPBaseTabWnd* pTabs = pTarget != nullptr ? pTarget->GetTabWnd() : nullptr;
    if (pTabs != nullptr && pTabs->GetSafeHwnd() != nullptr) {
        // Found by its window: a drop may have put tabs before it.
        const int index = pTabs->GetTabFromHwnd(pDummy->GetSafeHwnd());
        if (index >= 0) {
            // Without the markers the layout waits (the tab strip alone changes).
            CRecalcSuspension suspension(RunningSmartDocking() == nullptr ? m_pDockManager : nullptr);
            pTabs->RemoveTab(index, TRUE);
        }
    }
    // Back, hidden, under its owner (a tab window that destroys the windows
    // of its removed tabs has taken it: a new one is made when needed).
    if (pDummy->GetSafeHwnd() != nullptr) {
        pDummy->ShowWindow(SW_HIDE);
        if (CWnd* pOwner = pDummy->GetOwner())
            pDummy->SetParent(pOwner);
    }
}

CKGPSmartDockingManager* CKGPDragFrameImpl::RunningSmartDocking() const
{
    CKGPSmartDockingManager* pSmart = m_pDockManager != nullptr ? m_pDockManager->GetSmartDockingManager() : nullptr;
    return pSmart != nullptr && pSmart->IsStarted() ? pSmart : nullptr;
}

void CKGPDragFrameImpl::DrawFrame(const CRect& rect, int nWidth)
{
    DrawFrame(kgp::smartdock::TabbedPlace{{rect.left, rect.top, rect.right, rect.bottom}, {}}, nWidth);
}

void CKGPDragFrameImpl::DrawFrame(const kgp::smartdock::TabbedPlace& shape, int nWidth)
{
    CWindowDC desktop(static_cast<HWND>(nullptr));
    if (desktop.m_hDC == nullptr)
        return;
    // Drawn with an inverting pattern: the bands drawn last, drawn again, go.
    const HDC hdc = desktop.GetSafeHdc();
    CSelectionScope brush(hdc, CDC::GetHalftoneBrush()->m_hObject);
    auto invert = [hdc](const std::vector<kgp::Box>& bands) {
        for (const kgp::Box& band : bands)
            ::PatBlt(hdc, band.left, band.top, band.Width(), band.Height(), PATINVERT);
    };
    invert(m_drawnBands);
    m_drawnBands = kgp::smartdock::OutlineBands(shape, nWidth);
    invert(m_drawnBands);
    m_bFrameShown = !m_drawnBands.empty();
}
