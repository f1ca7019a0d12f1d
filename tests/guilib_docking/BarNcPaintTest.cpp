// A bar's non-client area under right-to-left layout: the parent's
// background behind its borders lands where the parent shows it, in the
// bitmap its window's device context paints into and on the screen; a docked
// bar's gripper and its room stand at its leading edge, right of its client;
// a docking pane's close button works where its mirrored caption shows it.
#include <gtest/gtest.h>

#include <afxhandle.h>

#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/PaneTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/RealInput.h"
#include "tests/support/WindowCapture.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Its background: one colour per column, told by the column's place in its
// own (logical) coordinates.
COLORREF ColumnColour(int x) { return RGB(x & 0xFF, (x >> 8) & 0xFF, 0x80); }

class CColumnsParent : public CWnd {
public:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC)
    {
        CRect client;
        GetClientRect(client);
        for (int x = client.left; x < client.right; ++x)
            pDC->FillSolidRect(x, client.top, 1, client.Height(), ColumnColour(x));
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CColumnsParent, CWnd)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

// A look that leaves a bar's borders and gripper unpainted: the parent's
// background shows there.
class CBareBordersLook : public CKGPVisualManager {
    DECLARE_DYNCREATE(CBareBordersLook)
public:
    void DrawToolbarNcBorder(CDC*, CKGPBaseControlBar*, CRect) override {}
    void FillBarBackground(CDC* pDC, CKGPBaseControlBar* pBar, CRect rect, CRect rectClip, BOOL bNCArea) override
    {
        if (!bNCArea)
            CKGPVisualManager::FillBarBackground(pDC, pBar, rect, rectClip, bNCArea);
    }
    void DrawBarGripper(CDC*, CRect, BOOL, CKGPBaseControlBar*) override {}
};
IMPLEMENT_DYNCREATE(CBareBordersLook, CKGPVisualManager)

// The look for the scope; the default one after.
struct CLookScope {
    explicit CLookScope(CRuntimeClass* pLook) { EXPECT_TRUE(CKGPVisualManager::SetDefaultManager(pLook)); }
    ~CLookScope() { CKGPVisualManager::SetDefaultManager(nullptr); }
    CLookScope(const CLookScope&) = delete;
    CLookScope& operator=(const CLookScope&) = delete;
};

class CNcBar : public CKGPControlBar {
public:
    CKGPControlBarImpl& Impl() { return m_barImpl; }
};

constexpr COLORREF kUntouched = RGB(0x12, 0x34, 0x56);

// What drawThere paints into a bitmap of that size laid out as the window's
// device context (filled with kUntouched first): its pixels, row by row, in
// the screen's order.
std::vector<std::vector<COLORREF>> Rendered(HWND hLaidOutAs, CSize size, const std::function<void(CDC*)>& drawThere)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CGdiHandle<HBITMAP> bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    CWindowDCHandle windowDC(hLaidOutAs);
    CMemoryDCHandle memory(::CreateCompatibleDC(windowDC.Get()));
    std::vector<std::vector<COLORREF>> pixels;
    if (!bitmap || !memory)
        return pixels;
    {
        const CSelectionScope selected(memory.Get(), bitmap.Get());
        const RECT all{0, 0, size.cx, size.cy};
        CGdiHandle<HBRUSH> untouched(::CreateSolidBrush(kUntouched));
        ::FillRect(memory.Get(), &all, untouched.Get());
        ::SetLayout(memory.Get(), ::GetLayout(windowDC.Get()));
        drawThere(CDC::FromHandle(memory.Get()));
        ::GdiFlush();
    }
    const auto* bgra = static_cast<const DWORD*>(bits);
    for (int y = 0; y < size.cy; ++y) {
        std::vector<COLORREF> row;
        for (int x = 0; x < size.cx; ++x) {
            const DWORD p = bgra[y * size.cx + x];
            row.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
        }
        pixels.push_back(std::move(row));
    }
    return pixels;
}

} // namespace

