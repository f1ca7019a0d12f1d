#include "guilib/docking/KGPCaptionLayout.h"

#include "guilib/core/KGPLocalResource.h"

#include <algorithm>

namespace KGPCaption {

namespace {

constexpr UINT kStringPinTip = 16033;
constexpr UINT kStringCloseTip = 16105;
constexpr UINT kStringMenuTip = 17017;

CKGPCaptionButton* ButtonAt(const CObList& buttons, POSITION& pos)
{
    return static_cast<CKGPCaptionButton*>(buttons.GetNext(pos));
}

}  // namespace

void ArrangeButtons(const CObList& buttons, const CRect& caption)
{
    const CSize size = CKGPCaptionButton::GetSize();
    const int top = caption.top + (caption.Height() - size.cy) / 2;
    int nextLeft = caption.left;
    int nextRight = caption.right;
    for (POSITION pos = buttons.GetTailPosition(); pos != nullptr;) {
        auto* button = static_cast<CKGPCaptionButton*>(buttons.GetPrev(pos));
        if (button->m_bHidden) {
            continue;
        }
        if (button->m_bLeftAlign) {
            button->m_ptOrg = CPoint(nextLeft, top);
            nextLeft += size.cx + kButtonSpacing;
        } else {
            const int x = std::max<int>(nextRight - size.cx, caption.left);
            button->m_ptOrg = CPoint(x, top);
            nextRight = x - kButtonSpacing;
        }
    }
}

void ArrangePaneButtons(const CObList& buttons, const CRect& caption, int edgeMargin, int vertAdjust)
{
    const CSize size = CKGPCaptionButton::GetSize();
    const int top = caption.top + (caption.Height() - size.cy) / 2 - vertAdjust;
    int nextRight = caption.right - edgeMargin - size.cx;
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        auto* button = static_cast<CKGPCaptionButton*>(buttons.GetNext(pos));
        button->m_bPushed = FALSE;
        button->m_bFocused = FALSE;
        if (caption.Height() <= 0)
            button->m_bHidden = TRUE;
        if (button->m_bHidden || button->m_bLeftAlign)
            continue;
        button->m_ptOrg = CPoint(nextRight, top);
        nextRight -= size.cx + kPaneButtonGap;
    }
    int nextLeft = caption.left + edgeMargin;
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        auto* button = static_cast<CKGPCaptionButton*>(buttons.GetNext(pos));
        if (button->m_bHidden || !button->m_bLeftAlign)
            continue;
        if (nextLeft + size.cx > nextRight + size.cx) {
            button->m_bHidden = TRUE;
            continue;
        }
        button->m_ptOrg = CPoint(nextLeft, top);
        nextLeft += size.cx + kPaneButtonGap;
    }
}

namespace {

BOOL IsMirrored(const CWnd* pWnd)
{
    return (pWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

} // namespace

CPoint WindowPointFromScreen(const CWnd* pWnd, CPoint ptScreen)
{
    CRect window;
    pWnd->GetWindowRect(window);
    // Mirrored, the pixel at x stands at (width - 1 - x) on the screen.
    return IsMirrored(pWnd) ? CPoint(window.right - 1 - ptScreen.x, ptScreen.y - window.top)
                            : CPoint(ptScreen.x - window.left, ptScreen.y - window.top);
}

CRect ScreenRectFromWindow(const CWnd* pWnd, const CRect& rectInWindow)
{
    CRect window;
    pWnd->GetWindowRect(window);
    if (!IsMirrored(pWnd))
        return rectInWindow + window.TopLeft();
    return CRect(window.right - rectInWindow.right, window.top + rectInWindow.top, window.right - rectInWindow.left,
                 window.top + rectInWindow.bottom);
}

CKGPCaptionButton* FindButtonAtPoint(const CObList& buttons, CPoint point, CPoint captionOrigin)
{
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        CKGPCaptionButton* button = ButtonAt(buttons, pos);
        CRect rect = button->GetRect();
        rect.OffsetRect(captionOrigin);
        if (!button->m_bHidden && rect.PtInRect(point)) {
            return button;
        }
    }
    return nullptr;
}

CKGPCaptionButton* FindButtonByToolId(const CObList& buttons, UINT_PTR id)
{
    if (id < 1 || id > static_cast<UINT_PTR>(buttons.GetCount())) {
        return nullptr;
    }
    POSITION pos = buttons.FindIndex(static_cast<INT_PTR>(id - 1));
    return pos != nullptr ? static_cast<CKGPCaptionButton*>(buttons.GetAt(pos)) : nullptr;
}

CKGPCaptionButton* FindButtonByHit(const CObList& buttons, UINT hit)
{
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        CKGPCaptionButton* button = ButtonAt(buttons, pos);
        if (button->GetHit() == hit) {
            return button;
        }
    }
    return nullptr;
}

