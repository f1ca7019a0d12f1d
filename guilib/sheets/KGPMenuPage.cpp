#include "guilib/sheets/KGPMenuPage.h"

#include <afxframe.h>

#include <optional>

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/menus/KGPContextMenuManager.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPMenuHash.h"
#include "guilib/menus/KGPPopupAnimation.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/menus/KGPPopupMenuBar.h"
#include "guilib/toolbars/KGPToolBar.h"

IMPLEMENT_DYNCREATE(CKGPMenuPage, CPropertyPage)

namespace {

// The popup animations in their numeric order, then the system's.
constexpr int kAnimations[] = {kgp::kAnimationNone, kgp::kAnimationUnfold, kgp::kAnimationSlide, kgp::kAnimationFade};
struct AnimationName {
    UINT id;
    LPCTSTR english;
};
constexpr AnimationName kAnimationNames[] = {{IDS_KGP_ANIMATION_NONE, _T("(None)")},
                                             {IDS_KGP_ANIMATION_UNFOLD, _T("Unfold")},
                                             {IDS_KGP_ANIMATION_SLIDE, _T("Slide")},
                                             {IDS_KGP_ANIMATION_FADE, _T("Fade")},
                                             {IDS_KGP_ANIMATION_SYSTEM, _T("System default")}};

// Where the user left the last context menu edited, for the next one.
std::optional<CPoint> g_contextMenuPlace;

} // namespace

CKGPMenuPage::CKGPMenuPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CPropertyPage(IDD_KGP_MENU_PAGE), m_pParentFrame(pParentFrame), m_bAutoSet(bAutoSet)
{
}

CKGPMenuPage::~CKGPMenuPage()
{
    // The bar may have gone before the page.
    if (m_pMenuBar != nullptr && CKGPMenuBar::FromFrame(m_pParentFrame) == m_pMenuBar &&
        m_pMenuBar->GetMenuPage() == this)
        m_pMenuBar->SetMenuPage(nullptr);
}

BOOL CKGPMenuPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndFrameMenus.SubclassDlgItem(IDC_KGP_FRAME_MENUS, this);
    m_wndContextMenus.SubclassDlgItem(IDC_KGP_CONTEXT_MENUS, this);
    m_wndAnimation.SubclassDlgItem(IDC_KGP_MENU_ANIMATION, this);
    m_pMenuBar = CKGPMenuBar::FromFrame(m_pParentFrame);
    if (m_pMenuBar != nullptr) {
        m_pMenuBar->SetMenuPage(this);
        m_hCurrentMenu = m_pMenuBar->GetHMenu();
        m_wndFrameMenus.SetItemData(
            m_wndFrameMenus.AddString(KGPLoadLibraryString(IDS_KGP_DEFAULT_MENU_ENTRY, _T("Default menu"))), 0);
        if (CWinApp* app = AfxGetApp()) {
            for (POSITION pos = app->GetFirstDocTemplatePosition(); pos != nullptr;) {
                auto* tmpl = DYNAMIC_DOWNCAST(CMultiDocTemplate, app->GetNextDocTemplate(pos));
                CString name;
                if (tmpl == nullptr || !tmpl->m_hMenuShared || !tmpl->GetDocString(name, CDocTemplate::docName))
                    continue;
                m_wndFrameMenus.SetItemData(m_wndFrameMenus.AddString(name), reinterpret_cast<DWORD_PTR>(tmpl));
            }
        }
    }
    m_wndFrameMenus.EnableWindow(m_pMenuBar != nullptr);
    if (CWnd* reset = GetDlgItem(IDC_KGP_RESET_FRAME_MENU))
        reset->EnableWindow(m_pMenuBar != nullptr);

    // Context menus are edited only when the application keeps them in a manager.
    m_wndContextMenus.AddString(KGPLoadLibraryString(IDS_KGP_NO_CONTEXT_MENU, _T("(none)")));
    if (g_pContextMenuManager != nullptr) {
        CStringList names;
        g_pContextMenuManager->GetMenuNames(names);
        for (POSITION pos = names.GetHeadPosition(); pos != nullptr;)
            m_wndContextMenus.AddString(names.GetNext(pos));
    }
    m_wndContextMenus.SetCurSel(0);
    m_wndContextMenus.EnableWindow(g_pContextMenuManager != nullptr);
    if (CWnd* reset = GetDlgItem(IDC_KGP_RESET_CONTEXT_MENU))
        reset->EnableWindow(g_pContextMenuManager != nullptr);

    for (const AnimationName& name : kAnimationNames)
        m_wndAnimation.AddString(KGPLoadLibraryString(name.id, name.english));
    int chosen = static_cast<int>(std::size(kAnimations));
    for (int i = 0; i < static_cast<int>(std::size(kAnimations)); ++i) {
        if (CKGPPopupMenu::m_AnimationType == kAnimations[i])
            chosen = i;
    }
    m_wndAnimation.SetCurSel(chosen);
    CheckDlgButton(IDC_KGP_MENU_SHADOWS, CKGPPopupMenu::m_bMenuShadows ? BST_CHECKED : BST_UNCHECKED);
    if (m_pMenuBar != nullptr) {
        m_wndFrameMenus.SetCurSel(0);
        SelectFrameMenu(0);
    }
    return TRUE;
}

