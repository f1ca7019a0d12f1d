#include "guilib/docking/KGPAutoHideToolBar.h"

#include "guilib/core/KGPMemDC.h"
#include "guilib/docking/KGPAutoHideButton.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockBarRow.h"
#include "guilib/docking/KGPDockingControlBar.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CKGPAutoHideToolBar, CKGPControlBar)

CRuntimeClass* CKGPAutoHideToolBar::m_pAutoHideButtonRTS = RUNTIME_CLASS(CKGPAutoHideButton);
UINT CKGPAutoHideToolBar::m_nShowAHWndDelay = kgp::autohide::kHoverDelayMs;
BOOL CKGPAutoHideToolBar::m_bShowTextOnlyActive = TRUE;

BEGIN_MESSAGE_MAP(CKGPAutoHideToolBar, CKGPControlBar)
    ON_WM_CREATE()
    ON_WM_MOUSEMOVE()
    ON_WM_NCDESTROY()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CKGPAutoHideToolBar::~CKGPAutoHideToolBar() = default;

int CKGPAutoHideToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    EnableGripper(FALSE);
    return 0;
}

void CKGPAutoHideToolBar::PostNcDestroy()
{
    delete this; // made with new by the dock manager; goes with its window
}

void CKGPAutoHideToolBar::LayoutButtons()
{
    const kgp::autohide::Edge edge = kgp::autohide::EdgeOf(GetCurrentAlignment());
    std::vector<kgp::autohide::Size> sizes;
    int across = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        const CKGPAutoHideButton* pButton = m_lstButtons.GetNext(pos);
        const CSize size = pButton->IsVisible() ? pButton->GetSize() : CSize(0, 0);
        sizes.push_back({size.cx, size.cy});
        across = (std::max)(across, static_cast<int>(kgp::autohide::IsHorizontalEdge(edge) ? size.cy : size.cx));
    }
    const std::vector<kgp::autohide::Box> boxes = kgp::autohide::LayoutButtons(sizes, edge, 0, across);
    size_t index = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; ++index) {
        const kgp::autohide::Box& box = boxes[index];
        m_lstButtons.GetNext(pos)->SetRect(CRect(box.left, box.top, box.right, box.bottom));
    }
}

CSize CKGPAutoHideToolBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    LayoutButtons();
    CSize size(0, 0);
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        const CKGPAutoHideButton* pButton = m_lstButtons.GetNext(pos);
        if (!pButton->IsVisible())
            continue;
        const CRect rect = pButton->GetRect();
        size.cx = (std::max)(size.cx, rect.right);
        size.cy = (std::max)(size.cy, rect.bottom);
    }
    (void)bHorz; // the buttons lie along the edge the bar stands at
    return size;
}

