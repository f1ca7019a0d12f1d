#include "guilib/frames/KGPMainClientAreaWnd.h"

#include "guilib/core/KGPVisualManager.h"

IMPLEMENT_DYNAMIC(CKGPMainClientAreaWnd, CWnd)

BOOL CKGPMainClientAreaWnd::m_bDisableSetRedraw = TRUE;

namespace {

// Redraws a window, its frame and its children at once.
void RedrawAllNow(CWnd& wnd)
{
    if (wnd.GetSafeHwnd() != nullptr)
        wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

} // namespace

// ---- Parameters.

CKGPMDITabParams::CKGPMDITabParams()
    : m_tabLocation(CKGPTabWnd::LOCATION_TOP), m_style(CKGPTabWnd::STYLE_3D_SCROLLED), m_bTabIcons(FALSE),
      m_bTabCloseButton(TRUE), m_bTabCustomTooltips(FALSE), m_bAutoColor(FALSE), m_nTabListMode(FALSE),
      m_bEnableTabSwap(TRUE), m_nTabBorderSize(CKGPVisualManager::GetInstance()->GetMDITabsBorderSize()),
      m_bFlatFrame(TRUE)
{
}

void CKGPMDITabParams::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_tabLocation << m_style << m_bTabCloseButton << m_bTabIcons << m_bAutoColor << m_nTabListMode
           << m_bEnableTabSwap << m_nTabBorderSize;
    } else {
        ar >> m_tabLocation >> m_style >> m_bTabCloseButton >> m_bTabIcons >> m_bAutoColor >> m_nTabListMode >>
            m_bEnableTabSwap >> m_nTabBorderSize;
    }
}

// ---- The client area.

BEGIN_MESSAGE_MAP(CKGPMainClientAreaWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_STYLECHANGING()
END_MESSAGE_MAP()

CKGPMainClientAreaWnd::CKGPMainClientAreaWnd() : m_mapIconIndex(10) {}

CKGPMainClientAreaWnd::~CKGPMainClientAreaWnd()
{
    while (!m_lstTabbedGroups.IsEmpty())
        delete m_lstTabbedGroups.RemoveHead();
}

IKGPMDIClientFrame* CKGPMainClientAreaWnd::GetClientFrame() const
{
    return dynamic_cast<IKGPMDIClientFrame*>(GetParent());
}

BOOL CKGPMainClientAreaWnd::IsMemberOfMDITabGroup(CWnd* pWnd) const
{
    return m_bIsMDITabbedGroup && pWnd != nullptr && m_lstTabbedGroups.Find(pWnd) != nullptr;
}

BOOL CKGPMainClientAreaWnd::KeepsClientEdge()
{
    if (m_bIsMDITabbedGroup || GetSafeHwnd() == nullptr)
        return FALSE;
    const HWND hActive = reinterpret_cast<HWND>(SendMessage(WM_MDIGETACTIVE));
    return hActive != nullptr && (::GetWindowLong(hActive, GWL_STYLE) & WS_SYSMENU) != 0;
}

void CKGPMainClientAreaWnd::EnableMDITabs(BOOL bEnable, const CKGPMDITabParams& params)
{
    if (m_bIsMDITabbedGroup)
        EnableMDITabbedGroups(FALSE, params);
    m_bTabIsEnabled = bEnable;
    m_bTabIsVisible = bEnable;
    m_mdiTabParams = params;
    if (GetSafeHwnd() == nullptr)
        return;
    if (!KeepsClientEdge())
        ModifyStyleEx(bEnable ? WS_EX_CLIENTEDGE : 0, bEnable ? 0 : WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    if (CWnd* pParent = GetParent())
        static_cast<CFrameWnd*>(pParent)->RecalcLayout();
    RedrawAllNow(*this);
}

void CKGPMainClientAreaWnd::EnableMDITabbedGroups(BOOL bEnable, const CKGPMDITabParams& params)
{
    if (m_bTabIsEnabled)
        EnableMDITabs(FALSE, params);
    m_bIsMDITabbedGroup = bEnable;
    m_bTabIsVisible = bEnable;
    m_mdiTabParams = params;
}

void CKGPMainClientAreaWnd::UpdateTabs(BOOL /*bSetActiveTabVisible*/) {}

void CKGPMainClientAreaWnd::SetActiveTab(HWND /*hwnd*/) {}

void CKGPMainClientAreaWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    if (m_bDisableUpdateTabs || GetSafeHwnd() == nullptr)
        return;
    SetWindowPos(&wndBottom, lpClientRect->left, lpClientRect->top, lpClientRect->right - lpClientRect->left,
                 lpClientRect->bottom - lpClientRect->top, SWP_NOACTIVATE);
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

BOOL CKGPMainClientAreaWnd::SaveState(LPCTSTR /*lpszProfileName*/, int /*nFrameID*/)
{
    return FALSE;
}

BOOL CKGPMainClientAreaWnd::LoadState(LPCTSTR /*lpszProfileName*/, int /*nFrameID*/)
{
    return FALSE;
}

void CKGPMainClientAreaWnd::Serialize(CArchive& /*ar*/) {}

// ---- Messages.

BOOL CKGPMainClientAreaWnd::OnEraseBkgnd(CDC* pDC)
{
    IKGPMDIClientFrame* pFrame = GetClientFrame();
    if (pFrame != nullptr && pFrame->OnEraseMDIClientBackground(pDC))
        return TRUE;
    CRect rectClient;
    GetClientRect(rectClient);
    if (CKGPVisualManager::GetInstance()->EraseMDIClientArea(pDC, rectClient))
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CKGPMainClientAreaWnd::OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
{
    if (nStyleType == GWL_EXSTYLE && (m_bTabIsVisible || m_bIsMDITabbedGroup) && !KeepsClientEdge())
        lpStyleStruct->styleNew &= ~WS_EX_CLIENTEDGE;
    CWnd::OnStyleChanging(nStyleType, lpStyleStruct);
}
