#include "guilib/frames/KGPOleIPFrameWnd.h"

#include <windowsx.h>

#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPWindowHelpers.h"
#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/frames/KGPFrameMessageEntries.h"
#include "guilib/frames/KGPLibraryLinks.h"
#include "guilib/frames/KGPOleCntrFrameWnd.h"
#include "guilib/frames/KGPPrintPreviewView.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPUserToolbarMessages.h"

#include <vector>

namespace {


} // namespace

// The messages both in-place frames answer, each over its own base.
BEGIN_TEMPLATE_MESSAGE_MAP(CKGPInPlaceFrameT, TBase, TBase)
    ON_WM_CREATE()
    ON_WM_ACTIVATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_MENUCHAR()
    ON_COMMAND(ID_CONTEXT_HELP, &ThisClass::OnContextHelp)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &ThisClass::OnIdleUpdateCmdUI)
    KGP_ON_FRAME_TOOLBAR_ENTRIES()
END_MESSAGE_MAP()

template <class TBase>
CKGPInPlaceFrameT<TBase>::CKGPInPlaceFrameT(BOOL bDocumentFrame) : m_Impl(this), m_bDocumentFrame(bDocumentFrame)
{
    KGPRegisterLibraryLinks();
    m_Impl.m_pMenuHost = this;
    // The server's frame tells its dock manager at once; the document
    // server's frame once its window is made (OnCreate).
    if (!m_bDocumentFrame)
        m_dockManager.Create(this, this);
}

template <class TBase>
CKGPInPlaceFrameT<TBase>::~CKGPInPlaceFrameT() = default;

// ---- Creation and layout.

template <class TBase>
BOOL CKGPInPlaceFrameT<TBase>::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                                         CCreateContext* pContext)
{
    m_Impl.m_nIDDefaultResource = nIDResource;
    m_Impl.LoadToolbarParameters();
    return TBase::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

template <class TBase>
BOOL CKGPInPlaceFrameT<TBase>::PreCreateWindow(CREATESTRUCT& cs)
{
    m_Impl.m_pDockManager = &m_dockManager;
    return TBase::PreCreateWindow(cs);
}

template <class TBase>
int CKGPInPlaceFrameT<TBase>::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // A frame whose dock manager was not told its frame (the document
    // server's) would dock nothing: it is told now.
    if (m_dockManager.GetDockSite() == nullptr)
        m_dockManager.Create(this, this);
    m_Impl.m_pDockManager = &m_dockManager;
    return TBase::OnCreate(lpCreateStruct);
}

template <class TBase>
void CKGPInPlaceFrameT<TBase>::SetInPlaceBarsVisible(BOOL bShow)
{
    m_dockManager.HideInPlaceBars(bShow);
    AdjustDockingLayout();
}

template <class TBase>
void CKGPInPlaceFrameT<TBase>::AdjustDockingLayout(HDWP hdwp)
{
    m_dockManager.AdjustDockingLayout(hdwp);
}

template <class TBase>
void CKGPInPlaceFrameT<TBase>::RecalcLayout(BOOL bNotify)
{
    if (this->m_bInRecalcLayout || this->m_hWnd == nullptr)
        return;
    TBase::RecalcLayout(bNotify);
    if (m_bDocumentFrame)
        m_dockManager.NotifyBarsAndRelayout();
    else
        m_dockManager.AdjustDockingLayout();
    // A preview fills what the bars leave.
    if (m_dockManager.IsPrintPreviewValid()) {
        if (auto* pPreview = DYNAMIC_DOWNCAST(CPreviewView, this->GetDlgItem(AFX_IDW_PANE_FIRST))) {
            CRect rect;
            m_dockManager.GetInnerDockRect(rect);
            CKGPPrintPreviewView::PlacePreviewBar(this, rect);
            pPreview->SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

template <class TBase>
BOOL CKGPInPlaceFrameT<TBase>::OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd*)
{
    if (DYNAMIC_DOWNCAST(CKGPOleCntrFrameWnd, pWndFrame) != nullptr)
        return TRUE;
    // The plain wrapper gives the container's window to the library's.
    HWND hWndContainer = pWndFrame != nullptr ? pWndFrame->Detach() : nullptr;
    if (this->m_pMainFrame == pWndFrame) {
        delete this->m_pMainFrame;
        this->m_pMainFrame = nullptr;
    }
    auto* pWrapper = new CKGPOleCntrFrameWnd(this);
    this->m_pMainFrame = pWrapper;
    if (hWndContainer != nullptr)
        pWrapper->Attach(hWndContainer);
    pWrapper->GetDockManager()->Create(pWrapper, pWrapper);
    return TRUE;
}

template <class TBase>
CKGPOleCntrFrameWnd* CKGPInPlaceFrameT<TBase>::GetContainerFrameWrapper() const
{
    return DYNAMIC_DOWNCAST(CKGPOleCntrFrameWnd, this->m_pMainFrame);
}

template <class TBase>
void CKGPInPlaceFrameT<TBase>::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    m_dockManager.SetPrintPreviewMode(bPreview);
    if (pState != nullptr) {
        const DWORD dwStates = pState->dwStates;
        TBase::OnSetPreviewMode(bPreview, pState);
        pState->dwStates = dwStates;
    }
    RecalcLayout(TRUE);
}

// ---- Commands, menus and input.

template <class TBase>
BOOL CKGPInPlaceFrameT<TBase>::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return TBase::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
           m_dockManager.OnBarsMenuCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

template <class TBase>
BOOL CKGPInPlaceFrameT<TBase>::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_Impl.OnAcceleratorCommand(wParam, lParam))
        return TRUE;
    if (KGPMenuLinks::IsCustomizeMode())
        return FALSE; // no command runs while the toolbars are customised
    return TBase::OnCommand(wParam, lParam);
}

