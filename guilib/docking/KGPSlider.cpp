#include "guilib/docking/KGPSlider.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMemDC.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPBarContainerManager.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPSplitMath.h"

#include <afxarch.h>

IMPLEMENT_DYNCREATE(CKGPSlider, CKGPBaseControlBar)

int CKGPSlider::m_nDefaultWidth = kgp::split::kSliderThickness;
CRuntimeClass* CKGPSlider::m_pSliderRTC = RUNTIME_CLASS(CKGPSlider);
CRuntimeClass* CKGPSlider::m_pContainerManagerRTC = RUNTIME_CLASS(CKGPBarContainerManager);
HCURSOR CKGPSlider::s_hcurHorz = nullptr;
HCURSOR CKGPSlider::s_hcurVert = nullptr;

namespace {

// Posted to a default slider whose tree may have been left empty: it checks
// once the operation that emptied it is over.
const UINT kCheckEmptyMessage = ::RegisterWindowMessageW(L"KGPSLIDER_CHECKEMPTY");
constexpr LPCTSTR kSliderClass = _T("KGPSlider");

}  // namespace

BEGIN_MESSAGE_MAP(CKGPSlider, CKGPBaseControlBar)
    ON_WM_CREATE()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCDESTROY()
    ON_REGISTERED_MESSAGE(kCheckEmptyMessage, &CKGPSlider::OnCheckEmpty)
END_MESSAGE_MAP()

CKGPSlider::CKGPSlider() = default;

CKGPSlider::CKGPSlider(BOOL bDefaultSlider, CWnd* pParentForRecreation)
    : m_bDefaultSlider(bDefaultSlider), m_pParentWndForSerialize(pParentForRecreation)
{
}

CKGPSlider::~CKGPSlider() = default;

std::unique_ptr<CKGPBarContainerManager> CKGPSlider::MakeContainerManager()
{
    std::unique_ptr<CObject> made(m_pContainerManagerRTC != nullptr ? m_pContainerManagerRTC->CreateObject() : nullptr);
    if (made != nullptr && made->IsKindOf(RUNTIME_CLASS(CKGPBarContainerManager)))
        return std::unique_ptr<CKGPBarContainerManager>(static_cast<CKGPBarContainerManager*>(made.release()));
    return std::make_unique<CKGPBarContainerManager>();
}

CKGPSlider* CKGPSlider::CreateDefaultSlider(DWORD dwAlignment, CWnd* pDockSite, CRuntimeClass* pSliderRTC)
{
    if (pDockSite == nullptr || pDockSite->GetSafeHwnd() == nullptr)
        return nullptr;
    CRuntimeClass* pClass = pSliderRTC != nullptr ? pSliderRTC : m_pSliderRTC;
    std::unique_ptr<CObject> pObject(pClass->CreateObject());
    auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, pObject.get());
    if (pSlider == nullptr)
        return nullptr;
    pObject.release(); // the creation takes it over
    const DWORD style = (dwAlignment & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0 ? KGP_SS_VERT : KGP_SS_HORZ;
    // The slider deletes itself with its window (a refused creation included).
    CKGPSlider* pMade = AfxCreateSelfDeleting(pSlider, [&](CKGPSlider& slider) {
        slider.m_bDefaultSlider = TRUE;
        return slider.CreateEx(0, style | WS_CHILD, CRect(0, 0, m_nDefaultWidth, m_nDefaultWidth), pDockSite,
                               static_cast<UINT>(-1));
    });
    if (pMade != nullptr)
        pMade->SetCurrentAlignment(dwAlignment & CBRS_ALIGN_ANY);
    return pMade;
}

BOOL CKGPSlider::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID, pContext);
}

