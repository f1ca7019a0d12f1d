#include "guilib/tabs/KGPTabWnd.h"

#include <afxhandle.h>

#include <algorithm>
#include <map>

#include "guilib/controls/KGPToolTipFactory.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/tabs/KGPTabDockingLink.h"

IMPLEMENT_DYNCREATE(CKGPTabWnd, CKGPBaseTabWnd)

using kgp::tabs::ButtonKind;

namespace {

constexpr int kButtonCount = 5;
constexpr UINT kFirstButtonId = 1;
constexpr UINT kScrollBarId = 6;
constexpr int kAutoRepeatMs = 50;
// Menu glyphs of the buttons.
constexpr int kGlyphLeft = CKGPMenuGlyphs::kScrollLeft;
constexpr int kGlyphLeftDisabled = CKGPMenuGlyphs::kScrollLeftDisabled;
constexpr int kGlyphRight = CKGPMenuGlyphs::kScrollRight;
constexpr int kGlyphRightDisabled = CKGPMenuGlyphs::kScrollRightDisabled;
constexpr int kGlyphFlatLeft = CKGPMenuGlyphs::kFlatScrollLeft;
constexpr int kGlyphFlatRight = CKGPMenuGlyphs::kFlatScrollRight;
constexpr int kGlyphFirst = CKGPMenuGlyphs::kFirst;
constexpr int kGlyphLast = CKGPMenuGlyphs::kLast;
constexpr int kGlyphClose = CKGPMenuGlyphs::kClose;
constexpr int kGlyphList = CKGPMenuGlyphs::kTabList;

int IndexOf(ButtonKind kind)
{
    return static_cast<int>(kind);
}

kgp::tabs::Box ToBox(const CRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

CRect ToRect(const kgp::tabs::Box& box)
{
    return CRect(box.left, box.top, box.right, box.bottom);
}

}  // namespace

// ---- CKGTabButton

void CKGTabButton::OnFillBackground(CDC* pDC, const CRect& rectClient, UINT uiState)
{
    CKGPButton::OnFillBackground(pDC, rectClient, uiState);
    CKGPVisualManager::GetInstance()->DrawTabButtonFace(pDC, rectClient, this,
                                                       DYNAMIC_DOWNCAST(CKGPBaseTabWnd, GetParent()));
}

void CKGTabButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState)
{
    if ((uiState & ODS_SELECTED) != 0 || IsHighlighted())
        CKGPButton::OnDrawBorder(pDC, rectClient, uiState);
    CKGPVisualManager::GetInstance()->DrawTabButtonBorder(pDC, rectClient, this,
                                                         DYNAMIC_DOWNCAST(CKGPBaseTabWnd, GetParent()));
}

// ---- CKGPTabWnd

BEGIN_MESSAGE_MAP(CKGPTabWnd, CKGPBaseTabWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETCURSOR()
    ON_WM_HSCROLL()
    ON_WM_SETTINGCHANGE()
    ON_WM_DESTROY()
    ON_WM_SYSCOLORCHANGE()
    ON_REGISTERED_MESSAGE(KGM_UPDATETOOLTIPS, &CKGPTabWnd::OnUpdateToolTips)
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

CKGPTabWnd::CKGPTabWnd()
{
    m_bAutoDestroyWindow = TRUE;
    m_bHideInactiveWnd = TRUE;
}

CKGPTabWnd::~CKGPTabWnd() = default;

BOOL CKGPTabWnd::Create(int style, const RECT& rect, CWnd* pParentWnd, UINT nID, int location, BOOL bCloseBtn)
{
    m_nStyleCode = style;
    m_style = kgp::tabs::StyleAtCreation(style);
    m_nImageMargin = kgp::tabs::ImageMarginOf(m_style, true);
    m_bHighLightTabs = m_style.oneNote;
    m_location = location == LOCATION_TOP ? LOCATION_TOP : LOCATION_BOTTOM;
    m_bCloseBtn = bCloseBtn;
    const CString className = RegisterLibraryWindowClass(_T("KGPTabWnd"), CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return CWnd::CreateEx(0, className, _T(""), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect,
                          pParentWnd, nID);
}

int CKGPTabWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKGPBaseTabWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CreateButtons(TRUE);
    if (m_style.sharedScroll)
        m_wndScrollWnd.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 0, 0), this, kScrollBarId);
    if (!m_style.flat)
        CreateToolTip();
    else
        SetActiveTabColor(m_clrActiveTabBk);
    RecalcTabsHeight();
    return 0;
}

void CKGPTabWnd::CreateToolTip()
{
    if (!CKGPToolTipFactory::CreateToolTip(m_pToolTip, this, KGP_TOOLTIP_TAB) || m_pToolTip == nullptr)
        return;
    m_pToolTip->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateTooltipTools();
}

void CKGPTabWnd::UpdateTooltipTools()
{
    for (const auto& tab : m_arTabs)
        AddTabTool(*tab);
}

LRESULT CKGPTabWnd::OnUpdateToolTips(WPARAM wParam, LPARAM)
{
    if ((wParam & KGP_TOOLTIP_TAB) == 0 || m_style.flat)
        return 0;
    CKGPToolTipFactory::DeleteToolTip(m_pToolTip);
    CreateToolTip();
    return 0;
}

