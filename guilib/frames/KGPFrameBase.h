// What the library's frames share over their platform frame, written once:
// CKGPDockSiteFrameT (the SDI and MDI main frames and the MDI document window)
// embeds the frame implementation and a dock manager, offers the docking calls
// of bars, floating frames and popup menus, and holds the caption and mouse
// handlers that only pass on to the implementation; CKGPMainFrameT (the two
// main frames) adds command routing to the bars, key filtering, help, the
// view menu's bar commands, user toolbars and the menus' hooks. Each template
// names its handlers in its own message map, written once for every frame
// over it; a frame's map names only the handlers it declares itself, where
// its handling differs or is its alone.
#pragma once

#include <afxwin.h>
#include <afxpreview.h>

#include <vector>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockSite.h"
#include "guilib/frames/KGPFrameImpl.h"
#include "guilib/frames/KGPFrameMessageEntries.h"
#include "guilib/frames/KGPFrameLinks.h"
#include "guilib/frames/KGPOleActiveItem.h"
#include "guilib/frames/KGPPrintPreviewView.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPUserToolbarMessages.h"

template <class TBase>
class CKGPDockSiteFrameT : public TBase, public IKGPDockSite {
public:
    CKGPDockSiteFrameT() : m_Impl(this) {}

    CKGPDockManager* GetDockManager() override { return &m_dockManager; }
    BOOL OnCloseMiniFrame(CKGPMiniFrameWnd* /*pMiniFrame*/) override { return TRUE; }
    BOOL OnCloseDockingBar(CKGPBaseControlBar* /*pBar*/) override { return TRUE; }
    void EnableDocking(DWORD dwDockStyle) override { m_dockManager.EnableDocking(dwDockStyle); }
    BOOL IsMinimized() const { return m_bIsMinimized; }

    // ---- Print preview.
    // The frame's own switch: the dock manager hides and shows the library's
    // bars, the frame lays itself out.
    virtual void OnSetPreviewMode(BOOL bPreview) = 0;
    // The layer's switch keeps the menu; its record of the layer's own bars
    // is left as it was.
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override
    {
        if (pState != nullptr) {
            const DWORD dwStates = pState->dwStates;
            TBase::OnSetPreviewMode(bPreview, pState);
            pState->dwStates = dwStates;
        }
        OnSetPreviewMode(bPreview);
    }

    // ---- Docking calls offered to bars, floating frames and popup menus.
    BOOL AddControlBar(CKGPBaseControlBar* pBar, BOOL bTail = TRUE)
    {
        return m_dockManager.AddControlBar(pBar, bTail, FALSE, FALSE);
    }
    BOOL InsertControlBar(CKGPBaseControlBar* pBar, CKGPBaseControlBar* pTarget, BOOL bAfter = TRUE)
    {
        return m_dockManager.InsertControlBar(pBar, pTarget, bAfter);
    }
    void RemoveControlBarFromDockManager(CKGPBaseControlBar* pBar, BOOL bDestroy = TRUE, BOOL bAdjustLayout = FALSE,
                                         BOOL bAutoHide = FALSE, CKGPBaseControlBar* pBarReplacement = nullptr)
    {
        m_dockManager.RemoveControlBar(pBar, bDestroy, bAdjustLayout, bAutoHide, pBarReplacement);
    }
    void DockControlBar(CKGPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr)
    {
        m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
    }
    CKGPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                            CRuntimeClass* pRTCBarType) const
    {
        return m_dockManager.BarFromPoint(point, nSensitivity, bExactBar, pRTCBarType, FALSE, nullptr);
    }
    BOOL IsPointNearDockEdge(CPoint point, DWORD& dwAlignment, BOOL& bOuterEdge) const
    {
        return m_dockManager.IsPointNearDockBar(point, dwAlignment, bOuterEdge);
    }