void MoveFocus(const CObList& buttons, UINT fromHit, UINT toHit,
               const std::function<void(CKGPCaptionButton*)>& redraw)
{
    if (fromHit == toHit) {
        return;
    }
    if (CKGPCaptionButton* from = FindButtonByHit(buttons, fromHit)) {
        from->m_bFocused = FALSE;
        redraw(from);
    }
    if (CKGPCaptionButton* to = FindButtonByHit(buttons, toHit)) {
        to->m_bFocused = TRUE;
        redraw(to);
    }
}

void UpdateToolRects(CToolTipCtrl* pToolTip, CWnd* pOwner, const CObList& buttons)
{
    if (pToolTip == nullptr || pToolTip->GetSafeHwnd() == nullptr || pOwner->GetSafeHwnd() == nullptr) {
        return;
    }
    UINT_PTR id = 1;
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr; ++id) {
        const CKGPCaptionButton* button = ButtonAt(buttons, pos);
        CRect rect(0, 0, 0, 0);
        if (!button->m_bHidden) {
            // Where it shows, in the owner's client coordinates (mirrored as
            // its window's under right-to-left layout).
            rect = ScreenRectFromWindow(pOwner, button->GetRect());
            pOwner->ScreenToClient(rect);
            rect.NormalizeRect();
        }
        pToolTip->SetToolRect(pOwner, id, rect);
    }
}

void AnswerToolTipText(NMHDR* pNMH, UINT nString, LPCTSTR lpszFallback, LRESULT* pResult)
{
    static CString s_text; // the tooltip reads the text after the handler returns
    {
        CKGPLocalResource library;
        if (!s_text.LoadString(nString)) {
            s_text = lpszFallback;
        }
    }
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMH);
    info->lpszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(s_text));
    *pResult = 0;
}

UINT TooltipStringId(UINT hit)
{
    switch (hit) {
    case HTMINBUTTON:
    case HTMAXBUTTON:
        return kStringPinTip;
    case HTCLOSE:
        return kStringCloseTip;
    case kHitPageMenu:
        return kStringMenuTip;
    default:
        return 0;
    }
}

namespace {

UINT HitTestToolbarEdges(const FrameGeometry& f, CPoint p)
{
    const CRect& w = f.window;
    if (p.y < w.top + f.border.top) {
        return HTTOP;
    }
    if (p.x < w.left + f.border.left) {
        return HTLEFT;
    }
    if (p.y >= w.bottom - f.border.bottom) {
        return HTBOTTOM;
    }
    if (p.x >= w.right - f.border.right) {
        return HTRIGHT;
    }
    return kHitDefault;
}

UINT HitTestPaneEdges(const FrameGeometry& f, CPoint p)
{
    const CRect& w = f.window;
    const int cx = f.corner.cx;
    const int cy = f.corner.cy;
    const BOOL nearTop = p.y < w.top + cy;
    const BOOL nearBottom = p.y >= w.bottom - cy;
    const BOOL nearLeft = p.x < w.left + cx;
    const BOOL nearRight = p.x >= w.right - cx;
    if (nearTop && nearLeft) {
        return HTTOPLEFT;
    }
    if (p.y < w.top + f.border.top && !nearRight) {
        return HTTOP;
    }
    if (nearTop && nearRight) {
        return HTTOPRIGHT;
    }
    if (p.x >= w.right - f.border.right && !nearBottom) {
        return HTRIGHT;
    }
    if (nearBottom && nearRight) {
        return HTBOTTOMRIGHT;
    }
    if (p.y >= w.bottom - f.border.bottom && !nearLeft) {
        return HTBOTTOM;
    }
    if (nearBottom && nearLeft) {
        return HTBOTTOMLEFT;
    }
    if (p.x < w.left + f.border.left) {
        return HTLEFT;
    }
    return kHitDefault;
}

}  // namespace

