// The 2003 look painting a toolbar (gripper, buttons normal, hot and pressed,
// separator, combo), a popup menu with its shadow, a pane caption with a
// caption button, tabs and a smart-docking marker into a window. The window
// is captured and written to look2003.bmp beside the test for a look by eye.
#include <gtest/gtest.h>

#include "guilib/core/KGPMemDC.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPVisualItem.h"
#include "guilib/core/KGPVisualManager2003.h"
#include "tests/support/Dib.h"
#include "tests/support/MessagePump.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 240;
const CRect kBar(0, 0, kWidth, 30);
const CRect kHot(40, 4, 64, 26);
const CRect kPressed(68, 4, 92, 26);
const CRect kMenu(20, 44, 180, 200);

class CCloseButton : public CKGPVisualItem {
public:
    CRect GetVisualRect() const override { return CRect(368, 46, 384, 60); }
    int GetVisualGlyph() const override { return CKGPMenuGlyphs::kClose; }
    BOOL IsVisualFocused() const override { return TRUE; }
};

void PaintScene(CDC* pDC)
{
    CKGPVisualManager* look = CKGPVisualManager::GetInstance();
    pDC->FillSolidRect(CRect(0, 0, kWidth, kHeight), RGB(255, 255, 255));
    look->FillBarBackground(pDC, nullptr, kBar, kBar);
    look->DrawBarGripper(pDC, CRect(2, 3, 9, 27), TRUE, nullptr);
    const CRect buttons[] = {CRect(12, 4, 36, 26), kHot, kPressed};
    for (int state = 0; state < 3; ++state) {
        const int shown = state == 0 ? KGP_BUTTON_NORMAL : state == 1 ? KGP_BUTTON_HIGHLIGHTED : KGP_BUTTON_PRESSED;
        look->FillButtonFace(pDC, nullptr, buttons[state], shown);
        look->DrawButtonBorder(pDC, nullptr, buttons[state], shown);
        CKGPMenuGlyphs::Draw(pDC, CKGPMenuGlyphs::kArrowDown, buttons[state]);
    }
    look->DrawSeparator(pDC, nullptr, CRect(96, 3, 104, 27), TRUE);
    look->DrawComboFrame(pDC, CRect(110, 5, 220, 25), FALSE, FALSE, TRUE, nullptr);
    look->DrawComboDropButton(pDC, CRect(205, 6, 219, 24), FALSE, FALSE, TRUE, nullptr);

    look->FillBarBackground(pDC, nullptr, kMenu, kMenu);
    look->FillButtonFace(pDC, nullptr, CRect(22, 50, 178, 70), KGP_BUTTON_HIGHLIGHTED);
    look->DrawButtonBorder(pDC, nullptr, CRect(22, 50, 178, 70), KGP_BUTTON_HIGHLIGHTED);
    look->DrawMenuCheckFrame(pDC, CRect(25, 74, 41, 90));
    look->FillRarelyUsedMenuBackground(pDC, CRect(22, 96, 178, 150));
    look->DrawCustomizeListSubMenuArrow(pDC, CRect(160, 100, 176, 116));
    look->DrawShowAllMenuItems(pDC, CRect(22, 176, 178, 196), KGP_BUTTON_NORMAL);
    look->DrawPopupBorder(pDC, nullptr, kMenu);
    CBitmap right;
    CBitmap bottom;
    look->DrawMenuShadow(pDC, kMenu, look->GetMenuShadowDepth(), 100, 65, &right, &bottom, FALSE);

    look->DrawPaneCaption(pDC, nullptr, TRUE, CRect(200, 44, 390, 62), CRect(366, 44, 390, 62));
    CCloseButton close;
    look->DrawCaptionButton(pDC, &close, TRUE, TRUE, FALSE, FALSE);
    look->EraseTabsArea(pDC, CRect(200, 200, 390, 222), nullptr);
    look->DrawTab(pDC, CRect(204, 200, 270, 220), 0, TRUE, nullptr);
    look->DrawTab(pDC, CRect(270, 202, 336, 220), 1, FALSE, nullptr);
    look->DrawSmartDockingMarker(pDC, CRect(280, 100, 312, 132), 2, FALSE);
}