protected:
    // The dock manager takes the frame as its site, and what the frame
    // decides (before the window is made, or on creation for a frame made
    // without PreCreateWindow).
    void AttachDockManager()
    {
        m_dockManager.Create(this, this);
        m_Impl.m_pDockManager = &m_dockManager;
    }
    void EnsureDockManager()
    {
        if (m_dockManager.GetDockSite() == nullptr)
            AttachDockManager();
    }
    // ---- Layout steps the frames share.
    // The library's print preview, when it is the frame's active view: the
    // docking layout done, it fills what the layout leaves; FALSE otherwise.
    BOOL LayOutLibraryPreview()
    {
        CKGPPrintPreviewView* pPreview = CKGPPrintPreviewView::ActivePreviewOf(this);
        if (pPreview == nullptr)
            return FALSE;
        m_dockManager.AdjustDockingLayout();
        pPreview->FillRect(DockedClientRect());
        return TRUE;
    }
    // What the docking layout leaves of the client area (all of it while the
    // frame has no bars), in client coordinates.
    CRect DockedClientRect() const
    {
        CRect rect;
        m_dockManager.GetInnerDockRect(rect);
        if (m_dockManager.GetControlBars().IsEmpty())
            this->GetClientRect(rect);
        return rect;
    }
    // The same less the frame's border space (what an item active in place
    // took for its own bars): where the view or the MDI client stands.
    CRect DockedClientRectLessBorder() const
    {
        CRect rect = DockedClientRect();
        rect.DeflateRect(&this->m_rectBorder);
        return rect;
    }
    // The in-place frame of the item active here lays itself out (the
    // frame's own in-place hook when the item names no frame).
    void TellInPlaceFrame(COleClientItem* pItem)
    {
        COleFrameHook* pHook = pItem != nullptr && pItem->m_pInPlaceFrame != nullptr ? pItem->m_pInPlaceFrame
                                                                                     : this->m_pNotifyHook;
        if (pHook != nullptr)
            pHook->OnRecalcLayout();
    }
    // The layer's own layout, run from inside the frame's (the layer sets
    // the in-layout flag itself).
    void LayOutAsTheLayer(BOOL bNotify)
    {
        this->m_bInRecalcLayout = FALSE;
        TBase::RecalcLayout(bNotify);
        this->m_bInRecalcLayout = TRUE;
    }

    // Destroys the frame's child windows that still belong to it (floating
    // frames and bars included), all but the one kept.
    void DestroyOwnChildren(HWND hKeep = nullptr)
    {
        const HWND hSelf = this->m_hWnd;
        std::vector<HWND> children;
        for (HWND hChild = ::GetWindow(hSelf, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            children.push_back(hChild);
        for (HWND hChild : children) {
            if (hChild != hKeep && ::IsWindow(hChild) && ::GetParent(hChild) == hSelf)
                ::DestroyWindow(hChild);
        }
    }

    afx_msg BOOL OnNcActivate(BOOL bActive)
    {
        if (m_Impl.OnNcActivate(bActive))
            return TRUE;
        return TBase::OnNcActivate(bActive);
    }
    afx_msg LRESULT OnNcHitTest(CPoint point)
    {
        const UINT hit = m_Impl.OnNcHitTest(point);
        return hit != 0 ? static_cast<LRESULT>(hit) : TBase::OnNcHitTest(point);
    }
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point)
    {
        m_Impl.OnNcMouseMove(nHitTest, point);
        TBase::OnNcMouseMove(nHitTest, point);
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_Impl.OnLButtonDown(point);
        TBase::OnLButtonDown(nFlags, point);
    }
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point)
    {
        m_Impl.OnLButtonUp(point);
        TBase::OnLButtonUp(nFlags, point);
    }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point)
    {
        m_Impl.OnMouseMove(point);
        TBase::OnMouseMove(nFlags, point);
    }
    // Floating frames update their commands with the frame.
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
    {
        m_dockManager.SendMessageToMiniFrames(WM_IDLEUPDATECMDUI);
        m_dockManager.KeepMiniFramesOverFrame();
        return TBase::OnIdleUpdateCmdUI(wParam, lParam);
    }

    CKGPFrameImpl m_Impl;
    CKGPDockManager m_dockManager;
    BOOL m_bWasMaximized = FALSE;
    BOOL m_bIsMinimized = FALSE;

    DECLARE_MESSAGE_MAP()
};