template <class TBase>
void CKGPInPlaceFrameT<TBase>::OnContextHelp()
{
    CKGPFrameImpl::RunContextHelp(*this, m_bContextHelp, [this] { TBase::OnContextHelp(); });
}

template <class TBase>
void CKGPInPlaceFrameT<TBase>::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (dwData == 0 && m_bContextHelp) {
        OnContextHelp();
        return;
    }
    TBase::WinHelp(dwData, nCmd);
}

template <class TBase>
void CKGPInPlaceFrameT<TBase>::HtmlHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (dwData == 0 && m_bContextHelp) {
        OnContextHelp();
        return;
    }
    TBase::HtmlHelp(dwData, nCmd);
}

template <class TBase>
BOOL CKGPInPlaceFrameT<TBase>::FillCustomizeMenuRest(CWnd* pPopup, UINT uiToolbarResId)
{
    return m_Impl.FillCustomizeMenuRest(pPopup, uiToolbarResId);
}

template <class TBase>
void CKGPInPlaceFrameT<TBase>::OnClosePopupMenu(CWnd* /*pPopup*/)
{
    // (A popup that closes stops being the active one by itself.)
    m_dockManager.SetBarsMenuShown(FALSE);
}

template <class TBase>
BOOL CKGPInPlaceFrameT<TBase>::OnShowPopupMenu(CWnd* pPopup)
{
    if (!m_Impl.OnShowPopupMenu(pPopup, this))
        return FALSE;
    return CKGPFrameImpl::AnswerPopupOpening(pPopup, [this](CWnd* pOpening) { return OnPopupMenuOpening(pOpening); });
}

template <class TBase>
BOOL CKGPInPlaceFrameT<TBase>::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_KEYDOWN:
        if (!CKGPFrameImpl::IsHelpKey(pMsg) && m_Impl.ProcessKeyboard(static_cast<int>(pMsg->wParam)))
            return TRUE;
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
        if (m_Impl.ProcessMouseClick(pMsg->message, CPoint(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam)),
                                     pMsg->hwnd))
            return TRUE;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: {
        CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        if (::IsWindow(pMsg->hwnd))
            ::ClientToScreen(pMsg->hwnd, &point);
        if (m_Impl.ProcessMouseClick(pMsg->message, point, pMsg->hwnd))
            return TRUE;
        if (!::IsWindow(pMsg->hwnd))
            return TRUE; // its window went meanwhile
        break;
    }
    case WM_MOUSEMOVE:
        if (m_Impl.IsMoveOutsideActiveMenu(*pMsg))
            return TRUE;
        break;
    default:
        break;
    }
    return TBase::PreTranslateMessage(pMsg);
}

// ---- Activation.

template <class TBase>
void CKGPInPlaceFrameT<TBase>::GiveBackActiveFrame()
{
    if (GetTopLevelFrameOverride() != this)
        return;
    CWnd* pLast = m_hwndLastTopLevelFrame != nullptr ? CWnd::FromHandlePermanent(m_hwndLastTopLevelFrame) : nullptr;
    SetTopLevelFrameOverride(pLast != nullptr ? pLast->AsFrameWnd() : nullptr);
}

