// What the popup suites share: the library test host recording every command
// it gets, a toolbar in it with a menu button, menus made in code, and the
// screen under a rectangle.
#pragma once

#include <gtest/gtest.h>

#include "guilib/menus/KGPMenusLink.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"
#include "tests/support/LibraryTestHost.h"
#include "tests/support/MessagePump.h"

#include <afxhandle.h>

#include <vector>

namespace popup_test {

constexpr UINT kNew = 41001;
constexpr UINT kOpen = 41002;
constexpr UINT kExit = 41003;
constexpr UINT kAlpha = 41011;
constexpr UINT kBeta = 41012;
constexpr UINT kFirstLong = 42000;

// The test host, recording commands and system commands however they come.
class CCommandHost : public keyloft_test::CLibraryTestHost {
public:
    std::vector<UINT> commands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && lParam == 0)
            commands.push_back(LOWORD(wParam));
        else if (message == WM_SYSCOMMAND)
            commands.push_back(static_cast<UINT>(wParam));
        return keyloft_test::CLibraryTestHost::WindowProc(message, wParam, lParam);
    }
};

// "&New\tCtrl+N", "&Open", a separator, "&More" (Alpha, Beta), "E&xit".
inline HMENU FileMenu()
{
    HMENU more = ::CreatePopupMenu();
    ::AppendMenuW(more, MF_STRING, kAlpha, L"&Alpha");
    ::AppendMenuW(more, MF_STRING, kBeta, L"&Beta");
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, kNew, L"&New\tCtrl+N");
    ::AppendMenuW(file, MF_STRING, kOpen, L"&Open");
    ::AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(file, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(more), L"&More");
    ::AppendMenuW(file, MF_STRING, kExit, L"E&xit");
    return file;
}

// A menu of `count` commands from kFirstLong.
inline HMENU LongMenu(int count)
{
    HMENU menu = ::CreatePopupMenu();
    for (int i = 0; i < count; ++i) {
        wchar_t text[32];
        ::swprintf(text, 32, L"Item %d", i + 1);
        ::AppendMenuW(menu, MF_STRING, kFirstLong + static_cast<UINT>(i), text);
    }
    return menu;
}

// The host with a toolbar along its top holding one menu button.
class PopupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        KGPRegisterMenusLinks();
        ASSERT_TRUE(host.CreateHost(640, 420));
        bar = &host.Make<CKGPToolBar>();
        ASSERT_TRUE(bar->Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE830));
        bar->SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 300, 30, SWP_NOZORDER);
        AddMenuButton(FileMenu(), L"&File");
    }
    void TearDown() override
    {
        if (CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu())
            popup->CloseChain();
        keyloft_test::Pump(20);
    }

    CKGPToolbarMenuButton* AddMenuButton(HMENU hMenu, LPCTSTR text)
    {
        const CMenuHandle menu(hMenu);
        bar->InsertButtonCopy(CKGPToolbarMenuButton(0, menu.Get(), -1, text));
        bar->AdjustLayout();
        return static_cast<CKGPToolbarMenuButton*>(bar->GetButton(bar->GetCount() - 1));
    }
    CKGPToolbarMenuButton* Button(int index = 0) const
    {
        return static_cast<CKGPToolbarMenuButton*>(bar->GetButton(index));
    }
    // Opens the button's popup and answers it (the active popup).
    CKGPPopupMenu* Open(int index = 0)
    {
        if (!Button(index)->OpenPopupMenu())
            return nullptr;
        keyloft_test::Pump(30);
        return CKGPPopupMenu::GetActiveMenu();
    }
    // A key pressed in the popup that has the keys.
    static void Key(UINT key)
    {
        if (CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu())
            popup->PostMessage(WM_KEYDOWN, key, 1);
        keyloft_test::Pump(20);
    }
    // The mouse over the bar's item (moved there and told to the bar).
    static void HoverItem(CKGPPopupMenuBar& menuBar, int index)
    {
        const CPoint centre = menuBar.GetButton(index)->m_rcButton.CenterPoint();
        CPoint screen = centre;
        menuBar.ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        menuBar.SendMessage(WM_MOUSEMOVE, 0, keyloft_test::PointParam(centre.x, centre.y));
    }

    CCommandHost host;
    CKGPToolBar* bar = nullptr;
};

// The screen under the rectangle, row by row (0x00RRGGBB).
inline std::vector<DWORD> ScreenPixels(const CRect& rect)
{
    std::vector<DWORD> pixels;
    const CWindowDCHandle screen(nullptr);
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF colour = ::GetPixel(screen.Get(), x, y);
            pixels.push_back((GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour));
        }
    return pixels;
}

}  // namespace popup_test