UINT HitTestFrame(const FrameGeometry& frame, const CObList& buttons, CPoint point, BOOL bDetectCaption)
{
    if (!frame.window.PtInRect(point)) {
        return HTNOWHERE;
    }
    if (frame.client.PtInRect(point)) {
        return HTCLIENT;
    }
    const CRect caption(frame.window.left + frame.border.left, frame.window.top + frame.border.top,
                        frame.window.right - frame.border.right,
                        frame.window.top + frame.border.top + frame.captionHeight);
    if (!caption.PtInRect(point)) {
        return frame.hostsToolbar ? HitTestToolbarEdges(frame, point) : HitTestPaneEdges(frame, point);
    }
    if (bDetectCaption) {
        return HTCAPTION;
    }
    // Button places are kept relative to the window's top-left corner (its
    // top-right one, mirrored, under right-to-left layout).
    const CPoint inWindow = frame.mirrored ? CPoint(frame.window.right - 1 - point.x, point.y - frame.window.top)
                                           : CPoint(point.x - frame.window.left, point.y - frame.window.top);
    const CKGPCaptionButton* button = FindButtonAtPoint(buttons, inWindow);
    return button != nullptr ? button->GetHit() : HTCLIENT;
}

BOOL SizingAlongWidth(UINT side)
{
    return side == WMSZ_LEFT || side == WMSZ_RIGHT;
}

int SizingLength(const ToolbarSizing& sizing)
{
    if (SizingAlongWidth(sizing.side)) {
        if (sizing.dragged.Width() == sizing.window.Width())
            return -1;
        return (std::max)(0, sizing.dragged.Width() - static_cast<int>(sizing.frame.cx));
    }
    if (sizing.dragged.Height() == sizing.window.Height())
        return -1;
    return (std::max)(0, sizing.dragged.Height() - static_cast<int>(sizing.frame.cy));
}

CRect FitToolbarSizing(const ToolbarSizing& sizing, CSize content)
{
    const CRect& window = sizing.window;
    if (content.cx <= 0 || content.cy <= 0)
        return window;
    const CSize size = content + sizing.frame;
    const BOOL bWidth = SizingAlongWidth(sizing.side);
    // The bar has taken its new rows (and records their width): the frame
    // stays only if it already holds them. Rows as wide as before but fewer
    // (a button wider than the length the bar had wrapped at) change the
    // other side alone, and a frame left at the old size came back at the
    // rows' size after a restart.
    if (size.cx == window.Width() && size.cy == window.Height())
        return window;
    CRect fitted = window;
    if (sizing.side == WMSZ_LEFT)
        fitted.left = window.right - size.cx;
    else
        fitted.right = window.left + size.cx;
    const BOOL bBottom = sizing.side == WMSZ_BOTTOM || sizing.side == WMSZ_BOTTOMLEFT ||
                         sizing.side == WMSZ_BOTTOMRIGHT;
    if (bWidth || bBottom)
        fitted.bottom = window.top + size.cy;
    else
        fitted.top = window.bottom - size.cy;
    return fitted;
}

}  // namespace KGPCaption
