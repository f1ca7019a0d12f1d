// The library's property sheet in each look: pages made and shown, switched
// from the outlook bar, the tree, the list and the library tab window (and
// refused), the
// navigation beside the pages with the tab row pushed out, the buttons moved,
// categories of the tree, the page header moving the controls, pages added
// and removed while open, OK, Cancel and Apply, and screenshots of each look.
#include <gtest/gtest.h>

#include "guilib/sheets/KGPPropertySheet.h"
#include "tests/guilib_propsheet/PropSheetTestsResource.h"
#include "tests/support/LibraryTestHost.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using keyloft_test::PointParam;

class CTestPage : public CKGPPropertyPage {
public:
    explicit CTestPage(UINT nIDTemplate) : CKGPPropertyPage(nIDTemplate) {}
    BOOL OnSetActive() override
    {
        ++activations;
        return CKGPPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override { return mayLeave && CKGPPropertyPage::OnKillActive(); }
    BOOL OnApply() override
    {
        ++applied;
        return CKGPPropertyPage::OnApply();
    }
    void OnReset() override
    {
        ++resets;
        CKGPPropertyPage::OnReset();
    }
    int activations = 0, applied = 0, resets = 0;
    BOOL mayLeave = TRUE;
};

CRect RectIn(const CWnd& wnd, const CWnd& parent)
{
    CRect rect;
    wnd.GetWindowRect(rect);
    parent.ScreenToClient(rect);
    return rect;
}

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.CreateHost(300, 200)); }
    void TearDown() override
    {
        if (sheet != nullptr && sheet->GetSafeHwnd() != nullptr)
            sheet->DestroyWindow();
    }

    // A sheet of the three pages (with an image list of three icons).
    CKGPPropertySheet& Make(CKGPPropertySheet::PropSheetLook look, int header = 0, BOOL icons = TRUE)
    {
        sheet = std::make_unique<CKGPPropertySheet>(_T("Options"), &host);
        EXPECT_TRUE(sheet->SetLook(look, 120));
        if (icons)
            sheet->SetIconsList(Icons());
        sheet->EnablePageHeader(header);
        sheet->AddPage(&general);
        sheet->AddPage(&view);
        sheet->AddPage(&advanced);
        EXPECT_TRUE(sheet->Create(&host));
        keyloft_test::PumpPending();
        return *sheet;
    }

    HIMAGELIST Icons()
    {
        m_icons.DeleteImageList();
        m_icons.Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
        for (LPCWSTR id : iconIds)
            m_icons.Add(::LoadIconW(nullptr, id));
        return m_icons.GetSafeHandle();
    }

    // The shown page fills the page rectangle and is the only one shown.
    void ExpectShown(CPropertyPage& page)
    {
        ASSERT_NE(nullptr, page.GetSafeHwnd());
        EXPECT_EQ(&page, sheet->GetActivePage());
        EXPECT_TRUE(page.IsWindowVisible());
        EXPECT_EQ(sheet->GetPageRect(), RectIn(page, *sheet));
        for (CPropertyPage* other : {static_cast<CPropertyPage*>(&general), static_cast<CPropertyPage*>(&view),
                                     static_cast<CPropertyPage*>(&advanced)}) {
            if (other != &page && other->GetSafeHwnd() != nullptr) {
                EXPECT_FALSE(other->IsWindowVisible());
            }
        }
    }

    // The page icons, in page order.
    std::vector<LPCWSTR> iconIds{IDI_APPLICATION, IDI_INFORMATION, IDI_WARNING};

    void Shot(const wchar_t* name)
    {
        sheet->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        keyloft_test::PumpPending();
        EXPECT_TRUE(keyloft_test::SaveScreenshot(sheet->GetSafeHwnd(), name));
    }

    void SelectListItem(int item)
    {
        CKGPPropSheetList& list = sheet->GetList();
        list.SetCurSel(item);
        sheet->SendMessage(WM_COMMAND, MAKEWPARAM(KGP_IDC_PROPSHEET_LIST, LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(list.GetSafeHwnd()));
    }

    void ClickTab(int iTab)
    {
        CKGPPropSheetTab& tabs = sheet->GetTab();
        CRect rect;
        ASSERT_TRUE(tabs.GetTabRect(iTab, rect));
        const CPoint centre = rect.CenterPoint();
        tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(centre.x, centre.y));
        tabs.SendMessage(WM_LBUTTONUP, 0, PointParam(centre.x, centre.y));
    }

    keyloft_test::CLibraryTestHost host;
    CImageList m_icons;
    CTestPage general{IDD_PS_GENERAL};
    CTestPage view{IDD_PS_VIEW};
    CTestPage advanced{IDD_PS_ADVANCED};
    std::unique_ptr<CKGPPropertySheet> sheet;
};