void CKGPTabWnd::CreateButtons(BOOL bAtCreation)
{
    const std::vector<ButtonKind> kinds = kgp::tabs::ButtonsOf(m_style, m_bCloseBtn);
    m_nButtonsCount = static_cast<int>(kinds.size());
    const BOOL bRepeat = bAtCreation ? !(m_style.oneNote || m_style.vs2005) : !(m_style.oneNote || m_bTabListMode);
    for (int i = 0; i < kButtonCount; ++i) {
        CKGTabButton& button = m_buttons[static_cast<size_t>(i)];
        if (button.GetSafeHwnd() != nullptr)
            button.DestroyWindow();
    }
    for (ButtonKind kind : kinds) {
        CKGTabButton& button = m_buttons[static_cast<size_t>(IndexOf(kind))];
        if (!button.Create(_T(""), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 0, 0), this,
                           kFirstButtonId + static_cast<UINT>(IndexOf(kind))))
            continue;
        const BOOL bFlatGlyphs = bAtCreation && m_style.flat;
        switch (kind) {
        case ButtonKind::ScrollLeft:
            if (bFlatGlyphs)
                button.SetStdImage(kGlyphFlatLeft);
            else
                button.SetStdImage(kGlyphLeft, 0, kGlyphLeftDisabled);
            button.SetTooltip(_T("Scroll Left"));
            break;
        case ButtonKind::ScrollRight:
            if (m_bTabListMode)
                button.SetStdImage(kGlyphList);
            else if (bFlatGlyphs)
                button.SetStdImage(kGlyphFlatRight);
            else
                button.SetStdImage(kGlyphRight, 0, kGlyphRightDisabled);
            button.SetTooltip(m_bTabListMode ? _T("Active Tabs") : _T("Scroll Right"));
            break;
        case ButtonKind::ScrollFirst:
            button.SetStdImage(kGlyphFirst);
            button.SetTooltip(_T("Scroll to First"));
            break;
        case ButtonKind::ScrollLast:
            button.SetStdImage(kGlyphLast);
            button.SetTooltip(_T("Scroll to Last"));
            break;
        case ButtonKind::Close:
            button.SetStdImage(kGlyphClose);
            button.SetTooltip(_T("Close"));
            break;
        }
        if (kind != ButtonKind::Close && bRepeat)
            button.SetAutoRepeatDelay(kAutoRepeatMs);
    }
}

BOOL CKGPTabWnd::SetTabStyle(int style)
{
    m_nStyleCode = style;
    m_style = kgp::tabs::Restyled(m_style, style);
    m_nImageMargin = kgp::tabs::ImageMarginOf(m_style, false);
    m_bHighLightTabs = m_style.oneNote;
    if (m_style.flat)
        m_bIsActiveTabBold = FALSE;
    if (GetSafeHwnd() != nullptr)
        CreateButtons(FALSE);
    RecalcTabsHeight();
    m_nTabsHorzOffset = 0;
    m_nFirstVisibleTab = 0;
    RecalcLayout();
    return TRUE;
}

void CKGPTabWnd::EnableTabList(BOOL bEnable)
{
    if (m_style.flat && !m_style.scrollButtons)
        return;
    m_bTabListMode = bEnable;
    if (GetSafeHwnd() != nullptr)
        CreateButtons(FALSE);
    m_nTabsHorzOffset = 0;
    m_nFirstVisibleTab = 0;
    RecalcLayout();
    if (m_iActiveTab >= 0)
        EnsureVisible(m_iActiveTab);
}

void CKGPTabWnd::SetGroupSplitterMode(int mode)
{
    m_nSplitterMode = mode >= 0 && mode <= 2 ? mode : 0;
    RecalcLayout();
}

void CKGPTabWnd::SetHideWhenEmpty(BOOL bHide)
{
    m_bHideWhenEmpty = bHide;
    RecalcLayout();
}

void CKGPTabWnd::SetActiveTabBold(BOOL bBold)
{
    m_bIsActiveTabBold = m_style.flat ? FALSE : bBold;
    RecalcLayout();
}

void CKGPTabWnd::SetHideSingleTab(BOOL bHide)
{
    CKGPBaseTabWnd::SetHideSingleTab(bHide);
}

void CKGPTabWnd::SetFlatFrame(BOOL bFlat, BOOL bRepaint)
{
    m_bFlatFrame = bFlat;
    if (bRepaint && GetSafeHwnd() != nullptr)
        RedrawWindow();
}

BOOL CKGPTabWnd::SetImageList(HIMAGELIST hImageList)
{
    return m_style.flat ? FALSE : CKGPBaseTabWnd::SetImageList(hImageList);
}

BOOL CKGPTabWnd::SetImageList(UINT uiID, int cx, COLORREF clrTransp)
{
    return m_style.flat ? FALSE : CKGPBaseTabWnd::SetImageList(uiID, cx, clrTransp);
}

void CKGPTabWnd::EnableInPlaceEdit(BOOL bEnable)
{
    if (m_style.flat)
        m_bIsInPlaceEdit = bEnable;
}

void CKGPTabWnd::CalcRectEdit(CRect& rectEdit)
{
    rectEdit.DeflateRect(GetTabsHeight() / 2, 1);
}

