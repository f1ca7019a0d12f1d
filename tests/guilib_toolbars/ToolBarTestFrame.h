// The frame and fixture of the toolbar suites: a frame that records the
// commands and prompts it gets, and a toolbar built from the test resource in
// it along the top. The registry keys a test writes go when it ends.
#pragma once

#include <gtest/gtest.h>

#include "guilib/core/KGPRegistry.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "tests/guilib_toolbars/ToolBarTestIds.h"

#include <vector>

namespace toolbar_test {

inline constexpr LPCTSTR kProfile = _T("Software\\KeyloftTests\\Toolbars\\");
inline constexpr UINT kBarId = 0xE805;

class CCommandFrame : public CKGPFrameWnd {
public:
    BOOL Open()
    {
        m_bAutoMenuEnable = FALSE;  // commands without a handler stay enabled
        return Create(nullptr, _T("Toolbars"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 420, 300));
    }
    std::vector<UINT> commands;
    // Commands of controls: the whole WPARAM (notify code in the high word).
    std::vector<WPARAM> controlCommands;
    std::vector<UINT> prompts;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == 0x362)  // the status-bar prompt
            prompts.push_back(static_cast<UINT>(wParam));
        return CKGPFrameWnd::WindowProc(message, wParam, lParam);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (lParam == 0)
            commands.push_back(LOWORD(wParam));
        else
            controlCommands.push_back(wParam);
        return TRUE;
    }
    void PostNcDestroy() override {}
};

class ToolBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarId));
        ASSERT_TRUE(bar.LoadToolBar(IDR_TEST_TOOLBAR));
        bar.AdjustLayout();
    }
    void TearDown() override
    {
        CKGPRegistryHandle(FALSE, FALSE)->DeleteKey(_T("Software\\KeyloftTests\\Toolbars"), TRUE);
        bar.DestroyWindow();
        frame.DestroyWindow();
    }
    void Click(CPoint down, CPoint up)
    {
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    }
    static void Pump()
    {
        for (MSG msg; ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);)
            ::DispatchMessage(&msg);
    }
    std::vector<UINT> Commands() const
    {
        std::vector<UINT> ids;
        for (int i = 0; i < bar.GetCount(); ++i)
            ids.push_back(bar.GetButton(i)->m_nCommand);
        return ids;
    }
    // Writes a value of the bar's stored state (as SaveState would).
    static void WriteStored(LPCTSTR lpszValue, const std::vector<BYTE>& bytes)
    {
        CKGPRegistryHandle reg(FALSE, FALSE);
        CString key;
        key.Format(_T("%sKGToolBar-%d"), kProfile, kBarId);
        ASSERT_TRUE(reg->CreateKey(key));
        ASSERT_TRUE(reg->Write(lpszValue, bytes.data(), static_cast<UINT>(bytes.size())));
    }

    CCommandFrame frame;
    CKGPToolBar bar;
};

} // namespace toolbar_test
