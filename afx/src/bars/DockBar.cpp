// CDockBar: the bars docked at one side of a frame.
#include <afxwin.h>
#include <afxext.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CDockBar::CDockBar() = default;

CDockBar::~CDockBar()
{
    for (CControlBar* bar : m_arrBars)
        if (bar->m_pDockBar == this)
            bar->m_pDockBar = nullptr;
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    return CWnd::Create(windowClass, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    if (pBar->m_pDockBar != nullptr && pBar->m_pDockBar != this)
        pBar->m_pDockBar->RemoveControlBar(pBar);
    ::SetParent(pBar->m_hWnd, m_hWnd);
    pBar->m_pDockBar = this;
    pBar->m_dwStyle = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY);
    if (std::find(m_arrBars.begin(), m_arrBars.end(), pBar) == m_arrBars.end())
        m_arrBars.push_back(pBar);
    LayoutBars();
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar)
{
    auto found = std::find(m_arrBars.begin(), m_arrBars.end(), pBar);
    if (found == m_arrBars.end())
        return FALSE;
    m_arrBars.erase(found);
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;
    LayoutBars();
    return TRUE;
}

int CDockBar::GetDockedVisibleCount() const
{
    return static_cast<int>(std::count_if(m_arrBars.begin(), m_arrBars.end(),
                                          [](CControlBar* bar) { return bar->IsVisible(); }));
}

CSize CDockBar::BarSize(CControlBar* pBar) const
{
    // A sizing bar answers CalcDynamicLayout with the size the user gave it.
    if (IsHorz()) {
        if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
            return pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
        return pBar->CalcFixedLayout(FALSE, TRUE);
    }
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
        return pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
    return pBar->CalcFixedLayout(FALSE, FALSE);
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize total(0, 0);
    for (CControlBar* bar : m_arrBars) {
        if (!bar->IsVisible())
            continue;
        // Rows (top/bottom) or a column (left/right): stacked either way.
        const CSize size = BarSize(bar);
        total.cx = std::max(total.cx, size.cx);
        total.cy += size.cy;
    }
    if (total.cx == 0 && total.cy == 0)
        return total;  // nothing shown: the dock bar takes no room
    return Stretched(total, bStretch, bHorz);
}

void CDockBar::LayoutBars()
{
    if (m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    std::vector<CControlBar*> visible;
    for (CControlBar* bar : m_arrBars)
        if (bar->IsVisible())
            visible.push_back(bar);
    if (visible.empty())
        return;
    if (IsHorz()) {
        // One row per bar, each as wide as it wants (at most the dock bar).
        int top = 0;
        for (CControlBar* bar : visible) {
            const CSize size = BarSize(bar);
            const int width = std::min<int>(size.cx, client.Width());
            bar->SetWindowPos(static_cast<HWND>(nullptr), 0, top, width, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
            top += size.cy;
        }
        return;
    }
    // Stacked vertically, full width, the height shared out.
    const int count = static_cast<int>(visible.size());
    int top = 0;
    for (int i = 0; i < count; ++i) {
        const int bottom = client.Height() * (i + 1) / count;
        visible[static_cast<std::size_t>(i)]->SetWindowPos(static_cast<HWND>(nullptr), 0, top, client.Width(),
                                                          bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
        top = bottom;
    }
}

void CDockBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    LayoutBars();
}

// Docked bars get their own idle update.
void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}