BOOL CKGPSlider::CreateEx(DWORD dwStyleEx, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          CCreateContext*)
{
    if (pParentWnd == nullptr || pParentWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    m_nID = nID;
    m_dwSliderStyle = dwStyle & (KGP_SS_HORZ | KGP_SS_VERT);
    const CRect place(rect);
    m_nWidth = (m_dwSliderStyle & KGP_SS_VERT) != 0 ? place.Width() : place.Height();
    m_pParentWndForSerialize = pParentWnd;
    CFrameWnd* pFrame = pParentWnd->AsFrameWnd() != nullptr ? pParentWnd->AsFrameWnd() : pParentWnd->GetParentFrame();
    if (m_bDefaultSlider) {
        m_pOwnManager = MakeContainerManager();
        m_pContainerManager = m_pOwnManager.get();
        m_pContainerManager->Create(pParentWnd, this);
    }
    // Inner sliders stand for no edge; they keep one that matches their direction.
    if (GetCurrentAlignment() == 0)
        SetCurrentAlignment((m_dwSliderStyle & KGP_SS_VERT) != 0 ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP);
    m_pDockSite = pFrame;
    const CString className = RegisterLibraryWindowClass(kSliderClass, 0, nullptr);
    const DWORD style = (dwStyle & ~(KGP_SS_HORZ | KGP_SS_VERT)) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    // A window made and then refused takes the slider along (its tree goes
    // with it); nothing of it may be touched then.
    const CSelfDeletingCreation watch(this);
    if (!CWnd::CreateEx(dwStyleEx, className, nullptr, style, rect, pParentWnd, nID)) {
        if (!watch.HasEnded()) {
            m_pContainerManager = nullptr;
            m_pOwnManager.reset();
        }
        return FALSE;
    }
    m_pDockSite = pFrame;
    return TRUE;
}

int CKGPSlider::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKGPBaseControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (s_hcurHorz == nullptr)
        s_hcurHorz = ::LoadCursorW(nullptr, IDC_SIZENS);
    if (s_hcurVert == nullptr)
        s_hcurVert = ::LoadCursorW(nullptr, IDC_SIZEWE);
    return 0;
}

void CKGPSlider::OnNcDestroy()
{
    if (m_bCaptured)
        StopTracking(FALSE);
    if (m_pContainerManager != nullptr && !m_bDefaultSlider)
        m_pContainerManager->RemoveSlider(this);
    m_pContainerManager = nullptr;
    m_pOwnManager.reset();
    if (m_bAutoHideMode)
        RemoveFromDockManager(FALSE, FALSE, TRUE); // off the auto-hide list
    CKGPBaseControlBar::OnNcDestroy();
}

void CKGPSlider::PostNcDestroy()
{
    delete this; // sliders are always made with new
}

void CKGPSlider::SetParentForRecreation(CWnd* pParent)
{
    m_pParentWndForSerialize = pParent;
}

void CKGPSlider::PostCheckEmpty()
{
    if (GetSafeHwnd() != nullptr)
        PostMessage(kCheckEmptyMessage);
}

LRESULT CKGPSlider::OnCheckEmpty(WPARAM, LPARAM)
{
    CheckEmptyAndRemove();
    return 0;
}

// ---- What the tree answers.

BOOL CKGPSlider::AllowsInsertBefore() const
{
    return m_pContainerManager == nullptr || m_pContainerManager->AllowsInsertBefore();
}

BOOL CKGPSlider::IsResizable() const
{
    return m_pContainerManager == nullptr || m_pContainerManager->IsResizable();
}

BOOL CKGPSlider::QueryContainerState() const
{
    return m_pContainerManager != nullptr && m_pContainerManager->IsResizable();
}

CSize CKGPSlider::CalcFixedLayout(BOOL, BOOL)
{
    CRect window;
    GetWindowRect(window);
    if (!m_bDefaultSlider || m_pContainerManager == nullptr)
        return window.Size();
    CRect container;
    m_pContainerManager->GetWindowRect(container);
    if (IsHorizontal())
        return CSize(container.Width(), m_nWidth + container.Height());
    return CSize(m_nWidth + container.Width(), container.Height());
}

const CObList* CKGPSlider::GetControlBars() const
{
    return m_pContainerManager != nullptr ? &m_pContainerManager->GetPanes() : nullptr;
}

const CObList* CKGPSlider::GetSliders() const
{
    return m_pContainerManager != nullptr ? &m_pContainerManager->GetSliders() : nullptr;
}

CRect CKGPSlider::GetRootContainerRect() const
{
    CRect rect;
    if (m_pContainerManager != nullptr)
        m_pContainerManager->GetWindowRect(rect);
    return rect;
}