CMultiDocTemplate* CKGPMenuPage::ChosenTemplate() const
{
    const int selected = m_wndFrameMenus.GetCurSel();
    return selected >= 0 ? reinterpret_cast<CMultiDocTemplate*>(m_wndFrameMenus.GetItemData(selected)) : nullptr;
}

void CKGPMenuPage::StoreEditedMenu()
{
    if (m_pMenuBar != nullptr && m_pMenuBar->GetHMenu() != nullptr && m_pMenuBar->GetCount() > 0)
        g_menuHash.SaveMenuBar(m_pMenuBar->GetHMenu(), m_pMenuBar);
}

void CKGPMenuPage::SelectFrameMenu(int nIndex)
{
    StoreEditedMenu();
    m_wndFrameMenus.SetCurSel(nIndex);
    if (m_pMenuBar == nullptr || nIndex < 0) {
        SetDlgItemText(IDC_KGP_MENU_TEXT, _T(""));
        SendDlgItemMessage(IDC_KGP_MENU_ICON, STM_SETICON, 0, 0);
        return;
    }
    CMultiDocTemplate* tmpl = ChosenTemplate();
    CString text;
    HICON icon = nullptr;
    if (tmpl != nullptr) {
        tmpl->GetDocString(text, CDocTemplate::regFileTypeName);
        icon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(tmpl->m_nIDResource));
        m_pMenuBar->CreateFromMenu(tmpl->m_hMenuShared.Get());
    } else {
        text = KGPLoadLibraryString(IDS_KGP_DEFAULT_MENU_LABEL, _T("The default menu"));
        if (CWnd* main = AfxGetMainWnd())
            icon = reinterpret_cast<HICON>(::GetClassLongPtrW(main->GetSafeHwnd(), GCLP_HICON));
        m_pMenuBar->CreateFromMenu(m_pMenuBar->GetDefaultMenu(), TRUE);
    }
    if (icon == nullptr)
        icon = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
    SetDlgItemText(IDC_KGP_MENU_TEXT, text);
    SendDlgItemMessage(IDC_KGP_MENU_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void CKGPMenuPage::ReselectMenu()
{
    if (GetSafeHwnd() != nullptr && m_pMenuBar != nullptr && m_wndFrameMenus.GetSafeHwnd() != nullptr)
        SelectFrameMenu(m_wndFrameMenus.GetCurSel());
}

BOOL CKGPMenuPage::ResetFrameMenu()
{
    if (m_pMenuBar == nullptr || m_wndFrameMenus.GetCurSel() < 0)
        return FALSE;
    const CKGPMenuBar::ReloadedMenu reloaded = m_pMenuBar->ReloadMenu(ChosenTemplate(), TRUE);
    if (reloaded.hFresh == nullptr)
        return FALSE;
    if (reloaded.hOld != nullptr && reloaded.hOld == m_hCurrentMenu)
        m_hCurrentMenu = reloaded.hFresh;  // the frame's current menu is the fresh one now
    m_pMenuBar->RedrawWindow();
    return TRUE;
}

HMENU CKGPMenuPage::ChosenContextMenu() const
{
    const int selected = m_wndContextMenus.GetSafeHwnd() != nullptr ? m_wndContextMenus.GetCurSel() : -1;
    if (g_pContextMenuManager == nullptr || selected <= 0)
        return nullptr;
    CString name;
    m_wndContextMenus.GetLBText(selected, name);
    const HMENU menu = g_pContextMenuManager->GetMenuByName(name);
    return menu != nullptr ? ::GetSubMenu(menu, 0) : nullptr;
}

void CKGPMenuPage::CloseContextMenu()
{
    if (m_pContextMenu != nullptr)
        m_pContextMenu->SendMessage(WM_CLOSE);  // OnPopupMenuClosed forgets it
}

BOOL CKGPMenuPage::SelectContextMenu(int nIndex)
{
    CloseContextMenu();
    m_wndContextMenus.SetCurSel(nIndex);
    const HMENU menu = ChosenContextMenu();
    if (menu == nullptr)
        return FALSE;
    CString name;
    m_wndContextMenus.GetLBText(nIndex, name);
    CPoint place = g_contextMenuPlace.value_or(CPoint(0, 0));
    if (!g_contextMenuPlace) {
        CRect sheet;
        GetParent()->GetWindowRect(sheet);
        place = CPoint(sheet.right + 4, sheet.top);
    }
    CWnd* owner = m_pParentFrame != nullptr ? static_cast<CWnd*>(m_pParentFrame) : GetParent();
    auto* popup = new CKGPPopupMenu(this, name);
    popup->SetOwnsMenu(FALSE);  // the manager keeps the menu
    m_pContextMenu = popup;
    if (!popup->Create(owner, place.x, place.y, menu, FALSE, TRUE)) {
        m_pContextMenu = nullptr;  // the popup deleted itself
        ::OutputDebugStringW(L"Can't create context menu!\n");
        return FALSE;
    }
    return TRUE;
}

void CKGPMenuPage::OnPopupMenuClosed(CKGPPopupMenu* pPopup)
{
    if (pPopup == nullptr || pPopup != m_pContextMenu)
        return;
    m_pContextMenu = nullptr;
    if (pPopup->GetSafeHwnd() != nullptr) {
        CRect place;
        pPopup->GetWindowRect(place);
        g_contextMenuPlace = place.TopLeft();
    }
    CKGPPopupMenuBar* bar = pPopup->GetMenuBar();
    if (pPopup->GetHMenu() != nullptr && bar != nullptr && bar->GetSafeHwnd() != nullptr)
        g_menuHash.SaveMenuBar(pPopup->GetHMenu(), bar);
}

BOOL CKGPMenuPage::ResetContextMenu()
{
    const HMENU menu = ChosenContextMenu();
    if (menu == nullptr)
        return FALSE;
    g_menuHash.RemoveMenu(menu);
    if (m_pContextMenu != nullptr && m_pContextMenu->GetHMenu() == menu) {
        CKGPPopupMenuBar* bar = m_pContextMenu->GetMenuBar();
        if (!bar->ImportFromMenu(menu))
            return FALSE;
        m_pContextMenu->RecalcLayout();
        m_pContextMenu->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    return TRUE;
}

void CKGPMenuPage::ApplyOptions()
{
    const int chosen = m_wndAnimation.GetCurSel();
    if (chosen >= 0)
        CKGPPopupMenu::m_AnimationType =
            chosen < static_cast<int>(std::size(kAnimations)) ? kAnimations[chosen] : kgp::kAnimationSystem;
    CKGPPopupMenu::m_bMenuShadows = IsDlgButtonChecked(IDC_KGP_MENU_SHADOWS) == BST_CHECKED;
}

namespace {

// The user's answer to resetting the menu chosen in the combo.
bool AgreesToReset(const CComboBox& menus)
{
    CString name;
    menus.GetLBText(menus.GetCurSel(), name);
    CString question;
    question.Format(KGPLoadLibraryString(IDS_KGP_RESET_MENU, _T("Reset the changes made to the '%s' menu?")),
                    name.GetString());
    return AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace

BOOL CKGPMenuPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_KGP_FRAME_MENUS:
        if (HIWORD(wParam) == CBN_SELCHANGE)
            SelectFrameMenu(m_wndFrameMenus.GetCurSel());
        return TRUE;
    case IDC_KGP_RESET_FRAME_MENU:
        if (HIWORD(wParam) == BN_CLICKED && m_wndFrameMenus.GetCurSel() >= 0 && AgreesToReset(m_wndFrameMenus))
            ResetFrameMenu();
        return TRUE;
    case IDC_KGP_CONTEXT_MENUS:
        if (HIWORD(wParam) == CBN_SELCHANGE)
            SelectContextMenu(m_wndContextMenus.GetCurSel());
        return TRUE;
    case IDC_KGP_RESET_CONTEXT_MENU:
        if (HIWORD(wParam) == BN_CLICKED && m_wndContextMenus.GetCurSel() > 0 && AgreesToReset(m_wndContextMenus))
            ResetContextMenu();
        return TRUE;
    case IDC_KGP_MENU_ANIMATION:
    case IDC_KGP_MENU_SHADOWS:
        return TRUE;
    default:
        return CPropertyPage::OnCommand(wParam, lParam);
    }
}

LRESULT CKGPMenuPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        // The choices and the menus being edited are kept as the page closes.
        ApplyOptions();
        StoreEditedMenu();
        CloseContextMenu();
        // The frame shows its current menu again, not the one edited last.
        if (m_pMenuBar != nullptr && m_pMenuBar->GetSafeHwnd() != nullptr && m_hCurrentMenu != nullptr &&
            ::IsMenu(m_hCurrentMenu)) {
            if (m_pMenuBar->GetHMenu() != m_hCurrentMenu)
                m_pMenuBar->CreateFromMenu(m_hCurrentMenu, m_hCurrentMenu == m_pMenuBar->GetDefaultMenu());
            // A reset may have made it a fresh one: the frame finds its windows' list there.
            if (auto* link = CKGPLink<IKGPMenuBarFrameLink>::Get())
                link->SetCurrentMenu(m_pParentFrame, m_hCurrentMenu);
        }
        if (m_pMenuBar != nullptr && m_pMenuBar->GetMenuPage() == this)
            m_pMenuBar->SetMenuPage(nullptr);
    }
    return CPropertyPage::WindowProc(message, wParam, lParam);
}
