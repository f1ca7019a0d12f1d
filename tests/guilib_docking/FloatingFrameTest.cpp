// Floating frames in a test frame: a toolbar dragged off floats and, dragged
// back over its dock bar, docks only after resting there for the dock delay (on
// the test's clock); recent places survive a float and a dock; caption buttons
// are hit, pressed and released; the floating state goes through the layout
// archive and back; the frame hides floating toolbars while minimised, keeps a
// print preview from closing it and makes toolbars for the user.
#include <gtest/gtest.h>

#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPVisualManager2003.h"
#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPCaptionLayout.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockBarRow.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPUserToolbarMessages.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/PaneTestSupport.h"
#include "tests/support/MenuDriver.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <vector>

namespace {

using namespace docking_test;
using keyloft_test::PointParam;

class FloatingFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        frame.SetForegroundWindow();
        frame.GetDockManager()->SetDockClock([this] { return now; });
    }
    void TearDown() override
    {
        bars.clear();
        frame.DestroyWindow();
        keyloft_test::Pump(50);
    }
    CKGPControlBar* Add(UINT id, UINT dockBarId, int length = 100, DWORD barStyle = KGP_BARSTYLE_FLOAT)
    {
        bars.push_back(MakeBar(&frame, id, length));
        bars.back()->SetLibraryBarStyle(barStyle);
        frame.DockControlBar(bars.back().get(), dockBarId);
        frame.RecalcLayout();
        return bars.back().get();
    }
    CKGPDockBar* DockBar(DWORD alignment) { return frame.GetDockManager()->FindDockBar(alignment, TRUE); }
    static void MouseAt(CWnd* pWnd, UINT message, CPoint screen, WPARAM keys = MK_LBUTTON)
    {
        ::SetCursorPos(screen.x, screen.y);
        CPoint client = screen;
        pWnd->ScreenToClient(&client);
        pWnd->SendMessage(message, keys, PointParam(client.x, client.y));
    }
    static CPoint CentreOf(const CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(rect);
        return rect.CenterPoint();
    }
    // The centre of a caption button of a floating frame, on the screen.
    static CPoint ButtonCentre(CKGPMiniFrameWnd* pFrame, UINT nHit)
    {
        CRect rect = pFrame->FindCaptionButton(nHit)->GetRect();
        CRect window;
        pFrame->GetWindowRect(window);
        rect.OffsetRect(window.TopLeft());
        return rect.CenterPoint();
    }

    long now = 5000;
    CTestFrame frame;
    std::vector<std::unique_ptr<CKGPControlBar>> bars;
};

TEST_F(FloatingFrameTest, AToolbarDraggedOffFloatsAndDocksBackAfterRestingOverItsDockBar)
{
    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKGPVisualManager2003)));
    auto toolbar = std::make_unique<CKGPToolBar>();
    ASSERT_TRUE(toolbar->Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, 900));
    ASSERT_TRUE(toolbar->LoadToolBar(700));
    toolbar->SetWindowText(_T("Tools"));
    toolbar->SetLibraryBarStyle(KGP_BARSTYLE_FLOAT | KGP_BARSTYLE_CLOSE);
    toolbar->EnableDocking(CBRS_ALIGN_ANY);
    toolbar->SetDockingMode(KGP_DOCK_IMMEDIATE);
    frame.DockControlBar(toolbar.get(), AFX_IDW_DOCKBAR_TOP);
    toolbar->AdjustLayout();
    frame.RecalcLayout();
    CKGPDockBar* top = DockBar(CBRS_ALIGN_TOP);
    ASSERT_EQ(top, toolbar->GetParentDockBar());

    // Dragged off: it floats, and its floating frame carries the drag.
    CRect docked;
    toolbar->GetWindowRect(docked);
    const CPoint grip(docked.left + 3, docked.CenterPoint().y); // on the gripper
    MouseAt(toolbar.get(), WM_LBUTTONDOWN, grip);
    const CPoint away(grip.x + 150, grip.y + 200);
    MouseAt(toolbar.get(), WM_MOUSEMOVE, away);
    ASSERT_TRUE(toolbar->IsFloating());
    CKGPMiniFrameWnd* floating = toolbar->GetParentMiniFrame();
    ASSERT_NE(nullptr, floating);
    EXPECT_TRUE(floating->IsMoving());
    CRect borders;
    floating->CalcBorderSize(borders);
    EXPECT_EQ(CRect(3, 3, 3, 3), borders); // a toolbar's thin floating border
    EXPECT_NE(nullptr, floating->FindCaptionButton(HTCLOSE));
    keyloft_test::Pump(100);
    keyloft_test::SaveScreenshot(floating->m_hWnd, L"floating-toolbar.bmp");

    // Back towards the top dock bar, the frame following the mouse, until the
    // frame is near enough to dock there: it waits for the dock delay.
    CRect client;
    frame.GetClientRect(client);
    frame.ClientToScreen(client);
    CPoint overTop(docked.left + 40, client.top); // on the empty top dock bar itself
    CPoint at = away;
    while (at.y > overTop.y && floating->GetDockingTimer() == 0) {
        at = CPoint(overTop.x, (std::max)(overTop.y, at.y - 5));
        MouseAt(floating, WM_MOUSEMOVE, at);
    }
    overTop = at;
    ASSERT_TRUE(toolbar->IsFloating());
    EXPECT_NE(0u, floating->GetDockingTimer()); // the rest is timed
    now += 199;
    floating->SendMessage(WM_TIMER, CKGPMiniFrameWnd::kDockingTimerId);
    EXPECT_TRUE(toolbar->IsFloating());
    now += 1;
    const HWND hFloating = floating->m_hWnd;
    floating->SendMessage(WM_TIMER, CKGPMiniFrameWnd::kDockingTimerId);
    EXPECT_EQ(top, toolbar->GetParentDockBar());
    EXPECT_TRUE(toolbar->IsDragMode()); // the drag goes on, docked
    MouseAt(toolbar.get(), WM_LBUTTONUP, overTop, 0);
    keyloft_test::Pump(100);
    EXPECT_FALSE(toolbar->IsDragMode());
    EXPECT_FALSE(::IsWindow(hFloating));
    EXPECT_TRUE(frame.GetDockManager()->GetMiniFrames().IsEmpty());

    // Ctrl held: it only floats.
    toolbar->FloatBar(CRect(300, 300, 400, 330), KGP_DM_UNKNOWN, true);
    floating = toolbar->GetParentMiniFrame();
    ASSERT_NE(nullptr, floating);
    BYTE keys[256]{};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    ::SetCursorPos(overTop.x, overTop.y);
    EXPECT_TRUE(frame.GetDockManager()->OnMoveMiniFrame(floating));
    now += 1000;
    EXPECT_TRUE(frame.GetDockManager()->OnMoveMiniFrame(floating));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(toolbar->IsFloating());
    toolbar->DestroyWindow();
    CKGPVisualManager::DestroyInstance();
}