// A bar laid out right to left, as its parent is: its borders and gripper
// (left unpainted by the look) show the parent's background as the parent
// shows it there, its columns in the screen's order, and its client area is
// left alone.
TEST(BarNcPaintTest, UnderRightToLeftLayoutTheParentsBackgroundShowsAsTheParentShowsIt)
{
    const CLookScope look(RUNTIME_CLASS(CBareBordersLook));
    CColumnsParent parent;
    ASSERT_TRUE(parent.CreateEx(WS_EX_LAYOUTRTL, AfxRegisterWndClass(0), _T("parent"), WS_POPUP | WS_VISIBLE,
                                CRect(100, 100, 500, 300), nullptr, 0));
    CNcBar bar;
    ASSERT_TRUE(bar.Create(nullptr, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_GRIPPER | CBRS_BORDER_ANY,
                           CRect(50, 40, 250, 80), &parent, 1));
    ASSERT_NE(0u, bar.GetExStyle() & WS_EX_LAYOUTRTL) << "the bar takes its parent's layout";
    keyloft_test::PumpPending();
    CRect window, client;
    bar.GetWindowRect(window);
    bar.GetClientRect(client);
    bar.ClientToScreen(client);
    client.NormalizeRect();
    ASSERT_GT(window.Width(), client.Width()) << "a gripper beside the client area";
    CRect parentClient;
    parent.GetClientRect(parentClient);
    parent.ClientToScreen(parentClient);
    parentClient.NormalizeRect();

    // What the parent shows: its background in its own (mirrored) context.
    const std::vector<std::vector<COLORREF>> shown = Rendered(parent.m_hWnd, parentClient.Size(), [&](CDC* pDC) {
        parent.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(pDC->m_hDC));
    });
    const std::vector<std::vector<COLORREF>> pixels =
        Rendered(bar.m_hWnd, window.Size(), [&](CDC* pDC) { bar.Impl().DrawNcArea(pDC); });
    ASSERT_EQ(static_cast<size_t>(window.Height()), pixels.size());
    ASSERT_EQ(static_cast<size_t>(parentClient.Height()), shown.size());
    ASSERT_NE(shown[0][0], shown[0][parentClient.Width() - 1]);
    int wrong = 0;
    auto expect = [&](int x, int y, COLORREF colour, const char* what) {
        if (pixels[y][x] != colour && wrong++ < 4)
            ADD_FAILURE() << what << " at " << x << "," << y << ": " << std::hex << pixels[y][x] << " for " << colour;
    };
    for (const int y : {0, window.Height() / 2}) {
        for (int x = 0; x < window.Width(); ++x) {
            const COLORREF parentColour = shown[window.top + y - parentClient.top][window.left + x - parentClient.left];
            const bool inClient = client.PtInRect(CPoint(window.left + x, window.top + y));
            expect(x, y, inClient ? kUntouched : parentColour, inClient ? "client" : "border");
        }
    }
    EXPECT_EQ(0, wrong);

    // On the screen: the bar's top border row shows what the parent shows in
    // the row just above it (its colours run down the columns).
    bar.RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const std::vector<DWORD> screen =
        keyloft_test::CaptureSettledScreenArea(CRect(window.left, window.top - 1, window.right, window.top + 1));
    ASSERT_EQ(static_cast<size_t>(2 * window.Width()), screen.size());
    int differing = 0;
    for (int x = 0; x < window.Width(); ++x)
        differing += screen[x] != screen[window.Width() + x] ? 1 : 0;
    EXPECT_EQ(0, differing) << "columns of the top border unlike the parent's above them";
    bar.DestroyWindow();
    parent.DestroyWindow();
}


namespace {

constexpr COLORREF kGripperColour = RGB(0xE0, 0x10, 0x20);

// A look that paints a bar's gripper in one colour and leaves its borders to
// the parent's background.
class CSolidGripperLook : public CBareBordersLook {
    DECLARE_DYNCREATE(CSolidGripperLook)
public:
    void DrawBarGripper(CDC* pDC, CRect rectGripper, BOOL, CKGPBaseControlBar*) override
    {
        pDC->FillSolidRect(rectGripper, kGripperColour);
    }
};
IMPLEMENT_DYNCREATE(CSolidGripperLook, CKGPVisualManager)

class CRtlFrame : public docking_test::CTestFrame {
public:
    BOOL OpenRightToLeft()
    {
        if (!Create(nullptr, _T("Docking"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 660, 500), nullptr,
                    nullptr, WS_EX_LAYOUTRTL))
            return FALSE;
        m_view.CreateEx(WS_EX_CLIENTEDGE, AfxRegisterWndClass(0, nullptr, (HBRUSH)::GetStockObject(WHITE_BRUSH)),
                        nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, AFX_IDW_PANE_FIRST);
        EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }
};

} // namespace