CKGPBarContainer* CKGPSlider::FindContainer(CKGPDockingControlBar* pBar, BOOL& bLeftBar) const
{
    bLeftBar = FALSE;
    return m_pContainerManager != nullptr ? m_pContainerManager->FindNodeByPane(pBar, bLeftBar) : nullptr;
}

int CKGPSlider::GetVisibleBarCount() const
{
    return m_pContainerManager != nullptr ? m_pContainerManager->GetVisiblePaneCount() : 0;
}

CKGPDockingControlBar* CKGPSlider::FindBarByID(UINT nID) const
{
    const CObList* pPanes = GetControlBars();
    if (pPanes == nullptr)
        return nullptr;
    for (POSITION pos = pPanes->GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKGPDockingControlBar*>(pPanes->GetNext(pos));
        if (static_cast<UINT>(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    }
    return nullptr;
}

CKGPBaseControlBar* CKGPSlider::FindDockTarget(CPoint point, CKGPBaseControlBar*& pTargetBar, DWORD& dwAlignment,
                                               BOOL& bFound, BOOL& bInContainer) const
{
    pTargetBar = nullptr;
    if (m_pContainerManager == nullptr)
        return nullptr;
    CKGPGlobalUtils::Get().FindContainerDockTarget(m_pContainerManager, point, pTargetBar, dwAlignment, bFound,
                                                   bInContainer);
    return pTargetBar;
}

// ---- Panes in and out.

CKGPDockingControlBar* CKGPSlider::AddControlBar(CKGPDockingControlBar* pBar)
{
    if (m_pContainerManager == nullptr || pBar == nullptr)
        return nullptr;
    m_pContainerManager->AddPane(pBar);
    CheckVisibility();
    return pBar;
}

CKGPDockingControlBar* CKGPSlider::AddRecentControlBar(CKGPDockingControlBar* pBar)
{
    if (m_pContainerManager == nullptr || pBar == nullptr)
        return nullptr;
    CKGPDockingControlBar* pAdded = nullptr;
    if (pBar->m_recentDockInfo.GetRecentContainer(TRUE) != nullptr)
        pAdded = m_pContainerManager->AddPaneToRecentPlace(pBar, FALSE);
    else if (pBar->m_recentDockInfo.GetRecentTabContainer(TRUE) != nullptr)
        pAdded = m_pContainerManager->AddPaneToRecentPlace(pBar, TRUE);
    CheckVisibility();
    return pAdded;
}

BOOL CKGPSlider::InsertControlBar(CKGPDockingControlBar* pBarToInsert, CKGPDockingControlBar* pTargetBar,
                                  DWORD dwAlignment, LPCRECT)
{
    if (m_pContainerManager == nullptr)
        return FALSE;
    const BOOL bInserted = m_pContainerManager->AddPaneBeside(pBarToInsert, pTargetBar, dwAlignment);
    CheckVisibility();
    return bInserted;
}

void CKGPSlider::ReplaceControlBar(CKGPDockingControlBar* pBarOld, CKGPDockingControlBar* pBarNew)
{
    if (m_pContainerManager == nullptr || pBarNew == nullptr)
        return;
    pBarNew->SetDefaultSlider(m_hWnd);
    m_pContainerManager->ReplacePane(pBarOld, pBarNew);
    CheckVisibility();
}

void CKGPSlider::SlideOutAutoHidePane(const CKGPBaseControlBar* pKeep, BOOL bImmediately)
{
    if (!m_bAutoHideMode || m_pContainerManager == nullptr || m_pContainerManager->GetPanes().IsEmpty())
        return;
    auto* pPane = static_cast<CKGPDockingControlBar*>(m_pContainerManager->GetPanes().GetHead());
    if (pPane != pKeep && pPane->IsWindowVisible())
        pPane->Slide(FALSE, !bImmediately);
}

void CKGPSlider::RemoveControlBar(CKGPDockingControlBar* pBar)
{
    if (m_pContainerManager == nullptr)
        return;
    m_pContainerManager->RemovePane(pBar);
    pBar->RemoveFromDockManager(FALSE, FALSE);
    if (m_pContainerManager->IsEmpty() && m_pContainerManager->GetSliders().IsEmpty() &&
        pBar->m_recentDockInfo.GetRecentDefaultSlider() != this) {
        RemoveFromDockManager(FALSE, FALSE);
        DestroyWindow();
        return;
    }
    if (CheckVisibility() == 0)
        ShowWindow(SW_HIDE);
}

BOOL CKGPSlider::AddControlBarToContainer(CKGPDockingControlBar* pTargetBar, CKGPBarContainerManager& otherManager,
                                          DWORD dwAlignment)
{
    if (m_pContainerManager == nullptr)
        return FALSE;
    const BOOL bAdded = m_pContainerManager->AddContainer(pTargetBar, dwAlignment, otherManager, TRUE);
    CheckVisibility();
    return bAdded;
}

BOOL CKGPSlider::AddContainer(CKGPBarContainerManager& otherManager, BOOL bOuterEdge)
{
    if (m_pContainerManager == nullptr)
        return FALSE;
    const BOOL bAdded = m_pContainerManager->AddContainerManager(otherManager, bOuterEdge);
    CheckVisibility();
    return bAdded;
}

int CKGPSlider::CheckVisibility()
{
    if (m_pContainerManager == nullptr)
        return 0;
    m_pContainerManager->CheckVisibility();
    const int visible = m_pContainerManager->GetVisiblePaneCount();
    if (m_bDefaultSlider && !m_bAutoHideMode && GetSafeHwnd() != nullptr) {
        const BOOL bShown = (GetStyle() & WS_VISIBLE) != 0;
        if ((visible > 0) != bShown)
            ShowWindow(visible > 0 ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
    return visible;
}

void CKGPSlider::OnShowControlBar(CKGPDockingControlBar* pBar, BOOL bShow)
{
    if (m_bAutoHideMode || m_pContainerManager == nullptr)
        return;
    m_pContainerManager->CheckVisibility();
    if (bShow) {
        ShowWindow(SW_SHOWNOACTIVATE);
        return;
    }
    const BOOL bAny = m_pContainerManager->HasVisiblePane();
    ShowWindow(bAny ? SW_SHOWNOACTIVATE : SW_HIDE);
    // The nearest part of the tree still showing a pane takes the hidden
    // pane's room, so that the group keeps its size.
    BOOL bLeft = FALSE;
    CKGPBarContainer* pNode = m_pContainerManager->FindNodeByPane(pBar, bLeft);
    while (pNode != nullptr && !pNode->HasVisiblePane())
        pNode = pNode->GetParentContainer();
    if (pNode != nullptr) {
        CRect room;
        pNode->GetWindowRect(room, TRUE);
        HDWP hdwp = ::BeginDeferWindowPos(10);
        pNode->ResizeContainer(room, hdwp, FALSE);
        if (hdwp != nullptr)
            ::EndDeferWindowPos(hdwp);
    }
}

void CKGPSlider::CheckEmptyAndRemove()
{
    if (m_pContainerManager == nullptr || !m_pContainerManager->IsEmpty() ||
        !m_pContainerManager->GetSliders().IsEmpty() || GetSafeHwnd() == nullptr)
        return;
    CKGPDockManager* pDockManager = GetDockManager();
    RemoveFromDockManager(FALSE, FALSE);
    DestroyWindow();
    CKGPGlobalUtils::Get().AdjustFrameLayout(pDockManager);
}

// ---- Layout.

HDWP CKGPSlider::RepositionBars(CRect rectNew, HDWP hdwp)
{
    CRect strip = rectNew;
    CRect room = rectNew;
    switch (GetCurrentAlignment()) {
    case CBRS_ALIGN_LEFT:
        strip.left = strip.right - m_nWidth;
        room.right = strip.left;
        break;
    case CBRS_ALIGN_RIGHT:
        strip.right = strip.left + m_nWidth;
        room.left = strip.right;
        break;
    case CBRS_ALIGN_TOP:
        strip.top = strip.bottom - m_nWidth;
        room.bottom = strip.top;
        break;
    default:
        strip.bottom = strip.top + m_nWidth;
        room.top = strip.bottom;
        break;
    }
    CRect client = strip;
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(client);
    hdwp = SetBarWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE, hdwp);
    if (m_pContainerManager != nullptr) {
        // When the frame leaves the tree less room than its minimum, the panes
        // keep their minimum and what lies outside the room is cut off.
        CSize minimum;
        m_pContainerManager->GetMinSize(minimum);
        const kgp::Box laidOut = kgp::split::RoomKeepingMinimum(
            kgp::Box{room.left, room.top, room.right, room.bottom}, {minimum.cx, minimum.cy},
            GetCurrentAlignment() & CBRS_ALIGN_ANY);
        m_pContainerManager->ResizeContainers(CRect(laidOut.left, laidOut.top, laidOut.right, laidOut.bottom), hdwp);
        if (!GetKGPGlobalData().m_bNoWindowRegions)
            ClipToRoom(room);
    }
    return hdwp;
}

void CKGPSlider::ClipToRoom(const CRect& rectRoom)
{
    CSize minimum;
    m_pContainerManager->GetMinSize(minimum);
    const BOOL bFits = rectRoom.Width() >= minimum.cx && rectRoom.Height() >= minimum.cy;
    if (bFits && !m_bRegionsClipped)
        return;
    m_bRegionsClipped = !bFits;
    for (const CObList* pList : {&m_pContainerManager->GetPanes(), &m_pContainerManager->GetSliders()}) {
        for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
            auto* pWnd = static_cast<CWnd*>(pList->GetNext(pos));
            if (pWnd->GetSafeHwnd() == nullptr)
                continue;
            if (bFits) {
                ::SetWindowRgn(pWnd->m_hWnd, nullptr, TRUE);
                continue;
            }
            CRect window;
            pWnd->GetWindowRect(window);
            CRect inside;
            inside.IntersectRect(window, rectRoom);
            inside.OffsetRect(-window.left, -window.top);
            CGdiHandle<HRGN> region(::CreateRectRgnIndirect(&inside));
            if (region && ::SetWindowRgn(pWnd->m_hWnd, region.Get(), TRUE))
                static_cast<void>(region.Detach()); // the window owns the region now
        }
    }
}

void CKGPSlider::MoveSlider(CSize offset, BOOL bAdjustLayout)
{
    if ((m_dwSliderStyle & (KGP_SS_HORZ | KGP_SS_VERT)) == 0 || GetSafeHwnd() == nullptr)
        return;
    CWnd* pParent = GetParent();
    CRect rect;
    GetWindowRect(rect);
    pParent->ScreenToClient(rect);
    const BOOL bVert = (m_dwSliderStyle & KGP_SS_VERT) != 0;
    int delta = bVert ? offset.cx : offset.cy;
    if (bVert && (pParent->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        delta = -delta;
    if (delta == 0)
        return;
    rect.OffsetRect(bVert ? delta : 0, bVert ? 0 : delta);
    if (m_pContainerManager != nullptr) {
        HDWP hdwp = ::BeginDeferWindowPos(50);
        if (m_bDefaultSlider) {
            // The whole group grows or shrinks on the slider's side: the
            // manager turns the slider's move into the group's growth (a
            // group at the right or the bottom grows as its slider moves in).
            const DWORD alignment = GetCurrentAlignment();
            const BOOL bAtEnd = alignment == CBRS_ALIGN_LEFT || alignment == CBRS_ALIGN_TOP;
            m_pContainerManager->ResizePartOfContainers(alignment, bAtEnd, delta, hdwp);
        } else {
            m_pContainerManager->OnSliderMoved(this, delta, hdwp);
        }
        if (hdwp != nullptr)
            ::EndDeferWindowPos(hdwp);
    }
    if (bAdjustLayout && m_bDefaultSlider)
        AdjustDockingLayout();
    SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Dragging.

BOOL CKGPSlider::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest != HTCLIENT)
        return CKGPBaseControlBar::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(IsHorizontal() ? s_hcurHorz : s_hcurVert);
    return TRUE;
}

void CKGPSlider::DrawOutline(const CRect& rect, const CRect* pPrevious)
{
    CWindowDC desktop(static_cast<HWND>(nullptr));
    if (desktop.m_hDC == nullptr)
        return;
    const int half = m_nWidth / 2;
    const CSize size(half, half);
    desktop.DrawDragRect(rect.IsRectEmpty() ? nullptr : &rect, size, pPrevious, size);
}

void CKGPSlider::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bCaptured) {
        CKGPBaseControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    m_bCaptured = TRUE;
    SetCapture();
    CRect window;
    GetWindowRect(window);
    m_rectDragBounds = window;
    m_rectLimits = window;
    DrawOutline(m_rectDragBounds, nullptr);
    if (m_pContainerManager != nullptr) {
        m_pContainerManager->CalcSliderBounds(this, m_nMinOffset, m_nMaxOffset, m_nStep);
        if (IsHorizontal()) {
            m_rectLimits.top = window.top + m_nMinOffset;
            m_rectLimits.bottom = window.bottom + m_nMaxOffset;
        } else {
            m_rectLimits.left = window.left + m_nMinOffset;
            m_rectLimits.right = window.right + m_nMaxOffset;
        }
        m_pContainerManager->SetPanesFlag(TRUE);
    }
}

void CKGPSlider::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bCaptured) {
        CKGPBaseControlBar::OnMouseMove(nFlags, point);
        return;
    }
    CPoint cursor = point;
    ClientToScreen(&cursor);
    CRect outline = m_rectDragBounds;
    if (IsHorizontal()) {
        const int start = kgp::split::DragOutlineStart(cursor.y, m_nWidth, outline.Height(), m_rectLimits.top,
                                                       m_rectLimits.bottom);
        outline.OffsetRect(0, start - outline.top);
    } else {
        const int start = kgp::split::DragOutlineStart(cursor.x, m_nWidth, outline.Width(), m_rectLimits.left,
                                                       m_rectLimits.right);
        outline.OffsetRect(start - outline.left, 0);
    }
    if (outline == m_rectDragBounds)
        return;
    DrawOutline(outline, &m_rectDragBounds);
    m_rectDragBounds = outline;
}

