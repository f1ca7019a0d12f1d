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
    for (POSITION pos = templates.GetHeadPosition(); pos != nullptr;) {
        CMultiDocTemplate* tmpl = templates.GetNext(pos);
        const HMENU fresh = ::LoadMenuW(AfxFindResourceHandle(MAKEINTRESOURCE(tmpl->m_nIDResource), RT_MENU),
                                        MAKEINTRESOURCE(tmpl->m_nIDResource));
        if (fresh == nullptr)
            continue;
        const HMENU old = tmpl->m_hMenuShared.Get();
        m_hMenu = nullptr;
        CreateFromMenu(fresh, FALSE, TRUE);
        g_menuHash.SaveMenuBar(fresh, this);
        g_menuHash.RemoveMenu(old);
        if (current == old)
            current = fresh;
        // The template owns its menu: the old one goes with the handle.
        GiveChildrenMenu(*tmpl, fresh);
        tmpl->m_hMenuShared.Reset(fresh);
    }
    if (m_uiDefMenuResId != 0) {
        const HMENU fresh = ::LoadMenuW(AfxFindResourceHandle(MAKEINTRESOURCE(m_uiDefMenuResId), RT_MENU),
                                        MAKEINTRESOURCE(m_uiDefMenuResId));
        if (fresh != nullptr) {
            const HMENU old = m_hDefaultMenu;
            OnDefaultMenuLoaded(fresh);
            m_hMenu = nullptr;
            CreateFromMenu(fresh, TRUE, TRUE);
            g_menuHash.SaveMenuBar(fresh, this);
            if (auto* link = CKGPLink<IKGPMenuBarFrameLink>::Get())
                link->SetDefaultMenu(m_pParentFrame, fresh);
            if (old != nullptr) {
                g_menuHash.RemoveMenu(old);
                if (current == old)
                    current = fresh;
                if (::IsMenu(old) && !IsOwnedByTemplate(old))
                    ::DestroyMenu(old);
            }
        }
    }
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