TEST_F(FloatingFrameTest, RecentPlacesSurviveAFloatAndADock)
{
    Add(910, AFX_IDW_DOCKBAR_LEFT);
    CKGPControlBar* bar = Add(911, AFX_IDW_DOCKBAR_LEFT);
    CKGPDockBar* left = DockBar(CBRS_ALIGN_LEFT);
    ASSERT_EQ(1, left->GetRowIndex(bar->GetDockBarRow()));
    MouseAt(bar, WM_LBUTTONDBLCLK, CentreOf(bar)); // floats at its recent floating place
    ASSERT_TRUE(bar->IsFloating());
    EXPECT_EQ(left, bar->m_recentDockInfo.GetRecentDockBar());
    EXPECT_EQ(1, bar->m_recentDockInfo.m_nRecentRowIndex);
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_LEFT), bar->m_recentDockInfo.m_dwRecentAlignmentToFrame);

    CKGPMiniFrameWnd* floating = bar->GetParentMiniFrame();
    MouseAt(floating, WM_LBUTTONDBLCLK, CentreOf(floating));
    keyloft_test::Pump(50);
    EXPECT_EQ(left, bar->GetParentDockBar());
    EXPECT_EQ(1, left->GetRowIndex(bar->GetDockBarRow())); // back in the row it came from

    // The copy a bar takes of another keeps the places.
    auto copy = MakeBar(&frame, 912);
    copy->CopyStateFrom(bar);
    EXPECT_EQ(left, copy->m_recentDockInfo.GetRecentDockBar());
    EXPECT_EQ(1, copy->m_recentDockInfo.m_nRecentRowIndex);
}

TEST_F(FloatingFrameTest, CaptionButtonsAreHitPressedAndReleasedOverThemselves)
{
    CKGPControlBar* bar = Add(920, AFX_IDW_DOCKBAR_TOP, 160, KGP_BARSTYLE_FLOAT | KGP_BARSTYLE_CLOSE);
    ASSERT_TRUE(bar->FloatBar(CRect(200, 200, 360, 224), KGP_DM_UNKNOWN, true));
    CKGPMiniFrameWnd* floating = bar->GetParentMiniFrame();
    ASSERT_NE(nullptr, floating);
    floating->SetCaptionButtons(KGP_CAPTION_BTN_CLOSE | KGP_CAPTION_BTN_PIN);
    CKGPCaptionButton* close = floating->FindCaptionButton(HTCLOSE);
    CKGPCaptionButton* pin = floating->FindCaptionButton(KGPCaption::kHitPin);
    ASSERT_NE(nullptr, close);
    ASSERT_NE(nullptr, pin);
    EXPECT_GT(close->GetRect().left, pin->GetRect().left); // close added first: rightmost
    EXPECT_EQ(HTCLOSE, floating->HitTest(ButtonCentre(floating, HTCLOSE), FALSE));
    EXPECT_EQ(HTCAPTION, floating->HitTest(ButtonCentre(floating, HTCLOSE), TRUE));
    CRect caption;
    floating->GetCaptionRect(caption);
    CRect window;
    floating->GetWindowRect(window);
    EXPECT_EQ(HTCLIENT, floating->HitTest(CPoint(window.left + caption.left + 4, window.top + caption.CenterPoint().y),
                                          FALSE)); // the caption moves the frame itself
    EXPECT_EQ(HTNOWHERE, floating->HitTest(CPoint(window.right + 5, window.top), FALSE));

    // The pin, pressed and released over itself, toggles.
    MouseAt(floating, WM_MOUSEMOVE, ButtonCentre(floating, KGPCaption::kHitPin), 0);
    MouseAt(floating, WM_LBUTTONDOWN, ButtonCentre(floating, KGPCaption::kHitPin));
    MouseAt(floating, WM_LBUTTONUP, ButtonCentre(floating, KGPCaption::kHitPin), 0);
    EXPECT_TRUE(floating->IsPinned());
    // Close pressed but released over the pin: nothing.
    MouseAt(floating, WM_MOUSEMOVE, ButtonCentre(floating, HTCLOSE), 0);
    MouseAt(floating, WM_LBUTTONDOWN, ButtonCentre(floating, HTCLOSE));
    MouseAt(floating, WM_LBUTTONUP, ButtonCentre(floating, KGPCaption::kHitPin), 0);
    EXPECT_TRUE(floating->IsWindowVisible());
    // Released over itself: the frame and its bar hide.
    MouseAt(floating, WM_MOUSEMOVE, ButtonCentre(floating, HTCLOSE), 0);
    MouseAt(floating, WM_LBUTTONDOWN, ButtonCentre(floating, HTCLOSE));
    MouseAt(floating, WM_LBUTTONUP, ButtonCentre(floating, HTCLOSE), 0);
    EXPECT_FALSE(floating->IsWindowVisible());
    EXPECT_FALSE(bar->IsWindowVisible());

    // A tooltip asking for a tool the frame does not have gets nothing.
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = floating->m_hWnd;
    info.hdr.idFrom = 7;
    info.hdr.code = TTN_NEEDTEXTW;
    EXPECT_EQ(0, floating->SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(nullptr, info.lpszText);
    info.hdr.idFrom = 1; // the head of the list: the pin, added last
    floating->SendMessage(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&info));
    EXPECT_NE(nullptr, info.lpszText);
}

