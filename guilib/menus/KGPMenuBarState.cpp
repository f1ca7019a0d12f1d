// The menu bar's stored state: one toolbar state per document template's
// menu and one for the default menu, kept meanwhile in the menu hash; and
// the reset of every menu to its resource.
#include "guilib/menus/KGPMenuBar.h"

#include "guilib/core/KGPLibraryMath.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/menus/KGPMenuBarRules.h"
#include "guilib/menus/KGPMenuHash.h"
#include "guilib/menus/KGPTearOffManager.h"
#include "guilib/toolbars/KGPCustomizeButton.h"

#include <afxframe.h>
#include <afxmdi.h>

namespace {

// The document windows of the template's documents show its new menu (the old
// one is destroyed).
void GiveChildrenMenu(CMultiDocTemplate& tmpl, HMENU hMenu)
{
    for (POSITION docs = tmpl.GetFirstDocPosition(); docs != nullptr;) {
        CDocument* doc = tmpl.GetNextDoc(docs);
        for (POSITION views = doc != nullptr ? doc->GetFirstViewPosition() : nullptr; views != nullptr;) {
            CView* view = doc->GetNextView(views);
            if (auto* child = DYNAMIC_DOWNCAST(CMDIChildWnd, view != nullptr ? view->GetParentFrame() : nullptr))
                child->m_hMenuShared = hMenu;
        }
    }
}

// Sent to the owner before the default menu is rebuilt when the bar knows
// no resource for it (the frame may supply the menu meanwhile).
constexpr UINT kDefaultMenuWithoutResource = 870;

} // namespace

void CKGPMenuBar::CollectTemplates(CList<CMultiDocTemplate*, CMultiDocTemplate*>& templates)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    for (POSITION pos = app->GetFirstDocTemplatePosition(); pos != nullptr;) {
        auto* multi = DYNAMIC_DOWNCAST(CMultiDocTemplate, app->GetNextDocTemplate(pos));
        if (multi != nullptr && multi->m_hMenuShared)
            templates.AddTail(multi);
    }
}

BOOL CKGPMenuBar::IsOwnedByTemplate(HMENU hMenu) const
{
    CList<CMultiDocTemplate*, CMultiDocTemplate*> templates;
    CollectTemplates(templates);
    for (POSITION pos = templates.GetHeadPosition(); pos != nullptr;) {
        if (templates.GetNext(pos)->m_hMenuShared.Get() == hMenu)
            return TRUE;
    }
    return FALSE;
}

CMenuHandle CKGPMenuBar::OwnerOfShownMenu(HMENU hMenu) const
{
    return CMenuHandle(hMenu != nullptr && ::IsMenu(hMenu) && !IsOwnedByTemplate(hMenu) ? hMenu : nullptr);
}

BOOL CKGPMenuBar::BuildOrigItems(UINT uiMenuResID)
{
    ResourceButtonList().DeleteAll();
    const CKGPAppStateStore* workspace = GetWorkspace();
    if (workspace == nullptr || !workspace->m_bResourceSmartUpdate)
        return TRUE;
    CMenu menu;
    if (!menu.LoadMenu(uiMenuResID))
        return FALSE;
    const HMENU hMenu = menu.GetSafeHmenu();
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        WCHAR text[1024] = {};
        ::GetMenuStringW(hMenu, static_cast<UINT>(i), text, 1023, MF_BYPOSITION);
        if (const HMENU popup = ::GetSubMenu(hMenu, i)) {
            std::unique_ptr<CKGPToolbarMenuButton> button = NewMenuButton();
            button->m_strCaption = text;
            button->CreateFromMenu(popup);
            ResourceButtonList().AddTail(button.release());
        } else if (::GetMenuItemID(hMenu, i) == 0) {
            auto separator = std::make_unique<CKGPToolbarButton>();
            separator->m_nBits = TBBS_SEPARATOR;
            ResourceButtonList().AddTail(separator.release());
        } else {
            ResourceButtonList().AddTail(new CKGPToolbarButton(::GetMenuItemID(hMenu, i), -1, text));
        }
    }
    return TRUE;
}

BOOL CKGPMenuBar::ShowStored(HMENU hMenu)
{
    m_hMenu = hMenu;
    if (hMenu != nullptr && g_menuHash.LoadMenuBar(hMenu, this))
        return TRUE;
    if (hMenu != nullptr) {
        RebuildFromItems(hMenu);
        AppendHelpCombo();
    }
    return FALSE;
}