template <class TBase>
class CKGPMainFrameT : public CKGPDockSiteFrameT<TBase>, public IKGPMenuHostFrame {
    using Base = CKGPDockSiteFrameT<TBase>;

public:
    CKGPMainFrameT() { this->m_Impl.m_pMenuHost = this; }
    CKGPFrameImpl& GetFrameImpl() override { return this->m_Impl; }

    // The auto-hide strips of the edges given (the dock manager's).
    BOOL EnableAutoHideBars(DWORD dwDockStyle) { return this->m_dockManager.EnableAutoHideBars(dwDockStyle); }
    // Full screen (the frame implementation keeps its state).
    BOOL ShowFullScreen() { return this->m_Impl.m_FullScreenMgr.ShowFullScreen(this); }
    BOOL IsFullScreen() const { return this->m_Impl.m_FullScreenMgr.IsFullScreen(); }

    // ---- Own virtual operations.
    virtual COleClientItem* GetActiveOleItem() { return KGPGetActiveOleItem(this); }
    // Places the frame's own client area (the view, or the MDI client) in what
    // the docked bars leave.
    virtual void AdjustClientArea() = 0;
    virtual BOOL OnPopupMenuOpening(CWnd* pPopup)
    {
        if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
            GetKGPGlobalData().NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, pPopup->m_hWnd, OBJID_CLIENT, CHILDID_SELF);
        return TRUE;
    }
    void OnClosePopupMenu(CWnd* pPopup) override
    {
        this->m_Impl.OnClosePopupMenu(pPopup);
        this->m_dockManager.SetBarsMenuShown(FALSE);
    }
    // The add-or-remove-buttons menu: the bar's resource buttons it no longer holds.
    BOOL FillCustomizeMenuRest(CWnd* pPopup, UINT uiToolbarResId) override
    {
        return this->m_Impl.FillCustomizeMenuRest(pPopup, uiToolbarResId);
    }
    virtual BOOL OnDrawMenuImage(CDC* /*pDC*/, CWnd* /*pMenuButton*/, const CRect& /*rect*/) { return FALSE; }
    // Draws the side band of a popup menu; FALSE when the frame draws none.
    BOOL OnDrawMenuLogo(CDC* /*pDC*/, CWnd* /*pPopup*/, const CRect& /*rect*/) override { return FALSE; }
    virtual BOOL OnToolbarButtonQuery(CObject* /*pButton*/, int /*nValue*/) { return FALSE; }
    virtual BOOL OnMenuButtonQuery(CObject* /*pButton*/, int /*nValue*/) { return FALSE; }
    virtual void OnFrameHookNotify(UINT /*nCode*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {}
    virtual BOOL OnToolbarMenuRequest(CObject* /*pBar*/, CPoint /*point*/) { return TRUE; }
    virtual void SetInPlaceBarsVisible(BOOL bShow)
    {
        this->m_dockManager.HideInPlaceBars(bShow);
        this->AdjustDockingLayout();
    }

    // ---- Creation and loading.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override
    {
        this->m_Impl.m_nIDDefaultResource = nIDResource;
        this->m_Impl.LoadToolbarParameters();
        if (!TBase::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
            return FALSE;
        this->m_Impl.OnLoadFrame();
        return TRUE;
    }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        this->AttachDockManager();
        this->m_Impl.RestorePlacement(cs);
        return TBase::PreCreateWindow(cs);
    }

    // ---- Commands, keys and help.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        return TBase::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
               this->m_dockManager.OnBarsMenuCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (this->m_Impl.OnAcceleratorCommand(wParam, lParam))
            return TRUE;
        if (KGPMenuLinks::IsCustomizeMode())
            return FALSE; // no command runs while the toolbars are customised
        return TBase::OnCommand(wParam, lParam);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        switch (this->m_Impl.PreTranslateFrameMessage(pMsg)) {
        case CKGPFrameImpl::PreTranslateResult::Consumed:
            return TRUE;
        case CKGPFrameImpl::PreTranslateResult::Untranslated:
            return FALSE;
        case CKGPFrameImpl::PreTranslateResult::PassOn:
            break;
        }
        return TBase::PreTranslateMessage(pMsg);
    }
    // A help request without data during context help starts context help again.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override
    {
        if (dwData == 0 && m_bContextHelp) {
            OnContextHelp();
            return;
        }
        TBase::WinHelp(dwData, nCmd);
    }
    void HtmlHelp(DWORD_PTR dwData, UINT nCmd = 0x000F) override
    {
        if (dwData == 0 && m_bContextHelp) {
            OnContextHelp();
            return;
        }
        TBase::HtmlHelp(dwData, nCmd);
    }
    // Context help (Shift+F1, the application's context-help command) with
    // the library's toolbars in help mode meanwhile.
    virtual void OnContextHelp()
    {
        CKGPFrameImpl::RunContextHelp(*this, m_bContextHelp, [this] { TBase::OnContextHelp(); });
    }

    // ---- The frame's bars.
    BOOL AddControlBar(CKGPBaseControlBar* pBar, BOOL bTail = TRUE) override { return Base::AddControlBar(pBar, bTail); }
    CKGPBaseControlBar* GetControlBar(UINT nID) override { return this->m_dockManager.FindBarById(nID, TRUE); }
    void ShowControlBar(CKGPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate)
    {
        if (pBar != nullptr)
            pBar->ShowBar(bShow, bDelay, bActivate);
    }