TEST_F(FloatingFrameTest, TheFloatingStateGoesThroughTheArchiveAndBack)
{
    CKGPControlBar* bar = Add(930, AFX_IDW_DOCKBAR_TOP, 120, KGP_BARSTYLE_FLOAT | KGP_BARSTYLE_CLOSE);
    ASSERT_TRUE(bar->FloatBar(CRect(250, 220, 370, 244), KGP_DM_UNKNOWN, true));
    CKGPMiniFrameWnd* floating = bar->GetParentMiniFrame();
    floating->SetCaptionButtons(KGP_CAPTION_BTN_CLOSE | KGP_CAPTION_BTN_PIN);
    floating->SetPinState(TRUE);
    CRect stored;
    floating->GetWindowRect(stored);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        floating->Serialize(ar);
    }
    EXPECT_EQ(static_cast<ULONGLONG>(4 + 16 + 4 + 4 + 4 + 4), file.GetLength());

    // Read back into a new frame of the frame being loaded.
    CKGPDockManager::s_pLoadingFrame = &frame;
    auto* loaded = new CKGPMiniFrameWnd; // deletes itself with its window
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        loaded->Serialize(ar);
    }
    CKGPDockManager::s_pLoadingFrame = nullptr;
    ASSERT_NE(nullptr, loaded->GetSafeHwnd());
    CRect rect;
    loaded->GetWindowRect(rect);
    EXPECT_EQ(stored, rect);
    EXPECT_EQ(930u, loaded->GetSavedBarID());
    EXPECT_EQ(KGP_CAPTION_BTN_CLOSE | KGP_CAPTION_BTN_PIN, loaded->GetCaptionButtonFlags());
    EXPECT_TRUE(loaded->IsPinned());
    EXPECT_FALSE(loaded->IsWindowVisible()); // the dock manager shows frames later
    ASSERT_TRUE(loaded->SetDockState(frame.GetDockManager()));
    EXPECT_EQ(loaded, bar->GetParentMiniFrame());
    EXPECT_NE(nullptr, loaded->FindCaptionButton(HTCLOSE));
    keyloft_test::Pump(50); // the frame the bar left goes
    EXPECT_EQ(1, frame.GetDockManager()->GetMiniFrames().GetCount());

    // A damaged size or a short record creates nothing.
    CMemFile damaged;
    {
        CArchive ar(&damaged, CArchive::store);
        ar << static_cast<DWORD>(WS_POPUP) << CRect(10, 10, 10, 200) << static_cast<DWORD>(1) << 930u
           << static_cast<DWORD>(0) << static_cast<DWORD>(0);
    }
    for (CMemFile* bad : {&damaged}) {
        CKGPDockManager::s_pLoadingFrame = &frame;
        CKGPMiniFrameWnd refused;
        bad->SeekToBegin();
        bool threw = false;
        try {
            CArchive ar(bad, CArchive::load);
            refused.Serialize(ar);
        } catch (CArchiveException* e) {
            threw = true;
            e->Delete();
        }
        CKGPDockManager::s_pLoadingFrame = nullptr;
        EXPECT_TRUE(threw);
        EXPECT_EQ(nullptr, refused.GetSafeHwnd());
    }
    CMemFile shortRecord;
    shortRecord.Write("\x00\x00\x80\x80\x01\x00\x00\x00", 8);
    shortRecord.SeekToBegin();
    CKGPDockManager::s_pLoadingFrame = &frame;
    CKGPMiniFrameWnd cut;
    bool threw = false;
    try {
        CArchive ar(&shortRecord, CArchive::load);
        cut.Serialize(ar);
    } catch (CArchiveException* e) {
        threw = true;
        e->Delete();
    }
    CKGPDockManager::s_pLoadingFrame = nullptr;
    EXPECT_TRUE(threw);
    EXPECT_EQ(nullptr, cut.GetSafeHwnd());
}

