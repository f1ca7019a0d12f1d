// The desktop application bar against a stand-in shell (under Wine the real
// one depends on the desktop process): docking to a side and floating, the
// flags that refuse a behaviour, auto-hide with one bar per edge, a caption
// drag to an edge and back to floating, the shell's notifications, and the
// stored place read back with damaged values refused or mended.
#include <gtest/gtest.h>

#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/frames/KGPAppBarMath.h"
#include "guilib/frames/KGPAppBarWnd.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <map>
#include <set>
#include <vector>

namespace {

using namespace kgp::appbar;
using keyloft_test::PointParam;

constexpr LPCTSTR kProfile = _T("Software\\KeyloftTests\\AppBars\\");
constexpr int kTaskbarHeight = 30;

// The shell as the bars see it: registered bars, one auto-hide bar per edge,
// a taskbar along the bottom that docked bars stand above, and the state bits.
class CStandInShell final : public IKGPAppBarShell {
public:
    UINT_PTR AppBarMessage(DWORD dwMessage, APPBARDATA& data) override
    {
        if (data.cbSize != sizeof(APPBARDATA))
            ++badSizes;
        messages.push_back(dwMessage);
        switch (dwMessage) {
        case ABM_NEW:
            callback = data.uCallbackMessage;
            return registered.insert(data.hWnd).second ? TRUE : FALSE;
        case ABM_REMOVE:
            registered.erase(data.hWnd);
            for (auto& bar : autoHide) {
                if (bar.second == data.hWnd)
                    bar.second = nullptr;
            }
            return TRUE;
        case ABM_QUERYPOS:
        case ABM_SETPOS:
            if (data.rc.bottom > Screen().bottom - kTaskbarHeight) {
                const LONG shift = data.rc.bottom - (Screen().bottom - kTaskbarHeight);
                data.rc.bottom -= shift;
                if (data.uEdge == ABE_BOTTOM)
                    data.rc.top -= shift;
            }
            if (dwMessage == ABM_SETPOS)
                positions[data.hWnd] = data.rc;
            return TRUE;
        case ABM_GETAUTOHIDEBAR:
            return reinterpret_cast<UINT_PTR>(autoHide[data.uEdge]);
        case ABM_SETAUTOHIDEBAR: {
            HWND& bar = autoHide[data.uEdge];
            if (data.lParam) {
                if (bar != nullptr && bar != data.hWnd)
                    return FALSE;
                bar = data.hWnd;
                return TRUE;
            }
            if (bar != data.hWnd)
                return FALSE;
            bar = nullptr;
            return TRUE;
        }
        case ABM_GETSTATE:
            return state;
        default:
            return TRUE;
        }
    }
    static CRect Screen() { return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)); }
    size_t Count(DWORD dwMessage) const
    {
        size_t n = 0;
        for (DWORD m : messages)
            n += m == dwMessage ? 1 : 0;
        return n;
    }

    std::set<HWND> registered;
    std::map<UINT, HWND> autoHide;
    std::map<HWND, RECT> positions;
    std::vector<DWORD> messages;
    UINT callback = 0;
    UINT_PTR state = 0;
    int badSizes = 0;
};

// A bar that slides at once (no animation loop in a test).
class CTestAppBar : public CKGPAppBarWnd {
public:
    explicit CTestAppBar(CStandInShell& shell)
    {
        m_bDisableAnimation = TRUE;
        SetShell(&shell);
    }
    BOOL Open(const CRect& rect = CRect(300, 200, 500, 400))
    {
        SetFloatRect(rect);
        return CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, nullptr, (HBRUSH)::GetStockObject(WHITE_BRUSH)),
                        _T("Side bar"), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, rect, nullptr, 0);
    }
    CRect Window() const
    {
        CRect rect;
        GetWindowRect(rect);
        return rect;
    }
    int CaptionHeight() const { return m_nCaptionHeight; }
    // A mouse message at a screen point, as the window gets it.
    void Mouse(UINT message, CPoint screen)
    {
        ScreenToClient(&screen);
        SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, PointParam(screen.x, screen.y));
    }
};

class AppBarTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (CTestAppBar* bar : {&first, &second}) {
            if (bar->GetSafeHwnd() != nullptr)
                bar->DestroyWindow();
        }
        CKGPRegistryHandle reg(FALSE, FALSE);
        reg->DeleteKey(_T("Software\\KeyloftTests\\AppBars"), TRUE);
        EXPECT_EQ(shell.badSizes, 0) << "every call carries the record's real size";
        EXPECT_TRUE(shell.registered.empty()) << "a destroyed bar leaves the shell";
    }
    static CRect Screen() { return CStandInShell::Screen(); }

    CStandInShell shell;
    CTestAppBar first{shell};
    CTestAppBar second{shell};
};