// A toolbar docked at the top of a right-to-left frame shows its gripper on
// the right of its client area, as the frame's whole layout is mirrored, and
// nothing of it over the client area.
TEST(BarNcPaintTest, UnderRightToLeftLayoutTheGripperStandsRightOfTheClientArea)
{
    const CLookScope look(RUNTIME_CLASS(CSolidGripperLook));
    CRtlFrame frame;
    ASSERT_TRUE(frame.OpenRightToLeft());
    std::unique_ptr<CKGPControlBar> bar =
        docking_test::MakeBar(&frame, 7001, 160, CBRS_GRIPPER | CBRS_BORDER_ANY);
    ASSERT_NE(0u, bar->GetExStyle() & WS_EX_LAYOUTRTL);
    frame.DockControlBar(bar.get(), AFX_IDW_DOCKBAR_TOP);
    frame.RecalcLayout();
    keyloft_test::PumpPending();
    ASSERT_NE(nullptr, bar->GetParentDockBar());
    CRect window, client;
    bar->GetWindowRect(window);
    bar->GetClientRect(client);
    bar->ClientToScreen(client);
    client.NormalizeRect();
    ASSERT_GT(window.right - client.right, 4) << "the gripper's room lies right of the client area (window "
                                               << window.left << ".." << window.right << ", client " << client.left
                                               << ".." << client.right << ")";

    bar->RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    const std::vector<DWORD> screen = keyloft_test::CaptureSettledScreenArea(window);
    ASSERT_EQ(static_cast<size_t>(window.Width() * window.Height()), screen.size());
    const DWORD gripper = (GetRValue(kGripperColour) << 16) | (GetGValue(kGripperColour) << 8) | GetBValue(kGripperColour);
    const int y = client.CenterPoint().y - window.top;
    int right = 0, elsewhere = 0;
    for (int x = 0; x < window.Width(); ++x) {
        if (screen[static_cast<size_t>(y * window.Width() + x)] != gripper)
            continue;
        if (window.left + x >= client.right)
            ++right;
        else
            ++elsewhere;
    }
    EXPECT_GT(right, 0) << "no gripper right of the client area";
    EXPECT_EQ(0, elsewhere) << "gripper columns left of the client area's right edge";
    bar->DestroyWindow();
    frame.DestroyWindow();
}