TEST_F(FloatingFrameTest, TheFrameHidesFloatingToolbarsWhileMinimisedAndMakesUserToolbars)
{
    auto toolbar = std::make_unique<CKGPToolBar>();
    ASSERT_TRUE(toolbar->Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 940));
    ASSERT_TRUE(toolbar->LoadToolBar(700));
    toolbar->EnableDocking(CBRS_ALIGN_ANY);
    frame.DockControlBar(toolbar.get(), AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(toolbar->FloatBar(CRect(300, 300, 380, 330), KGP_DM_UNKNOWN, true));
    CKGPMiniFrameWnd* floating = toolbar->GetParentMiniFrame();
    ASSERT_TRUE(floating->IsWindowVisible());
    frame.SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_FALSE(floating->IsWindowVisible());
    EXPECT_TRUE(frame.IsMinimized());
    frame.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(600, 400));
    EXPECT_TRUE(floating->IsWindowVisible());
    toolbar->DestroyWindow();

    // A print preview on the frame keeps a close request from closing it.
    frame.OnSetPreviewMode(TRUE);
    frame.SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(frame.m_hWnd));
    frame.OnSetPreviewMode(FALSE);

    // Toolbars the user makes take the free ids of their range and float.
    frame.GetFrameImpl().SetUserToolbarRange(1000, 1001);
    auto* first = KGPUserToolbarMessages::SendCreate(&frame, _T("One"));
    auto* second = KGPUserToolbarMessages::SendCreate(&frame, _T("Two"));
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(1000, first->GetDlgCtrlID());
    EXPECT_EQ(1001, second->GetDlgCtrlID());
    EXPECT_TRUE(first->IsFloating());
    EXPECT_TRUE(frame.GetFrameImpl().IsUserToolbarId(second));
    EXPECT_TRUE(KGPUserToolbarMessages::SendDelete(&frame, first));
    EXPECT_FALSE(KGPUserToolbarMessages::SendDelete(&frame, first)); // gone already
    auto* again = KGPUserToolbarMessages::SendCreate(&frame, _T("Three"));
    ASSERT_NE(nullptr, again);
    EXPECT_EQ(1000, again->GetDlgCtrlID());
    EXPECT_EQ(2, frame.GetFrameImpl().GetUserToolbars().GetCount());
    EXPECT_TRUE(CKGPFrameImpl::GetFrameList().Find(&frame) != nullptr);
}

// A popup menu as the frame sees one: a window that records what reaches it.
class CRecordingPopup : public CWnd {
public:
    std::vector<UINT> messages;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN || message == WM_CLOSE || message == WM_MOUSEWHEEL)
            messages.push_back(message);
        return message == WM_CLOSE ? 0 : CWnd::WindowProc(message, wParam, lParam);
    }
};

class CPopupMenuLink final : public IKGPMenuLink {
public:
    explicit CPopupMenuLink(CWnd* pPopup) : m_pPopup(pPopup) {}
    CWnd* GetActivePopupMenu() const override { return m_pPopup; }
    BOOL IsModalState() const override { return FALSE; }
    BOOL HasContextMenuManager() const override { return FALSE; }
    UINT TrackContextMenu(HMENU, int, int, CWnd*, BOOL) override { return 0; }
    UINT TrackPopupMenu(HMENU, int, int, CWnd*, BOOL) override { return 0; }
    int HitTestPopupMenu(CWnd* pPopup, CPoint ptScreen) const override
    {
        CRect rect;
        pPopup->GetWindowRect(rect);
        return rect.PtInRect(ptScreen) ? 0 : 4;
    }

private:
    CWnd* m_pPopup;
};

TEST_F(FloatingFrameTest, AnOpenPopupMenuTakesKeysAndWheelsAndAClickOutsideClosesIt)
{
    CRecordingPopup popup;
    ASSERT_TRUE(popup.CreateEx(WS_EX_TOOLWINDOW, _T("STATIC"), nullptr, WS_POPUP | WS_VISIBLE, CRect(100, 100, 200, 200),
                               &frame, 0));
    CPopupMenuLink link(&popup);
    CKGPLink<IKGPMenuLink>::StandIn(&link);
    CKGPFrameImpl& impl = frame.GetFrameImpl();
    BOOL bProcessAccel = FALSE;
    EXPECT_TRUE(impl.ProcessKeyboard(VK_DOWN, &bProcessAccel)); // the popup takes the key
    EXPECT_TRUE(bProcessAccel);
    EXPECT_TRUE(impl.ProcessMouseWheel(MAKEWPARAM(0, 120), 0)); // wheels are swallowed
    EXPECT_FALSE(impl.ProcessMouseClick(WM_LBUTTONDOWN, CPoint(150, 150), popup.m_hWnd)); // on the popup
    EXPECT_FALSE(impl.ProcessMouseClick(WM_LBUTTONDOWN, CPoint(400, 400), frame.m_hWnd)); // outside: goes on
    const std::vector<UINT> expected = {WM_KEYDOWN, WM_MOUSEWHEEL, WM_CLOSE};
    EXPECT_EQ(expected, popup.messages);
    CKGPLink<IKGPMenuLink>::StandIn(nullptr);
    EXPECT_FALSE(impl.ProcessMouseWheel(MAKEWPARAM(0, 120), 0)); // no popup: the wheel goes on
    popup.DestroyWindow();
}

