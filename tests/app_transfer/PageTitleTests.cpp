// A page title's new text: read back at once through the control, drawn at the
// next paint, and written to the system's own copy of the window text (what
// another process's GetWindowText reads) when the title paints.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <vector>

#include "app/transfer/PageTitle.h"

namespace {

CString Read(const CWnd& window)
{
    CString text;
    window.GetWindowText(text);
    return text;
}

// The system's copy, not asked of the control.
CString SystemCopy(const CWnd& window)
{
    wchar_t text[64] = {};
    ::InternalGetWindowText(window.GetSafeHwnd(), text, 64);
    return text;
}

bool UpdateOwed(const CWnd& window) { return ::GetUpdateRect(window.GetSafeHwnd(), nullptr, FALSE) != FALSE; }

std::vector<COLORREF> Pixels(CWnd& window)
{
    CClientDC dc(&window);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 280; ++x)
            pixels.push_back(dc.GetPixel(x, y));
    }
    return pixels;
}

TEST(PageTitle, ANewTextIsReadAtOnceDrawnAtThePaintAndThenWrittenToTheSystemCopy)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"Title host", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr));
    CPageTitle title;
    CStatic plain;  // draws the text the title should show
    ASSERT_TRUE(title.Create(L"Old", WS_CHILD | WS_VISIBLE, CRect(10, 10, 290, 30), &host, 1001));
    ASSERT_TRUE(plain.Create(L"PC (11)", WS_CHILD | WS_VISIBLE, CRect(10, 50, 290, 70), &host, 1002));
    host.ShowWindow(SW_SHOWNA);
    host.UpdateWindow();

    title.SetTitle(L"PC (10)");
    EXPECT_EQ(Read(title), L"PC (10)");
    EXPECT_TRUE(UpdateOwed(title)) << "the new text must be painted";
    EXPECT_EQ(SystemCopy(title), L"Old");
    // Changed again before the paint: the later text wins, cut to the room given.
    title.SetTitle(L"PC (11)");
    EXPECT_EQ(title.GetWindowTextLength(), 7);
    wchar_t shortBuffer[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_EQ(title.SendMessage(WM_GETTEXT, 4, reinterpret_cast<LPARAM>(shortBuffer)), 3);
    EXPECT_STREQ(shortBuffer, L"PC ");

    title.UpdateWindow();
    EXPECT_FALSE(title.IsTextPending());
    EXPECT_EQ(SystemCopy(title), L"PC (11)");
    EXPECT_EQ(Read(title), L"PC (11)");
    EXPECT_EQ(Pixels(title), Pixels(plain));
    // The same text again owes nothing.
    title.SetTitle(L"PC (11)");
    EXPECT_FALSE(title.IsTextPending());
    EXPECT_FALSE(UpdateOwed(title));

    // A text set from elsewhere replaces one still waiting, for good.
    title.SetTitle(L"Waiting");
    title.SetWindowText(L"Set elsewhere");
    EXPECT_FALSE(title.IsTextPending());
    EXPECT_EQ(Read(title), L"Set elsewhere");
    host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(SystemCopy(title), L"Set elsewhere");
    EXPECT_NE(Pixels(title), Pixels(plain));
    host.DestroyWindow();
}

} // namespace