class CSceneWnd : public CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_PAINT) {
            return CWnd::WindowProc(message, wParam, lParam);
        }
        PAINTSTRUCT paint{};
        CDC target;
        target.Attach(::BeginPaint(m_hWnd, &paint));
        {
            CKGPMemDC buffer(target, this);
            PaintScene(&buffer.GetDC());
        }
        target.Detach();
        ::EndPaint(m_hWnd, &paint);
        return 0;
    }
};

std::vector<DWORD> Capture(HWND hWnd)
{
    void* bits = nullptr;
    HBITMAP dib = keyloft_test::CreateTopDown32BitDib(nullptr, kWidth, kHeight, &bits);
    HDC window = ::GetDC(hWnd);
    HDC memory = ::CreateCompatibleDC(window);
    HGDIOBJ old = ::SelectObject(memory, dib);
    ::BitBlt(memory, 0, 0, kWidth, kHeight, window, 0, 0, SRCCOPY);
    ::GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(first, first + kWidth * kHeight);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(hWnd, window);
    ::DeleteObject(dib);
    for (DWORD& pixel : pixels)
        pixel &= 0xFFFFFFu;
    return pixels;
}

void WriteBitmapFile(const char* path, const std::vector<DWORD>& pixels)
{
    const BITMAPINFO info = keyloft_test::TopDown32BitInfo(kWidth, kHeight);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size() * 4);
    if (FILE* out = std::fopen(path, "wb")) {
        std::fwrite(&file, sizeof(file), 1, out);
        std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out);
        std::fwrite(pixels.data(), 4, pixels.size(), out);
        std::fclose(out);
    }
}

DWORD At(const std::vector<DWORD>& pixels, int x, int y)
{
    return pixels[static_cast<size_t>(y) * kWidth + x];
}
int Red(DWORD pixel) { return static_cast<int>((pixel >> 16) & 0xFF); }
int Green(DWORD pixel) { return static_cast<int>((pixel >> 8) & 0xFF); }
int Blue(DWORD pixel) { return static_cast<int>(pixel & 0xFF); }
int Brightness(DWORD pixel) { return Red(pixel) + Green(pixel) + Blue(pixel); }

TEST(Look2003ScreenshotTest, BarsButtonsAndAMenuDrawInTheLook)
{
    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKGPVisualManager2003)));
    CSceneWnd scene;
    LPCTSTR windowClass = AfxRegisterWndClass(0);
    ASSERT_TRUE(scene.CreateEx(0, windowClass, L"2003 look", WS_POPUP | WS_VISIBLE, 30, 30, kWidth, kHeight,
                               nullptr, nullptr));
    ::RedrawWindow(scene.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    keyloft_test::Pump(300);
    const std::vector<DWORD> pixels = Capture(scene.m_hWnd);
    WriteBitmapFile("look2003.bmp", pixels);
    scene.DestroyWindow();
    CKGPVisualManager::SetDefaultManager(nullptr);

    // The bar is a blue gradient, lighter at the top.
    EXPECT_GT(Brightness(At(pixels, 200, 1)), Brightness(At(pixels, 200, 28)));
    EXPECT_GT(Blue(At(pixels, 200, 28)), Red(At(pixels, 200, 28)));
    // Hot and pressed buttons are orange, the pressed one deeper, both framed.
    for (const CRect& button : {kHot, kPressed}) {
        const DWORD face = At(pixels, button.left + 3, button.top + 3);
        EXPECT_GT(Red(face), Green(face));
        EXPECT_GT(Green(face), Blue(face));
        EXPECT_EQ(0x000080u, At(pixels, button.left, button.top + 5));
    }
    EXPECT_GT(Green(At(pixels, kHot.left + 3, kHot.top + 3)), Green(At(pixels, kPressed.left + 3, kPressed.top + 3)));
    // The menu has its border, and a shadow darkens the white beside and below it.
    EXPECT_EQ(0x002D96u, At(pixels, kMenu.left, kMenu.top + 50));
    const DWORD beside = At(pixels, kMenu.right + 1, kMenu.top + 50);
    const DWORD below = At(pixels, kMenu.left + 50, kMenu.bottom + 1);
    EXPECT_LT(Brightness(beside), 3 * 255);
    EXPECT_LT(Brightness(below), 3 * 255);
    EXPECT_EQ(0xFFFFFFu, At(pixels, kMenu.right + 10, kMenu.top + 50));
}

} // namespace