// ---- Heights and fonts.

void CKGPTabWnd::BuildFlatFonts()
{
    LOGFONT lf = {};
    ::GetObject(GetKGPGlobalData().GetRegularFont(), sizeof(lf), &lf);
    lstrcpyn(lf.lfFaceName, _T("Arial"), LF_FACESIZE);
    const int limit = m_nTabsHeight - kgp::tabs::kTextMargin / 2;
    CWindowDCHandle screen(nullptr);
    for (int attempt = 0; attempt < 64; ++attempt) {
        m_fntTabs.DeleteObject();
        m_fntTabs.CreateFontIndirect(&lf);
        CSelectionScope font(screen.Get(), m_fntTabs.GetSafeHandle());
        TEXTMETRIC tm = {};
        ::GetTextMetrics(screen.Get(), &tm);
        if (tm.tmHeight <= limit || lf.lfHeight == 0 || std::abs(lf.lfHeight) <= 1)
            break;
        lf.lfHeight += lf.lfHeight < 0 ? 1 : -1;
    }
    lf.lfWeight = FW_BOLD;
    m_fntTabsBold.DeleteObject();
    m_fntTabsBold.CreateFontIndirect(&lf);
}

void CKGPTabWnd::RecalcTabsHeight()
{
    if (m_style.flat) {
        m_nTabsHeight = ::GetSystemMetrics(SM_CYHSCROLL) + kgp::tabs::kTextMargin / 2;
        BuildFlatFonts();
        return;
    }
    if (m_style.vs2005) {
        const int textHeight = GetKGPGlobalData().GetTextHeight();
        m_nTabsHeight = std::max<int>(m_sizeImage.cy > 0 ? m_sizeImage.cy + 4 : 0, textHeight + 2);
        return;
    }
    CKGPBaseTabWnd::RecalcTabsHeight();
}

int CKGPTabWnd::GetTabsHeight() const
{
    if (m_style.sharedScroll)
        return m_nTabsHeight;
    const int visible = GetVisibleTabsNum();
    if ((m_bHideSingleTab && visible < 2) || (m_bHideWhenEmpty && visible == 0))
        return 0;
    return m_nTabsHeight;
}

// ---- Layout.

int CKGPTabWnd::Overlap() const
{
    return kgp::tabs::OverlapOf(m_style, m_rectTabsArea.Height(), m_nImageMargin);
}

std::vector<int> CKGPTabWnd::FullWidths() const
{
    std::vector<int> widths;
    widths.reserve(m_arTabs.size());
    for (const auto& tab : m_arTabs)
        widths.push_back(tab->m_nFullWidth);
    return widths;
}

kgp::tabs::StripInput CKGPTabWnd::StripInputFor(const CRect& client) const
{
    kgp::tabs::StripInput in;
    in.client = ToBox(client);
    in.style = m_style;
    in.location = m_location;
    in.tabsHeight = GetTabsHeight();
    in.borderSize = m_nTabBorderSize;
    in.splitterMode = m_nSplitterMode;
    const CSize extra = CKGPVisualManager::GetInstance()->GetExtraButtonSize();
    in.buttonSize = std::min<int>(extra.cx + 4 + CKGPMenuGlyphs::GetImageSize().cx + (m_style.flat ? 0 : 2),
                                  std::max(0, in.tabsHeight));
    in.closeButton = m_bCloseBtn;
    in.tabListMode = m_bTabListMode;
    return in;
}

CSize CKGPTabWnd::GetSizeAroundWndArea() const
{
    // Laid out in room enough for the page: a window too small for its strip
    // squeezes the page to nothing, and its own size tells nothing then.
    const CRect roomy(0, 0, 4096, 4096);
    const CRect page = ToRect(kgp::tabs::LayOutStrip(StripInputFor(roomy)).windowArea);
    return CSize((std::max)(0, roomy.Width() - page.Width()), (std::max)(0, roomy.Height() - page.Height()));
}

