// The tasks pane: its records, creation, groups and tasks, layout, scrolling
// and painting. Mouse and animation: KGPTasksPaneMouse.cpp; pages and
// history: KGPTasksPaneNavigation.cpp; stored settings: KGPTasksPaneState.cpp.
#include "guilib/panes/KGPTasksPane.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPMemDC.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/panes/KGPTaskPaneMiniFrameWnd.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CKGPTasksPanePage, CObject)
IMPLEMENT_DYNAMIC(CKGPTasksPaneTask, CObject)
IMPLEMENT_DYNAMIC(CKGPTasksPaneTaskGroup, CObject)
IMPLEMENT_SERIAL(CKGPTasksPane, CKGPDockingControlBar, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr UINT kScrollBarId = 1;
// The menu glyphs of the scroll areas.
constexpr int kGlyphScrollUp = 24;
constexpr int kGlyphScrollDown = 13;
constexpr int kMaxFileTitle = 512;

kgp::tasks::Box ToBox(const CRect& rect)
{
    return kgp::tasks::Box{rect.left, rect.top, rect.right, rect.bottom};
}

CRect ToRect(const kgp::tasks::Box& box)
{
    return CRect(box.left, box.top, box.right, box.bottom);
}

kgp::tasks::Metrics LookMetrics()
{
    const KGPTasksPaneMetrics look = CKGPVisualManager::GetInstance()->GetTasksPaneMetrics();
    return kgp::tasks::Metrics{look.verticalMargin,         look.horizontalMargin,       look.groupSpacing,
                               look.groupCaptionHeight,     look.groupCaptionHorzOffset, look.groupCaptionExtraHeight,
                               look.tasksHorzOffset,        look.taskIconOffset,         look.taskSpacing};
}

int FontHeight(CDC& dc, HFONT hFont)
{
    CSelectionScope font(dc.m_hDC, hFont);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc.m_hDC, &tm);
    return tm.tmHeight;
}

}  // namespace

CKGPTasksPaneTaskGroup::CKGPTasksPaneTaskGroup(LPCTSTR lpszName, BOOL bIsSpecial, HICON hIcon, CKGPTasksPanePage* pPage)
    : m_pPage(pPage), m_strName(lpszName), m_bIsSpecial(bIsSpecial), m_hIcon(hIcon)
{
    ICONINFO info{};
    if (hIcon != nullptr && ::GetIconInfo(hIcon, &info)) {
        BITMAP bitmap{};
        ::GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
        m_sizeIcon = CSize(bitmap.bmWidth, info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2);
        // GetIconInfo made copies of the icon's bitmaps: they are ours to delete.
        CGdiHandle<HBITMAP> color(info.hbmColor);
        CGdiHandle<HBITMAP> mask(info.hbmMask);
    }
}

BEGIN_MESSAGE_MAP(CKGPTasksPane, CKGPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEWHEEL()
    ON_WM_VSCROLL()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_CANCELMODE()
    ON_WM_SETTINGCHANGE()
    ON_WM_NCCALCSIZE()
    ON_MESSAGE(WM_SETFONT, &CKGPTasksPane::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CKGPTasksPane::OnGetFont)
    ON_MESSAGE(WM_SETTEXT, &CKGPTasksPane::OnSetText)
    ON_MESSAGE(WM_GETOBJECT, &CKGPTasksPane::OnGetObject)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 4, 6, &CKGPTasksPane::OnNeedNavigationTip)
    ON_COMMAND(KGP_TASKS_PANE_BACK, &CKGPTasksPane::OnCommandBack)
    ON_COMMAND(KGP_TASKS_PANE_FORWARD, &CKGPTasksPane::OnCommandForward)
    ON_COMMAND(KGP_TASKS_PANE_HOME, &CKGPTasksPane::OnCommandHome)
    ON_COMMAND(KGP_TASKS_PANE_CLOSE, &CKGPTasksPane::OnCommandClose)
    ON_COMMAND(KGP_TASKS_PANE_PAGES, &CKGPTasksPane::OnCommandPages)
    ON_UPDATE_COMMAND_UI(KGP_TASKS_PANE_BACK, &CKGPTasksPane::OnUpdateBack)
    ON_UPDATE_COMMAND_UI(KGP_TASKS_PANE_FORWARD, &CKGPTasksPane::OnUpdateForward)
    ON_UPDATE_COMMAND_UI(KGP_TASKS_PANE_HOME, &CKGPTasksPane::OnUpdateHome)
    ON_UPDATE_COMMAND_UI(KGP_TASKS_PANE_CLOSE, &CKGPTasksPane::OnUpdateClose)
    ON_UPDATE_COMMAND_UI(KGP_TASKS_PANE_PAGES, &CKGPTasksPane::OnUpdatePages)