HMENU CKGPMenuBar::StoreCurrent(BOOL& bWasMaximized)
{
    bWasMaximized = m_bMaximizeMode;
    SetMaximizeMode(FALSE, nullptr, FALSE);
    if (m_hMenu != nullptr && GetCount() > 0)
        g_menuHash.SaveMenuBar(m_hMenu, this);
    return m_hMenu;
}

void CKGPMenuBar::RestoreCurrent(BOOL bWasMaximized, BOOL bRecalcDockRow)
{
    if (m_hMenu != nullptr)
        ShowStored(m_hMenu);
    if (bWasMaximized) {
        if (CWnd* child = GetActiveMDIChild())
            SetMaximizeMode(TRUE, child, FALSE);
    }
    AdjustLayout();
    if (bRecalcDockRow)
        RefitAfterChange();
}

BOOL CKGPMenuBar::SaveState(LPCTSTR lpszProfileName, int /*nID*/, int nIndex)
{
    const CString path = BuildLibraryRegistryPath(s_strMenuBarSection, lpszProfileName);
    BOOL wasMaximized = FALSE;
    const HMENU current = StoreCurrent(wasMaximized);

    // Every menu's save counts: the answer is TRUE only when all were written.
    kgp::SaveTally tally;
    if (m_bAutoDocMenus) {
        CList<CMultiDocTemplate*, CMultiDocTemplate*> templates;
        CollectTemplates(templates);
        for (POSITION pos = templates.GetHeadPosition(); pos != nullptr;) {
            CMultiDocTemplate* tmpl = templates.GetNext(pos);
            const HMENU menu = tmpl->m_hMenuShared.Get();
            if (!g_menuHash.HasMenu(menu))
                continue;
            if (!g_menuHash.LoadMenuBar(menu, this)) {
                tally.Count(false);
                continue;
            }
            BuildOrigItems(tmpl->m_nIDResource);
            tally.Count(CKGPToolBar::SaveState(path, static_cast<int>(tmpl->m_nIDResource), nIndex) != FALSE);
        }
    }
    if (m_hDefaultMenu != nullptr && g_menuHash.HasMenu(m_hDefaultMenu)) {
        if (g_menuHash.LoadMenuBar(m_hDefaultMenu, this)) {
            BuildOrigItems(m_uiDefMenuResId);
            tally.Count(CKGPToolBar::SaveState(path, 0, nIndex) != FALSE);
        } else {
            tally.Count(false);
        }
    }
    m_hMenu = current;
    RestoreCurrent(wasMaximized, FALSE);
    return tally.AllSaved();
}

BOOL CKGPMenuBar::LoadState(LPCTSTR lpszProfileName, int /*nID*/, int nIndex)
{
    const CString path = BuildLibraryRegistryPath(s_strMenuBarSection, lpszProfileName);
    BOOL wasMaximized = FALSE;
    const HMENU current = StoreCurrent(wasMaximized);
    CWnd* target = ResetTarget();

    // One menu: its stored state, or, when none is sound, the menu itself
    // (a refused load leaves another menu's buttons on the bar, which must
    // not be stored as this menu's).
    kgp::SaveTally tally;
    auto loadMenu = [&](HMENU hMenu, UINT uiResId, int nStateId, BOOL bDefault) {
        BuildOrigItems(uiResId);
        const BOOL loaded = CKGPToolBar::LoadState(path, nStateId, nIndex);
        tally.Count(loaded != FALSE);
        if (!loaded || WasResourceChanged()) {
            m_hMenu = nullptr;
            g_menuHash.RemoveMenu(hMenu);
            CreateFromMenu(hMenu, bDefault, FALSE);
            if (target != nullptr && target->GetSafeHwnd() != nullptr) {
                if (bDefault && uiResId == 0)
                    target->SendMessage(kDefaultMenuWithoutResource);
                target->SendMessage(KGTOOLBAR_RESETMENU, uiResId);
            }
        }
        g_menuHash.SaveMenuBar(hMenu, this);
    };
    if (m_bAutoDocMenus) {
        CList<CMultiDocTemplate*, CMultiDocTemplate*> templates;
        CollectTemplates(templates);
        for (POSITION pos = templates.GetHeadPosition(); pos != nullptr;) {
            CMultiDocTemplate* tmpl = templates.GetNext(pos);
            loadMenu(tmpl->m_hMenuShared.Get(), tmpl->m_nIDResource, static_cast<int>(tmpl->m_nIDResource), FALSE);
        }
    }
    if (m_hDefaultMenu != nullptr)
        loadMenu(m_hDefaultMenu, m_uiDefMenuResId, 0, TRUE);
    m_hMenu = current;
    RestoreCurrent(wasMaximized, TRUE);
    return tally.AllSaved();
}

