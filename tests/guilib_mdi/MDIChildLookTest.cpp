// A look that draws the frames' captions itself takes the system border off
// a document window as it is made; a maximised document window keeps its
// place meanwhile (it is never minimised and maximised again, as a main
// frame is to take its new border).
#include <afxwin.h>

#include <gtest/gtest.h>

#include "guilib/core/KGPVisualManager.h"
#include "guilib/frames/KGPMDIChildWnd.h"
#include "guilib/frames/KGPMDIFrameWnd.h"
#include "tests/support/MessagePump.h"

namespace {

constexpr UINT kFrameMenuId = 800;  // File and Window (MdiTests.rc)

// A look that draws the captions of the frames.
class CCaptionLook : public CKGPVisualManager {
    DECLARE_DYNCREATE(CCaptionLook)
public:
    BOOL DrawsFrameCaption() const override { return TRUE; }
};
IMPLEMENT_DYNCREATE(CCaptionLook, CKGPVisualManager)

class CLookFrame : public CKGPMDIFrameWnd {
protected:
    void PostNcDestroy() override {}  // lives on the test's stack
};

// A document window that notes whether it was ever minimised.
class CWatchedChild : public CKGPMDIChildWnd {
public:
    bool m_bMinimised = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SIZE && wParam == SIZE_MINIMIZED)
            m_bMinimised = true;
        return CKGPMDIChildWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(MDIChildLookTest, AMaximisedDocumentWindowTakesTheLooksBorderWithoutBeingMinimised)
{
    AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
    CLookFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, _T("Look"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 630, 430), nullptr,
                             MAKEINTRESOURCE(kFrameMenuId)));
    auto* first = new CKGPMDIChildWnd;
    ASSERT_TRUE(first->Create(nullptr, _T("First"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                              CFrameWnd::rectDefault, &frame));
    keyloft_test::PumpPending();

    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CCaptionLook)));
    auto* second = new CWatchedChild;
    const BOOL made = second->Create(nullptr, _T("Second"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_MAXIMIZE,
                                     CFrameWnd::rectDefault, &frame);
    keyloft_test::PumpPending();
    const HWND secondWindow = made ? second->GetSafeHwnd() : nullptr;
    const bool borderTaken = made && (second->GetStyle() & WS_BORDER) == 0;
    const bool minimised = made && second->m_bMinimised;
    const bool zoomed = made && ::IsZoomed(secondWindow) != FALSE;
    BOOL maximised = FALSE;
    const CMDIChildWnd* activeChild = made ? frame.MDIGetActive(&maximised) : nullptr;
    const HWND active = activeChild != nullptr ? activeChild->GetSafeHwnd() : nullptr;
    CKGPVisualManager::SetDefaultManager(nullptr);
    ASSERT_TRUE(made);
    EXPECT_TRUE(borderTaken) << "the look took the system border off";
    EXPECT_FALSE(minimised) << "the maximised document was not minimised to take it";
    EXPECT_TRUE(zoomed);
    EXPECT_EQ(secondWindow, active) << "it stays the active document";

    frame.DestroyWindow();
}

} // namespace