TEST_F(AppBarTest, DocksToEachSideAboveTheTaskbarAndFloatsBackToItsPlace)
{
    ASSERT_TRUE(first.Open());
    const CRect screen = Screen();
    ASSERT_TRUE(first.DockAppBar(kSideLeft));
    EXPECT_TRUE(first.IsAppRegistered());
    EXPECT_EQ(shell.callback, KGM_APPBAR_CALLBACK);
    EXPECT_EQ(first.Window(), CRect(0, 0, 80, screen.bottom - kTaskbarHeight));
    EXPECT_EQ(CRect(shell.positions[first.m_hWnd]), first.Window()) << "the place was set with the shell";

    ASSERT_TRUE(first.DockAppBar(kSideBottom));
    EXPECT_EQ(first.GetSide(), kSideBottom);
    EXPECT_EQ(first.Window(), CRect(0, screen.bottom - kTaskbarHeight - 60, screen.right, screen.bottom - kTaskbarHeight))
        << "the bar keeps its height on the place the shell gave";
    EXPECT_EQ(shell.Count(ABM_NEW), 1u) << "registered once";

    // A side the flags refuse changes nothing; an unknown side neither.
    first.SetFlags(0x37 & ~kAllowDockLeftRight);
    EXPECT_FALSE(first.DockAppBar(kSideRight));
    EXPECT_FALSE(first.DockAppBar(7));
    EXPECT_EQ(first.GetSide(), kSideBottom);

    ASSERT_TRUE(first.Float());
    EXPECT_FALSE(first.IsAppRegistered());
    EXPECT_EQ(first.GetSide(), kSideFloat);
    EXPECT_EQ(first.Window(), CRect(300, 200, 500, 400));
    first.SetFlags(0x37 & ~kAllowFloat);
    EXPECT_FALSE(first.Float());
}

// A bar placed on an application bar has no frame to dock in: as on a dialog,
// the library stops asking frames for the bars without a dock site.
TEST_F(AppBarTest, ABarOnTheApplicationBarIsHostedAsOnADialog)
{
    ASSERT_TRUE(first.Open());
    CKGPGlobalUtils::Get().m_bDialogApp = FALSE;
    CKGPControlBar bar;
    ASSERT_TRUE(bar.Create(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 100, 24), &first, 0x7A00));
    EXPECT_EQ(nullptr, bar.GetDockSiteFrame());
    EXPECT_TRUE(CKGPGlobalUtils::Get().m_bDialogApp);
    DWORD alignment = 0;
    BOOL bOuter = FALSE;
    EXPECT_TRUE(bar.IsPointNearDockBar(CPoint(0, 0), alignment, bOuter)) << "the neutral answer of a hosted bar";
    EXPECT_TRUE(bar.InsertInDockManager(nullptr, TRUE));
    bar.DestroyWindow();
    CKGPGlobalUtils::Get().m_bDialogApp = FALSE;
}

TEST_F(AppBarTest, AutoHideSlidesToAStripAndBackAndOneEdgeHasOneAutoHideBar)
{
    ASSERT_TRUE(first.Open());
    ASSERT_TRUE(second.Open(CRect(600, 200, 800, 400)));
    const CRect screen = Screen();
    ASSERT_TRUE(first.DockAppBar(kSideTop));
    const CRect docked = first.Window();
    ASSERT_TRUE(first.SetAutoHide(TRUE));
    EXPECT_TRUE(first.IsAutoHideActive());
    EXPECT_TRUE(first.IsHidden());
    EXPECT_EQ(first.Window(), CRect(0, 0, screen.right, 2));
    EXPECT_EQ(first.GetDockedRect(), docked) << "the docked place is kept while hidden";

    // A non-client mouse move brings it back; the check with the cursor away slides it out.
    first.SendMessage(WM_NCMOUSEMOVE, HTCAPTION, PointParam(10, 1));
    EXPECT_FALSE(first.IsHidden());
    EXPECT_EQ(first.Window(), docked);
    ::SetCursorPos(screen.right / 2, screen.bottom / 2);
    first.SendMessage(WM_TIMER, CKGPAppBarWnd::kTimerCheck);
    EXPECT_TRUE(first.IsHidden());
    EXPECT_EQ(first.Window(), CRect(0, 0, screen.right, 2));

    // The second bar on the same edge stays a normal docked bar.
    ASSERT_TRUE(second.DockAppBar(kSideTop));
    EXPECT_FALSE(second.SetAutoHide(TRUE));
    EXPECT_FALSE(second.IsAutoHideActive());
    EXPECT_EQ(second.Window().Height(), 60);
    EXPECT_EQ(shell.autoHide[ABE_TOP], first.m_hWnd);

    // Off again: docked at its height, the edge free for another.
    ASSERT_TRUE(first.SetAutoHide(FALSE));
    EXPECT_FALSE(first.IsAutoHideActive());
    EXPECT_EQ(first.Window(), docked);
    EXPECT_EQ(shell.autoHide[ABE_TOP], nullptr);
    EXPECT_TRUE(second.SetAutoHide(TRUE));

    // Flags refuse auto-hide and always-on-top.
    first.SetFlags(0x37 & ~(kAllowAutoHide | kAllowAlwaysOnTop));
    EXPECT_FALSE(first.SetAutoHide(TRUE));
    EXPECT_FALSE(first.SetAlwaysOnTop(TRUE));
    EXPECT_FALSE(first.IsAutoHide());
}