CKGPAutoHideButton* CKGPAutoHideToolBar::AddAutoHideWindow(CKGPDockingControlBar* pAutoHideWnd, DWORD dwAlignment)
{
    if (pAutoHideWnd == nullptr || !pAutoHideWnd->IsKindOf(RUNTIME_CLASS(CKGPDockingControlBar)))
        return nullptr;
    CObject* pObject = m_pAutoHideButtonRTS != nullptr ? m_pAutoHideButtonRTS->CreateObject() : nullptr;
    auto* pButton = DYNAMIC_DOWNCAST(CKGPAutoHideButton, pObject);
    if (pButton == nullptr) {
        delete pObject;
        return nullptr;
    }
    if (!pButton->Create(this, pAutoHideWnd, dwAlignment)) {
        delete pButton;
        return nullptr;
    }
    m_lstButtons.AddTail(pButton);
    const CSize size = CalcFixedLayout(FALSE, (dwAlignment & CBRS_ORIENT_HORZ) != 0);
    if (GetSafeHwnd() != nullptr)
        SetWindowPos(HWND{}, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return pButton;
}

BOOL CKGPAutoHideToolBar::RemoveAutoHideWindow(CKGPDockingControlBar* pAutoHideWnd)
{
    StopHoverTimer();
    POSITION found = nullptr;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        POSITION current = pos;
        if (m_lstButtons.GetNext(pos)->GetAutoHideWindow() == pAutoHideWnd)
            found = current;
    }
    if (found == nullptr)
        return FALSE;
    if (m_pHighlightedButton == m_lstButtons.GetAt(found))
        m_pHighlightedButton = nullptr;
    m_lstButtons.DeleteAt(found);
    if (pAutoHideWnd != nullptr)
        pAutoHideWnd->SetAutoHideParents(nullptr, nullptr);
    if (m_lstButtons.IsEmpty()) {
        // The last button gone: the bar leaves its strip.
        if (CKGPDockBar* pDockBar = GetParentDockBar()) {
            pDockBar->RemoveControlBar(this);
            SetParentDockBar(nullptr);
            CRect client;
            pDockBar->GetClientRect(client);
            pDockBar->OnResizeDockBar(client);
        }
    }
    const CSize size = CalcFixedLayout(FALSE, IsHorizontal());
    if (GetSafeHwnd() != nullptr)
        SetWindowPos(HWND{}, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void CKGPAutoHideToolBar::ShowAutoHideWindowOfPane(CKGPDockingControlBar* pAutoHideWnd, BOOL bShow)
{
    if (CKGPAutoHideButton* pButton = FindButtonByPane(pAutoHideWnd)) {
        pButton->ShowButton(bShow);
        UpdateInParentRow();
    }
}

void CKGPAutoHideToolBar::UnSetAutoHideMode(CKGPDockingControlBar* pFirstBarInGroup)
{
    // The panes go back one by one; the last takes this bar with it, so
    // nothing of it is read after the loop.
    std::vector<CKGPAutoHideButton*> buttons;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;)
        buttons.push_back(m_lstButtons.GetNext(pos));
    std::vector<CKGPDockingControlBar*> panes;
    for (CKGPAutoHideButton* pButton : buttons)
        panes.push_back(pButton->GetAutoHideWindow());
    for (CKGPDockingControlBar* pPane : panes) {
        if (pPane != nullptr)
            pPane->UnpinFromAutoHide(pFirstBarInGroup);
    }
}

int CKGPAutoHideToolBar::GetVisibleButtonsCount() const
{
    int count = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;)
        count += m_lstButtons.GetNext(pos)->IsVisible() ? 1 : 0;
    return count;
}

CKGPAutoHideButton* CKGPAutoHideToolBar::FindButtonByPane(const CKGPDockingControlBar* pPane) const
{
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        CKGPAutoHideButton* pButton = m_lstButtons.GetNext(pos);
        if (pButton->GetAutoHideWindow() == pPane)
            return pButton;
    }
    return nullptr;
}

CKGPDockingControlBar* CKGPAutoHideToolBar::GetFirstAttachedPane() const
{
    return m_lstButtons.IsEmpty() ? nullptr : m_lstButtons.GetHead()->GetAutoHideWindow();
}

CKGPDockingControlBar* CKGPAutoHideToolBar::GetLastAttachedPane() const
{
    return m_lstButtons.IsEmpty() ? nullptr : m_lstButtons.GetTail()->GetAutoHideWindow();
}

CKGPAutoHideButton* CKGPAutoHideToolBar::ButtonHitTest(CPoint point) const
{
    std::vector<kgp::autohide::Box> boxes;
    std::vector<bool> visible;
    std::vector<CKGPAutoHideButton*> buttons;
    int onTop = -1;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        CKGPAutoHideButton* pButton = m_lstButtons.GetNext(pos);
        const CRect rect = pButton->GetRect();
        if (pButton->IsTop())
            onTop = static_cast<int>(buttons.size());
        boxes.push_back({rect.left, rect.top, rect.right, rect.bottom});
        visible.push_back(pButton->IsVisible() != FALSE);
        buttons.push_back(pButton);
    }
    const int index = kgp::autohide::ButtonAt(boxes, visible, onTop, point.x, point.y);
    return index >= 0 ? buttons[static_cast<size_t>(index)] : nullptr;
}