void CKGPTabWnd::RecalcLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    const kgp::tabs::StripLayout layout = kgp::tabs::LayOutStrip(StripInputFor(client));
    m_rectTabsArea = ToRect(layout.strip);
    m_rectWndArea = ToRect(layout.windowArea);
    m_rectGroupSplitter = ToRect(layout.splitter);

    for (const kgp::tabs::PlacedButton& placed : layout.buttons) {
        CKGTabButton& button = m_buttons[static_cast<size_t>(IndexOf(placed.kind))];
        if (button.GetSafeHwnd() == nullptr)
            continue;
        if (placed.rect.IsEmpty()) {
            button.ShowWindow(SW_HIDE);
            continue;
        }
        button.SetWindowPos(HWND{}, placed.rect.left, placed.rect.top, placed.rect.Width(), placed.rect.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE);
        button.ShowWindow(SW_SHOWNOACTIVATE);
        button.Invalidate();
    }

    if (m_bSetWindowPositions && !m_rectWndArea.IsRectEmpty()) {
        for (const auto& tab : m_arTabs) {
            CWnd* pWnd = tab->m_pWnd;
            if (!tab->m_bVisible || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
                continue;
            CRect current;
            pWnd->GetWindowRect(current);
            ScreenToClient(current);
            if (current != m_rectWndArea)
                pWnd->SetWindowPos(HWND{}, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(),
                                   m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    RecalcScrollBarLayout();
    AdjustTabs();
    AdjustTabsScroll();
    Invalidate();
    UpdateWindow();
}

void CKGPTabWnd::RecalcScrollBarLayout()
{
    m_rectTabSplitter.SetRectEmpty();
    if (!m_style.sharedScroll || m_wndScrollWnd.GetSafeHwnd() == nullptr)
        return;
    const int width = std::min<int>(m_nHorzScrollWidth, std::max(0, m_rectTabsArea.Width() - 5));
    CRect rectScroll = m_rectTabsArea;
    rectScroll.left = rectScroll.right - width;
    m_rectTabSplitter = CRect(rectScroll.left - 5, m_rectTabsArea.top, rectScroll.left, m_rectTabsArea.bottom);
    m_rectTabsArea.right = m_rectTabSplitter.left;
    m_wndScrollWnd.SetWindowPos(HWND{}, rectScroll.left, rectScroll.top, rectScroll.Width(), rectScroll.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE);
}

int CKGPTabWnd::MeasureLabel(int iTab, BOOL bBold) const
{
    if (!IsValidTab(iTab))
        return 0;
    CWindowDCHandle screen(nullptr);
    HFONT font = m_style.flat ? static_cast<HFONT>(m_fntTabs.GetSafeHandle())
                              : (bBold ? GetKGPGlobalData().GetBoldFont() : GetKGPGlobalData().GetRegularFont());
    CSelectionScope selected(screen.Get(), font);
    SIZE size = {};
    const CString& text = Tab(iTab)->m_strText;
    ::GetTextExtentPoint32(screen.Get(), text, text.GetLength(), &size);
    return size.cx;
}

void CKGPTabWnd::AdjustTabs()
{
    m_bTabsHiddenByList = FALSE;
    kgp::tabs::TabsInput in;
    in.style = m_style;
    in.strip = ToBox(m_rectTabsArea);
    in.location = m_location;
    in.scrollOffset = m_nTabsHorzOffset;
    in.imageMargin = m_nImageMargin;
    in.imageWidth = m_sizeImage.cx;
    in.activeTab = m_iActiveTab;
    in.boldActive = m_bIsActiveTabBold != FALSE;
    in.tabListMode = m_bTabListMode != FALSE;
    in.customTooltips = m_bCustomToolTips != FALSE;
    in.hideSingleTab = m_bHideSingleTab != FALSE;
    in.maxTabWidth = m_nTabMaxWidth;
    in.borderSize = m_nTabBorderSize;
    in.tabs.reserve(m_arTabs.size());
    for (int i = 0; i < m_iTabsNum; ++i) {
        const CKGPTabInfo& tab = *Tab(i);
        kgp::tabs::TabFacts facts;
        facts.visible = tab.m_bVisible != FALSE;
        facts.iconOnly = tab.m_bIconOnly != FALSE;
        facts.hasIcon = HasImage(i) != FALSE;
        facts.alwaysTooltip = tab.m_bAlwaysShowToolTip != FALSE;
        facts.unlabelled = tab.m_strText.IsEmpty();
        in.tabs.push_back(facts);
    }

    // One screen DC for the whole pass, the font chosen per tab.
    CWindowDCHandle screen(nullptr);
    const CKGPGlobalData& data = GetKGPGlobalData();
    HFONT regular = m_style.flat ? static_cast<HFONT>(m_fntTabs.GetSafeHandle()) : data.GetRegularFont();
    HFONT bold = m_style.flat ? regular : data.GetBoldFont();
    CSelectionScope selected(screen.Get(), regular);
    HFONT current = regular;
    const kgp::tabs::MeasureLabel measure = [&](int iTab, bool bBold) {
        HFONT wanted = bBold ? bold : regular;
        if (wanted != current) {
            ::SelectObject(screen.Get(), wanted);
            current = wanted;
        }
        SIZE size = {};
        const CString& text = Tab(iTab)->m_strText;
        ::GetTextExtentPoint32(screen.Get(), text, text.GetLength(), &size);
        return static_cast<int>(size.cx);
    };
    const kgp::tabs::TabsLayout layout = kgp::tabs::AdjustTabs(in, measure);
    ::SelectObject(screen.Get(), regular);

    m_nTabsTotalWidth = layout.totalWidth;
    m_bTabsHiddenByList = layout.hiddenByList;
    for (int i = 0; i < m_iTabsNum; ++i) {
        CKGPTabInfo& tab = *Tab(i);
        const kgp::tabs::TabPlace& place = layout.tabs[static_cast<size_t>(i)];
        tab.m_rect = ToRect(place.rect);
        tab.m_nFullWidth = place.fullWidth;
        const CRect tooltip = ToRect(place.tooltipRect);
        if (tooltip != tab.m_rectTooltip) {
            tab.m_rectTooltip = tooltip;
            if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
                m_pToolTip->SetToolRect(this, static_cast<UINT_PTR>(tab.m_iTabID), &tab.m_rectTooltip);
        }
    }
}

kgp::tabs::ScrollInput CKGPTabWnd::CurrentScroll() const
{
    kgp::tabs::ScrollInput in;
    in.style = m_style;
    in.tabListMode = m_bTabListMode != FALSE;
    in.hiddenByList = m_bTabsHiddenByList != FALSE;
    in.tabCount = m_iTabsNum;
    in.offset = m_nTabsHorzOffset;
    in.firstVisible = m_nFirstVisibleTab;
    in.totalWidth = m_nTabsTotalWidth;
    in.stripWidth = m_rectTabsArea.Width();
    in.stripRight = m_rectTabsArea.right;
    in.lastTabRight = m_iTabsNum > 0 ? Tab(m_iTabsNum - 1)->m_rect.right : 0;
    return in;
}

void CKGPTabWnd::ApplyScroll(const kgp::tabs::ScrollState& state)
{
    const BOOL bChanged = state.offset != m_nTabsHorzOffset || state.firstVisible != m_nFirstVisibleTab;
    m_nTabsHorzOffset = state.offset;
    m_nTabsHorzOffsetMax = state.maxOffset;
    m_nFirstVisibleTab = state.firstVisible;
    if (bChanged) {
        AdjustTabs();
        InvalidateRect(m_rectTabsArea);
    }
    const auto enable = [this](ButtonKind kind, bool bEnable) {
        CKGTabButton& button = m_buttons[static_cast<size_t>(IndexOf(kind))];
        m_buttonEnabled[static_cast<size_t>(IndexOf(kind))] = bEnable;
        if (button.GetSafeHwnd() == nullptr)
            return;
        const BOOL bWas = button.IsWindowEnabled();
        button.EnableWindow(bEnable);
        if (bWas && !bEnable)
            button.SendMessage(WM_CANCELMODE);
    };
    enable(ButtonKind::ScrollLeft, state.leftEnabled);
    enable(ButtonKind::ScrollRight, state.rightEnabled);
    enable(ButtonKind::ScrollFirst, state.leftEnabled);
    enable(ButtonKind::ScrollLast, state.rightEnabled);
    if (state.listGlyph >= 0) {
        CKGTabButton& right = m_buttons[static_cast<size_t>(IndexOf(ButtonKind::ScrollRight))];
        if (right.GetSafeHwnd() != nullptr && right.GetStdGlyph() != state.listGlyph) {
            right.SetStdImage(state.listGlyph);
            right.Invalidate();
        }
    }
}

void CKGPTabWnd::AdjustTabsScroll()
{
    if (!m_style.scrollButtons || m_iTabsNum == 0) {
        m_nTabsHorzOffset = 0;
        m_nFirstVisibleTab = 0;
    }
    ApplyScroll(kgp::tabs::AdjustTabsScroll(CurrentScroll()));
}

BOOL CKGPTabWnd::IsScrollButtonEnabled(ButtonKind kind) const
{
    return m_buttonEnabled[static_cast<size_t>(IndexOf(kind))];
}

BOOL CKGPTabWnd::EnsureVisible(int iTab)
{
    if (!IsValidTab(iTab))
        return FALSE;
    if (!m_style.scrollButtons || m_rectTabsArea.IsRectEmpty())
        return TRUE;
    kgp::tabs::EnsureInput in;
    in.style = m_style;
    in.strip = ToBox(m_rectTabsArea);
    in.tabListMode = m_bTabListMode != FALSE;
    in.offset = m_nTabsHorzOffset;
    in.overlap = Overlap();
    for (const auto& tab : m_arTabs) {
        in.rects.push_back(ToBox(tab->m_rect));
        in.fullWidths.push_back(tab->m_nFullWidth);
    }
    const kgp::tabs::EnsureResult result = kgp::tabs::EnsureVisible(in, iTab);
    if (result.moveToFront) {
        MoveTab(iTab, 0);
        return TRUE;
    }
    if (result.offset == m_nTabsHorzOffset && result.firstVisible == m_nFirstVisibleTab)
        return TRUE;
    m_nTabsHorzOffset = result.offset;
    m_nFirstVisibleTab = result.firstVisible;
    AdjustTabs();
    AdjustTabsScroll();
    Invalidate();
    return TRUE;
}

void CKGPTabWnd::PressButton(ButtonKind kind)
{
    if (kind == ButtonKind::Close) {
        if (CWnd* pActive = GetActiveWnd())
            pActive->SendMessage(WM_CLOSE);
        return;
    }
    if (kind == ButtonKind::ScrollRight && m_bTabListMode) {
        CKGTabButton& right = m_buttons[static_cast<size_t>(IndexOf(ButtonKind::ScrollRight))];
        CRect rect;
        if (right.GetSafeHwnd() != nullptr)
            right.GetWindowRect(rect);
        const BOOL bRtl = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
        ShowTabList(CPoint(bRtl ? rect.right : rect.left, rect.bottom));
        return;
    }
    ApplyScroll(kgp::tabs::Scroll(CurrentScroll(), FullWidths(), Overlap(), kind));
    UpdateTooltipTools();
    RedrawWindow(m_rectTabsArea);
}

BOOL CKGPTabWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (lParam != 0 && id >= kFirstButtonId && id < kFirstButtonId + kButtonCount && HIWORD(wParam) == BN_CLICKED) {
        PressButton(static_cast<ButtonKind>(id - kFirstButtonId));
        return TRUE;
    }
    return CKGPBaseTabWnd::OnCommand(wParam, lParam);
}

void CKGPTabWnd::SwapTabs(int nFisrtTabID, int nSecondTabNum)
{
    CKGPBaseTabWnd::SwapTabs(nFisrtTabID, nSecondTabNum);
    if (m_style.Overlapping()) {
        m_nTabsHorzOffset = 0;
        m_nFirstVisibleTab = 0;
    }
}

void CKGPTabWnd::MoveTab(int nSource, int nDest)
{
    if (m_style.Overlapping()) {
        m_nTabsHorzOffset = 0;
        m_nFirstVisibleTab = 0;
    }
    CKGPBaseTabWnd::MoveTab(nSource, nDest);
    if (m_iActiveTab >= 0 && !m_bTabListMode)
        EnsureVisible(m_iActiveTab);
}

int CKGPTabWnd::GetTabFromPoint(CPoint& pt) const
{
    std::vector<kgp::tabs::Box> rects;
    rects.reserve(m_arTabs.size());
    for (const auto& tab : m_arTabs)
        rects.push_back(ToBox(tab->m_rect));
    return kgp::tabs::TabFromPoint(rects, VisibleFlags(), m_iActiveTab, ToBox(m_rectTabsArea), m_style.Overlapping(),
                                   pt.x, pt.y);
}

BOOL CKGPTabWnd::IsPtInTabArea(CPoint point) const
{
    return m_rectTabsArea.PtInRect(point);
}

CWnd* CKGPTabWnd::GetChildAtPoint(CPoint point) const
{
    for (const CKGTabButton& button : m_buttons) {
        if (button.GetSafeHwnd() == nullptr || !button.IsWindowVisible())
            continue;
        CRect rect;
        button.GetWindowRect(rect);
        ScreenToClient(rect);
        if (rect.PtInRect(point))
            return const_cast<CKGTabButton*>(&button);
    }
    if (m_wndScrollWnd.GetSafeHwnd() != nullptr && m_wndScrollWnd.IsWindowVisible()) {
        CRect rect;
        m_wndScrollWnd.GetWindowRect(rect);
        ScreenToClient(rect);
        if (rect.PtInRect(point))
            return const_cast<CScrollBar*>(&m_wndScrollWnd);
    }
    return nullptr;
}

void CKGPTabWnd::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const
{
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
    CRect area = m_rectTabsArea;
    if (GetSafeHwnd() != nullptr)
        ClientToScreen(area);
    if (m_location == LOCATION_BOTTOM)
        rectTabAreaBottom = area;
    else
        rectTabAreaTop = area;
}

// ---- Activation.

BOOL CKGPTabWnd::SetActiveTab(int iTab)
{
    if (!IsValidTab(iTab))
        return FALSE;
    if (iTab == m_iActiveTab) {
        if (m_bIsMDITab)
            ActivateMDIChild();
        return TRUE;
    }
    if (FireChangingActiveTab(iTab))
        return FALSE;

    CWnd* pParent = GetParent();
    const BOOL bLock = m_bEnableActivate && m_iTabsNum > 1 && pParent != nullptr;
    if (bLock)
        pParent->SetRedraw(FALSE);
    CWnd* pFocus = CWnd::GetFocus();
    const int oldActive = m_iActiveTab;
    CWnd* pOld = GetActiveWnd();
    const BOOL bFocusInside = pFocus == nullptr || pFocus == this ||
                              (pOld != nullptr && (pFocus == pOld || pOld->IsChild(pFocus)));
    if (pOld != nullptr && m_bHideInactiveWnd)
        pOld->ShowWindow(SW_HIDE);
    m_iActiveTab = iTab;
    CWnd* pNew = GetActiveWnd();
    if (pNew != nullptr && pNew->GetSafeHwnd() != nullptr) {
        if (m_bSetWindowPositions && !m_rectWndArea.IsRectEmpty()) {
            // Once a pixel wider, then exactly: the window always hears a size change.
            pNew->SetWindowPos(HWND{}, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width() + 1,
                               m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            pNew->SetWindowPos(HWND{}, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(),
                               m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
        pNew->ShowWindow(SW_SHOWNOACTIVATE);
        if (!m_bHideInactiveWnd)
            pNew->BringWindowToTop();
    }

    const int offsetBefore = m_nTabsHorzOffset;
    const int firstBefore = m_nFirstVisibleTab;
    EnsureVisible(iTab);
    if (m_style.sharedScroll && pNew != nullptr && pNew->GetSafeHwnd() != nullptr &&
        m_wndScrollWnd.GetSafeHwnd() != nullptr) {
        pNew->ShowScrollBar(SB_HORZ, FALSE);
        pNew->ModifyStyle(WS_HSCROLL, 0, SWP_FRAMECHANGED);
        SyncSharedScrollBar(pNew);
    }
    if (m_bIsActiveTabBold) {
        RecalcLayout();
    } else if (m_nTabsHorzOffset != offsetBefore || m_nFirstVisibleTab != firstBefore) {
        Invalidate();
    } else {
        // Only the two tabs that changed are drawn again.
        if (IsValidTab(oldActive))
            InvalidateRect(Tab(oldActive)->m_rect);
        InvalidateRect(Tab(iTab)->m_rect);
    }
    UpdateWindow();
    if (bFocusInside && pNew != nullptr && pNew->GetSafeHwnd() != nullptr && pFocus != nullptr)
        pNew->SetFocus();

    if (m_bCloseBtn) {
        BOOL bCanClose = FALSE;
        if (pNew != nullptr) {
            if (CMenu* pMenu = pNew->GetSystemMenu(FALSE))
                bCanClose = (pMenu->GetMenuState(SC_CLOSE, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED)) == 0 &&
                            pMenu->GetMenuState(SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1);
        }
        CKGTabButton& close = m_buttons[static_cast<size_t>(IndexOf(ButtonKind::Close))];
        if (close.GetSafeHwnd() != nullptr)
            close.EnableWindow(bCanClose);
    }

    if (m_bIsMDITab)
        ActivateMDIChild();
    FireChangeActiveTab(iTab);
    if (bLock) {
        pParent->SetRedraw(TRUE);
        pParent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    if (IKGPTabDockingLink* pLink = KGPTabDocking::Link())
        pLink->OnActiveTabChanged(this);
    return TRUE;
}

void CKGPTabWnd::ActivateMDIChild()
{
    CWnd* pActive = GetActiveWnd();
    if (pActive == nullptr || pActive->GetSafeHwnd() == nullptr)
        return;
    if (CWnd* pClient = pActive->GetParent()) {
        if (reinterpret_cast<HWND>(pClient->SendMessage(WM_MDIGETACTIVE)) != pActive->GetSafeHwnd())
            pClient->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pActive->GetSafeHwnd()));
    }
    pActive->SetFocus();
}

// ---- Keys.

BOOL CKGPTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) &&
        (::GetKeyState(VK_CONTROL) & 0x8000) != 0 && m_pInPlaceEdit == nullptr) {
        const int next = kgp::tabs::NeighbourTab(VisibleFlags(), m_iActiveTab, pMsg->wParam == VK_NEXT);
        if (next >= 0 && next != m_iActiveTab) {
            m_bActivateTabNotified = FALSE;
            if (SetActiveTab(next)) {
                if (CWnd* pActive = GetActiveWnd())
                    pActive->SetFocus();
                if (!m_bActivateTabNotified)
                    FireChangeActiveTab(m_iActiveTab);
            }
        }
        return TRUE;
    }
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr &&
        ((pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST) ||
         (pMsg->message >= WM_NCMOUSEMOVE && pMsg->message <= WM_NCMBUTTONDBLCLK)))
        m_pToolTip->RelayEvent(pMsg);
    return CKGPBaseTabWnd::PreTranslateMessage(pMsg);
}

