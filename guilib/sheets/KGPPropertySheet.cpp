// The library's property sheet: the navigation made beside (or instead of)
// the standard tabs when the window is made, kept in step with the active page.
#include "guilib/sheets/KGPPropertySheet.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/panes/KGPOutlookWnd.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CKGPPropertySheet, CPropertySheet)

namespace {

CRect ToRect(const kgp::Box& box)
{
    return CRect(box.left, box.top, box.right, box.bottom);
}

kgp::Box ToBox(const CRect& rect)
{
    return kgp::Box{rect.left, rect.top, rect.right, rect.bottom};
}

constexpr UINT kButtonIds[kgp::sheets::kButtonCount] = {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP};

} // namespace

CKGPPropertySheet::CKGPPropertySheet() : m_Impl(*this) {}

CKGPPropertySheet::CKGPPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage), m_Impl(*this)
{
}

CKGPPropertySheet::CKGPPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage), m_Impl(*this)
{
}

CKGPPropertySheet::~CKGPPropertySheet()
{
    // The navigation goes with the window, before the members it points to.
    if (m_hWnd != nullptr)
        DestroyWindow();
    for (int i = 0; i < GetPageCount(); ++i) {
        if (auto* page = DYNAMIC_DOWNCAST(CKGPPropertyPage, GetPage(i)))
            page->m_pCategory = nullptr;
    }
}

BOOL CKGPPropertySheet::SetLook(PropSheetLook look, int nNavControlWidth)
{
    if (m_hWnd != nullptr || look < PropSheetLook_Tabs || look > PropSheetLook_List)
        return FALSE;
    m_look = look;
    m_nBarWidth = std::max(0, nNavControlWidth);
    return TRUE;
}

BOOL CKGPPropertySheet::SetIconsList(UINT uiImageListResID, int cx, COLORREF clrTransparent)
{
    m_Icons.DeleteImageList();
    if (!m_Icons.Create(uiImageListResID, cx, 0, clrTransparent))
        return FALSE;
    m_nIconsCx = cx;
    return TRUE;
}

void CKGPPropertySheet::SetIconsList(HIMAGELIST hIcons)
{
    m_Icons.DeleteImageList();
    if (hIcons == nullptr)
        return;
    m_Icons.Create(CImageList::FromHandle(hIcons));
    IMAGEINFO info{};
    if (m_Icons.GetImageInfo(0, &info))
        m_nIconsCx = info.rcImage.right - info.rcImage.left;
}

void CKGPPropertySheet::EnablePageHeader(int nHeaderHeight)
{
    m_nHeaderHeight = std::max(0, nHeaderHeight);
}

CKGPPropSheetCategory* CKGPPropertySheet::AddTreeCategory(LPCTSTR lpszLabel, int nIconNum, int nSelectedIconNum,
                                                          const CKGPPropSheetCategory* pParentCategory)
{
    auto* parent = const_cast<CKGPPropSheetCategory*>(pParentCategory);
    auto* category = new CKGPPropSheetCategory(lpszLabel, nIconNum, nSelectedIconNum, parent);
    if (parent != nullptr)
        parent->m_lstSubCategories.AddTail(category);
    else
        m_lstTreeCategories.AddTail(category);
    if (m_bNavigationMade && m_look == PropSheetLook_Tree)
        InsertCategoryTree(category);
    return category;
}

void CKGPPropertySheet::AddPageToTree(CKGPPropSheetCategory* pCategory, CKGPPropertyPage* pPage, int nIconNum,
                                      int nSelIconNum)
{
    if (pPage == nullptr || GetPageIndex(pPage) >= 0)
        return;
    pPage->m_pCategory = pCategory;
    pPage->m_nIcon = nIconNum;
    pPage->m_nSelIcon = nSelIconNum;
    if (pCategory != nullptr)
        pCategory->m_lstPages.AddTail(pPage);
    AddPage(pPage);
}

void CKGPPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == nullptr || GetPageIndex(pPage) >= 0)
        return;
    CPropertySheet::AddPage(pPage);
    if (m_bNavigationMade)
        AddPageToNavigation(GetPageCount() - 1);
}

void CKGPPropertySheet::OnRemovePage(CPropertyPage* pPage)
{
    const int index = GetPageIndex(pPage);
    auto* page = DYNAMIC_DOWNCAST(CKGPPropertyPage, pPage);
    if (page != nullptr && page->m_pCategory != nullptr) {
        CList<CKGPPropertyPage*, CKGPPropertyPage*>& pages = page->m_pCategory->m_lstPages;
        if (POSITION pos = pages.Find(page))
            pages.RemoveAt(pos);
        page->m_pCategory = nullptr;
    }
    // The navigation entry goes too, so that nothing points to the page.
    if (!m_bNavigationMade)
        return;
    switch (m_look) {
    case PropSheetLook_Tree:
        if (page != nullptr && page->m_hTreeNode != nullptr) {
            m_bIsInSelectTree = TRUE;
            m_wndTree.DeleteItem(page->m_hTreeNode);
            m_bIsInSelectTree = FALSE;
            page->m_hTreeNode = nullptr;
        }
        break;
    case PropSheetLook_List: {
        const int item = FindPageIndexInList(pPage);
        if (item >= 0)
            m_wndList.DeleteString(static_cast<UINT>(item));
        break;
    }
    case PropSheetLook_OneNoteTabs:
        if (index >= 0)
            m_wndTab.RemovePageTab(index);
        break;
    case PropSheetLook_OutlookBar:
        // The buttons after the page stand for the pages one place earlier.
        if (m_pWndPane1 != nullptr && index >= 0 && index < m_pWndPane1->GetCount()) {
            m_pWndPane1->RemoveButton(index);
            for (int i = index; i < m_pWndPane1->GetCount(); ++i)
                m_pWndPane1->GetButton(i)->m_nCommand = static_cast<UINT>(i);
            m_pWndPane1->AdjustLayout();
            m_pWndPane1->Invalidate();
        }
        m_nActivePage = -1;
        break;
    default:
        break;
    }
}

int CKGPPropertySheet::FindPageIndexInList(const CPropertyPage* pPage) const
{
    if (m_wndList.GetSafeHwnd() == nullptr)
        return -1;
    for (int i = 0; i < m_wndList.GetCount(); ++i) {
        if (reinterpret_cast<const CPropertyPage*>(m_wndList.GetItemData(i)) == pPage)
            return i;
    }
    return -1;
}