void CKGPAutoHideToolBar::UpdateInParentRow()
{
    const CSize size = CalcFixedLayout(FALSE, IsHorizontal());
    if (GetSafeHwnd() != nullptr)
        SetWindowPos(HWND{}, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (CKGPDockBar* pDockBar = GetParentDockBar()) {
        CRect client;
        pDockBar->GetClientRect(client);
        pDockBar->OnResizeDockBar(client);
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKGPAutoHideToolBar::SetThirdOption(BOOL bActive)
{
    const BOOL bChanged = m_bActive != bActive;
    CKGPControlBar::SetThirdOption(bActive);
    if (bActive) {
        if (CKGPDockBarRow* pRow = GetDockBarRow()) {
            CObList group;
            pRow->CollectFollowingBars(this, group);
            for (POSITION pos = group.GetHeadPosition(); pos != nullptr;) {
                auto* pOther = DYNAMIC_DOWNCAST(CKGPAutoHideToolBar, group.GetNext(pos));
                if (pOther != nullptr && pOther != this && pOther->m_bActive)
                    pOther->SetThirdOption(FALSE);
            }
        }
    }
    if (bChanged)
        UpdateInParentRow(); // the texts come and go: the buttons change their lengths
}

void CKGPAutoHideToolBar::DoPaint(CDC* pDC)
{
    CKGPMemDC memory(*pDC, this);
    CDC& dc = memory.GetDC();
    CKGPControlBar::DoPaint(&dc);
    CKGPAutoHideButton* pOnTop = nullptr;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        CKGPAutoHideButton* pButton = m_lstButtons.GetNext(pos);
        if (!pButton->IsVisible())
            continue;
        if (pButton->IsTop())
            pOnTop = pButton;
        else
            pButton->OnDraw(&dc);
    }
    if (pOnTop != nullptr)
        pOnTop->OnDraw(&dc);
}

void CKGPAutoHideToolBar::KillHoverTimer()
{
    if (m_nHoverTimer != 0 && GetSafeHwnd() != nullptr)
        KillTimer(m_nHoverTimer);
    m_nHoverTimer = 0;
}

void CKGPAutoHideToolBar::StopHoverTimer()
{
    KillHoverTimer();
    // A wait whose timer is gone is over: a pending one would keep every
    // later hover from starting its own.
    m_hover.Cancel();
}

void CKGPAutoHideToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    CKGPAutoHideButton* pButton = ButtonHitTest(point);
    CKGPDockingControlBar* pPane = pButton != nullptr ? pButton->GetAutoHideWindow() : nullptr;
    const BOOL bHidden = pPane != nullptr && !pPane->IsWindowVisible();
    if (m_hover.OnMove(pButton != nullptr ? 0 : -1, bHidden != FALSE)) {
        KillHoverTimer();
        m_nHoverTimer = SetTimer(kgp::autohide::kHoverTimer, m_nShowAHWndDelay, nullptr);
    }
}

void CKGPAutoHideToolBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kgp::autohide::kHoverTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CKGPAutoHideButton* pButton = ButtonHitTest(cursor);
    const bool bShow = m_hover.OnTimer(pButton != nullptr ? 0 : -1);
    StopHoverTimer();
    if (bShow) {
        CKGPDockingControlBar* pPane = pButton->GetAutoHideWindow();
        if (pPane != nullptr && !pPane->IsWindowVisible())
            pButton->ShowAttachedWindow(TRUE);
    }
}

void CKGPAutoHideToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (CKGPAutoHideButton* pButton = ButtonHitTest(point)) {
        if (CKGPDockingControlBar* pPane = pButton->GetAutoHideWindow())
            pPane->SetFocus();
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CKGPAutoHideToolBar::OnNcDestroy()
{
    StopHoverTimer();
    // Panes still standing on it (their frame goes) forget it.
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        if (CKGPDockingControlBar* pPane = m_lstButtons.GetNext(pos)->GetAutoHideWindow())
            pPane->SetAutoHideParents(nullptr, nullptr);
    }
    CKGPControlBar::OnNcDestroy();
}
