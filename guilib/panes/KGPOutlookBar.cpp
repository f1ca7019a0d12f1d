#include "guilib/panes/KGPOutlookBar.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMemDC.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/panes/KGPOutlookBarLinks.h"
#include "guilib/panes/KGPOutlookBarPane.h"
#include "guilib/panes/KGPOutlookWnd.h"

#include <afxarch.h>

IMPLEMENT_SERIAL(CKGPOutlookBar, CKGPBaseTabbedBar, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNCREATE(CKGPOutlookBarDockingPane, CKGPDockingCBWrapper)

std::bitset<kgp::outlook::kCustomPageIdCount> CKGPOutlookBar::m_CustomPageIds;

namespace {

constexpr LPCTSTR kSection = _T("KGPOutlookBars");
constexpr LPCTSTR kCustomPagesValue = _T("KGPOutlookCustomPages");
constexpr DWORD kCustomPageStyle = 0x50402808;
constexpr DWORD kDockItselfStyle = 0x4;
constexpr UINT kOutlookWndId = 101;

size_t Slot(int nID)
{
    return static_cast<size_t>(nID - kgp::outlook::kFirstCustomPageId);
}

}  // namespace

BEGIN_MESSAGE_MAP(CKGPOutlookBar, CKGPBaseTabbedBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CKGPOutlookBar::CKGPOutlookBar()
{
    m_pTabWnd = std::make_unique<CKGPOutlookWnd>();
    KGPRegisterPanesLinks();
}

CKGPOutlookBar::~CKGPOutlookBar()
{
    ReleaseCustomPages();
}

CKGPOutlookWnd* CKGPOutlookBar::GetOutlookWnd() const
{
    return static_cast<CKGPOutlookWnd*>(m_pTabWnd.get());
}

BOOL CKGPOutlookBar::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, UINT nID, DWORD dwStyle,
                            DWORD dwControlBarStyle, CCreateContext* pContext)
{
    if (lpszCaption != nullptr)
        m_strBarName = lpszCaption;
    if (!CKGPDockingControlBar::CreateEx(0, lpszCaption, pParentWnd, rect, FALSE, nID, dwStyle, KGP_TAB_STYLE_OUTLOOK,
                                         dwControlBarStyle, pContext))
        return FALSE;
    if ((dwControlBarStyle & kDockItselfStyle) != 0) {
        EnableDocking(CBRS_ALIGN_ANY);
        DockToParentFrame();
    } else if (CKGPDockManager* pManager = GetDockManager()) {
        pManager->AddControlBar(this, TRUE);
    }
    return TRUE;
}

int CKGPOutlookBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKGPBaseTabbedBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    CKGPOutlookWnd* pOutlook = GetOutlookWnd();
    if (pOutlook == nullptr ||
        !pOutlook->Create(CRect(0, 0, lpCreateStruct->cx, lpCreateStruct->cy), this, kOutlookWndId)) {
        m_pTabWnd.reset();
        return -1;
    }
    pOutlook->EnableWrapping(TRUE);
    pOutlook->SetDockingBarWrapperRTC(RUNTIME_CLASS(CKGPOutlookBarDockingPane));
    if (CanFloat())
        pOutlook->SetHideSingleTab(TRUE);
    return 0;
}

void CKGPOutlookBar::OnPaint()
{
    CPaintDC dcPaint(this);
    CKGPMemDC memDC(dcPaint, this);
    CRect client;
    GetClientRect(client);
    CKGPVisualManager::GetInstance()->FillBarBackground(&memDC.GetDC(), this, client, client, FALSE);
}

void CKGPOutlookBar::SetMode2003(BOOL bMode2003)
{
    m_bMode2003 = bMode2003;
    if (CKGPOutlookWnd* pOutlook = GetOutlookWnd(); pOutlook != nullptr && pOutlook->GetSafeHwnd() != nullptr)
        pOutlook->RecalcLayout();
}