END_MESSAGE_MAP()

CKGPTasksPane::CKGPTasksPane()
{
    m_metrics.fill(-1);
    m_bAnimationEnabled = !GetKGPGlobalData().m_bIsRemoteSession;
    // Floating alone, the pane has its own frame (a multi-pane one with KGP_CBRS_FLOAT_MULTI).
    SetMiniFrameRTC(RUNTIME_CLASS(CKGPTaskPaneMiniFrameWnd));
    m_lstTasksPanes.AddTail(new CKGPTasksPanePage(_T(""), this));
}

CKGPTasksPane::~CKGPTasksPane() = default;

// ---- Creation and destruction.

int CKGPTasksPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKGPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr) {
        // Tools 4, 5 and 6: the navigation's caption buttons.
        for (UINT_PTR id = 4; id <= 6; ++id) {
            TTTOOLINFOW info{};
            info.cbSize = sizeof(info);
            info.hwnd = m_hWnd;
            info.uId = id;
            info.lpszText = LPSTR_TEXTCALLBACKW;
            m_pToolTip->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        }
    }
    if (m_strCaption.IsEmpty()) {
        if (lpCreateStruct->lpszName != nullptr)
            m_strCaption = lpCreateStruct->lpszName;
        if (m_strCaption.IsEmpty())
            m_strCaption = KGPLoadLibraryString(KGP_TASKS_PANE_CAPTION, _T("Tasks Pane"));
    }
    // Page 0 is named after the caption.
    if (CKGPTasksPanePage* pFirst = m_lstTasksPanes.GetHead(); pFirst != nullptr && pFirst->m_strName.IsEmpty())
        pFirst->m_strName = m_strCaption;

    if (!m_wndToolBar.Create(this, WS_CHILD | CBRS_TOP | CBRS_TOOLTIPS, AFX_IDW_TOOLBAR + 1) ||
        !m_wndToolBar.CreateButtons(this, m_bHistoryMenuButtons, GetPageName(GetActivePage())))
        return -1;
    m_wndToolBar.SetOwner(this);
    m_wndToolBar.SetBarStyleWord(m_wndToolBar.GetBarStyleWord() & ~(CBRS_GRIPPER | CBRS_BORDER_ANY));

    RebuildFonts();
    if (!m_wndScrollVert.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(0, 0, 0, 0), this, kScrollBarId))
        return -1;
    m_wndScrollVert.ShowWindow(SW_HIDE);
    m_iScrollBtnHeight = CKGPMenuGlyphs::GetImageSize().cy + 2;
    RebuildPagesMenu();
    UpdateCaption();
    return 0;
}

void CKGPTasksPane::OnDestroy()
{
    KillTimer(kgp::tasks::kTimerAnimation);
    KillTimer(kgp::tasks::kTimerAutoScroll);
    m_pAnimatedGroup = nullptr;
    ReleaseTracking();
    m_lstTaskGroups.DeleteAll();
    m_menuOther.Reset();
    CKGPDockingControlBar::OnDestroy();
}

void CKGPTasksPane::RebuildFonts()
{
    m_fontBold.Reset();
    m_fontBoldUnderline.Reset();
    m_fontUnderline.Reset();
    HFONT hBase = m_hFont != nullptr ? m_hFont : GetKGPGlobalData().GetRegularFont();
    LOGFONTW lf{};
    ::GetObjectW(hBase, sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.Reset(::CreateFontIndirectW(&lf));
    lf.lfUnderline = TRUE;
    m_fontBoldUnderline.Reset(::CreateFontIndirectW(&lf));
    lf.lfWeight = FW_NORMAL;
    m_fontUnderline.Reset(::CreateFontIndirectW(&lf));
}

LRESULT CKGPTasksPane::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    RebuildFonts();
    RecalcTasksLayout(LOWORD(lParam) != 0);
    return 0;
}