void CKGPTabWnd::OnSetFocus(CWnd* pOldWnd)
{
    CKGPBaseTabWnd::OnSetFocus(pOldWnd);
    if (CWnd* pActive = GetActiveWnd())
        pActive->SetFocus();
}

// ---- Size and settings.

void CKGPTabWnd::OnSize(UINT nType, int cx, int cy)
{
    CKGPBaseTabWnd::OnSize(nType, cx, cy);
    const int whole = cx - 2 * (m_nTabBorderSize + 2 * ::GetSystemMetrics(SM_CXVSCROLL));
    const int minimum = 2 * ::GetSystemMetrics(SM_CXHSCROLL);
    m_nHorzScrollWidth = whole / 2 > minimum ? whole / 2 : (whole > minimum ? whole : 0);
    if (!m_style.Overlapping()) {
        RecalcLayout();
        return;
    }
    m_nTabsHorzOffset = 0;
    m_nFirstVisibleTab = 0;
    SetRedraw(FALSE);
    RecalcLayout();
    SetRedraw(TRUE);
    if (m_iActiveTab >= 0)
        EnsureVisible(m_iActiveTab);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

void CKGPTabWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CKGPBaseTabWnd::OnSettingChange(uFlags, lpszSection);
    if (m_style.flat) {
        RecalcTabsHeight();
        RecalcLayout();
    }
}

