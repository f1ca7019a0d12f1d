// The MDI client area's stored arrangement: which documents were open, in
// which group or strip, their order, labels and colours, the active tab and
// the groups' places (or, without tabs, each window's placement). A stored
// arrangement is read whole and checked before any window is closed or made.
#include "guilib/frames/KGPMainClientAreaWnd.h"
#include "guilib/frames/KGPMDIStoredArrangement.h"

#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/frames/KGPMDITabGroupMath.h"

#include <climits>
#include <cstdlib>
#include <string>

namespace {

constexpr int kMaxStoredTabs = 1024;
constexpr int kMaxStoredGroups = 256;
constexpr int kMaxAutoColors = 256;
constexpr int kMaxBorderSize = 64;
constexpr int kDataVersionWithPaneIds = 0x90200;

// Whether tab and child records carry the wrapped pane's id (an application
// state store with data of this version or later).
BOOL StoresPaneIds()
{
    return GetWorkspace() != nullptr && GetWorkspaceDataVersion() >= kDataVersionWithPaneIds;
}

CString StateKey(LPCTSTR lpszProfileName, int nFrameID)
{
    CString key;
    key.Format(_T("%sMDIClientArea-%d"), BuildLibraryRegistryPath(_T("MDIClientArea"), lpszProfileName).GetString(),
               nFrameID);
    return key;
}

void WriteDocument(CArchive& ar, IKGPMDITabChild* pTabChild)
{
    CObject* pObject = nullptr;
    const CString name = pTabChild != nullptr ? pTabChild->GetDocumentName(&pObject) : CString();
    std::unique_ptr<CObject> object(pObject);
    ar << name;
    ar << static_cast<int>(object != nullptr ? 1 : 0);
    if (object != nullptr)
        ar.WriteObject(object.get());
}

CPoint ReadPoint(CKGPStoredReader& reader)
{
    const int x = reader.ReadInt(-kgp_stored::kMaxCoordinate, kgp_stored::kMaxCoordinate);
    const int y = reader.ReadInt(-kgp_stored::kMaxCoordinate, kgp_stored::kMaxCoordinate);
    return CPoint(x, y);
}

} // namespace

// ---- Writing.

void CKGPMainClientAreaWnd::WriteTabWindow(CArchive& ar, CKGPTabWnd& tabWnd)
{
    const BOOL bPaneIds = StoresPaneIds();
    ar << tabWnd.GetTabsNum() << tabWnd.GetActiveTab() << tabWnd.IsActiveInMDITabGroup();
    for (int iTab = 0; iTab < tabWnd.GetTabsNum(); ++iTab) {
        CWnd* pWnd = tabWnd.GetTabWnd(iTab);
        IKGPMDITabChild* pTabChild = TabChildOf(pWnd);
        WriteDocument(ar, pTabChild);
        CString label;
        tabWnd.GetTabLabel(iTab, label);
        ar << label << tabWnd.GetGroupSplitterMode() << static_cast<DWORD>(tabWnd.GetTabBkColor(iTab));
        if (bPaneIds)
            ar << (pTabChild != nullptr ? pTabChild->GetTabbedPaneID() : -1);
    }
    const CArray<COLORREF, COLORREF>& colors = tabWnd.GetAutoColors();
    ar << tabWnd.IsAutoColor() << static_cast<int>(colors.GetSize());
    for (INT_PTR i = 0; i < colors.GetSize(); ++i)
        ar << static_cast<DWORD>(colors[i]);
    ar << tabWnd.HasTabCloseButton() << tabWnd.IsTabSwapEnabled() << tabWnd.GetTabBorderSize();
    CRect rect;
    tabWnd.GetWindowRect(rect);
    const RECT raw = rect;
    ar.Write(&raw, sizeof(raw));
}

