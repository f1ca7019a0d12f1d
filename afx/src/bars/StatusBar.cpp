// CStatusBar: indicator panes on the status bar common control.
#include <afxwin.h>
#include <afxext.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, &CStatusBar::OnSetText)
    ON_MESSAGE(WM_GETTEXT, &CStatusBar::OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, &CStatusBar::OnGetTextLength)
END_MESSAGE_MAP()

namespace {

// Room around a pane's text (borders and margins of the control).
constexpr int kPanePadding = 8;
// The size grip at the right end.
constexpr int kGripWidth = 16;

class CStatusCmdUI : public CCmdUI {
public:
    explicit CStatusCmdUI(CStatusBar& bar) : m_bar(bar) {}

    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        const UINT style = m_bar.GetPaneStyle(static_cast<int>(m_nIndex));
        const UINT updated = bOn ? style & ~SBPS_DISABLED : style | SBPS_DISABLED;
        if (updated != style)
            m_bar.SetPaneStyle(static_cast<int>(m_nIndex), updated);
    }

    void SetCheck(int nCheck) override
    {
        const UINT style = m_bar.GetPaneStyle(static_cast<int>(m_nIndex));
        const UINT updated = nCheck ? style | SBPS_POPOUT : style & ~SBPS_POPOUT;
        if (updated != style)
            m_bar.SetPaneStyle(static_cast<int>(m_nIndex), updated);
    }

    void SetText(LPCTSTR lpszText) override
    {
        if (m_bar.GetPaneText(static_cast<int>(m_nIndex)) != (lpszText ? lpszText : L""))
            m_bar.SetPaneText(static_cast<int>(m_nIndex), lpszText);
    }

private:
    CStatusBar& m_bar;
};

} // namespace

CStatusBar::CStatusBar()
{
    m_cyTopBorder = 2;
    m_cyBottomBorder = 2;
}

CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD windowStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | WS_CHILD | CCS_NOPARENTALIGN | CCS_NORESIZE |
                        CCS_NODIVIDER | WS_CLIPCHILDREN;
    // A grip only where the parent can be resized.
    if (pParentWnd != nullptr && pParentWnd->m_hWnd != nullptr && (pParentWnd->GetStyle() & WS_THICKFRAME))
        windowStyle |= SBARS_SIZEGRIP;
    return CWnd::Create(STATUSCLASSNAMEW, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CStatusBar::TextWidth(const CString& text) const
{
    if (text.IsEmpty() || m_hWnd == nullptr)
        return 0;
    CClientDC dc(m_hWnd);
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HGDIOBJ old = ::SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    const int width = dc.GetTextExtent(text).cx;
    ::SelectObject(dc, old);
    return width;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || (nIDCount > 0 && lpIDArray == nullptr))
        return FALSE;
    BOOL allLoaded = TRUE;
    m_panes.assign(static_cast<std::size_t>(nIDCount), Pane{});
    for (int i = 0; i < nIDCount; ++i) {
        Pane& pane = m_panes[static_cast<std::size_t>(i)];
        pane.nID = lpIDArray[i];
        if (pane.nID != ID_SEPARATOR) {
            if (!pane.strText.LoadString(pane.nID))
                allLoaded = FALSE;
            pane.cxText = TextWidth(pane.strText);
        }
    }
    // The first separator pane is the message pane: it takes the spare width.
    if (!m_panes.empty() && m_panes.front().nID == ID_SEPARATOR)
        m_panes.front().nStyle = SBPS_NOBORDERS | SBPS_STRETCH;
    m_nCount = nIDCount;
    UpdateParts();
    return allLoaded;
}

void CStatusBar::UpdateParts()
{
    if (m_hWnd == nullptr || m_panes.empty())
        return;
    CRect client;
    GetClientRect(&client);
    int fixed = 0;
    for (const Pane& pane : m_panes)
        if ((pane.nStyle & SBPS_STRETCH) == 0)
            fixed += pane.cxText + kPanePadding;
    const int grip = (GetStyle() & SBARS_SIZEGRIP) ? kGripWidth : 0;
    const int stretch = std::max(0, client.Width() - fixed - grip);

    std::vector<int> edges(m_panes.size());
    int right = 0;
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        const Pane& pane = m_panes[i];
        right += (pane.nStyle & SBPS_STRETCH) ? stretch : pane.cxText + kPanePadding;
        edges[i] = right;
    }
    edges.back() = -1;  // the last pane runs to the end
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (std::size_t i = 0; i < m_panes.size(); ++i)
        ShowPaneText(static_cast<int>(i));
}

