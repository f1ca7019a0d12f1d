// The menu bar and the toolbars after a restart, where the layout read does
// not hold every bar's values: a bar whose values are missing (a toolbar the
// application added after the layout was saved) or damaged keeps its
// default place, and every bar that was read goes to its saved place.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/HostStoredValues.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

#include <map>
#include <sstream>

namespace {

class BarsRestartTest : public AppHostTest {
protected:
    static std::string DescribeReadBars(CHostMainFrame& frame)
    {
        return apphost::DescribeBars(frame, {&frame.m_wndMenuBar, &frame.m_wndToolBar}) +
               apphost::DescribePanes(frame, frame.StoredPanes());
    }
    static std::string DescribeFormatBar(CHostMainFrame& frame)
    {
        return apphost::DescribeBars(frame, {&frame.m_wndFormatBar});
    }
    // The Standard bar dragged by its gripper along its row, away from the
    // frame's edge.
    static void DragStandardBarAlongItsRow(CHostMainFrame& frame)
    {
        CKGPToolBar& standard = frame.m_wndToolBar;
        const CRect before = apphost::ScreenRect(standard);
        const CPoint gripper(before.left + 3, before.CenterPoint().y);
        ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
            user.Drag(gripper, gripper + CSize(120, 0));
        }));
        ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(standard).left >= before.left + 100; }));
        EXPECT_EQ(before.top, apphost::ScreenRect(standard).top) << "in its row still";
    }
    static std::wstring FormatBarKeysEnding()
    {
        return L"-" + std::to_wstring(ID_BAR_FORMAT);
    }
};

TEST_F(BarsRestartTest, ABarWhoseValuesWereNotReadKeepsItsDefaultPlaceAndTheOthersTheirSavedOnes)
{
    enum class Unread { Missing, Damaged };
    for (const Unread unread : {Unread::Missing, Unread::Damaged}) {
        SCOPED_TRACE(unread == Unread::Missing ? "the format bar's values missing" : "its values damaged");
        const std::string defaultPlace = DescribeFormatBar(Frame());
        DragStandardBarAlongItsRow(Frame());
        const std::string saved = DescribeReadBars(Frame());
        ASSERT_TRUE(Close());
        const std::vector<std::wstring> keys = apphost::StoredKeysEndingWith(FormatBarKeysEnding());
        ASSERT_FALSE(keys.empty());
        for (const std::wstring& key : keys) {
            if (unread == Unread::Missing) {
                ASSERT_TRUE(apphost::DeleteStoredKey(key));
            } else if (key.find(L"KGPControlBar-") != std::wstring::npos) {
                const std::vector<BYTE> text{'2', 0, 0, 0}; // a row index of the wrong kind
                ASSERT_TRUE(apphost::WriteStoredValue(key, L"RecentRowIndex", REG_SZ, text));
            }
        }
        ASSERT_TRUE(Start());
        EXPECT_EQ(saved, DescribeReadBars(Frame()));
        EXPECT_EQ(defaultPlace, DescribeFormatBar(Frame()));
        ForgetStoredState();
        ASSERT_TRUE(Close());
        ForgetStoredState();
        ASSERT_TRUE(Start());
    }
}

} // namespace

// A bar that goes back to its default row because its values were not read
// leaves no empty row where the saved layout had it: the bar saved in the row
// after it comes back in the first row of that edge (an empty row, as high as
// a bar, stayed at the bottom before).
TEST_F(BarsRestartTest, ABarBackInItsDefaultRowLeavesNoEmptyRowAtTheEdgeItLeft)
{
    CHostMainFrame& frame = Frame();
    CKGPDockBar* bottom = frame.GetDockManager()->FindDockBar(CBRS_ALIGN_BOTTOM, TRUE);
    ASSERT_NE(nullptr, bottom);
    // The Format bar in the bottom edge's first row, the Standard bar in the
    // row after it.
    CRect edge = apphost::ScreenRect(*bottom);
    frame.DockControlBar(&frame.m_wndFormatBar, AFX_IDW_DOCKBAR_BOTTOM,
                         CRect(edge.left + 10, edge.top, edge.left + 200, edge.top + 20));
    edge = apphost::ScreenRect(*bottom);
    frame.DockControlBar(&frame.m_wndToolBar, AFX_IDW_DOCKBAR_BOTTOM,
                         CRect(edge.left + 10, edge.bottom + 2, edge.left + 200, edge.bottom + 20));
    frame.RecalcLayout();
    apphost::PumpFor(0);
    ASSERT_EQ(bottom, frame.m_wndToolBar.GetParentDockBar());
    ASSERT_EQ(1, bottom->GetRowIndex(frame.m_wndToolBar.GetDockBarRow()));
    ASSERT_TRUE(Close());
    for (const std::wstring& key : apphost::StoredKeysEndingWith(L"KGPControlBar" + FormatBarKeysEnding())) {
        const std::vector<BYTE> text{'0', 0, 0, 0}; // a row index of the wrong kind
        ASSERT_TRUE(apphost::WriteStoredValue(key, L"RecentRowIndex", REG_SZ, text));
    }
    ASSERT_TRUE(Start());
    CHostMainFrame& again = Frame();
    // The Format bar in its default row at the top, after the menu bar's (the
    // Standard bar's default row between them went with it).
    CKGPDockBar* top = again.GetDockManager()->FindDockBar(CBRS_ALIGN_TOP, TRUE);
    ASSERT_NE(nullptr, top);
    EXPECT_EQ(top, again.m_wndFormatBar.GetParentDockBar());
    EXPECT_EQ(1, top->GetRowIndex(again.m_wndFormatBar.GetDockBarRow()));
    bottom = again.GetDockManager()->FindDockBar(CBRS_ALIGN_BOTTOM, TRUE);
    ASSERT_NE(nullptr, bottom);
    ASSERT_EQ(bottom, again.m_wndToolBar.GetParentDockBar());
    EXPECT_EQ(1, bottom->GetRows().GetCount()) << "the Standard bar's row alone";
    EXPECT_EQ(0, bottom->GetRowIndex(again.m_wndToolBar.GetDockBarRow()));
    EXPECT_EQ(apphost::ScreenRect(again.m_wndToolBar).Height(), apphost::ScreenRect(*bottom).Height())
        << "the bottom edge as high as its one bar";
}