template <class TBase>
void CKGPInPlaceFrameT<TBase>::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    TBase::OnActivate(nState, pWndOther, bMinimized);
    if (nState != WA_INACTIVE) {
        if (nState == WA_CLICKACTIVE)
            this->UpdateWindow();
        CFrameWnd* pActive = GetTopLevelFrameOverride();
        if (pActive == this)
            return;
        m_hwndLastTopLevelFrame = pActive != nullptr ? pActive->GetSafeHwnd() : nullptr;
        SetTopLevelFrameOverride(this);
        return;
    }
    if (m_bDocumentFrame || !KGPMenuLinks::IsCustomizeMode())
        m_Impl.DeactivateMenu();
    if (CWnd* pPopup = KGPMenuLinks::GetActivePopupMenu(); pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
        pPopup->SendMessage(WM_CLOSE);
    GiveBackActiveFrame();
}

template <class TBase>
void CKGPInPlaceFrameT<TBase>::OnClose()
{
    m_Impl.OnCloseFrame();
    TBase::OnClose();
}

template <class TBase>
void CKGPInPlaceFrameT<TBase>::OnDestroy()
{
    if (CWnd* pPopup = KGPMenuLinks::GetActivePopupMenu(); pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
        pPopup->SendMessage(WM_CLOSE);
    GiveBackActiveFrame();
    m_Impl.DeactivateMenu();
    CKGPFrameImpl::DestroyAccelerators(*this);
    m_dockManager.EnableLayout(FALSE);
    m_dockManager.Create(nullptr);
    // Top-level windows still owned by the frame (floating frames, popups) go now.
    std::vector<HWND> windows;
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (::GetWindow(hWnd, GW_OWNER) == this->m_hWnd)
            windows.push_back(hWnd);
    }
    for (HWND hWnd : windows) {
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    }
    TBase::OnDestroy();
}

template <class TBase>
LRESULT CKGPInPlaceFrameT<TBase>::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (m_Impl.OnMenuChar(nChar))
        return 0xFFFF0002;
    return TBase::OnMenuChar(nChar, nFlags, pMenu);
}

template <class TBase>
LRESULT CKGPInPlaceFrameT<TBase>::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    TBase::OnIdleUpdateCmdUI(wParam, lParam);
    m_dockManager.SendMessageToMiniFrames(WM_IDLEUPDATECMDUI);
    if (CKGPOleCntrFrameWnd* pWrapper = GetContainerFrameWrapper())
        pWrapper->OnIdleUpdate();
    return 0;
}

template <class TBase>
LRESULT CKGPInPlaceFrameT<TBase>::OnToolbarCreateNew(WPARAM, LPARAM lParam)
{
    return KGPUserToolbarMessages::CreatedAnswer(m_Impl.CreateUserToolbar(KGPUserToolbarMessages::NameOf(lParam)));
}

template <class TBase>
LRESULT CKGPInPlaceFrameT<TBase>::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.DeleteUserToolbar(KGPUserToolbarMessages::ToolBarOf(lParam));
}

template <class TBase>
LRESULT CKGPInPlaceFrameT<TBase>::OnToolbarContextMenu(WPARAM, LPARAM)
{
    return TRUE;
}

template <class TBase>
void CKGPInPlaceFrameT<TBase>::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CKGPFrameImpl::UpdateBarCommand(m_dockManager, pCmdUI);
}

template <class TBase>
BOOL CKGPInPlaceFrameT<TBase>::OnBarCheck(UINT nID)
{
    return CKGPFrameImpl::ToggleBarCommand(m_dockManager, nID);
}

template class CKGPInPlaceFrameT<COleIPFrameWnd>;
template class CKGPInPlaceFrameT<COleDocIPFrameWnd>;

IMPLEMENT_DYNCREATE(CKGPOleIPFrameWnd, COleIPFrameWnd)
IMPLEMENT_DYNCREATE(CKGPOleDocIPFrameWnd, COleDocIPFrameWnd)

CKGPOleIPFrameWnd::CKGPOleIPFrameWnd() : CKGPInPlaceFrameT<COleIPFrameWnd>(FALSE) {}

CKGPOleDocIPFrameWnd::CKGPOleDocIPFrameWnd() : CKGPInPlaceFrameT<COleDocIPFrameWnd>(TRUE) {}
