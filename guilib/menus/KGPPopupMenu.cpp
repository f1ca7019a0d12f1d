// The popup menu's life: creation (its window, its bar and items, the frame's
// consent), the active popup of a chain, closing and the clean-up that tells
// its button, its parent popup, its dialog and its frame, showing the hidden
// items, and the accessibility queries about its items.
#include "guilib/menus/KGPMenusLink.h"
#include "guilib/menus/KGPPopupMenu.h"

#include <afxadv.h>

#include "guilib/controls/KGPDlgImpl.h"
#include "guilib/core/KGPAccessibleRequest.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/menus/KGPMenuHash.h"
#include "guilib/menus/KGPMenuSound.h"
#include "guilib/menus/KGPPopupAnimation.h"
#include "guilib/menus/KGPPopupBarRules.h"
#include "guilib/menus/KGPPopupFrameLink.h"
#include "guilib/menus/KGPUserTool.h"
#include "guilib/menus/KGPUserToolsManager.h"
#include "guilib/ribbon/KGPBaseRibbonElement.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

IMPLEMENT_DYNCREATE(CKGPPopupMenu, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CKGPPopupMenu, CMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_WM_DESTROY()
    ON_WM_KEYDOWN()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SHOWWINDOW()
    ON_WM_SETCURSOR()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_ACTIVATEAPP()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {

constexpr UINT kMenuBarStyle = WS_CHILD | CBRS_ALIGN_TOP;
constexpr UINT kMenuBarId = 1;

// What the frames family registered, null without library frames.
IKGPPopupFrameLink* FrameLink() { return CKGPLink<IKGPPopupFrameLink>::Get(); }

kgp::AnimationSettings AnimationSettingsNow(int type)
{
    const CKGPGlobalData& global = GetKGPGlobalData();
    kgp::AnimationSettings settings;
    settings.type = type;
    settings.systemAnimation = global.m_bMenuAnimation != FALSE;
    settings.systemFade = global.m_bMenuFadeEffect != FALSE;
    settings.remoteSession = global.m_bIsRemoteSession != FALSE;
    settings.bitsPerPixel = global.m_nBitsPerPixel;
    return settings;
}

}  // namespace

CKGPPopupMenu* CKGPPopupMenu::m_pActivePopupMenu = nullptr;
int CKGPPopupMenu::m_AnimationType = kgp::kAnimationNone;
int CKGPPopupMenu::m_AnimationSpeed = 15;
clock_t CKGPPopupMenu::m_nLastAnimTime = 0;
BOOL CKGPPopupMenu::m_bMenuShadows = TRUE;

CKGPPopupMenu::CKGPPopupMenu()
{
    KGPRegisterMenusLinks();
    m_AnimationType = kgp::LibraryAnimationType(AnimationSettingsNow(m_AnimationType));
    m_bAnimationIsDone = GetAnimationType() == kgp::kAnimationNone;
    m_iShadowSize = kgp::ShadowDepth(m_bMenuShadows != FALSE, CKGPToolBar::IsCustomizeMode() != FALSE,
                                     GetKGPGlobalData().m_nBitsPerPixel,
                                     CKGPVisualManager::GetInstance()->GetMenuShadowDepth());
}

CKGPPopupMenu::CKGPPopupMenu(IKGPPopupMenuPage* pCustPage, LPCTSTR lpszTitle) : CKGPPopupMenu()
{
    m_pMenuCustomizationPage = pCustPage;
    m_strCaption = lpszTitle != nullptr ? lpszTitle : _T("");
}

CKGPPopupMenu::~CKGPPopupMenu()
{
    *m_pAlive = false;
    if (m_pParentRibbonElement != nullptr)
        m_pParentRibbonElement->SetDroppedDown(nullptr);
    if (m_pActivePopupMenu == this)
        m_pActivePopupMenu = nullptr;
}

int CKGPPopupMenu::GetAnimationType()
{
    return kgp::EffectiveAnimationType(AnimationSettingsNow(m_AnimationType), CKGPToolBar::IsCustomizeMode() != FALSE);
}

int CKGPPopupMenu::GetBorderSize() const { return CKGPVisualManager::GetInstance()->GetPopupMenuBorderSize(); }

CWnd* CKGPPopupMenu::TopFrameOf(const CWnd* pWnd)
{
    CWnd* top = nullptr;
    for (HWND hWnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* window = CWnd::FromHandlePermanent(hWnd);
        if (window != nullptr && window->AsFrameWnd() != nullptr && !window->IsKindOf(RUNTIME_CLASS(CKGPPopupMenu)))
            top = window;
    }
    return top != nullptr ? top : AfxGetMainWnd();
}

CWnd* CKGPPopupMenu::TopFrame() const { return TopFrameOf(m_pWndParent != nullptr ? m_pWndParent : this); }

// ---- Creation ----

BOOL CKGPPopupMenu::Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked, BOOL bOwnMessage)
{
    CKGPMenuSound::PlayMenuSound(CKGPMenuSound::kPopup);
    static const CString className = RegisterLibraryWindowClass(
        _T("KGPPopupMenu"), CS_SAVEBITS, ::LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    m_hMenu = hMenu;
    if (m_bOwnsMenu)
        m_ownedMenu.Reset(hMenu);
    m_pWndParent = pWndParent;
    m_wndMenuBar.m_bLocked = bLocked;

    if (x == -1 && y == -1) {
        CPoint origin(0, 0);
        if (pWndParent != nullptr && pWndParent->GetSafeHwnd() != nullptr) {
            pWndParent->ClientToScreen(&origin);
            origin.Offset(5, 5);
        }
        x = origin.x;
        y = origin.y;
    }
    m_ptLocation = CPoint(x, y);
    m_ptLocationInitial = m_ptLocation;

    DWORD style = WS_POPUP;
    if (m_pMenuCustomizationPage != nullptr)
        style |= WS_CAPTION | WS_SYSMENU;
    const HWND parent = CWnd::HwndOf(pWndParent);
    DWORD exStyle = parent != nullptr ? static_cast<DWORD>(::GetWindowLongPtrW(parent, GWL_EXSTYLE)) & WS_EX_LAYOUTRTL : 0;
    // A menu stands above everything, as the system's own menus do: a tooltip
    // still up (a topmost window) would otherwise stand over it, and Wine then
    // leaves the new menu's window under the frame on the display. A menu being
    // edited while customising stays an ordinary window beside the sheet.
    if (!CKGPToolBar::IsCustomizeMode())
        exStyle |= WS_EX_TOPMOST;
    if (bOwnMessage)
        m_pMessageWnd = pWndParent;
    else if (const CKGPPopupMenu* above = GetParentPopupMenu(); above != nullptr && m_pMessageWnd == nullptr)
        m_pMessageWnd = above->GetMessageWnd();

    HWND owner = parent;
    if (parent != nullptr) {
        const HWND parentOwner = ::GetWindow(parent, GW_OWNER);
        owner = parentOwner != nullptr ? parentOwner : (::GetParent(parent) != nullptr ? ::GetParent(parent) : parent);
    }
    const std::shared_ptr<bool> alive = m_pAlive;
    if (!CWnd::CreateEx(exStyle, className, m_strCaption, style, m_ptLocation.x, m_ptLocation.y, 0, 0, owner,
                        nullptr)) {
        // A window that went during its creation took the object with it.
        if (*alive)
            delete this;
        return FALSE;
    }
    if (m_bRightAlign) {
        m_ptLocation.x -= m_FinalSize.cx - 1;
        RecalcLayout();
    }

    if (GetAnimationType() != kgp::kAnimationNone && !CKGPToolBar::IsCustomizeMode())
        StartAnimation();
    // The screen below is current, and kept, before the popup shows over it.
    if (CWnd* top = TopFrame(); top != nullptr && top != this && top->GetSafeHwnd() != nullptr)
        top->UpdateWindow();
    if ((m_iShadowSize > 0 || !m_bAnimationIsDone) && !CKGPToolBar::IsCustomizeMode())
        CaptureScreenBehind();
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_bShown = TRUE;
    if (CKGPToolBar::IsCustomizeMode()) {
        m_wndMenuBar.Invalidate();
        m_wndMenuBar.UpdateWindow();
    }
    return TRUE;
}

int CKGPPopupMenu::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_pParentBtn != nullptr && m_pParentBtn->IsMenuPaletteMode()) {
        m_wndMenuBar.m_bPaletteMode = TRUE;
        m_wndMenuBar.m_nPaletteRows = m_pParentBtn->GetPaletteRows();
    }
    const BOOL animated = GetAnimationType() != kgp::kAnimationNone && !CKGPToolBar::IsCustomizeMode();
    if (!m_wndMenuBar.CreateBarEx(this, TBSTYLE_FLAT, kMenuBarStyle | (animated ? 0 : WS_VISIBLE), CRect(0, 0, 0, 0),
                                  kMenuBarId))
        return -1;
    if (const CKGPPopupMenu* above = GetParentPopupMenu())
        m_iMaxWidth = above->m_iMaxWidth;
    m_wndMenuBar.m_iMaxWidth = m_iMaxWidth;
    m_wndMenuBar.SetOwner(m_pWndParent);
    return InitMenuBar() ? 0 : -1;
}