void CKGPTabWnd::OnSysColorChange()
{
    CKGPBaseTabWnd::OnSysColorChange();
    if (m_style.flat && m_clrActiveTabBk == static_cast<COLORREF>(-1)) {
        SetActiveTabColor(m_clrActiveTabBk);
        RedrawWindow();
    }
}

void CKGPTabWnd::OnDestroy()
{
    m_brActiveTab.DeleteObject();
    CKGPToolTipFactory::DeleteToolTip(m_pToolTip);
    CKGPBaseTabWnd::OnDestroy();
}

void CKGPTabWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    static BOOL s_bForwarding = FALSE;
    if (!m_style.sharedScroll || pScrollBar == nullptr || pScrollBar->GetSafeHwnd() != m_wndScrollWnd.GetSafeHwnd() ||
        s_bForwarding) {
        CKGPBaseTabWnd::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    CWnd* pActive = GetActiveWnd();
    if (pActive == nullptr || pActive->GetSafeHwnd() == nullptr)
        return;
    s_bForwarding = TRUE;
    if (IsValidTab(m_iActiveTab) && Tab(m_iActiveTab)->m_bIsListView &&
        (nSBCode == SB_THUMBPOSITION || nSBCode == SB_THUMBTRACK)) {
        const int delta = static_cast<int>(nPos) - m_wndScrollWnd.GetScrollPos();
        pActive->SendMessage(LVM_SCROLL, static_cast<WPARAM>(delta), 0);
    }
    const WPARAM wParam = MAKEWPARAM(nSBCode, nPos);
    pActive->SendMessage(WM_HSCROLL, wParam, 0);
    m_wndScrollWnd.SetScrollPos(pActive->GetScrollPos(SB_HORZ));
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(KGM_ON_HSCROLL, wParam);
    s_bForwarding = FALSE;
}

