// What the controls tell their parents: which message, sent or posted, with
// which parameters, and when nothing is said.
#include <gtest/gtest.h>

#include "tests/widgets/WidgetTestSupport.h"
#include "widgets/ComboButton.h"
#include "widgets/ImageStatic.h"
#include "widgets/NotifyDlg.h"
#include "widgets/SliderDlg.h"

namespace {

using widgets_test::CRecordingParent;
using widgets_test::Pump;

LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

TEST(ComboValue, StepsStayWithinTheRange)
{
    EXPECT_EQ(6, StepComboValue(5, 1, 0, 127));
    EXPECT_EQ(127, StepComboValue(127, 1, 0, 127));
    EXPECT_EQ(0, StepComboValue(0, -1, 0, 127));
    EXPECT_EQ(-1, StepComboValue(0, -1, -1, 1)) << "the octave cells go below zero";
    EXPECT_EQ(1, StepComboValue(1, 1, 1, -1)) << "bounds given in either order";
    EXPECT_EQ(11, StepComboValue(9, 5, 0, 11));
    EXPECT_EQ(INT_MAX, StepComboValue(INT_MAX, 1, INT_MIN, INT_MAX)) << "no overflow at the edge";
    EXPECT_EQ(127, StepComboValue(300, 0, 0, 127)) << "a value out of range is pulled in";
}

class ComboButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(300, 100));
        ASSERT_TRUE(m_button.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 70, 34), &m_host, 1048));
        m_button.SetRange(0, 3);
        m_button.SetValue(2);
        Pump();
        m_host.m_received.clear();
    }
    void Wheel(short delta) { ::SendMessageW(m_button.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), At(20, 20)); }
    void Key(UINT vk) { ::SendMessageW(m_button.m_hWnd, WM_KEYDOWN, vk, 1); }
    std::vector<widgets_test::RecordedMessage> Changes()
    {
        Pump();
        return m_host.Take(WM_USER + 23);
    }
    CRecordingParent m_host;
    CComboButton m_button;
};

TEST_F(ComboButtonTest, WheelPostsTheNewValueWithTheControlId)
{
    Wheel(WHEEL_DELTA);
    EXPECT_TRUE(m_host.m_received.empty()) << "the change is posted, not sent";
    const auto changes = Changes();
    ASSERT_EQ(1u, changes.size());
    EXPECT_EQ(1048u, changes[0].wParam);
    EXPECT_EQ(3, changes[0].lParam);
    EXPECT_EQ(3, m_button.GetValue());
    wchar_t text[16] = {};
    ::GetWindowTextW(m_button.m_hWnd, text, 16);
    EXPECT_STREQ(L"003", text);
}

TEST_F(ComboButtonTest, ArrowKeysStepByOneAndOtherKeysDoNothing)
{
    Key(VK_DOWN);
    Key(VK_LEFT);
    Key('A');
    const auto changes = Changes();
    ASSERT_EQ(2u, changes.size());
    EXPECT_EQ(1, changes[0].lParam);
    EXPECT_EQ(0, changes[1].lParam);
    EXPECT_EQ(DLGC_WANTARROWS, ::SendMessageW(m_button.m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS);
}

TEST_F(ComboButtonTest, HalfNotchesAddUpBigNotchesClampAndTheLimitsPostNothing)
{
    Wheel(WHEEL_DELTA / 2);
    EXPECT_TRUE(Changes().empty());
    Wheel(WHEEL_DELTA / 2);
    auto changes = Changes();
    ASSERT_EQ(1u, changes.size());
    EXPECT_EQ(3, changes[0].lParam);
    Wheel(WHEEL_DELTA);
    Key(VK_UP);
    Key(VK_RIGHT);
    EXPECT_TRUE(Changes().empty()) << "nothing at the top";
    Wheel(-5 * WHEEL_DELTA);
    changes = Changes();
    ASSERT_EQ(1u, changes.size());
    EXPECT_EQ(0, changes[0].lParam);
    Wheel(-WHEEL_DELTA);
    Key(VK_DOWN);
    EXPECT_TRUE(Changes().empty()) << "nothing at the bottom";
    EXPECT_EQ(0, m_button.GetValue());
}

TEST_F(ComboButtonTest, SetValueAndSetRangeTellNobody)
{
    m_button.SetRange(-1, 1);
    EXPECT_EQ(1, m_button.GetValue()) << "the old value is pulled into the new range";
    m_button.SetValue(-7);
    EXPECT_EQ(-1, m_button.GetValue());
    EXPECT_TRUE(Changes().empty());
    m_button.SetDisplayFormat(nullptr);
    ::SetWindowTextW(m_button.m_hWnd, L"CH 9");
    Key(VK_UP);
    wchar_t text[16] = {};
    ::GetWindowTextW(m_button.m_hWnd, text, 16);
    EXPECT_STREQ(L"CH 9", text) << "without a format the owner's text stays";
    EXPECT_EQ(1u, Changes().size());
}

class ImageStaticTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(300, 100));
        ASSERT_TRUE(m_picture.Create(L"", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 60), &m_host, 1036));
        Pump();
        m_host.m_received.clear();
    }
    CRecordingParent m_host;
    CImageStatic m_picture;
};