TEST_F(FloatingFrameTest, ViewCommandsToggleTheirBarsButNotWhileCustomising)
{
    CKGPControlBar* bar = Add(ID_VIEW_TOOLBAR, AFX_IDW_DOCKBAR_TOP);
    frame.SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(bar->IsWindowVisible());
    CKGPToolBar::s_bCustomizing = TRUE; // commands are ignored while toolbars are customised
    frame.SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    CKGPToolBar::s_bCustomizing = FALSE;
    EXPECT_FALSE(bar->IsWindowVisible());
    frame.SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(bar->IsWindowVisible());
    EXPECT_EQ(bar, frame.GetControlBar(ID_VIEW_TOOLBAR));
    EXPECT_EQ(nullptr, frame.GetControlBar(ID_VIEW_STATUS_BAR)); // no such bar: routing goes on
}

TEST_F(FloatingFrameTest, AFrameRollsUpToItsCaptionWhileTheMouseIsAwayUnlessPinned)
{
    constexpr DWORD kRollUp = 0x10;
    CKGPControlBar* bar = Add(960, AFX_IDW_DOCKBAR_TOP, 120, KGP_BARSTYLE_FLOAT | KGP_BARSTYLE_CLOSE | kRollUp);
    ASSERT_TRUE(bar->FloatBar(CRect(300, 300, 420, 324), KGP_DM_UNKNOWN, true));
    CKGPMiniFrameWnd* floating = bar->GetParentMiniFrame();
    EXPECT_NE(nullptr, floating->FindCaptionButton(KGPCaption::kHitPin)); // the pin comes with the roll-up
    CRect full;
    floating->GetWindowRect(full);
    ::SetCursorPos(full.right + 100, full.bottom + 100);
    floating->SendMessage(WM_TIMER, CKGPMiniFrameWnd::kRollUpTimerId);
    ASSERT_TRUE(floating->IsRolledUp());
    CRect rolled, client;
    floating->GetWindowRect(rolled);
    floating->GetClientRect(client);
    EXPECT_EQ(0, client.Height()); // only the caption and borders are left
    EXPECT_LT(rolled.Height(), full.Height());

    // Stored rolled up, the frame keeps its full height.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        floating->Serialize(ar);
    }
    file.SeekToBegin();
    DWORD style = 0;
    CRect stored;
    {
        CArchive ar(&file, CArchive::load);
        ar >> style >> stored;
    }
    EXPECT_EQ(full.Height(), stored.Height());

    ::SetCursorPos(rolled.CenterPoint().x, rolled.top + 5);
    floating->SendMessage(WM_TIMER, CKGPMiniFrameWnd::kRollUpTimerId);
    EXPECT_FALSE(floating->IsRolledUp());
    floating->SetPinState(TRUE); // pinned: it stays open
    ::SetCursorPos(full.right + 100, full.bottom + 100);
    floating->SendMessage(WM_TIMER, CKGPMiniFrameWnd::kRollUpTimerId);
    EXPECT_FALSE(floating->IsRolledUp());
}

// A look whose caption buttons are taller than the small caption.
class CTallCaptionLook : public CKGPVisualManager {
    DECLARE_DYNCREATE(CTallCaptionLook)
public:
    CSize GetCaptionButtonExtraSize() const override { return CSize(0, 6); }
};
IMPLEMENT_DYNCREATE(CTallCaptionLook, CKGPVisualManager)

// The dock manager's relayout lays each floating frame's bar out again,
// and its non-client refresh gives each floating frame the caption of the
// look now in force; a layout update is not locked while the smart-docking
// markers run.
TEST_F(FloatingFrameTest, FloatingFramesFollowTheRelayoutAndTheLooksCaption)
{
    CKGPControlBar* bar = Add(960, AFX_IDW_DOCKBAR_TOP, 100, KGP_BARSTYLE_FLOAT | KGP_BARSTYLE_CLOSE);
    ASSERT_TRUE(bar->FloatBar(CRect(300, 300, 400, 324), KGP_DM_UNKNOWN, true));
    CKGPMiniFrameWnd* floating = bar->GetParentMiniFrame();
    ASSERT_NE(nullptr, floating);
    CRect border;
    floating->CalcBorderSize(border);
    const int caption = floating->GetCaptionHeight();

    bar->MoveWindow(0, 0, 10, 10); // out of place in its frame
    CKGPDockManager* manager = frame.GetDockManager();
    manager->NotifyBarsAndRelayout();
    CRect client, window;
    floating->GetClientRect(client);
    EXPECT_EQ(client, ClientRectIn(bar, floating)) << "the bar fills its frame again";

    CRuntimeClass* pLook = CKGPVisualManager::GetInstance()->GetRuntimeClass();
    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CTallCaptionLook)));
    manager->RecalcNonClientAll();
    EXPECT_EQ(caption + 6, floating->GetCaptionHeight());
    floating->GetClientRect(client);
    floating->ClientToScreen(client);
    floating->GetWindowRect(window);
    EXPECT_EQ(border.top + caption + 6, client.top - window.top) << "the client area starts below the taller caption";
    ASSERT_NE(nullptr, floating->FindCaptionButton(HTCLOSE));
    const CRect close = floating->FindCaptionButton(HTCLOSE)->GetRect();
    EXPECT_EQ(border.top + (caption + 6 - close.Height()) / 2, close.top) << "the button centred in the new caption";
    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(pLook));
    manager->RecalcNonClientAll();
    EXPECT_EQ(caption, floating->GetCaptionHeight());

    CKGPSmartDockingManager* markers = manager->GetSmartDockingManagerPermanent();
    markers->Start(floating);
    manager->LockUpdate(TRUE);
    EXPECT_FALSE(manager->IsLayoutEnabledAndLocked()) << "not locked while the markers run";
    markers->Stop();
    manager->LockUpdate(TRUE);
    EXPECT_TRUE(manager->IsLayoutEnabledAndLocked());
    manager->LockUpdate(FALSE);
    EXPECT_FALSE(manager->IsLayoutEnabledAndLocked());
}