CString CKGPPropertySheet::PageTitle(int nPage) const
{
    CWnd* tab = GetTabControl();
    if (tab == nullptr)
        return CString();
    WCHAR text[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 255;
    tab->SendMessage(TCM_GETITEMW, static_cast<WPARAM>(nPage), reinterpret_cast<LPARAM>(&item));
    return CString(text);
}

void CKGPPropertySheet::AddPageToNavigation(int nPage)
{
    CPropertyPage* pPage = GetPage(nPage);
    if (pPage == nullptr)
        return;
    const CString title = PageTitle(nPage);
    switch (m_look) {
    case PropSheetLook_OutlookBar: {
        if (m_pWndPane1 == nullptr)
            break;
        // The page's icon, taken from the image list, becomes an image of
        // the pages' shared strip; the button's command is the page's index.
        CIconHandle icon(m_Icons.GetSafeHandle() != nullptr && nPage < m_Icons.GetImageCount()
                             ? ::ImageList_GetIcon(m_Icons.GetSafeHandle(), nPage, ILD_NORMAL)
                             : nullptr);
        const UINT command = static_cast<UINT>(nPage);
        if (icon.Get() == nullptr || !m_pWndPane1->AddIconButton(icon.Get(), title, command, -1, TRUE))
            m_pWndPane1->AddButton(-1, title, command);
        break;
    }
    case PropSheetLook_Tree: {
        auto* page = DYNAMIC_DOWNCAST(CKGPPropertyPage, pPage);
        HTREEITEM parent = TVI_ROOT;
        if (page != nullptr && page->m_pCategory != nullptr && page->m_pCategory->m_hTreeItem != nullptr)
            parent = page->m_pCategory->m_hTreeItem;
        const int image = m_Icons.GetSafeHandle() != nullptr ? I_IMAGECALLBACK : 0;
        const UINT mask = TVIF_TEXT | TVIF_PARAM | (image == I_IMAGECALLBACK ? TVIF_IMAGE | TVIF_SELECTEDIMAGE : 0);
        HTREEITEM item = m_wndTree.InsertItem(mask, title, image, image, 0, 0,
                                              reinterpret_cast<LPARAM>(static_cast<CObject*>(pPage)), parent, TVI_LAST);
        if (page != nullptr)
            page->m_hTreeNode = item;
        break;
    }
    case PropSheetLook_List: {
        const int item = m_wndList.AddString(title);
        if (item >= 0)
            m_wndList.SetItemData(item, reinterpret_cast<DWORD_PTR>(pPage));
        break;
    }
    case PropSheetLook_OneNoteTabs: {
        const int icon = m_Icons.GetSafeHandle() != nullptr && nPage < m_Icons.GetImageCount() ? nPage : -1;
        m_wndTab.AddPageTab(title, icon);
        break;
    }
    default:
        break;
    }
}

void CKGPPropertySheet::InsertCategoryTree(CKGPPropSheetCategory* pCategory)
{
    HTREEITEM parent = pCategory->m_pParentCategory != nullptr ? pCategory->m_pParentCategory->m_hTreeItem : TVI_ROOT;
    if (parent == nullptr)
        parent = TVI_ROOT;
    const int image = m_Icons.GetSafeHandle() != nullptr ? I_IMAGECALLBACK : 0;
    const UINT mask = TVIF_TEXT | TVIF_PARAM | (image == I_IMAGECALLBACK ? TVIF_IMAGE | TVIF_SELECTEDIMAGE : 0);
    pCategory->m_hTreeItem = m_wndTree.InsertItem(mask, pCategory->m_strName, image, image, 0, 0,
                                                  reinterpret_cast<LPARAM>(static_cast<CObject*>(pCategory)), parent,
                                                  TVI_LAST);
    for (POSITION pos = pCategory->m_lstSubCategories.GetHeadPosition(); pos != nullptr;)
        InsertCategoryTree(pCategory->m_lstSubCategories.GetNext(pos));
}

void CKGPPropertySheet::CreateNavigation()
{
    const CRect none(0, 0, 0, 0);
    switch (m_look) {
    case PropSheetLook_OutlookBar:
        // A tabbed bar's window is made once per object: each sheet window
        // gets a bar and a page of its own.
        m_pWndPane1.reset();
        m_pWndOutlook = std::make_unique<CKGPOutlookBar>();
        m_pWndPane1 = std::make_unique<CKGPPropSheetPane>();
        if (!m_pWndOutlook->Create(_T(""), this, CRect(0, 0, m_nBarWidth, 100), KGP_IDC_PROPSHEET_OUTLOOK,
                                   WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, 0))
            return;
        m_pWndPane1->m_pParent = this;
        // No gripper or border bits: the first button starts at the top.
        if (!m_pWndPane1->CreatePane(m_pWndOutlook.get(), WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT,
                                     KGP_IDC_PROPSHEET_OUTLOOK_PANE))
            return;
        m_pWndPane1->EnableTextLabels(TRUE);
        if (CKGPOutlookWnd* pages = m_pWndOutlook->GetOutlookWnd()) {
            pages->SetHideSingleTab(TRUE);
            pages->AddTab(m_pWndPane1.get(), _T(""), static_cast<UINT>(-1), FALSE);
        }
        break;
    case PropSheetLook_Tree:
        if (!m_wndTree.CreateEx(WS_EX_CLIENTEDGE,
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                    TVS_SHOWSELALWAYS,
                                none, this, KGP_IDC_PROPSHEET_TREE))
            return;
        if (m_Icons.GetSafeHandle() != nullptr) {
            m_wndTree.SetImageList(&m_Icons, TVSIL_NORMAL);
            m_wndTree.SetImageList(&m_Icons, TVSIL_STATE);
        }
        for (POSITION pos = m_lstTreeCategories.GetHeadPosition(); pos != nullptr;)
            InsertCategoryTree(m_lstTreeCategories.GetNext(pos));
        break;
    case PropSheetLook_List:
        m_wndList.m_pParent = this;
        if (!m_wndList.CreateEx(WS_EX_CLIENTEDGE, _T("LISTBOX"), nullptr,
                                WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                    LBS_NOINTEGRALHEIGHT,
                                none, this, KGP_IDC_PROPSHEET_LIST))
            return;
        m_wndList.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetKGPGlobalData().GetRegularFont()));
        m_wndList.SetItemHeight(0, static_cast<UINT>(OnMeasureListItemHeight()));
        break;
    case PropSheetLook_OneNoteTabs: {
        CWnd* tab = GetTabControl();
        CRect rect;
        tab->GetWindowRect(rect);
        ScreenToClient(rect);
        rect.InflateRect(2, 0);
        m_wndTab.m_pParent = this;
        if (!m_wndTab.Create(CKGPTabWnd::STYLE_3D_ONENOTE, rect, this, KGP_IDC_PROPSHEET_LIBRARY_TABS,
                             CKGPTabWnd::LOCATION_TOP))
            return;
        m_wndTab.ModifyStyle(0, WS_CLIPSIBLINGS);
        if (m_Icons.GetSafeHandle() != nullptr)
            m_wndTab.SetImageList(m_Icons.GetSafeHandle());
        break;
    }
    default:
        return;
    }
    m_bNavigationMade = TRUE;
    for (int i = 0; i < GetPageCount(); ++i)
        AddPageToNavigation(i);
}

