// CDockBar: the rows of bars docked at one side of a frame, or the one bar of
// a floating frame.
#include <afxwin.h>
#include <afxext.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating) {}

CDockBar::~CDockBar()
{
    for (const DockedBar& docked : m_arrBars)
        if (docked.pBar->m_pDockBar == this)
            docked.pBar->m_pDockBar = nullptr;
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    return CWnd::Create(windowClass, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    if (pBar->m_pDockBar != nullptr)
        pBar->m_pDockBar->RemoveControlBar(pBar);
    int nRow = 0;
    int nOffset = 0;
    for (const DockedBar& docked : m_arrBars)
        nRow = std::max(nRow, docked.nRow + 1); // no rectangle: a row of its own after the others
    if (lpRect != nullptr && m_hWnd != nullptr && !m_bFloating) {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        const int across = IsHorz() ? rect.CenterPoint().y : rect.CenterPoint().x;
        nOffset = std::max(0, static_cast<int>(IsHorz() ? rect.left : rect.top));
        CRect client;
        GetClientRect(&client);
        // The row under the rectangle's centre; before the first or after the last when outside.
        int nFirstRow = nRow;
        for (const auto& [bar, placed] : Arrange(IsHorz() ? client.Width() : client.Height())) {
            const auto found = std::find_if(m_arrBars.begin(), m_arrBars.end(),
                                            [bar = bar](const DockedBar& docked) { return docked.pBar == bar; });
            nFirstRow = std::min(nFirstRow, found->nRow);
            const int from = IsHorz() ? placed.top : placed.left;
            const int to = IsHorz() ? placed.bottom : placed.right;
            if (across >= from && across < to) {
                nRow = found->nRow;
                break;
            }
        }
        if (across < 0 && nFirstRow != nRow)
            nRow = nFirstRow - 1;
    }
    ::SetParent(pBar->m_hWnd, m_hWnd);
    pBar->m_pDockBar = this;
    pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY) |
                      (m_bFloating ? CBRS_FLOATING : 0);
    m_arrBars.push_back(DockedBar{pBar, nRow, nOffset});
    LayoutBars();
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar)
{
    auto found = std::find_if(m_arrBars.begin(), m_arrBars.end(),
                              [pBar](const DockedBar& docked) { return docked.pBar == pBar; });
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
                                          [](const DockedBar& docked) { return docked.pBar->IsVisible(); }));
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

std::vector<std::pair<CControlBar*, CRect>> CDockBar::Arrange(int nLength) const
{
    std::vector<DockedBar> visible;
    for (const DockedBar& docked : m_arrBars)
        if (docked.pBar->IsVisible())
            visible.push_back(docked);
    std::stable_sort(visible.begin(), visible.end(), [](const DockedBar& a, const DockedBar& b) {
        return a.nRow != b.nRow ? a.nRow < b.nRow : a.nOffset < b.nOffset;
    });
    std::vector<std::pair<CControlBar*, CRect>> placed;
    const BOOL bHorz = IsHorz();
    int across = 0;
    for (size_t first = 0; first < visible.size();) {
        size_t last = first;
        int thickness = 0;
        while (last < visible.size() && visible[last].nRow == visible[first].nRow) {
            const CSize size = BarSize(visible[last].pBar);
            thickness = std::max<int>(thickness, bHorz ? size.cy : size.cx);
            ++last;
        }
        int along = 0;
        for (size_t i = first; i < last; ++i) {
            CControlBar* pBar = visible[i].pBar;
            const CSize size = BarSize(pBar);
            int length = bHorz ? size.cx : size.cy;
            int start = std::max(visible[i].nOffset, along);
            if (nLength > 0) {
                start = std::max(along, std::min(start, nLength - length)); // kept inside when it can be
                if (i + 1 == last && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC))
                    length = std::max(length, nLength - start); // the last sizing bar fills its row
                length = std::min(length, std::max(nLength - start, 0));
            }
            placed.emplace_back(pBar, bHorz ? CRect(start, across, start + length, across + thickness)
                                            : CRect(across, start, across + thickness, start + length));
            along = start + length;
        }
        across += thickness;
        first = last;
    }
    return placed;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect bounds(0, 0, 0, 0);
    for (const auto& [bar, rect] : Arrange(0))
        bounds.UnionRect(bounds, rect);
    if (bounds.IsRectEmpty())
        return CSize(0, 0); // nothing shown: the dock bar takes no room
    return Stretched(CSize(bounds.right, bounds.bottom), bStretch, bHorz);
}

void CDockBar::LayoutBars()
{
    if (m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    if (m_bFloating) {
        for (const DockedBar& docked : m_arrBars)
            docked.pBar->SetWindowPos(static_cast<HWND>(nullptr), 0, 0, client.Width(), client.Height(),
                                      SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    for (const auto& [bar, rect] : Arrange(IsHorz() ? client.Width() : client.Height()))
        bar->SetWindowPos(static_cast<HWND>(nullptr), rect.left, rect.top, rect.Width(), rect.Height(),
                          SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDockBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    LayoutBars();
}

// Docked bars get their own idle update.
void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}
