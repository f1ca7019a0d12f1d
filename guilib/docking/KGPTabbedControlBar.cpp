#include "guilib/docking/KGPTabbedControlBar.h"

#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPDockingFrameMessages.h"
#include "guilib/tabs/KGPTabWnd.h"

IMPLEMENT_SERIAL(CKGPTabbedControlBar, CKGPBaseTabbedBar, VERSIONABLE_SCHEMA | 2)

int CKGPTabbedControlBar::m_StyleTabWnd = CKGPTabWnd::STYLE_3D;
BOOL CKGPTabbedControlBar::m_bIsTabsAutoColor = FALSE;
BOOL CKGPTabbedControlBar::m_bTabsAlwaysTop = FALSE;
CArray<COLORREF, COLORREF> CKGPTabbedControlBar::m_arTabsAutoColors;
CRuntimeClass* CKGPTabbedControlBar::m_pTabWndRTC = RUNTIME_CLASS(CKGPTabWnd);
CList<HWND, HWND> CKGPTabbedControlBar::m_lstTabbedControlBars;

namespace {

// The tab window a tabbed control bar is made with: of the library-wide
// class when that is a tab window, else a plain one.
std::unique_ptr<CKGPBaseTabWnd> MakeTabWindow()
{
    CRuntimeClass* pClass = CKGPTabbedControlBar::m_pTabWndRTC;
    if (pClass != nullptr && pClass->IsDerivedFrom(RUNTIME_CLASS(CKGPTabWnd))) {
        if (CObject* pObject = pClass->CreateObject())
            return std::unique_ptr<CKGPBaseTabWnd>(static_cast<CKGPTabWnd*>(pObject));
    }
    return std::make_unique<CKGPTabWnd>();
}

}  // namespace

BEGIN_MESSAGE_MAP(CKGPTabbedControlBar, CKGPBaseTabbedBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKGPTabbedControlBar::CKGPTabbedControlBar(BOOL bAutoDestroy) : CKGPBaseTabbedBar(bAutoDestroy)
{
    m_pTabWnd = MakeTabWindow();
}

CKGPTabbedControlBar::~CKGPTabbedControlBar()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow(); // its own WM_DESTROY takes it off the list of tabbed bars
}

int CKGPTabbedControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKGPBaseTabbedBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    auto* pTabWnd = static_cast<CKGPTabWnd*>(m_pTabWnd.get());
    CRect rect(0, 0, lpCreateStruct->cx, lpCreateStruct->cy);
    if (pTabWnd == nullptr ||
        !pTabWnd->Create(m_StyleTabWnd, rect, this, 101,
                         m_bTabsAlwaysTop ? CKGPTabWnd::LOCATION_TOP : CKGPTabWnd::LOCATION_BOTTOM, FALSE)) {
        m_pTabWnd.reset();
        return -1;
    }
    pTabWnd->EnableActivateOnRightClick(TRUE);
    if (m_bIsTabsAutoColor) {
        pTabWnd->EnableAutoColor(TRUE);
        pTabWnd->SetAutoColors(m_arTabsAutoColors);
    }
    pTabWnd->AutoDestroyWindow(FALSE);
    pTabWnd->SetHideSingleTab(TRUE);
    pTabWnd->SetTabBorderSize(CKGPVisualManager::GetInstance()->GetDockingTabsBorderSize());
    pTabWnd->EnableWrapping(TRUE);
    m_lstTabbedControlBars.AddTail(GetSafeHwnd());
    return 0;
}

void CKGPTabbedControlBar::OnDestroy()
{
    if (POSITION pos = m_lstTabbedControlBars.Find(GetSafeHwnd()))
        m_lstTabbedControlBars.RemoveAt(pos);
    CKGPBaseTabbedBar::OnDestroy();
}

void CKGPTabbedControlBar::ReapplyTabSettingsToAll()
{
    CKGPVisualManager* pManager = CKGPVisualManager::GetInstance();
    for (POSITION pos = m_lstTabbedControlBars.GetHeadPosition(); pos != nullptr;) {
        HWND hwnd = m_lstTabbedControlBars.GetNext(pos);
        auto* pBar = DYNAMIC_DOWNCAST(CKGPTabbedControlBar, CWnd::FromHandlePermanent(hwnd));
        if (!::IsWindow(hwnd) || pBar == nullptr)
            continue;
        auto* pTabWnd = DYNAMIC_DOWNCAST(CKGPTabWnd, pBar->GetTabWnd());
        if (pTabWnd == nullptr || pTabWnd->GetSafeHwnd() == nullptr)
            continue;
        pTabWnd->SetTabBorderSize(pManager->GetDockingTabsBorderSize(), FALSE);
        pTabWnd->SetFlatFrame(!pManager->IsDockingTabFrameFilled(), FALSE);
        pTabWnd->SetTabStyle(m_StyleTabWnd);
        pTabWnd->RecalcLayout();
        if (m_bIsTabsAutoColor) {
            pTabWnd->EnableAutoColor(TRUE);
            pTabWnd->SetAutoColors(m_arTabsAutoColors);
        } else {
            pTabWnd->EnableAutoColor(FALSE);
            pTabWnd->SetAutoColors(CArray<COLORREF, COLORREF>());
        }
        pTabWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
}

BOOL CKGPTabbedControlBar::FloatTab(CWnd* pBar, int nTabID, KGPDockMethod method, BOOL bHide)
{
    if (m_pTabWnd == nullptr || m_pTabWnd->GetTabsNum() <= 1)
        return FALSE;
    return CKGPBaseTabbedBar::FloatTab(pBar, nTabID, method, bHide);
}

BOOL CKGPTabbedControlBar::DetachBar(CWnd* pBar, BOOL bHide)
{
    if (m_pTabWnd == nullptr || m_pTabWnd->GetTabsNum() < 1)
        return FALSE;
    return CKGPBaseTabbedBar::DetachBar(pBar, bHide);
}

BOOL CKGPTabbedControlBar::IsTabLocationBottom() const
{
    return m_pTabWnd != nullptr && m_pTabWnd->GetLocation() == CKGPTabWnd::LOCATION_BOTTOM;
}

void CKGPTabbedControlBar::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const
{
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
    if (m_pTabWnd == nullptr || m_pTabWnd->GetSafeHwnd() == nullptr)
        return;
    CRect top;
    CRect bottom;
    m_pTabWnd->GetTabArea(top, bottom);
    if (IsTabLocationBottom())
        rectTabAreaBottom = bottom.IsRectEmpty() ? top : bottom;
    else
        rectTabAreaTop = top.IsRectEmpty() ? bottom : top;
}

void CKGPTabbedControlBar::OnPressCloseButton()
{
    CWnd* pActive = m_pTabWnd != nullptr ? m_pTabWnd->GetActiveWnd() : nullptr;
    CWnd* pFrame = GetTopLevelFrame();
    if (pFrame != nullptr && KGPDockingFrameMessages::SendPressCloseButton(pFrame, pActive))
        return;
    if (m_pTabWnd == nullptr || pActive == nullptr) {
        CKGPBaseTabbedBar::OnPressCloseButton();
        return;
    }
    // Only the active tab closes; the last visible one closes the whole bar.
    if (m_pTabWnd->GetVisibleTabsNum() <= 1) {
        CKGPBaseTabbedBar::OnPressCloseButton();
        return;
    }
    m_pTabWnd->ShowTab(m_pTabWnd->GetActiveTab(), FALSE, TRUE, FALSE);
}