CWnd* CKGPPropertySheet::NavigationWnd()
{
    switch (m_look) {
    case PropSheetLook_OutlookBar:
        return m_pWndOutlook.get();
    case PropSheetLook_Tree:
        return &m_wndTree;
    case PropSheetLook_List:
        return &m_wndList;
    case PropSheetLook_OneNoteTabs:
        return &m_wndTab;
    default:
        return nullptr;
    }
}

BOOL CKGPPropertySheet::OnInitDialog()
{
    const BOOL result = CPropertySheet::OnInitDialog();
    if (m_look == PropSheetLook_Tabs) {
        // The standard tabs stay; the buttons take their row as in every look.
        MoveButtons();
        return result;
    }
    CreateNavigation();
    CWnd* tab = GetTabControl();
    if (tab == nullptr || !m_bNavigationMade)
        return result;
    tab->ModifyStyle(WS_TABSTOP, 0);
    if (m_look == PropSheetLook_OneNoteTabs)
        tab->ShowWindow(SW_HIDE);
    else
        LayOutNavigation();
    MoveButtons();
    // The active page again, in its new place, with the navigation on it.
    if (CPropertyPage* active = GetActivePage()) {
        active->MoveWindow(GetPageRect());
        OnActivatePage(active);
    }
    return result;
}

