// The pictures of the running program: the transfer pages' pictures, arrow
// buttons and toolbar images, the page tree's bitmaps at an English start-up,
// the tooltip strings of the pages' picture and arrow controls, and a page
// painted ahead while hidden against one that was not.
#include <afxwin.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <boost/shared_ptr.hpp>

#include <set>
#include <vector>

#include "pages/BaseDlg.h"
#include "app/shell/LanguageResources.h"
#include "app/shell/MainFrame.h"
#include "app/transfer/TransferPages.h"
#include "app/view/WorkspaceBar.h"
#include "core/profile/DeviceNames.h"
#include "widgets/GdiplusSession.h"
#include "widgets/UiResources.h"
#include "res/resource.h"
#include "tests/app_frame/ShellTestSupport.h"
#include "tests/app_frame/TestApp.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"
#include "widgets/ImageStatic.h"
#include "widgets/PaintAhead.h"
#include "widgets/PngButton.h"

namespace {

constexpr UINT kPageToolBarId = 59392;

template <class Control>
Control* ControlOf(CWnd& page, UINT id)
{
    CWnd* item = page.GetDlgItem(id);
    return item == nullptr ? nullptr : dynamic_cast<Control*>(CWnd::FromHandlePermanent(item->GetSafeHwnd()));
}

std::vector<HWND> PageToolBars(CWnd& page)
{
    std::vector<HWND> bars;
    for (HWND child = ::GetWindow(page.GetSafeHwnd(), GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        if (::GetDlgCtrlID(child) == static_cast<int>(kPageToolBarId))
            bars.push_back(child);
    return bars;
}

void CollectTreeItems(CTreeCtrl& tree, HTREEITEM first, std::vector<HTREEITEM>& items)
{
    for (HTREEITEM item = first; item != nullptr; item = tree.GetNextItem(item, TVGN_NEXT)) {
        items.push_back(item);
        CollectTreeItems(tree, tree.GetNextItem(item, TVGN_CHILD), items);
    }
}

class PageImagesTest : public ShellFolderTest {
protected:
    void SetUp() override
    {
        ShellFolderTest::SetUp();
        TestApp();
        ASSERT_TRUE(m_gdiplus.IsStarted());
        ASSERT_GT(GetUiResources().LoadImages(KEYLOFT_PICTURES_FOLDER), 0);
        GetDeviceNames().m_deviceName.Empty();
        ASSERT_TRUE(m_host.CreateEx(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 900, 700), nullptr, 0));
    }
    void TearDown() override
    {
        m_page.reset();
        if (m_host.GetSafeHwnd() != nullptr)
            m_host.DestroyWindow();
        GetDeviceNames().m_deviceName.Empty();
        GetUiResources().ReleaseImages();
        ShellFolderTest::TearDown();
    }
    CWnd& OpenPage(int kind)
    {
        m_page = CreateTransferPage(kind, &m_host);
        EXPECT_TRUE(m_page);
        m_page->ShowWindow(SW_SHOW);
        PumpPending();
        return *m_page;
    }

    // The song page made hidden, painted ahead or not, then shown; what the
    // screen shows of it after its first paint, and its background buffer builds
    // before and after that paint.
    struct Shown {
        std::vector<DWORD> pixels;
        int asked = 0;
        int buildsBeforeShowing = 0;
        int buildsAfterFirstPaint = 0;
        bool visibleAfterPaintingAhead = true;
    };
    Shown ShowSongPage(bool paintAhead)
    {
        Shown shown;
        boost::shared_ptr<CBaseDlg> page = CreateTransferPage(TransferKind::Song, &m_host);
        EXPECT_TRUE(page);
        if (!page)
            return shown;
        page->ShowWindow(SW_HIDE);
        // Not the template's size: the page lays out its controls anew.
        const CRect place(0, 0, 860, 660);
        if (paintAhead)
            shown.asked = widgets::PaintAhead(page->GetSafeHwnd(), place);
        else
            page->MoveWindow(place);
        shown.visibleAfterPaintingAhead = page->IsWindowVisible() != FALSE;
        shown.buildsBeforeShowing = page->GetBackBufferBuilds();
        page->ShowWindow(SW_SHOW);
        page->UpdateWindow();
        PumpPending();
        shown.buildsAfterFirstPaint = page->GetBackBufferBuilds();
        CRect area;
        page->GetWindowRect(area);
        shown.pixels = keyloft_test::CaptureSettledScreenArea(area);
        return shown;
    }

    CGdiplusSession m_gdiplus;
    CWnd m_host;
    boost::shared_ptr<CBaseDlg> m_page;
};

TEST_F(PageImagesTest, TransferPagePicturesAndArrowsShowTheirSkinImages)
{
    CWnd& page = OpenPage(TransferKind::Song);
    ASSERT_TRUE(m_page);
    auto* pcPicture = ControlOf<CImageStatic>(page, IDC_TRANSFER_PC_PICTURE);
    auto* devPicture = ControlOf<CImageStatic>(page, IDC_TRANSFER_DEV_PICTURE);
    auto* upload = ControlOf<CPngButton>(page, IDC_TRANSFER_UPLOAD);
    auto* download = ControlOf<CPngButton>(page, IDC_TRANSFER_DOWNLOAD);
    ASSERT_NE(nullptr, pcPicture) << "the PC picture is a plain frame";
    ASSERT_NE(nullptr, devPicture) << "the device picture is a plain frame";
    ASSERT_NE(nullptr, upload);
    ASSERT_NE(nullptr, download);

    EXPECT_EQ(GetUiResources().GetImage(L"pcFile.png"), pcPicture->GetImage());
    EXPECT_EQ(GetUiResources().GetImage(L"disconnect.png"), devPicture->GetImage());
    EXPECT_EQ(GetUiResources().GetImage(L"left.png"), upload->GetImage());
    EXPECT_EQ(GetUiResources().GetImage(L"right.png"), download->GetImage());
    CString text;
    download->GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty()) << "the arrow shows its image, not its text";
    // That they draw without black is SkinPictureTest's (widgets).

    // Once an instrument is connected, the next device-list refresh shows it.
    GetDeviceNames().m_deviceName = L"DEVICE 1";
    m_page->RefreshDeviceList();
    EXPECT_EQ(GetUiResources().GetImage(L"connected.png"), devPicture->GetImage());
    m_page->SendMessage(WM_PAGE_DEVICE_LOST);
    GetDeviceNames().m_deviceName.Empty();
    m_page->RefreshDeviceList();
    EXPECT_EQ(GetUiResources().GetImage(L"disconnect.png"), devPicture->GetImage());
}

TEST_F(PageImagesTest, EveryToolBarOfEveryTransferPageHasAnImagePerButton)
{
    for (int kind = 0; kind < TransferKind::Count; ++kind) {
        CWnd& page = OpenPage(kind);
        ASSERT_TRUE(m_page);
        const std::vector<HWND> bars = PageToolBars(page);
        ASSERT_EQ(2u, bars.size()) << "page " << kind;
        for (HWND bar : bars) {
            const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(bar, TB_GETIMAGELIST, 0, 0));
            ASSERT_NE(nullptr, images) << "page " << kind << " has a toolbar without images";
            const auto buttons = static_cast<int>(::SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
            EXPECT_GT(buttons, 0);
            EXPECT_EQ(buttons, ::ImageList_GetImageCount(images)) << "page " << kind;
        }
        m_page.reset();
    }
}

TEST_F(PageImagesTest, APagePaintedAheadShowsTheSamePixelsAndItsFirstPaintUsesWhatWasMadeAhead)
{
    const Shown plain = ShowSongPage(false);
    const Shown ahead = ShowSongPage(true);

    // The page and every control on it were asked; none was shown by it.
    EXPECT_GT(ahead.asked, 10);
    EXPECT_FALSE(ahead.visibleAfterPaintingAhead);
    // The background was made ahead, once, at the size shown, and the first
    // paint drew with it.
    EXPECT_EQ(plain.buildsBeforeShowing, 0);
    EXPECT_EQ(plain.buildsAfterFirstPaint, 1);
    EXPECT_EQ(ahead.buildsBeforeShowing, 1);
    EXPECT_EQ(ahead.buildsAfterFirstPaint, 1);

    // The page drew something worth comparing: its pictures, lists and bars.
    ASSERT_GT(std::set<DWORD>(plain.pixels.begin(), plain.pixels.end()).size(), 20u);
    ASSERT_EQ(plain.pixels.size(), ahead.pixels.size());
    size_t differing = 0;
    for (size_t i = 0; i < plain.pixels.size(); ++i)
        differing += plain.pixels[i] != ahead.pixels[i] ? 1 : 0;
    EXPECT_EQ(differing, 0u) << "of " << plain.pixels.size() << " pixels";
}

TEST_F(PageImagesTest, AWindowWithoutAClientAreaIsNotAsked)
{
    EXPECT_EQ(widgets::PaintAhead(nullptr), 0);
    CWnd empty;
    ASSERT_TRUE(empty.CreateEx(0, L"STATIC", L"", WS_CHILD, CRect(0, 0, 0, 0), &m_host, 1));
    EXPECT_EQ(widgets::PaintAhead(empty.GetSafeHwnd()), 0);
    empty.DestroyWindow();
}

class EnglishPageImagesTest : public PageImagesTest {
protected:
    void SetUp() override
    {
        PageImagesTest::SetUp();
        m_builtIn = AfxGetResourceHandle();
        TestApp().GetLanguages().Load(KEYLOFT_PROGRAM_FOLDER);
        ASSERT_TRUE(TestApp().GetLanguages().Switch(Language::English));
    }
    void TearDown() override
    {
        TestApp().GetLanguages().Free();
        AfxSetResourceHandle(m_builtIn);
        PageImagesTest::TearDown();
    }

    HINSTANCE m_builtIn = nullptr;
};

TEST_F(EnglishPageImagesTest, PageTreeBuiltInEnglishHasEveryBitmap)
{
    auto* frame = new CMainFrame;
    // A frame whose creation fails has deleted itself.
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
    ASSERT_TRUE(frame->CompleteFrame());
    CWorkspaceBar* bar = frame->GetWorkspaceBar();
    ASSERT_NE(nullptr, bar);
    CTreeCtrlBT& tree = bar->GetTree();
    std::vector<HTREEITEM> items;
    CollectTreeItems(tree, tree.GetRootItem(), items);
    EXPECT_GE(items.size(), 2u);
    for (HTREEITEM item : items)
        EXPECT_TRUE(tree.HasItemBitmap(item)) << CStringA(tree.GetItemText(item)).GetString() << " has no icon";
    frame->DestroyWindow();
}

} // namespace
