// A docking pane's caption under the mouse: its height, its hit tests, its
// close button acting only when released over itself (and the frame able to
// keep the pane), a press and move on the caption floating the pane; and the
// split tree's bookkeeping: a node collapses when the last place naming it
// lets go (not under the root), slider ids, and a remembered place that
// outlives the tree it named.
#include <gtest/gtest.h>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockingFrameMessages.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSmartDockingManager.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/PaneTestSupport.h"
#include "tests/support/MessagePump.h"

#include <string>
#include <vector>

namespace {

using namespace docking_test;

// A frame that keeps its panes open when asked to (its close-button message),
// and what it decides itself: with m_bRefuse set it keeps its panes and its
// floating frames and holds its floating frames still while dragged. It
// counts what it was asked.
class CKeepingFrame : public CTestFrame {
public:
    BOOL m_bKeepPanes = FALSE;
    int m_nAsked = 0;
    CWnd* m_pClosedPane = nullptr;
    BOOL m_bRefuse = FALSE;
    int m_nMoves = 0;
    int m_nFrameCloses = 0;
    int m_nPaneCloses = 0;
    int m_nLayouts = 0;

    BOOL OnMoveMiniFrame(CKGPMiniFrameWnd* pMiniFrame) override
    {
        ++m_nMoves;
        return !m_bRefuse && CTestFrame::OnMoveMiniFrame(pMiniFrame);
    }
    BOOL OnCloseMiniFrame(CKGPMiniFrameWnd* pMiniFrame) override
    {
        ++m_nFrameCloses;
        return !m_bRefuse && CTestFrame::OnCloseMiniFrame(pMiniFrame);
    }
    BOOL OnCloseDockingBar(CKGPBaseControlBar* pBar) override
    {
        ++m_nPaneCloses;
        return !m_bRefuse && CTestFrame::OnCloseDockingBar(pBar);
    }
    void AdjustDockingLayout(HDWP hdwp = nullptr) override
    {
        ++m_nLayouts;
        CTestFrame::AdjustDockingLayout(hdwp);
    }

protected:
    afx_msg LRESULT OnPressCloseButton(WPARAM, LPARAM lParam)
    {
        ++m_nAsked;
        m_pClosedPane = KGPDockingFrameMessages::ClosedPaneOf(lParam);
        return m_bKeepPanes;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeepingFrame, CTestFrame)
    ON_REGISTERED_MESSAGE(KGM_ON_PRESS_CLOSE_BUTTON, &CKeepingFrame::OnPressCloseButton)
END_MESSAGE_MAP()

class PaneCaptionTest : public PaneFrameFixture<CKeepingFrame> {
protected:
    // A caption button's centre on the screen.
    static CPoint ButtonCentre(CKGPDockingControlBar* pPane, UINT nHit)
    {
        CRect rect = pPane->FindCaptionButton(nHit)->GetRect();
        CRect window;
        pPane->GetWindowRect(window);
        rect.OffsetRect(window.TopLeft());
        return rect.CenterPoint();
    }
    // Hovered, pressed and released at a point.
    static void Click(CKGPDockingControlBar* pPane, CPoint press, CPoint release)
    {
        MouseAt(pPane, WM_NCMOUSEMOVE, press);
        MouseAt(pPane, WM_LBUTTONDOWN, press);
        MouseAt(pPane, WM_LBUTTONUP, release, 0);
    }
};

TEST_F(PaneCaptionTest, TheCaptionIsAsHighAsTheTextAndItsMarginsAndItsHitsAreItsParts)
{
    CKGPDockingControlBar* pane = Add(2301, _T("Caption"), CSize(180, 220));
    ASSERT_TRUE(pane->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    frame.RecalcLayout();
    const int text = GetKGPGlobalData().GetTextHeight();
    const int caption = pane->GetCaptionHeight();
    EXPECT_EQ(text + 2 * 2 + 1 + CKGPVisualManager::GetInstance()->GetPaneCaptionExtraHeight(), caption);
    CRect window, client;
    pane->GetWindowRect(window);
    pane->GetClientRect(client);
    pane->ClientToScreen(client);
    EXPECT_EQ(window.top + caption, client.top);

    EXPECT_EQ(HTCAPTION, pane->HitTest(CPoint(window.left + 10, window.top + caption / 2), TRUE));
    EXPECT_EQ(HTCLIENT, pane->HitTest(CPoint(window.left + 10, window.top + caption / 2), FALSE));
    EXPECT_EQ(HTCLIENT, pane->HitTest(client.CenterPoint(), TRUE));
    EXPECT_EQ(HTNOWHERE, pane->HitTest(CPoint(window.right + 5, window.top), TRUE));
    EXPECT_EQ(KGP_PANE_HIT_CLOSE, static_cast<UINT>(pane->HitTest(ButtonCentre(pane, KGP_PANE_HIT_CLOSE), TRUE)));
    // Nothing auto-hides yet and the look shows no menu button: only close shows.
    EXPECT_TRUE(pane->FindCaptionButton(KGP_PANE_HIT_PIN)->m_bHidden);
    EXPECT_TRUE(pane->FindCaptionButton(KGP_PANE_HIT_MENU)->m_bHidden);
    EXPECT_EQ(window.right - 2 - CKGPCaptionButton::GetSize().cx,
              window.left + pane->FindCaptionButton(KGP_PANE_HIT_CLOSE)->m_ptOrg.x);

    // Without a caption: no band and no buttons; the client is the window.
    panes.push_back(std::make_unique<CColourPane>());
    CKGPDockingControlBar* bare = panes.back().get();
    ASSERT_TRUE(bare->Create(_T("Bare"), &frame, CRect(0, 0, 100, 100), FALSE, 2302,
                             WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    bare->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(bare->DockToBar(pane, CBRS_ALIGN_BOTTOM));
    EXPECT_EQ(0, bare->GetCaptionHeight());
    bare->GetWindowRect(window);
    bare->GetClientRect(client);
    EXPECT_EQ(window.Size(), client.Size());
}

TEST_F(PaneCaptionTest, TheCloseButtonActsOnlyWhenReleasedOverItselfAndTheFrameMayKeepThePane)
{
    CKGPDockingControlBar* a = Add(2311, _T("Stays"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2312, _T("Closes"));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_BOTTOM));
    frame.RecalcLayout();
    CKGPSlider* slider = a->GetDefaultPaneSlider();

    // Pressed, then released away from it: nothing.
    const CPoint close = ButtonCentre(b, KGP_PANE_HIT_CLOSE);
    MouseAt(b, WM_NCMOUSEMOVE, close);
    MouseAt(b, WM_LBUTTONDOWN, close);
    EXPECT_TRUE(b->FindCaptionButton(KGP_PANE_HIT_CLOSE)->m_bPushed);
    MouseAt(b, WM_LBUTTONUP, CPoint(close.x - 60, close.y + 40), 0);
    EXPECT_TRUE(b->IsWindowVisible());
    EXPECT_FALSE(b->FindCaptionButton(KGP_PANE_HIT_CLOSE)->m_bPushed);
    EXPECT_EQ(0, frame.m_nAsked);

    // The frame keeps it.
    frame.m_bKeepPanes = TRUE;
    Click(b, close, close);
    EXPECT_EQ(1, frame.m_nAsked);
    EXPECT_EQ(b, frame.m_pClosedPane) << "the frame is told which pane";
    EXPECT_TRUE(b->IsWindowVisible());

    // Released over it: the pane hides and the other takes its room.
    frame.m_bKeepPanes = FALSE;
    Click(b, close, close);
    EXPECT_EQ(2, frame.m_nAsked);
    EXPECT_FALSE(b->IsWindowVisible());
    ExpectSoundTree(slider, "the pane closed");
    EXPECT_EQ(::GetCapture(), static_cast<HWND>(nullptr));
}

TEST_F(PaneCaptionTest, TheFrameDecidesItsPanesCloseItsFloatingFramesMovesAndCloseAndLaysItselfOut)
{
    CKGPDockingControlBar* docked = Add(2331, _T("Docked"));
    ASSERT_TRUE(docked->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    frame.RecalcLayout();

    // A pane's close button: the frame's own say keeps the pane.
    const CPoint close = ButtonCentre(docked, KGP_PANE_HIT_CLOSE);
    frame.m_bRefuse = TRUE;
    Click(docked, close, close);
    EXPECT_EQ(1, frame.m_nPaneCloses);
    EXPECT_TRUE(docked->IsWindowVisible());
    // Let go, it hides and the frame lays itself out: the view takes its room.
    frame.m_bRefuse = FALSE;
    const CRect view = frame.ViewRect();
    frame.m_nLayouts = 0;
    Click(docked, close, close);
    EXPECT_EQ(2, frame.m_nPaneCloses);
    EXPECT_FALSE(docked->IsWindowVisible());
    EXPECT_GT(frame.m_nLayouts, 0);
    EXPECT_LT(frame.ViewRect().left, view.left);
    // A toolbar docked on an edge: the frame lays itself out, the view starts below it.
    frame.m_nLayouts = 0;
    std::unique_ptr<CKGPControlBar> toolbar = MakeBar(&frame, 2330);
    frame.DockControlBar(toolbar.get(), AFX_IDW_DOCKBAR_TOP);
    EXPECT_GT(frame.m_nLayouts, 0);
    EXPECT_GE(frame.ViewRect().top, ClientRectIn(toolbar.get(), &frame).bottom);

    // A floating frame dragged by its caption moves only as the frame allows.
    CKGPDockingControlBar* pane = Add(2332, _T("Floating"));
    pane->SetDockingMode(KGP_DOCK_IMMEDIATE);
    ASSERT_TRUE(pane->FloatBar(CRect(700, 120, 860, 320), KGP_DM_UNKNOWN, true));
    CKGPMiniFrameWnd* floating = pane->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    CRect window;
    floating->GetWindowRect(window);
    const CPoint grip(window.left + 10, window.top + 6);
    frame.m_bRefuse = TRUE;
    MouseAt(floating, WM_LBUTTONDOWN, grip);
    ASSERT_TRUE(floating->IsMoving());
    MouseAt(floating, WM_MOUSEMOVE, CPoint(grip.x + 30, grip.y + 20));
    EXPECT_EQ(1, frame.m_nMoves);
    CRect now;
    floating->GetWindowRect(now);
    EXPECT_EQ(window, now);
    frame.m_bRefuse = FALSE;
    MouseAt(floating, WM_MOUSEMOVE, CPoint(grip.x + 40, grip.y + 30));
    EXPECT_EQ(2, frame.m_nMoves);
    floating->GetWindowRect(now);
    EXPECT_EQ(window.TopLeft() + CSize(40, 30), now.TopLeft());
    MouseAt(floating, WM_LBUTTONUP, CPoint(grip.x + 40, grip.y + 30), 0);
    EXPECT_FALSE(floating->IsMoving());
    EXPECT_TRUE(pane->IsFloating());

    // Its close button: the frame's own say keeps it shown.
    floating->SetCaptionButtons(KGP_CAPTION_BTN_CLOSE);
    ASSERT_NE(nullptr, floating->FindCaptionButton(HTCLOSE));
    floating->GetWindowRect(window);
    const CPoint closeFrame = floating->FindCaptionButton(HTCLOSE)->GetRect().CenterPoint() + window.TopLeft();
    const auto pressClose = [&] {
        MouseAt(floating, WM_MOUSEMOVE, closeFrame, 0);
        MouseAt(floating, WM_LBUTTONDOWN, closeFrame);
        MouseAt(floating, WM_LBUTTONUP, closeFrame, 0);
    };
    frame.m_bRefuse = TRUE;
    pressClose();
    EXPECT_EQ(1, frame.m_nFrameCloses);
    EXPECT_TRUE(floating->IsWindowVisible());
    frame.m_bRefuse = FALSE;
    pressClose();
    EXPECT_EQ(2, frame.m_nFrameCloses);
    EXPECT_FALSE(pane->IsWindowVisible());
}

// The tooltip windows of this thread (tooltips are top-level windows).
std::vector<HWND> ThreadTooltips()
{
    std::vector<HWND> tips;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM param) {
            wchar_t name[32] = {};
            ::GetClassNameW(hWnd, name, 32);
            if (std::wstring(name) == TOOLTIPS_CLASSW)
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tips));
    return tips;
}

TEST_F(PaneCaptionTest, APaneMakesItsCaptionTooltipWhenTheMouseFirstComesOverIt)
{
    const size_t before = ThreadTooltips().size();
    CKGPDockingControlBar* a = Add(2321, _T("Tips"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2322, _T("Beside"));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_BOTTOM));
    frame.RecalcLayout();
    EXPECT_EQ(before, ThreadTooltips().size()) << "no tooltip until the mouse comes";

    const CPoint close = ButtonCentre(a, KGP_PANE_HIT_CLOSE);
    MSG over{a->m_hWnd, WM_NCMOUSEMOVE, HTCAPTION, keyloft_test::PointParam(close.x, close.y), 0, close};
    a->PreTranslateMessage(&over);
    std::vector<HWND> tips = ThreadTooltips();
    ASSERT_EQ(before + 1, tips.size());
    HWND tip = nullptr;
    for (HWND each : tips)
        if (::SendMessageW(each, TTM_GETTOOLCOUNT, 0, 0) == 3)
            tip = each;
    ASSERT_NE(nullptr, tip) << "the close, pin and menu tools";
    // The close tool lies over the close button, as laid out before the tooltip was made.
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = a->m_hWnd;
    info.uId = 1;
    ASSERT_TRUE(::SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
    CRect tool(info.rect);
    a->ClientToScreen(tool);
    EXPECT_TRUE(tool.PtInRect(close));

    a->PreTranslateMessage(&over);
    EXPECT_EQ(before + 1, ThreadTooltips().size()) << "made once";
}

TEST_F(PaneCaptionTest, APressOnTheCaptionMovedAwayFloatsThePane)
{
    CKGPDockingControlBar* pane = Add(2321, _T("Dragged"));
    pane->SetDockingMode(KGP_DOCK_IMMEDIATE);
    ASSERT_TRUE(pane->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    frame.RecalcLayout();
    CRect window;
    pane->GetWindowRect(window);
    const CPoint grip(window.left + 20, window.top + pane->GetCaptionHeight() / 2);
    MouseAt(pane, WM_LBUTTONDOWN, grip);
    MouseAt(pane, WM_MOUSEMOVE, CPoint(grip.x + 1, grip.y)); // within the drag distance
    EXPECT_FALSE(pane->IsFloating());
    MouseAt(pane, WM_MOUSEMOVE, CPoint(grip.x + 200, grip.y + 120));
    ASSERT_TRUE(pane->IsFloating());
    CKGPMiniFrameWnd* floating = pane->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    EXPECT_TRUE(floating->IsMoving()); // its frame carries the drag on
    floating->SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(floating->IsMoving());
    // Its docked place is remembered.
    EXPECT_EQ(DWORD(CBRS_ALIGN_LEFT), pane->m_recentDockInfo.m_dwRecentAlignmentToFrame);
    EXPECT_NE(nullptr, pane->m_recentDockInfo.GetRecentDefaultSlider());
}

TEST_F(PaneCaptionTest, EscOnATabEndsTheDragItsTabbedPaneArmed)
{
    CKGPDockingControlBar* a = Add(2325, _T("First"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2326, _T("Second"));
    ASSERT_EQ(b, b->AttachToTabWnd(a, KGP_DM_SHOW, TRUE));
    auto* tabbed = DYNAMIC_DOWNCAST(CKGPDockingControlBar, b->GetParentTabbedBar());
    ASSERT_NE(nullptr, tabbed);
    tabbed->SetDockingMode(KGP_DOCK_IMMEDIATE);
    frame.RecalcLayout();
    CRect window;
    tabbed->GetWindowRect(window);
    MouseAt(tabbed, WM_LBUTTONDOWN, CPoint(window.left + 20, window.top + tabbed->GetCaptionHeight() / 2));
    ASSERT_TRUE(tabbed->IsDragArmed());

    MSG esc{b->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(b->PreTranslateMessage(&esc)) << "the key ends the drag and goes no further";
    EXPECT_FALSE(tabbed->IsDragArmed());
    EXPECT_NE(tabbed->m_hWnd, ::GetCapture());
    EXPECT_TRUE(b->IsTabbed());
    EXPECT_FALSE(tabbed->IsFloating());
}

// A tab pulled by the mouse out of a floating tabbed pane ends the drag that
// pane's frame had armed; a bar's drag ending stops the frame's markers.
TEST_F(PaneCaptionTest, ATabPulledOutEndsItsOldFramesDragAndAnEndedDragStopsTheMarkers)
{
    CKGPDockingControlBar* a = Add(2336, _T("First"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2337, _T("Second"));
    CKGPDockingControlBar* tabbed = nullptr;
    ASSERT_NE(nullptr, b->AttachToTabWnd(a, KGP_DM_UNKNOWN, TRUE, &tabbed));
    ASSERT_TRUE(tabbed->FloatBar(CRect(300, 300, 500, 500)));
    CKGPMiniFrameWnd* oldFrame = tabbed->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, oldFrame);
    oldFrame->EnterDragMode();
    ASSERT_TRUE(oldFrame->IsMoving());
    ASSERT_TRUE(b->FloatBar(CRect(520, 300, 680, 460), KGP_DM_MOUSE));
    EXPECT_NE(oldFrame, b->GetParentMiniFrame(TRUE));
    EXPECT_FALSE(oldFrame->IsMoving()) << "the old frame's drag ended";
    EXPECT_NE(oldFrame->m_hWnd, ::GetCapture());
    if (CKGPMiniFrameWnd* newFrame = b->GetParentMiniFrame(TRUE))
        newFrame->SendMessage(WM_CANCELMODE);

    CKGPDockingControlBar* c = Add(2338, _T("Third"));
    ASSERT_TRUE(c->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
    frame.RecalcLayout();
    CKGPSmartDockingManager* markers = frame.GetDockManager()->GetSmartDockingManagerPermanent();
    markers->Start(c);
    ASSERT_TRUE(markers->IsStarted());
    c->EnterDragMode(FALSE);
    ASSERT_TRUE(c->IsDragging());
    c->SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(c->IsDragging());
    EXPECT_FALSE(markers->IsStarted()) << "the markers end with the drag";
}

TEST_F(PaneCaptionTest, ANodeCollapsesWhenTheLastPlaceNamingItLetsGo)
{
    CKGPDockingControlBar* a = Add(2331, _T("A"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2332, _T("B"));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_RIGHT));
    CKGPDockingControlBar* c = Add(2333, _T("C"));
    ASSERT_TRUE(c->DockToBar(b, CBRS_ALIGN_BOTTOM));
    frame.RecalcLayout();
    CKGPSlider* slider = a->GetDefaultPaneSlider();
    CKGPBarContainerManager* manager = slider->GetContainerManager();
    EXPECT_EQ("(0 (V 2331 (H 2332 2333)) .)", Shape(manager->GetRootContainer()));

    // The pane floats; its place keeps the node it left.
    ASSERT_TRUE(c->FloatBar(CRect(300, 200, 460, 400), KGP_DM_UNKNOWN, true));
    EXPECT_EQ("(0 (V 2331 (H 2332 .)) .)", Shape(manager->GetRootContainer()));
    EXPECT_EQ(1, manager->CountReferences());
    ExpectSoundTree(slider, "the node kept for the floating pane");
    // When that place lets go, the node goes: the pane left takes its place.
    c->m_recentDockInfo.Init();
    EXPECT_EQ("(0 (V 2331 2332) .)", Shape(manager->GetRootContainer()));
    EXPECT_EQ(1, manager->GetSliders().GetCount());
    EXPECT_EQ(2, manager->CountNodes()); // the root and one node
    frame.RecalcLayout();
    ExpectSoundTree(slider, "the node collapsed");

    // A node right under the root stays: only the default slider checks itself.
    // Its last pane gone, the pane beside it takes back the whole room.
    CRect room;
    manager->GetWindowRect(room);
    ASSERT_TRUE(b->FloatBar(CRect(300, 200, 460, 400), KGP_DM_UNKNOWN, true));
    frame.RecalcLayout();
    CRect left;
    a->GetWindowRect(left);
    EXPECT_EQ(room, left);
    ExpectSoundTree(slider, "the last pane of a node floated");
    b->m_recentDockInfo.Init();
    EXPECT_EQ("(0 (V 2331 .) .)", Shape(manager->GetRootContainer()));
    keyloft_test::Pump(30);
    EXPECT_TRUE(::IsWindow(slider->m_hWnd)); // still a pane in its tree
}

TEST_F(PaneCaptionTest, SliderIdsAndARememberedPlaceThatOutlivesItsTree)
{
    CKGPDockingControlBar* a = Add(2341, _T("A"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPBarContainerManager* manager = a->GetDefaultPaneSlider()->GetContainerManager();
    // A slider asked for an id at or past the next one moves the next past it.
    const UINT next = CKGPBarContainerManager::s_nNextSliderID;
    CRect rect;
    a->GetWindowRect(rect);
    CKGPSlider* asked = manager->CreateSlider(CRect(rect.left, rect.top, rect.left + 4, rect.bottom), KGP_SS_VERT,
                                              next + 10);
    ASSERT_NE(nullptr, asked);
    EXPECT_EQ(static_cast<int>(next + 10), asked->GetDlgCtrlID());
    EXPECT_EQ(next + 11, CKGPBarContainerManager::s_nNextSliderID);
    // One already taken gets the next one instead.
    CKGPSlider* again = manager->CreateSlider(CRect(rect.left, rect.top, rect.left + 4, rect.bottom), KGP_SS_VERT,
                                              next + 10);
    ASSERT_NE(nullptr, again);
    EXPECT_EQ(static_cast<int>(next + 11), again->GetDlgCtrlID());
    asked->DestroyWindow();
    again->DestroyWindow();
    EXPECT_TRUE(manager->GetSliders().IsEmpty());

    // A pane floated out remembers its node; the tree then goes with its slider.
    CKGPDockingControlBar* b = Add(2342, _T("B"));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_BOTTOM));
    ASSERT_TRUE(b->FloatBar(CRect(300, 200, 460, 400), KGP_DM_UNKNOWN, true));
    CKGPBarContainer* remembered = b->m_recentDockInfo.GetRecentContainer(TRUE);
    ASSERT_NE(nullptr, remembered);
    a->FloatBar(CRect(500, 200, 660, 400), KGP_DM_UNKNOWN, true);
    CKGPSlider* slider = DYNAMIC_DOWNCAST(CKGPSlider, b->m_recentDockInfo.GetRecentDefaultSlider());
    ASSERT_NE(nullptr, slider);
    slider->RemoveFromDockManager();
    slider->DestroyWindow(); // the tree goes; the node the place names stays for it
    EXPECT_TRUE(remembered->IsDisposed());
    EXPECT_EQ(nullptr, b->m_recentDockInfo.GetRecentDefaultSlider());
    // Docked back: its edge takes it (a new slider), and the place lets go.
    ASSERT_TRUE(b->DockPane(nullptr, nullptr, KGP_DM_DBLCLICK));
    EXPECT_NE(nullptr, b->GetDefaultPaneSlider());
    EXPECT_EQ(DWORD(CBRS_ALIGN_LEFT), b->GetDefaultPaneSlider()->GetCurrentAlignment());
    b->m_recentDockInfo.Init();
}

} // namespace