void CKGPOutlookBar::SetButtonsFont(CFont* pFont, BOOL bRedraw)
{
    m_pFontButtons = pFont;
    if (bRedraw && GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

BOOL CKGPOutlookBar::CanAcceptBar(const CKGPBaseControlBar* pBar) const
{
    if (pBar == nullptr || m_bMode2003)
        return FALSE;
    if (CanFloat())
        return CKGPBaseTabbedBar::CanAcceptBar(pBar);
    return IsOutlookPage(pBar);
}

BOOL CKGPOutlookBar::CanTakeAsTab(const CKGPDockingControlBar* pPane) const
{
    return !m_bMode2003 && IsOutlookPage(pPane);
}

BOOL CKGPOutlookBar::IsOutlookPage(const CKGPBaseControlBar* pBar)
{
    return pBar != nullptr && (pBar->IsKindOf(RUNTIME_CLASS(CKGPOutlookBarDockingPane)) ||
                               pBar->IsKindOf(RUNTIME_CLASS(CKGPOutlookBarPane)) ||
                               pBar->IsKindOf(RUNTIME_CLASS(CKGPOutlookBar)));
}

void CKGPOutlookBar::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const
{
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
    if (!CanFloat()) {
        GetClientRect(rectTabAreaTop);
        ClientToScreen(rectTabAreaTop);
        return;
    }
    if (CKGPOutlookWnd* pOutlook = GetOutlookWnd(); pOutlook != nullptr && pOutlook->GetSafeHwnd() != nullptr)
        pOutlook->GetTabArea(rectTabAreaTop, rectTabAreaBottom);
}

int CKGPOutlookBar::HitTestDockArea(CPoint point, int nSensitivity) const
{
    CKGPOutlookWnd* pOutlook = GetOutlookWnd();
    if (pOutlook == nullptr || pOutlook->GetSafeHwnd() == nullptr)
        return 0;
    if (pOutlook->GetTabsNum() == 0 || pOutlook->GetVisibleTabsNum() == 0)
        return 3;
    // On the caption: as a page.
    if (const_cast<CKGPOutlookBar*>(this)->HitTest(point, TRUE) == HTCAPTION)
        return 3;
    CRect top;
    CRect bottom;
    pOutlook->GetTabArea(top, bottom);
    top.bottom += nSensitivity;
    bottom.top -= nSensitivity;
    if ((!top.IsRectEmpty() && top.PtInRect(point)) || (!bottom.IsRectEmpty() && bottom.PtInRect(point)))
        return 3;
    // Beside a bar that may not float no pane docks.
    const int nBase = CKGPBaseTabbedBar::HitTestDockArea(point, nSensitivity);
    if (!CanFloat() && nBase == 2)
        return 0;
    return nBase;
}

BOOL CKGPOutlookBar::FloatTab(CWnd* pBar, int nTabID, KGPDockMethod method, BOOL bHide)
{
    CKGPOutlookWnd* pOutlook = GetOutlookWnd();
    if (pOutlook == nullptr || pOutlook->GetTabsNum() < 2)
        return FALSE;
    return CKGPBaseTabbedBar::FloatTab(pBar, nTabID, method, bHide);
}

BOOL CKGPOutlookBar::IsCaptionFromActiveTab() const
{
    return m_bMode2003 || CKGPBaseTabbedBar::IsCaptionFromActiveTab();
}

// ---- Custom pages.

BOOL CKGPOutlookBar::IsCustomPageIdInUse(int nID)
{
    return kgp::outlook::IsCustomPageId(nID) && m_CustomPageIds.test(Slot(nID));
}

CKGPOutlookBarPane* CKGPOutlookBar::CreateCustomPage(LPCTSTR lpszPageName, BOOL bActivatePage)
{
    CKGPOutlookWnd* pOutlook = GetOutlookWnd();
    if (pOutlook == nullptr || GetSafeHwnd() == nullptr)
        return nullptr;
    int nID = -1;
    for (int i = 0; i < kgp::outlook::kCustomPageIdCount && nID < 0; ++i) {
        if (!m_CustomPageIds.test(static_cast<size_t>(i)))
            nID = kgp::outlook::kFirstCustomPageId + i;
    }
    if (nID < 0)
        return nullptr;
    auto pPage = std::make_unique<CKGPOutlookBarPane>();
    if (!pPage->CreatePane(this, kCustomPageStyle, static_cast<UINT>(nID), 0))
        return nullptr;
    pPage->SetOwner(GetOwner());
    pPage->SetWindowText(lpszPageName != nullptr ? lpszPageName : _T(""));
    CKGPOutlookBarPane* pRaw = pPage.release();
    m_lstCustomPages.AddTail(pRaw);
    m_CustomPageIds.set(Slot(nID));
    pOutlook->AddTab(pRaw, lpszPageName != nullptr ? lpszPageName : _T(""), static_cast<UINT>(-1), TRUE);
    if (bActivatePage)
        pOutlook->SetActiveTab(pOutlook->GetTabsNum() - 1);
    return pRaw;
}

BOOL CKGPOutlookBar::RemoveCustomPage(UINT uiPage)
{
    for (POSITION pos = m_lstCustomPages.GetHeadPosition(); pos != nullptr;) {
        const POSITION at = pos;
        CKGPOutlookBarPane* pPage = m_lstCustomPages.GetNext(pos);
        if (pPage->GetDlgCtrlID() != static_cast<int>(uiPage))
            continue;
        if (CKGPOutlookWnd* pOutlook = GetOutlookWnd(); pOutlook != nullptr && pOutlook->GetSafeHwnd() != nullptr) {
            // The tab shows the page itself or the docking wrapper around it;
            // a wrapper goes with the page.
            for (int iTab = 0; iTab < pOutlook->GetTabsNum(); ++iTab) {
                if (pOutlook->GetTabWndNoWrapper(iTab) != pPage)
                    continue;
                CWnd* pTabWnd = pOutlook->GetTabWnd(iTab);
                pOutlook->RemoveTab(iTab);
                if (pTabWnd != nullptr && pTabWnd != pPage && pTabWnd->GetSafeHwnd() != nullptr)
                    pTabWnd->DestroyWindow();
                break;
            }
        }
        if (kgp::outlook::IsCustomPageId(static_cast<int>(uiPage)))
            m_CustomPageIds.reset(Slot(static_cast<int>(uiPage)));
        if (pPage->GetSafeHwnd() != nullptr)
            pPage->DestroyWindow();
        m_lstCustomPages.DeleteAt(at);
        return TRUE;
    }
    return FALSE;
}

void CKGPOutlookBar::ReleaseCustomPages()
{
    while (!m_lstCustomPages.IsEmpty())
        RemoveCustomPage(static_cast<UINT>(m_lstCustomPages.GetHead()->GetDlgCtrlID()));
}

std::vector<bool> CKGPOutlookBar::IdsTakenByOthers() const
{
    std::vector<bool> taken(static_cast<size_t>(kgp::outlook::kCustomPageIdCount));
    for (size_t i = 0; i < taken.size(); ++i)
        taken[i] = m_CustomPageIds.test(i);
    for (POSITION pos = m_lstCustomPages.GetHeadPosition(); pos != nullptr;) {
        const int nID = m_lstCustomPages.GetNext(pos)->GetDlgCtrlID();
        if (kgp::outlook::IsCustomPageId(nID))
            taken[Slot(nID)] = false;
    }
    return taken;
}

void CKGPOutlookBar::WriteCustomPages(CArchive& ar, const std::vector<KGPStoredCustomPage>& pages,
                                      int nVisibleButtons)
{
    ar << static_cast<int>(pages.size());
    for (const KGPStoredCustomPage& page : pages) {
        ar << page.nID;
        ar << page.strTitle;
    }
    ar << nVisibleButtons;
}

KGPStoredCustomPages CKGPOutlookBar::ReadCustomPages(CArchive& ar, int nWorkspaceVersion,
                                                     const std::vector<bool>& takenIds)
{
    CKGPStoredReader reader(ar);
    KGPStoredCustomPages stored;
    const int count = reader.ReadInt(0, kgp::outlook::kMaxCustomPages);
    std::vector<int> ids;
    for (int i = 0; i < count; ++i) {
        KGPStoredCustomPage page;
        page.nID = reader.ReadInt(kgp::outlook::kFirstCustomPageId,
                                  kgp::outlook::kFirstCustomPageId + kgp::outlook::kCustomPageIdCount - 1);
        page.strTitle = reader.ReadString(kgp_stored::kMaxTextLength);
        ids.push_back(page.nID);
        stored.pages.push_back(page);
    }
    if (!kgp::outlook::CustomPageIdsSound(ids, takenIds))
        CKGPStoredReader::Refuse(CArchiveException::badIndex);
    if (kgp::outlook::StoresVisibleButtons(nWorkspaceVersion)) {
        stored.nVisibleButtons = reader.ReadInt(-1, kgp_stored::kMaxCoordinate);
        stored.bHasVisibleButtons = TRUE;
    }
    return stored;
}

CString CKGPOutlookBar::CustomPagesKey(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    const CString path = BuildLibraryRegistryPath(kSection, lpszProfileName);
    return CString(kgp::outlook::BarKey(std::wstring(static_cast<LPCTSTR>(path)), nID, nIndex).c_str());
}

BOOL CKGPOutlookBar::ReadCustomPagesState(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex)
{
    CKGPRegistryHandle reg(FALSE, TRUE);
    if (!reg->Open(CustomPagesKey(lpszProfileName, nID == -1 ? GetDlgCtrlID() : nID, nIndex)))
        return FALSE;
    const std::vector<bool> taken = IdsTakenByOthers();
    const int version = GetWorkspaceDataVersion();
    auto stored = std::make_shared<KGPStoredCustomPages>();
    const BOOL bRead = load.ReadArchiveValue(*reg, kCustomPagesValue, [&](CArchive& ar) {
        *stored = ReadCustomPages(ar, version, taken);
    });
    if (!bRead)
        return FALSE;
    // The pages' own values are under the same profile.
    const bool bProfile = lpszProfileName != nullptr;
    const CString profile = bProfile ? CString(lpszProfileName) : CString();
    load.OnCommit([this, stored, bProfile, profile]() {
        TakeStoredPages(*stored, bProfile ? profile.GetString() : nullptr);
    });
    return TRUE;
}

void CKGPOutlookBar::TakeStoredPages(const KGPStoredCustomPages& stored, LPCTSTR lpszProfileName)
{
    ReleaseCustomPages();
    CKGPOutlookWnd* pOutlook = GetOutlookWnd();
    for (const KGPStoredCustomPage& page : stored.pages) {
        auto pPage = std::make_unique<CKGPOutlookBarPane>();
        if (!pPage->CreatePane(this, kCustomPageStyle, static_cast<UINT>(page.nID), 0))
            continue;
        pPage->SetOwner(GetOwner());
        pPage->SetWindowText(page.strTitle);
        pPage->LoadState(lpszProfileName, page.nID, page.nID);
        CKGPOutlookBarPane* pRaw = pPage.release();
        m_lstCustomPages.AddTail(pRaw);
        m_CustomPageIds.set(Slot(page.nID));
        if (pOutlook != nullptr && pOutlook->GetSafeHwnd() != nullptr)
            pOutlook->AddTab(pRaw, page.strTitle, static_cast<UINT>(-1), TRUE);
    }
    if (stored.bHasVisibleButtons && pOutlook != nullptr && pOutlook->GetSafeHwnd() != nullptr) {
        pOutlook->SetVisiblePageButtons(stored.nVisibleButtons);
    }
}

BOOL CKGPOutlookBar::LoadState(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    // The bar, its pages and its custom pages are one load: damage anywhere
    // refuses it all.
    CKGPStoredLoad load;
    ReadStateWithTabs(load, lpszProfileName, nID, nIndex);
    const BOOL found = ReadCustomPagesState(load, lpszProfileName, nID, nIndex);
    return load.Commit() && found;
}

BOOL CKGPOutlookBar::SaveState(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    BOOL bSaved = CKGPBaseTabbedBar::SaveState(lpszProfileName, nID, nIndex);
    std::vector<KGPStoredCustomPage> pages;
    for (POSITION pos = m_lstCustomPages.GetHeadPosition(); pos != nullptr;) {
        CKGPOutlookBarPane* pPage = m_lstCustomPages.GetNext(pos);
        const int nPageID = pPage->GetDlgCtrlID();
        if (!pPage->SaveState(lpszProfileName, nPageID, nPageID))
            bSaved = FALSE;
        KGPStoredCustomPage page;
        page.nID = nPageID;
        CWnd* pParent = pPage->GetParent();
        // Inside a wrapper the tab's title is the wrapper's.
        if (pParent != nullptr && pParent != this && !pParent->IsKindOf(RUNTIME_CLASS(CKGPBaseTabWnd)))
            pParent->GetWindowText(page.strTitle);
        else
            pPage->GetWindowText(page.strTitle);
        pages.push_back(page);
    }
    CKGPOutlookWnd* pOutlook = GetOutlookWnd();
    const int nVisible = pOutlook != nullptr ? pOutlook->GetVisiblePageButtons() : -1;
    CKGPRegistryHandle reg(FALSE, FALSE);
    const CString key = CustomPagesKey(lpszProfileName, nID == -1 ? GetDlgCtrlID() : nID, nIndex);
    if (!reg->CreateKey(key) ||
        !reg->WriteArchive(kCustomPagesValue, [&](CArchive& ar) { WriteCustomPages(ar, pages, nVisible); }))
        bSaved = FALSE;
    return bSaved;
}

// ---- Its docking pane.

BOOL CKGPOutlookBarDockingPane::CreateEx(DWORD dwStyleEx, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect,
                                         BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle,
                                         DWORD dwBarStyle, CCreateContext* pContext)
{
    if (dwTabbedStyle != 0)
        dwTabbedStyle = KGP_TAB_STYLE_OUTLOOK;
    return CKGPDockingCBWrapper::CreateEx(dwStyleEx, lpszCaption, pParentWnd, rect, bHasGripper, nID, dwStyle,
                                          dwTabbedStyle, dwBarStyle, pContext);
}

BOOL CKGPOutlookBarDockingPane::OnBeforeFloat(CRect& rect, KGPDockMethod method)
{
    if (!CKGPDockingCBWrapper::OnBeforeFloat(rect, method))
        return FALSE;
    m_recentOutlookBar.Remember(this);
    return TRUE;
}

BOOL CKGPOutlookBarDockingPane::OnFloatingDrop(CPoint ptScreen)
{
    return CKGPOutlookPageHome::DropAt(this, ptScreen);
}

BOOL CKGPOutlookBarDockingPane::ReturnToRecentHost()
{
    return m_recentOutlookBar.Return(this);
}

// ---- Pages moving between outlook bars.

BOOL CKGPOutlookBar::TakePage(CKGPBaseControlBar* pPage)
{
    if (pPage == nullptr || pPage->GetSafeHwnd() == nullptr || GetTabWnd() == nullptr)
        return FALSE;
    if (CKGPMiniFrameWnd* pFrame = pPage->GetParentMiniFrame(TRUE))
        pFrame->RemoveControlBar(pPage);
    CString strText;
    pPage->GetWindowText(strText);
    if (!AddTab(pPage, TRUE, TRUE, TRUE))
        return FALSE;
    pPage->SetBarStyleWord(pPage->GetBarStyleWord() & ~CBRS_FLOATING);
    CKGPBaseTabWnd* pTabs = GetTabWnd();
    const int iLast = pTabs->GetTabsNum() - 1;
    if (iLast >= 0) {
        pTabs->SetTabLabel(iLast, strText);
        pTabs->SetActiveTab(iLast);
    }
    return TRUE;
}

CKGPOutlookBar* CKGPOutlookBar::HoldingPage(const CWnd* pPage)
{
    int depth = 0;
    for (CWnd* pWnd = pPage != nullptr ? pPage->GetParent() : nullptr; pWnd != nullptr && depth < 3;
         pWnd = pWnd->GetParent(), ++depth) {
        if (auto* pBar = DYNAMIC_DOWNCAST(CKGPOutlookBar, pWnd))
            return pBar;
    }
    return nullptr;
}

void CKGPOutlookPageHome::Remember(const CWnd* pPage)
{
    CKGPOutlookBar* pBar = CKGPOutlookBar::HoldingPage(pPage);
    m_hBar = pBar != nullptr ? pBar->GetSafeHwnd() : nullptr;
}

CKGPOutlookBar* CKGPOutlookPageHome::Get() const
{
    if (m_hBar == nullptr || !::IsWindow(m_hBar))
        return nullptr;
    return DYNAMIC_DOWNCAST(CKGPOutlookBar, CWnd::FromHandlePermanent(m_hBar));
}

BOOL CKGPOutlookPageHome::DropAt(CKGPBaseControlBar* pPage, CPoint ptScreen)
{
    if (pPage == nullptr)
        return FALSE;
    CKGPMiniFrameWnd* pFrame = pPage->GetParentMiniFrame(TRUE);
    CKGPOutlookBar* pTarget =
        CKGPOutlookBarPane::FindOutlookBarAt(ptScreen, pFrame != nullptr ? pFrame->GetSafeHwnd() : nullptr);
    return pTarget != nullptr && pTarget->TakePage(pPage);
}

BOOL CKGPOutlookPageHome::Return(CKGPBaseControlBar* pPage) const
{
    CKGPOutlookBar* pBar = Get();
    return pBar != nullptr && pBar->TakePage(pPage);
}