BOOL CKGPPopupMenu::InitMenuBar()
{
    if (m_hMenu != nullptr) {
        BOOL loaded = FALSE;
        if (m_pParentBtn == nullptr)
            loaded = g_menuHash.LoadMenuBar(m_hMenu, &m_wndMenuBar);
        if (!loaded && !m_wndMenuBar.ImportFromMenu(m_hMenu))
            return FALSE;
    }
    ExpandRecentFiles();
    ExpandUserTools();
    // A tracked popup shows the menu's own states; the others ask the commands.
    if (!m_bTrackMode)
        m_wndMenuBar.UpdateCommands();
    if (!ActivatePopupMenu(TopFrame(), this))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

// The entry of the recently used files becomes one item per file, "&1 name"
// and so on, each named as short as the current folder allows; without files
// it goes, and the separator after it when it stood between two.
void CKGPPopupMenu::ExpandRecentFiles()
{
    CWinApp* app = AfxGetApp();
    CRecentFileList* recent = app != nullptr ? app->m_pRecentFileList : nullptr;
    if (recent == nullptr || CKGPToolBar::IsCustomizeMode() || recent->m_strSectionName != _T("Recent File"))
        return;
    CKGPPopupMenuBar& bar = *GetMenuBar();
    const int at = bar.CommandToIndex(ID_FILE_MRU_FILE1);
    if (at < 0)
        return;
    WCHAR folder[MAX_PATH + 1] = {};
    DWORD length = ::GetCurrentDirectoryW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        length = 0;
    else if (folder[length - 1] != L'\\')
        folder[length++] = L'\\';
    int inserted = 0;
    for (int i = 0; i < recent->GetSize() && i <= ID_FILE_MRU_LAST - ID_FILE_MRU_FILE1; ++i) {
        CString name;
        if (!recent->GetDisplayName(name, i, folder, static_cast<int>(length), TRUE))
            continue;
        CString text;
        text.Format(_T("&%d %s"), inserted + 1, name.GetString());
        const CKGPToolbarMenuButton item(ID_FILE_MRU_FILE1 + static_cast<UINT>(i), nullptr, -1, text);
        // After the entry: its going then leaves no two separators together.
        bar.InsertButtonCopy(item, at + 1 + inserted);
        ++inserted;
    }
    bar.RemoveButton(at);
}

// The entry of the user tools becomes one item per tool, the group set off
// by separators where other items follow. A manager without an entry command
// (0, the separators' command) has no entry in any menu.
void CKGPPopupMenu::ExpandUserTools()
{
    if (g_pUserToolsManager == nullptr || CKGPToolBar::IsCustomizeMode())
        return;
    const UINT entry = g_pUserToolsManager->GetToolsEntryCmd();
    if (entry == 0)
        return;
    CKGPPopupMenuBar& bar = *GetMenuBar();
    const int at = bar.CommandToIndex(entry);
    if (at < 0)
        return;
    bar.RemoveButton(at);
    int index = at;
    const CObList& tools = g_pUserToolsManager->GetUserTools();
    if (!tools.IsEmpty() && index > 0 && !bar.GetButton(index - 1)->IsSeparator())
        bar.InsertSeparator(index++);
    for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
        const auto* tool = static_cast<const CKGPUserTool*>(tools.GetNext(pos));
        CKGPToolbarMenuButton item(tool->GetCommandId(), nullptr, GetCmdMgr()->GetCmdImage(tool->GetCommandId(), FALSE),
                                   tool->m_strLabel);
        bar.InsertButtonCopy(item, index++);
    }
    if (!tools.IsEmpty() && index < bar.GetCount() && !bar.GetButton(index)->IsSeparator())
        bar.InsertSeparator(index);
    // A separator that would follow another goes.
    for (int i = bar.GetCount() - 1; i > 0; --i) {
        if (bar.GetButton(i)->IsSeparator() && bar.GetButton(i - 1)->IsSeparator())
            bar.RemoveButton(i);
    }
}