protected:
    // The layout's cases: the bars and the client area; a library print
    // preview that fills what the docking leaves; an OLE item active in place,
    // whose in-place frame is told to lay itself out; else the layer's own
    // layout before the bars.
    void RecalcMainFrameLayout(BOOL bNotify)
    {
        if (this->m_bInRecalcLayout || this->m_hWnd == nullptr || this->m_bIsMinimized)
            return;
        this->m_bInRecalcLayout = TRUE;
        if (!this->m_dockManager.IsPrintPreviewValid() && this->m_pNotifyHook == nullptr) {
            this->m_dockManager.AdjustDockingLayout();
            AdjustClientArea();
        } else if (this->LayOutLibraryPreview()) {
            // The library's preview fills what the docking layout leaves.
        } else if (bNotify && this->m_pNotifyHook != nullptr) {
            this->m_dockManager.AdjustDockingLayout();
            this->TellInPlaceFrame(GetActiveOleItem());
            AdjustClientArea();
        } else {
            this->LayOutAsTheLayer(bNotify);
            this->m_dockManager.AdjustDockingLayout();
            AdjustClientArea();
        }
        this->m_bInRecalcLayout = FALSE;
    }

    // Before the platform frame's own destruction: the accelerators go, the
    // layout stops, the frame's children go while the frame is whole (all but
    // the one kept), and the frame leaves the list of live frames.
    void TearDownFrame(HWND hKeep)
    {
        CKGPFrameImpl::DestroyAccelerators(*this);
        this->m_dockManager.EnableLayout(FALSE);
        this->DestroyOwnChildren(hKeep);
        CKGPFrameImpl::RemoveFrame(this);
    }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        this->EnsureDockManager();
        if (TBase::OnCreate(lpCreateStruct) == -1)
            return -1;
        this->m_Impl.m_bHasBorder = (lpCreateStruct->style & WS_BORDER) != 0;
        CKGPFrameImpl::AddFrame(this);
        this->m_Impl.OnChangeVisualManager();
        return 0;
    }
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
    {
        if (this->m_Impl.OnMenuChar(nChar))
            return 0xFFFF0002; // "handled": no beep, no menu
        return TBase::OnMenuChar(nChar, nFlags, pMenu);
    }
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
    {
        TBase::OnActivate(nState, pWndOther, bMinimized);
        if (nState == WA_INACTIVE) {
            if (!KGPMenuLinks::IsCustomizeMode())
                this->m_Impl.DeactivateMenu();
        } else if (nState == WA_CLICKACTIVE) {
            this->UpdateWindow();
        }
    }
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID)
    {
        TBase::OnActivateApp(bActive, dwThreadID);
        this->m_dockManager.HideMiniFrames(bActive, RUNTIME_CLASS(CKGPBaseToolBar));
        this->m_Impl.OnActivateApp(bActive);
    }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI)
    {
        this->m_Impl.OnGetMinMaxInfo(lpMMI);
        TBase::OnGetMinMaxInfo(lpMMI);
        this->m_Impl.m_FullScreenMgr.OnGetMinMaxInfo(lpMMI);
    }
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos)
    {
        TBase::OnWindowPosChanging(lpwndpos);
        this->m_Impl.OnWindowPosChanging(lpwndpos);
    }
    afx_msg void OnNcPaint()
    {
        if (!this->m_Impl.OnNcPaint())
            this->Default();
    }
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
    {
        if (!this->m_Impl.OnNcCalcSize(bCalcValidRects, lpncsp))
            TBase::OnNcCalcSize(bCalcValidRects, lpncsp);
    }
    afx_msg LRESULT OnSetText(WPARAM, LPARAM)
    {
        const LRESULT result = this->Default();
        this->m_Impl.OnSetText();
        return result;
    }
    afx_msg LRESULT OnChangeVisualManager(WPARAM, LPARAM)
    {
        this->m_Impl.OnChangeVisualManager();
        return 0;
    }
    afx_msg LRESULT OnDWMCompositionChanged(WPARAM, LPARAM)
    {
        this->m_Impl.OnDwmCompositionChanged();
        return 0;
    }
    afx_msg LRESULT OnToolbarCreateNew(WPARAM, LPARAM lParam)
    {
        return KGPUserToolbarMessages::CreatedAnswer(
            this->m_Impl.CreateUserToolbar(KGPUserToolbarMessages::NameOf(lParam)));
    }
    afx_msg LRESULT OnToolbarDelete(WPARAM, LPARAM lParam)
    {
        return this->m_Impl.DeleteUserToolbar(KGPUserToolbarMessages::ToolBarOf(lParam));
    }
    afx_msg LRESULT OnToolbarContextMenu(WPARAM, LPARAM) { return TRUE; }
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI)
    {
        CKGPFrameImpl::UpdateBarCommand(this->m_dockManager, pCmdUI);
    }
    afx_msg BOOL OnBarCheck(UINT nID) { return CKGPFrameImpl::ToggleBarCommand(this->m_dockManager, nID); }

    BOOL m_bContextHelp = FALSE;

    DECLARE_MESSAGE_MAP()
};

BEGIN_TEMPLATE_MESSAGE_MAP(CKGPDockSiteFrameT, TBase, TBase)
    ON_WM_NCACTIVATE()
    ON_WM_NCHITTEST()
    ON_WM_NCMOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &ThisClass::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

BEGIN_TEMPLATE_MESSAGE_MAP(CKGPMainFrameT, TBase, CKGPDockSiteFrameT<TBase>)
    ON_WM_CREATE()
    ON_WM_MENUCHAR()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_GETMINMAXINFO()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_MESSAGE(WM_SETTEXT, &ThisClass::OnSetText)
    ON_MESSAGE(WM_DWMCOMPOSITIONCHANGED, &ThisClass::OnDWMCompositionChanged)
    ON_REGISTERED_MESSAGE(KGM_CHANGEVISUALMANAGER, &ThisClass::OnChangeVisualManager)
    ON_REGISTERED_MESSAGE(KGM_POSTSETPREVIEWFRAME, &ThisClass::OnChangeVisualManager)
    KGP_ON_FRAME_TOOLBAR_ENTRIES()
END_MESSAGE_MAP()