BOOL CKGPMenuBar::HasResource() const
{
    if (m_uiDefMenuResId != 0)
        return TRUE;
    CList<CMultiDocTemplate*, CMultiDocTemplate*> templates;
    CollectTemplates(templates);
    return !templates.IsEmpty();
}

CKGPMenuBar::ReloadedMenu CKGPMenuBar::ReloadMenu(CMultiDocTemplate* pTemplate, BOOL bTellOwner)
{
    const UINT resId = pTemplate != nullptr ? pTemplate->m_nIDResource : m_uiDefMenuResId;
    if (resId == 0)
        return {};
    CMenuHandle fresh(::LoadMenuW(AfxFindResourceHandle(MAKEINTRESOURCEW(resId), RT_MENU), MAKEINTRESOURCEW(resId)));
    if (!fresh)
        return {};
    const ReloadedMenu reloaded{pTemplate != nullptr ? pTemplate->m_hMenuShared.Get() : m_hDefaultMenu, fresh.Get()};
    if (pTemplate == nullptr)
        OnDefaultMenuLoaded(reloaded.hFresh);
    // The old menu's torn-off menus free their ids; its buttons go with it
    // (nothing of it is stored again).
    if (g_pTearOffMenuManager != nullptr && reloaded.hOld != nullptr)
        g_pTearOffMenuManager->Reset(reloaded.hOld);
    if (m_hMenu == reloaded.hOld)
        m_hMenu = nullptr;
    CreateFromMenu(reloaded.hFresh, pTemplate == nullptr, TRUE);
    if (bTellOwner) {
        CWnd* target = ResetTarget();
        if (target != nullptr && target->GetSafeHwnd() != nullptr && target->SendMessage(KGTOOLBAR_RESETMENU, resId) != 0)
            AdjustLayout();
    }
    g_menuHash.SaveMenuBar(reloaded.hFresh, this);
    if (reloaded.hOld != nullptr)
        g_menuHash.RemoveMenu(reloaded.hOld);
    if (pTemplate != nullptr) {
        GiveChildrenMenu(*pTemplate, reloaded.hFresh);
        pTemplate->m_hMenuShared = std::move(fresh);  // the template's old menu goes with its handle
        return reloaded;
    }
    if (auto* link = CKGPLink<IKGPMenuBarFrameLink>::Get())
        link->SetDefaultMenu(m_pParentFrame, reloaded.hFresh);
    // The bar holds the fresh default menu now, and lets the old one go.
    static_cast<void>(fresh.Detach());
    const CMenuHandle old = OwnerOfShownMenu(reloaded.hOld != reloaded.hFresh ? reloaded.hOld : nullptr);
    return reloaded;
}

BOOL CKGPMenuBar::ResetToResource()
{
    // The customise button belongs to no menu: set aside, it comes back last.
    std::unique_ptr<CKGPToolbarButton> chevron = GetCustomizeButton() != nullptr ? CopyOf(*GetCustomizeButton()) : nullptr;
    BOOL wasMaximized = FALSE;
    HMENU current = StoreCurrent(wasMaximized);
    if (g_pTearOffMenuManager != nullptr)
        g_pTearOffMenuManager->Reset(nullptr);

    CList<CMultiDocTemplate*, CMultiDocTemplate*> templates;
    CollectTemplates(templates);
    auto reload = [&](CMultiDocTemplate* pTemplate) {
        const ReloadedMenu reloaded = ReloadMenu(pTemplate, FALSE);
        if (reloaded.hFresh != nullptr && reloaded.hOld != nullptr && current == reloaded.hOld)
            current = reloaded.hFresh;
    };
    for (POSITION pos = templates.GetHeadPosition(); pos != nullptr;)
        reload(templates.GetNext(pos));
    reload(nullptr);
    m_hMenu = current;
    RestoreCurrent(wasMaximized, FALSE);
    if (auto* link = CKGPLink<IKGPMenuBarFrameLink>::Get())
        link->SetCurrentMenu(m_pParentFrame, m_hMenu);
    if (m_pMenuPage != nullptr)
        m_pMenuPage->ReselectMenu();
    if (chevron != nullptr && GetCustomizeButton() == nullptr)
        AttachChevron(std::move(chevron));
    AdjustLayout();
    RefitAfterChange();
    return TRUE;
}
