#include "guilib/docking/KGPDragFrameImpl.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSmartDockingManager.h"

CKGPDragFrameImpl::~CKGPDragFrameImpl()
{
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
    if (!bFar && !m_bFrameShown && !bForceMove)
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
                m_bTabShape = !m_tabbedPlace.body.IsEmpty();
            }
        }
    }
    if (CKGPSmartDockingManager* pSmart = RunningSmartDocking()) {
        // The markers run: the place marker stands for the outline (shown
        // while a marker is hot), and no outline is drawn.
        if (m_bFrameShown)
            DrawFrame(CRect(0, 0, 0, 0), 0);
        if (m_bTabShape)
            pSmart->ShowTabbedPlaceMarker(m_tabbedPlace);
        else
            pSmart->ShowPlaceMarker(m_rectExpectedDocked.IsRectEmpty() ? m_rectDrag : m_rectExpectedDocked);
        return;
    }
    const CKGPGlobalData& data = GetKGPGlobalData();
    if (m_bTabShape)
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
        m_rectDrag.SetRectEmpty();
        m_rectExpectedDocked.SetRectEmpty();
        m_pTargetDockBar = nullptr;
        m_bTabShape = FALSE;
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