// ---- The tab list.

namespace {

std::map<UINT, HICON>& TabListIcons()
{
    static std::map<UINT, HICON> icons;
    return icons;
}

}  // namespace

HICON CKGPTabWnd::GetTabListMenuIcon(UINT uiCmd)
{
    const auto found = TabListIcons().find(uiCmd);
    return found != TabListIcons().end() ? found->second : nullptr;
}

void CKGPTabWnd::ShowTabList(CPoint point)
{
    std::vector<std::wstring> labels;
    for (const auto& tab : m_arTabs)
        labels.emplace_back(static_cast<LPCWSTR>(tab->m_strText));
    const std::vector<kgp::tabs::TabListEntry> entries = kgp::tabs::TabListEntries(labels, VisibleFlags());
    CMenuHandle menu(::CreatePopupMenu());
    if (menu.Get() == nullptr)
        return;
    for (const kgp::tabs::TabListEntry& entry : entries) {
        const UINT command = static_cast<UINT>(entry.command);
        ::AppendMenuW(menu.Get(), MF_STRING, command, entry.text.c_str());
        CWnd* pWnd = Tab(entry.tab)->m_pWnd;
        HICON icon = nullptr;
        if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr) {
            icon = reinterpret_cast<HICON>(pWnd->SendMessage(WM_GETICON, ICON_SMALL));
            if (icon == nullptr)
                icon = reinterpret_cast<HICON>(::GetClassLongPtr(pWnd->GetSafeHwnd(), GCLP_HICONSM));
        }
        TabListIcons()[command] = icon;
    }
    const BOOL bRtl = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    UINT chosen = KGPMenuLinks::TrackContextMenu(menu.Get(), point.x, point.y, this, bRtl);
    if (!KGPMenuLinks::HasContextMenuManager())
        chosen = static_cast<UINT>(::TrackPopupMenu(menu.Get(),
                                                    TPM_RETURNCMD | TPM_NONOTIFY | (bRtl ? TPM_RIGHTALIGN : 0),
                                                    point.x, point.y, 0, GetSafeHwnd(), nullptr));
    TabListIcons().clear();
    if (GetSafeHwnd() == nullptr)
        return;
    const int iTab = kgp::tabs::TabOfListCommand(static_cast<int>(chosen), m_iTabsNum);
    if (iTab < 0)
        return;
    if (iTab != m_iActiveTab)
        ActivateByClick(iTab);
    EnsureVisible(m_iActiveTab);
}

