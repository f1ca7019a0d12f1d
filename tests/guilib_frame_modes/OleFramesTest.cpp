// The in-place frames of an OLE server without a real container: the active
// frame named while each is active and given back in reverse order, the
// container's frame window wrapped once for the server's bars, bars marked to
// hide during in-place activation hidden and shown again, the document asked
// to renegotiate its borders, a preview inside an in-place frame, and the
// menus and toolbars taking an in-place frame for their library frame.
#include <gtest/gtest.h>

#include <afxoleframe.h>
#include <afxpreview.h>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLink.h"
#include "guilib/core/KGPWindowHelpers.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockSite.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/frames/KGPOleCntrFrameWnd.h"
#include "guilib/frames/KGPOleIPFrameWnd.h"
#include "guilib/frames/KGPPrintPreviewView.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPPopupFrameLink.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarLinks.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_frame_modes/FrameModesTestFrame.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <memory>

namespace {

using frame_modes_test::CPrintView;

// The server's document: counts the border renegotiations asked of it.
class CCountingServerDoc : public COleServerDoc {
public:
    void OnResizeBorder(LPCRECT lpRect, IOleInPlaceUIWindow* lpUIWindow, BOOL bFrame) override
    {
        ++resizes;
        lastWasFrame = bFrame;
        COleServerDoc::OnResizeBorder(lpRect, lpUIWindow, bFrame);
    }
    int resizes = 0;
    BOOL lastWasFrame = FALSE;
};

template <class TFrame>
class CTestInPlaceFrame : public TFrame {
public:
    BOOL Open(const CRect& rect) { return this->Create(nullptr, _T("In place"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect); }
    // As a container shows it: a child of the container's window (its
    // activation is the test's, not the system's).
    BOOL OpenIn(CWnd* pContainer, const CRect& rect)
    {
        return this->Create(nullptr, _T("In place"), WS_CHILD | WS_VISIBLE | WS_BORDER, rect, pContainer);
    }
    CKGPDockManager& Manager() { return *this->GetDockManager(); }

protected:
    void PostNcDestroy() override {} // lives on the test's stack
};
using CServerFrame = CTestInPlaceFrame<CKGPOleIPFrameWnd>;
using CDocServerFrame = CTestInPlaceFrame<CKGPOleDocIPFrameWnd>;

// A plain top-level window standing for the container's frame.
HWND MakeContainerWindow()
{
    return ::CreateWindowExW(0, L"STATIC", L"Container", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 60, 500, 400,
                             nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

class OleFramesTest : public ::testing::Test {
protected:
    void SetUp() override { previousActive = GetTopLevelFrameOverride(); }
    void TearDown() override
    {
        for (CWnd* pFrame : {static_cast<CWnd*>(&server), static_cast<CWnd*>(&docServer)}) {
            if (pFrame->GetSafeHwnd() != nullptr)
                pFrame->DestroyWindow();
        }
        if (::IsWindow(container))
            ::DestroyWindow(container);
        SetTopLevelFrameOverride(previousActive);
    }

    // The server's frame opened and the container's window wrapped for it
    // (null when either failed).
    CKGPOleCntrFrameWnd* WrapContainer(CCountingServerDoc& doc)
    {
        if (!server.Open(CRect(40, 40, 400, 300)) || (container = MakeContainerWindow()) == nullptr)
            return nullptr;
        doc.m_bAutoDelete = FALSE;
        doc.m_pInPlaceFrame = &server;
        return server.SetContainerFrame(container, &doc) ? server.GetContainerFrameWrapper() : nullptr;
    }

    CFrameWnd* previousActive = nullptr;
    CServerFrame server;
    CDocServerFrame docServer;
    HWND container = nullptr;
};

TEST_F(OleFramesTest, ActivationNamesTheActiveFrameAndDeactivationGivesItBackInReverse)
{
    docking_test::CTestFrame mainFrame;
    ASSERT_TRUE(mainFrame.Open());
    SetTopLevelFrameOverride(&mainFrame);
    ASSERT_TRUE(server.OpenIn(&mainFrame, CRect(10, 10, 200, 150)));
    ASSERT_TRUE(docServer.OpenIn(&mainFrame, CRect(210, 10, 400, 150)));

    server.SendMessage(WM_ACTIVATE, WA_ACTIVE);
    EXPECT_EQ(GetTopLevelFrameOverride(), &server);
    docServer.SendMessage(WM_ACTIVATE, WA_CLICKACTIVE);
    EXPECT_EQ(GetTopLevelFrameOverride(), &docServer);
    EXPECT_EQ(docServer.GetLastTopLevelFrame(), server.m_hWnd);

    docServer.SendMessage(WM_ACTIVATE, WA_INACTIVE);
    EXPECT_EQ(GetTopLevelFrameOverride(), &server);
    server.SendMessage(WM_ACTIVATE, WA_INACTIVE);
    EXPECT_EQ(GetTopLevelFrameOverride(), &mainFrame);

    // A frame remembered that has gone since is not named again.
    server.SendMessage(WM_ACTIVATE, WA_ACTIVE);
    docServer.SendMessage(WM_ACTIVATE, WA_ACTIVE);
    server.DestroyWindow();
    EXPECT_EQ(GetTopLevelFrameOverride(), &docServer) << "a frame not named keeps the name where it is";
    docServer.DestroyWindow();
    EXPECT_EQ(GetTopLevelFrameOverride(), nullptr);
    mainFrame.DestroyWindow();
}

TEST_F(OleFramesTest, TheContainersFrameIsWrappedOnceAndItsDocumentRenegotiatesBorders)
{
    auto frame = std::make_unique<CServerFrame>();
    CServerFrame& server = *frame;
    ASSERT_TRUE(server.Open(CRect(40, 40, 400, 300)));
    container = MakeContainerWindow();
    ASSERT_NE(container, nullptr);
    CCountingServerDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.m_pInPlaceFrame = &server;

    ASSERT_TRUE(server.SetContainerFrame(container, &doc));
    CKGPOleCntrFrameWnd* pWrapper = server.GetContainerFrameWrapper();
    ASSERT_NE(pWrapper, nullptr);
    EXPECT_EQ(pWrapper->m_hWnd, container);
    EXPECT_EQ(CWnd::FromHandlePermanent(container), pWrapper);
    EXPECT_EQ(pWrapper->GetDockManager()->GetDockSite(), pWrapper);
    // Both are library frames to the families below.
    EXPECT_EQ(CKGPDockManager::FromSite(pWrapper->m_hWnd), pWrapper->GetDockManager());
    EXPECT_EQ(CKGPDockManager::FromSite(server.m_hWnd), server.GetDockManager());

    // A second call changes nothing.
    ASSERT_TRUE(server.OnCreateControlBars(pWrapper, nullptr));
    EXPECT_EQ(server.GetContainerFrameWrapper(), pWrapper);
    EXPECT_EQ(pWrapper->m_hWnd, container);

    // The wrapper's layout asks the server's document for its borders.
    pWrapper->AdjustDockingLayout();
    EXPECT_EQ(doc.resizes, 1);
    EXPECT_TRUE(doc.lastWasFrame);
    pWrapper->RecalcLayout();
    EXPECT_EQ(doc.resizes, 2);

    // The wrapper goes with the in-place frame; the container's window stays.
    server.DestroyWindow();
    frame.reset();
    EXPECT_TRUE(::IsWindow(container));
    EXPECT_EQ(CWnd::FromHandlePermanent(container), nullptr);
}

TEST_F(OleFramesTest, BarsMarkedForInPlaceActivationHideAndComeBack)
{
    ASSERT_TRUE(docServer.Open(CRect(40, 40, 520, 380)));
    ASSERT_NE(docServer.Manager().GetDockSite(), nullptr) << "the document server's dock manager knows its frame";
    docServer.EnableDocking(CBRS_ALIGN_ANY);
    std::unique_ptr<CKGPControlBar> hiding = docking_test::MakeBar(&docServer, 0x3101, 140, CBRS_HIDE_INPLACE);
    std::unique_ptr<CKGPControlBar> staying = docking_test::MakeBar(&docServer, 0x3102, 140);
    docServer.GetDockManager()->DockControlBar(hiding.get(), AFX_IDW_DOCKBAR_TOP, nullptr);
    docServer.GetDockManager()->DockControlBar(staying.get(), AFX_IDW_DOCKBAR_LEFT, nullptr);
    docServer.RecalcLayout();
    docking_test::ExpectSoundLayout(docServer.Manager(), {hiding.get(), staying.get()}, "docked");
    keyloft_test::SaveScreenshot(docServer.m_hWnd, L"in-place-frame.bmp");

    docServer.SetInPlaceBarsVisible(FALSE);
    EXPECT_FALSE(hiding->IsWindowVisible());
    EXPECT_TRUE(staying->IsWindowVisible());
    docking_test::ExpectSoundLayout(docServer.Manager(), {hiding.get(), staying.get()}, "in-place bars hidden");
    docServer.SetInPlaceBarsVisible(TRUE);
    EXPECT_TRUE(hiding->IsWindowVisible());
    EXPECT_TRUE(staying->IsWindowVisible());
    docking_test::ExpectSoundLayout(docServer.Manager(), {hiding.get(), staying.get()}, "in-place bars shown");

    // A preview in the in-place frame: its bars step aside and come back.
    auto* pView = new CPrintView;
    ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &docServer,
                              AFX_IDW_PANE_FIRST));
    docServer.SetActiveView(pView);
    CPrintPreviewState state;
    ASSERT_TRUE(AfxBeginPrintPreview(pView, RUNTIME_CLASS(CKGPPrintPreviewView), &state));
    CKGPPrintPreviewView* pPreview = CKGPPrintPreviewView::GetActivePreview();
    ASSERT_NE(pPreview, nullptr);
    EXPECT_FALSE(hiding->IsWindowVisible());
    EXPECT_FALSE(staying->IsWindowVisible());
    CRect client;
    docServer.GetClientRect(client);
    const CRect previewRect = docking_test::ClientRectIn(pPreview, &docServer);
    const CRect barRect = docking_test::ClientRectIn(&pPreview->GetToolBar(), &docServer);
    EXPECT_EQ(previewRect.bottom, client.bottom);
    EXPECT_GE(previewRect.top, barRect.bottom);
    docking_test::ExpectSoundLayout(docServer.Manager(), {hiding.get(), staying.get()}, "preview in place");
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    EXPECT_TRUE(hiding->IsWindowVisible());
    EXPECT_TRUE(staying->IsWindowVisible());
    docking_test::ExpectSoundLayout(docServer.Manager(), {hiding.get(), staying.get()}, "preview closed");

    // The view menu's toolbar command hides and shows the bar with its id.
    std::unique_ptr<CKGPControlBar> toolbar = docking_test::MakeBar(&docServer, AFX_IDW_TOOLBAR, 100);
    docServer.GetDockManager()->DockControlBar(toolbar.get(), AFX_IDW_DOCKBAR_TOP, nullptr);
    docServer.SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(toolbar->IsWindowVisible());
    docking_test::ExpectSoundLayout(docServer.Manager(), {hiding.get(), staying.get(), toolbar.get()},
                                    "toolbar hidden by its command");
    docServer.SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(toolbar->IsWindowVisible());
    docServer.DestroyWindow();
}

// An in-place frame that keeps its floating frames when they ask to close,
// and counts the requests.
template <class TFrame>
class CKeepingInPlaceFrame : public CTestInPlaceFrame<TFrame> {
public:
    BOOL OnCloseMiniFrame(CKGPMiniFrameWnd*) override
    {
        ++closesAsked;
        return FALSE;
    }
    int closesAsked = 0;
};

// A bar floated out of the frame: its floating frame's close asks the frame,
// which keeps it; once the frame's window went, its dock manager has no frame
// to ask any more.
template <class TFrame>
void ExpectTheFrameDecidesItsFloatingFramesClose(const char* kind)
{
    SCOPED_TRACE(kind);
    CKeepingInPlaceFrame<TFrame> frame;
    ASSERT_TRUE(frame.Open(CRect(40, 40, 420, 320)));
    EXPECT_EQ(static_cast<IKGPDockSite*>(&frame), frame.Manager().GetSite());
    frame.EnableDocking(CBRS_ALIGN_ANY);
    std::unique_ptr<CKGPControlBar> bar = docking_test::MakeBar(&frame, 0x3201, 120);
    bar->EnableDocking(CBRS_ALIGN_ANY);
    frame.Manager().DockControlBar(bar.get(), AFX_IDW_DOCKBAR_TOP, nullptr);
    ASSERT_TRUE(bar->FloatBar(CRect(480, 80, 620, 110), KGP_DM_UNKNOWN, true));
    CKGPMiniFrameWnd* floating = bar->GetParentMiniFrame(TRUE);
    ASSERT_NE(floating, nullptr);
    floating->SendMessage(WM_CLOSE);
    EXPECT_EQ(1, frame.closesAsked);
    EXPECT_TRUE(floating->IsWindowVisible());
    EXPECT_TRUE(bar->IsWindowVisible());
    frame.DestroyWindow();
    EXPECT_EQ(nullptr, frame.Manager().GetSite());
}

TEST_F(OleFramesTest, EachInPlaceFrameAndTheContainersWrapperDecideForTheirBars)
{
    // The server's frame hands itself to its dock manager as it is made, the
    // document server's as its window is made.
    ExpectTheFrameDecidesItsFloatingFramesClose<CKGPOleIPFrameWnd>("server");
    ExpectTheFrameDecidesItsFloatingFramesClose<CKGPOleDocIPFrameWnd>("document server");

    // The wrapper the server's frame puts around the container's window.
    CCountingServerDoc doc;
    CKGPOleCntrFrameWnd* pWrapper = WrapContainer(doc);
    ASSERT_NE(pWrapper, nullptr);
    EXPECT_EQ(static_cast<IKGPDockSite*>(pWrapper), pWrapper->GetDockManager()->GetSite());
}

// A server frame that refuses every popup and counts the requests.
class CRefusingServer : public CTestInPlaceFrame<CKGPOleIPFrameWnd> {
public:
    BOOL OnPopupMenuOpening(CWnd*) override
    {
        ++asked;
        return FALSE;
    }
    int asked = 0;
};

TEST_F(OleFramesTest, LibraryPopupsOverAnInPlaceFrameAskIt)
{
    CRefusingServer refusing;
    ASSERT_TRUE(refusing.Open(CRect(40, 40, 300, 200)));
    ASSERT_TRUE(docServer.Open(CRect(320, 40, 600, 200)));
    IKGPPopupFrameLink* pLink = CKGPLink<IKGPPopupFrameLink>::Get();
    ASSERT_NE(pLink, nullptr);
    EXPECT_FALSE(pLink->OnShowPopupMenu(&refusing, nullptr));
    EXPECT_EQ(refusing.asked, 1);
    EXPECT_TRUE(pLink->OnShowPopupMenu(&docServer, nullptr));
    pLink->OnClosePopupMenu(&refusing, nullptr);
    refusing.DestroyWindow();
}

// A popup over the frame with the item "&Copy", made quiet or not; null when
// its opening was refused.
CKGPPopupMenu* OpenPopupOver(CWnd& frame, BOOL bQuiet)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 0x7711, _T("&Copy"));
    auto* popup = new CKGPPopupMenu;
    popup->SetQuiet(bQuiet);
    if (!popup->Create(&frame, 100, 100, menu.Detach(), FALSE))
        return nullptr;
    keyloft_test::Pump(20);
    return popup;
}

