#include "guilib/toolbars/KGPTabbedToolbar.h"

#include "guilib/core/KGPTabWindowLink.h"

IMPLEMENT_SERIAL(CKGPTabbedToolbar, CKGPToolBar, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CKGPTabbedToolbar, CKGPToolBar)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

constexpr DWORD kDroppedStyleBits = 0x5500;

}  // namespace

CKGPTabbedToolbar::~CKGPTabbedToolbar()
{
    if (m_pTabWnd != nullptr && m_pTabWnd->GetSafeHwnd() != nullptr)
        m_pTabWnd->DestroyWindow();
}

BOOL CKGPTabbedToolbar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, DWORD dwStyleEx)
{
    if ((dwStyleEx & 1) != 0)
        dwStyle |= CBRS_GRIPPER;
    dwStyle &= ~kDroppedStyleBits;
    return CreateBarEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

int CKGPTabbedToolbar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKGPToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    IKGPTabWindowLink* link = KGPTabWindows::Link();
    m_pTabWnd = link != nullptr ? link->CreateTabWindow(this, CRect(0, 0, 0, 0), kTabWindowId) : nullptr;
    if (m_pTabWnd == nullptr || m_pTabWnd->GetSafeHwnd() == nullptr) {
        m_pTabWnd.reset();
        return -1;
    }
    return 0;
}

BOOL CKGPTabbedToolbar::AddTab(CKGPBaseControlBar* pNewBar, BOOL bVisible, BOOL bSetActive, BOOL bDetachable)
{
    IKGPTabWindowLink* link = KGPTabWindows::Link();
    if (m_pTabWnd == nullptr || m_pTabWnd->GetSafeHwnd() == nullptr || link == nullptr || pNewBar == nullptr ||
        pNewBar->GetSafeHwnd() == nullptr)
        return FALSE;
    pNewBar->SetParent(m_pTabWnd.get());
    pNewBar->SetOwner(GetOwner());
    pNewBar->SetBarStyleWord(pNewBar->GetBarStyleWord() & ~CBRS_GRIPPER);
    CString label;
    pNewBar->GetWindowText(label);
    link->AddTab(m_pTabWnd.get(), pNewBar, label, static_cast<UINT>(-1), bDetachable);
    const int tab = link->GetTabsNum(m_pTabWnd.get()) - 1;
    if (bSetActive)
        link->SetActiveTab(m_pTabWnd.get(), tab);
    link->ShowTab(m_pTabWnd.get(), tab, bVisible, TRUE, FALSE);
    AdjustLayout();
    return TRUE;
}

void CKGPTabbedToolbar::AdjustLocations()
{
    if (m_pTabWnd == nullptr || m_pTabWnd->GetSafeHwnd() == nullptr) {
        CKGPToolBar::AdjustLocations();
        return;
    }
    CRect client;
    GetClientRect(client);
    m_pTabWnd->SetWindowPos(static_cast<const CWnd*>(nullptr), client.left, client.top, client.Width(), client.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE);
}

CSize CKGPTabbedToolbar::CalcSize(BOOL bVertDock)
{
    if (m_pTabWnd == nullptr || m_pTabWnd->GetSafeHwnd() == nullptr)
        return CKGPToolBar::CalcSize(bVertDock);
    CRect window;
    m_pTabWnd->GetWindowRect(window);
    return window.Size();
}
