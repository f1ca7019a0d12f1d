#include "guilib/frames/KGPFrameLinks.h"

#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPFrameLink.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPTabbedDocumentLink.h"
#include "guilib/frames/KGPAppBarWnd.h"
#include "guilib/frames/KGPMDIChildWnd.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/frames/KGPMDIFrameWnd.h"
#include "guilib/frames/KGPOleIPFrameWnd.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPPopupFrameLink.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/sheets/KGPCustomizeLinks.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

namespace {

// The library frame (SDI, MDI, or an OLE server's in-place frame) the menus
// and toolbars talk to.
IKGPMenuHostFrame* MenuHostOf(CWnd* pWnd)
{
    if (auto* pFrame = DYNAMIC_DOWNCAST(CKGPFrameWnd, pWnd))
        return pFrame;
    if (auto* pFrame = DYNAMIC_DOWNCAST(CKGPMDIFrameWnd, pWnd))
        return pFrame;
    if (auto* pFrame = DYNAMIC_DOWNCAST(CKGPOleIPFrameWnd, pWnd))
        return pFrame;
    return DYNAMIC_DOWNCAST(CKGPOleDocIPFrameWnd, pWnd);
}

// The application bar and an MDI frame's document bars.
class CFrameLink final : public IKGPFrameLink {
public:
    BOOL IsApplicationBar(CWnd* pWnd) const override
    {
        return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKGPAppBarWnd));
    }

    void AppendDocumentBars(CWnd* pFrame, CObList& list) const override
    {
        auto* pMDIFrame = DYNAMIC_DOWNCAST(CKGPMDIFrameWnd, pFrame);
        if (pMDIFrame == nullptr || pMDIFrame->m_hWndMDIClient == nullptr)
            return;
        for (HWND hChild = ::GetWindow(pMDIFrame->m_hWndMDIClient, GW_CHILD); hChild != nullptr;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            auto* pChild = DYNAMIC_DOWNCAST(CKGPMDIChildWnd, CWnd::FromHandlePermanent(hChild));
            if (pChild == nullptr)
                continue;
            pChild->GetDockManager()->GetControlBarList(list, FALSE, nullptr, TRUE);
            CKGPDockingControlBar* pDocument = pChild->GetTabbedControlBar();
            if (pDocument != nullptr && pDocument->GetSafeHwnd() != nullptr && list.Find(pDocument) == nullptr)
                list.AddTail(pDocument);
        }
    }
};

// What the toolbars ask of the library frames.
class CToolbarFrameLink final : public IKGPToolbarFrameLink {
public:
    BOOL OnUserToolTip(CFrameWnd*, CKGPToolbarButton*, CString&) const override
    {
        return FALSE; // the SDI frame gives no tooltip of its own
    }
    BOOL GetToolbarIdRange(CFrameWnd* pFrame, UINT& uiFirst, UINT& uiLast) const override
    {
        IKGPMenuHostFrame* pLibraryFrame = MenuHostOf(pFrame);
        if (pLibraryFrame == nullptr)
            return FALSE;
        pLibraryFrame->GetFrameImpl().GetUserToolbarRange(uiFirst, uiLast);
        return TRUE;
    }
};

// What the popup menus ask of the library frame they open over.
class CPopupFrameLink final : public IKGPPopupFrameLink {
public:
    BOOL OnShowPopupMenu(CWnd* pFrame, CKGPPopupMenu* pPopup) override
    {
        IKGPMenuHostFrame* pLibraryFrame = MenuHostOf(pFrame);
        return pLibraryFrame == nullptr || pLibraryFrame->OnShowPopupMenu(pPopup);
    }
    void OnClosePopupMenu(CWnd* pFrame, CKGPPopupMenu* pPopup) override
    {
        if (IKGPMenuHostFrame* pLibraryFrame = MenuHostOf(pFrame))
            pLibraryFrame->OnClosePopupMenu(pPopup);
    }
    BOOL DrawMenuLogo(CWnd* pFrame, CDC* pDC, CKGPPopupMenu* pPopup, const CRect& rect) override
    {
        IKGPMenuHostFrame* pLibraryFrame = MenuHostOf(pFrame);
        return pLibraryFrame != nullptr && pLibraryFrame->OnDrawMenuLogo(pDC, pPopup, rect);
    }
    CKGPToolBar* FindTearOffBar(CWnd* pFrame, UINT uiTearOffId) override
    {
        IKGPMenuHostFrame* pLibraryFrame = MenuHostOf(pFrame);
        if (pLibraryFrame == nullptr || uiTearOffId == 0)
            return nullptr;
        if (auto* pBar = DYNAMIC_DOWNCAST(CKGPToolBar, pLibraryFrame->GetControlBar(uiTearOffId)))
            return pBar;
        return DYNAMIC_DOWNCAST(CKGPToolBar, CKGPMiniFrameWnd::FindFloatingBarByID(uiTearOffId));
    }
    CKGPToolBar* CreateTearOffBar(CWnd* pFrame, CKGPPopupMenu* pPopup, UINT uiTearOffId, LPCTSTR lpszName) override
    {
        IKGPMenuHostFrame* pLibraryFrame = MenuHostOf(pFrame);
        if (pLibraryFrame == nullptr || pPopup == nullptr)
            return nullptr;
        CKGPToolBar* pBar = pPopup->CreateTearOffBar(pFrame->AsFrameWnd(), uiTearOffId, lpszName);
        if (pBar == nullptr)
            return nullptr;
        pLibraryFrame->GetFrameImpl().AddTearOffBar(pBar);  // the frame owns it now
        pLibraryFrame->AddControlBar(pBar);
        return pBar;
    }
};

