// The creation of a window whose object deletes itself with its window: the
// object is deleted exactly once whether its window was refused in WM_CREATE,
// never made, or made before the creation failed, and a creation that
// succeeds hands the object back with its window.
#include <gtest/gtest.h>

#include "tests/afx_windows/WindowTestSupport.h"

namespace {

int g_deletes = 0;

class CSelfDeletingWnd : public CWnd {
public:
    explicit CSelfDeletingWnd(bool bRefuse = false) : m_bRefuse(bRefuse) {}
    ~CSelfDeletingWnd() override { ++g_deletes; }

    BOOL Make()
    {
        return CreateEx(0, TestWindowClass(), _T("self-deleting"), WS_POPUP, 0, 0, 40, 40, nullptr, nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CREATE && m_bRefuse)
            return -1;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { delete this; }

private:
    bool m_bRefuse;
};

TEST(SelfDeletingCreation, EachFailedCreationDeletesTheObjectOnce)
{
    TestApp();
    g_deletes = 0;
    // Refused in WM_CREATE: the window went and took the object along.
    EXPECT_EQ(nullptr,
              AfxCreateSelfDeleting(new CSelfDeletingWnd(true), [](CSelfDeletingWnd& wnd) { return wnd.Make(); }));
    EXPECT_EQ(1, g_deletes);

    // No window ever asked for: the creation deletes the object itself.
    g_deletes = 0;
    EXPECT_EQ(nullptr, AfxCreateSelfDeleting(new CSelfDeletingWnd, [](CSelfDeletingWnd&) { return FALSE; }));
    EXPECT_EQ(1, g_deletes);

    // A window made, then the maker gave up: the window goes with its object.
    g_deletes = 0;
    HWND hMade = nullptr;
    EXPECT_EQ(nullptr, AfxCreateSelfDeleting(new CSelfDeletingWnd, [&](CSelfDeletingWnd& wnd) {
                  if (!wnd.Make())
                      return TRUE;
                  hMade = wnd.m_hWnd;
                  return FALSE;
              }));
    EXPECT_EQ(1, g_deletes);
    ASSERT_NE(nullptr, hMade);
    EXPECT_FALSE(::IsWindow(hMade));
}

TEST(SelfDeletingCreation, TheWatchKnowsWhetherAWindowWasMadeAndWhetherTheObjectEnded)
{
    TestApp();
    g_deletes = 0;
    auto* pRefused = new CSelfDeletingWnd(true);
    {
        CSelfDeletingCreation watch(pRefused);
        EXPECT_FALSE(pRefused->Make());
        EXPECT_TRUE(watch.WasWindowMade());
        EXPECT_TRUE(watch.HasEnded());
        EXPECT_FALSE(watch.Finish(FALSE));
    }
    EXPECT_EQ(1, g_deletes);

    g_deletes = 0;
    CSelfDeletingWnd* pMade = AfxCreateSelfDeleting(new CSelfDeletingWnd, [](CSelfDeletingWnd& wnd) { return wnd.Make(); });
    ASSERT_NE(nullptr, pMade);
    EXPECT_TRUE(::IsWindow(pMade->m_hWnd));
    EXPECT_EQ(0, g_deletes);
    pMade->DestroyWindow();
    EXPECT_EQ(1, g_deletes);
}

} // namespace