namespace {

// The application's Format bar with its alignment buttons behind one
// drop-down button.
class DropDownRestartTest : public BarsRestartTest {
protected:
    void SetUp() override
    {
        HostApp().m_bAlignDropDown = TRUE;
        BarsRestartTest::SetUp();
    }
    void TearDown() override
    {
        BarsRestartTest::TearDown();
        HostApp().m_bAlignDropDown = FALSE;
    }
    static CKGPDropDownToolbarButton* AlignButton(CHostMainFrame& frame)
    {
        for (int i = 0; i < frame.m_wndFormatBar.GetCount(); ++i) {
            if (auto* button = DYNAMIC_DOWNCAST(CKGPDropDownToolbarButton, frame.m_wndFormatBar.GetButton(i)))
                return button;
        }
        return nullptr;
    }
    static std::string DescribeAlignButton(CHostMainFrame& frame)
    {
        CKGPDropDownToolbarButton* button = AlignButton(frame);
        if (button == nullptr)
            return "no drop-down button";
        std::ostringstream out;
        out << "command " << button->m_nCommand << " image " << button->GetCurrentImage() << " of "
            << (button->GetDropDownToolBar() == &frame.m_wndAlignBar ? "the align bar" : "no bar") << " caption \""
            << CStringA(button->m_strCaption).GetString() << "\" shown " << button->m_bShowCaption << " width "
            << button->m_rcButton.Width();
        return out.str();
    }
};

// The drop-down button shows the image of its command, with room for it,
// and comes back so after restarts: its caption did not show until the
// first load, then showed in place of the image and the bar grew.
TEST_F(DropDownRestartTest, TheDropDownButtonComesBackShowingItsImageAtItsWidthAndSavesTheSameBytes)
{
    CKGPDropDownToolbarButton* button = AlignButton(Frame());
    ASSERT_NE(nullptr, button);
    EXPECT_FALSE(button->m_bShowCaption);
    EXPECT_GT(button->m_rcButton.Width(), Frame().m_wndFormatBar.GetCurrentButtonSize().cx) << "room for its image";
    const std::string shown = DescribeAlignButton(Frame()) + "\n" + DescribeFormatBar(Frame());
    std::map<std::wstring, std::vector<BYTE>> saved;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(Close());
        const auto bytes = apphost::StoredValues();
        if (round > 0) {
            EXPECT_TRUE(bytes == saved) << "saved again otherwise";
        }
        saved = bytes;
        ASSERT_TRUE(Start());
        EXPECT_TRUE(HostApp().StateStore().m_bLayoutLoaded);
        EXPECT_EQ(shown, DescribeAlignButton(Frame()) + "\n" + DescribeFormatBar(Frame()));
    }
}

} // namespace

// A toolbar dragged down to the foot of the right edge comes back there after
// a restart, not higher up.
TEST_F(BarsRestartTest, AToolbarAtTheFootOfTheRightEdgeComesBackThere)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& standard = frame.m_wndToolBar;
    const CRect before = apphost::ScreenRect(standard);
    const CPoint gripper(before.left + 4, before.CenterPoint().y);
    CRect client;
    frame.GetClientRect(client);
    frame.ClientToScreen(client);
    const CRect notes = apphost::ScreenRect(frame.m_hWndMDIClient);
    // Floated over the notes first, then taken by its floating caption to
    // the right edge, low down.
    auto drag = [](CPoint from, CPoint to) {
        return apphost::Perform([&](apphost::CGestures& user) { user.Drag(from, to, 14); });
    };
    ASSERT_TRUE(drag(gripper, notes.CenterPoint()));
    ASSERT_TRUE(apphost::WaitUntil([&] { return standard.GetParentMiniFrame(TRUE) != nullptr; })) << "floating";
    CKGPMiniFrameWnd* floating = standard.GetParentMiniFrame(TRUE);
    CRect caption;
    floating->GetCaptionRect(caption);
    const CPoint captionPoint = apphost::ScreenRect(*floating).TopLeft() + CSize(caption.left + 12, caption.CenterPoint().y);
    ASSERT_TRUE(drag(captionPoint, CPoint(client.right - 5, notes.bottom - 10)));
    CKGPDockBar* right = frame.GetDockManager()->FindDockBar(CBRS_ALIGN_RIGHT, TRUE);
    ASSERT_NE(nullptr, right);
    ASSERT_TRUE(apphost::WaitUntil([&] { return standard.GetParentDockBar() == right; })) << "docked at the right edge";
    const CRect docked = apphost::ScreenRect(standard);
    // Where the pointer's last moves leave it: at the foot or a step above.
    EXPECT_NEAR(apphost::ScreenRect(*right).bottom, docked.bottom, 4) << "at the edge's foot";
    const std::string saved = apphost::DescribeBars(frame, {&standard});
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    EXPECT_EQ(saved, apphost::DescribeBars(Frame(), {&Frame().m_wndToolBar}));
}