void CKGPMainClientAreaWnd::WriteChildren(CArchive& ar)
{
    const BOOL bPaneIds = StoresPaneIds();
    // From the bottom of the Z order up, so that loading restores the order.
    std::vector<CWnd*> children = GetMDIChildren();
    std::vector<CWnd*> stored;
    std::vector<std::unique_ptr<CObject>> unused;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        IKGPMDITabChild* pTabChild = TabChildOf(*it);
        CObject* pObject = nullptr;
        if (pTabChild != nullptr && !pTabChild->GetDocumentName(&pObject).IsEmpty())
            stored.push_back(*it);
        unused.emplace_back(pObject);
    }
    const HWND hActive = reinterpret_cast<HWND>(SendMessage(WM_MDIGETACTIVE));
    ar << static_cast<int>(stored.size());
    for (CWnd* pChild : stored) {
        IKGPMDITabChild* pTabChild = TabChildOf(pChild);
        WriteDocument(ar, pTabChild);
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        pChild->GetWindowPlacement(&placement);
        // The system answers a minimised place it knows without the flag
        // that sets one: stored with it, the place comes back.
        if (placement.ptMinPosition.x != -1 || placement.ptMinPosition.y != -1)
            placement.flags |= WPF_SETMINPOSITION;
        ar << static_cast<DWORD>(placement.flags) << static_cast<DWORD>(placement.length);
        ar.Write(&placement.ptMaxPosition, sizeof(POINT));
        ar.Write(&placement.ptMinPosition, sizeof(POINT));
        ar.Write(&placement.rcNormalPosition, sizeof(RECT));
        ar << static_cast<int>(placement.showCmd) << static_cast<BOOL>(pChild->GetSafeHwnd() == hActive);
        if (bPaneIds)
            ar << pTabChild->GetTabbedPaneID();
    }
}

void CKGPMainClientAreaWnd::Serialize(CArchive& ar)
{
    if (!ar.IsStoring()) {
        CKGPMDIStoredArrangement stored;
        CKGPStoredReader reader(ar);
        ReadArrangement(reader, stored);
        ApplyArrangement(stored);
        return;
    }
    m_mdiTabParams.Serialize(ar);
    ar << m_bTabIsEnabled << m_bIsMDITabbedGroup << m_bTabIsVisible << m_nGroupAlignment << m_nResizeMargin
       << m_nNewGroupMargin;
    if (m_bTabIsEnabled) {
        WriteTabWindow(ar, *m_wndTab);
    } else if (m_bIsMDITabbedGroup) {
        ar << static_cast<int>(m_lstTabbedGroups.GetCount());
        for (CKGPTabWnd* pGroup : Groups())
            WriteTabWindow(ar, *pGroup);
    } else {
        WriteChildren(ar);
    }
}

BOOL CKGPMainClientAreaWnd::SaveState(LPCTSTR lpszProfileName, int nFrameID)
{
    CKGPRegistryHandle reg(FALSE, FALSE);
    return reg->CreateKey(StateKey(lpszProfileName, nFrameID)) &&
           reg->WriteArchive(_T("MDITabsState"), [this](CArchive& ar) { Serialize(ar); });
}

// ---- Reading.

namespace {

void ReadDocument(CKGPStoredReader& reader, CKGPMDIStoredArrangement::Document& document,
                  const CRuntimeClass* pObjectClass)
{
    document.name = reader.ReadString(kgp_stored::kMaxTextLength);
    if (reader.ReadOneOf({0, 1}) != 0)
        document.object.reset(reader.ReadObject(pObjectClass));
}

void ReadTabWindow(CKGPStoredReader& reader, CKGPMDIStoredArrangement::TabWindow& window,
                   const CRuntimeClass* pObjectClass)
{
    const BOOL bPaneIds = StoresPaneIds();
    const int count = reader.ReadInt(0, kMaxStoredTabs);
    // The active index is clamped to the tabs made when the load commits.
    window.activeTab = reader.ReadInt(-1, kMaxStoredTabs);
    window.activeGroup = reader.ReadBool();
    window.tabs.resize(static_cast<size_t>(count));
    for (CKGPMDIStoredArrangement::Tab& tab : window.tabs) {
        ReadDocument(reader, tab.document, pObjectClass);
        tab.label = reader.ReadString(kgp_stored::kMaxTextLength);
        reader.ReadInt(0, 2); // the group's splitter mode, set again by the layout
        tab.back = reader.ReadUInt(0, UINT_MAX);
        if (bPaneIds)
            tab.document.paneId = reader.ReadInt(-1, INT_MAX);
    }
    window.autoColor = reader.ReadBool();
    const int colors = reader.ReadInt(0, kMaxAutoColors);
    for (int i = 0; i < colors; ++i)
        window.autoColors.push_back(reader.ReadUInt(0, UINT_MAX));
    window.closeButton = reader.ReadBool();
    window.tabSwap = reader.ReadBool();
    window.borderSize = reader.ReadInt(-1, kMaxBorderSize);
    RECT raw = {};
    if (reader.Archive().Read(&raw, sizeof(raw)) != sizeof(raw))
        CKGPStoredReader::Refuse(CArchiveException::endOfFile);
    window.rect = raw;
    window.rect.NormalizeRect();
    if (std::abs(window.rect.left) > kgp_stored::kMaxCoordinate || std::abs(window.rect.top) > kgp_stored::kMaxCoordinate ||
        std::abs(window.rect.right) > kgp_stored::kMaxCoordinate ||
        std::abs(window.rect.bottom) > kgp_stored::kMaxCoordinate)
        CKGPStoredReader::Refuse(CArchiveException::badIndex);
}

} // namespace