LRESULT CKGPTasksPane::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_hFont != nullptr ? m_hFont : GetKGPGlobalData().GetDefaultGuiFont());
}

void CKGPTasksPane::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CKGPDockingControlBar::OnSettingChange(uFlags, lpszSection);
    RebuildFonts();
    RecalcTasksLayout(TRUE);
}

// ---- Groups and tasks.

int CKGPTasksPane::AddGroup(int nPageIdx, LPCTSTR lpszGroupName, BOOL bSpecial, HICON hIcon)
{
    POSITION pos = m_lstTasksPanes.FindIndex(nPageIdx);
    if (pos == nullptr)
        return -1;
    m_lstTaskGroups.AddTail(new CKGPTasksPaneTaskGroup(lpszGroupName, bSpecial, hIcon, m_lstTasksPanes.GetAt(pos)));
    RecalcTasksLayout(TRUE);
    return GetGroupCount() - 1;
}

CKGPTasksPaneTaskGroup* CKGPTasksPane::GetTaskGroup(int nGroup) const
{
    if (nGroup < 0)
        return nullptr;
    POSITION pos = m_lstTaskGroups.FindIndex(nGroup);
    return pos != nullptr ? m_lstTaskGroups.GetAt(pos) : nullptr;
}

CKGPTasksPaneTask* CKGPTasksPane::GetTask(int nGroup, int nTask) const
{
    CKGPTasksPaneTaskGroup* pGroup = GetTaskGroup(nGroup);
    if (pGroup == nullptr || nTask < 0)
        return nullptr;
    POSITION pos = pGroup->m_lstTasks.FindIndex(nTask);
    return pos != nullptr ? pGroup->m_lstTasks.GetAt(pos) : nullptr;
}

int CKGPTasksPane::AddTask(int nGroup, LPCTSTR lpszTaskName, int nTaskIcon, UINT uiCommandID, DWORD_PTR dwUserData)
{
    CKGPTasksPaneTaskGroup* pGroup = GetTaskGroup(nGroup);
    if (pGroup == nullptr)
        return -1;
    pGroup->m_lstTasks.AddTail(new CKGPTasksPaneTask(pGroup, lpszTaskName, nTaskIcon, uiCommandID, dwUserData));
    RecalcTasksLayout(TRUE);
    return static_cast<int>(pGroup->m_lstTasks.GetCount()) - 1;
}

int CKGPTasksPane::AddWindow(int nGroup, HWND hwndTask, int nWindowHeight, DWORD_PTR dwUserData)
{
    CKGPTasksPaneTaskGroup* pGroup = GetTaskGroup(nGroup);
    if (pGroup == nullptr || hwndTask == nullptr || nWindowHeight < 0)
        return -1;
    pGroup->m_lstTasks.AddTail(new CKGPTasksPaneTask(pGroup, _T(""), -1, 0, dwUserData, hwndTask, nWindowHeight));
    RecalcTasksLayout(TRUE);
    return static_cast<int>(pGroup->m_lstTasks.GetCount()) - 1;
}

BOOL CKGPTasksPane::ShowTask(int nGroup, int nTask, BOOL bShow)
{
    CKGPTasksPaneTask* pTask = GetTask(nGroup, nTask);
    if (pTask == nullptr)
        return FALSE;
    if (pTask->m_bVisible != bShow) {
        pTask->m_bVisible = bShow;
        if (!bShow && pTask == m_pHotTask)
            SetHotTask(nullptr);
        RecalcTasksLayout(TRUE);
    }
    return TRUE;
}

BOOL CKGPTasksPane::CollapseGroup(int nGroup, BOOL bCollapse)
{
    CKGPTasksPaneTaskGroup* pGroup = GetTaskGroup(nGroup);
    if (pGroup == nullptr)
        return FALSE;
    if (pGroup->m_bIsCollapsed != bCollapse) {
        pGroup->m_bIsCollapsed = bCollapse;
        RecalcTasksLayout(TRUE);
    }
    return TRUE;
}