void CKGPPropertySheet::LayOutNavigation()
{
    CWnd* tab = GetTabControl();
    CWnd* navigation = NavigationWnd();
    if (tab == nullptr || navigation == nullptr || navigation->GetSafeHwnd() == nullptr)
        return;
    CRect item;
    tab->SendMessage(TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    CRect client;
    GetClientRect(client);
    kgp::sheets::NavigationInput in;
    in.look = m_look;
    in.clientCx = client.Width();
    in.clientCy = client.Height();
    in.tabItemCy = item.Height();
    in.navigationWidth = m_nBarWidth;
    in.headerHeight = m_nHeaderHeight;
    const kgp::sheets::NavigationLayout out = kgp::sheets::LayOutNavigation(in);

    CRect window(0, 0, out.clientCx, out.clientCy);
    ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(HWND{}, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    tab->MoveWindow(ToRect(out.tab));
    const CRect nav = ToRect(out.navigation);
    navigation->SetWindowPos(&CWnd::wndTop, nav.left, nav.top, nav.Width(), nav.Height(), SWP_NOACTIVATE);
}

void CKGPPropertySheet::MoveButtons()
{
    kgp::sheets::ButtonsInput in;
    CRect client;
    GetClientRect(client);
    in.client = ToBox(client);
    in.hasHelp = (m_psh.dwFlags & PSH_HASHELP) != 0;
    in.noApplyNow = (m_psh.dwFlags & PSH_NOAPPLYNOW) != 0;
    CWnd* buttons[kgp::sheets::kButtonCount] = {};
    for (int i = 0; i < kgp::sheets::kButtonCount; ++i) {
        buttons[i] = GetDlgItem(static_cast<int>(kButtonIds[i]));
        in.present[i] = buttons[i] != nullptr;
        if (buttons[i] == nullptr)
            continue;
        CRect rect;
        buttons[i]->GetWindowRect(rect);
        ScreenToClient(rect);
        in.buttons[i] = ToBox(rect);
    }
    const kgp::sheets::ButtonsLayout out = kgp::sheets::LayOutButtons(in);
    for (int i = 0; i < kgp::sheets::kButtonCount; ++i) {
        if (out.moved[i])
            buttons[i]->SetWindowPos(HWND{}, out.buttons[i].left, out.buttons[i].top, 0, 0,
                                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

CRect CKGPPropertySheet::GetPageRect() const
{
    if (m_look != PropSheetLook_OneNoteTabs || m_wndTab.GetSafeHwnd() == nullptr)
        return CPropertySheet::GetPageRect();
    CRect area = m_wndTab.GetWndArea();
    m_wndTab.MapWindowPoints(const_cast<CKGPPropertySheet*>(this), area);
    return area;
}

void CKGPPropertySheet::OnActivatePage(CPropertyPage* pPage)
{
    if (!m_bNavigationMade || pPage == nullptr)
        return;
    const int index = GetPageIndex(pPage);
    switch (m_look) {
    case PropSheetLook_OutlookBar:
        // The button recorded before loses its check first.
        if (m_pWndPane1 != nullptr && m_nActivePage >= 0 && m_nActivePage < m_pWndPane1->GetCount())
            m_pWndPane1->SetButtonStyle(m_nActivePage, 0);
        m_nActivePage = index;
        PostMessage(KGP_UM_AFTERACTIVATEPAGE);
        break;
    case PropSheetLook_Tree: {
        auto* page = DYNAMIC_DOWNCAST(CKGPPropertyPage, pPage);
        if (page == nullptr || page->m_hTreeNode == nullptr)
            break;
        if (!m_bIsInSelectTree) {
            m_bIsInSelectTree = TRUE;
            m_wndTree.SelectItem(page->m_hTreeNode);
            m_bIsInSelectTree = FALSE;
        }
        m_wndTree.EnsureVisible(page->m_hTreeNode);
        m_wndTree.Invalidate();
        break;
    }
    case PropSheetLook_List:
        m_wndList.SetCurSel(FindPageIndexInList(pPage));
        m_wndList.Invalidate();
        break;
    case PropSheetLook_OneNoteTabs:
        if (index >= 0)
            m_wndTab.SelectTab(index);
        break;
    default:
        break;
    }
}

BOOL CKGPPropertySheet::ActivatePageFromNavigation(int nPage)
{
    if (GetPage(nPage) == nullptr)
        return FALSE;
    CWaitCursor wait;
    return SetActivePage(nPage);
}

void CKGPPropertySheet::OnTreeSelChanged(const NMTREEVIEWW& notify)
{
    HTREEITEM item = notify.itemNew.hItem;
    if (m_bIsInSelectTree || item == nullptr)
        return;
    auto* object = reinterpret_cast<CObject*>(m_wndTree.GetItemData(item));
    if (object == nullptr)
        return;
    m_bIsInSelectTree = TRUE;
    if (object->IsKindOf(RUNTIME_CLASS(CPropertyPage))) {
        // A refused switch leaves the active page's item selected.
        if (!ActivatePageFromNavigation(GetPageIndex(static_cast<CPropertyPage*>(object)))) {
            auto* active = DYNAMIC_DOWNCAST(CKGPPropertyPage, GetActivePage());
            if (active != nullptr && active->m_hTreeNode != nullptr)
                m_wndTree.SelectItem(active->m_hTreeNode);
        }
    } else if (object->IsKindOf(RUNTIME_CLASS(CKGPPropSheetCategory))) {
        auto* category = static_cast<CKGPPropSheetCategory*>(object);
        if (CKGPPropertyPage* first = category->FindFirstPage())
            ActivatePageFromNavigation(GetPageIndex(first));
        if (m_pExpandedCategory != nullptr && m_pExpandedCategory != category &&
            m_pExpandedCategory->m_hTreeItem != nullptr)
            m_wndTree.Expand(m_pExpandedCategory->m_hTreeItem, TVE_COLLAPSE);
        m_wndTree.Expand(category->m_hTreeItem, TVE_EXPAND);
        m_pExpandedCategory = category;
    }
    m_bIsInSelectTree = FALSE;
}

void CKGPPropertySheet::OnTreeGetDispInfo(NMTVDISPINFOW& info)
{
    if ((info.item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) == 0)
        return;
    auto* object = reinterpret_cast<CObject*>(info.item.lParam);
    int image = 0;
    if (object != nullptr && object->IsKindOf(RUNTIME_CLASS(CKGPPropertyPage))) {
        auto* page = static_cast<CKGPPropertyPage*>(object);
        image = page == GetActivePage() && page->m_nSelIcon >= 0 ? page->m_nSelIcon : page->m_nIcon;
    } else if (object != nullptr && object->IsKindOf(RUNTIME_CLASS(CKGPPropSheetCategory))) {
        auto* category = static_cast<CKGPPropSheetCategory*>(object);
        const BOOL expanded = (m_wndTree.GetItemState(info.item.hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
        image = expanded && category->m_nSelectedIcon >= 0 ? category->m_nSelectedIcon : category->m_nIcon;
    }
    info.item.iImage = image;
    info.item.iSelectedImage = image;
}

BOOL CKGPPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header != nullptr && m_look == PropSheetLook_Tree && header->idFrom == KGP_IDC_PROPSHEET_TREE &&
        header->hwndFrom == m_wndTree.GetSafeHwnd()) {
        if (header->code == TVN_SELCHANGEDW) {
            OnTreeSelChanged(*reinterpret_cast<NMTREEVIEWW*>(lParam));
            *pResult = 0;
            return TRUE;
        }
        if (header->code == TVN_GETDISPINFOW) {
            OnTreeGetDispInfo(*reinterpret_cast<NMTVDISPINFOW*>(lParam));
            *pResult = 0;
            return TRUE;
        }
    }
    return CPropertySheet::OnNotify(wParam, lParam, pResult);
}

BOOL CKGPPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_look == PropSheetLook_List && LOWORD(wParam) == KGP_IDC_PROPSHEET_LIST && HIWORD(wParam) == LBN_SELCHANGE) {
        const int item = m_wndList.GetCurSel();
        auto* page = item >= 0 ? reinterpret_cast<CPropertyPage*>(m_wndList.GetItemData(item)) : nullptr;
        if (!ActivatePageFromNavigation(GetPageIndex(page)))
            m_wndList.SetCurSel(FindPageIndexInList(GetActivePage()));
        m_wndList.Invalidate();
        m_wndList.UpdateWindow();
        return TRUE;
    }
    return CPropertySheet::OnCommand(wParam, lParam);
}

BOOL CKGPPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    return m_Impl.PreTranslateMessage(pMsg) || CPropertySheet::PreTranslateMessage(pMsg);
}

void CKGPPropertySheet::OnAfterActivatePage()
{
    CKGPPropSheetPane* pane = m_pWndPane1.get();
    if (m_nActivePage < 0 || pane == nullptr || pane->GetSafeHwnd() == nullptr || m_nActivePage >= pane->GetCount())
        return;
    pane->SetButtonStyle(m_nActivePage, TBBS_CHECKED);
    pane->EnsureVisible(m_nActivePage);
    pane->Invalidate();
}

void CKGPPropertySheet::ForgetNavigation()
{
    // The entries go with the windows: a sheet made again makes them anew.
    m_bNavigationMade = FALSE;
    m_nActivePage = -1;
    m_pExpandedCategory = nullptr;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (auto* page = DYNAMIC_DOWNCAST(CKGPPropertyPage, GetPage(i)))
            page->m_hTreeNode = nullptr;
    }
    std::vector<CKGPPropSheetCategory*> categories;
    for (POSITION pos = m_lstTreeCategories.GetHeadPosition(); pos != nullptr;)
        categories.push_back(m_lstTreeCategories.GetNext(pos));
    while (!categories.empty()) {
        CKGPPropSheetCategory* category = categories.back();
        categories.pop_back();
        category->m_hTreeItem = nullptr;
        for (POSITION pos = category->m_lstSubCategories.GetHeadPosition(); pos != nullptr;)
            categories.push_back(category->m_lstSubCategories.GetNext(pos));
    }
}

LRESULT CKGPPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == KGP_UM_AFTERACTIVATEPAGE) {
        OnAfterActivatePage();
        return 0;
    }
    if (message == WM_DESTROY)
        ForgetNavigation();
    return CPropertySheet::WindowProc(message, wParam, lParam);
}

