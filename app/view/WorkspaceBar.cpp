#include "app/view/WorkspaceBar.h"

#include "widgets/ListDrag.h"
#include "pages/AppMessages.h"
#include "core/files/TextHelpers.h"
#include "core/profile/DevProfile.h"
#include "res/ids_view.h"

#include <algorithm>

namespace {

struct TreeEntry {
    UINT textId;
    int slot;
};

constexpr UINT kIdsTransferGroup = 102;
constexpr UINT kIdsEditGroup = 107;
constexpr TreeEntry kTransferItems[] = {{103, 0}, {104, 1}, {105, 2}, {106, 3}};
constexpr TreeEntry kEditItems[] = {{108, 4}, {109, 5}};

template <size_t count>
void AppendVisibleSlots(const TreeEntry (&entries)[count], const std::array<bool, 6>& visible,
                        std::vector<int>& slots)
{
    for (const TreeEntry& entry : entries) {
        if (visible[static_cast<size_t>(entry.slot)])
            slots.push_back(entry.slot);
    }
}

} // namespace

IMPLEMENT_DYNAMIC(CWorkspaceBar, CSizingControlBar)

BEGIN_MESSAGE_MAP(CWorkspaceBar, CSizingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_MESSAGE(CTreeCtrlBT::kMsgItemSelected, &CWorkspaceBar::OnItemSelected)
    ON_MESSAGE(AppMsg::DevProfileLoaded, &CWorkspaceBar::OnDevProfileLoaded)
    ON_MESSAGE(AppMsg::LanguageChanged, &CWorkspaceBar::OnRebuildTree)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CWorkspaceBar::CWorkspaceBar() = default;

CWorkspaceBar::~CWorkspaceBar() = default;

int CWorkspaceBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CSizingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    BOOL full = TRUE;
    ::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
    m_dragFullWindows = full;
    SetDragFullWindows(full);
    BuildTree();
    return 0;
}

void CWorkspaceBar::BuildTree()
{
    CRect client;
    GetClientRect(&client);
    m_tree.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | TVS_FULLROWSELECT | TVS_SHOWSELALWAYS | TVS_LINESATROOT,
                  client, this, kTreeId);
    m_tree.SetItemHeight(kItemHeight);
    m_tree.SetItemCursor(AfxGetApp() != nullptr ? AfxGetApp()->LoadCursor(IDC_TREE_ITEM_CURSOR) : nullptr);
    InsertItems();
}

void CWorkspaceBar::InsertItems()
{
    m_itemMap.clear();
    const std::array<bool, 6> visible = GetPageVisibility();
    const HTREEITEM transferGroup = m_tree.InsertItemWithBitmap(LoadResString(kIdsTransferGroup), TVI_ROOT, IDB_TREE_GROUP);
    for (const TreeEntry& entry : kTransferItems) {
        if (visible[static_cast<size_t>(entry.slot)])
            m_itemMap[m_tree.InsertItemWithBitmap(LoadResString(entry.textId), transferGroup, IDB_TREE_PAGE_ITEM)] = entry.slot;
    }
    m_tree.Expand(transferGroup, TVE_EXPAND);

    const HTREEITEM editGroup = m_tree.InsertItemWithBitmap(LoadResString(kIdsEditGroup), TVI_ROOT, IDB_TREE_GROUP);
    for (const TreeEntry& entry : kEditItems) {
        if (visible[static_cast<size_t>(entry.slot)])
            m_itemMap[m_tree.InsertItemWithBitmap(LoadResString(entry.textId), editGroup, IDB_TREE_EDIT_ITEM)] = entry.slot;
    }
    m_tree.Expand(editGroup, TVE_EXPAND);
    m_tree.EnsureVisible(editGroup);
    m_tree.SelectTreeItem(editGroup);
}

void CWorkspaceBar::RebuildTree()
{
    if (!::IsWindow(m_tree.GetSafeHwnd()))
        return;
    // A group counts as page 0, the page the view shows after a build: the
    // tree then marks the page that is shown, not the group built last.
    const int previousSlot = GetSelectedPage();
    m_selectedItem = nullptr;
    m_itemMap.clear();
    m_tree.DeleteAllItemsWithRecords();
    InsertItems();
    SelectPage(previousSlot);
}

std::vector<int> CWorkspaceBar::SlotsToList()
{
    std::vector<int> slots;
    const std::array<bool, 6> visible = GetPageVisibility();
    AppendVisibleSlots(kTransferItems, visible, slots);
    AppendVisibleSlots(kEditItems, visible, slots);
    return slots;
}

std::vector<int> CWorkspaceBar::ListedSlots() const
{
    std::vector<int> slots;
    for (const auto& entry : m_itemMap)
        slots.push_back(entry.second);
    std::sort(slots.begin(), slots.end());
    return slots;
}

LRESULT CWorkspaceBar::OnRebuildTree(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    RebuildTree();
    return 0;
}

LRESULT CWorkspaceBar::OnDevProfileLoaded(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // The bar is made with the profile the chooser selected, which on every
    // start but the first is the one loaded after the connection: when it
    // switches on the same pages, the items stay and only the selection moves
    // as a rebuild would move it (to the item of the page selected, the first
    // page for a group).
    if (::IsWindow(m_tree.GetSafeHwnd()) && SlotsToList() == ListedSlots()) {
        SelectPage(GetSelectedPage());
        return 0;
    }
    RebuildTree();
    return 0;
}

void CWorkspaceBar::SelectPage(int slot)
{
    for (const auto& [item, itemSlot] : m_itemMap) {
        if (itemSlot == slot) {
            m_tree.SelectTreeItem(item);
            return;
        }
    }
}

int CWorkspaceBar::GetSelectedPage() const
{
    const auto it = m_itemMap.find(m_selectedItem);
    return it != m_itemMap.end() ? it->second : 0;
}

LRESULT CWorkspaceBar::OnItemSelected(WPARAM wParam, LPARAM /*lParam*/)
{
    m_selectedItem = reinterpret_cast<HTREEITEM>(wParam);
    const auto it = m_itemMap.find(m_selectedItem);
    if (it == m_itemMap.end())
        return 0;
    CWnd* target = AfxGetMainWnd();
    if (target == nullptr || !::IsWindow(target->GetSafeHwnd()))
        target = GetParentFrame();
    if (target != nullptr)
        target->PostMessage(AppMsg::SelectPage, static_cast<WPARAM>(it->second), 0);
    return 0;
}

void CWorkspaceBar::OnSize(UINT nType, int cx, int cy)
{
    CSizingControlBar::OnSize(nType, cx, cy);
    if (::IsWindow(m_tree.GetSafeHwnd()))
        m_tree.MoveWindow(0, 0, cx, cy);
}

void CWorkspaceBar::OnMouseMove(UINT nFlags, CPoint point)
{
    FollowListDrag(*this, point);
    if (IsTracking()) {
        CPoint screen = point;
        ClientToScreen(&screen);
        OnTrackUpdatePosition(screen);
    }
    CSizingControlBar::OnMouseMove(nFlags, point);
}

void CWorkspaceBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    EndListDragOnRelease();
    CSizingControlBar::OnLButtonUp(nFlags, point);
}