namespace {

constexpr COLORREF kCloseColour = RGB(0xD0, 0x20, 0x30);

// A look that paints a pane's close button (and its floating frame's) in one
// colour.
class CSolidCloseLook : public CKGPVisualManager {
    DECLARE_DYNCREATE(CSolidCloseLook)
public:
    void DrawCaptionButton(CDC* pDC, CKGPVisualItem* pItem, BOOL bActive, BOOL bHorz, BOOL bMaximized, BOOL bDisabled,
                           int nImageID) override
    {
        auto* pButton = static_cast<CKGPCaptionButton*>(pItem);
        if (pButton->GetHit() == KGP_PANE_HIT_CLOSE || pButton->GetHit() == HTCLOSE)
            pDC->FillSolidRect(pButton->GetRect(), kCloseColour);
        else
            CKGPVisualManager::DrawCaptionButton(pDC, pItem, bActive, bHorz, bMaximized, bDisabled, nImageID);
    }
};
IMPLEMENT_DYNCREATE(CSolidCloseLook, CKGPVisualManager)

// Where the screen shows that colour in the rectangle (the rectangle around
// every such pixel; empty when none).
CRect ShownIn(const CRect& area, COLORREF colour)
{
    const std::vector<DWORD> screen = keyloft_test::CaptureSettledScreenArea(area);
    const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    CRect shown;
    for (int y = 0; y < area.Height(); ++y) {
        for (int x = 0; x < area.Width(); ++x) {
            const size_t at = static_cast<size_t>(y * area.Width() + x);
            if (at < screen.size() && screen[at] == wanted)
                shown.UnionRect(shown, CRect(area.left + x, area.top + y, area.left + x + 1, area.top + y + 1));
        }
    }
    return shown;
}

// The title's pixels in a caption band: what differs from the caption's own
// colour (at its first pixel from the far end of the buttons, row 2) and from
// the buttons' colour, cut to their bounds, one string a row.
std::vector<std::string> TitleIn(const CRect& band, CPoint ptBackground)
{
    const std::vector<DWORD> screen = keyloft_test::CaptureSettledScreenArea(band);
    const DWORD red = (GetRValue(kCloseColour) << 16) | (GetGValue(kCloseColour) << 8) | GetBValue(kCloseColour);
    const auto at = [&](int x, int y) { return screen[static_cast<size_t>(y * band.Width() + x)]; };
    std::vector<std::string> rows;
    if (screen.size() != static_cast<size_t>(band.Width() * band.Height()))
        return rows;
    const DWORD background = at(ptBackground.x - band.left, ptBackground.y - band.top);
    CRect bounds;
    for (int y = 0; y < band.Height(); ++y) {
        for (int x = 0; x < band.Width(); ++x) {
            if (at(x, y) != background && at(x, y) != red)
                bounds.UnionRect(bounds, CRect(x, y, x + 1, y + 1));
        }
    }
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        std::string row;
        for (int x = bounds.left; x < bounds.right; ++x)
            row += at(x, y) != background && at(x, y) != red ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

} // namespace

// A docking pane in a right-to-left frame: its caption is mirrored, its title
// reading as in a left-to-right frame, and its close button, clicked where it
// shows, closes it.
TEST(BarNcPaintTest, UnderRightToLeftLayoutAPanesCloseButtonWorksWhereItShows)
{
    const CLookScope look(RUNTIME_CLASS(CSolidCloseLook));
    CRtlFrame frame;
    ASSERT_TRUE(frame.OpenRightToLeft());
    std::unique_ptr<CKGPDockingControlBar> pane = docking_test::MakePane(&frame, 7101, _T("Pane"), CSize(180, 220));
    ASSERT_TRUE(pane->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    frame.RecalcLayout();
    pane->RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    keyloft_test::PumpPending();
    CRect window;
    pane->GetWindowRect(window);
    const int caption = pane->GetCaptionHeight();
    ASSERT_GT(caption, 8);
    const CRect band(window.left, window.top, window.right, window.top + caption);
    const CRect shown = ShownIn(band, kCloseColour);
    ASSERT_FALSE(shown.IsRectEmpty()) << "no close button on the caption";
    EXPECT_LT(shown.right, window.CenterPoint().x) << "the caption's buttons stand at its left, mirrored";
    // Inside the caption's frame line, by the buttons.
    const CPoint background(shown.right + 2, band.top + 2);
    const std::vector<std::string> title =
        TitleIn(CRect(shown.right + 1, band.top + 1, band.right - 2, band.bottom - 3), background);
    {
        docking_test::CTestFrame ltrFrame;
        ASSERT_TRUE(ltrFrame.Open());
        std::unique_ptr<CKGPDockingControlBar> ltrPane =
            docking_test::MakePane(&ltrFrame, 7103, _T("Pane"), CSize(180, 220));
        ASSERT_TRUE(ltrPane->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
        ltrFrame.RecalcLayout();
        ltrPane->RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        keyloft_test::PumpPending();
        CRect ltr;
        ltrPane->GetWindowRect(ltr);
        const CRect ltrButton = ShownIn(CRect(ltr.left, ltr.top, ltr.right, ltr.top + caption), kCloseColour);
        ASSERT_FALSE(ltrButton.IsRectEmpty());
        const std::vector<std::string> ltrTitle = TitleIn(
            CRect(ltr.left + 2, ltr.top + 1, ltrButton.left - 1, ltr.top + caption - 3), CPoint(ltrButton.left - 2, ltr.top + 2));
        ASSERT_FALSE(ltrTitle.empty()) << "no title on the left-to-right caption";
        EXPECT_EQ(ltrTitle, title) << "the title does not read as it does left to right";
        ltrPane->DestroyWindow();
        ltrFrame.DestroyWindow();
    }
    pane->RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    keyloft_test::PumpPending();

    keyloft_test::ClickAt(shown.CenterPoint());
    EXPECT_TRUE(keyloft_test::PumpUntil([&] { return !pane->IsWindowVisible(); }))
        << "the pane is still shown after a click on its close button";
    pane->DestroyWindow();
    frame.DestroyWindow();
}

// Floating in a right-to-left frame, a pane's frame takes that layout: its
// close button is hit where it shows (by the system's hit test too) and,
// clicked there, closes it.
TEST(BarNcPaintTest, UnderRightToLeftLayoutAFloatingFramesCloseButtonWorksWhereItShows)
{
    const CLookScope look(RUNTIME_CLASS(CSolidCloseLook));
    CRtlFrame frame;
    ASSERT_TRUE(frame.OpenRightToLeft());
    std::unique_ptr<CKGPDockingControlBar> pane = docking_test::MakePane(&frame, 7102, _T("Pane"), CSize(180, 220));
    ASSERT_TRUE(pane->FloatBar(CRect(200, 150, 380, 350), KGP_DM_UNKNOWN, true));
    CKGPMiniFrameWnd* pFloating = pane->GetParentMiniFrame();
    ASSERT_NE(nullptr, pFloating);
    ASSERT_NE(0u, pFloating->GetExStyle() & WS_EX_LAYOUTRTL);
    pFloating->RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    keyloft_test::PumpPending();
    CRect window;
    pFloating->GetWindowRect(window);
    const CRect shown = ShownIn(CRect(window.left, window.top, window.right, window.top + 40), kCloseColour);
    ASSERT_FALSE(shown.IsRectEmpty()) << "no close button on the floating frame's caption";
    EXPECT_LT(shown.right, window.CenterPoint().x) << "the caption's buttons stand at its left, mirrored";
    // The system hears of the button where it shows, and of none at the other end.
    const CPoint centre = shown.CenterPoint();
    const CPoint mirror(window.left + window.right - 1 - centre.x, centre.y);
    EXPECT_EQ(HTCLOSE, pFloating->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)));
    EXPECT_NE(HTCLOSE, pFloating->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(mirror.x, mirror.y)));

    keyloft_test::ClickAt(shown.CenterPoint());
    EXPECT_TRUE(keyloft_test::PumpUntil([&] { return !pane->IsWindowVisible(); }))
        << "the pane is still shown after a click on its floating frame's close button";
    pane->DestroyWindow();
    frame.DestroyWindow();
}