TEST_F(PropertySheetTest, TheTabLookIsTheStandardSheetAndEveryPageIsMade)
{
    // The page record is the system structure's own size, so pages are made.
    EXPECT_EQ(sizeof(PROPSHEETPAGEW), general.m_psp.dwSize);
    CKGPPropertySheet& s = Make(CKGPPropertySheet::PropSheetLook_Tabs);
    EXPECT_FALSE(s.SetLook(CKGPPropertySheet::PropSheetLook_Tree)) << "the look is set before the window";
    EXPECT_EQ(nullptr, s.GetTree().GetSafeHwnd());
    EXPECT_EQ(nullptr, s.GetList().GetSafeHwnd());
    ASSERT_NE(nullptr, s.GetTabControl());
    EXPECT_TRUE(s.GetTabControl()->IsWindowVisible());
    EXPECT_GE(RectIn(*s.GetTabControl(), s).top, 0) << "the tabs stay in the sheet";
    ExpectShown(general);
    for (int i : {1, 2, 0}) {
        ASSERT_TRUE(s.SetActivePage(i));
        ExpectShown(*s.GetPage(i));
    }
    Shot(L"guilib_propsheet_tabs.bmp");
}

TEST_F(PropertySheetTest, TheTreeLookSwitchesPagesFromItsItemsAndFollowsTheActivePage)
{
    CKGPPropertySheet& s = Make(CKGPPropertySheet::PropSheetLook_Tree, 0);
    CTreeCtrl& tree = s.GetTree();
    ASSERT_NE(nullptr, tree.GetSafeHwnd());
    EXPECT_EQ(KGP_IDC_PROPSHEET_TREE, static_cast<UINT>(tree.GetDlgCtrlID()));
    EXPECT_EQ(3u, tree.GetCount());
    EXPECT_EQ(CString(_T("View")), tree.GetItemText(view.GetTreeItem()));
    EXPECT_EQ(general.GetTreeItem(), tree.GetSelectedItem());

    // The navigation stands left of the pages, the tab row above the client.
    const CRect nav = RectIn(tree, s);
    EXPECT_EQ(1, nav.left);
    EXPECT_EQ(119, nav.right);
    EXPECT_LT(RectIn(*s.GetTabControl(), s).top, 0);
    EXPECT_GE(s.GetPageRect().left, 120);
    CRect client;
    s.GetClientRect(client);
    const CRect ok = RectIn(*s.GetDlgItem(IDOK), s);
    const CRect cancel = RectIn(*s.GetDlgItem(IDCANCEL), s);
    EXPECT_EQ(client.bottom - 5, ok.bottom);
    EXPECT_EQ(client.bottom - 5, cancel.bottom);
    EXPECT_LT(ok.right, cancel.left);
    EXPECT_FALSE(s.GetDlgItem(IDHELP)->IsWindowVisible());

    ASSERT_TRUE(tree.SelectItem(advanced.GetTreeItem()));
    keyloft_test::PumpPending();
    ExpectShown(advanced);
    ASSERT_TRUE(s.SetActivePage(1));
    EXPECT_EQ(view.GetTreeItem(), tree.GetSelectedItem()) << "the tree follows the active page";

    // A page that refuses to be left keeps the tree on it.
    view.mayLeave = FALSE;
    tree.SelectItem(general.GetTreeItem());
    keyloft_test::PumpPending();
    ExpectShown(view);
    EXPECT_EQ(view.GetTreeItem(), tree.GetSelectedItem());
    view.mayLeave = TRUE;
    Shot(L"guilib_propsheet_tree.bmp");
}