void CKGPMainClientAreaWnd::ReadArrangement(CKGPStoredReader& reader, CKGPMDIStoredArrangement& stored) const
{
    const CRuntimeClass* pObjectClass = GetDocumentStateClass();
    CKGPMDITabParams& params = stored.params;
    params.m_tabLocation = static_cast<int>(reader.ReadOneOf({CKGPTabWnd::LOCATION_BOTTOM, CKGPTabWnd::LOCATION_TOP}));
    params.m_style = reader.ReadInt(CKGPTabWnd::STYLE_3D, CKGPTabWnd::STYLE_3D_ROUNDED_SCROLL);
    params.m_bTabCloseButton = reader.ReadBool();
    params.m_bTabIcons = reader.ReadBool();
    params.m_bAutoColor = reader.ReadBool();
    params.m_nTabListMode = reader.ReadBool();
    params.m_bEnableTabSwap = reader.ReadBool();
    params.m_nTabBorderSize = reader.ReadInt(-1, kMaxBorderSize);
    params.m_bTabCustomTooltips = m_mdiTabParams.m_bTabCustomTooltips;
    params.m_bFlatFrame = m_mdiTabParams.m_bFlatFrame;

    stored.tabsEnabled = reader.ReadBool();
    stored.groups = reader.ReadBool();
    stored.visible = reader.ReadBool();
    stored.alignment = reader.ReadInt(kgp::mdi::kNoAlignment, kgp::mdi::kHorizontal);
    stored.resizeMargin = reader.ReadInt(0, kgp_stored::kMaxCoordinate);
    stored.newGroupMargin = reader.ReadInt(0, kgp_stored::kMaxCoordinate);
    if (stored.tabsEnabled && stored.groups)
        CKGPStoredReader::Refuse(CArchiveException::badIndex);

    if (stored.tabsEnabled) {
        stored.windows.resize(1);
        ReadTabWindow(reader, stored.windows.front(), pObjectClass);
    } else if (stored.groups) {
        stored.windows.resize(static_cast<size_t>(reader.ReadInt(0, kMaxStoredGroups)));
        for (CKGPMDIStoredArrangement::TabWindow& window : stored.windows)
            ReadTabWindow(reader, window, pObjectClass);
    } else {
        const BOOL bPaneIds = StoresPaneIds();
        stored.children.resize(static_cast<size_t>(reader.ReadInt(0, kMaxStoredTabs)));
        for (CKGPMDIStoredArrangement::Child& child : stored.children) {
            ReadDocument(reader, child.document, pObjectClass);
            WINDOWPLACEMENT& placement = child.placement;
            placement.flags = reader.ReadFlags(WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED | WPF_ASYNCWINDOWPLACEMENT);
            reader.ReadUInt(0, UINT_MAX); // the stored record size: the structure's own is used
            placement.length = sizeof(placement);
            placement.ptMaxPosition = ReadPoint(reader);
            placement.ptMinPosition = ReadPoint(reader);
            // A minimised place to be set lies in the client area: "none"
            // (-1, -1) or any other place before its corner would be moved.
            if ((placement.flags & WPF_SETMINPOSITION) != 0 &&
                (placement.ptMinPosition.x < 0 || placement.ptMinPosition.y < 0))
                CKGPStoredReader::Refuse(CArchiveException::badIndex);
            placement.rcNormalPosition = reader.ReadRect(kgp_stored::kMaxCoordinate);
            // A save stores each window as the system places it: normal,
            // minimised or maximised (a hidden one reads back shown).
            placement.showCmd = reader.ReadOneOf({SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED});
            child.active = reader.ReadBool();
            if (bPaneIds)
                child.document.paneId = reader.ReadInt(-1, INT_MAX);
        }
    }
}

