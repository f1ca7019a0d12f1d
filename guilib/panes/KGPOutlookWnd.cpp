#include "guilib/panes/KGPOutlookWnd.h"
#include "guilib/tabs/KGPTabNotifications.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPMemDC.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/panes/KGPOutlookBar.h"
#include "guilib/panes/KGPOutlookBarPane.h"
#include "guilib/panes/KGPOutlookButton.h"
#include "guilib/panes/KGPOutlookOptionsDlg.h"
#include "guilib/tabs/KGPTabDockingLink.h"

IMPLEMENT_DYNCREATE(CKGPOutlookWnd, CKGPBaseTabWnd)
IMPLEMENT_DYNAMIC(CKGPOutlookBarToolBar, CKGPToolBar)
IMPLEMENT_SERIAL(COutlookCustomizeButton, CCustomizeButton, VERSIONABLE_SCHEMA | 1)

BOOL CKGPOutlookWnd::m_bEnableAnimation = FALSE;

namespace {

constexpr int kGlyphScrollUp = 24;
constexpr int kGlyphScrollDown = 13;
constexpr int kGlyphCustomizeTop = 11;
constexpr int kGlyphCustomizeBottom = 0;
constexpr int kTabTextMargin = 4;
constexpr int kGripperWidth = 11;
constexpr int kHandCursorId = 16919;

kgp::Box ToBox(const CRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

CRect ToRect(const kgp::Box& box)
{
    return CRect(box.left, box.top, box.right, box.bottom);
}

// The window a page shows: the pane inside a wrapper, else the window itself.
CWnd* Unwrapped(CWnd* pWnd)
{
    IKGPTabDockingLink* pLink = KGPTabDocking::Link();
    return pLink != nullptr && pWnd != nullptr ? pLink->Unwrap(pWnd) : pWnd;
}

}  // namespace

// ---- The bottom toolbar.

BEGIN_MESSAGE_MAP(CKGPOutlookBarToolBar, CKGPToolBar)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

int CKGPOutlookBarToolBar::PageOfButton(int iButton) const
{
    const auto it = m_TabButtons.find(iButton);
    return it != m_TabButtons.end() ? it->second : -1;
}

CSize CKGPOutlookBarToolBar::ButtonSize() const
{
    CSize image = GetImages().GetImageSize();
    if (image.cx <= 0 || image.cy <= 0)
        image = CSize(16, 16);
    return image + CSize(10, 14);
}

void CKGPOutlookBarToolBar::AdjustLocations()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    const CSize button = ButtonSize();
    CCustomizeButton* pCustomize = GetCustomizeButton();
    const int customizeWidth = std::max(static_cast<int>(button.cx), CKGPMenuGlyphs::GetWidth() + 10);
    std::vector<CKGPToolbarButton*> pages;
    const CObList& buttons = GetAllButtons();
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKGPToolbarButton*>(buttons.GetNext(pos));
        if (pButton != pCustomize)
            pages.push_back(pButton);
    }
    const kgp::outlook::ToolbarLayout layout = kgp::outlook::LayOutToolbar(
        ToBox(client), pCustomize != nullptr ? customizeWidth : 0, {button.cx, button.cy},
        static_cast<int>(pages.size()));
    if (pCustomize != nullptr) {
        pCustomize->m_rcButton = ToRect(layout.customize);
        pCustomize->ClearHiddenButtons();
    }
    for (size_t i = 0; i < pages.size(); ++i) {
        pages[i]->m_rcButton = ToRect(layout.buttons[i]);
        pages[i]->m_bOverflowed = layout.buttons[i].IsEmpty();
        if (pCustomize != nullptr && layout.buttons[i].IsEmpty())
            pCustomize->AddHiddenButton(pages[i]);
    }
    UpdateTooltips();
}

BOOL CKGPOutlookBarToolBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (m_pParentBar != nullptr && id >= KGP_OUTLOOK_SHOW_MORE && id < KGP_OUTLOOK_FIRST_PAGE_BUTTON)
        return m_pParentBar->SendMessage(WM_COMMAND, wParam, lParam) == 0;
    if (m_pParentBar != nullptr && id >= KGP_OUTLOOK_FIRST_PAGE_BUTTON) {
        const int iButton = CommandToIndex(id);
        const int iPage = PageOfButton(iButton);
        if (iPage >= 0) {
            m_pParentBar->SetActiveTab(iPage);
            if (CFrameWnd* pFrame = m_pParentBar->GetParentFrame())
                KGPTabNotifications::SendActiveTabChanged(pFrame, iPage, nullptr);
            return TRUE;
        }
    }
    return CKGPToolBar::OnCommand(wParam, lParam);
}

void CKGPOutlookBarToolBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHandler*/)
{
    // The page buttons are checked by the active page, not by command handlers.
    if (m_pParentBar == nullptr)
        return;
    const int active = m_pParentBar->GetActiveTab();
    for (int i = 0; i < GetCount(); ++i) {
        CKGPToolbarButton* pButton = GetButton(i);
        const int page = PageOfButton(i);
        if (pButton == nullptr || page < 0)
            continue;
        const UINT bits = (pButton->m_nBits & ~TBBS_CHECKED) | (page == active ? TBBS_CHECKED : 0);
        if (bits != pButton->m_nBits)
            SetButtonStyle(i, bits);
    }
}

void CKGPOutlookBarToolBar::OnCustomizeMode(BOOL bSet)
{
    CKGPToolBar::OnCustomizeMode(bSet);
    EnableWindow(!bSet);
}

BOOL CKGPOutlookBarToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (HitTest(pt) >= 0) {
        if (HCURSOR hCursor = GetKGPGlobalData().GetHandCursor()) {
            ::SetCursor(hCursor);
            return TRUE;
        }
    }
    return CKGPToolBar::OnSetCursor(pWnd, nHitTest, message);
}

// ---- Scroll arrows and the customise button.

void CKGPOutlookSrcrollButton::OnFillBackground(CDC* pDC, const CRect& rectClient, UINT uiState)
{
    COLORREF clrText = GetKGPGlobalData().clrBtnText;
    CKGPVisualManager::GetInstance()->FillOutlookPageButton(pDC, rectClient, IsHighlighted(),
                                                            (uiState & ODS_SELECTED) != 0, clrText);
}

void CKGPOutlookSrcrollButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState)
{
    CKGPVisualManager::GetInstance()->DrawOutlookPageButtonBorder(pDC, rectClient, IsHighlighted(),
                                                                  (uiState & ODS_SELECTED) != 0);
}

void COutlookCustomizeButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* /*pImages*/, BOOL /*bHorz*/,
                                     BOOL /*bCustomizeMode*/, BOOL bHighlight, BOOL /*bDrawBorder*/,
                                     BOOL /*bGrayDisabledButtons*/)
{
    FillInterior(pDC, rect, bHighlight);
    const CSize glyph = CKGPMenuGlyphs::GetImageSize();
    const int x = rect.left + (rect.Width() - glyph.cx) / 2;
    const int y = rect.top + (rect.Height() - 2 * glyph.cy) / 2;
    CKGPMenuGlyphs::Draw(pDC, kGlyphCustomizeTop, CPoint(x, y));
    CKGPMenuGlyphs::Draw(pDC, kGlyphCustomizeBottom, CPoint(x, y + glyph.cy));
}

HMENU COutlookCustomizeButton::CreateMenu() const
{
    HMENU hMenu = CCustomizeButton::CreateMenu();
    if (hMenu == nullptr)
        hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr)
        return nullptr;
    if (::GetMenuItemCount(hMenu) > 0)
        ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
    CKGPLocalResource local;
    const UINT ids[] = {KGP_OUTLOOK_SHOW_MORE, KGP_OUTLOOK_SHOW_FEWER, KGP_OUTLOOK_OPTIONS};
    const UINT texts[] = {IDS_KGP_OUTLOOK_MORE, IDS_KGP_OUTLOOK_FEWER, IDS_KGP_OUTLOOK_OPTIONS};
    for (size_t i = 0; i < 3; ++i) {
        CString text;
        text.LoadString(texts[i]);
        ::AppendMenu(hMenu, MF_STRING, ids[i], text);
    }
    return hMenu;
}

// ---- The outlook window.