void CKGPTasksPane::RemoveAllGroups()
{
    KillTimer(kgp::tasks::kTimerAnimation);
    m_pAnimatedGroup = nullptr;
    ReleaseTracking();
    m_lstTaskGroups.DeleteAll();
    // The last task clicked went with its group.
    m_nAccGroup = m_nAccTask = -1;
    m_strAccName.Empty();
    RecalcTasksLayout(TRUE);
}

void CKGPTasksPane::SetIconsList(HIMAGELIST hIcons)
{
    m_lstIcons.DeleteImageList();
    m_sizeIcon = CSize(0, 0);
    if (hIcons != nullptr && m_lstIcons.Attach(hIcons)) {
        int cx = 0;
        int cy = 0;
        ::ImageList_GetIconSize(hIcons, &cx, &cy);
        m_sizeIcon = CSize(cx, cy);
    }
    RecalcTasksLayout(TRUE);
}

BOOL CKGPTasksPane::GetMRUFileName(int nIndex, CString& strName) const
{
    if (m_pRecentFiles == nullptr || nIndex < 0 || nIndex >= m_pRecentFiles->GetSize())
        return FALSE;
    const CString& path = m_pRecentFiles->GetAt(nIndex);
    if (path.IsEmpty())
        return FALSE;
    wchar_t title[kMaxFileTitle + 1] = {};
    if (::GetFileTitleW(path, title, kMaxFileTitle) != 0)
        return FALSE;
    strName = title;
    return TRUE;
}

kgp::tasks::Metrics CKGPTasksPane::GetMetrics() const
{
    return kgp::tasks::ResolveMetrics(m_metrics, LookMetrics());
}

// ---- Layout.

void CKGPTasksPane::CurrentGroups(std::vector<CKGPTasksPaneTaskGroup*>& groups) const
{
    POSITION page = m_lstTasksPanes.FindIndex(GetActivePage());
    const CKGPTasksPanePage* pPage = page != nullptr ? m_lstTasksPanes.GetAt(page) : nullptr;
    for (POSITION pos = m_lstTaskGroups.GetHeadPosition(); pos != nullptr;) {
        CKGPTasksPaneTaskGroup* pGroup = m_lstTaskGroups.GetNext(pos);
        if (pGroup->m_pPage == pPage)
            groups.push_back(pGroup);
    }
}

int CKGPTasksPane::RowHeight() const
{
    if (GetSafeHwnd() == nullptr)
        return 0;
    CClientDC dc(const_cast<CKGPTasksPane*>(this));
    return std::max<int>(FontHeight(dc, m_fontBold.Get() != nullptr ? m_fontBold.Get() : GetKGPGlobalData().GetBoldFont()),
                         m_sizeIcon.cy);
}