std::vector<CWnd*> CKGPMainClientAreaWnd::OpenStored(CKGPMDIStoredArrangement& stored, const std::vector<int>& plan)
{
    std::vector<CKGPMDIStoredArrangement::Document*> documents;
    for (CKGPMDIStoredArrangement::TabWindow& window : stored.windows) {
        for (CKGPMDIStoredArrangement::Tab& tab : window.tabs)
            documents.push_back(&tab.document);
    }
    for (CKGPMDIStoredArrangement::Child& child : stored.children)
        documents.push_back(&child.document);
    std::vector<CWnd*> opened;
    IKGPMDIClientFrame* pFrame = GetClientFrame();
    for (size_t i = 0; i < documents.size(); ++i) {
        CKGPMDIStoredArrangement::Document& document = *documents[i];
        CWnd* pWnd = nullptr;
        if (pFrame != nullptr) {
            switch (static_cast<kgp::mdi::OpenKind>(plan[i])) {
            case kgp::mdi::OpenKind::Pane:
                pWnd = pFrame->PaneToTabbedDocument(static_cast<UINT>(document.paneId));
                break;
            case kgp::mdi::OpenKind::Document:
                m_lstLoadedDocuments.AddTail(document.name);
                pWnd = pFrame->CreateDocumentWindow(document.name, document.object.get());
                break;
            case kgp::mdi::OpenKind::NewWindow:
                pWnd = pFrame->CreateNewWindow(document.name, document.object.get());
                break;
            case kgp::mdi::OpenKind::Skip:
                break;
            }
        }
        document.object.reset();
        // The hooks may make no window: the entry is then skipped.
        opened.push_back(pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr ? pWnd : nullptr);
    }
    return opened;
}