// ---- The active popup ----

BOOL CKGPPopupMenu::ActivatePopupMenu(CWnd* pTopFrame, CKGPPopupMenu* pPopupMenu)
{
    if (pPopupMenu != nullptr) {
        if (auto* owner = dynamic_cast<IKGPPopupMenuOwner*>(pPopupMenu->GetMessageWnd()))
            owner->SetActiveMenu(pPopupMenu);
    }
    IKGPPopupFrameLink* link = FrameLink();
    const BOOL allowed = link == nullptr || pTopFrame == nullptr || link->OnShowPopupMenu(pTopFrame, pPopupMenu);
    if (!allowed) {
        if (pPopupMenu != nullptr && pPopupMenu->m_bShown && !pPopupMenu->m_bClosing)
            pPopupMenu->CloseMenu(FALSE);
        return FALSE;
    }
    m_pActivePopupMenu = pPopupMenu;
    if (pPopupMenu != nullptr && pPopupMenu->m_pParentBtn != nullptr &&
        !pPopupMenu->GetMenuBar()->m_bAreAllCommandsShown) {
        CKGPPopupMenuBar& bar = *pPopupMenu->GetMenuBar();
        const CKGPToolbarButton* last = bar.GetButton(bar.GetCount() - 1);
        if (last == nullptr || !last->IsKindOf(RUNTIME_CLASS(CKGPShowAllButton)))
            bar.InsertButton(std::make_unique<CKGPShowAllButton>());
    }
    return TRUE;
}