// Menus through the context-menu manager, recorded: the call, its place and
// its alignment; it chooses the command it is given.
class CRecordingMenus final : public IKGPMenuLink {
public:
    CWnd* GetActivePopupMenu() const override { return nullptr; }
    BOOL IsModalState() const override { return FALSE; }
    BOOL HasContextMenuManager() const override { return TRUE; }
    UINT TrackContextMenu(HMENU, int x, int y, CWnd*, BOOL bRightAlign) override
    {
        ++contextMenus;
        at = CPoint(x, y);
        rightAligned = bRightAlign;
        return choice;
    }
    UINT TrackPopupMenu(HMENU, int, int, CWnd*, BOOL) override
    {
        ++popupMenus;
        return choice;
    }
    int HitTestPopupMenu(CWnd*, CPoint) const override { return 4; }
    int contextMenus = 0;
    int popupMenus = 0;
    CPoint at;
    BOOL rightAligned = FALSE;
    UINT choice = 0;
};

// A window counting the commands it gets.
class CCommandCounter : public CWnd {
public:
    int commands = 0;

protected:
    BOOL OnCommand(WPARAM, LPARAM) override
    {
        ++commands;
        return TRUE;
    }
};

// A caption menu button's menu is the system's by default: the choice comes
// back without a command; otherwise the context-menu manager shows it
// right-aligned under the button.
TEST_F(FloatingFrameTest, ACaptionMenuButtonTracksTheSystemsMenuOrTheContextMenuManagers)
{
    CCommandCounter owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), _T("Owner"), WS_POPUP | WS_VISIBLE, CRect(200, 200, 400, 300),
                               &frame, 0));
    CMenuHandle menu(::CreatePopupMenu());
    ::AppendMenuW(menu.Get(), MF_STRING, 101, L"One");
    ::AppendMenuW(menu.Get(), MF_STRING, 102, L"Two");
    CKGPCaptionMenuButton button(KGPCaption::kHitPageMenu, FALSE);
    button.m_ptOrg = CPoint(50, 3);
    IKGPMenuLink* previous = CKGPLink<IKGPMenuLink>::Get();
    CRecordingMenus menus;
    menus.choice = 102;
    CKGPLink<IKGPMenuLink>::StandIn(&menus);
    {
        test_support::CMenuDriver driver({VK_DOWN, VK_RETURN});
        button.ShowMenu(menu.Get(), &owner);
        EXPECT_TRUE(driver.Found());
    }
    EXPECT_EQ(101, button.m_nMenuResult);
    EXPECT_EQ(0, menus.contextMenus + menus.popupMenus) << "the system tracked it";
    keyloft_test::Pump(30);
    EXPECT_EQ(0, owner.commands) << "the choice is returned, not sent";
    EXPECT_FALSE(button.m_bMenuIsShown);

    button.m_bOSMenu = FALSE;
    button.ShowMenu(menu.Get(), &owner);
    EXPECT_EQ(102, button.m_nMenuResult);
    EXPECT_EQ(1, menus.contextMenus);
    EXPECT_TRUE(menus.rightAligned);
    EXPECT_EQ(CPoint(200 + 50, 200 + 3) + CKGPCaptionButton::GetSize(), menus.at) << "under the button's right edge";

    // Under right-to-left layout the caption is mirrored: the button shows
    // 50 pixels from the owner's right edge, and the menu drops under its
    // right edge there.
    CCommandCounter mirrored;
    ASSERT_TRUE(mirrored.CreateEx(WS_EX_LAYOUTRTL, AfxRegisterWndClass(0), _T("Owner"), WS_POPUP | WS_VISIBLE,
                                  CRect(200, 200, 400, 300), &frame, 0));
    button.ShowMenu(menu.Get(), &mirrored);
    EXPECT_EQ(CPoint(400 - 50, 200 + 3 + CKGPCaptionButton::GetSize().cy), menus.at);
    mirrored.DestroyWindow();
    CKGPLink<IKGPMenuLink>::StandIn(previous);
    owner.DestroyWindow();
}

