// A library frame with a print view and two docked bars, for the tests of
// full screen and print preview; the docking layout checked after each step.
#pragma once

#include <gtest/gtest.h>

#include "guilib/docking/KGPControlBar.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"
#include "tests/guilib_docking/DockingTestFrame.h"

#include <memory>

namespace frame_modes_test {

// The view a preview stands in for (it deletes itself with its window).
class CPrintView : public CView {
public:
    void OnDraw(CDC* pDC) override
    {
        CRect client;
        GetClientRect(client);
        ::FillRect(pDC->m_hDC, client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
};

class CModesFrame : public CKGPFrameWnd {
public:
    BOOL Open()
    {
        if (!Create(nullptr, _T("Frame modes"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 680, 520)))
            return FALSE;
        m_pView = new CPrintView;
        if (!m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, AFX_IDW_PANE_FIRST))
            return FALSE;
        SetActiveView(m_pView);
        EnableDocking(CBRS_ALIGN_ANY);
        m_top = docking_test::MakeBar(this, 0x3001, 160);
        m_left = docking_test::MakeBar(this, 0x3002, 120);
        DockControlBar(m_top.get(), AFX_IDW_DOCKBAR_TOP);
        DockControlBar(m_left.get(), AFX_IDW_DOCKBAR_LEFT);
        RecalcLayout();
        return TRUE;
    }
    void ExpectSound(const char* step, CKGPBaseControlBar* pExtra = nullptr)
    {
        if (pExtra != nullptr)
            docking_test::ExpectSoundLayout(m_dockManager, {m_top.get(), m_left.get(), pExtra}, step);
        else
            docking_test::ExpectSoundLayout(m_dockManager, {m_top.get(), m_left.get()}, step);
    }
    CRect PaneRect()
    {
        CWnd* pPane = GetDlgItem(AFX_IDW_PANE_FIRST);
        return pPane != nullptr ? docking_test::ClientRectIn(pPane, this) : CRect();
    }
    CPrintView* m_pView = nullptr;
    std::unique_ptr<CKGPControlBar> m_top;
    std::unique_ptr<CKGPControlBar> m_left;

protected:
    void PostNcDestroy() override {} // lives on the test's stack
};

} // namespace frame_modes_test