void CKGPSlider::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bCaptured) {
        StopTracking(TRUE);
        return;
    }
    CKGPBaseControlBar::OnLButtonUp(nFlags, point);
}

void CKGPSlider::OnCancelMode()
{
    CKGPBaseControlBar::OnCancelMode();
    StopTracking(FALSE);
}

void CKGPSlider::StopTracking(BOOL bMoveSlider)
{
    if (!m_bCaptured)
        return;
    CRect window;
    GetWindowRect(window);
    const CSize offset = m_rectDragBounds.TopLeft() - window.TopLeft();
    DrawOutline(CRect(0, 0, 0, 0), &m_rectDragBounds);
    m_rectDragBounds.SetRectEmpty();
    m_bCaptured = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_pContainerManager != nullptr)
        m_pContainerManager->SetPanesFlag(FALSE);
    if (bMoveSlider)
        MoveSlider(offset, TRUE);
}

// ---- Painting.

void CKGPSlider::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(client);
    CKGPMemDC memory(dc, this);
    CKGPVisualManager::GetInstance()->DrawSlider(&memory.GetDC(), this, client, m_bAutoHideMode,
                                                 GetCurrentAlignment());
}

BOOL CKGPSlider::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// ---- Stored form.

void CKGPSlider::Serialize(CArchive& ar)
{
    if (!ar.IsStoring()) {
        CKGPStoredLoad load;
        ReadArchive(ar, load);
        load.Commit();
        if (GetSafeHwnd() == nullptr)
            AfxThrowArchiveException(CArchiveException::genericException); // the window could not be made
        return;
    }
    CKGPBaseControlBar::Serialize(ar);
    CRect rect;
    GetWindowRect(rect);
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(rect);
    ar << static_cast<DWORD>(m_nID);
    ar << static_cast<DWORD>(m_nStep);
    ar << rect;
    // Its own visibility, which a load gives its window's style (a slider in
    // a frame not shown is not on screen, yet shows with it).
    ar << static_cast<DWORD>((GetStyle() & WS_VISIBLE) != 0 ? 1 : 0);
    ar << m_dwSliderStyle;
    ar << static_cast<DWORD>(m_nWidth);
    ar << static_cast<DWORD>(m_bDefaultSlider ? 1 : 0);
    ar << static_cast<DWORD>(m_nMinOffset);
    ar << static_cast<DWORD>(m_nMaxOffset);
    if (m_bDefaultSlider && m_pContainerManager != nullptr)
        m_pContainerManager->Serialize(ar);
}

