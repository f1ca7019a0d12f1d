// The test frame the docking tests dock their bars in, and the bars they dock.
#pragma once

#include <gtest/gtest.h>

#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/frames/KGPFrameWnd.h"

#include <memory>

namespace docking_test {

class CTestFrame : public CKGPFrameWnd {
public:
    // bShown FALSE: made hidden, as a program makes its frame before its
    // saved layout is loaded.
    BOOL Open(bool bShown = true)
    {
        if (!Create(nullptr, _T("Docking"), WS_OVERLAPPEDWINDOW | (bShown ? WS_VISIBLE : 0), CRect(20, 20, 660, 500)))
            return FALSE;
        m_view.CreateEx(WS_EX_CLIENTEDGE, AfxRegisterWndClass(0, nullptr, (HBRUSH)::GetStockObject(WHITE_BRUSH)),
                        nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, AFX_IDW_PANE_FIRST);
        EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }
    CRect ViewRect()
    {
        CRect rect;
        m_view.GetWindowRect(rect);
        ScreenToClient(rect);
        return rect;
    }
    CWnd m_view;

protected:
    void PostNcDestroy() override {} // lives on the test's stack
};

// A bar whose client area shows the bar face of the current look (its border
// and gripper are its non-client area).
class CPaintedBar : public CKGPControlBar {
protected:
    void DoPaint(CDC* pDC) override
    {
        CRect client;
        GetClientRect(client);
        CKGPVisualManager::GetInstance()->FillBarBackground(pDC, this, client, client);
    }
};

// A bar that asks for a fixed size (24 high lying along a horizontal edge).
inline std::unique_ptr<CKGPControlBar> MakeBar(CWnd* pParent, UINT id, int length = 100, DWORD extraStyle = 0)
{
    std::unique_ptr<CKGPControlBar> bar = std::make_unique<CPaintedBar>();
    bar->SetFixedSize(CSize(length, 24));
    bar->SetMinSize(CSize(30, 24));
    EXPECT_TRUE(bar->Create(nullptr, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | extraStyle, CRect(0, 0, length, 24),
                            pParent, id));
    bar->EnableDocking(CBRS_ALIGN_ANY);
    return bar;
}

inline CRect ClientRectIn(CWnd* pWnd, CWnd* pFrame)
{
    CRect rect;
    pWnd->GetWindowRect(rect);
    pFrame->ScreenToClient(rect);
    return rect;
}

} // namespace docking_test
