// A page title's new text: read back at once through the control, repainted at
// the next paint, and written to the system's own copy of the window text (what
// another process's GetWindowText reads) when the title paints.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "app/transfer/PageTitle.h"

#include <vector>

namespace {

class PageTitle : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), L"Title host", WS_POPUP, 0, 0, 300, 100, nullptr,
                                    nullptr));
        ASSERT_TRUE(m_title.Create(L"Old", WS_CHILD | WS_VISIBLE, CRect(10, 10, 290, 30), &m_host, 1001));
        m_host.ShowWindow(SW_SHOWNA);
        m_host.UpdateWindow();
        ASSERT_FALSE(UpdateOwed());
    }

    void TearDown() override { m_host.DestroyWindow(); }

    CString Read() const
    {
        CString text;
        m_title.GetWindowText(text);
        return text;
    }
    // The system's copy, not asked of the control.
    CString SystemCopy() const
    {
        wchar_t text[64] = {};
        ::InternalGetWindowText(m_title.GetSafeHwnd(), text, 64);
        return text;
    }
    bool UpdateOwed() const { return ::GetUpdateRect(m_title.GetSafeHwnd(), nullptr, FALSE) != FALSE; }
    // The pixels a window shows now.
    static std::vector<COLORREF> Pixels(CWnd& window)
    {
        CRect client;
        window.GetClientRect(&client);
        std::vector<COLORREF> pixels;
        const HDC dc = ::GetDC(window.GetSafeHwnd());
        for (int y = 0; y < client.Height(); ++y) {
            for (int x = 0; x < client.Width(); ++x)
                pixels.push_back(::GetPixel(dc, x, y));
        }
        ::ReleaseDC(window.GetSafeHwnd(), dc);
        return pixels;
    }

    CWnd m_host;
    CPageTitle m_title;
};

TEST_F(PageTitle, ANewTextIsReadAtOnceAndReachesTheSystemCopyWhenPainted)
{
    m_title.SetTitle(L"PC (10)");
    EXPECT_EQ(Read(), L"PC (10)");
    EXPECT_EQ(m_title.GetWindowTextLength(), 7);
    EXPECT_TRUE(UpdateOwed()) << "the new text must be painted";
    EXPECT_EQ(SystemCopy(), L"Old");

    // Changed again before the paint: the later text wins.
    m_title.SetTitle(L"PC (11)");
    EXPECT_EQ(Read(), L"PC (11)");
    wchar_t shortBuffer[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_EQ(m_title.SendMessage(WM_GETTEXT, 4, reinterpret_cast<LPARAM>(shortBuffer)), 3);
    EXPECT_STREQ(shortBuffer, L"PC ");

    m_title.UpdateWindow();
    EXPECT_FALSE(m_title.IsTextPending());
    EXPECT_FALSE(UpdateOwed());
    EXPECT_EQ(SystemCopy(), L"PC (11)");
    EXPECT_EQ(Read(), L"PC (11)");

    // Drawn as a plain static control draws the same text.
    CStatic plain;
    ASSERT_TRUE(plain.Create(L"PC (11)", WS_CHILD | WS_VISIBLE, CRect(10, 50, 290, 70), &m_host, 1002));
    plain.UpdateWindow();
    EXPECT_EQ(Pixels(m_title), Pixels(plain));
    m_title.SetTitle(L"PC (12)");
    m_title.UpdateWindow();
    EXPECT_NE(Pixels(m_title), Pixels(plain)) << "the new text must show";

    // The same text again owes nothing.
    m_title.SetTitle(L"PC (12)");
    EXPECT_FALSE(m_title.IsTextPending());
    EXPECT_FALSE(UpdateOwed());
}

TEST_F(PageTitle, ATextSetFromElsewhereReplacesOneWaitingForThePaint)
{
    m_title.SetTitle(L"Waiting");
    m_title.SetWindowText(L"Set elsewhere");
    EXPECT_FALSE(m_title.IsTextPending());
    EXPECT_EQ(Read(), L"Set elsewhere");
    EXPECT_EQ(SystemCopy(), L"Set elsewhere");
    m_host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(SystemCopy(), L"Set elsewhere") << "the paint must not bring the replaced text back";
}

} // namespace