TEST_F(AppBarTest, ACaptionDragDocksAtAnEdgeAndFloatsInTheMiddle)
{
    ASSERT_TRUE(first.Open());
    const CRect screen = Screen();
    const CPoint grip(first.Window().left + 20, first.Window().top + 5);
    EXPECT_EQ(first.SendMessage(WM_NCHITTEST, 0, PointParam(grip.x, grip.y)), HTCAPTION);

    first.Mouse(WM_LBUTTONDOWN, grip);
    first.Mouse(WM_MOUSEMOVE, CPoint(screen.right - 3, screen.bottom / 2));
    EXPECT_TRUE(first.IsDocked());
    EXPECT_EQ(first.GetSide(), kSideRight);
    first.Mouse(WM_LBUTTONUP, CPoint(screen.right - 3, screen.bottom / 2));
    EXPECT_TRUE(first.IsAppRegistered());
    EXPECT_EQ(first.Window(), CRect(screen.right - 80, 0, screen.right, screen.bottom - kTaskbarHeight));
    // Docked, only the inner edge sizes the bar; the caption drags through the client handlers.
    const CRect docked = first.Window();
    EXPECT_EQ(first.SendMessage(WM_NCHITTEST, 0, PointParam(docked.left + 1, docked.top + 200)), HTLEFT);
    EXPECT_EQ(first.SendMessage(WM_NCHITTEST, 0, PointParam(docked.left + 30, docked.top + 5)), HTCLIENT);

    // Dragged into the middle it floats where it was dragged.
    const CPoint from(docked.left + 30, docked.top + 5);
    first.Mouse(WM_LBUTTONDOWN, from);
    first.Mouse(WM_MOUSEMOVE, CPoint(screen.right / 2, screen.bottom / 2));
    first.Mouse(WM_LBUTTONUP, CPoint(screen.right / 2, screen.bottom / 2));
    EXPECT_FALSE(first.IsAppRegistered());
    EXPECT_EQ(first.GetSide(), kSideFloat);
    EXPECT_TRUE(first.Window().PtInRect(CPoint(screen.right / 2, screen.bottom / 2)));
    EXPECT_EQ(first.Window().Size(), CSize(200, 200));
    EXPECT_EQ(first.GetFloatRect(), first.Window());

    // A cancelled drag goes back to where it began.
    const CRect floating = first.Window();
    first.Mouse(WM_LBUTTONDOWN, CPoint(floating.left + 20, floating.top + 5));
    first.Mouse(WM_MOUSEMOVE, CPoint(3, screen.bottom / 2));
    EXPECT_EQ(first.GetSide(), kSideLeft);
    first.SendMessage(WM_CANCELMODE);
    EXPECT_EQ(first.GetSide(), kSideFloat);
    EXPECT_FALSE(first.IsAppRegistered());
    EXPECT_EQ(first.Window(), floating);
    // Floating, the corners size it.
    EXPECT_EQ(first.SendMessage(WM_NCHITTEST, 0, PointParam(floating.left, floating.top)), HTTOPLEFT);
}