CKGPPopupMenu* CKGPPopupMenu::GetParentPopupMenu() const
{
    if (m_pParentBtn == nullptr)
        return nullptr;
    const CKGPPopupMenuBar* bar = DYNAMIC_DOWNCAST(CKGPPopupMenuBar, m_pParentBtn->GetParentWnd());
    return bar != nullptr ? bar->GetPopupMenu() : nullptr;
}

CKGPToolBar* CKGPPopupMenu::GetParentToolBar() const
{
    return m_pParentBtn != nullptr ? DYNAMIC_DOWNCAST(CKGPToolBar, m_pParentBtn->GetParentWnd()) : nullptr;
}

CKGPToolbarMenuButton* CKGPPopupMenu::GetSelItem()
{
    return DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, m_wndMenuBar.GetButton(m_wndMenuBar.GetHotButton()));
}

CWnd* CKGPPopupMenu::GetParentArea(CRect& rectParentBtn)
{
    if (m_pParentRibbonElement != nullptr && m_pParentRibbonElement->GetParentWnd() != nullptr) {
        rectParentBtn = m_pParentRibbonElement->GetRect();
        return m_pParentRibbonElement->GetParentWnd();
    }
    CKGPToolBar* bar = GetParentToolBar();
    if (bar == nullptr || bar->GetSafeHwnd() == nullptr)
        return nullptr;
    rectParentBtn = m_pParentBtn->m_rcButton;
    bar->ClientToScreen(rectParentBtn);
    return bar;
}