TEST_F(PropertySheetTest, ACategoryOpensItsFirstPageExpandsAndCollapsesTheOneBefore)
{
    sheet = std::make_unique<CKGPPropertySheet>(_T("Options"), &host);
    sheet->SetLook(CKGPPropertySheet::PropSheetLook_Tree, 140);
    sheet->SetIconsList(Icons());
    CKGPPropSheetCategory* environment = sheet->AddTreeCategory(_T("Environment"), 0, 1);
    CKGPPropSheetCategory* empty = sheet->AddTreeCategory(_T("Editor"));
    CKGPPropSheetCategory* nested = sheet->AddTreeCategory(_T("Colours"), -1, -1, empty);
    CKGPPropSheetCategory* deeper = sheet->AddTreeCategory(_T("Fonts"), -1, -1, empty);
    sheet->AddPageToTree(environment, &general, 2, 1);
    sheet->AddPageToTree(deeper, &view, 2, 1);
    sheet->AddPageToTree(deeper, &advanced);
    EXPECT_EQ(nullptr, nested->FindFirstPage());
    EXPECT_EQ(&view, empty->FindFirstPage()) << "a category without pages gives its first child's that has one";
    ASSERT_TRUE(sheet->Create(&host));
    CTreeCtrl& tree = sheet->GetTree();
    EXPECT_EQ(7u, tree.GetCount());
    EXPECT_EQ(deeper->m_hTreeItem, tree.GetParentItem(view.GetTreeItem()));

    tree.SelectItem(environment->m_hTreeItem);
    keyloft_test::PumpPending();
    EXPECT_EQ(&general, sheet->GetActivePage());
    EXPECT_NE(0u, tree.GetItemState(environment->m_hTreeItem, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(environment->m_hTreeItem, tree.GetSelectedItem()) << "the category stays selected";

    tree.SelectItem(empty->m_hTreeItem);
    keyloft_test::PumpPending();
    ExpectShown(view);
    EXPECT_NE(0u, tree.GetItemState(empty->m_hTreeItem, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(0u, tree.GetItemState(environment->m_hTreeItem, TVIS_EXPANDED) & TVIS_EXPANDED);

    // The tree asks for its images: a page's own icon, its selected icon while
    // it is the active page, a category's by whether it is expanded.
    auto image = [&](HTREEITEM item) {
        NMTVDISPINFOW info{};
        info.hdr.hwndFrom = tree.GetSafeHwnd();
        info.hdr.idFrom = KGP_IDC_PROPSHEET_TREE;
        info.hdr.code = TVN_GETDISPINFOW;
        info.item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        info.item.hItem = item;
        info.item.lParam = static_cast<LPARAM>(tree.GetItemData(item));
        sheet->SendMessage(WM_NOTIFY, KGP_IDC_PROPSHEET_TREE, reinterpret_cast<LPARAM>(&info));
        return info.item.iImage;
    };
    EXPECT_EQ(1, image(view.GetTreeItem()));
    EXPECT_EQ(2, image(general.GetTreeItem()));
    EXPECT_EQ(0, image(environment->m_hTreeItem));
    EXPECT_EQ(-1, image(empty->m_hTreeItem)) << "expanded, but it has no icons";

    // A removed page leaves its category and the tree.
    sheet->RemovePage(&advanced);
    EXPECT_EQ(1, deeper->m_lstPages.GetCount());
    EXPECT_EQ(nullptr, advanced.GetCategory());
    EXPECT_EQ(6u, tree.GetCount());
}

TEST_F(PropertySheetTest, TheListLookSwitchesPagesAndTracksItsHotItem)
{
    CKGPPropertySheet& s = Make(CKGPPropertySheet::PropSheetLook_List);
    CKGPPropSheetList& list = s.GetList();
    ASSERT_NE(nullptr, list.GetSafeHwnd());
    EXPECT_EQ(KGP_IDC_PROPSHEET_LIST, static_cast<UINT>(list.GetDlgCtrlID()));
    const DWORD style = WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    EXPECT_EQ(style, list.GetStyle() & style);
    EXPECT_NE(0u, list.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ(2, s.FindPageIndexInList(&advanced));
    EXPECT_EQ(0, list.GetCurSel());

    SelectListItem(2);
    ExpectShown(advanced);
    advanced.mayLeave = FALSE;
    SelectListItem(1);
    ExpectShown(advanced);
    EXPECT_EQ(2, list.GetCurSel()) << "a refused switch puts the selection back";
    advanced.mayLeave = TRUE;

    CRect item;
    list.GetItemRect(1, item);
    list.SendMessage(WM_MOUSEMOVE, 0, PointParam(item.CenterPoint().x, item.CenterPoint().y));
    EXPECT_EQ(1, list.GetHotItem());
    list.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(-1, list.GetHotItem());

    // A page added to the open sheet gets its item; a removed one loses it.
    CTestPage extra(IDD_PS_VIEW);
    s.AddPage(&extra);
    EXPECT_EQ(4, list.GetCount());
    EXPECT_EQ(3, s.FindPageIndexInList(&extra));
    s.RemovePage(&extra);
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ(-1, s.FindPageIndexInList(&extra));
    list.SendMessage(WM_MOUSEMOVE, 0, PointParam(item.CenterPoint().x, item.CenterPoint().y));
    Shot(L"guilib_propsheet_list.bmp");
}

TEST_F(PropertySheetTest, TheLibraryTabLookActivatesATabOnlyWhenThePageChanges)
{
    CKGPPropertySheet& s = Make(CKGPPropertySheet::PropSheetLook_OneNoteTabs);
    CKGPPropSheetTab& tabs = s.GetTab();
    ASSERT_NE(nullptr, tabs.GetSafeHwnd());
    EXPECT_FALSE(s.GetTabControl()->IsWindowVisible()) << "the standard tabs make way";
    EXPECT_EQ(3, tabs.GetTabsNum());
    EXPECT_TRUE(tabs.IsOneNoteStyle());
    CString label;
    tabs.GetTabLabel(2, label);
    EXPECT_EQ(CString(_T("Advanced")), label);
    EXPECT_EQ(0, tabs.GetActiveTab());

    ClickTab(1);
    ExpectShown(view);
    EXPECT_EQ(1, tabs.GetActiveTab());
    // The page lies over the tab window's own area.
    CRect area = tabs.GetWndArea();
    tabs.MapWindowPoints(&s, area);
    EXPECT_EQ(area, RectIn(view, s));

    view.mayLeave = FALSE;
    ClickTab(2);
    EXPECT_EQ(1, tabs.GetActiveTab()) << "the sheet refused: the tab stays";
    ExpectShown(view);
    view.mayLeave = TRUE;
    ASSERT_TRUE(s.SetActivePage(2));
    EXPECT_EQ(2, tabs.GetActiveTab()) << "the tabs follow the active page";
    Shot(L"guilib_propsheet_librarytabs.bmp");
}

TEST_F(PropertySheetTest, TheOutlookLookShowsThePageOfAPressedButtonAndChecksIt)
{
    CKGPPropertySheet& s = Make(CKGPPropertySheet::PropSheetLook_OutlookBar);
    ASSERT_NE(nullptr, s.GetOutlookPane());
    CKGPPropSheetPane& pane = *s.GetOutlookPane();
    ASSERT_NE(nullptr, pane.GetSafeHwnd());
    EXPECT_EQ(KGP_IDC_PROPSHEET_OUTLOOK_PANE, static_cast<UINT>(pane.GetDlgCtrlID()));
    ASSERT_EQ(3, pane.GetCount());
    EXPECT_EQ(CString(_T("View")), pane.GetButton(1)->m_strCaption);
    EXPECT_EQ(2u, pane.GetButton(2)->m_nCommand) << "a button's command is its page's index";
    EXPECT_GE(pane.GetButton(0)->GetImage(), 0) << "the page's icon";
    const CRect nav = RectIn(*s.GetOutlookBar(), s);
    EXPECT_EQ(1, nav.left);
    EXPECT_EQ(119, nav.right);
    keyloft_test::PumpPending();
    EXPECT_NE(0u, pane.GetButtonStyle(0) & TBBS_CHECKED);

    auto press = [&](int iButton) {
        const CPoint centre = pane.GetButton(iButton)->m_rcButton.CenterPoint();
        pane.SendMessage(WM_MOUSEMOVE, 0, PointParam(centre.x, centre.y));
        pane.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(centre.x, centre.y));
        pane.SendMessage(WM_LBUTTONUP, 0, PointParam(centre.x, centre.y));
        keyloft_test::PumpPending();
    };
    press(2);
    ExpectShown(advanced);
    EXPECT_NE(0u, pane.GetButtonStyle(2) & TBBS_CHECKED);
    EXPECT_EQ(0u, pane.GetButtonStyle(0) & TBBS_CHECKED) << "the button before lost its check";

    advanced.mayLeave = FALSE;
    press(1);
    ExpectShown(advanced);
    EXPECT_NE(0u, pane.GetButtonStyle(2) & TBBS_CHECKED);
    advanced.mayLeave = TRUE;
    ASSERT_TRUE(s.SetActivePage(1));
    keyloft_test::PumpPending();
    EXPECT_NE(0u, pane.GetButtonStyle(1) & TBBS_CHECKED) << "the buttons follow the active page";
    EXPECT_EQ(0u, pane.GetButtonStyle(2) & TBBS_CHECKED);
    Shot(L"guilib_propsheet_outlook.bmp");

    s.RemovePage(&general);
    ASSERT_EQ(2, pane.GetCount());
    EXPECT_EQ(CString(_T("View")), pane.GetButton(0)->m_strCaption);
    EXPECT_EQ(0u, pane.GetButton(0)->m_nCommand) << "the buttons after it stand for their pages again";
}

TEST_F(PropertySheetTest, ASheetMadeAgainAfterItClosedHasEachEntryOnce)
{
    for (const auto look : {CKGPPropertySheet::PropSheetLook_OutlookBar, CKGPPropertySheet::PropSheetLook_Tree,
                            CKGPPropertySheet::PropSheetLook_List, CKGPPropertySheet::PropSheetLook_OneNoteTabs}) {
        CKGPPropertySheet& s = Make(look);
        s.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        ASSERT_EQ(nullptr, s.GetSafeHwnd());
        ASSERT_TRUE(s.Create(&host)) << look;
        keyloft_test::PumpPending();
        switch (look) {
        case CKGPPropertySheet::PropSheetLook_OutlookBar:
            ASSERT_NE(nullptr, s.GetOutlookPane());
            EXPECT_EQ(3, s.GetOutlookPane()->GetCount());
            break;
        case CKGPPropertySheet::PropSheetLook_Tree:
            EXPECT_EQ(3u, s.GetTree().GetCount());
            EXPECT_EQ(view.GetTreeItem(), s.GetTree().GetNextSiblingItem(general.GetTreeItem()));
            break;
        case CKGPPropertySheet::PropSheetLook_List:
            EXPECT_EQ(3, s.GetList().GetCount());
            break;
        default:
            EXPECT_EQ(3, s.GetTab().GetTabsNum());
            break;
        }
        ASSERT_TRUE(s.SetActivePage(2)) << look;
        ExpectShown(advanced);
        s.DestroyWindow();
    }
}

TEST_F(PropertySheetTest, TheOutlookLookOpenedAgainAddsNoCopiesOfItsIconsToTheSharedImages)
{
    const CKGPToolBarImages& shared = CKGPOutlookBarPane::GetSharedImages();
    auto images = [](const CKGPPropertySheet& s) {
        std::vector<int> indexes;
        for (int i = 0; i < s.GetOutlookPane()->GetCount(); ++i)
            indexes.push_back(s.GetOutlookPane()->GetButton(i)->GetImage());
        return indexes;
    };
    CKGPPropertySheet& first = Make(CKGPPropertySheet::PropSheetLook_OutlookBar);
    const int count = shared.GetCount();
    const std::vector<int> firstImages = images(first);
    ASSERT_EQ(3u, firstImages.size());
    EXPECT_NE(firstImages[0], firstImages[1]);
    EXPECT_NE(firstImages[1], firstImages[2]);

    // The same sheet closed and opened again, then sheets made anew.
    for (int round = 0; round < 3; ++round) {
        first.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        ASSERT_TRUE(first.Create(&host));
        keyloft_test::PumpPending();
        EXPECT_EQ(count, shared.GetCount()) << "round " << round;
        EXPECT_EQ(firstImages, images(first));
    }
    first.DestroyWindow();
    for (int round = 0; round < 2; ++round) {
        CKGPPropertySheet& again = Make(CKGPPropertySheet::PropSheetLook_OutlookBar);
        EXPECT_EQ(count, shared.GetCount());
        EXPECT_EQ(firstImages, images(again));
        again.DestroyWindow();
    }

    // The same icons in another order find their own pictures; a new icon
    // is added once.
    iconIds = {IDI_WARNING, IDI_APPLICATION, IDI_QUESTION};
    CKGPPropertySheet& other = Make(CKGPPropertySheet::PropSheetLook_OutlookBar);
    const std::vector<int> otherImages = images(other);
    EXPECT_EQ(count + 1, shared.GetCount());
    EXPECT_EQ(firstImages[2], otherImages[0]);
    EXPECT_EQ(firstImages[0], otherImages[1]);
    EXPECT_EQ(count, otherImages[2]);
    other.DestroyWindow();
    Make(CKGPPropertySheet::PropSheetLook_OutlookBar);
    EXPECT_EQ(count + 1, shared.GetCount());
    EXPECT_EQ(otherImages, images(*sheet));
}

TEST_F(PropertySheetTest, AHeaderMovesThePagesControlsDownAndIsDrawnAbove)
{
    CKGPPropertySheet& s = Make(CKGPPropertySheet::PropSheetLook_List, 40);
    ASSERT_TRUE(s.SetActivePage(2));
    CTestPage plain(IDD_PS_ADVANCED);
    CPropertySheet reference(_T("Plain"), &host);
    reference.AddPage(&plain);
    ASSERT_TRUE(reference.Create(&host, WS_POPUP | WS_CAPTION));
    const CRect withHeader = RectIn(*advanced.GetDlgItem(IDC_PS_EDIT), advanced);
    const CRect without = RectIn(*plain.GetDlgItem(IDC_PS_EDIT), plain);
    EXPECT_EQ(without.top + 40, withHeader.top);
    EXPECT_EQ(without.left, withHeader.left);
    reference.DestroyWindow();

    // The band above the page differs from the page's face below it.
    Shot(L"guilib_propsheet_header.bmp");
    int width = 0, height = 0;
    const std::vector<DWORD> pixels = keyloft_test::CaptureWindow(advanced.GetSafeHwnd(), width, height);
    ASSERT_GT(height, 45);
    EXPECT_NE(pixels[static_cast<size_t>(5 * width + 2)], pixels[static_cast<size_t>((height - 3) * width + 2)]);
}

TEST_F(PropertySheetTest, ApplyOkAndCancelReachThePagesInEveryLook)
{
    for (const auto look : {CKGPPropertySheet::PropSheetLook_OutlookBar, CKGPPropertySheet::PropSheetLook_Tree,
                            CKGPPropertySheet::PropSheetLook_List, CKGPPropertySheet::PropSheetLook_OneNoteTabs}) {
        general.applied = view.applied = general.resets = 0;
        CKGPPropertySheet& s = Make(look);
        ASSERT_TRUE(s.SetActivePage(1));
        view.SetModified(TRUE);
        EXPECT_TRUE(s.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled()) << look;
        s.SendMessage(WM_COMMAND, MAKEWPARAM(ID_APPLY_NOW, BN_CLICKED));
        EXPECT_EQ(1, view.applied) << look;
        EXPECT_EQ(1, general.applied) << look;
        EXPECT_NE(nullptr, s.GetSafeHwnd()) << "Apply leaves the sheet open";
        s.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        EXPECT_EQ(2, view.applied) << look;
        EXPECT_EQ(nullptr, s.GetSafeHwnd()) << "OK ends it";

        CKGPPropertySheet& again = Make(look);
        again.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        EXPECT_EQ(1, general.resets) << look;
        EXPECT_EQ(nullptr, again.GetSafeHwnd()) << "Cancel ends it";
    }
}

} // namespace