void CKGPSlider::ReadArchive(CArchive& ar, CKGPStoredLoad& load)
{
    const DWORD edge = ReadEdgeAndVisibility(ar, load);
    CKGPStoredReader in(ar);
    using kgp_stored::kMaxCoordinate;
    const UINT id = in.ReadUInt(0, 0xFFFFFFFF);
    if (id > 0xFFFF && id != static_cast<UINT>(-1))
        CKGPStoredReader::Refuse(CArchiveException::badIndex);
    // An inner slider is named in its node by its id, where 0 stands for no
    // slider: it has one from 1 to 0xFFFF, or it could not be read back.
    if (!m_bDefaultSlider && (id == 0 || id > 0xFFFF))
        CKGPStoredReader::Refuse(CArchiveException::badIndex);
    const int step = in.ReadInt(-1, kMaxCoordinate);
    const CRect rect = in.ReadRect(kMaxCoordinate);
    const BOOL visible = in.ReadBool();
    const DWORD style = in.ReadOneOf({KGP_SS_HORZ, KGP_SS_VERT});
    // A slider dragged left and right stands at the left or right edge (or
    // between panes side by side), one dragged up and down at the top or
    // bottom: an edge across its direction is no slider's.
    const BOOL bSideEdge = (edge & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;
    if (bSideEdge != (style == KGP_SS_VERT))
        CKGPStoredReader::Refuse(CArchiveException::badIndex);
    const int width = in.ReadInt(1, 64);
    if (in.ReadBool() != m_bDefaultSlider)
        CKGPStoredReader::Refuse(); // a default slider stands at a frame edge, an inner one in a tree
    const int minOffset = in.ReadInt(-kMaxCoordinate, kMaxCoordinate);
    const int maxOffset = in.ReadInt(-kMaxCoordinate, kMaxCoordinate);
    // The window it is made in (a frame being loaded gets its window first).
    CWnd* pParent = m_pParentWndForSerialize;
    if (pParent == nullptr)
        CKGPStoredReader::Refuse();
    // A default slider's tree is read with it, into a manager made now and
    // taken when the load commits.
    std::shared_ptr<std::unique_ptr<CKGPBarContainerManager>> pTree;
    if (m_bDefaultSlider) {
        pTree = std::make_shared<std::unique_ptr<CKGPBarContainerManager>>(MakeContainerManager());
        CKGPBarContainerManager* pManager = pTree->get();
        pManager->Create(pParent, this);
        CFrameWnd* pFrame = pParent->AsFrameWnd() != nullptr ? pParent->AsFrameWnd() : pParent->GetParentFrame();
        CKGPStoredReader inTree(ar);
        pManager->ReadArchive(inTree, load, CKGPGlobalUtils::Get().GetFrameDockManager(pFrame));
    }
    load.OnCommit([this, id, step, rect, visible, style, width, minOffset, maxOffset, pParent, pTree] {
        if (GetSafeHwnd() != nullptr)
            return; // a live slider is not made again
        m_nStep = step;
        m_nMinOffset = minOffset;
        m_nMaxOffset = maxOffset;
        CRect place = rect;
        if (style == KGP_SS_VERT)
            place.right = place.left + width;
        else
            place.bottom = place.top + width;
        // The tree's manager must be the slider's before the window is made.
        std::unique_ptr<CKGPBarContainerManager> pManager = pTree != nullptr ? std::move(*pTree) : nullptr;
        const BOOL bDefault = m_bDefaultSlider;
        m_bDefaultSlider = FALSE; // CreateEx makes no tree of its own for a tree read
        const CSelfDeletingCreation watch(this);
        const BOOL bMade = CreateEx(0, style | WS_CHILD | (visible ? WS_VISIBLE : 0), place, pParent, id);
        if (watch.HasEnded())
            return; // refused: its window took the slider along
        m_bDefaultSlider = bDefault;
        if (!bMade)
            return;
        if (pManager != nullptr) {
            m_pOwnManager = std::move(pManager);
            m_pContainerManager = m_pOwnManager.get();
        }
    });
}
