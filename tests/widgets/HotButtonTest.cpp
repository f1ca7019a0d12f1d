// The image buttons share their owner drawing and hot tracking: each becomes
// owner-drawn whatever push-button kind it was made with, turns hot when the
// mouse moves over it and cold when the mouse leaves, and a hot picture button
// shows the green face.
#include <gtest/gtest.h>

#include "tests/widgets/ChildCapture.h"
#include "widgets/ComboButton.h"
#include "widgets/ImageButton.h"
#include "widgets/MyButton.h"
#include "widgets/PngButton.h"
#include "widgets/WidgetLook.h"

namespace {

using widgets_test::AsPixel;

class HotButtonTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.CreateHost(300, 120, RGB(236, 242, 250))); }

    // The button's pixel near its left edge, inside the rounded face.
    DWORD FacePixel(const CWnd& button)
    {
        const widgets_test::ChildPixels shot = widgets_test::CaptureChild(m_host.m_hWnd, button.m_hWnd);
        return shot.At(6, shot.height / 2);
    }

    widgets_test::CRecordingParent m_host;
};

TEST_F(HotButtonTest, EveryImageButtonIsOwnerDrawnAndTracksTheMouse)
{
    CImageButton image;
    CPngButton picture;
    CMyButton text;
    CComboButton value;
    std::vector<std::pair<CHotButton*, const wchar_t*>> buttons = {
        {&image, L"CImageButton"}, {&picture, L"CPngButton"}, {&text, L"CMyButton"}, {&value, L"CComboButton"}};
    int x = 10;
    for (auto& [button, name] : buttons) {
        ASSERT_TRUE(button->Create(L"Go", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, CRect(x, 20, x + 60, 60), &m_host, 1000));
        x += 70;
        EXPECT_EQ(static_cast<LONG_PTR>(BS_OWNERDRAW), ::GetWindowLongPtrW(button->m_hWnd, GWL_STYLE) & BS_TYPEMASK)
            << CStringA(name).GetString();
        EXPECT_FALSE(button->IsHot());
        button->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(button->IsHot()) << CStringA(name).GetString();
        button->SendMessage(WM_MOUSELEAVE);
        EXPECT_FALSE(button->IsHot()) << CStringA(name).GetString();
    }
}

TEST_F(HotButtonTest, AHotPictureButtonShowsTheGreenFace)
{
    CPngButton button;
    ASSERT_TRUE(button.Create(L"->", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(20, 20, 100, 70), &m_host, 1015));
    widgets_test::Pump(200);
    EXPECT_EQ(0xECF2FAu, FacePixel(button)) << "a cold button shows the page behind it";
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    widgets_test::Pump(200);
    EXPECT_EQ(AsPixel(widgets::kLookLightGreen), FacePixel(button));
    button.SendMessage(WM_MOUSELEAVE);
    widgets_test::Pump(200);
    EXPECT_EQ(0xECF2FAu, FacePixel(button));
}

} // namespace