TEST_F(AppBarTest, TheShellsNotificationsChangeStateAndPlace)
{
    ASSERT_TRUE(first.Open());
    ASSERT_TRUE(first.DockAppBar(kSideLeft));
    shell.state = ABS_ALWAYSONTOP;
    first.SendMessage(KGM_APPBAR_CALLBACK, ABN_STATECHANGE);
    EXPECT_TRUE(first.IsAlwaysOnTop());
    EXPECT_NE(first.GetExStyle() & WS_EX_TOPMOST, 0u);
    shell.state = ABS_AUTOHIDE;
    first.SendMessage(KGM_APPBAR_CALLBACK, ABN_STATECHANGE);
    EXPECT_TRUE(first.IsAutoHideActive());
    EXPECT_FALSE(first.IsAlwaysOnTop());

    // A full-screen program sends the bar to the bottom of the Z order and back.
    first.SendMessage(KGM_APPBAR_CALLBACK, ABN_FULLSCREENAPP, TRUE);
    EXPECT_EQ(::GetWindow(first.m_hWnd, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(first.SendMessage(KGM_APPBAR_CALLBACK, ABN_FULLSCREENAPP, FALSE), 0);

    // A size/move loop that changes nothing leaves the docked place and auto-hide as they were.
    shell.state = 0;
    first.SendMessage(KGM_APPBAR_CALLBACK, ABN_STATECHANGE);
    const CRect docked = first.GetDockedRect();
    first.SendMessage(WM_ENTERSIZEMOVE);
    first.SendMessage(WM_EXITSIZEMOVE);
    EXPECT_EQ(first.GetDockedRect(), docked);
    EXPECT_TRUE(first.SetAutoHide(TRUE));
    EXPECT_TRUE(first.IsAutoHideActive());
}

TEST_F(AppBarTest, TheStoredPlaceComesBackAndDamagedValuesAreRefusedOrMended)
{
    ASSERT_TRUE(first.Open());
    ASSERT_TRUE(first.DockAppBar(kSideRight));
    ASSERT_TRUE(first.SetAlwaysOnTop(TRUE));
    ASSERT_TRUE(first.SaveState(kProfile, 1));
    keyloft_test::SaveScreenshot(first.m_hWnd, L"appbar-docked-right.bmp");

    ASSERT_TRUE(second.Open(CRect(600, 200, 800, 400)));
    ASSERT_TRUE(second.LoadState(kProfile, 1));
    EXPECT_EQ(second.GetSide(), kSideRight);
    EXPECT_TRUE(second.IsAppRegistered());
    EXPECT_TRUE(second.IsAlwaysOnTop());
    EXPECT_EQ(second.GetFloatRect(), CRect(300, 200, 500, 400));

    const CRect screen = Screen();
    CString key;
    key.Format(_T("%sKGPAppBar-%d"), kProfile, 1);
    auto write = [&](LPCTSTR name, int value) {
        CKGPRegistryHandle reg(FALSE, FALSE);
        ASSERT_TRUE(reg->CreateKey(key));
        reg->Write(name, value);
    };
    // A side that is none refuses the whole load: nothing changes.
    write(_T("Side"), 7);
    write(_T("DimsDock2"), 150);
    EXPECT_FALSE(second.LoadState(kProfile, 1));
    EXPECT_EQ(second.GetSide(), kSideRight);
    EXPECT_EQ(second.GetDockedExtent(kSideRight), 80);
    // An extent beyond any screen is refused as well.
    write(_T("Side"), kSideLeft);
    write(_T("DimsDock2"), 0x10000);
    EXPECT_FALSE(second.LoadState(kProfile, 1));
    EXPECT_EQ(second.GetSide(), kSideRight);

    // Sound but unfit values are mended: extents clamped, the floating place moved onto the work area.
    write(_T("DimsDock0"), 5000);
    write(_T("DimsDock2"), 1);
    {
        CKGPRegistryHandle reg(FALSE, FALSE);
        ASSERT_TRUE(reg->CreateKey(key));
        reg->Write(_T("RectFloat"), CRect(20000, 20000, 20200, 20150));
    }
    ASSERT_TRUE(second.LoadState(kProfile, 1));
    EXPECT_EQ(second.GetSide(), kSideLeft);
    EXPECT_EQ(second.GetDockedExtent(kSideLeft), screen.Width() / 2);
    EXPECT_GE(second.GetDockedExtent(kSideRight), second.CaptionHeight());
    EXPECT_EQ(second.Window().Width(), screen.Width() / 2);
    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    CRect inside;
    EXPECT_TRUE(inside.IntersectRect(second.GetFloatRect(), work));
    EXPECT_EQ(inside, second.GetFloatRect());
    EXPECT_EQ(second.GetFloatRect().Size(), CSize(200, 150));

    // A load that moves an auto-hidden bar to another edge gives its old edge back to the shell.
    ASSERT_TRUE(second.DockAppBar(kSideRight));
    ASSERT_TRUE(second.SetAutoHide(TRUE));
    ASSERT_EQ(shell.autoHide[ABE_RIGHT], second.m_hWnd);
    ASSERT_TRUE(second.LoadState(kProfile, 1));
    EXPECT_EQ(second.GetSide(), kSideLeft);
    EXPECT_EQ(shell.autoHide[ABE_RIGHT], nullptr);
    EXPECT_EQ(shell.autoHide[ABE_LEFT], second.m_hWnd);

    ASSERT_TRUE(second.Float());
    EXPECT_EQ(second.Window(), second.GetFloatRect());
    keyloft_test::SaveScreenshot(second.m_hWnd, L"appbar-floating.bmp");
}

} // namespace