TEST_F(ImageStaticTest, APressAndReleaseInsidePostsPictureClickedWithTheControlId)
{
    ::SendMessageW(m_picture.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    ::SendMessageW(m_picture.m_hWnd, WM_LBUTTONUP, 0, At(6, 6));
    EXPECT_TRUE(m_host.Take(WM_USER + 9).empty()) << "posted, so nothing arrived yet";
    Pump();
    const auto clicks = m_host.Take(WM_USER + 9);
    ASSERT_EQ(1u, clicks.size());
    EXPECT_EQ(1036u, clicks[0].wParam);
    EXPECT_EQ(HTCLIENT, ::SendMessageW(m_picture.m_hWnd, WM_NCHITTEST, 0, At(15, 15)))
        << "the picture takes the mouse although statics normally let it through";

    // A release outside, or one without a press, is no click.
    ::SendMessageW(m_picture.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    ::SendMessageW(m_picture.m_hWnd, WM_LBUTTONUP, 0, At(200, 5));
    ::SendMessageW(m_picture.m_hWnd, WM_LBUTTONUP, 0, At(5, 5));
    Pump();
    EXPECT_TRUE(m_host.Take(WM_USER + 9).empty());
}

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(300, 200));
        ASSERT_TRUE(m_slider.Create(&m_host));
        m_slider.SetRange(0, 100);
        m_track = m_slider.GetTrackRect();
    }
    int YOf(int value) const { return SliderYFromValue(value, m_track.top, m_track.bottom, 0, 100); }
    CRecordingParent m_host;
    CSliderDlg m_slider;
    RECT m_track{};
};

TEST(SliderGeometry, TopIsTheMaximumAndEveryValueRoundTrips)
{
    EXPECT_EQ(127, SliderValueFromY(10, 10, 138, 0, 127));
    EXPECT_EQ(0, SliderValueFromY(138, 10, 138, 0, 127));
    EXPECT_EQ(127, SliderValueFromY(-50, 10, 138, 0, 127)) << "above the track is the maximum";
    EXPECT_EQ(0, SliderValueFromY(500, 10, 138, 0, 127));
    for (int v = -1; v <= 1; ++v) {
        EXPECT_EQ(v, SliderValueFromY(SliderYFromValue(v, 12, 138, -1, 1), 12, 138, -1, 1));
    }
    // With at least one pixel per value every value can be reached and read back.
    for (int v = 0; v <= 127; ++v) {
        EXPECT_EQ(v, SliderValueFromY(SliderYFromValue(v, 10, 138, 0, 127), 10, 138, 0, 127));
    }
    EXPECT_EQ(5, SliderValueFromY(40, 20, 20, 5, 9)) << "an empty track gives the minimum";
}