namespace {

std::vector<int> PlanStored(const CKGPMDIStoredArrangement& stored)
{
    std::vector<std::wstring> names;
    std::vector<int> panes;
    auto add = [&](const CKGPMDIStoredArrangement::Document& document) {
        names.emplace_back(document.name.GetString());
        panes.push_back(document.paneId);
    };
    for (const CKGPMDIStoredArrangement::TabWindow& window : stored.windows) {
        for (const CKGPMDIStoredArrangement::Tab& tab : window.tabs)
            add(tab.document);
    }
    for (const CKGPMDIStoredArrangement::Child& child : stored.children)
        add(child.document);
    std::vector<int> kinds;
    for (kgp::mdi::OpenKind kind : kgp::mdi::PlanOpening(names, panes))
        kinds.push_back(static_cast<int>(kind));
    return kinds;
}

// The opened windows of one stored strip or group become its tabs, in the
// stored order with their labels and colours; the window takes its stored
// options and place, and the active tab is one that exists.
void FillTabWindow(CWnd& client, CKGPTabWnd& tabWnd, const CKGPMDIStoredArrangement::TabWindow& window,
                   const std::vector<CWnd*>& opened, size_t& next, BOOL bGroup, DWORD dwCaptionStyles)
{
    std::vector<bool> created;
    for (const CKGPMDIStoredArrangement::Tab& tab : window.tabs) {
        CWnd* pChild = opened[next++];
        created.push_back(pChild != nullptr && tabWnd.GetTabFromHwnd(pChild->GetSafeHwnd()) < 0);
        if (!created.back())
            continue;
        IKGPMDITabChild* pTabChild = CKGPMainClientAreaWnd::TabChildOf(pChild);
        if (pTabChild != nullptr && pTabChild->GetRelatedTabGroup() != nullptr) {
            CKGPTabWnd* pOld = pTabChild->GetRelatedTabGroup();
            const int iOld = pOld->GetTabFromHwnd(pChild->GetSafeHwnd());
            if (iOld >= 0)
                pOld->RemoveTab(iOld, FALSE);
        }
        pChild->ModifyStyle(dwCaptionStyles | WS_SYSMENU | WS_MAXIMIZE, 0, SWP_NOZORDER);
        tabWnd.AddTab(pChild, tab.label, static_cast<UINT>(-1), TRUE);
        tabWnd.SetTabBkColor(tabWnd.GetTabsNum() - 1, tab.back);
        if (pTabChild != nullptr)
            pTabChild->SetRelatedTabGroup(bGroup ? &tabWnd : nullptr);
    }
    if (!window.autoColors.empty()) {
        CArray<COLORREF, COLORREF> colors;
        for (COLORREF color : window.autoColors)
            colors.Add(color);
        tabWnd.SetAutoColors(colors);
    }
    tabWnd.EnableTabSwap(window.tabSwap);
    tabWnd.SetTabBorderSize(window.borderSize, FALSE);
    if (bGroup) {
        CRect rect = window.rect;
        client.ScreenToClient(rect);
        tabWnd.SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        tabWnd.SetActiveInMDITabGroup(window.activeGroup);
    }
    const int active = kgp::mdi::ResolveActiveTab(window.activeTab, created);
    if (active >= 0)
        tabWnd.SetActiveTab(active);
}

} // namespace