void CKGPPopupMenu::SetParentRibbonElement(CKGPBaseRibbonElement* pElem)
{
    if (m_pParentRibbonElement != nullptr && m_pParentRibbonElement != pElem)
        m_pParentRibbonElement->SetDroppedDown(nullptr);
    m_pParentRibbonElement = pElem;
    if (pElem != nullptr) {
        pElem->SetDroppedDown(this);
        const CSize image = pElem->GetPopupImageSize();
        if (image.cx > 0 && image.cy > 0)
            m_wndMenuBar.m_sizeItemImage = image;
    }
}

// ---- Closing ----

void CKGPPopupMenu::CloseMenu(BOOL bSetFocusToBar)
{
    if (GetSafeHwnd() == nullptr || m_bDestroying)
        return;
    m_bClosing = TRUE;
    StoreItemsInParentButton();
    CKGPPopupMenu* above = GetParentPopupMenu();
    if (above != nullptr) {
        m_bAutoDestroy = FALSE;
        ActivatePopupMenu(TopFrame(), above);
    } else {
        ActivatePopupMenu(TopFrame(), nullptr);
        if (auto* owner = dynamic_cast<IKGPPopupMenuOwner*>(m_pMessageWnd))
            owner->SetActiveMenu(nullptr);
        if (bSetFocusToBar) {
            if (CKGPToolBar* bar = GetParentToolBar(); bar != nullptr && bar->GetSafeHwnd() != nullptr)
                bar->SetFocus();
        }
    }
    SendMessage(WM_CLOSE);
}

void CKGPPopupMenu::CloseChain()
{
    CKGPPopupMenu* top = this;
    while (CKGPPopupMenu* above = top->GetParentPopupMenu())
        top = above;
    top->SendMessage(WM_CLOSE);
}

void CKGPPopupMenu::OnClose()
{
    if (!m_bDestroying)
        DestroyWindow();
}

void CKGPPopupMenu::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CMiniFrameWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive && !CKGPToolBar::IsCustomizeMode() && !IsInCommand())
        PostMessage(WM_CLOSE);
}

BOOL CKGPPopupMenu::IsTopLevelButtonMenu() const
{
    if (m_bDestroying)
        return m_bWasTopLevelButtonMenu;
    return m_pParentBtn != nullptr && GetParentPopupMenu() == nullptr && !m_bTearOffTracking;
}