void CKGPTasksPane::RecalcTasksLayout(BOOL bRedraw)
{
    if (GetSafeHwnd() == nullptr || m_bInLayout)
        return;
    m_bInLayout = TRUE;
    CRect client;
    GetClientRect(client);
    if (IsToolBox())
        client.DeflateRect(1, 1);

    // The navigation toolbar across the top.
    m_rectToolbar.SetRectEmpty();
    if (m_wndToolBar.GetSafeHwnd() != nullptr) {
        const BOOL bToolbar = (m_bUseNavigationToolbar || IsFloatingInOtherFrame() || GetParentTabbedBar() != nullptr) &&
                              GetPageCount() > 1;
        if (bToolbar) {
            const CSize size = m_wndToolBar.CalcFixedLayout(FALSE, TRUE);
            m_rectToolbar = CRect(client.left, client.top, client.right, client.top + size.cy);
            m_wndToolBar.SetWindowPos(HWND{}, m_rectToolbar.left, m_rectToolbar.top, m_rectToolbar.Width(),
                                      m_rectToolbar.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            client.top = m_rectToolbar.bottom;
        } else if (m_wndToolBar.IsWindowVisible()) {
            m_wndToolBar.ShowWindow(SW_HIDE);
        }
    }
    m_rectTasks = client;
    m_nRowHeight = RowHeight();
    RepositionTasks();
    // With the scroll bar and something to scroll, the bar takes the right edge.
    const BOOL bScrollBar = !m_bUseScrollButtons && m_scroll.maximum > 0;
    if (bScrollBar) {
        m_rectTasks.right -= ::GetSystemMetrics(SM_CXHSCROLL);
        RepositionTasks();
    }
    if (m_wndScrollVert.GetSafeHwnd() != nullptr) {
        if (bScrollBar) {
            m_wndScrollVert.SetWindowPos(HWND{}, m_rectTasks.right, m_rectTasks.top, ::GetSystemMetrics(SM_CXHSCROLL),
                                         m_rectTasks.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            info.nMax = m_scroll.maximum;
            info.nPage = static_cast<UINT>(m_scroll.pageSize);
            info.nPos = m_scroll.position;
            m_wndScrollVert.SetScrollInfo(&info, TRUE);
            m_wndScrollVert.EnableWindow(TRUE);
        } else if (m_wndScrollVert.IsWindowVisible()) {
            m_wndScrollVert.EnableWindow(FALSE);
            m_wndScrollVert.ShowWindow(SW_HIDE);
        }
    }
    ShowScrollAreas();
    m_bInLayout = FALSE;
    if (bRedraw) {
        Invalidate();
        UpdateWindow();
    }
}

void CKGPTasksPane::RepositionTasks()
{
    std::vector<CKGPTasksPaneTaskGroup*> groups;
    CurrentGroups(groups);

    kgp::tasks::LayoutFacts facts;
    facts.area = ToBox(m_rectTasks);
    facts.metrics = GetMetrics();
    facts.rowHeight = m_nRowHeight;
    facts.imageWidth = m_sizeIcon.cx;
    facts.imageHeight = m_sizeIcon.cy;
    facts.collapsible = m_bCanCollapse != FALSE;
    facts.toolboxStyle = IsToolBox() != FALSE;
    facts.wrapTasks = m_bWrapTasks != FALSE;
    facts.wrapLabels = m_bWrapLabels != FALSE;

    std::vector<kgp::tasks::GroupFacts> groupFacts;
    std::vector<std::vector<CKGPTasksPaneTask*>> tasks(groups.size());
    CClientDC dc(this);
    for (size_t g = 0; g < groups.size(); ++g) {
        CKGPTasksPaneTaskGroup* pGroup = groups[g];
        if (pGroup == m_pAnimatedGroup)
            facts.animatedGroup = static_cast<int>(g);
        kgp::tasks::GroupFacts group;
        group.hasCaption = !pGroup->m_strName.IsEmpty();
        group.captionTextHeight = FontHeight(dc, m_fontBold.Get());
        group.iconWidth = pGroup->m_sizeIcon.cx;
        group.iconHeight = pGroup->m_sizeIcon.cy;
        group.collapsed = pGroup->m_bIsCollapsed != FALSE;
        for (POSITION pos = pGroup->m_lstTasks.GetHeadPosition(); pos != nullptr;) {
            CKGPTasksPaneTask* pTask = pGroup->m_lstTasks.GetNext(pos);
            tasks[g].push_back(pTask);
            kgp::tasks::TaskFacts task;
            task.visible = pTask->m_bVisible != FALSE;
            task.hasCommand = pTask->m_uiCommandID != 0;
            task.windowHeight = pTask->m_hwndTask != nullptr ? pTask->m_nWindowHeight : -1;
            task.tall = pTask->m_bTallRow != FALSE;
            group.tasks.push_back(task);
        }
        groupFacts.push_back(group);
    }
    if (facts.animatedGroup >= 0)
        facts.animatedHeight = m_animation.ShownHeight();

    const auto measure = [&](size_t g, size_t t, int width, bool wrap) {
        CSelectionScope font(dc.m_hDC, m_fontUnderline.Get());
        CRect text(0, 0, std::max(1, width), 0);
        ::DrawTextW(dc.m_hDC, tasks[g][t]->m_strName, -1, text,
                    DT_CALCRECT | (wrap ? DT_WORDBREAK : DT_SINGLELINE) | DT_NOPREFIX);
        return static_cast<int>(text.Height());
    };

    // The content height does not depend on the position: lay out, clamp the
    // position, and lay out again when it moved.
    facts.scrollPosition = m_scroll.position;
    kgp::tasks::Layout layout = kgp::tasks::LayOutGroups(facts, groupFacts, measure);
    kgp::tasks::ScrollFacts scroll;
    scroll.areaHeight = m_rectTasks.Height();
    scroll.contentHeight = layout.contentHeight;
    scroll.rowHeight = m_nRowHeight;
    scroll.position = m_scroll.position;
    scroll.scrollAreaHeight = m_bUseScrollButtons ? m_iScrollBtnHeight : 0;
    m_scroll = kgp::tasks::ComputeScroll(scroll);
    m_nContentHeight = layout.contentHeight;
    if (m_scroll.position != facts.scrollPosition) {
        facts.scrollPosition = m_scroll.position;
        layout = kgp::tasks::LayOutGroups(facts, groupFacts, measure);
    }

    for (size_t g = 0; g < groups.size(); ++g) {
        CKGPTasksPaneTaskGroup* pGroup = groups[g];
        const kgp::tasks::GroupPlace& place = layout.groups[g];
        pGroup->m_rect = ToRect(place.caption);
        pGroup->m_rectGroup = ToRect(place.tasks);
        pGroup->m_nExpandedHeight = place.fullTasksHeight;
        for (size_t t = 0; t < tasks[g].size(); ++t) {
            CKGPTasksPaneTask* pTask = tasks[g][t];
            pTask->m_rect = ToRect(place.tasksPlaces[t].rect);
            if (pTask->m_hwndTask == nullptr || !::IsWindow(pTask->m_hwndTask))
                continue;
            // A hosted window shows while its row is inside the tasks area.
            const BOOL bShow = pTask->m_bVisible && place.tasksPlaces[t].windowShown &&
                               pTask->m_rect.top >= m_rectTasks.top && pTask->m_rect.bottom <= m_rectTasks.bottom;
            ::SetWindowPos(pTask->m_hwndTask, nullptr, pTask->m_rect.left, pTask->m_rect.top, pTask->m_rect.Width(),
                           pTask->m_rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        }
    }
    // The hosted windows of the other pages stay hidden.
    for (POSITION pos = m_lstTaskGroups.GetHeadPosition(); pos != nullptr;) {
        CKGPTasksPaneTaskGroup* pGroup = m_lstTaskGroups.GetNext(pos);
        if (std::find(groups.begin(), groups.end(), pGroup) != groups.end())
            continue;
        for (POSITION task = pGroup->m_lstTasks.GetHeadPosition(); task != nullptr;) {
            CKGPTasksPaneTask* pTask = pGroup->m_lstTasks.GetNext(task);
            if (pTask->m_hwndTask != nullptr && ::IsWindow(pTask->m_hwndTask))
                ::ShowWindow(pTask->m_hwndTask, SW_HIDE);
        }
    }
}

void CKGPTasksPane::ShowScrollAreas()
{
    const CRect oldUp = m_rectScrollUp;
    const CRect oldDown = m_rectScrollDn;
    m_rectScrollUp.SetRectEmpty();
    m_rectScrollDn.SetRectEmpty();
    if (m_bUseScrollButtons && m_scroll.maximum > 0) {
        if (m_scroll.position > 0)
            m_rectScrollUp = CRect(m_rectTasks.left, m_rectTasks.top, m_rectTasks.right,
                                   m_rectTasks.top + m_iScrollBtnHeight + 1);
        if (m_scroll.position < kgp::tasks::ClampPosition(m_scroll, m_scroll.maximum))
            m_rectScrollDn = CRect(m_rectTasks.left, m_rectTasks.bottom - m_iScrollBtnHeight, m_rectTasks.right,
                                   m_rectTasks.bottom);
    }
    if (oldUp != m_rectScrollUp) {
        InvalidateRect(oldUp);
        InvalidateRect(m_rectScrollUp);
    }
    if (oldDown != m_rectScrollDn) {
        InvalidateRect(oldDown);
        InvalidateRect(m_rectScrollDn);
    }
}

void CKGPTasksPane::OnSize(UINT nType, int cx, int cy)
{
    CKGPDockingControlBar::OnSize(nType, cx, cy);
    RecalcTasksLayout(TRUE);
}

void CKGPTasksPane::ScrollTo(int nPosition)
{
    const int position = kgp::tasks::ClampPosition(m_scroll, nPosition);
    if (position == m_scroll.position)
        return;
    m_scroll.position = position;
    RecalcTasksLayout(TRUE);
}

BOOL CKGPTasksPane::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (KGPMenuLinks::GetActivePopupMenu() != nullptr)
        return TRUE;
    if (m_scroll.maximum <= 0)
        return CKGPDockingControlBar::OnMouseWheel(nFlags, zDelta, pt);
    ScrollTo(kgp::tasks::WheelPosition(m_scroll, zDelta));
    return TRUE;
}

void CKGPTasksPane::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    const int position = kgp::tasks::ScrollBarPosition(m_scroll, static_cast<int>(nSBCode), static_cast<int>(nPos));
    if (position != m_scroll.position) {
        m_scroll.position = position;
        m_wndScrollVert.SetScrollPos(position);
        RecalcTasksLayout(TRUE);
    }
}

// ---- Painting.

void CKGPTasksPane::OnPaint()
{
    CPaintDC paint(this);
    CKGPMemDC memDC(paint, this);
    DrawContent(memDC.GetDC());
}

void CKGPTasksPane::DrawContent(CDC& dc)
{
    CKGPVisualManager* pLook = CKGPVisualManager::GetInstance();
    CRect client;
    GetClientRect(client);
    if (IsToolBox()) {
        pLook->FillTasksPaneBackground(&dc, client);
        pLook->DrawTasksPaneFrame(&dc, client);
        client.DeflateRect(1, 1);
    } else {
        pLook->FillTasksPaneBackground(&dc, client);
    }
    dc.SetBkMode(TRANSPARENT);

    std::vector<CKGPTasksPaneTaskGroup*> groups;
    CurrentGroups(groups);
    for (CKGPTasksPaneTaskGroup* pGroup : groups) {
        const BOOL bCaption = !pGroup->m_strName.IsEmpty();
        const BOOL bCollapsed = pGroup->m_bIsCollapsed && m_bCanCollapse && bCaption && pGroup != m_pAnimatedGroup;
        if (!bCollapsed) {
            pLook->FillTasksGroupInterior(&dc, pGroup->m_rectGroup, pGroup->m_bIsSpecial);
            pLook->DrawTasksGroupAreaBorder(&dc, pGroup->m_rectGroup, pGroup->m_bIsSpecial, !bCaption);
        }
        if (bCaption) {
            pLook->DrawTasksGroupCaption(&dc, pGroup, pGroup == m_pHotGroupCaption, FALSE, m_bCanCollapse);
            if (pGroup->m_hIcon != nullptr)
                ::DrawIconEx(dc.m_hDC, pGroup->m_rect.left, pGroup->m_rect.bottom - pGroup->m_sizeIcon.cy,
                             pGroup->m_hIcon, pGroup->m_sizeIcon.cx, pGroup->m_sizeIcon.cy, 0, nullptr, DI_NORMAL);
        }
        if (bCollapsed)
            continue;
        for (POSITION pos = pGroup->m_lstTasks.GetHeadPosition(); pos != nullptr;) {
            CKGPTasksPaneTask* pTask = pGroup->m_lstTasks.GetNext(pos);
            if (!pTask->m_bVisible || pTask->m_hwndTask != nullptr || pTask->m_rect.IsRectEmpty())
                continue;
            CRect clip = pTask->m_rect;
            clip.IntersectRect(clip, pGroup->m_rectGroup);
            if (clip.IsRectEmpty())
                continue;
            const int saved = ::SaveDC(dc.m_hDC);
            ::IntersectClipRect(dc.m_hDC, clip.left, clip.top, clip.right, clip.bottom);
            pLook->DrawTask(&dc, pTask, &m_lstIcons, pTask == m_pHotTask, FALSE);
            ::RestoreDC(dc.m_hDC, saved);
        }
    }
    if (!m_rectScrollUp.IsRectEmpty())
        pLook->DrawScrollButtons(&dc, m_rectScrollUp, TRUE, kGlyphScrollUp, m_iScrollMode < 0);
    if (!m_rectScrollDn.IsRectEmpty())
        pLook->DrawScrollButtons(&dc, m_rectScrollDn, FALSE, kGlyphScrollDown, m_iScrollMode > 0);
}