BEGIN_MESSAGE_MAP(CKGPOutlookWnd, CKGPBaseTabWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CKGPOutlookWnd::CKGPOutlookWnd() : m_wndToolBar(this)
{
    m_bHideInactiveWnd = TRUE;
    m_bEnableTabSwap = FALSE;
}

CKGPOutlookWnd::~CKGPOutlookWnd() = default;

BOOL CKGPOutlookWnd::Create(const CRect& rect, CWnd* pParentWnd, UINT nID)
{
    const CString className = RegisterLibraryWindowClass(_T("KGPTabWnd"), CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    if (!CWnd::Create(className, _T(""), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pParentWnd,
                      nID))
        return FALSE;
    RecalcTabsHeight();
    return TRUE;
}

int CKGPOutlookWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKGPBaseTabWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CRect empty(0, 0, 0, 0);
    for (CKGPOutlookSrcrollButton* pButton : {&m_btnUp, &m_btnDown}) {
        pButton->Create(_T(""), WS_CHILD | BS_OWNERDRAW, empty, this, static_cast<UINT>(-1));
        pButton->SetAutoRepeatDelay(100);
    }
    m_btnUp.SetStdImage(kGlyphScrollUp);
    m_btnDown.SetStdImage(kGlyphScrollDown);
    if (!m_wndToolBar.Create(this, WS_CHILD | CBRS_ALIGN_BOTTOM, static_cast<UINT>(-1)))
        return -1;
    m_wndToolBar.SetOwner(this);
    m_wndToolBar.SetBarStyleWord(m_wndToolBar.GetBarStyleWord() & 0xFFBFF0FF);
    m_wndToolBar.SetBorders(0, 0, 0, 0);
    return 0;
}

BOOL CKGPOutlookWnd::IsMode2003() const
{
    const CKGPOutlookBar* pBar = GetParentOutlookBar();
    return pBar != nullptr && pBar->IsMode2003();
}

CKGPOutlookBar* CKGPOutlookWnd::GetParentOutlookBar() const
{
    return DYNAMIC_DOWNCAST(CKGPOutlookBar, GetParent());
}

void CKGPOutlookWnd::SetBorderSize(int nBorderSize)
{
    m_nBorderSize = std::max(0, nBorderSize);
    RecalcLayout();
}

void CKGPOutlookWnd::SetPageButtonTextAlign(UINT uiAlign, BOOL bRedraw)
{
    m_nPageButtonTextAlign = uiAlign;
    if (bRedraw && GetSafeHwnd() != nullptr)
        Invalidate();
}

BOOL CKGPOutlookWnd::SetToolbarImageList(UINT uiID, int cx, COLORREF clrTransp)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(uiID))
        return FALSE;
    BITMAP bmp{};
    bitmap.GetBitmap(&bmp);
    m_imagesToolbar.DeleteImageList();
    if (!m_imagesToolbar.Create(cx, bmp.bmHeight, ILC_COLOR32 | ILC_MASK, 0, 0))
        return FALSE;
    m_imagesToolbar.Add(&bitmap, clrTransp);
    m_sizeToolbarImage = CSize(cx, bmp.bmHeight);
    return TRUE;
}

kgp::outlook::WindowInput CKGPOutlookWnd::LayoutInput() const
{
    kgp::outlook::WindowInput in;
    CRect client;
    GetClientRect(client);
    client.DeflateRect(1 + m_nBorderSize, 1 + m_nBorderSize);
    in.client = ToBox(client);
    in.buttonHeight = m_nTabsHeight;
    in.textHeight = GetKGPGlobalData().GetTextHeight();
    in.compact = IsMode2003() != FALSE;
    int imageHeight = m_sizeToolbarImage.cy > 0 ? m_sizeToolbarImage.cy : m_sizeImage.cy;
    if (imageHeight <= 0)
        imageHeight = 16;
    in.toolbarHeight = imageHeight + 12;
    in.hideSingleTab = m_bHideSingleTab != FALSE;
    in.scrollButtonsShown = m_bScrollButtons != FALSE;
    for (int i = 0; i < m_iTabsNum; ++i)
        in.visible.push_back(Tab(i)->m_bVisible != FALSE);
    in.active = m_iActiveTab;
    in.visibleButtons = m_nVisiblePageButtons;
    return in;
}