void CKGPTabWnd::SyncSharedScrollBar(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || m_wndScrollWnd.GetSafeHwnd() == nullptr)
        return;
    SCROLLINFO info = {};
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = SIF_ALL;
    if (pWnd->GetScrollInfo(SB_HORZ, &info, SIF_ALL) && info.nMax > info.nMin) {
        m_wndScrollWnd.SetScrollInfo(&info);
        m_wndScrollWnd.EnableScrollBar(ESB_ENABLE_BOTH);
    } else {
        m_wndScrollWnd.EnableScrollBar(ESB_DISABLE_BOTH);
    }
}

void CKGPTabWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CKGPBaseTabWnd::OnWindowPosChanging(lpwndpos);
    if (m_bIsMDITab) {
        lpwndpos->hwndInsertAfter = HWND_BOTTOM;
        lpwndpos->flags &= ~SWP_NOZORDER;
    }
}

void CKGPTabWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CKGPBaseTabWnd::OnWindowPosChanged(lpwndpos);
    if (m_bIsMDITab && ::GetWindow(m_hWnd, GW_HWNDNEXT) != nullptr)
        SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

BOOL CKGPTabWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pNMH = reinterpret_cast<const NMHDR*>(lParam);
    if (pNMH != nullptr) {
        if (pNMH->code == TTN_SHOW && m_pToolTip != nullptr && pNMH->hwndFrom == m_pToolTip->GetSafeHwnd())
            m_pToolTip->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (pNMH->code == HDN_ENDDRAG && m_style.sharedScroll) {
            CWnd* pActive = GetActiveWnd();
            if (pActive != nullptr && pActive->GetSafeHwnd() != nullptr &&
                ::GetParent(pNMH->hwndFrom) == pActive->GetSafeHwnd()) {
                const BOOL bHandled = CKGPBaseTabWnd::OnNotify(wParam, lParam, pResult);
                SyncSharedScrollBar(pActive);
                return bHandled;
            }
        }
    }
    return CKGPBaseTabWnd::OnNotify(wParam, lParam, pResult);
}

DROPEFFECT CKGPTabWnd::OnDragOverToolbarData(COleDataObject*, DWORD dwKeyState, CPoint point)
{
    const int iTab = GetTabFromPoint(point);
    if (iTab >= 0 && iTab != GetActiveTab())
        SetActiveTab(iTab);
    return (dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