void CStatusBar::ShowPaneText(int nIndex)
{
    const Pane& pane = m_panes[static_cast<std::size_t>(nIndex)];
    WPARAM type = static_cast<WPARAM>(nIndex);
    if (pane.nStyle & SBPS_NOBORDERS)
        type |= SBT_NOBORDERS;
    if (pane.nStyle & SBPS_POPOUT)
        type |= SBT_POPOUT;
    if (pane.nStyle & SBPS_OWNERDRAW)
        type |= SBT_OWNERDRAW;
    // A disabled pane (a key indicator whose key is off) shows nothing.
    LPCTSTR text = (pane.nStyle & SBPS_DISABLED) ? L"" : static_cast<LPCTSTR>(pane.strText);
    CWnd::DefWindowProc(SB_SETTEXTW, type, reinterpret_cast<LPARAM>(text));
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (std::size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].nID == nIDFind)
            return static_cast<int>(i);
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < static_cast<int>(m_panes.size()) ? m_panes[static_cast<std::size_t>(nIndex)].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!SendMessage(SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)))
        ::SetRectEmpty(lpRect);
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_panes.size())) {
        nID = 0;
        nStyle = 0;
        cxWidth = 0;
        return;
    }
    const Pane& pane = m_panes[static_cast<std::size_t>(nIndex)];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_panes.size()))
        return;
    Pane& pane = m_panes[static_cast<std::size_t>(nIndex)];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = std::max(cxWidth, 0);
    UpdateParts();
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < static_cast<int>(m_panes.size()) ? m_panes[static_cast<std::size_t>(nIndex)].nStyle
                                                                     : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_panes.size()))
        return;
    Pane& pane = m_panes[static_cast<std::size_t>(nIndex)];
    if (pane.nStyle == nStyle)
        return;
    const bool widthChanged = (pane.nStyle ^ nStyle) & SBPS_STRETCH;
    pane.nStyle = nStyle;
    if (widthChanged)
        UpdateParts();
    else
        ShowPaneText(nIndex);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < static_cast<int>(m_panes.size()) ? m_panes[static_cast<std::size_t>(nIndex)].strText
                                                                     : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_panes.size()))
        return FALSE;
    m_panes[static_cast<std::size_t>(nIndex)].strText = lpszNewText ? lpszNewText : L"";
    ShowPaneText(nIndex);
    return TRUE;
}

CStatusBarCtrl& CStatusBar::GetStatusBarCtrl() const
{
    return *afx_detail::WndAs<CStatusBarCtrl>(const_cast<CStatusBar*>(this));
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    int textHeight = 13;
    if (m_hWnd != nullptr) {
        CClientDC dc(m_hWnd);
        HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
        HGDIOBJ old = ::SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRIC metrics{};
        if (dc.GetTextMetrics(&metrics))
            textHeight = metrics.tmHeight;
        ::SelectObject(dc, old);
    }
    int borders[3] = {0, 0, 0};
    if (m_hWnd != nullptr)
        SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cy += textHeight + 2 * borders[1] + 4;
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state(*this);
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(m_panes.size());
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i].nID == ID_SEPARATOR)
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = m_panes[i].nID;
        // The bar's own handlers first, then the frame's; never disabled for
        // lack of a handler.
        if (CWnd::OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateParts();
}

// The window text of a status bar is its first pane (the message pane).
LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    if (m_panes.empty())
        return Default();
    SetPaneText(0, reinterpret_cast<LPCTSTR>(lParam));
    return TRUE;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    if (m_panes.empty())
        return Default();
    const CString& text = m_panes.front().strText;
    const int capacity = static_cast<int>(wParam);
    if (capacity <= 0 || lParam == 0)
        return 0;
    ::lstrcpynW(reinterpret_cast<LPTSTR>(lParam), text, capacity);
    return std::min(text.GetLength(), capacity - 1);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    return m_panes.empty() ? Default() : m_panes.front().strText.GetLength();
}