void CKGPOutlookWnd::PlacePageWindow(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    auto* pPane = DYNAMIC_DOWNCAST(CKGPOutlookBarPane, Unwrapped(pWnd));
    if (pPane != nullptr)
        pPane->SetDontAdjustLayout(m_bDontAdjustLayout);
    pWnd->SetWindowPos(HWND{}, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(), m_rectWndArea.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    if (pPane != nullptr)
        pPane->SetDontAdjustLayout(FALSE);
}

void CKGPOutlookWnd::RecalcLayout()
{
    if (GetSafeHwnd() == nullptr || m_nTabsHeight == 0)
        return;
    m_btnUp.SendMessage(WM_CANCELMODE);
    m_btnDown.SendMessage(WM_CANCELMODE);

    const kgp::outlook::WindowInput in = LayoutInput();
    const kgp::outlook::WindowLayout layout = kgp::outlook::LayOutWindow(in);
    if (in.compact) {
        m_nVisiblePageButtons = layout.visibleButtons;
        m_nMaxVisiblePageButtons = layout.mostButtons;
    }
    m_rectWndArea = ToRect(layout.page);
    m_rectCaption = ToRect(layout.caption);
    m_rectSplitter = ToRect(layout.splitter);
    for (int i = 0; i < m_iTabsNum; ++i)
        Tab(i)->m_rect = ToRect(layout.buttons[static_cast<size_t>(i)]);
    if (m_bScrollButtons && !in.compact) {
        m_btnUp.SetWindowPos(HWND{}, layout.scrollUp.left, layout.scrollUp.top, layout.scrollUp.Width(),
                             layout.scrollUp.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        m_btnDown.SetWindowPos(HWND{}, layout.scrollDown.left, layout.scrollDown.top, layout.scrollDown.Width(),
                               layout.scrollDown.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }

    for (int i = 0; i < m_iTabsNum; ++i) {
        if (Tab(i)->m_bVisible)
            PlacePageWindow(Tab(i)->m_pWnd);
    }

    const UINT redraw = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
    if (!in.compact && layout.visiblePages == 0) {
        ShowWindow(SW_HIDE);
        m_wndToolBar.ShowWindow(SW_HIDE);
        m_btnUp.RedrawWindow(nullptr, nullptr, redraw);
        m_btnDown.RedrawWindow(nullptr, nullptr, redraw);
        if (CWnd* pParent = GetParent())
            pParent->RedrawWindow(nullptr, nullptr, redraw);
        return;
    }
    RedrawWindow(nullptr, nullptr, redraw | RDW_ALLCHILDREN | RDW_FRAME);
    if (in.compact) {
        m_wndToolBar.SetWindowPos(HWND{}, in.client.left, in.client.bottom - in.toolbarHeight, in.client.Width(),
                                  in.toolbarHeight, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        RebuildToolBar(kgp::outlook::PagesOnToolbar(in, layout));
    } else {
        m_wndToolBar.ShowWindow(SW_HIDE);
        m_btnUp.RedrawWindow(nullptr, nullptr, redraw);
        m_btnDown.RedrawWindow(nullptr, nullptr, redraw);
        if (CWnd* pParent = GetParent())
            pParent->RedrawWindow(nullptr, nullptr, redraw);
    }
}

void CKGPOutlookWnd::RebuildToolBar(const std::vector<int>& pagesOnToolbar)
{
    std::unique_ptr<COutlookCustomizeButton> pCustomize;
    if (CCustomizeButton* pOld = m_wndToolBar.GetCustomizeButton()) {
        pCustomize = std::make_unique<COutlookCustomizeButton>();
        pCustomize->CopyButton(*pOld);
    }
    m_wndToolBar.RemoveAllButtons();
    m_wndToolBar.ClearButtonMap();

    CSize image = m_sizeToolbarImage;
    HIMAGELIST hImages = m_imagesToolbar.GetSafeHandle();
    if (hImages == nullptr) {
        hImages = GetImageList();
        image = m_sizeImage;
    }
    if (image.cx <= 0 || image.cy <= 0)
        image = CSize(16, 16);
    m_wndToolBar.SetLockedSizes(image + CSize(6, 14), image);

    int k = 0;
    for (int iPage : pagesOnToolbar) {
        const CKGPTabInfo* pTab = GetTabInfo(iPage);
        if (pTab == nullptr)
            continue;
        HICON hIcon = pTab->m_hIcon.Get();
        CIconHandle ownIcon;
        if (hIcon == nullptr && hImages != nullptr && pTab->m_uiIcon != static_cast<UINT>(-1)) {
            ownIcon.Reset(ImageList_GetIcon(hImages, static_cast<int>(pTab->m_uiIcon), ILD_NORMAL));
            hIcon = ownIcon.Get();
        }
        CKGPToolBarImages& strip = const_cast<CKGPToolBarImages&>(m_wndToolBar.GetImages());
        const int iImage = hIcon != nullptr ? strip.AddIcon(hIcon, TRUE) : -1;
        auto pButton = std::make_unique<CKGPToolbarButton>(KGP_OUTLOOK_FIRST_PAGE_BUTTON + static_cast<UINT>(k),
                                                           iImage, pTab->m_strText, FALSE, TRUE);
        pButton->m_nBits |= TBBS_CHECKBOX | (iPage == m_iActiveTab ? TBBS_CHECKED : 0);
        const int iButton = m_wndToolBar.InsertButton(std::move(pButton));
        if (iButton >= 0)
            m_wndToolBar.MapButton(iButton, iPage);
        ++k;
    }
    if (pCustomize != nullptr)
        m_wndToolBar.InsertButton(std::move(pCustomize));
    m_wndToolBar.AdjustLocations();
    m_wndToolBar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKGPOutlookWnd::ShowScrollButtons(BOOL bShow, BOOL bEnableUp, BOOL bEnableDown)
{
    if (IsMode2003())
        bShow = FALSE;
    const BOOL bChanged = bShow != m_bScrollButtons;
    m_bScrollButtons = bShow;
    m_btnUp.ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    m_btnDown.ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    m_btnUp.EnableWindow(bEnableUp);
    m_btnDown.EnableWindow(bEnableDown);
    m_btnUp.SetStdImage(kGlyphScrollUp, 0, bEnableUp ? -1 : kGlyphScrollUp);
    m_btnDown.SetStdImage(kGlyphScrollDown, 0, bEnableDown ? -1 : kGlyphScrollDown);
    const UINT redraw = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
    m_btnUp.RedrawWindow(nullptr, nullptr, redraw);
    m_btnDown.RedrawWindow(nullptr, nullptr, redraw);
    if (bChanged)
        RecalcLayout();
}

void CKGPOutlookWnd::SetVisiblePageButtons(int nCount)
{
    m_nVisiblePageButtons = std::max(-1, nCount);
    m_bDontAdjustLayout = TRUE;
    RecalcLayout();
    m_bDontAdjustLayout = FALSE;
}

void CKGPOutlookWnd::ShowMoreButtons()
{
    ++m_nVisiblePageButtons;
    m_bDontAdjustLayout = TRUE;
    RecalcLayout();
    m_bDontAdjustLayout = FALSE;
}

void CKGPOutlookWnd::ShowFewerButtons()
{
    // Counted from the buttons that show, so that every press takes one away.
    m_nVisiblePageButtons = std::max(0, std::min(m_nVisiblePageButtons, m_nMaxVisiblePageButtons) - 1);
    m_bDontAdjustLayout = TRUE;
    RecalcLayout();
    m_bDontAdjustLayout = FALSE;
}

void CKGPOutlookWnd::ShowOptionsDialog()
{
    CKGPOutlookOptionsDlg dlg(*this);
    if (dlg.DoModal() == IDOK) {
        m_bDontAdjustLayout = TRUE;
        RecalcLayout();
        m_bDontAdjustLayout = FALSE;
    }
}

BOOL CKGPOutlookWnd::IsTabDetachable(int iTab) const
{
    return !IsMode2003() && CKGPBaseTabWnd::IsTabDetachable(iTab);
}

BOOL CKGPOutlookWnd::IsPtInTabArea(CPoint point) const
{
    CRect top;
    CRect bottom;
    GetTabArea(top, bottom);
    ClientToScreen(&point);
    return top.PtInRect(point) || bottom.PtInRect(point);
}

void CKGPOutlookWnd::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const
{
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
    BOOL bTopClosed = FALSE;
    for (int i = 0; i < m_iTabsNum; ++i) {
        const CRect& rect = Tab(i)->m_rect;
        if (!Tab(i)->m_bVisible || rect.IsRectEmpty())
            continue;
        if (!bTopClosed && (rectTabAreaTop.IsRectEmpty() || rect.top == rectTabAreaTop.bottom)) {
            rectTabAreaTop = rectTabAreaTop.IsRectEmpty() ? rect : CRect(rectTabAreaTop) | rect;
            continue;
        }
        bTopClosed = TRUE;
        rectTabAreaBottom = rectTabAreaBottom.IsRectEmpty() ? rect : CRect(rectTabAreaBottom) | rect;
    }
    ClientToScreen(rectTabAreaTop);
    ClientToScreen(rectTabAreaBottom);
}

CWnd* CKGPOutlookWnd::GetChildAtPoint(CPoint point) const
{
    CWnd* pActive = GetActiveWnd();
    if (pActive != nullptr && m_rectWndArea.PtInRect(point))
        return pActive;
    return nullptr;
}

CWnd* CKGPOutlookWnd::FindTargetWnd(CPoint pt)
{
    for (int i = 0; i < m_iTabsNum; ++i) {
        if (Tab(i)->m_bVisible && Tab(i)->m_rect.PtInRect(pt))
            return nullptr;
    }
    return GetParent();
}

BOOL CKGPOutlookWnd::SetActiveTab(int iTab)
{
    if (!IsValidTab(iTab))
        return FALSE;
    if (iTab == m_iActiveTab)
        return TRUE;
    if (FireChangingActiveTab(iTab))
        return FALSE;

    const int iOld = m_iActiveTab;
    CWnd* pOld = GetActiveWnd();
    CKGPOutlookBar* pBar = GetParentOutlookBar();
    const BOOL bAnimate = iOld >= 0 && m_iHighlighted == m_iPressed && m_iPressed == iTab && m_bEnableAnimation &&
                          !IsMode2003() && (pBar == nullptr || pBar->CanActivateOnPage(iTab)) &&
                          !GetKGPGlobalData().m_bIsRemoteSession;
    if (bAnimate)
        AnimatePageChange(iOld, iTab);

    if (pOld != nullptr && pOld->GetSafeHwnd() != nullptr)
        pOld->ShowWindow(SW_HIDE);
    m_iActiveTab = iTab;
    RecalcLayout();
    if (pBar != nullptr)
        pBar->OnActivatePage(iTab);
    CWnd* pNew = GetActiveWnd();
    if (pNew != nullptr && pNew->GetSafeHwnd() != nullptr) {
        pNew->SetWindowPos(&CWnd::wndTop, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width() + 1,
                           m_rectWndArea.Height(), SWP_NOACTIVATE);
        pNew->SetWindowPos(&CWnd::wndTop, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(),
                           m_rectWndArea.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
        pNew->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    if (pBar != nullptr && pBar->IsCaptionFromActiveTab()) {
        pBar->SetWindowText(Tab(iTab)->m_strText);
        pBar->RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (iOld >= 0 && pNew != nullptr && pNew->GetSafeHwnd() != nullptr) {
        CWnd* pTarget = Unwrapped(pNew);
        auto* pView = DYNAMIC_DOWNCAST(CView, pTarget);
        CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
        if (pView != nullptr && pFrame != nullptr)
            pFrame->SetActiveView(pView);
        else if (::GetForegroundWindow() != nullptr && GetTopLevelParent() == CWnd::GetForegroundWindow())
            pNew->SetFocus();
    }
    FireChangeActiveTab(iTab);
    if (IKGPTabDockingLink* pLink = KGPTabDocking::Link())
        pLink->OnActiveTabChanged(this);
    return TRUE;
}

void CKGPOutlookWnd::AnimatePageChange(int iOld, int iNew)
{
    CWnd* pOld = GetActiveWnd();
    const int height = m_rectWndArea.Height();
    const int steps = std::abs(height / 30);
    if (steps <= 0 || pOld == nullptr)
        return;
    const BOOL bScrollShown = m_bScrollButtons;
    const BOOL bUpEnabled = m_btnUp.IsWindowEnabled();
    const BOOL bDownEnabled = m_btnDown.IsWindowEnabled();
    if (bScrollShown)
        ShowScrollButtons(FALSE, bUpEnabled, bDownEnabled);
    ModifyStyle(WS_CLIPCHILDREN, 0);
    const int dy = iNew < iOld ? 30 : -30;
    const int first = std::min(iOld, iNew) + 1;
    const int last = std::max(iOld, iNew);
    CClientDC dc(this);
    for (int step = 0; step < steps; ++step) {
        for (int i = first; i <= last; ++i) {
            if (IsValidTab(i) && Tab(i)->m_bVisible)
                Tab(i)->m_rect.OffsetRect(0, dy);
        }
        CRect rectOld;
        pOld->GetWindowRect(rectOld);
        ScreenToClient(rectOld);
        rectOld.OffsetRect(0, dy);
        pOld->SetWindowPos(HWND{}, rectOld.left, rectOld.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        dc.FillRect(m_rectWndArea, CBrush::FromHandle(GetKGPGlobalData().GetBarFaceBrush()));
        for (int i = 0; i < m_iTabsNum; ++i)
            DrawTabButton(dc, i);
        ::Sleep(10);
    }
    ModifyStyle(0, WS_CLIPCHILDREN);
    if (bScrollShown)
        ShowScrollButtons(TRUE, bUpEnabled, bDownEnabled);
}

// ---- Painting.

BOOL CKGPOutlookWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKGPOutlookWnd::DrawTabButton(CDC& dc, int iTab)
{
    const CKGPTabInfo* pTab = Tab(iTab);
    CRect rect = pTab->m_rect;
    if (rect.IsRectEmpty() || !pTab->m_bVisible)
        return;
    const BOOL bCompact = IsMode2003();
    BOOL bHighlighted = iTab == m_iHighlighted;
    BOOL bPressed = iTab == m_iPressed;
    if (bCompact && iTab == m_iActiveTab) {
        bPressed = bHighlighted;
        bHighlighted = TRUE;
    }
    CKGPVisualManager* pManager = CKGPVisualManager::GetInstance();
    COLORREF clrText = GetKGPGlobalData().clrBtnText;
    pManager->FillOutlookPageButton(&dc, rect, bHighlighted, bPressed, clrText);
    pManager->DrawOutlookPageButtonBorder(&dc, rect, bHighlighted, bPressed);

    CRect rectText = rect;
    int iconWidth = 0;
    HICON hIcon = pTab->m_hIcon.Get();
    const CSize icon = hIcon != nullptr ? CSize(16, 16) : m_sizeImage;
    const BOOL bImage = hIcon != nullptr || (GetImageList() != nullptr && pTab->m_uiIcon != static_cast<UINT>(-1));
    if (bImage && rect.Width() >= kTabTextMargin + icon.cx) {
        const int y = rect.top + (rect.Height() - icon.cy) / 2;
        if (hIcon != nullptr)
            ::DrawIconEx(dc.GetSafeHdc(), rect.left + 4, y, hIcon, icon.cx, icon.cy, 0, nullptr, DI_NORMAL);
        else
            ImageList_Draw(GetImageList(), static_cast<int>(pTab->m_uiIcon), dc.GetSafeHdc(), rect.left + 4, y,
                           ILD_TRANSPARENT);
        iconWidth = icon.cx;
    }
    rectText.left += 8 + iconWidth;
    if (!bCompact && pTab->m_bIsDetachable) {
        CRect rectGripper(rect.right - kGripperWidth, rect.top, rect.right, rect.bottom);
        rectText.right = rectGripper.left;
        rectGripper.DeflateRect(4, 2);
        pManager->DrawBarGripper(&dc, rectGripper, FALSE, nullptr);
    }
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (!bCompact && m_nPageButtonTextAlign == 2)
        format |= DT_RIGHT;
    else if (!bCompact && m_nPageButtonTextAlign != 0)
        format |= DT_CENTER;
    dc.SetTextColor(clrText);
    CString text = pTab->m_strText;
    dc.DrawText(text, rectText, format);
}

void CKGPOutlookWnd::OnPaint()
{
    CPaintDC dcPaint(this);
    CKGPMemDC memDC(dcPaint, this);
    CDC& dc = memDC.GetDC();
    CKGPGlobalData& data = GetKGPGlobalData();

    CRect client;
    GetClientRect(client);
    dc.FillRect(client, CBrush::FromHandle(data.GetBarFaceBrush()));
    if (m_nBorderSize > 0) {
        CBrush* pBorder = CBrush::FromHandle(data.GetBarBorderBrush());
        dc.FillRect(CRect(client.left, client.top, client.right, client.top + m_nBorderSize), pBorder);
        dc.FillRect(CRect(client.left, client.bottom - m_nBorderSize, client.right, client.bottom), pBorder);
        dc.FillRect(CRect(client.left, client.top, client.left + m_nBorderSize, client.bottom), pBorder);
        dc.FillRect(CRect(client.right - m_nBorderSize, client.top, client.right, client.bottom), pBorder);
        client.DeflateRect(m_nBorderSize, m_nBorderSize);
    }
    dc.Draw3dRect(client, data.clrBtnShadow, data.clrBtnShadow);
    if (!m_rectWndArea.IsRectEmpty()) {
        CPen pen(PS_SOLID, 1, data.clrBtnShadow);
        CSelectionScope selectPen(dc.GetSafeHdc(), pen.GetSafeHandle());
        dc.MoveTo(m_rectWndArea.left - 1, m_rectWndArea.bottom);
        dc.LineTo(m_rectWndArea.right + 1, m_rectWndArea.bottom);
    }

    CKGPOutlookBar* pBar = GetParentOutlookBar();
    HFONT hFont = pBar != nullptr && pBar->GetButtonsFont() != nullptr
                      ? static_cast<HFONT>(pBar->GetButtonsFont()->GetSafeHandle())
                      : data.GetRegularFont();
    CSelectionScope selectFont(dc.GetSafeHdc(), hFont);
    dc.SetBkMode(TRANSPARENT);
    if (!(m_bHideSingleTab && GetVisibleTabsNum() <= 1)) {
        for (int i = 0; i < m_iTabsNum; ++i)
            DrawTabButton(dc, i);
    }
    CKGPVisualManager* pManager = CKGPVisualManager::GetInstance();
    if (IsMode2003() && !m_rectCaption.IsRectEmpty()) {
        CRect rectFill = m_rectCaption;
        rectFill.top -= 5;
        COLORREF clrText = data.clrBtnText;
        pManager->FillOutlookCaption(&dc, rectFill, clrText);
        CString label;
        if (GetTabLabel(m_iActiveTab, label)) {
            CRect rectText = m_rectCaption;
            rectText.DeflateRect(4, 0);
            dc.SetTextColor(clrText);
            dc.DrawText(label, rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        }
        pManager->DrawOutlookSplitter(&dc, m_rectSplitter);
    }
    if (!IsMode2003() && m_bScrollButtons && m_iActiveTab >= 0) {
        int lastVisible = -1;
        GetLastVisibleTab(lastVisible);
        if (lastVisible == m_iActiveTab) {
            CRect rectDown;
            m_btnDown.GetWindowRect(rectDown);
            ScreenToClient(rectDown);
            dc.FillRect(rectDown, CBrush::FromHandle(data.GetBarFaceBrush()));
        }
    }
}

void CKGPOutlookWnd::OnSize(UINT nType, int cx, int cy)
{
    CKGPBaseTabWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

// ---- Mouse: the splitter of the compact mode.

void CKGPOutlookWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsMode2003() && m_rectSplitter.PtInRect(point)) {
        m_bIsTracking = TRUE;
        m_nTrackStartY = m_rectSplitter.top;
        m_nTrackStartCount = m_nVisiblePageButtons;
        SetCapture();
        return;
    }
    const int iTab = GetTabFromPoint(point);
    if (iTab >= 0) {
        m_iPressed = iTab;
        m_iHighlighted = iTab;
    }
    CKGPBaseTabWnd::OnLButtonDown(nFlags, point);
    // A button held for a drag stays pressed: dragged off the buttons, its
    // page floats out (the pressed button is the page a drag takes).
    if (GetSafeHwnd() != nullptr) {
        if (!m_bTabDragTracking)
            m_iPressed = -1;
        Invalidate();
    }
}

void CKGPOutlookWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bIsTracking) {
        const int count = kgp::outlook::SplitterCount(m_nTrackStartCount, m_nTrackStartY, point.y, m_nTabsHeight,
                                                      GetVisibleTabsNum());
        if (count != m_nVisiblePageButtons) {
            m_nVisiblePageButtons = count;
            m_bDontAdjustLayout = TRUE;
            RecalcLayout();
            m_bDontAdjustLayout = FALSE;
            CPoint pt(point.x, m_rectSplitter.CenterPoint().y);
            ClientToScreen(&pt);
            ::SetCursorPos(pt.x, pt.y);
        }
        return;
    }
    const int iOld = m_iHighlighted;
    CKGPBaseTabWnd::OnMouseMove(nFlags, point);
    const int iNew = GetTabFromPoint(point);
    if (iNew != iOld && GetSafeHwnd() != nullptr && !m_bTabDragTracking) {
        m_iHighlighted = iNew;
        Invalidate();
    }
}

void CKGPOutlookWnd::StopSplitterTracking()
{
    if (!m_bIsTracking)
        return;
    m_bIsTracking = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
}

void CKGPOutlookWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bIsTracking) {
        StopSplitterTracking();
        return;
    }
    CKGPBaseTabWnd::OnLButtonUp(nFlags, point);
    if (GetSafeHwnd() != nullptr && m_iPressed >= 0) {
        m_iPressed = -1;
        Invalidate();
    }
}

void CKGPOutlookWnd::OnCancelMode()
{
    StopSplitterTracking();
    CKGPBaseTabWnd::OnCancelMode();
}

BOOL CKGPOutlookWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (IsMode2003() && (m_bIsTracking || m_rectSplitter.PtInRect(pt))) {
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZENS));
        return TRUE;
    }
    if (GetTabFromPoint(pt) >= 0) {
        if (HCURSOR hCursor = GetKGPGlobalData().GetHandCursor()) {
            ::SetCursor(hCursor);
            return TRUE;
        }
    }
    return CKGPBaseTabWnd::OnSetCursor(pWnd, nHitTest, message);
}

// ---- Commands.

BOOL CKGPOutlookWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const HWND hwndFrom = reinterpret_cast<HWND>(lParam);
    if (hwndFrom != nullptr && (hwndFrom == m_btnUp.GetSafeHwnd() || hwndFrom == m_btnDown.GetSafeHwnd())) {
        CKGPOutlookSrcrollButton& button = hwndFrom == m_btnUp.GetSafeHwnd() ? m_btnUp : m_btnDown;
        if (CKGPOutlookBar* pBar = GetParentOutlookBar())
            pBar->OnScroll(&button == &m_btnDown);
        if (!button.IsWindowEnabled())
            SetFocus();
        return TRUE;
    }
    switch (LOWORD(wParam)) {
    case KGP_OUTLOOK_SHOW_MORE:
        if (CanShowMoreButtons())
            ShowMoreButtons();
        return TRUE;
    case KGP_OUTLOOK_SHOW_FEWER:
        if (CanShowFewerButtons())
            ShowFewerButtons();
        return TRUE;
    case KGP_OUTLOOK_OPTIONS:
        ShowOptionsDialog();
        return TRUE;
    default:
        break;
    }
    return CKGPBaseTabWnd::OnCommand(wParam, lParam);
}

// ---- Toolbar buttons dragged over the page buttons.

DROPEFFECT CKGPOutlookWnd::OnDragOverToolbarData(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    std::unique_ptr<CKGPToolbarButton> pButton(CKGPToolbarButton::CreateFromOleData(pDataObject));
    if (pButton == nullptr || !pButton->IsKindOf(RUNTIME_CLASS(CKGPOutlookButton)))
        return DROPEFFECT_NONE;
    const int iTab = GetTabFromPoint(point);
    if (iTab >= 0 && iTab != m_iActiveTab)
        SetActiveTab(iTab);
    return (dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

BOOL CKGPOutlookWnd::OnDropToolbarData(COleDataObject* pDataObject, DROPEFFECT /*dropEffect*/, CPoint point)
{
    return OnDragOverToolbarData(pDataObject, 0, point) != DROPEFFECT_NONE;
}