void CKGPPopupMenu::OnDestroy()
{
    m_bWasTopLevelButtonMenu = IsTopLevelButtonMenu();
    m_bDestroying = TRUE;
    const BOOL customizing = CKGPToolBar::IsCustomizeMode();
    if (m_bRestoreRecentlyUsed) {
        KGPToolbarLinks::SetRecentlyUsedMenus(m_bWasRecentlyUsedOn);
        m_bRestoreRecentlyUsed = FALSE;
    }
    CKGPPopupMenu* above = GetParentPopupMenu();
    CKGPToolBar* parentBar = GetParentToolBar();
    const HWND parentBarWindow = parentBar != nullptr ? parentBar->GetSafeHwnd() : nullptr;
    if (CKGPBaseRibbonElement* element = std::exchange(m_pParentRibbonElement, nullptr)) {
        element->SetDroppedDown(nullptr);
        if (!customizing && m_bAutoDestroy && above != nullptr) {
            CPoint cursor;
            ::GetCursorPos(&cursor);
            CRect window;
            above->GetWindowRect(window);
            if (!window.PtInRect(cursor))
                above->SendMessage(WM_CLOSE);
        }
    }
    if (m_pParentBtn != nullptr) {
        StoreItemsInParentButton();
        m_pParentBtn->OnPopupMenuGone();
        CKGPToolbarMenuButton* button = std::exchange(m_pParentBtn, nullptr);
        if (CWnd* bar = button->GetParentWnd(); bar != nullptr && bar->GetSafeHwnd() != nullptr)
            bar->InvalidateRect(button->m_rcButton);
        if (!customizing && m_bAutoDestroy && above != nullptr)
            above->SendMessage(WM_CLOSE);
    }
    if (m_pMenuCustomizationPage != nullptr)
        m_pMenuCustomizationPage->OnPopupMenuClosed(this);
    if (auto* owner = dynamic_cast<IKGPPopupMenuOwner*>(m_pMessageWnd); owner != nullptr && above == nullptr)
        owner->SetActiveMenu(nullptr);
    if (m_pActivePopupMenu == this)
        m_pActivePopupMenu = nullptr;
    // The chain closes with its first popup: the menus opened next hide their
    // rarely used items again.
    if (above == nullptr)
        CKGPPopupMenuBar::SetShowAllCommands(FALSE);
    if (IKGPPopupFrameLink* link = FrameLink()) {
        if (CWnd* frame = TopFrame())
            link->OnClosePopupMenu(frame, this);
    }
    // The bar that opened the last open menu leaves its menu mode, unless the
    // keys stay with it (Escape gave it the focus).
    if (!customizing && m_pActivePopupMenu == nullptr && parentBarWindow != nullptr && ::IsWindow(parentBarWindow) &&
        ::GetFocus() != parentBarWindow)
        parentBar->LeaveHotState();
    CMiniFrameWnd::OnDestroy();
}

void CKGPPopupMenu::PostNcDestroy()
{
    if (m_pParentBtn != nullptr)
        m_pParentBtn->OnPopupMenuGone();
    if (m_pParentRibbonElement != nullptr)
        m_pParentRibbonElement->SetDroppedDown(nullptr);
    m_pParentRibbonElement = nullptr;
    CMiniFrameWnd::PostNcDestroy();  // deletes the object
}

void CKGPPopupMenu::StoreItemsInParentButton()
{
    if (!CKGPToolBar::IsCustomizeMode() || m_pParentBtn == nullptr || m_pParentBtn->IsMenuPaletteMode() ||
        m_wndMenuBar.GetSafeHwnd() == nullptr)
        return;
    CMenuHandle menu(m_wndMenuBar.ExportToMenu());
    if (!menu)
        return;
    m_pParentBtn->CreateFromMenu(menu.Get());
    if (CKGPPopupMenu* above = GetParentPopupMenu())
        above->StoreItemsInParentButton();
}

void CKGPPopupMenu::CancelItems()
{
    for (int i = 0; i < m_wndMenuBar.GetCount(); ++i)
        m_wndMenuBar.GetButton(i)->CancelState();
}

BOOL CKGPPopupMenu::IsInCommand() const { return m_wndMenuBar.IsInCommand(); }

// ---- Items ----

CKGPToolbarButton* CKGPPopupMenu::GetItem(int nIndex) const { return m_wndMenuBar.GetButton(nIndex); }

int CKGPPopupMenu::InsertItem(const CKGPToolbarMenuButton& button, int iInsertAt)
{
    return m_wndMenuBar.InsertButtonCopy(button, iInsertAt);
}

int CKGPPopupMenu::InsertSeparator(int iInsertAt) { return m_wndMenuBar.InsertSeparator(iInsertAt); }

int CKGPPopupMenu::GetMenuItemCount() const { return m_wndMenuBar.GetCount(); }

CKGPToolbarMenuButton* CKGPPopupMenu::GetMenuItem(int iIndex) const
{
    return DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, m_wndMenuBar.GetButton(iIndex));
}

BOOL CKGPPopupMenu::RemoveItem(int iIndex) { return m_wndMenuBar.RemoveButton(iIndex); }

void CKGPPopupMenu::RemoveAllItems() { m_wndMenuBar.RemoveAllButtons(); }

// ---- Hidden items, recently used, the plain menu ----