int CKGPPropertySheet::OnMeasureListItemHeight()
{
    const int icon = m_Icons.GetSafeHandle() != nullptr ? m_nIconsCx + 4 : 0;
    return std::max(GetKGPGlobalData().GetTextHeight() + 6, icon);
}

void CKGPPropertySheet::OnDrawListItem(CDC* pDC, int nIndex, CRect rect, BOOL bSelected, BOOL bHot)
{
    const CKGPGlobalData& data = GetKGPGlobalData();
    auto* page = reinterpret_cast<CPropertyPage*>(m_wndList.GetItemData(nIndex));
    const int nPage = GetPageIndex(page);
    pDC->FillSolidRect(rect, bSelected ? data.clrHilite : data.clrWindow);
    if (bHot && !bSelected) {
        CRect frame = rect;
        frame.DeflateRect(1, 1);
        pDC->Draw3dRect(frame, data.clrHilite, data.clrHilite);
    }
    CRect text = rect;
    text.left += 4;
    if (m_Icons.GetSafeHandle() != nullptr && nPage >= 0 && nPage < m_Icons.GetImageCount()) {
        IMAGEINFO info{};
        m_Icons.GetImageInfo(nPage, &info);
        const int cy = info.rcImage.bottom - info.rcImage.top;
        m_Icons.Draw(pDC, nPage, CPoint(text.left, rect.top + (rect.Height() - cy) / 2), ILD_TRANSPARENT);
        text.left += m_nIconsCx + 4;
    }
    CString label;
    m_wndList.GetText(nIndex, label);
    CSelectionScope font(pDC->GetSafeHdc(), data.GetRegularFont());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(bSelected ? data.clrTextHilite : data.clrWindowText);
    pDC->DrawText(label, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CKGPPropertySheet::OnDrawPageHeader(CDC* pDC, int nPage, CRect rect)
{
    const CKGPGlobalData& data = GetKGPGlobalData();
    pDC->FillSolidRect(rect, data.clrWindow);
    CRect line = rect;
    line.top = line.bottom - 1;
    pDC->FillSolidRect(line, data.clrBtnShadow);
    CRect text = rect;
    text.DeflateRect(8, 0);
    CSelectionScope font(pDC->GetSafeHdc(), data.GetBoldFont());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(data.clrWindowText);
    pDC->DrawText(PageTitle(nPage), text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}