TEST_F(OleFramesTest, AQuietPopupOpensAtOnceOverAnInPlaceFrameAndAccessibilityGetsAPlainMenu)
{
    CRefusingServer refusing;
    ASSERT_TRUE(refusing.Open(CRect(40, 40, 300, 200)));
    ASSERT_TRUE(docServer.Open(CRect(320, 40, 600, 200)));
    EXPECT_EQ(nullptr, OpenPopupOver(refusing, FALSE)) << "the frame refused it";
    EXPECT_EQ(1, refusing.asked);
    CKGPPopupMenu* popup = OpenPopupOver(refusing, TRUE);
    ASSERT_NE(nullptr, popup) << "a quiet popup is not asked about";
    EXPECT_EQ(1, refusing.asked);
    popup->CloseChain();
    keyloft_test::Pump(20);

    GetKGPGlobalData().m_bEnableAccessibility = TRUE;
    popup = OpenPopupOver(docServer, FALSE);
    GetKGPGlobalData().m_bEnableAccessibility = FALSE;
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(popup->DestroyAttachedMenu()) << "a plain menu for the accessibility clients";
    popup->CloseChain();
    keyloft_test::Pump(20);
    refusing.DestroyWindow();
}

// The menu bar attaches to an in-place frame's implementation (taking its
// default menu) and leaves it when it goes; the user toolbars' ids and the
// torn-off bars are the in-place frame's own, for either kind of frame.
TEST_F(OleFramesTest, MenuBarsUserToolbarsAndTornOffBarsBelongToTheInPlaceFrame)
{
    ASSERT_TRUE(server.Open(CRect(40, 40, 400, 260)));
    ASSERT_TRUE(docServer.Open(CRect(420, 40, 780, 260)));
    IKGPToolbarFrameLink* pToolbars = CKGPLink<IKGPToolbarFrameLink>::Get();
    IKGPPopupFrameLink* pPopups = CKGPLink<IKGPPopupFrameLink>::Get();
    ASSERT_NE(pToolbars, nullptr);
    ASSERT_NE(pPopups, nullptr);

    auto checkFrame = [&](auto& frame, UINT uiFirstToolbar) {
        CKGPFrameImpl& impl = frame.GetFrameImpl();
        HMENU hMenu = ::CreateMenu();
        for (LPCWSTR title : {L"&File", L"&Edit"}) {
            HMENU hPopup = ::CreatePopupMenu();
            ::AppendMenuW(hPopup, MF_STRING, 0x8001, L"&Open");
            ::AppendMenuW(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), title);
        }
        impl.m_hDefaultMenu = hMenu;
        {
            CKGPMenuBar menuBar;
            ASSERT_TRUE(menuBar.Create(&frame));
            EXPECT_EQ(impl.GetMenuBar(), &menuBar);
            menuBar.DestroyWindow();
        }
        EXPECT_EQ(impl.GetMenuBar(), nullptr) << "a menu bar gone leaves the frame";
        EXPECT_EQ(impl.m_hDefaultMenu, nullptr) << "the bar owned the menu it showed";

        impl.SetUserToolbarRange(uiFirstToolbar, uiFirstToolbar + 3);
        UINT uiFirst = 0;
        UINT uiLast = 0;
        ASSERT_TRUE(pToolbars->GetToolbarIdRange(&frame, uiFirst, uiLast));
        EXPECT_EQ(uiFirst, uiFirstToolbar);
        EXPECT_EQ(uiLast, uiFirstToolbar + 3);

        CKGPToolBar torn;
        ASSERT_TRUE(torn.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE840));
        EXPECT_TRUE(frame.AddControlBar(&torn));
        EXPECT_EQ(pPopups->FindTearOffBar(&frame, 0xE840), &torn);
        EXPECT_EQ(pPopups->FindTearOffBar(&frame, 0xE841), nullptr);
        frame.GetDockManager()->RemoveControlBar(&torn, FALSE);
        torn.DestroyWindow();
    };
    checkFrame(server, 0xE900 - 0x20);
    checkFrame(docServer, 0xE900 - 0x10);

    // A frame that is no library frame answers nothing.
    CFrameWnd* pPlain = new CFrameWnd;
    ASSERT_TRUE(pPlain->Create(nullptr, _T("Plain"), WS_OVERLAPPEDWINDOW, CRect(40, 300, 300, 400)));
    UINT uiFirst = 0;
    UINT uiLast = 0;
    EXPECT_FALSE(pToolbars->GetToolbarIdRange(pPlain, uiFirst, uiLast));
    EXPECT_EQ(pPopups->FindTearOffBar(pPlain, 0xE840), nullptr);
    pPlain->DestroyWindow();
}

} // namespace