// A floating toolbar's frame: close and, with a customise entry, the menu
// button; resized by an edge, its rows wrap to the new length and the
// dragged edge follows them; it leaves the focus where it was, where a pane's
// frame passes it to its pane, which grows the frame to its minimum.
TEST_F(FloatingFrameTest, AFloatingToolbarsFrameWrapsItsRowsToTheDraggedEdgeAndKeepsOffTheFocus)
{
    auto toolbar = std::make_unique<CKGPToolBar>();
    ASSERT_TRUE(toolbar->Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 945));
    ASSERT_TRUE(toolbar->LoadToolBar(700));
    toolbar->SetLibraryBarStyle(KGP_BARSTYLE_FLOAT | KGP_BARSTYLE_CLOSE);
    toolbar->EnableDocking(CBRS_ALIGN_ANY);
    frame.DockControlBar(toolbar.get(), AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(toolbar->FloatBar(CRect(300, 300, 400, 330), KGP_DM_UNKNOWN, true));
    CKGPMiniFrameWnd* floating = toolbar->GetParentMiniFrame();
    ASSERT_NE(nullptr, floating);
    EXPECT_NE(nullptr, floating->FindCaptionButton(HTCLOSE));
    EXPECT_EQ(nullptr, floating->FindCaptionButton(KGPCaption::kHitPageMenu)) << "no customise entry";
    toolbar->EnableCustomizeButton(TRUE, 33001, _T("Customize..."));
    floating->AddControlBar(toolbar.get());
    floating->RemoveControlBar(toolbar.get(), FALSE, TRUE);
    floating->AddControlBar(toolbar.get());
    EXPECT_NE(nullptr, floating->FindCaptionButton(HTCLOSE));
    EXPECT_NE(nullptr, floating->FindCaptionButton(KGPCaption::kHitPageMenu)) << "the menu button";
    toolbar->EnableCustomizeButton(FALSE, 0, CString());

    // The right edge dragged in to one button's width: three rows.
    CRect window;
    floating->GetWindowRect(window);
    const CRect before = window;
    CRect border;
    floating->CalcBorderSize(border);
    // The frame's borders and caption, and the bar's own borders.
    CRect barWindow;
    CRect barClient;
    toolbar->GetWindowRect(barWindow);
    toolbar->GetClientRect(barClient);
    const CSize frameSize(border.left + border.right + barWindow.Width() - barClient.Width(),
                          border.top + border.bottom + floating->GetCaptionHeight() + barWindow.Height() -
                              barClient.Height());
    const CSize oneRow = toolbar->CalcSizeForLength(32767, TRUE);
    CRect asked(window.left, window.top, window.left + frameSize.cx + oneRow.cx / 3 + 2, window.bottom);
    floating->SendMessage(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&asked));
    EXPECT_EQ(before.left, asked.left) << "the left edge stays";
    EXPECT_EQ(before.top, asked.top);
    EXPECT_LT(asked.Width(), before.Width());
    EXPECT_GT(asked.Height(), before.Height() + oneRow.cy) << "the rows wrapped under each other";
    EXPECT_EQ(toolbar->CalcSizeForLength(asked.Width() - frameSize.cx, TRUE) + frameSize, asked.Size())
        << "the frame fits the wrapped rows exactly";
    // Without full-window dragging (as under Wine) the frame takes it at once.
    BOOL bFullDrag = TRUE;
    ::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &bFullDrag, 0);
    floating->GetWindowRect(window);
    if (!bFullDrag)
        EXPECT_EQ(asked, window);
    // A drag along a dimension that does not change leaves the frame as it is.
    CRect same = window;
    floating->SendMessage(WM_SIZING, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&same));
    EXPECT_EQ(window, same);

    // Focused, the toolbar's frame keeps the focus; a pane's frame gives it
    // its pane, which floated with its minimum larger than its place.
    floating->SetFocus();
    EXPECT_NE(toolbar->m_hWnd, ::GetFocus());
    toolbar->DestroyWindow();
    auto pane = MakePane(&frame, 946, _T("Pane"), CSize(160, 120), CSize(260, 210));
    ASSERT_TRUE(pane->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    frame.SetFocus();
    ASSERT_TRUE(pane->FloatBar(CRect(300, 300, 420, 380), KGP_DM_UNKNOWN, true));
    EXPECT_EQ(pane->m_hWnd, ::GetFocus()) << "a pane floated takes the focus";
    CKGPMiniFrameWnd* paneFrame = pane->GetParentMiniFrame();
    ASSERT_NE(nullptr, paneFrame);
    paneFrame->AdjustLayout();
    CRect client;
    paneFrame->GetClientRect(client);
    EXPECT_GE(client.Width(), 260);
    EXPECT_GE(client.Height(), 210);
    frame.SetFocus();
    paneFrame->SetFocus();
    EXPECT_EQ(pane->m_hWnd, ::GetFocus());
    pane->DestroyWindow();
}

