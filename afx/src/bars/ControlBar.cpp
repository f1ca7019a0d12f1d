// CControlBar: layout negotiation, idle update, forwarding to the owner.
#include <afxwin.h>
#include <afxext.h>

#include <algorithm>

namespace {

// A bar docked left or right is laid out as one docked at the top or bottom
// of the same space with x and y swapped.
CRect Swapped(const RECT& rect)
{
    return CRect(rect.top, rect.left, rect.bottom, rect.right);
}

CSize Swapped(SIZE size)
{
    return CSize(size.cy, size.cx);
}

// Takes a row of the bar's height from the top (or the bottom) of the free
// space and answers the bar's place: the whole width when stretched, else
// its own. total grows by the row.
CRect TakeRow(RECT& free, SIZE& total, SIZE size, bool atTop, bool stretch)
{
    total.cy += size.cy;
    total.cx = std::max(total.cx, size.cx);
    CRect place(free);
    if (!stretch)
        place.right = place.left + size.cx;
    if (atTop) {
        place.bottom = place.top + size.cy;
        free.top += size.cy;
    } else {
        place.top = place.bottom - size.cy;
        free.bottom -= size.cy;
    }
    return place;
}

} // namespace

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    if (m_pDockSite != nullptr)
        m_pDockSite->RemoveControlBar(this);
    delete m_pDockContext;
}

BOOL CControlBar::IsFloating() const
{
    return m_pDockBar != nullptr && m_pDockBar->m_bFloating;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    const DWORD old = m_dwStyle;
    m_dwStyle = dwStyle & CBRS_ALL;
    if (old != m_dwStyle && m_hWnd != nullptr)
        Invalidate();
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
    if (m_dwDockStyle != 0 && m_pDockContext == nullptr)
        m_pDockContext = new CDockContext(this);
}

// A press on the bar itself (not on one of its tools) drags it; a double
// click floats or docks it.
void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pDockContext != nullptr && m_pDockSite != nullptr && OnToolHitTest(point, nullptr) == -1) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockContext != nullptr && m_pDockSite != nullptr && OnToolHitTest(point, nullptr) == -1) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = std::max(cxLeft, 0);
    m_cyTopBorder = std::max(cyTop, 0);
    m_cxRightBorder = std::max(cxRight, 0);
    m_cyBottomBorder = std::max(cyBottom, 0);
}

CRect CControlBar::GetBorders() const
{
    return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
}

BOOL CControlBar::IsDockBar() const
{
    return IsKindOf(RUNTIME_CLASS(CDockBar));
}

BOOL CControlBar::IsVisible() const
{
    return m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0;
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    return m_pDockSite != nullptr ? m_pDockSite : GetParentFrame();
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL) const
{
    rect.left += m_cxLeftBorder;
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    return Stretched(CSize(-inside.Width(), -inside.Height()), bStretch, bHorz);
}

CSize CControlBar::Stretched(CSize size, BOOL bStretch, BOOL bHorz)
{
    if (bStretch) {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
}

void CControlBar::DrawBorders(CDC*, CRect&) {}

void CControlBar::DelayShow(BOOL bShow)
{
    ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (CFrameWnd* frame = GetDockingFrame())
        frame->DelayRecalcLayout();
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    // A bar belongs to its parent frame (through a dock bar when created in one).
    if (m_pDockSite == nullptr) {
        CWnd* parent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
        if (parent != nullptr) {
            if (CFrameWnd* frame = parent->AsFrameWnd())
                m_pDockSite = frame;
            else if (parent->IsKindOf(RUNTIME_CLASS(CControlBar)))
                m_pDockSite = static_cast<CControlBar*>(parent)->m_pDockSite;
        }
    }
    if (m_pDockSite != nullptr)
        m_pDockSite->AddControlBar(this);
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockBar != nullptr) {
        m_pDockBar->RemoveControlBar(this);
        m_pDockBar = nullptr;
    }
    if (m_pDockSite != nullptr) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CControlBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    CWnd::OnWindowPosChanging(lpWndPos);
    // Shown or hidden outside ShowControlBar (ShowWindow on the bar): the
    // frame lays out again at idle time.
    if (lpWndPos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
        if (CFrameWnd* frame = GetDockingFrame())
            frame->DelayRecalcLayout();
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const DWORD align = m_dwStyle & CBRS_ALIGN_ANY;
    if (layout == nullptr || align == 0 || (GetStyle() & WS_VISIBLE) == 0)
        return 0;

    const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    DWORD mode = layout->bStretch ? LM_STRETCH : 0;
    mode |= horz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, mode);

    const CRect free(layout->rect);
    size.cx = std::clamp<LONG>(size.cx, 0, std::max<LONG>(free.Width(), 0));
    size.cy = std::clamp<LONG>(size.cy, 0, std::max<LONG>(free.Height(), 0));

    const bool stretch = layout->bStretch != FALSE;
    CRect place;
    if (horz) {
        place = TakeRow(layout->rect, layout->sizeTotal, size, (align & CBRS_ALIGN_TOP) != 0, stretch);
    } else {
        RECT rest = Swapped(layout->rect);
        SIZE total = Swapped(layout->sizeTotal);
        place = Swapped(TakeRow(rest, total, Swapped(size), (align & CBRS_ALIGN_LEFT) != 0, stretch));
        layout->rect = Swapped(rest);
        layout->sizeTotal = Swapped(total);
    }
    if (layout->hDWP != nullptr)
        AfxRepositionWindow(layout, m_hWnd, &place);
    return 0;
}

CFrameWnd* CControlBar::GetUpdateTarget() const
{
    // The owner when it is a frame, else the frame the bar sits in: a bar on
    // a dialog page is updated by the main frame's handlers.
    CWnd* owner = GetOwner();
    if (owner != nullptr)
        if (CFrameWnd* frame = owner->AsFrameWnd())
            return frame;
    return GetParentFrame();
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if ((GetStyle() & WS_VISIBLE) == 0)
        return 0;
    if (CFrameWnd* target = GetUpdateTarget())
        OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    return 0;
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Child windows inside the bar talk to the bar; their commands and
    // notifications go to the bar's owner after the child had its chance.
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnWndMsg(message, wParam, lParam, &result))
            return result;
        CWnd* owner = GetOwner();
        if (owner != nullptr && owner->m_hWnd != nullptr)
            return owner->SendMessage(message, wParam, lParam);
        break;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM: {
        HWND item = nullptr;
        if (message == WM_DRAWITEM)
            item = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->hwndItem;
        else if (message == WM_COMPAREITEM)
            item = reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem;
        else if (message == WM_DELETEITEM)
            item = reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem;
        else
            item = ::GetDlgItem(m_hWnd, static_cast<int>(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)->CtlID));
        LRESULT result = 0;
        if (item != nullptr && CWnd::ReflectLastMsg(item, &result))
            return result;
        CWnd* owner = GetOwner();
        if (owner != nullptr && owner->m_hWnd != nullptr)
            return owner->SendMessage(message, wParam, lParam);
        break;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