void CKGPPopupMenu::ShowAllCommands()
{
    if (m_pParentBtn == nullptr || GetSafeHwnd() == nullptr)
        return;
    CKGPPopupMenuBar::SetShowAllCommands(TRUE);
    CKGPMenuSound::PlayMenuSound(CKGPMenuSound::kPopup);
    ShowWindow(SW_HIDE);
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
    m_ptLocation = m_ptLocationInitial;
    InitMenuBar();
    if (m_bScrollable)
        AdjustScrollButtons();
    if (CWnd* top = TopFrame(); top != nullptr && top != this && top->GetSafeHwnd() != nullptr)
        top->UpdateWindow();
    if (m_iShadowSize > 0)
        CaptureScreenBehind();
    ShowWindow(SW_SHOWNOACTIVATE);
    if (CWnd* bar = m_pParentBtn->GetParentWnd(); bar != nullptr && bar->GetSafeHwnd() != nullptr)
        bar->InvalidateRect(m_pParentBtn->m_rcButton);
}

void CKGPPopupMenu::DisableRecentlyUsedMenus()
{
    m_bWasRecentlyUsedOn = KGPToolbarLinks::AreRecentlyUsedMenusOn();
    KGPToolbarLinks::SetRecentlyUsedMenus(FALSE);
    m_bRestoreRecentlyUsed = TRUE;
}

BOOL CKGPPopupMenu::BuildPlainMenu()
{
    m_plainMenu.Reset(m_wndMenuBar.ExportToMenu());
    return static_cast<bool>(m_plainMenu);
}

BOOL CKGPPopupMenu::DestroyAttachedMenu()
{
    const BOOL had = static_cast<bool>(m_plainMenu);
    m_plainMenu.Reset();
    return had;
}

// ---- Accessibility ----

LRESULT CKGPPopupMenu::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == KGM_ACCHITTEST)
        return OnAccHitTest(wParam, lParam);
    if (message == KGM_ACCGETSTATE)
        return OnAccGetState(wParam, lParam);
    if (message == WM_GETOBJECT)
        return OnGetObject(wParam, lParam);
    return CMiniFrameWnd::WindowProc(message, wParam, lParam);
}

LRESULT CKGPPopupMenu::OnAccHitTest(WPARAM, LPARAM lParam)
{
    // Signed: a monitor left of or above the primary one has negative coordinates.
    const kgp::Point2 at = kgp::PointFromLParam(static_cast<std::uint32_t>(lParam));
    CPoint point(at.x, at.y);
    m_wndMenuBar.ScreenToClient(&point);
    return m_wndMenuBar.HitTest(point);
}

LRESULT CKGPPopupMenu::OnAccGetState(WPARAM wParam, LPARAM)
{
    const int index = static_cast<int>(wParam);
    const CKGPToolbarButton* item = m_wndMenuBar.GetButton(index);
    return static_cast<LRESULT>(kgp::ItemStateAnswer(index, m_wndMenuBar.GetCount(), item != nullptr ? item->m_nBits : 0));
}

LRESULT CKGPPopupMenu::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !GetKGPGlobalData().m_bEnableAccessibility)
        return CMiniFrameWnd::WindowProc(WM_GETOBJECT, wParam, lParam);
    CWnd* frame = TopFrame();
    if (frame == nullptr || frame->GetSafeHwnd() == nullptr)
        return CMiniFrameWnd::WindowProc(WM_GETOBJECT, wParam, lParam);
    return KGPAskForAccessibleObject(frame, KGPAccessibleRequest{this, wParam, OBJID_CLIENT, 1, m_plainMenu.Get()});
}

// ---- Routing ----

BOOL CKGPPopupMenu::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CMiniFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pMessageWnd != nullptr && m_pMessageWnd->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

int CKGPPopupMenu::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }

BOOL CKGPPopupMenu::OnEraseBkgnd(CDC*) { return TRUE; }

void CKGPPopupMenu::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CMiniFrameWnd::OnShowWindow(bShow, nStatus);
    if (!bShow)
        m_bIsPainted = FALSE;
}