TEST_F(SliderTest, PopupShowsWithoutActivationAndPostsNothing)
{
    ::SetActiveWindow(m_host.m_hWnd);
    m_slider.PopupAt(100, 40, 70);
    Pump(20);
    EXPECT_TRUE(m_slider.IsShowing());
    EXPECT_EQ(70, m_slider.GetPos());
    RECT window{};
    ::GetWindowRect(m_slider.m_hWnd, &window);
    EXPECT_EQ(100, window.left);
    EXPECT_EQ(40, window.top);
    EXPECT_NE(m_slider.m_hWnd, ::GetActiveWindow());
    EXPECT_NE(0, ::GetWindowLongPtrW(m_slider.m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    m_slider.SetPos(500);
    EXPECT_EQ(100, m_slider.GetPos());
    Pump();
    EXPECT_TRUE(m_host.m_received.empty());
    m_slider.Hide();
    EXPECT_FALSE(m_slider.IsShowing());
}

TEST_F(SliderTest, DragPostsEachNewValueThenTheReleaseValue)
{
    m_slider.PopupAt(100, 40, 0);
    const HWND slider = m_slider.m_hWnd;
    ::SendMessageW(slider, WM_LBUTTONDOWN, MK_LBUTTON, At(18, YOf(40)));
    ::SendMessageW(slider, WM_MOUSEMOVE, MK_LBUTTON, At(18, YOf(40))); // same value: nothing new
    ::SendMessageW(slider, WM_MOUSEMOVE, MK_LBUTTON, At(18, YOf(60)));
    ::SendMessageW(slider, WM_MOUSEMOVE, 0, At(18, YOf(90)));          // button up already: ignored
    EXPECT_TRUE(m_host.m_received.empty()) << "posted, not sent";
    ::SendMessageW(slider, WM_LBUTTONUP, 0, At(18, YOf(60)));
    Pump();
    const auto moved = m_host.Take(WM_USER + 21);
    ASSERT_EQ(2u, moved.size());
    EXPECT_EQ(40, static_cast<int>(moved[0].wParam));
    EXPECT_EQ(60, static_cast<int>(moved[1].wParam));
    const auto released = m_host.Take(WM_USER + 22);
    ASSERT_EQ(1u, released.size());
    EXPECT_EQ(60, static_cast<int>(released[0].wParam));
    EXPECT_EQ(60, m_slider.GetPos());
}

TEST_F(SliderTest, NegativeValuesArriveSigned)
{
    m_slider.SetRange(-1, 1);
    m_slider.PopupAt(100, 40, 1);
    const RECT track = m_slider.GetTrackRect();
    ::SendMessageW(m_slider.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(18, track.bottom));
    ::SendMessageW(m_slider.m_hWnd, WM_LBUTTONUP, 0, At(18, track.bottom));
    Pump();
    const auto moved = m_host.Take(WM_USER + 21);
    ASSERT_EQ(1u, moved.size());
    EXPECT_EQ(-1, static_cast<int>(static_cast<INT_PTR>(moved[0].wParam)));
}

TEST(NotifyDlg, ShowWindowShowsWithoutActivationAndHides)
{
    CRecordingParent host;
    ASSERT_TRUE(host.CreateHost(400, 300));
    CNotifyDlg notify;
    ASSERT_TRUE(notify.Create(&host, L"Reading the voice names..."));
    EXPECT_FALSE(::IsWindowVisible(notify.m_hWnd));
    ::SetActiveWindow(host.m_hWnd);
    notify.ShowWindow(SW_SHOW);
    EXPECT_TRUE(::IsWindowVisible(notify.m_hWnd));
    EXPECT_NE(notify.m_hWnd, ::GetActiveWindow());
    RECT hostRect{};
    RECT notifyRect{};
    ::GetWindowRect(host.m_hWnd, &hostRect);
    ::GetWindowRect(notify.m_hWnd, &notifyRect);
    EXPECT_NEAR((hostRect.left + hostRect.right) / 2, (notifyRect.left + notifyRect.right) / 2, 1)
        << "centred over its owner";
    notify.ShowWindow(SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(notify.m_hWnd));
}

} // namespace
