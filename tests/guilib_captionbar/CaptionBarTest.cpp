// The caption bar docked across the top of a library frame: its place and
// non-client border strips, its elements in the client, the button sending its
// command once on the press (and nothing without a command), the highlight
// ending when the mouse leaves, a new font changing the height, and a
// screenshot.
#include <gtest/gtest.h>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/panes/KGPCaptionBar.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <vector>

namespace {

using keyloft_test::PointParam;

constexpr UINT kBarId = 0xE805;
constexpr UINT kCommand = 32901;

class CCaptionFrame : public CKGPFrameWnd {
public:
    BOOL Open()
    {
        if (!Create(nullptr, _T("Caption"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 630, 330)))
            return FALSE;
        m_view.CreateEx(WS_EX_CLIENTEDGE, AfxRegisterWndClass(0, nullptr, (HBRUSH)::GetStockObject(WHITE_BRUSH)),
                        nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, AFX_IDW_PANE_FIRST);
        EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }
    CWnd m_view;
    std::vector<UINT> m_commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kCommand) {
            m_commands.push_back(LOWORD(wParam));
            return TRUE;
        }
        return CKGPFrameWnd::OnCommand(wParam, lParam);
    }
    void PostNcDestroy() override {} // lives on the test's stack
};

CRect RectIn(const CWnd& wnd, const CWnd& parent)
{
    CRect rect;
    wnd.GetWindowRect(rect);
    parent.ScreenToClient(rect);
    return rect;
}

class CaptionBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, &frame, kBarId));
        frame.DockControlBar(&bar);
        frame.RecalcLayout();
        keyloft_test::PumpPending();
    }
    void TearDown() override
    {
        bar.DestroyWindow();
        frame.DestroyWindow();
    }
    void MoveTo(CPoint point) { bar.SendMessage(WM_MOUSEMOVE, 0, PointParam(point.x, point.y)); }

    CCaptionFrame frame;
    CKGPCaptionBar bar;
};

TEST_F(CaptionBarTest, ItLiesAcrossTheFrameTopWithBorderStripsOutsideItsClient)
{
    CString text;
    bar.GetWindowText(text);
    EXPECT_EQ(CString(_T("Caption Bar")), text);
    EXPECT_FALSE(bar.AllowsInsertBefore());
    EXPECT_EQ(32767, bar.CalcFixedLayout(FALSE, TRUE).cx);

    // An empty bar is the border, two margins and the font's line high.
    TEXTMETRICW metrics{};
    {
        CClientDC dc(&bar);
        CSelectionScope font(dc.GetSafeHdc(), GetKGPGlobalData().GetRegularFont());
        ::GetTextMetricsW(dc.GetSafeHdc(), &metrics);
    }
    EXPECT_EQ(4 + 2 * 4 + metrics.tmHeight + 2, bar.GetCurrentHeight());

    CRect frameClient;
    frame.GetClientRect(frameClient);
    const CRect placed = RectIn(bar, frame);
    EXPECT_EQ(0, placed.top);
    EXPECT_EQ(frameClient.Width(), placed.Width());
    EXPECT_EQ(bar.GetCurrentHeight(), placed.Height());
    EXPECT_GE(RectIn(frame.m_view, frame).top, placed.bottom) << "the view lies below the bar";

    CRect client;
    bar.GetClientRect(client);
    EXPECT_EQ(placed.Height() - 2 * bar.GetBorderSize(), client.Height()) << "a border strip above and below";
    EXPECT_EQ(placed.Width(), client.Width());
}

TEST_F(CaptionBarTest, TheButtonSendsItsCommandOnceOnThePressAndNothingWithoutACommand)
{
    bar.SetText(_T("The settings were changed."), CKGPCaptionBar::ALIGN_LEFT);
    bar.SetButton(_T("Options"), kCommand, CKGPCaptionBar::ALIGN_RIGHT);
    bar.SetIcon(::LoadIconW(nullptr, IDI_INFORMATION), CKGPCaptionBar::ALIGN_LEFT);
    keyloft_test::PumpPending();
    CRect client;
    bar.GetClientRect(client);
    const CRect button = bar.GetButtonRect();
    ASSERT_FALSE(button.IsRectEmpty());
    EXPECT_LT(bar.GetTextRect().right, button.left) << "the text keeps off the button";
    EXPECT_GT(bar.GetTextRect().left, bar.GetImageRect().right);
    EXPECT_GE(bar.GetCurrentHeight(), 4 + 8 + 32) << "the icon is taller than the text";

    MoveTo(button.CenterPoint());
    EXPECT_TRUE(bar.IsButtonHighlighted());
    EXPECT_TRUE(frame.m_commands.empty()) << "hovering sends nothing";
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(button.CenterPoint().x, button.CenterPoint().y));
    EXPECT_EQ(std::vector<UINT>{kCommand}, frame.m_commands) << "sent on the press";
    EXPECT_TRUE(bar.IsButtonPressed());
    bar.SendMessage(WM_LBUTTONUP, 0, PointParam(button.CenterPoint().x, button.CenterPoint().y));
    EXPECT_FALSE(bar.IsButtonPressed());
    EXPECT_EQ(1u, frame.m_commands.size()) << "the release sends nothing more";

    // Off the button the press sends nothing; the mouse leaving ends the highlight.
    MoveTo(CPoint(client.left + 1, client.top + 1));
    EXPECT_FALSE(bar.IsButtonHighlighted());
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(client.left + 1, client.top + 1));
    bar.SendMessage(WM_LBUTTONUP, 0, PointParam(client.left + 1, client.top + 1));
    MoveTo(button.CenterPoint());
    bar.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(bar.IsButtonHighlighted());
    EXPECT_EQ(1u, frame.m_commands.size());

    EXPECT_TRUE(keyloft_test::SaveScreenshot(frame.GetSafeHwnd(), L"guilib_captionbar.bmp"));

    // Without a command the button is a label: no highlight, nothing sent.
    bar.SetButton(_T("Options"), 0, CKGPCaptionBar::ALIGN_RIGHT);
    const CRect label = bar.GetButtonRect();
    MoveTo(label.CenterPoint());
    EXPECT_FALSE(bar.IsButtonHighlighted());
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(label.CenterPoint().x, label.CenterPoint().y));
    EXPECT_EQ(1u, frame.m_commands.size());
    EXPECT_EQ(button.Width() - 10, label.Width()) << "no drop-down triangle without a command";
}

TEST_F(CaptionBarTest, ANewFontChangesTheHeightAndIsAnsweredBack)
{
    const int before = bar.GetCurrentHeight();
    LOGFONTW big{};
    ::GetObjectW(GetKGPGlobalData().GetRegularFont(), sizeof(big), &big);
    big.lfHeight = -28;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&big));
    bar.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
    EXPECT_EQ(reinterpret_cast<LRESULT>(font.GetSafeHandle()), bar.SendMessage(WM_GETFONT));
    EXPECT_GT(bar.GetCurrentHeight(), before + 10);
    keyloft_test::PumpPending();
    EXPECT_EQ(bar.GetCurrentHeight(), RectIn(bar, frame).Height()) << "the frame laid itself out again";
    bar.SendMessage(WM_SETFONT, 0, FALSE);
    EXPECT_EQ(before, bar.GetCurrentHeight());
}

} // namespace