void CKGPMainClientAreaWnd::ApplyArrangement(CKGPMDIStoredArrangement& stored)
{
    CloseAllWindows(nullptr);
    // The stored arrangement replaces every group; no group's message is
    // being handled now, so the groups taken out go at once.
    while (!m_lstTabbedGroups.IsEmpty())
        RemoveTabGroup(m_lstTabbedGroups.GetHead(), FALSE);
    for (POSITION pos = m_lstRemovedTabbedGroups.GetHeadPosition(); pos != nullptr;) {
        CKGPTabWnd* pGroup = m_lstRemovedTabbedGroups.GetNext(pos);
        if (pGroup->GetSafeHwnd() != nullptr)
            pGroup->DestroyWindow();
    }
    m_lstRemovedTabbedGroups.DeleteAll();
    m_lstLoadedDocuments.RemoveAll();
    m_nResizeMargin = stored.resizeMargin;
    m_nNewGroupMargin = stored.newGroupMargin;

    m_bDisableUpdateTabs = TRUE;
    const std::vector<CWnd*> opened = OpenStored(stored, PlanStored(stored));
    m_bDisableUpdateTabs = FALSE;
    size_t next = 0;

    if (stored.tabsEnabled) {
        if (m_bIsMDITabbedGroup)
            EnableMDITabbedGroups(FALSE, stored.params);
        m_mdiTabParams = stored.params;
        if (m_wndTab->GetSafeHwnd() == nullptr)
            CreateTabGroup(m_wndTab.get());
        m_bDisableUpdateTabs = TRUE;
        m_wndTab->RemoveAllTabs();
        FillTabWindow(*this, *m_wndTab, stored.windows.front(), opened, next, FALSE, m_dwCaptionStyleMask);
        EnableMDITabs(TRUE, stored.params);
        m_bDisableUpdateTabs = FALSE;
        UpdateTabs(TRUE);
        m_wndTab->RecalcLayout();
    } else if (stored.groups) {
        if (m_bTabIsEnabled)
            EnableMDITabs(FALSE, stored.params);
        m_mdiTabParams = stored.params;
        m_bIsMDITabbedGroup = TRUE;
        m_bTabIsVisible = TRUE;
        m_bDisableUpdateTabs = TRUE;
        for (CKGPMDIStoredArrangement::TabWindow& window : stored.windows) {
            CKGPTabWnd* pGroup = CreateTabGroup(nullptr);
            if (pGroup == nullptr) {
                next += window.tabs.size();
                continue;
            }
            FillTabWindow(*this, *pGroup, window, opened, next, TRUE, m_dwCaptionStyleMask);
            if (pGroup->GetTabsNum() > 0) {
                m_lstTabbedGroups.AddTail(pGroup);
            } else {
                m_mapTabIcons.erase(pGroup);
                pGroup->DestroyWindow();
                delete pGroup;
            }
        }
        m_nGroupAlignment = m_lstTabbedGroups.GetCount() >= 2 ? stored.alignment : kgp::mdi::kNoAlignment;
        ApplySplitterModes();
        // One group at a time is the active one.
        BOOL bActiveSeen = FALSE;
        for (CKGPTabWnd* pGroup : Groups()) {
            if (pGroup->IsActiveInMDITabGroup() && bActiveSeen)
                pGroup->SetActiveInMDITabGroup(FALSE);
            bActiveSeen = bActiveSeen || pGroup->IsActiveInMDITabGroup();
        }
        if (!bActiveSeen && !m_lstTabbedGroups.IsEmpty())
            m_lstTabbedGroups.GetHead()->SetActiveInMDITabGroup(TRUE);
        EnableMDITabbedGroups(TRUE, stored.params);
        m_bDisableUpdateTabs = FALSE;
        UpdateMDITabbedGroups(TRUE);
        for (CKGPTabWnd* pGroup : Groups())
            pGroup->RecalcLayout();
        if (CKGPTabWnd* pActive = GetActiveGroup()) {
            if (CWnd* pWnd = pActive->GetActiveWnd()) {
                SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()));
                SetActiveTab(pWnd->GetSafeHwnd());
            }
        }
    } else {
        if (m_bTabIsEnabled)
            EnableMDITabs(FALSE, stored.params);
        if (m_bIsMDITabbedGroup)
            EnableMDITabbedGroups(FALSE, stored.params);
        m_mdiTabParams = stored.params;
        std::vector<int> shows;
        for (const CKGPMDIStoredArrangement::Child& child : stored.children)
            shows.push_back(static_cast<int>(child.placement.showCmd));
        kgp::mdi::PropagateMaximized(shows, SW_SHOWMAXIMIZED);
        HWND hActive = nullptr;
        std::vector<HWND> placed; // from the back of the order to its front
        for (size_t i = 0; i < stored.children.size(); ++i) {
            CKGPMDIStoredArrangement::Child& child = stored.children[i];
            CWnd* pChild = opened[next++];
            if (pChild == nullptr)
                continue;
            child.placement.showCmd = static_cast<UINT>(shows[i]);
            pChild->SetWindowPlacement(&child.placement);
            placed.push_back(pChild->GetSafeHwnd());
            if (child.active)
                hActive = pChild->GetSafeHwnd();
        }
        if (hActive != nullptr)
            SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hActive));
        // Placing and activating move windows in the order (a window
        // minimised goes to the back): they take their stored order again,
        // each brought before the ones stored behind it.
        for (const HWND hWnd : placed) {
            if (::IsWindow(hWnd))
                ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    RecalcFrameLayout();
}

BOOL CKGPMainClientAreaWnd::LoadState(LPCTSTR lpszProfileName, int nFrameID)
{
    CKGPRegistryHandle reg(FALSE, TRUE);
    if (!reg->Open(StateKey(lpszProfileName, nFrameID)))
        return FALSE;
    auto stored = std::make_shared<CKGPMDIStoredArrangement>();
    CKGPStoredLoad load;
    if (!load.ReadArchiveValue(*reg, _T("MDITabsState"), [this, stored](CArchive& ar) {
            CKGPStoredReader reader(ar);
            ReadArrangement(reader, *stored);
        }))
        return FALSE;
    BOOL bApplied = FALSE;
    load.OnCommit([this, stored, &bApplied] {
        try {
            ApplyArrangement(*stored);
            bApplied = TRUE;
        } catch (CException* e) {
            e->Delete();
            m_bDisableUpdateTabs = FALSE;
        }
    });
    return load.Commit() && bApplied;
}