// What the menu bar asks of the library frame it is made in.
class CMenuBarFrameLink final : public IKGPMenuBarFrameLink {
public:
    BOOL AttachMenuBar(CWnd* pFrame, CKGPMenuBar* pMenuBar) override
    {
        IKGPMenuHostFrame* pLibraryFrame = MenuHostOf(pFrame);
        if (pLibraryFrame == nullptr || pMenuBar == nullptr)
            return FALSE;
        pLibraryFrame->GetFrameImpl().SetMenuBar(pMenuBar);
        return TRUE;
    }
    void DetachMenuBar(CWnd* pFrame, CKGPMenuBar* pMenuBar) override
    {
        IKGPMenuHostFrame* pLibraryFrame = MenuHostOf(pFrame);
        if (pLibraryFrame != nullptr && pLibraryFrame->GetFrameImpl().GetMenuBar() == pMenuBar) {
            // The bar owned the default menu it showed.
            pLibraryFrame->GetFrameImpl().m_hDefaultMenu = nullptr;
            pLibraryFrame->GetFrameImpl().SetMenuBar(nullptr);
        }
    }
    void SetDefaultMenu(CWnd* pFrame, HMENU hMenu) override
    {
        IKGPMenuHostFrame* pLibraryFrame = MenuHostOf(pFrame);
        if (pLibraryFrame == nullptr)
            return;
        pLibraryFrame->GetFrameImpl().m_hDefaultMenu = hMenu;
        // The frame shows its default menu when no document window brings
        // one: the old one is gone.
        if (auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, pFrame))
            frame->m_hMenuDefault = hMenu;
    }
    void SetCurrentMenu(CWnd* pFrame, HMENU hMenu) override
    {
        // The windows are listed in the Window menu of the menu shown (the
        // bar shows it already: its showing is only confirmed).
        auto* frame = DYNAMIC_DOWNCAST(CKGPMDIFrameWnd, pFrame);
        if (frame != nullptr && frame->m_hWndMDIClient != nullptr && ::IsMenu(hMenu))
            frame->MDISetMenu(hMenu, frame->GetWindowMenuPopup(hMenu));
    }
    BOOL WantsChildSystemMenu(CWnd* pFrame, CWnd* pChild) const override
    {
        const auto* frame = DYNAMIC_DOWNCAST(CKGPMDIFrameWnd, pFrame);
        return frame != nullptr && frame->ShowsChildSystemMenu(pChild);
    }
};

// What docking asks of the MDI frame about panes shown as tabbed documents.
class CTabbedDocumentLink final : public IKGPTabbedDocumentLink {
public:
    BOOL IsInMDITabMode(CWnd* pDockSite) const override
    {
        const CKGPMDIFrameWnd* pFrame = MDIFrameOf(pDockSite);
        return pFrame != nullptr && (pFrame->AreMDITabs() || pFrame->IsMDITabbedGroup());
    }
    BOOL ControlBarToTabbedDocument(CKGPDockingControlBar* pBar) override
    {
        CKGPMDIFrameWnd* pFrame = pBar != nullptr ? MDIFrameOf(pBar->GetDockSiteFrame()) : nullptr;
        return pFrame != nullptr && pFrame->ControlBarToTabbedDocument(pBar) != nullptr;
    }
    BOOL TabbedDocumentToControlBar(CKGPDockingControlBar* pBar) override
    {
        auto* pChild = pBar != nullptr ? DYNAMIC_DOWNCAST(CKGPMDIChildWnd, pBar->GetParent()) : nullptr;
        CKGPMDIFrameWnd* pFrame = pChild != nullptr ? pChild->GetLibraryMDIFrame() : nullptr;
        return pFrame != nullptr && pFrame->TabbedDocumentToControlBar(pChild);
    }

private:
    // The MDI frame a window docks in: the frame itself, or the one a document window belongs to.
    static CKGPMDIFrameWnd* MDIFrameOf(CWnd* pWnd)
    {
        if (auto* pChild = DYNAMIC_DOWNCAST(CKGPMDIChildWnd, pWnd))
            return pChild->GetLibraryMDIFrame();
        return DYNAMIC_DOWNCAST(CKGPMDIFrameWnd, pWnd);
    }
};

// The windows dialog an MDI frame offers in its Window menu, for the
// customisation sheet's command catalogue.
class CWindowsDialogLink final : public IKGPWindowsDialogLink {
    BOOL GetWindowsDialogCommand(CFrameWnd* pFrame, UINT& uiCmd, CString& strText) const override
    {
        const auto* pMDIFrame = DYNAMIC_DOWNCAST(CKGPMDIFrameWnd, pFrame);
        if (pMDIFrame == nullptr || pMDIFrame->GetWindowsDialogCommand() == 0)
            return FALSE;
        uiCmd = pMDIFrame->GetWindowsDialogCommand();
        strText = pMDIFrame->GetWindowsDialogText();
        return TRUE;
    }
};

} // namespace

void KGPRegisterFramesLinks()
{
    static CFrameLink link;
    static CToolbarFrameLink toolbars;
    static CPopupFrameLink popups;
    KGPRegisterLink<IKGPFrameLink>(link);
    KGPRegisterLink<IKGPToolbarFrameLink>(toolbars);
    KGPRegisterLink<IKGPPopupFrameLink>(popups);
    static CTabbedDocumentLink tabbedDocuments;
    KGPRegisterLink<IKGPTabbedDocumentLink>(tabbedDocuments);
    static CMenuBarFrameLink menuBars;
    KGPRegisterLink<IKGPMenuBarFrameLink>(menuBars);
    static CWindowsDialogLink windowsDialog;
    KGPRegisterLink<IKGPWindowsDialogLink>(windowsDialog);
}