TEST_F(FloatingFrameTest, AFrameKeepsACaptionHeightOnTheWorkArea)
{
    CKGPControlBar* bar = Add(970, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(bar->FloatBar(CRect(300, 300, 400, 324), KGP_DM_UNKNOWN, true));
    CKGPMiniFrameWnd* floating = bar->GetParentMiniFrame();
    floating->SetWindowPos(HWND{}, -5000, 4000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CRect window;
    floating->GetWindowRect(window);
    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    CRect onScreen;
    EXPECT_TRUE(onScreen.IntersectRect(window, work));
    EXPECT_GE(onScreen.Width(), floating->GetCaptionHeight());
    EXPECT_GE(onScreen.Height(), floating->GetCaptionHeight());
}

TEST_F(FloatingFrameTest, EscDuringADragPutsTheBarBackWhereItWasDocked)
{
    CKGPControlBar* bar = Add(980, AFX_IDW_DOCKBAR_BOTTOM);
    bar->SetDockingMode(KGP_DOCK_IMMEDIATE);
    CKGPDockBar* bottom = DockBar(CBRS_ALIGN_BOTTOM);
    const CPoint grip = CentreOf(bar);
    MouseAt(bar, WM_LBUTTONDOWN, grip);
    const CPoint away(grip.x + 60, grip.y - 200);
    MouseAt(bar, WM_MOUSEMOVE, away);
    ASSERT_TRUE(bar->IsFloating());
    CKGPMiniFrameWnd* floating = bar->GetParentMiniFrame();
    ASSERT_TRUE(floating->IsMoving());
    floating->SendMessage(WM_CHAR, VK_ESCAPE, 1);
    keyloft_test::Pump(50);
    EXPECT_EQ(bottom, bar->GetParentDockBar());
    EXPECT_FALSE(bar->IsDragMode());
}

TEST_F(FloatingFrameTest, AnOutlineDraggedFrameDocksWhereItIsDroppedOrMovesThere)
{
    CKGPControlBar* bar = Add(990, AFX_IDW_DOCKBAR_TOP);
    bar->SetDockingMode(KGP_DOCK_DRAGFRAME);
    ASSERT_TRUE(bar->FloatBar(CRect(300, 300, 400, 324), KGP_DM_UNKNOWN, true));
    CKGPMiniFrameWnd* floating = bar->GetParentMiniFrame();
    CRect window;
    floating->GetWindowRect(window);
    const CPoint caption(window.left + 10, window.top + 6);
    MouseAt(floating, WM_LBUTTONDOWN, caption);
    ASSERT_TRUE(floating->IsMoving());
    // Dropped away from every docking place: the frame goes where the outline was.
    const CPoint away(caption.x + 40, caption.y + 30);
    MouseAt(floating, WM_MOUSEMOVE, away);
    CRect before;
    floating->GetWindowRect(before);
    EXPECT_EQ(window, before); // the frame waits; the outline moves
    MouseAt(floating, WM_LBUTTONUP, away, 0);
    CRect after;
    floating->GetWindowRect(after);
    EXPECT_EQ(CPoint(window.left + 40, window.top + 30), after.TopLeft());
    EXPECT_TRUE(bar->IsFloating());

    // Dropped over the left edge: it docks there.
    floating->GetWindowRect(window);
    MouseAt(floating, WM_LBUTTONDOWN, CPoint(window.left + 10, window.top + 6));
    CRect client;
    frame.GetClientRect(client);
    frame.ClientToScreen(client);
    const CPoint leftEdge(client.left + 3, client.CenterPoint().y);
    MouseAt(floating, WM_MOUSEMOVE, leftEdge);
    MouseAt(floating, WM_LBUTTONUP, leftEdge, 0);
    keyloft_test::Pump(50);
    EXPECT_EQ(DockBar(CBRS_ALIGN_LEFT), bar->GetParentDockBar());
    EXPECT_TRUE(frame.GetDockManager()->GetMiniFrames().IsEmpty());
}

TEST_F(FloatingFrameTest, ABarTornOffAMenuIsKeptOnReleaseAndGoesOnEsc)
{
    // The torn-off bar follows the mouse until the button is released.
    CKGPControlBar* kept = Add(1000 + 5, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(kept->FloatBar(CRect(300, 300, 400, 324), KGP_DM_UNKNOWN, true));
    CKGPMiniFrameWnd* floating = kept->GetParentMiniFrame();
    kept->PostMessage(WM_LBUTTONUP);
    EXPECT_EQ(1, floating->StartTearOff(nullptr));
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_TRUE(::IsWindow(kept->m_hWnd));

    // Esc cancels: the bar leaves the dock manager and goes.
    auto* torn = MakeBar(&frame, 1006).release(); // the tear-off owns it once it is cancelled
    frame.DockControlBar(torn, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(torn->FloatBar(CRect(320, 340, 420, 364), KGP_DM_UNKNOWN, true));
    const HWND hTorn = torn->m_hWnd;
    floating = torn->GetParentMiniFrame();
    torn->PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(0, floating->StartTearOff(nullptr));
    EXPECT_FALSE(::IsWindow(hTorn));
    EXPECT_EQ(nullptr, frame.GetDockManager()->FindBarById(1006, TRUE));
    keyloft_test::Pump(50);
}

} // namespace

namespace {

// A floating frame that records the float-status requests it is sent.
class CStatusRecordingFrame : public CKGPMiniFrameWnd {
public:
    std::vector<WPARAM> statuses;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == 0x036D) // WM_FLOATSTATUS
            statuses.push_back(wParam);
        return CKGPMiniFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// Made over the frame: what it was asked first (as its window was made),
// 0 when nothing.
WPARAM FirstStatusOfANewFloatingFrame(CFrameWnd& frame)
{
    auto* floating = new CStatusRecordingFrame; // deletes itself with its window
    if (!floating->Create(_T("Floating"), WS_POPUP | WS_CAPTION, CRect(100, 100, 260, 200), &frame))
        return 0;
    const WPARAM first = floating->statuses.empty() ? 0 : floating->statuses.front();
    floating->DestroyWindow();
    return first;
}

} // namespace

// A floating frame's caption starts in step with its application: active
// when the frame it floats over is in front, inactive when another
// application's window is.
TEST_F(FloatingFrameTest, AFloatingFramesCaptionStartsActiveOnlyWhileItsFrameIsInFront)
{
    frame.SetForegroundWindow();
    keyloft_test::Pump(30);
    ASSERT_EQ(frame.m_hWnd, ::GetForegroundWindow());
    EXPECT_EQ(WPARAM{4}, FirstStatusOfANewFloatingFrame(frame)) << "FS_ACTIVATE";

    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), _T("Other"), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               CRect(300, 300, 500, 400), nullptr, 0));
    other.SetForegroundWindow();
    keyloft_test::Pump(30);
    ASSERT_EQ(other.m_hWnd, ::GetForegroundWindow());
    EXPECT_EQ(WPARAM{8}, FirstStatusOfANewFloatingFrame(frame)) << "FS_DEACTIVATE";
    other.DestroyWindow();
}
